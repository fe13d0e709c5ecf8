#include "platform/sim/sim_usb.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

namespace {

const char kAccessLibrary[] = "VoRezUvu.dll";
const char kEnumLibrary[] = "UsbPrnEnum.dll";
// The caller's text buffer of EnumUSBPrinter; the library is told no size.
const size_t kEnumerationSize = 1024;
const size_t kDescriptorSize = 18;

// Devices every machine has that are not the maker's printers.
const char* const kBaseDevices[] = {
    "PCI\\VEN_8086&DEV_7020&SUBSYS_11001AF4&REV_01",
    "USB\\ROOT_HUB",
};

std::string MultiSz(const std::string& first)
{
    return first.empty() ? std::string() : first + std::string(1, '\0') + std::string(1, '\0');
}

std::string HexBytes(const BYTE* pData, LONG lCount)
{
    std::string text;
    char sz[4];
    for (LONG i = 0; i < lCount; ++i) {
        snprintf(sz, sizeof(sz), "%02x", pData[i]);
        text += sz;
    }
    return text;
}

LONG WINAPI SimOpenDeviceX(LONG lIndex)
{
    return CSimMachine::Current().Usb().OpenDeviceX(lIndex);
}

BOOL WINAPI SimGetDescriptor(LONG lHandle, BYTE* pDescriptor)
{
    return CSimMachine::Current().Usb().GetDescriptor(lHandle, pDescriptor);
}

LONG WINAPI SimUWrite(LONG lHandle, LONG lReserved, const BYTE* pData, LONG lCount)
{
    return CSimMachine::Current().Usb().uWrite(lHandle, lReserved, pData, lCount);
}

void WINAPI SimCloseDevice(LONG lHandle)
{
    CSimMachine::Current().Usb().CloseDevice(lHandle);
}

int WINAPI SimEnumUSBPrinter(char* pszText)
{
    return CSimMachine::Current().Usb().EnumUSBPrinter(pszText);
}

}  // namespace

SSimUsbPrinter SSimUsbPrinter::Make(int nIndex, WORD wIdentity, const std::string& model, WORD wProductId)
{
    SSimUsbPrinter printer;
    printer.m_nIndex = nIndex;
    printer.m_wIdentity = wIdentity;
    printer.m_strModel = model;
    printer.m_wProductId = wProductId;
    return printer;
}

std::string SSimUsbPrinter::HardwareIds() const
{
    char szFirst[64];
    char szSecond[64];
    snprintf(szFirst, sizeof(szFirst), "USB\\VID_%04X&PID_%04X&REV_0100", m_wVendorId, m_wProductId);
    snprintf(szSecond, sizeof(szSecond), "USB\\VID_%04X&PID_%04X", m_wVendorId, m_wProductId);
    const std::string first = m_strHardwareId.empty() ? std::string(szFirst) : m_strHardwareId;
    return first + std::string(1, '\0') + szSecond + std::string(1, '\0') + std::string(1, '\0');
}

CSimUsb::CSimUsb(CSimMachine& machine) : m_machine(machine)
{
    CSimModules& modules = machine.Modules();
    modules.AddLibrary(kAccessLibrary, false);
    modules.AddExport(kAccessLibrary, "OpenDeviceX", SimExport(&SimOpenDeviceX));
    modules.AddExport(kAccessLibrary, "GetDescriptor", SimExport(&SimGetDescriptor));
    modules.AddExport(kAccessLibrary, "uWrite", SimExport(&SimUWrite));
    modules.AddExport(kAccessLibrary, "CloseDevice", SimExport(&SimCloseDevice));
    modules.AddLibrary(kEnumLibrary, false);
    modules.AddExport(kEnumLibrary, "EnumUSBPrinter", SimExport(&SimEnumUSBPrinter));
    for (const char* pszDevice : kBaseDevices)
        AddOtherDevice(pszDevice);
}

void CSimUsb::AddLibraries(const std::string& folder)
{
    const std::string target = folder.empty() ? SimParent(m_machine.Config().m_strModulePath) : folder;
    m_machine.Files().AddFile(target + "\\" + kAccessLibrary, "MZ");
    m_machine.Files().AddFile(target + "\\" + kEnumLibrary, "MZ");
}

void CSimUsb::Connect(const SSimUsbPrinter& printer)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_printers.push_back({printer, m_dwNextDevInst++});
}

void CSimUsb::DisconnectAll()
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_printers.clear();
    m_handles.clear();
}

void CSimUsb::AddOtherDevice(const std::string& hardwareId)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_otherDevices.push_back({m_dwNextDevInst++, MultiSz(hardwareId)});
}

std::vector<SSimUsbPrinter> CSimUsb::Printers() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::vector<SSimUsbPrinter> printers;
    for (const SConnected& connected : m_printers)
        printers.push_back(connected.m_printer);
    return printers;
}

std::vector<std::string> CSimUsb::Writes() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_writes;
}

size_t CSimUsb::OpenHandles() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_handles.size();
}

void CSimUsb::SetNoDeviceHandle(LONG lHandle)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_lNoDevice = lHandle;
}

void CSimUsb::SetEnumerationText(const std::string& text)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_enumerationText = text;
}

void CSimUsb::SetEnumerationResult(int nResult)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_enumerationResult = nResult;
}

std::vector<SSimDevice> CSimUsb::Devices() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::vector<SSimDevice> devices = m_otherDevices;
    for (const SConnected& connected : m_printers)
        devices.push_back({connected.m_dwDevInst, connected.m_printer.HardwareIds()});
    // Listed in the order they were connected.
    std::sort(devices.begin(), devices.end(),
              [](const SSimDevice& a, const SSimDevice& b) { return a.m_dwDevInst < b.m_dwDevInst; });
    return devices;
}

CSimUsb::SConnected* CSimUsb::AtIndex(LONG lIndex)
{
    for (SConnected& connected : m_printers) {
        if (connected.m_printer.m_nIndex >= 0 && connected.m_printer.m_nIndex == lIndex)
            return &connected;
    }
    return nullptr;
}

CSimUsb::SConnected* CSimUsb::ByHandle(LONG lHandle)
{
    auto it = m_handles.find(lHandle);
    if (it == m_handles.end())
        return nullptr;
    for (SConnected& connected : m_printers) {
        if (connected.m_dwDevInst == it->second)
            return &connected;
    }
    return nullptr;
}

LONG CSimUsb::OpenDeviceX(LONG lIndex)
{
    CSimCall call(m_machine, "OpenDeviceX", SimArgs(lIndex));
    SConnected* pConnected = call.Faulted() ? nullptr : AtIndex(lIndex);
    if (!pConnected)
        return call.Succeed(m_lNoDevice);
    const LONG lHandle = m_lNextHandle;
    m_lNextHandle += 4;
    m_handles[lHandle] = pConnected->m_dwDevInst;
    return call.Succeed(lHandle);
}

BOOL CSimUsb::GetDescriptor(LONG lHandle, BYTE* pDescriptor)
{
    CSimCall call(m_machine, "GetDescriptor", SimArgs(lHandle));
    SConnected* pConnected = call.Faulted() ? nullptr : ByHandle(lHandle);
    if (!pConnected || !pDescriptor)
        return call.Succeed(FALSE);
    const SSimUsbPrinter& printer = pConnected->m_printer;
    const BYTE descriptor[kDescriptorSize] = {
        static_cast<BYTE>(kDescriptorSize), 1, 0x00, 0x02, 0, 0, 0, 64,
        static_cast<BYTE>(printer.m_wVendorId & 0xFF), static_cast<BYTE>(printer.m_wVendorId >> 8),
        static_cast<BYTE>(printer.m_wProductId & 0xFF), static_cast<BYTE>(printer.m_wProductId >> 8),
        static_cast<BYTE>(printer.m_wIdentity & 0xFF), static_cast<BYTE>(printer.m_wIdentity >> 8),
        1, 2, 0, 1,
    };
    memcpy(pDescriptor, descriptor, sizeof(descriptor));
    return call.Succeed(TRUE);
}

LONG CSimUsb::uWrite(LONG lHandle, LONG lReserved, const BYTE* pData, LONG lCount)
{
    const bool bValid = pData && lCount > 0;
    CSimCall call(m_machine, "uWrite", SimArgs(lHandle, lReserved, bValid ? HexBytes(pData, lCount) : std::string(), lCount));
    if (!bValid)
        return call.Succeed(0L);
    m_writes.emplace_back(reinterpret_cast<const char*>(pData), static_cast<size_t>(lCount));
    SConnected* pConnected = call.Faulted() ? nullptr : ByHandle(lHandle);
    if (!pConnected)
        return call.Succeed(0L);
    if (lCount == 10 && pData[0] == 0x1B && pData[6] == 0x1D && pData[7] == 'I' && pData[8] == 0x20)
        pConnected->m_printer.m_wIdentity = pData[9];
    return call.Succeed(lCount);
}

void CSimUsb::CloseDevice(LONG lHandle)
{
    CSimCall call(m_machine, "CloseDevice", SimArgs(lHandle));
    m_handles.erase(lHandle);
}

int CSimUsb::EnumUSBPrinter(char* pszText)
{
    CSimCall call(m_machine, "EnumUSBPrinter");
    if (call.Faulted() || !pszText)
        return call.Succeed(-1);
    std::string text;
    int nListed = 0;
    if (m_enumerationText) {
        text = *m_enumerationText;
    } else {
        for (const SConnected& connected : m_printers) {
            if (connected.m_printer.m_strModel.empty())
                continue;
            text += connected.m_printer.m_strModel + "," + std::to_string(connected.m_printer.m_nInstance) + "@";
            ++nListed;
        }
    }
    // A text that fills the buffer comes without its terminator.
    const size_t nCopy = text.size() < kEnumerationSize ? text.size() + 1 : kEnumerationSize;
    memcpy(pszText, text.c_str(), nCopy);
    call.Note(SimQuote(text.c_str()));
    return call.Succeed(m_enumerationResult ? *m_enumerationResult : nListed);
}
