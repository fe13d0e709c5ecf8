// Short texts of arguments and results for the journal.
#pragma once

#include <string>
#include <type_traits>

#include "platform/wintypes.h"

std::string SimQuote(const char* psz);
std::string SimHex(unsigned long long value);

inline std::string SimText(const char* psz) { return SimQuote(psz); }
inline std::string SimText(char* psz) { return SimQuote(psz); }
// A ready text (e.g. from SimHex) goes in as it is.
inline std::string SimText(const std::string& str) { return str; }
template <class T>
std::string SimText(T value)
{
    if constexpr (std::is_pointer_v<T>)
        return value ? SimHex(reinterpret_cast<uintptr_t>(value)) : std::string("NULL");
    else if constexpr (std::is_enum_v<T>)
        return std::to_string(static_cast<long long>(value));
    else
        return std::to_string(value);
}

// "a, b, c" from the texts of the arguments.
inline std::string SimArgs() { return std::string(); }
template <class T, class... TRest>
std::string SimArgs(T first, TRest... rest)
{
    std::string text = SimText(first);
    if constexpr (sizeof...(rest) > 0)
        text += ", " + SimArgs(rest...);
    return text;
}
