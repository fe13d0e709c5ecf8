#include "common/SafeStr.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

size_t DbcsSafeLength(const char* text, size_t len)
{
    size_t i = 0;
    while (i < len) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        size_t width = (c >= 0x81 && c <= 0xFE) ? 2 : 1;
        if (i + width > len)
            break;
        i += width;
    }
    return i;
}

static bool PutCut(char* dst, size_t room, const char* src)
{
    size_t len = strlen(src);
    if (len < room) {
        memcpy(dst, src, len + 1);
        return true;
    }
    size_t keep = DbcsSafeLength(src, room - 1);
    memcpy(dst, src, keep);
    dst[keep] = '\0';
    return false;
}

bool SafeCopy(char* dst, size_t size, const char* src)
{
    if (size == 0)
        return false;
    return PutCut(dst, size, src ? src : "");
}

bool SafeAppend(char* dst, size_t size, const char* src)
{
    if (size == 0)
        return false;
    size_t used = strnlen(dst, size);
    if (used >= size) {  // not terminated: terminate what is there
        dst[DbcsSafeLength(dst, size - 1)] = '\0';
        return false;
    }
    return PutCut(dst + used, size - used, src ? src : "");
}

bool SafeFormat(char* dst, size_t size, const char* format, ...)
{
    if (size == 0)
        return false;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(dst, size, format, args);
    va_end(args);
    if (n < 0) {
        dst[0] = '\0';
        return false;
    }
    if (static_cast<size_t>(n) >= size) {
        dst[DbcsSafeLength(dst, size - 1)] = '\0';
        return false;
    }
    return true;
}
