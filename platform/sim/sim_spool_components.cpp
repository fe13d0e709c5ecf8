// The spooler's port monitors with their ports, its print processors, and
// the configuration channels (Xcv) of the Local Port and Standard TCP/IP
// Port monitors.
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"
#include "platform/sim/sim_spool_info.h"
#include "platform/sim/sim_spooler.h"

namespace {

const char kLocalMonitor[] = "Local Port";
const char kTcpMonitor[] = "Standard TCP/IP Port";

std::string Narrow(const WCHAR* pszText, size_t nMaxChars)
{
    std::string text;
    for (size_t i = 0; pszText && i < nMaxChars && pszText[i]; ++i)
        text += pszText[i] < 0x80 ? static_cast<char>(pszText[i]) : '?';
    return text;
}

std::vector<std::string> SplitPorts(const std::string& portList)
{
    std::vector<std::string> ports;
    size_t start = 0;
    while (start <= portList.size()) {
        size_t end = portList.find(',', start);
        if (end == std::string::npos)
            end = portList.size();
        std::string port = portList.substr(start, end - start);
        port.erase(0, port.find_first_not_of(' '));
        port.erase(port.find_last_not_of(' ') + 1);
        if (!port.empty())
            ports.push_back(port);
        start = end + 1;
    }
    return ports;
}

}  // namespace

// --- Monitors and ports ----------------------------------------------------

const SSimMonitor* CSimSpooler::FindMonitor(const std::string& name) const
{
    for (const SSimMonitor& monitor : m_monitors) {
        if (SimEqualNoCase(monitor.m_strName, name))
            return &monitor;
    }
    return nullptr;
}

std::string CSimSpooler::MonitorOfPort(const std::string& port) const
{
    for (const SSimMonitor& monitor : m_monitors) {
        auto it = m_monitorPorts.find(SimFold(monitor.m_strName));
        if (it == m_monitorPorts.end())
            continue;
        for (const std::string& own : it->second) {
            if (SimEqualNoCase(own, port))
                return monitor.m_strName;
        }
    }
    return std::string();
}

bool CSimSpooler::PortsExist(const std::string& portList) const
{
    const std::vector<std::string> ports = SplitPorts(portList);
    return !ports.empty() && std::all_of(ports.begin(), ports.end(), [&](const std::string& port) { return !MonitorOfPort(port).empty(); });
}

bool CSimSpooler::PortInUse(const std::string& port) const
{
    return std::any_of(m_printers.begin(), m_printers.end(), [&](const SSimPrinter& printer) {
        const std::vector<std::string> ports = SplitPorts(printer.m_strPortName);
        return std::any_of(ports.begin(), ports.end(), [&](const std::string& own) { return SimEqualNoCase(own, port); });
    });
}

void CSimSpooler::RemovePort(const std::string& port)
{
    for (auto& entry : m_monitorPorts) {
        std::vector<std::string>& ports = entry.second;
        ports.erase(std::remove_if(ports.begin(), ports.end(), [&](const std::string& own) { return SimEqualNoCase(own, port); }), ports.end());
    }
    m_tcpPorts.erase(SimFold(port));
}

BOOL CSimSpooler::AddMonitorA(LPSTR pName, DWORD level, LPBYTE pMonitors)
{
    const MONITOR_INFO_2A* pInfo = level == 2 ? reinterpret_cast<const MONITOR_INFO_2A*>(pMonitors) : nullptr;
    CSimCall call(m_machine, "AddMonitorA", pInfo ? SimArgs(pName, level, pInfo->pName, pInfo->pEnvironment, pInfo->pDLLName) : SimArgs(pName, level));
    if (RefusedServer(call, pName))
        return FALSE;
    if (level != 2)
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    if (!pInfo || !pInfo->pName || !*pInfo->pName || !pInfo->pDLLName || !*pInfo->pDLLName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (pInfo->pEnvironment && *pInfo->pEnvironment && Environment(pInfo->pEnvironment) != NativeEnvironment())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    // A key that only holds a monitor's settings, without "Driver", is no installed monitor.
    const bool bRegistered = m_machine.Registry().GetString(HKEY_LOCAL_MACHINE, MonitorKey(pInfo->pName), "Driver").has_value();
    if (FindMonitor(pInfo->pName) || bRegistered) {
        const bool bNt = m_machine.Config().m_dwPlatformId == VER_PLATFORM_WIN32_NT;
        return call.Fail(FALSE, bNt ? static_cast<DWORD>(ERROR_PRINT_MONITOR_ALREADY_INSTALLED) : static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    }
    const std::string dll = pInfo->pDLLName;
    const std::string path = dll.find('\\') == std::string::npos ? m_machine.Config().m_strSystemFolder + "\\" + dll : dll;
    if (!m_machine.Files().FileExists(path))
        return call.Fail(FALSE, ERROR_MOD_NOT_FOUND);
    m_machine.Registry().SetString(HKEY_LOCAL_MACHINE, MonitorKey(pInfo->pName), "Driver", dll);
    m_monitors.push_back({pInfo->pName, dll});
    Load(path);
    return call.Succeed(TRUE);
}

BOOL CSimSpooler::DeleteMonitorA(LPSTR pName, LPSTR pEnvironment, LPSTR pMonitorName)
{
    CSimCall call(m_machine, "DeleteMonitorA", SimArgs(pName, pEnvironment, pMonitorName));
    if (RefusedServer(call, pName))
        return FALSE;
    if (pEnvironment && *pEnvironment && Environment(pEnvironment) != NativeEnvironment())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    if (!pMonitorName || !*pMonitorName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const SSimMonitor* pMonitor = FindMonitor(pMonitorName);
    if (!pMonitor)
        return call.Fail(FALSE, ERROR_UNKNOWN_PRINT_MONITOR);
    auto ports = m_monitorPorts.find(SimFold(pMonitor->m_strName));
    if (ports != m_monitorPorts.end() && std::any_of(ports->second.begin(), ports->second.end(), [&](const std::string& port) { return PortInUse(port); }))
        return call.Fail(FALSE, ERROR_PRINT_MONITOR_IN_USE);
    m_machine.Registry().DeleteKeyTree(HKEY_LOCAL_MACHINE, MonitorKey(pMonitor->m_strName));
    const std::string name = pMonitor->m_strName;
    m_monitors.erase(std::remove_if(m_monitors.begin(), m_monitors.end(), [&](const SSimMonitor& m) { return m.m_strName == name; }), m_monitors.end());
    return call.Succeed(TRUE);
}

// The checks that open the server's monitor and port lists, in winspool's order.
bool CSimSpooler::RefusedEnumeration(CSimCall& call, LPCSTR pName, DWORD level, LPDWORD pcReturned) const
{
    if (RefusedServer(call, pName))
        return true;
    if (level != 1 && level != 2)
        call.Fail(FALSE, ERROR_INVALID_LEVEL);
    else if (!pcReturned)
        call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    else
        return false;
    return true;
}

BOOL CSimSpooler::EnumMonitorsA(LPSTR pName, DWORD level, LPBYTE pMonitors, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    CSimCall call(m_machine, "EnumMonitorsA", SimArgs(pName, level, cbBuf));
    if (RefusedEnumeration(call, pName, level, pcReturned))
        return FALSE;
    CSimInfoRecords records(level == 1 ? sizeof(MONITOR_INFO_1A) : sizeof(MONITOR_INFO_2A));
    const std::string environment = NativeEnvironment();
    for (const SSimMonitor& monitor : m_monitors) {
        MONITOR_INFO_2A info = {};
        records.Add(&info);
        records.Text(offsetof(MONITOR_INFO_2A, pName), monitor.m_strName);
        if (level == 2) {
            records.Text(offsetof(MONITOR_INFO_2A, pEnvironment), environment);
            records.Text(offsetof(MONITOR_INFO_2A, pDLLName), monitor.m_strDll);
        }
    }
    return SimAnswerRecords(call, records, pMonitors, cbBuf, pcbNeeded, pcReturned);
}

BOOL CSimSpooler::EnumPortsA(LPSTR pName, DWORD level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    CSimCall call(m_machine, "EnumPortsA", SimArgs(pName, level, cbBuf));
    if (RefusedEnumeration(call, pName, level, pcReturned))
        return FALSE;
    CSimInfoRecords records(level == 1 ? sizeof(PORT_INFO_1A) : sizeof(PORT_INFO_2A));
    for (const SSimMonitor& monitor : m_monitors) {
        auto it = m_monitorPorts.find(SimFold(monitor.m_strName));
        if (it == m_monitorPorts.end())
            continue;
        for (const std::string& port : it->second) {
            PORT_INFO_2A info = {};
            info.fPortType = PORT_TYPE_WRITE;
            records.Add(&info);
            records.Text(offsetof(PORT_INFO_2A, pPortName), port);
            if (level == 2) {
                records.Text(offsetof(PORT_INFO_2A, pMonitorName), monitor.m_strName);
                records.Text(offsetof(PORT_INFO_2A, pDescription), monitor.m_strName);
            }
        }
    }
    return SimAnswerRecords(call, records, pPorts, cbBuf, pcbNeeded, pcReturned);
}

BOOL CSimSpooler::DeletePortA(LPSTR pName, HWND hWnd, LPSTR pPortName)
{
    CSimCall call(m_machine, "DeletePortA", SimArgs(pName, hWnd, pPortName));
    if (RefusedServer(call, pName))
        return FALSE;
    if (!pPortName || !*pPortName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (MonitorOfPort(pPortName).empty())
        return call.Fail(FALSE, ERROR_UNKNOWN_PORT);
    if (PortInUse(pPortName))
        return call.Fail(FALSE, ERROR_BUSY);
    RemovePort(pPortName);
    return call.Succeed(TRUE);
}

// --- Xcv channels ----------------------------------------------------------

DWORD CSimSpooler::XcvAddPort(const std::string& monitor, const BYTE* pInput, DWORD cbInput)
{
    std::string port;
    SSimTcpPort tcp;
    if (SimEqualNoCase(monitor, kTcpMonitor)) {
        PORT_DATA_1 data;
        if (!pInput || cbInput < sizeof(data))
            return ERROR_INVALID_PARAMETER;
        memcpy(&data, pInput, sizeof(data));
        if (data.dwVersion != 1)
            return ERROR_INVALID_PARAMETER;
        port = Narrow(data.sztPortName, MAX_PORTNAME_LEN);
        tcp.m_strName = port;
        tcp.m_strHostAddress = Narrow(data.sztHostAddress, MAX_NETWORKNAME_LEN);
        tcp.m_dwProtocol = data.dwProtocol;
        tcp.m_dwPortNumber = data.dwPortNumber;
        tcp.m_strSnmpCommunity = Narrow(data.sztSNMPCommunity, MAX_SNMP_COMMUNITY_STR_LEN);
        tcp.m_dwSnmpEnabled = data.dwSNMPEnabled;
        tcp.m_dwSnmpDevIndex = data.dwSNMPDevIndex;
    } else if (SimEqualNoCase(monitor, kLocalMonitor)) {
        if (!pInput)
            return ERROR_INVALID_PARAMETER;
        port = Narrow(reinterpret_cast<const WCHAR*>(pInput), cbInput / sizeof(WCHAR));
    } else {
        return ERROR_INVALID_PARAMETER;
    }
    if (port.empty())
        return ERROR_INVALID_PARAMETER;
    if (!MonitorOfPort(port).empty())
        return ERROR_ALREADY_EXISTS;
    m_monitorPorts[SimFold(monitor)].push_back(port);
    if (!tcp.m_strName.empty())
        m_tcpPorts[SimFold(port)] = tcp;
    return ERROR_SUCCESS;
}

DWORD CSimSpooler::XcvDeletePort(const std::string& monitor, const BYTE* pInput, DWORD cbInput)
{
    std::string port;
    if (SimEqualNoCase(monitor, kTcpMonitor)) {
        DELETE_PORT_DATA_1 data;
        if (!pInput || cbInput < sizeof(data))
            return ERROR_INVALID_PARAMETER;
        memcpy(&data, pInput, sizeof(data));
        if (data.dwVersion != 1)
            return ERROR_INVALID_PARAMETER;
        port = Narrow(data.psztPortName, MAX_PORTNAME_LEN);
    } else if (SimEqualNoCase(monitor, kLocalMonitor) && pInput) {
        port = Narrow(reinterpret_cast<const WCHAR*>(pInput), cbInput / sizeof(WCHAR));
    } else {
        return ERROR_INVALID_PARAMETER;
    }
    if (!SimEqualNoCase(MonitorOfPort(port), monitor))
        return ERROR_FILE_NOT_FOUND;
    if (PortInUse(port))
        return ERROR_BUSY;
    RemovePort(port);
    return ERROR_SUCCESS;
}

// The call itself succeeds whenever it reaches the monitor; the monitor's
// verdict is the status.
BOOL CSimSpooler::XcvDataW(HANDLE hXcv, LPCWSTR pszDataName, PBYTE pInputData, DWORD cbInputData, PBYTE, DWORD, PDWORD pcbOutputNeeded, PDWORD pdwStatus)
{
    const std::string command = Narrow(pszDataName, 64);
    CSimCall call(m_machine, "XcvDataW", SimArgs(hXcv, command.c_str(), cbInputData));
    if (Unavailable(call))
        return FALSE;
    const SHandle* pHandle = HandleOf(hXcv);
    if (!pHandle || pHandle->m_eKind != SHandle::kXcv)
        return call.Fail(FALSE, ERROR_INVALID_HANDLE);
    if (!pszDataName || !pcbOutputNeeded || !pdwStatus)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    *pcbOutputNeeded = 0;
    const bool bAdmin = (pHandle->m_dwAccess & SERVER_ACCESS_ADMINISTER) != 0;
    if (command == "AddPort")
        *pdwStatus = bAdmin ? XcvAddPort(pHandle->m_strMonitor, pInputData, cbInputData) : static_cast<DWORD>(ERROR_ACCESS_DENIED);
    else if (command == "DeletePort")
        *pdwStatus = bAdmin ? XcvDeletePort(pHandle->m_strMonitor, pInputData, cbInputData) : static_cast<DWORD>(ERROR_ACCESS_DENIED);
    else
        *pdwStatus = ERROR_INVALID_PARAMETER;
    call.Note("status " + std::to_string(*pdwStatus));
    return call.Succeed(TRUE);
}

// --- Print processors ------------------------------------------------------

const SSimProcessor* CSimSpooler::FindProcessor(const std::string& name, const std::string& environment) const
{
    for (const SSimProcessor& processor : m_processors) {
        if (SimEqualNoCase(processor.m_strName, name) && processor.m_strEnvironment == environment)
            return &processor;
    }
    return nullptr;
}

BOOL CSimSpooler::AddPrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPathName, LPSTR pPrintProcessorName)
{
    CSimCall call(m_machine, "AddPrintProcessorA", SimArgs(pName, pEnvironment, pPathName, pPrintProcessorName));
    if (RefusedServer(call, pName))
        return FALSE;
    const std::string environment = Environment(pEnvironment);
    if (environment.empty())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    if (!pPathName || !*pPathName || !pPrintProcessorName || !*pPrintProcessorName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    if (FindProcessor(pPrintProcessorName, environment))
        return call.Fail(FALSE, ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED);
    // The library is loaded from the processor folder, where the installer put it.
    const std::string path = ProcessorFolder(environment) + "\\" + SimLeaf(pPathName);
    if (!m_machine.Files().FileExists(path))
        return call.Fail(FALSE, ERROR_MOD_NOT_FOUND);
    m_machine.Registry().SetString(HKEY_LOCAL_MACHINE, ProcessorsKey(environment) + "\\" + pPrintProcessorName, "Driver", pPathName);
    m_processors.push_back({pPrintProcessorName, environment, pPathName});
    if (environment == NativeEnvironment())
        Load(path);
    return call.Succeed(TRUE);
}

BOOL CSimSpooler::DeletePrintProcessorA(LPSTR pName, LPSTR pEnvironment, LPSTR pPrintProcessorName)
{
    CSimCall call(m_machine, "DeletePrintProcessorA", SimArgs(pName, pEnvironment, pPrintProcessorName));
    if (RefusedServer(call, pName))
        return FALSE;
    const std::string environment = Environment(pEnvironment);
    if (environment.empty())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    if (!pPrintProcessorName || !*pPrintProcessorName)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    const SSimProcessor* pProcessor = FindProcessor(pPrintProcessorName, environment);
    if (!pProcessor)
        return call.Fail(FALSE, ERROR_UNKNOWN_PRINTPROCESSOR);
    const std::string name = pProcessor->m_strName;
    if (environment == NativeEnvironment() &&
        std::any_of(m_printers.begin(), m_printers.end(), [&](const SSimPrinter& printer) { return SimEqualNoCase(printer.m_strPrintProcessor, name); }))
        return call.Fail(FALSE, ERROR_CAN_NOT_COMPLETE);
    m_machine.Registry().DeleteKeyTree(HKEY_LOCAL_MACHINE, ProcessorsKey(environment) + "\\" + name);
    m_processors.erase(std::remove_if(m_processors.begin(), m_processors.end(),
                                      [&](const SSimProcessor& p) { return p.m_strName == name && p.m_strEnvironment == environment; }),
                       m_processors.end());
    return call.Succeed(TRUE);
}

BOOL CSimSpooler::EnumPrintProcessorsA(LPSTR pName, LPSTR pEnvironment, DWORD level, LPBYTE pPrintProcessorInfo, DWORD cbBuf, LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    CSimCall call(m_machine, "EnumPrintProcessorsA", SimArgs(pName, pEnvironment, level, cbBuf));
    if (RefusedServer(call, pName))
        return FALSE;
    const std::string environment = Environment(pEnvironment);
    if (environment.empty())
        return call.Fail(FALSE, ERROR_INVALID_ENVIRONMENT);
    if (level != 1)
        return call.Fail(FALSE, ERROR_INVALID_LEVEL);
    if (!pcReturned)
        return call.Fail(FALSE, ERROR_INVALID_PARAMETER);
    CSimInfoRecords records(sizeof(PRINTPROCESSOR_INFO_1A));
    for (const SSimProcessor& processor : m_processors) {
        if (processor.m_strEnvironment != environment)
            continue;
        PRINTPROCESSOR_INFO_1A info = {};
        records.Add(&info);
        records.Text(offsetof(PRINTPROCESSOR_INFO_1A, pName), processor.m_strName);
    }
    return SimAnswerRecords(call, records, pPrintProcessorInfo, cbBuf, pcbNeeded, pcReturned);
}

// --- Test helpers ----------------------------------------------------------

void CSimSpooler::AddMonitor(const std::string& name, const std::string& dll, const std::vector<std::string>& ports)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_machine.Registry().SetString(HKEY_LOCAL_MACHINE, MonitorKey(name), "Driver", dll);
    if (!ports.empty())
        SetMonitorPorts(name, ports);
    if (!m_machine.Services().IsSpoolerRunning() || FindMonitor(name))
        return;
    m_monitors.push_back({name, dll});
    Load(m_machine.Config().m_strSystemFolder + "\\" + dll);
}

void CSimSpooler::SetMonitorPorts(const std::string& monitor, const std::vector<std::string>& ports)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_monitorPorts[SimFold(monitor)] = ports;
}

std::vector<SSimMonitor> CSimSpooler::Monitors() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_monitors;
}

std::vector<std::string> CSimSpooler::Ports() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::vector<std::string> ports;
    for (const SSimMonitor& monitor : m_monitors) {
        auto it = m_monitorPorts.find(SimFold(monitor.m_strName));
        if (it != m_monitorPorts.end())
            ports.insert(ports.end(), it->second.begin(), it->second.end());
    }
    return ports;
}

std::optional<SSimTcpPort> CSimSpooler::TcpPort(const std::string& name) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    auto it = m_tcpPorts.find(SimFold(name));
    return it == m_tcpPorts.end() ? std::nullopt : std::optional<SSimTcpPort>(it->second);
}

void CSimSpooler::AddPrintProcessor(const std::string& name, const std::string& dll, const std::string& environment)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const std::string place = Environment(environment.c_str());
    m_machine.Registry().SetString(HKEY_LOCAL_MACHINE, ProcessorsKey(place) + "\\" + name, "Driver", dll);
    if (!m_machine.Services().IsSpoolerRunning() || FindProcessor(name, place))
        return;
    m_processors.push_back({name, place, dll});
    if (place == NativeEnvironment())
        Load(ProcessorFolder(place) + "\\" + dll);
}

std::vector<SSimProcessor> CSimSpooler::Processors() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_processors;
}
