// The maker's print processor. It takes jobs of the one data type a receipt
// printer driver produces, RAW, and plays each back to its printer unchanged:
// the job's spooled data is read through the job's own printer handle
// ("<printer>, Job <id>") and written through a new document on the
// printer, which the spooler hands to the port. Pausing holds the copy,
// cancelling ends it.
#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

#include <cwchar>

#include "common/SpoolBuffer.h"

#include <strsafe.h>  // last: it retires string functions the headers above still use

namespace {

const WCHAR kRawDatatype[] = L"RAW";
enum { kJobNameSize = 300, kCopyBlock = 4096 };

struct CProcessorHandle {
    WCHAR m_szPrinter[kJobNameSize];
    DWORD m_nJobId;
    HANDLE m_hResumed;     // set while the job may run
    volatile LONG m_bCancelled;
};

bool IsRawDatatype(LPCWSTR datatype)
{
    return datatype && _wcsicmp(datatype, kRawDatatype) == 0;
}

// Copies the job's data to the printer; false when reading or writing
// failed or the job was cancelled.
bool CopyJob(CProcessorHandle* job, HANDLE hJob, HANDLE hPrinter)
{
    BYTE block[kCopyBlock];
    for (;;) {
        WaitForSingleObject(job->m_hResumed, INFINITE);
        if (job->m_bCancelled)
            return false;
        DWORD read = 0;
        if (!ReadPrinter(hJob, block, sizeof(block), &read))
            return false;
        if (read == 0)
            return true;
        DWORD written = 0;
        if (!WritePrinter(hPrinter, block, read, &written) || written != read)
            return false;
    }
}

}  // namespace

extern "C" {

__declspec(dllexport) BOOL WINAPI EnumPrintProcessorDatatypesW(LPWSTR, LPWSTR, DWORD Level, LPBYTE pDatatypes,
                                                               DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    *pcReturned = 0;
    if (Level != 1) {
        SetLastError(ERROR_INVALID_LEVEL);
        return FALSE;
    }
    CSpoolBuffer buffer(pDatatypes, cbBuf);
    if (!buffer.Reserve(sizeof(DATATYPES_INFO_1W) + StringBytes(kRawDatatype), pcbNeeded))
        return FALSE;
    auto* info = reinterpret_cast<DATATYPES_INFO_1W*>(buffer.NextRecord(sizeof(DATATYPES_INFO_1W)));
    info->pName = buffer.PackString(kRawDatatype);
    *pcReturned = 1;
    return TRUE;
}

__declspec(dllexport) HANDLE WINAPI OpenPrintProcessor(LPWSTR pPrinterName, PPRINTPROCESSOROPENDATA pOpenData)
{
    if (!pPrinterName || !pOpenData || !IsRawDatatype(pOpenData->pDatatype)) {
        SetLastError(ERROR_INVALID_DATATYPE);
        return nullptr;
    }
    auto* job = new CProcessorHandle{};
    if (FAILED(StringCchCopyW(job->m_szPrinter, kJobNameSize, pPrinterName))) {
        delete job;
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return nullptr;
    }
    job->m_nJobId = pOpenData->JobId;
    job->m_hResumed = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    if (!job->m_hResumed) {
        delete job;
        return nullptr;
    }
    return job;
}

__declspec(dllexport) BOOL WINAPI PrintDocumentOnPrintProcessor(HANDLE hPrintProcessor, LPWSTR pDocumentName)
{
    auto* job = static_cast<CProcessorHandle*>(hPrintProcessor);
    WCHAR jobName[kJobNameSize];
    if (FAILED(StringCchPrintfW(jobName, kJobNameSize, L"%s, Job %lu", job->m_szPrinter, job->m_nJobId))) {
        SetLastError(ERROR_INVALID_PRINTER_NAME);
        return FALSE;
    }
    HANDLE hJob;
    if (!OpenPrinterW(jobName, &hJob, nullptr))
        return FALSE;
    HANDLE hPrinter;
    if (!OpenPrinterW(job->m_szPrinter, &hPrinter, nullptr)) {
        ClosePrinter(hJob);
        return FALSE;
    }
    DOC_INFO_1W document = {pDocumentName, nullptr, const_cast<LPWSTR>(kRawDatatype)};
    bool done = false;
    if (StartDocPrinterW(hPrinter, 1, reinterpret_cast<LPBYTE>(&document))) {
        done = CopyJob(job, hJob, hPrinter);
        EndDocPrinter(hPrinter);
    }
    ClosePrinter(hPrinter);
    ClosePrinter(hJob);
    return done;
}

__declspec(dllexport) BOOL WINAPI ControlPrintProcessor(HANDLE hPrintProcessor, DWORD Command)
{
    auto* job = static_cast<CProcessorHandle*>(hPrintProcessor);
    switch (Command) {
    case JOB_CONTROL_PAUSE:
        return ResetEvent(job->m_hResumed);
    case JOB_CONTROL_RESUME:
        return SetEvent(job->m_hResumed);
    case JOB_CONTROL_CANCEL:
        InterlockedExchange(&job->m_bCancelled, TRUE);
        return SetEvent(job->m_hResumed);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
}

__declspec(dllexport) BOOL WINAPI ClosePrintProcessor(HANDLE hPrintProcessor)
{
    auto* job = static_cast<CProcessorHandle*>(hPrintProcessor);
    CloseHandle(job->m_hResumed);
    delete job;
    return TRUE;
}

// One copy per page, pages in order, one page per sheet: RAW data is sent
// as it is.
__declspec(dllexport) DWORD WINAPI GetPrintProcessorCapabilities(LPWSTR pValueName, DWORD, LPBYTE pData, DWORD nSize,
                                                                 LPDWORD pcbNeeded)
{
    if (!pcbNeeded || !IsRawDatatype(pValueName))
        return ERROR_INVALID_PARAMETER;
    *pcbNeeded = sizeof(PRINTPROCESSOR_CAPS_1);
    if (!pData || nSize < sizeof(PRINTPROCESSOR_CAPS_1))
        return ERROR_MORE_DATA;
    auto* caps = reinterpret_cast<PRINTPROCESSOR_CAPS_1*>(pData);
    caps->dwLevel = 1;
    caps->dwNupOptions = 1;
    caps->dwPageOrderFlags = NORMAL_PRINT;
    caps->dwNumberOfCopies = 1;
    return ERROR_SUCCESS;
}

}  // extern "C"
