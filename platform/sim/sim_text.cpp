#include "platform/sim/sim_text.h"

#include <cstdio>

std::string SimQuote(const char* psz)
{
    if (!psz)
        return "NULL";
    return std::string("\"") + psz + "\"";
}

std::string SimHex(unsigned long long value)
{
    char sz[24];
    snprintf(sz, sizeof(sz), "0x%llx", value);
    return sz;
}
