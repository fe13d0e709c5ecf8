// Text to integer as C's atoi reads it (leading blanks, optional sign,
// digits; the first other character ends the number; no digits gives 0),
// except that a number out of range is clamped instead of being undefined.
#pragma once

int ParseInt(const char* text);
long ParseLong(const char* text);
