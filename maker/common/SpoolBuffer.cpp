#include "common/SpoolBuffer.h"

#include <cstring>
#include <cwchar>

DWORD StringBytes(LPCWSTR text)
{
    return static_cast<DWORD>((wcslen(text) + 1) * sizeof(WCHAR));
}

CSpoolBuffer::CSpoolBuffer(LPBYTE buffer, DWORD size)
    : m_pBuffer(buffer), m_cbSize(buffer ? size : 0), m_pRecord(buffer),
      m_pStrings(buffer ? buffer + (m_cbSize & ~1u) : nullptr)
{
}

BOOL CSpoolBuffer::Reserve(DWORD needed, LPDWORD pcbNeeded)
{
    *pcbNeeded = needed;
    if (!m_pBuffer || needed > (m_cbSize & ~1u)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    return TRUE;
}

LPBYTE CSpoolBuffer::NextRecord(DWORD size)
{
    LPBYTE record = m_pRecord;
    memset(record, 0, size);
    m_pRecord += size;
    return record;
}

LPWSTR CSpoolBuffer::PackString(LPCWSTR text)
{
    DWORD bytes = StringBytes(text);
    m_pStrings -= bytes;
    memcpy(m_pStrings, text, bytes);
    return reinterpret_cast<LPWSTR>(m_pStrings);
}
