// The spooler's printers: creation, handles, the info levels 2, 4 and 5,
// deletion and the default printer.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_ini.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"
#include "platform/sim/sim_spool_info.h"
#include "platform/sim/sim_spooler.h"

namespace {

const char kPrinterKeys[][64] = {"SYSTEM\\CurrentControlSet\\Control\\Print\\Printers\\",
                                 "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Print\\Printers\\"};
const size_t kMaxPrinterName = 220;

// The data types the system's own print processor takes.
const char* const kWinprintDatatypes[] = {"RAW", "RAW [FF appended]", "RAW [FF auto]", "NT EMF 1.003", "NT EMF 1.006",
                                          "NT EMF 1.007", "NT EMF 1.008", "TEXT", "XPS2GDI"};

// What a user who is no administrator may do with a printer or the server.
const DWORD kUserPrinterRights = PRINTER_ACCESS_USE | READ_CONTROL | SERVER_ACCESS_ENUMERATE;

std::string Text(LPCSTR psz)
{
    return psz ? std::string(psz) : std::string();
}

DWORD MapPrinterRights(DWORD dwDesired, DWORD dwDefault)
{
    if (!dwDesired)
        return dwDefault;
    DWORD dwRights = dwDesired & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
    if (dwDesired & (GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE))
        dwRights |= READ_CONTROL | PRINTER_ACCESS_USE;
    if (dwDesired & GENERIC_ALL)
        dwRights |= PRINTER_ALL_ACCESS | SERVER_ALL_ACCESS;
    return dwRights;
}

bool StartsWith(const std::string& text, const char* pszPrefix)
{
    return text.compare(0, strlen(pszPrefix), pszPrefix) == 0;
}

}  // namespace

SSimPrinter* CSimSpooler::FindPrinter(const std::string& name)
{
    for (SSimPrinter& printer : m_printers) {
        if (SimEqualNoCase(printer.m_strName, name))
            return &printer;
    }
    return nullptr;
}

const SSimPrinter* CSimSpooler::FindPrinter(const std::string& name) const
{
    return const_cast<CSimSpooler*>(this)->FindPrinter(name);
}

const CSimSpooler::SHandle* CSimSpooler::HandleOf(HANDLE hPrinter) const
{
    auto it = m_handles.find(hPrinter);
    return it == m_handles.end() ? nullptr : &it->second;
}

SSimPrinter* CSimSpooler::PrinterOf(const SHandle& handle)
{
    for (SSimPrinter& printer : m_printers) {
        if (handle.m_eKind == SHandle::kPrinter && printer.m_nId == handle.m_nPrinterId)
            return &printer;
    }
    return nullptr;
}

HANDLE CSimSpooler::AddHandle(const SHandle& handle)
{
    HANDLE hHandle = reinterpret_cast<HANDLE>(m_nextHandle);
    m_nextHandle += 4;
    m_handles[hHandle] = handle;
    return hHandle;
}

// The checks of AddPrinter and SetPrinter, in the order the spooler makes them.
DWORD CSimSpooler::CheckPrinterFields(const SSimPrinter& printer, int nSelfId) const
{
    const std::string& name = printer.m_strName;
    if (name.empty() || name.size() > kMaxPrinterName || name.find_first_of("\\,") != std::string::npos)
        return ERROR_INVALID_PRINTER_NAME;
    const SSimPrinter* pSame = FindPrinter(name);
    if (pSame && pSame->m_nId != nSelfId)
        return ERROR_PRINTER_ALREADY_EXISTS;
    if (!DriverInstalled(printer.m_strDriverName, NativeEnvironment()))
        return ERROR_UNKNOWN_PRINTER_DRIVER;
    const SSimProcessor* pProcessor = FindProcessor(printer.m_strPrintProcessor, NativeEnvironment());
    if (!pProcessor)
        return ERROR_UNKNOWN_PRINTPROCESSOR;
    if (SimEqualNoCase(pProcessor->m_strName, "winprint") &&
        std::none_of(std::begin(kWinprintDatatypes), std::end(kWinprintDatatypes),
                     [&](const char* psz) { return SimEqualNoCase(psz, printer.m_strDatatype); }))
        return ERROR_INVALID_DATATYPE;
    if (!PortsExist(printer.m_strPortName))
        return ERROR_UNKNOWN_PORT;
    return ERROR_SUCCESS;
}

// The registry keys Windows keeps for each printer, which programs open by name.
void CSimSpooler::WritePrinterKeys(const SSimPrinter& printer, bool bPresent)
{
    CSimRegistry& registry = m_machine.Registry();
    for (const char* pszKey : kPrinterKeys) {
        const std::string key = pszKey + printer.m_strName;
        if (bPresent)
            registry.CreateKey(HKEY_LOCAL_MACHINE, key);
        else
            registry.DeleteKeyTree(HKEY_LOCAL_MACHINE, key);
    }
}

// On the Windows 9x family the default printer shows as an attribute and is set through it.
bool CSimSpooler::HasDefaultAttribute() const
{
    return m_machine.Config().m_dwPlatformId != VER_PLATFORM_WIN32_NT;
}

HANDLE CSimSpooler::AddPrinterA(LPSTR pName, DWORD level, LPBYTE pPrinter)
{
    const PRINTER_INFO_2A* pInfo = level == 2 ? reinterpret_cast<const PRINTER_INFO_2A*>(pPrinter) : nullptr;
    CSimCall call(m_machine, "AddPrinterA", pInfo ? SimArgs(pName, level, pInfo->pPrinterName, pInfo->pPortName, pInfo->pDriverName, pInfo->pPrintProcessor) : SimArgs(pName, level));
    const HANDLE hNone = nullptr;
    if (Unavailable(call))
        return hNone;
    if (!IsLocalServer(pName))
        return call.Fail(hNone, ERROR_INVALID_NAME);
    if (level != 2)
        return call.Fail(hNone, ERROR_INVALID_LEVEL);
    if (!pInfo)
        return call.Fail(hNone, ERROR_INVALID_PARAMETER);
    SSimPrinter printer;
    printer.m_strName = Text(pInfo->pPrinterName);
    printer.m_strShareName = Text(pInfo->pShareName);
    printer.m_strPortName = Text(pInfo->pPortName);
    printer.m_strDriverName = Text(pInfo->pDriverName);
    printer.m_strComment = Text(pInfo->pComment);
    printer.m_strLocation = Text(pInfo->pLocation);
    printer.m_strSepFile = Text(pInfo->pSepFile);
    printer.m_strPrintProcessor = Text(pInfo->pPrintProcessor);
    printer.m_strDatatype = pInfo->pDatatype ? pInfo->pDatatype : "RAW";
    printer.m_strParameters = Text(pInfo->pParameters);
    printer.m_dwAttributes = pInfo->Attributes & ~PRINTER_ATTRIBUTE_DEFAULT;
    printer.m_dwPriority = pInfo->Priority;
    printer.m_dwDefaultPriority = pInfo->DefaultPriority;
    printer.m_dwStartTime = pInfo->StartTime;
    printer.m_dwUntilTime = pInfo->UntilTime;
    const DWORD dwError = CheckPrinterFields(printer, 0);
    if (dwError != ERROR_SUCCESS)
        return call.Fail(hNone, dwError);
    printer.m_nId = m_nNextPrinterId++;
    m_printers.push_back(printer);
    WritePrinterKeys(printer, true);
    if (HasDefaultAttribute() && (pInfo->Attributes & PRINTER_ATTRIBUTE_DEFAULT))
        SetDefault(printer);
    return call.Succeed(AddHandle({SHandle::kPrinter, printer.m_nId, std::string(), PRINTER_ALL_ACCESS}));
}

BOOL CSimSpooler::OpenPrinterA(LPSTR pPrinterName, PHANDLE phPrinter, LPVOID pDefault)
{
    const PRINTER_DEFAULTSA* pDefaults = static_cast<const PRINTER_DEFAULTSA*>(pDefault);
    const DWORD dwDesired = pDefaults ? pDefaults->DesiredAccess : 0;
    CSimCall call(m_machine, "OpenPrinterA", SimArgs(pPrinterName, SimHex(dwDesired)));
    if (phPrinter)
        *phPrinter = nullptr;
    if (Unavailable(call))
        return FALSE;
    if (!phPrinter)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const bool bAdmin = m_machine.Config().m_bAdministrator;
    SHandle handle = {SHandle::kServer, 0, std::string(), 0};
    if (!pPrinterName) {
        handle.m_dwAccess = MapPrinterRights(dwDesired, SERVER_ACCESS_ENUMERATE);
    } else {
        const std::string name = pPrinterName;
        if (name.empty())
            return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
        if (StartsWith(name, ",XcvMonitor ") || StartsWith(name, ",XcvPort ")) {
            const bool bMonitor = StartsWith(name, ",XcvMonitor ");
            const std::string object = name.substr(bMonitor ? strlen(",XcvMonitor ") : strlen(",XcvPort "));
            const SSimMonitor* pMonitor = FindMonitor(bMonitor ? object : MonitorOfPort(object));
            if (!pMonitor)
                return call.Fail(FALSE, ERROR_UNKNOWN_PORT);
            handle.m_eKind = SHandle::kXcv;
            handle.m_strMonitor = pMonitor->m_strName;
            handle.m_dwAccess = MapPrinterRights(dwDesired, SERVER_ACCESS_ENUMERATE);
        } else {
            const SSimPrinter* pPrinter = FindPrinter(name);
            if (!pPrinter)
                return call.Fail(FALSE, ERROR_INVALID_PRINTER_NAME);
            handle.m_eKind = SHandle::kPrinter;
            handle.m_nPrinterId = pPrinter->m_nId;
            handle.m_dwAccess = MapPrinterRights(dwDesired, PRINTER_ACCESS_USE);
        }
    }
    if (!bAdmin && (handle.m_dwAccess & ~kUserPrinterRights))
        return call.Fail(FALSE, ERROR_ACCESS_DENIED);
    *phPrinter = AddHandle(handle);
    return call.Succeed(TRUE);
}

// One record of a printer at level 2, 4 or 5; false for another level. The
// device mode and the security descriptor are not simulated: their pointers
// stay NULL.
bool CSimSpooler::AddPrinterRecord(DWORD level, const SSimPrinter& printer, CSimInfoRecords& records) const
{
    if (level == 4) {
        PRINTER_INFO_4A info = {};
        info.Attributes = printer.m_dwAttributes | PRINTER_ATTRIBUTE_LOCAL;
        records.Add(&info);
        records.Text(offsetof(PRINTER_INFO_4A, pPrinterName), printer.m_strName);
        return true;
    }
    if (level == 5) {
        PRINTER_INFO_5A info = {};
        info.Attributes = printer.m_dwAttributes | PRINTER_ATTRIBUTE_LOCAL;
        info.DeviceNotSelectedTimeout = printer.m_dwDeviceNotSelectedTimeout;
        info.TransmissionRetryTimeout = printer.m_dwTransmissionRetryTimeout;
        records.Add(&info);
        records.Text(offsetof(PRINTER_INFO_5A, pPrinterName), printer.m_strName);
        records.Text(offsetof(PRINTER_INFO_5A, pPortName), printer.m_strPortName);
        return true;
    }
    if (level != 2)
        return false;
    PRINTER_INFO_2A info = {};
    info.Attributes = printer.m_dwAttributes | PRINTER_ATTRIBUTE_LOCAL;
    if (HasDefaultAttribute() && SimEqualNoCase(printer.m_strName, DefaultPrinter()))
        info.Attributes |= PRINTER_ATTRIBUTE_DEFAULT;
    info.Priority = printer.m_dwPriority;
    info.DefaultPriority = printer.m_dwDefaultPriority;
    info.StartTime = printer.m_dwStartTime;
    info.UntilTime = printer.m_dwUntilTime;
    info.Status = printer.m_dwStatus;
    info.cJobs = printer.m_dwJobs;
    records.Add(&info);
    records.Text(offsetof(PRINTER_INFO_2A, pPrinterName), printer.m_strName);
    records.Text(offsetof(PRINTER_INFO_2A, pShareName), printer.m_strShareName);
    records.Text(offsetof(PRINTER_INFO_2A, pPortName), printer.m_strPortName);
    records.Text(offsetof(PRINTER_INFO_2A, pDriverName), printer.m_strDriverName);
    records.Text(offsetof(PRINTER_INFO_2A, pComment), printer.m_strComment);
    records.Text(offsetof(PRINTER_INFO_2A, pLocation), printer.m_strLocation);
    records.Text(offsetof(PRINTER_INFO_2A, pSepFile), printer.m_strSepFile);
    records.Text(offsetof(PRINTER_INFO_2A, pPrintProcessor), printer.m_strPrintProcessor);
    records.Text(offsetof(PRINTER_INFO_2A, pDatatype), printer.m_strDatatype);
    records.Text(offsetof(PRINTER_INFO_2A, pParameters), printer.m_strParameters);
    return true;
}

static size_t RecordSize(DWORD level)
{
    return level == 2 ? sizeof(PRINTER_INFO_2A) : level == 4 ? sizeof(PRINTER_INFO_4A) : sizeof(PRINTER_INFO_5A);
}

BOOL CSimSpooler::GetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded)
{
    CSimCall call(m_machine, "GetPrinterA", SimArgs(hPrinter, level, cbBuf));
    if (Unavailable(call))
        return FALSE;
    const SHandle* pHandle = HandleOf(hPrinter);
    const SSimPrinter* pTarget = pHandle ? PrinterOf(*pHandle) : nullptr;
    if (!pTarget)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    CSimInfoRecords records(RecordSize(level));
    if (!AddPrinterRecord(level, *pTarget, records))
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    return SimAnswerRecords(call, records, pPrinter, cbBuf, pcbNeeded, nullptr);
}

BOOL CSimSpooler::EnumPrintersA(DWORD flags, LPSTR name, DWORD level, LPBYTE pPrinterEnum, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    CSimCall call(m_machine, "EnumPrintersA", SimArgs(SimHex(flags), name, level, cbBuf));
    if (Unavailable(call))
        return FALSE;
    if (level != 2 && level != 4 && level != 5)
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    if (!IsLocalServer(name))
        return call.Fail(FALSE, ERROR_INVALID_NAME);
    if (!pcReturned)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    CSimInfoRecords records(RecordSize(level));
    const bool bAll = (flags & (PRINTER_ENUM_LOCAL | PRINTER_ENUM_NAME)) != 0;
    const bool bDefault = HasDefaultAttribute() && (flags & PRINTER_ENUM_DEFAULT);
    for (const SSimPrinter& printer : m_printers) {
        if (bAll || (bDefault && SimEqualNoCase(printer.m_strName, DefaultPrinter())))
            AddPrinterRecord(level, printer, records);
    }
    return SimAnswerRecords(call, records, pPrinterEnum, cbBuf, pcbNeeded, pcReturned);
}

// The printer of a handle opened with the right; null when the call has been failed.
SSimPrinter* CSimSpooler::PrinterWithAccess(CSimCall& call, HANDLE hPrinter, DWORD dwRight)
{
    if (Unavailable(call))
        return nullptr;
    const SHandle* pHandle = HandleOf(hPrinter);
    SSimPrinter* pTarget = pHandle ? PrinterOf(*pHandle) : nullptr;
    if (!pTarget)
        call.Fail(FALSE, ERROR_INVALID_HANDLE);
    else if (!(pHandle->m_dwAccess & dwRight))
        call.Fail(FALSE, ERROR_ACCESS_DENIED);
    else
        return pTarget;
    return nullptr;
}

BOOL CSimSpooler::SetPrinterA(HANDLE hPrinter, DWORD level, LPBYTE pPrinter, DWORD command)
{
    CSimCall call(m_machine, "SetPrinterA", SimArgs(hPrinter, level, command));
    SSimPrinter* pTarget = PrinterWithAccess(call, hPrinter, PRINTER_ACCESS_ADMINISTER);
    if (!pTarget)
        return FALSE;
    if (level != 2 && level != 5)
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    if (!pPrinter || command)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    SSimPrinter updated = *pTarget;
    DWORD dwAttributes;
    if (level == 2) {
        const PRINTER_INFO_2A* pInfo = reinterpret_cast<const PRINTER_INFO_2A*>(pPrinter);
        if (!pInfo->pPrinterName || !pInfo->pPortName || !pInfo->pDriverName || !pInfo->pPrintProcessor)
            return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
        updated.m_strName = pInfo->pPrinterName;
        updated.m_strShareName = Text(pInfo->pShareName);
        updated.m_strPortName = pInfo->pPortName;
        updated.m_strDriverName = pInfo->pDriverName;
        updated.m_strComment = Text(pInfo->pComment);
        updated.m_strLocation = Text(pInfo->pLocation);
        updated.m_strSepFile = Text(pInfo->pSepFile);
        updated.m_strPrintProcessor = pInfo->pPrintProcessor;
        if (pInfo->pDatatype)
            updated.m_strDatatype = pInfo->pDatatype;
        updated.m_strParameters = Text(pInfo->pParameters);
        updated.m_dwPriority = pInfo->Priority;
        updated.m_dwDefaultPriority = pInfo->DefaultPriority;
        updated.m_dwStartTime = pInfo->StartTime;
        updated.m_dwUntilTime = pInfo->UntilTime;
        dwAttributes = pInfo->Attributes;
    } else {
        const PRINTER_INFO_5A* pInfo = reinterpret_cast<const PRINTER_INFO_5A*>(pPrinter);
        if (!pInfo->pPrinterName || !pInfo->pPortName)
            return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
        updated.m_strName = pInfo->pPrinterName;
        updated.m_strPortName = pInfo->pPortName;
        updated.m_dwDeviceNotSelectedTimeout = pInfo->DeviceNotSelectedTimeout;
        updated.m_dwTransmissionRetryTimeout = pInfo->TransmissionRetryTimeout;
        dwAttributes = pInfo->Attributes;
    }
    // The attributes the spooler reports of itself are not stored.
    updated.m_dwAttributes = dwAttributes & ~(PRINTER_ATTRIBUTE_DEFAULT | PRINTER_ATTRIBUTE_LOCAL);
    const DWORD dwError = CheckPrinterFields(updated, pTarget->m_nId);
    if (dwError != ERROR_SUCCESS)
        return call.Fail(FALSE, dwError);
    const bool bWasDefault = SimEqualNoCase(pTarget->m_strName, DefaultPrinter());
    if (!SimEqualNoCase(updated.m_strName, pTarget->m_strName)) {
        WritePrinterKeys(*pTarget, false);
        WritePrinterKeys(updated, true);
    }
    *pTarget = updated;
    if ((HasDefaultAttribute() && (dwAttributes & PRINTER_ATTRIBUTE_DEFAULT)) || bWasDefault)
        SetDefault(*pTarget);
    return call.Succeed(TRUE);
}

BOOL CSimSpooler::ClosePrinter(HANDLE hPrinter)
{
    CSimCall call(m_machine, "ClosePrinter", SimArgs(hPrinter));
    if (Unavailable(call))
        return FALSE;
    if (!m_handles.erase(hPrinter))
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    return call.Succeed(TRUE);
}

// A printer with queued jobs is only marked; it goes when they are done,
// which never happens here.
BOOL CSimSpooler::DeletePrinter(HANDLE hPrinter)
{
    CSimCall call(m_machine, "DeletePrinter", SimArgs(hPrinter));
    SSimPrinter* pTarget = PrinterWithAccess(call, hPrinter, DELETE);
    if (!pTarget)
        return FALSE;
    if (pTarget->m_dwJobs > 0) {
        pTarget->m_dwStatus |= PRINTER_STATUS_PENDING_DELETION;
        return call.Succeed(TRUE);
    }
    if (SimEqualNoCase(pTarget->m_strName, DefaultPrinter()))
        ClearDefault();
    WritePrinterKeys(*pTarget, false);
    const int nId = pTarget->m_nId;
    m_printers.erase(std::remove_if(m_printers.begin(), m_printers.end(), [&](const SSimPrinter& p) { return p.m_nId == nId; }), m_printers.end());
    return call.Succeed(TRUE);
}

// --- The default printer: the "device" entry of win.ini's [windows] section,
// "name,winspool,port", which Windows NT keeps in the user's registry.

std::string CSimSpooler::DefaultPrinter() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimFileEntry* pEntry = m_machine.Files().Entry(m_machine.Profile().WinIniPath());
    std::string device;
    if (!pEntry || !CSimIniText(pEntry->m_strBytes).Find("windows", "device", &device))
        return std::string();
    return device.substr(0, device.find(','));
}

void CSimSpooler::WriteDevice(const std::string& device)
{
    CSimFileSystem& files = m_machine.Files();
    const std::string path = m_machine.Profile().WinIniPath();
    const SSimFileEntry* pEntry = files.Entry(path);
    CSimIniText ini(pEntry && !pEntry->m_bFolder ? pEntry->m_strBytes : std::string());
    if (device.empty())
        ini.DeleteKey("windows", "device");
    else
        ini.Set("windows", "device", device);
    files.WriteWholeFile(path, ini.Text());
}

void CSimSpooler::SetDefault(const SSimPrinter& printer)
{
    WriteDevice(printer.m_strName + ",winspool," + printer.m_strPortName);
}

void CSimSpooler::ClearDefault()
{
    WriteDevice(std::string());
}

// NULL or an empty name keeps a default there is and otherwise makes the
// first printer the default.
BOOL CSimSpooler::SetDefaultPrinterA(LPCSTR pszPrinter)
{
    CSimCall call(m_machine, "SetDefaultPrinterA", SimArgs(pszPrinter));
    if (Unavailable(call))
        return FALSE;
    if (!pszPrinter || !*pszPrinter) {
        if ((DefaultPrinter().empty() || !FindPrinter(DefaultPrinter())) && !m_printers.empty())
            SetDefault(m_printers.front());
        return call.Succeed(TRUE);
    }
    const SSimPrinter* pPrinter = FindPrinter(pszPrinter);
    if (!pPrinter)
        return call.Fail(FALSE, ERROR_INVALID_PRINTER_NAME);
    SetDefault(*pPrinter);
    return call.Succeed(TRUE);
}

void CSimSpooler::AddPrinter(SSimPrinter printer)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    printer.m_nId = m_nNextPrinterId++;
    m_printers.push_back(printer);
    WritePrinterKeys(printer, true);
}

std::optional<SSimPrinter> CSimSpooler::Printer(const std::string& name) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimPrinter* pPrinter = FindPrinter(name);
    return pPrinter ? std::optional<SSimPrinter>(*pPrinter) : std::nullopt;
}

std::vector<SSimPrinter> CSimSpooler::Printers() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_printers;
}

void CSimSpooler::SetJobs(const std::string& printer, DWORD dwJobs)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (SSimPrinter* pPrinter = FindPrinter(printer))
        pPrinter->m_dwJobs = dwJobs;
}
