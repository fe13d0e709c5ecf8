// A spooler enumeration buffer laid out the way the spooler lays out its own:
// the fixed records from the front, their strings packed from the end. The
// caller counts the bytes first (RecordBytes); a buffer that is too small is
// answered with the count and ERROR_INSUFFICIENT_BUFFER, as the spooler does.
#pragma once

#include <windows.h>

// Bytes a string takes in the buffer, with its terminator.
DWORD StringBytes(LPCWSTR text);

class CSpoolBuffer {
public:
    CSpoolBuffer(LPBYTE buffer, DWORD size);

    // FALSE, with *pcbNeeded = needed and ERROR_INSUFFICIENT_BUFFER set, when
    // the buffer cannot take `needed` bytes; TRUE (and *pcbNeeded) otherwise.
    BOOL Reserve(DWORD needed, LPDWORD pcbNeeded);
    // The next record of `size` bytes, zeroed.
    LPBYTE NextRecord(DWORD size);
    // A copy of `text` among the strings at the end.
    LPWSTR PackString(LPCWSTR text);

private:
    LPBYTE m_pBuffer;
    DWORD m_cbSize;
    LPBYTE m_pRecord;
    LPBYTE m_pStrings;
};
