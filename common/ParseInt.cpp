#include "common/ParseInt.h"

#include <climits>
#include <cstdlib>

long ParseLong(const char* text)
{
    long long value = strtoll(text, nullptr, 10);
    if (value > LONG_MAX)
        return LONG_MAX;
    if (value < LONG_MIN)
        return LONG_MIN;
    return static_cast<long>(value);
}

int ParseInt(const char* text)
{
    long long value = strtoll(text, nullptr, 10);
    if (value > INT_MAX)
        return INT_MAX;
    if (value < INT_MIN)
        return INT_MIN;
    return static_cast<int>(value);
}
