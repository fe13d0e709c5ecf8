// Bounded copies into fixed character buffers. Every function keeps the
// destination zero-terminated and never writes past its size; a text that
// does not fit is cut. A cut never splits a double-byte character of the
// ANSI code page the texts are in, so a cut GBK text stays readable.
#pragma once

#include <cstddef>

// Copies src into dst[size]; returns FALSE when src had to be cut.
bool SafeCopy(char* dst, size_t size, const char* src);
// Appends src to the text in dst[size]; returns FALSE when src had to be cut.
bool SafeAppend(char* dst, size_t size, const char* src);
// snprintf into dst[size]; returns FALSE when the result had to be cut.
bool SafeFormat(char* dst, size_t size, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

// Length of the longest prefix of text[0..len) that ends on a character
// boundary of a double-byte code page (lead bytes 0x81..0xFE).
size_t DbcsSafeLength(const char* text, size_t len);

template <size_t N> bool SafeCopy(char (&dst)[N], const char* src) { return SafeCopy(dst, N, src); }
template <size_t N> bool SafeAppend(char (&dst)[N], const char* src) { return SafeAppend(dst, N, src); }
