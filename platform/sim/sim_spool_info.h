// The spooler's info records as the ANSI entry points hand them out: the
// fixed parts of all records first, their texts after them, pointers into
// the same buffer. The size asked for is that of the wide-character records:
// winspool fills the caller's buffer with those and converts it in place, so
// a buffer of exactly the ANSI size is refused with 122 as on Windows.
#pragma once

#include <string>
#include <vector>

#include "platform/wintypes.h"

class CSimCall;

class CSimInfoRecords {
public:
    explicit CSimInfoRecords(size_t cbRecord) : m_cbRecord(cbRecord) {}

    // Starts a record from its fixed part (texts are set with Text).
    void Add(const void* pFixed);
    // The text of a pointer field of the last record (nullptr leaves it NULL).
    void Text(size_t nFieldOffset, const std::string* pText);
    void Text(size_t nFieldOffset, const std::string& text) { Text(nFieldOffset, &text); }

    DWORD Count() const { return static_cast<DWORD>(m_records.size()); }
    // Bytes the caller must offer.
    DWORD Needed() const;
    // Copies the records into pBuffer, which holds at least Needed() bytes.
    void Write(LPBYTE pBuffer) const;

private:
    struct SText {
        size_t m_nOffset;
        std::string m_strText;
    };
    struct SRecord {
        std::vector<BYTE> m_fixed;
        std::vector<SText> m_texts;
    };
    size_t m_cbRecord;
    std::vector<SRecord> m_records;
};

// The two-pass size protocol of the Enum and Get calls: the needed size is
// always reported; a missing or short buffer fails with 122 (1784 for a NULL
// buffer that claims a size). pcReturned may be NULL for the Get calls.
BOOL SimAnswerRecords(CSimCall& call, const CSimInfoRecords& records, LPBYTE pBuffer, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned);
