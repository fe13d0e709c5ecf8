#include "setup/config/SetupConfig.h"

#include "common/ParseInt.h"
#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "platform/platform.h"

#include <cstring>

namespace {

const char* const kSuffixes[kOsCodeCount] = {".98", ".NT", ".2K", ".XP", ".2003", ".Vista", ".2008", ".Win7"};

const char* const kClassFiles[2][2][kClassCount] = {
    {   // lower case
        {"DRVCONFIG\\setup_receipt.ini", "DRVCONFIG\\setup_ticket.ini",
         "DRVCONFIG\\setup_label.ini", "DRVCONFIG\\setup_embedded.ini"},
        {"DRVCONFIG\\setup_receipt_64.ini", "DRVCONFIG\\setup_ticket_64.ini",
         "DRVCONFIG\\setup_label_64.ini", "DRVCONFIG\\setup_embedded_64.ini"},
    },
    {   // capitalised
        {"DRVCONFIG\\setup_receipt.ini", "DRVCONFIG\\setup_Ticket.ini",
         "DRVCONFIG\\setup_Label.ini", "DRVCONFIG\\setup_Embedded.ini"},
        {"DRVCONFIG\\setup_receipt_64.ini", "DRVCONFIG\\setup_Ticket_64.ini",
         "DRVCONFIG\\setup_Label_64.ini", "DRVCONFIG\\setup_Embedded_64.ini"},
    },
};

const char* const kClassSuffixes[kClassCount] = {
    "-ReceiptPrinter", "-TicketPrinter", "-LabelPrinter", "-EmbeddedPrinter"};

const char* const kDriverNameKeys[] = {"DriverNameS", "DriverNameP", "DriverNameU", "DriverNameN"};

const char* const kUnidrvSupportFiles[] = {"TTFSUB.GPD", "UNIRES.DLL", "STDNAMES.GPD"};

// A file-name value whose first character is the digit zero names no file.
bool NamesFile(const char* value)
{
    return value[0] != '\0' && value[0] != '0';
}

bool IsNtFamily(int osCode)
{
    return osCode >= 2 && osCode <= 7;
}

const char* VariantPrefix(int variant)
{
    return variant == kVariantGdi ? "GDI" : "STD";
}

} // namespace

const char* OsSuffix(int osCode)
{
    return (osCode >= 0 && osCode < kOsCodeCount) ? kSuffixes[osCode] : "";
}

const char* ClassFileName(int printerClass, bool wow64, bool capitalised)
{
    if (printerClass < 0 || printerClass >= kClassCount)
        return nullptr;
    return kClassFiles[capitalised ? 1 : 0][wow64 ? 1 : 0][printerClass];
}

void BuildPortSection(char* out, size_t size, const char* model)
{
    SafeFormat(out, size, "%s.PORT", model);
}

int EffectiveVariant(int variant, int portKind, bool gdiStdSign)
{
    if (gdiStdSign && portKind == kPortSerial)
        return kVariantGdi;
    if (gdiStdSign && portKind == kPortUsb)
        return kVariantStd;
    return variant;
}

CSetupConfig::CSetupConfig()
{
    memset(this->m_szSetupIni, 0, sizeof(m_szSetupIni));
    char folder[kPathSize];
    GetProgramFolderSlash(folder, sizeof(folder), kPathSize);
    SafeCopy(m_szSetupIni, folder);
    SafeAppend(m_szSetupIni, "DRVCONFIG\\setup.ini");
    for (int i = 0; i < kClassCount; ++i) {
        SafeCopy(m_szClassIni[i], folder);
        SafeAppend(m_szClassIni[i], ClassFileName(i, g_bIsWow64, false));
    }
    m_szCurrentIni[0] = '\0';
    m_nClass = kClassNone;
    m_szDriverName[0] = m_szDriverPath[0] = m_szDataFile[0] = m_szConfigFile[0] = m_szHelpFile[0] = '\0';
    memset(m_szDependentFiles, 0, sizeof(m_szDependentFiles));
    m_szPrinterName[0] = m_szPrinterDriverName[0] = m_szPrintProcessor[0] = m_szAttributes[0] = '\0';
    SafeCopy(m_szEnvironment, kEnvironment9x);
    m_szLangMonName[0] = m_szLangMonDll[0] = m_szLangMonVersion[0] = '\0';
    m_szUsbMonName[0] = m_szUsbMonDll[0] = m_szUsbMonUiDll[0] = m_szUsbMonVersion[0] = '\0';
    m_szComMonName[0] = m_szComMonDll[0] = m_szComMonUiDll[0] = m_szComMonVersion[0] = '\0';
}

DWORD CSetupConfig::ReadSetupKey(const char* section, const char* key, char* out, DWORD size)
{
    return ProfileApi().GetPrivateProfileStringA(section, key, "0", out, size, m_szSetupIni);
}

void CSetupConfig::SelectClassFile()
{
    const bool valid = m_nClass >= 0 && m_nClass < kClassCount;
    SafeCopy(m_szCurrentIni, valid ? m_szClassIni[m_nClass] : "");
}

DWORD CSetupConfig::ReadClassKey(const char* section, const char* key, char* out, DWORD size)
{
    return ProfileApi().GetPrivateProfileStringA(section, key, "0", out, size, m_szCurrentIni);
}

int CSetupConfig::GetDeviceCount()
{
    char value[30];
    ReadSetupKey("DEVICENAME", "DEVICENUMBER", value, sizeof(value));
    return ParseInt(value);
}

int CSetupConfig::GetDeviceEntry(int entry, char* out)
{
    char key[32];
    SafeFormat(key, sizeof(key), "DEVICENAME%d", entry);
    ReadSetupKey("DEVICENAME", key, out, kFileSize);
    for (int cls = 0; cls < kClassCount; ++cls) {
        if (char* suffix = strstr(out, kClassSuffixes[cls])) {
            *suffix = '\0';
            return cls;
        }
    }
    return kClassNone;
}

int CSetupConfig::GetDefaultDevice(char* out)
{
    char value[260];
    ReadSetupKey("DEVICENAME", "DEFAULTNAME", value, sizeof(value));
    return GetDeviceEntry(ParseInt(value), out);
}

int CSetupConfig::GetProcessorVersion()
{
    char value[12];
    ReadSetupKey("ProcessorVersion", "DriverVersion", value, sizeof(value));
    return ParseInt(value);
}

void CSetupConfig::BuildDriverSection(char* out, const char* model, int osCode)
{
    SafeFormat(out, kPathSize, "%s%s", model, OsSuffix(osCode));
}

void CSetupConfig::ReadVariantKey(const char* section, int variant, const char* key, char* out, DWORD size)
{
    char fullKey[64];
    SafeFormat(fullKey, sizeof(fullKey), "%s%s", VariantPrefix(variant), key);
    ReadClassKey(section, fullKey, out, size);
}

void CSetupConfig::ReadVariantFile(const char* section, int variant, const char* key, char* out)
{
    ReadVariantKey(section, variant, key, out, kFileSize);
    // The spooler takes every name for a file of its driver folder: an
    // absent one goes to it as no name at all, never as the default "0".
    if (!NamesFile(out))
        out[0] = '\0';
}

void CSetupConfig::ReadDriverName(const char* section, int osCode, int portKind)
{
    m_szDriverName[0] = '\0';
    if (osCode == 0 || osCode == 1)
        ReadClassKey(section, "GDIDriverName", m_szDriverName, kNameSize);
    else if (portKind >= kPortSerial && portKind <= kPortNetwork)
        ReadClassKey(section, kDriverNameKeys[portKind], m_szDriverName, kNameSize);
}

void CSetupConfig::ReadDriverFileList(const char* model, int osCode, CDriverFileList* list, int variant, int portKind)
{
    static const struct { EDriverFileSlot slot; const char* key; } kVariantKeys[] = {
        {kSlotDataFile, "DataFile"}, {kSlotConfigFile, "ConfigFile"}, {kSlotHelpFile, "HelpFile"},
        {kSlotProcessorDLLName, "ProcessorDLLName"}, {kSlotDriverPath, "DriverPath"},
        {kSlotDataFileDLLName, "DataFileDLLName"}, {kSlotDataOemuiDLL, "DataOemuiDLL"},
        {kSlotDataOemuniDLL, "DataOemuniDLL"}, {kSlotDataOemuniini, "DataOemuniini"},
    };
    memset(list, 0, sizeof(*list));
    SelectClassFile();
    char section[kPathSize];
    BuildDriverSection(section, model, osCode);
    variant = EffectiveVariant(variant, portKind, g_bGdiStdSign);
    if (variant == kVariantStd || variant == kVariantGdi) {
        for (const auto& k : kVariantKeys)
            ReadVariantKey(section, variant, k.key, list->m_szSlot[k.slot], CDriverFileList::kSlotSize);
        ReadClassKey(section, "ControlFontFile", list->m_szSlot[kSlotControlFontFile], CDriverFileList::kSlotSize);
        ReadClassKey(section, "USBInternalID", list->m_szSlot[kSlotUSBInternalID], CDriverFileList::kSlotSize);
    }
    ReadClassKey(section, "DriverlogViewer", list->m_szSlot[kSlotDriverlogViewer], CDriverFileList::kSlotSize);
    ReadClassKey(section, "DriverlogINI", list->m_szSlot[kSlotDriverlogINI], CDriverFileList::kSlotSize);
    for (int i = 0; i < 9; ++i) {
        char key[32];
        SafeFormat(key, sizeof(key), "LanguageResourceFile%d", i + 1);
        ReadClassKey(section, key, list->m_szSlot[kSlotLanguageResourceFile1 + i], CDriverFileList::kSlotSize);
    }
}

void CSetupConfig::BuildDependentFiles(const char* section, int variant)
{
    memset(m_szDependentFiles, 0, sizeof(m_szDependentFiles));
    char ddk[kNameSize];
    ReadClassKey(section, "GDI2KDDKDEV", ddk, sizeof(ddk));
    if (ParseInt(ddk) == 0)
        return;

    const char* entries[8];
    int count = 0;
    entries[count++] = m_szDataFile;
    for (const char* support : kUnidrvSupportFiles)
        entries[count++] = support;
    char optional[4][kFileSize] = {};
    if (variant == kVariantStd || variant == kVariantGdi) {
        static const char* const kOptionalKeys[] = {"DataFileDLLName", "DataOemuiDLL", "DataOemuniDLL", "DataOemuniini"};
        for (int i = 0; i < 4; ++i) {
            ReadVariantKey(section, variant, kOptionalKeys[i], optional[i], kFileSize);
            if (NamesFile(optional[i]))
                entries[count++] = optional[i];
        }
    }
    // Texts separated by a zero byte, ended by two; an empty name would end
    // the list early, so it is left out. The buffer holds the longest list.
    size_t used = 0;
    for (int i = 0; i < count; ++i) {
        size_t len = strlen(entries[i]);
        if (len == 0)
            continue;
        memcpy(m_szDependentFiles + used, entries[i], len + 1);
        used += len + 1;
    }
}

int CSetupConfig::OpenRecordSection(char* section, const char* model, int osCode, int variant, int portKind)
{
    SelectClassFile();
    BuildDriverSection(section, model, osCode);
    return IsNtFamily(osCode) ? EffectiveVariant(variant, portKind, g_bGdiStdSign) : variant;
}

void CSetupConfig::BuildDriverInfo(const char* model, int osCode, DRIVER_INFO_3A* info, int variant, int portKind)
{
    char section[kPathSize];
    variant = OpenRecordSection(section, model, osCode, variant, portKind);

    info->cVersion = osCode == 0 ? 0 : (osCode == 1 ? 2 : 3);
    ReadDriverName(section, osCode, portKind);
    info->pName = m_szDriverName;
    info->pEnvironment = osCode == 0 ? m_szEnvironment : nullptr;

    m_szDriverPath[0] = m_szDataFile[0] = m_szConfigFile[0] = m_szHelpFile[0] = '\0';
    if (variant == kVariantStd || variant == kVariantGdi) {
        ReadVariantFile(section, variant, "DriverPath", m_szDriverPath);
        ReadVariantFile(section, variant, "DataFile", m_szDataFile);
        ReadVariantFile(section, variant, "ConfigFile", m_szConfigFile);
        ReadVariantFile(section, variant, "HelpFile", m_szHelpFile);
    }
    info->pDriverPath = m_szDriverPath;
    info->pDataFile = m_szDataFile;
    info->pConfigFile = m_szConfigFile;
    info->pHelpFile = m_szHelpFile;

    if (IsNtFamily(osCode))
        BuildDependentFiles(section, variant);
    else
        memset(m_szDependentFiles, 0, sizeof(m_szDependentFiles));
    info->pDependentFiles = m_szDependentFiles;
    info->pDefaultDataType = nullptr;
}

void CSetupConfig::BuildPrinterInfo(const char* model, int osCode, PRINTER_INFO_2A* info, int variant, int portKind)
{
    char section[kPathSize];
    variant = OpenRecordSection(section, model, osCode, variant, portKind);

    memset(info, 0, sizeof(*info));
    SafeCopy(m_szPrinterName, model);
    info->pPrinterName = m_szPrinterName;
    ReadDriverName(section, osCode, portKind);
    SafeCopy(m_szPrinterDriverName, m_szDriverName);
    info->pDriverName = m_szPrinterDriverName;

    m_szPrintProcessor[0] = '\0';
    if (variant == kVariantStd || variant == kVariantGdi) {
        ReadVariantKey(section, variant, "PrintProcessor", m_szPrintProcessor, kNameSize);
        ReadClassKey(section, "ATTRIBUTES", m_szAttributes, kNameSize);
        info->Attributes = static_cast<DWORD>(ParseLong(m_szAttributes));
    }
    info->pPrintProcessor = m_szPrintProcessor;
}

void CSetupConfig::ReadMonitor(const char* section, const char* prefix, int osCode, CMonitorRecord* monitor,
                               char* name, char* dll, char* uiDll, char* version)
{
    char key[64];
    SafeFormat(key, sizeof(key), "%sMONitorPName", prefix);
    ReadSetupKey(section, key, name, kNameSize);
    SafeFormat(key, sizeof(key), "%sMONitorPDLLName", prefix);
    ReadSetupKey(section, key, dll, kFileSize);
    SafeFormat(key, sizeof(key), "%sMONitorPUIDLLName", prefix);
    ReadSetupKey(section, key, uiDll, kNameSize);
    SafeFormat(key, sizeof(key), "%sMONitorVersion", prefix);
    ReadSetupKey(section, key, version, kVersionSize);
    monitor->pName = name;
    monitor->pEnvironment = osCode == 0 ? m_szEnvironment : nullptr;
    monitor->pDLLName = dll;
    monitor->pUiDLLName = uiDll;
    monitor->nVersion = ParseInt(version);
}

void CSetupConfig::ReadPortMonitors(int osCode, CPortMonitors* monitors)
{
    char section[kPathSize];
    SafeFormat(section, sizeof(section), "COMMON-MONITOR%s", OsSuffix(osCode));
    ReadMonitor(section, "USB", osCode, &monitors->usb, m_szUsbMonName, m_szUsbMonDll, m_szUsbMonUiDll, m_szUsbMonVersion);
    ReadMonitor(section, "COM", osCode, &monitors->serial, m_szComMonName, m_szComMonDll, m_szComMonUiDll, m_szComMonVersion);
}

void CSetupConfig::ReadLanguageMonitor(int osCode, CMonitorRecord* monitor, int portKind)
{
    m_szLangMonName[0] = m_szLangMonDll[0] = '\0';
    monitor->pName = m_szLangMonName;
    monitor->pEnvironment = osCode == 0 ? m_szEnvironment : nullptr;
    monitor->pDLLName = m_szLangMonDll;
    monitor->pUiDLLName = nullptr;
    monitor->nVersion = 0;
    if (portKind != kPortUsb)
        return;

    char section[kPathSize];
    SafeFormat(section, sizeof(section), "COMMON-MONITOR%s", OsSuffix(osCode));
    DWORD nameLen = ReadSetupKey(section, "USBLMONitorName", m_szLangMonName, kNameSize);
    DWORD dllLen = ReadSetupKey(section, "USBLMONitorDLLName", m_szLangMonDll, kFileSize);
    DWORD versionLen = ReadSetupKey(section, "USBLMONitorVersion", m_szLangMonVersion, kVersionSize);
    // Three one-character values are what the defaults give: no language monitor.
    if (nameLen == 1 && dllLen == 1 && versionLen == 1) {
        m_szLangMonName[0] = m_szLangMonDll[0] = '\0';
        return;
    }
    monitor->nVersion = ParseInt(m_szLangMonVersion);
}

bool CSetupConfig::UsesDdkUnidrv(const char* model, int osCode, int variant)
{
    if (variant != kVariantStd && variant != kVariantGdi)
        return false;
    SelectClassFile();
    char section[kPathSize];
    BuildDriverSection(section, model, osCode);
    char value[5];
    ReadClassKey(section, variant == kVariantGdi ? "GDI2KDDKDEV" : "STD2KDDKDEV", value, sizeof(value));
    return value[0] == '1';
}
