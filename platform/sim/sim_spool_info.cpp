#include "platform/sim/sim_spool_info.h"

#include <cstring>

#include "platform/sim/sim_call.h"

void CSimInfoRecords::Add(const void* pFixed)
{
    SRecord record;
    const BYTE* pBytes = static_cast<const BYTE*>(pFixed);
    record.m_fixed.assign(pBytes, pBytes + m_cbRecord);
    m_records.push_back(record);
}

void CSimInfoRecords::Text(size_t nFieldOffset, const std::string* pText)
{
    if (pText && !m_records.empty() && nFieldOffset + sizeof(char*) <= m_cbRecord)
        m_records.back().m_texts.push_back({nFieldOffset, *pText});
}

DWORD CSimInfoRecords::Needed() const
{
    size_t cbNeeded = m_records.size() * m_cbRecord;
    for (const SRecord& record : m_records) {
        for (const SText& text : record.m_texts)
            cbNeeded += (text.m_strText.size() + 1) * sizeof(WCHAR);
    }
    return static_cast<DWORD>(cbNeeded);
}

void CSimInfoRecords::Write(LPBYTE pBuffer) const
{
    LPBYTE pText = pBuffer + m_records.size() * m_cbRecord;
    for (size_t i = 0; i < m_records.size(); ++i) {
        LPBYTE pRecord = pBuffer + i * m_cbRecord;
        memcpy(pRecord, m_records[i].m_fixed.data(), m_cbRecord);
        for (const SText& text : m_records[i].m_texts) {
            memcpy(pText, text.m_strText.c_str(), text.m_strText.size() + 1);
            char* pszText = reinterpret_cast<char*>(pText);
            memcpy(pRecord + text.m_nOffset, &pszText, sizeof(pszText));
            pText += text.m_strText.size() + 1;
        }
    }
}

BOOL SimAnswerRecords(CSimCall& call, const CSimInfoRecords& records, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    if (!pcbNeeded)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const DWORD cbNeeded = records.Needed();
    *pcbNeeded = cbNeeded;
    if (pcReturned)
        *pcReturned = 0;
    if (!pBuffer && cbBuf)
        return call.Fail(FALSE, ERROR_INVALID_USER_BUFFER);
    if (cbBuf < cbNeeded)
        return call.Fail(FALSE, ERROR_INSUFFICIENT_BUFFER);
    if (cbNeeded)
        records.Write(pBuffer);
    if (pcReturned)
        *pcReturned = records.Count();
    call.Note(std::to_string(records.Count()) + " records");
    return call.Succeed(TRUE);
}
