// The printer maker's USB printers on a simulated machine: which printers are
// connected, the device list SetupAPI shows, and the maker's two libraries as
// simulated DLLs whose exports work on the connected printers:
//
//   "VoRezUvu.dll"    LONG OpenDeviceX(LONG index)        handle, -1 (or the
//                                                         set no-device value)
//                     BOOL GetDescriptor(LONG h, BYTE*)   18-byte device descriptor
//                     LONG uWrite(LONG h, LONG, const BYTE*, LONG n)  bytes sent
//                     void CloseDevice(LONG h)
//   "UsbPrnEnum.dll"  int EnumUSBPrinter(char* text)      fills up to 1024 bytes
//
// A test connects printers and puts the libraries beside the program:
//
//     sim.Usb().AddLibraries();
//     sim.Usb().Connect(SSimUsbPrinter::Make(0, 9, "VX-R80", kSimPidVendorDriver));
//     ... the logic under test ...
//     EXPECT_EQ(sim.Usb().Printers()[0].m_wIdentity, 2);   // rewritten by uWrite
//
// The exports are journaled calls: faults injected by their names make them
// fail (OpenDeviceX answers no device, GetDescriptor and uWrite 0,
// EnumUSBPrinter -1). A printer takes a set-identity command (10 bytes: ESC,
// five signature bytes, GS 'I' 0x20, identity) by changing its identity;
// every uWrite is recorded whatever it sends.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/wintypes.h"

class CSimMachine;

const WORD kSimMakerVendorId = 0x3A7C;
// A product id of the maker's own USB driver and one of a USB printer class device.
const WORD kSimPidVendorDriver = 0x1000;
const WORD kSimPidClassPrinter = 0x0501;

struct SSimUsbPrinter {
    int m_nIndex = 0;            // index OpenDeviceX answers at, 0 to 7; -1: never answers
    WORD m_wVendorId = kSimMakerVendorId;
    WORD m_wProductId = kSimPidVendorDriver;
    WORD m_wIdentity = 0;        // bcdDevice of the device descriptor
    std::string m_strModel;      // model name EnumUSBPrinter lists
    int m_nInstance = 1;         // instance digit EnumUSBPrinter lists with it
    // First string of SPDRP_HARDWAREID; empty: "USB\VID_vvvv&PID_pppp&REV_0100".
    std::string m_strHardwareId;

    static SSimUsbPrinter Make(int nIndex, WORD wIdentity, const std::string& model, WORD wProductId);
    std::string HardwareIds() const;  // REG_MULTI_SZ bytes with the final terminator
};

// A device of the SetupAPI device list: its instance and hardware ids.
struct SSimDevice {
    DWORD m_dwDevInst;
    std::string m_strHardwareIds;  // REG_MULTI_SZ bytes; empty: no hardware id property
};

class CSimUsb {
public:
    explicit CSimUsb(CSimMachine& machine);

    // Test helpers.
    // Puts both libraries into the folder (default: the program's folder).
    void AddLibraries(const std::string& folder = std::string());
    void Connect(const SSimUsbPrinter& printer);
    void DisconnectAll();
    // A present device that is no printer of the maker; "" has no hardware id.
    void AddOtherDevice(const std::string& hardwareId);
    // The connected printers with their current identities.
    std::vector<SSimUsbPrinter> Printers() const;
    // Bytes of every uWrite, in order.
    std::vector<std::string> Writes() const;
    // Handles OpenDeviceX gave that CloseDevice has not closed yet.
    size_t OpenHandles() const;
    // What OpenDeviceX returns where no device answers (-1 unless set; 0 also means none).
    void SetNoDeviceHandle(LONG lHandle);
    // EnumUSBPrinter: this text instead of the one built from the printers
    // ("model,instance@" per printer), and this result instead of the count.
    void SetEnumerationText(const std::string& text);
    void SetEnumerationResult(int nResult);

    // For SetupAPI: the present devices, in the order they were added.
    std::vector<SSimDevice> Devices() const;

    // The exports' work.
    LONG OpenDeviceX(LONG lIndex);
    BOOL GetDescriptor(LONG lHandle, BYTE* pDescriptor);
    LONG uWrite(LONG lHandle, LONG lReserved, const BYTE* pData, LONG lCount);
    void CloseDevice(LONG lHandle);
    int EnumUSBPrinter(char* pszText);

private:
    struct SConnected {
        SSimUsbPrinter m_printer;
        DWORD m_dwDevInst;
    };
    SConnected* AtIndex(LONG lIndex);
    SConnected* ByHandle(LONG lHandle);

    CSimMachine& m_machine;
    std::vector<SConnected> m_printers;
    std::vector<SSimDevice> m_otherDevices;
    DWORD m_dwNextDevInst = 1;
    std::map<LONG, DWORD> m_handles;  // open handle -> device instance
    LONG m_lNextHandle = 0x4000;
    LONG m_lNoDevice = -1;
    std::vector<std::string> m_writes;
    std::optional<std::string> m_enumerationText;
    std::optional<int> m_enumerationResult;
};
