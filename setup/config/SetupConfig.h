// Reader of the installer's configuration files in DRVCONFIG: the model list
// and switches of setup.ini and the per-class files with each model's port
// and driver sections. The readers never fail: a missing file, section or key
// yields its default ("0" unless noted), which callers treat as absent.
#pragma once

#include "platform/spooltypes.h"
#include "platform/wintypes.h"

// Printer classes; each selects one class file.
enum { kClassNone = -1, kClassReceipt = 0, kClassTicket = 1, kClassLabel = 2, kClassEmbedded = 3, kClassCount = 4 };
// Port kinds as the engine decides them.
enum { kPortSerial = 0, kPortParallel = 1, kPortUsb = 2, kPortNetwork = 3 };
// Driver variants: STD (raster box cleared) and GDI (raster graphic printing).
enum { kVariantStd = 0, kVariantGdi = 1 };

const int kOsCodeCount = 8;
// Model entries past this are not read: a garbage "DEVICENUMBER" must not
// stall the program.
const int kMaxDeviceEntries = 1000;
const char* const kEnvironment9x = "Windows 4.0";

// ".98", ".NT", ... ".Win7" for OS codes 0 to 7; "" for any other code.
const char* OsSuffix(int osCode);
// "DRVCONFIG\setup_receipt.ini" and its siblings. The engine and the start-up
// check use the lower-case names; the wizard capitalises all but receipt.
// Both name the same file. nullptr for a class outside 0 to 3.
const char* ClassFileName(int printerClass, bool wow64, bool capitalised);
// "%s.PORT" of a model into out (200 bytes by convention).
void BuildPortSection(char* out, size_t size, const char* model);
// The variant after the "GDISTDSign" override: serial always GDI, USB always STD.
int EffectiveVariant(int variant, int portKind, bool gdiStdSign);

// Slots of the driver file list, each filled from the key of the same name.
enum EDriverFileSlot {
    kSlotDriverPath, kSlotDataFile, kSlotConfigFile, kSlotHelpFile, kSlotProcessorDLLName,
    kSlotDataFileDLLName, kSlotDataOemuniDLL, kSlotDataOemuniini, kSlotDataOemuiDLL,
    kSlotControlFontFile, kSlotUSBInternalID,
    kSlotLanguageResourceFile1, kSlotLanguageResourceFile9 = kSlotLanguageResourceFile1 + 8,
    kSlotDriverlogViewer, kSlotDriverlogINI,
    kDriverFileSlotCount
};

struct CDriverFileList {
    enum { kSlotSize = 200 };
    char m_szSlot[kDriverFileSlotCount][kSlotSize];
};

// A monitor as the configuration names it; the texts live in CSetupConfig.
struct CMonitorRecord {
    LPSTR pName;
    LPSTR pEnvironment;  // nullptr: the running system's environment
    LPSTR pDLLName;
    LPSTR pUiDLLName;    // nullptr for the language monitor
    int nVersion;
};

struct CPortMonitors {
    CMonitorRecord usb;
    CMonitorRecord serial;
};

class CSetupConfig {
public:
    enum { kPathSize = 200, kNameSize = 50, kFileSize = 200, kVersionSize = 10 };
    // Room for the data file, the three Unidrv support files and four
    // optional files of the longest possible names, with the terminators.
    enum { kDependentFilesSize = 5 * kFileSize + 64 };

    CSetupConfig();
    virtual ~CSetupConfig() = default;

    int GetDeviceCount();
    // Class 0 to 3 with the bare model name in out[200], or -1 (out keeps the entry).
    int GetDeviceEntry(int entry, char* out);
    // GetDeviceEntry of the entry that "DEFAULTNAME" names; out holds 260 bytes.
    int GetDefaultDevice(char* out);
    int GetProcessorVersion();

    void ReadDriverFileList(const char* model, int osCode, CDriverFileList* list, int variant, int portKind);
    // The driver record; its four file names are empty texts where the
    // configuration names no file.
    void BuildDriverInfo(const char* model, int osCode, DRIVER_INFO_3A* info, int variant, int portKind);
    void BuildPrinterInfo(const char* model, int osCode, PRINTER_INFO_2A* info, int variant, int portKind);
    void ReadLanguageMonitor(int osCode, CMonitorRecord* monitor, int portKind);
    void ReadPortMonitors(int osCode, CPortMonitors* monitors);
    bool UsesDdkUnidrv(const char* model, int osCode, int variant);

    char m_szSetupIni[kPathSize];
    char m_szClassIni[kClassCount][kPathSize];
    char m_szCurrentIni[kPathSize];
    int m_nClass;

private:
    // Reads a key of the current class file (default "0").
    DWORD ReadClassKey(const char* section, const char* key, char* out, DWORD size);
    DWORD ReadSetupKey(const char* section, const char* key, char* out, DWORD size);
    void SelectClassFile();
    void BuildDriverSection(char* out, const char* model, int osCode);
    // Selects the class file and builds the driver section (kPathSize bytes)
    // for the driver and printer records; returns their variant, which
    // "GDISTDSign" overrides on OS codes 2 to 7 only.
    int OpenRecordSection(char* section, const char* model, int osCode, int variant, int portKind);
    void ReadDriverName(const char* section, int osCode, int portKind);
    void ReadVariantKey(const char* section, int variant, const char* key, char* out, DWORD size);
    // A file name of the driver record (kFileSize bytes); empty when absent.
    void ReadVariantFile(const char* section, int variant, const char* key, char* out);
    void BuildDependentFiles(const char* section, int variant);
    void ReadMonitor(const char* section, const char* prefix, int osCode, CMonitorRecord* monitor,
                     char* name, char* dll, char* uiDll, char* version);

    // Reader results; each stays valid until the same reader runs again.
    char m_szDriverName[kNameSize];
    char m_szDriverPath[kFileSize];
    char m_szDataFile[kFileSize];
    char m_szConfigFile[kFileSize];
    char m_szHelpFile[kFileSize];
    char m_szDependentFiles[kDependentFilesSize];
    char m_szPrinterName[260];
    char m_szPrinterDriverName[kNameSize];
    char m_szPrintProcessor[kNameSize];
    char m_szAttributes[kNameSize];
    char m_szEnvironment[16];
    char m_szLangMonName[kNameSize];
    char m_szLangMonDll[kFileSize];
    char m_szLangMonVersion[kVersionSize];
    char m_szUsbMonName[kNameSize];
    char m_szUsbMonDll[kFileSize];
    char m_szUsbMonUiDll[kNameSize];
    char m_szUsbMonVersion[kVersionSize];
    char m_szComMonName[kNameSize];
    char m_szComMonDll[kFileSize];
    char m_szComMonUiDll[kNameSize];
    char m_szComMonVersion[kVersionSize];
};

// Process-wide switch "GDISTDSign" of setup.ini, set when the wizard starts.
extern BOOL g_bGdiStdSign;
// TRUE when the 32-bit installer runs under WOW64 (always TRUE in a 64-bit build).
extern bool g_bIsWow64;
