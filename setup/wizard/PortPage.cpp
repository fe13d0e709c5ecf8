#include "setup/wizard/PortPage.h"

#include "common/ParseInt.h"
#include "common/ProgramPaths.h"
#include "common/SafeStr.h"
#include "common/Wow64.h"
#include "platform/platform.h"
#include "setup/SetupText.h"
#include "setup/config/SetupConfig.h"
#include "setup/ports/UsbDevices.h"
#include "setup/wizard/OsPage.h"

#include <cstdlib>
#include <cstring>
#include <vector>

int g_nListedInstallMode = 1;

namespace {

const char kNoVersion[] = "0.0.0.0";
// "按“F1”查看帮助" in the GBK code page, the tip of the raster check box.
const char kRasterTip[] = "\xb0\xb4\xa1\xb0" "F1\xa1\xb1\xb2\xe9\xbf\xb4\xb0\xef\xd6\xfa";
const int kSerialLists[] = {CPortPage::IDC_BAUDRATE, CPortPage::IDC_BYTESIZE, CPortPage::IDC_STOPBITS,
                            CPortPage::IDC_PARITY, CPortPage::IDC_PROTOCOL};
// The longest entry: "USB_", a model of a 200-byte buffer and "_4".
const int kEntryBufferSize = 260;

// A key of the model's port section read as the port page always has: a
// string of 200 bytes with default "0", then its integer.
int ReadPortKey(const char* iniPath, const char* section, const char* key)
{
    char value[200];
    ProfileApi().GetPrivateProfileStringA(section, key, "0", value, sizeof(value), iniPath);
    return ParseInt(value);
}

int CurrentOsPageCode()
{
    return g_pOsPage ? g_pOsPage->m_nOsType : 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CPortPage, CWizardPage)
    ON_WM_SHOWWINDOW()
    ON_CBN_SELCHANGE(IDC_PORTS, &CPortPage::OnSelchangePorts)
    ON_CBN_SELCHANGE(IDC_BAUDRATE, &CPortPage::OnSelchangeBaudRate)
    ON_CBN_SELCHANGE(IDC_BYTESIZE, &CPortPage::OnSelchangeByteSize)
    ON_CBN_SELCHANGE(IDC_PARITY, &CPortPage::OnSelchangeParity)
    ON_CBN_SELCHANGE(IDC_STOPBITS, &CPortPage::OnSelchangeStopBits)
    ON_CBN_SELCHANGE(IDC_PROTOCOL, &CPortPage::OnSelchangeProtocol)
END_MESSAGE_MAP()

void CPortPage::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PORTS, m_cbPorts);
    DDX_Control(pDX, IDC_BAUDRATE, m_cbBaudRate);
    DDX_Control(pDX, IDC_BYTESIZE, m_cbByteSize);
    DDX_Control(pDX, IDC_STOPBITS, m_cbStopBits);
    DDX_Control(pDX, IDC_PARITY, m_cbParity);
    DDX_Control(pDX, IDC_PROTOCOL, m_cbProtocol);
    DDX_Control(pDX, IDC_IPADDRESS, m_ipAddress);
    DDX_Control(pDX, IDC_USB_NOTE, m_noteLabel);
    DDX_Check(pDX, IDC_RASTER, m_bRaster);
}

BOOL CPortPage::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    ApplyUiFont();

    CTextTable confirm("Confirm");
    for (const char* key : {"Parity.Even", "Parity.Mark", "Parity.None", "Parity.Odd", "Parity.Space"})
        m_cbParity.AddString(confirm.GetText(key));
    m_cbPorts.SetCurSel(0);
    m_cbByteSize.SetCurSel(3);
    m_cbStopBits.SetCurSel(0);
    m_cbParity.SetCurSel(2);
    for (const char* key : {"Protocol.None", "Protocol.Xonoff", "Protocol.Hardware"})
        m_cbProtocol.AddString(confirm.GetText(key));
    m_cbProtocol.SetCurSel(2);

    m_dStopBits = 1.0;
    m_nByteSize = 8;
    m_cParity = 'n';
    m_cProtocol = 'p';

    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    m_toolTip.SetMaxTipWidth(200);
    m_toolTip.AddTool(GetDlgItem(IDC_RASTER), kRasterTip);

    m_noteLabel.SetTextColor(RGB(0, 0, 255)).SetBkColor(RGB(255, 202, 253)).SetFontSize(14).SetFontName("Arial");

    m_strListedModel = "PRINTER";
    m_nInstallMode = 1;
    g_nListedInstallMode = 1;
    return TRUE;
}

void CPortPage::OnShowWindow(BOOL bShow, UINT nStatus)
{
    CWizardPage::OnShowWindow(bShow, nStatus);
    static const SItemText kConfirmTexts[] = {
        {IDC_SET, "Set"},
        {IDC_PORTS_LABEL, "Ports"},
        {IDC_COM, "Com"},
        {IDC_BAUD_LABEL, "BaudRate"},
        {IDC_PARITY_LABEL, "Parity"},
        {IDC_BYTESIZE_LABEL, "ByteSize"},
        {IDC_STOPBITS_LABEL, "StopBits"},
        {IDC_PROTOCOL_LABEL, "Protocol"},
        {IDC_RASTER, "Raster"},
    };
    SetItemTexts("Confirm", kConfirmTexts);
}

BOOL CPortPage::PreTranslateMessage(MSG* pMsg)
{
    m_toolTip.RelayEvent(pMsg);
    return CWizardPage::PreTranslateMessage(pMsg);
}

void CPortPage::BuildPortListTypical(const char* model, int osCode, int printerClass)
{
    BuildPortList(model, osCode, printerClass, false);
}

void CPortPage::BuildPortListAdvanced(const char* model, int osCode, int printerClass)
{
    BuildPortList(model, osCode, printerClass, true);
}

void CPortPage::BuildPortList(const char* model, int osCode, int printerClass, bool advanced)
{
    if (m_strListedModel.Compare(model) == 0 && g_nListedInstallMode == m_nInstallMode)
        return;
    g_nListedInstallMode = m_nInstallMode;
    m_strListedModel = model;
    m_cbPorts.ResetContent();
    // The old choice is no entry of the new list: a list that stays empty
    // must not leave the port of the model before it to the installation.
    m_szPortName[0] = '\0';

    char iniPath[200];
    GetProgramFolderSlash(iniPath, sizeof(iniPath));
    if (const char* classFile = ClassFileName(printerClass, g_bIsWow64, true))
        SafeAppend(iniPath, classFile);
    char section[200];
    BuildPortSection(section, sizeof(section), model);
    SPortKeys keys;
    keys.usb = ReadPortKey(iniPath, section, "USBSUPPORTED");
    keys.lpt = ReadPortKey(iniPath, section, "LPTSUPPORTED");
    keys.com = ReadPortKey(iniPath, section, "COMSUPPORTED");
    keys.net = ReadPortKey(iniPath, section, "NETSUPPORTED");
    ReadPortKey(iniPath, section, "CLASSSUPPORTED");  // read as it always was; nothing depends on it
    keys.lptDefault = ReadPortKey(iniPath, section, "LPTDEFAULT");
    keys.rasterVisible = advanced ? ReadPortKey(iniPath, section, "RASTERVISIABLE") : 0;

    // Both run on every build, whatever the model supports.
    const int identity = QueryUsbDeviceId();
    const int deviceKind = ClassifyUsbDevices();

    AddPortEntries(model, osCode, advanced, keys, deviceKind);
    ChooseInitialPort(advanced, keys, identity, deviceKind);
    ApplyPortKind(advanced, keys.rasterVisible);
    UpdateData(FALSE);
}

void CPortPage::AddPortEntries(const char* model, int osCode, bool advanced, const SPortKeys& keys, int deviceKind)
{
    char entry[kEntryBufferSize];
    if (osCode != 0) {
        if (keys.lpt) {
            for (const char* port : {"LPT1:", "LPT2:", "LPT3:"})
                m_cbPorts.AddString(port);
        }
        if (keys.com) {
            for (int n = 1; n <= 8; ++n) {
                SafeFormat(entry, sizeof(entry), g_bIsWow64 ? "COM%d:" : "VXCOM%d:", n);
                m_cbPorts.AddString(entry);
            }
        } else {
            SetDlgItemText(IDC_COM_NOTE, g_textMessage.GetText("IDS_ERR_UNSUPPORTCOM"));
            GetDlgItem(IDC_COM_NOTE)->ShowWindow(SW_SHOW);
        }
    } else {
        if (keys.lpt)
            m_cbPorts.AddString("LPT1:");
        if (keys.com) {
            m_cbPorts.AddString("COM1:");
            m_cbPorts.AddString("COM2:");
        }
    }
    if (keys.net) {
        m_cbPorts.AddString("NET:");
        m_ipAddress.EnableWindow(TRUE);
    }
    if (!keys.usb || osCode == 1)
        return;
    const int lastUsbPort = advanced && deviceKind != kUsbClassPrinters ? 4 : 1;
    for (int n = 1; n <= lastUsbPort; ++n) {
        SafeFormat(entry, sizeof(entry), "USB_%s_%d", model, n);
        m_cbPorts.AddString(entry);
    }
    if (deviceKind != kUsbClassPrinters) {
        EnableSerialLists(FALSE);
        m_ipAddress.EnableWindow(FALSE);
    }
}

void CPortPage::ChooseInitialPort(bool advanced, const SPortKeys& keys, int identity, int deviceKind)
{
    bool chosenByIdentity = false;
    if (advanced) {
        if (!keys.lpt)
            SelectEntry0();
        if (!keys.usb)
            identity = kUsbNoDevice;
        if (identity != kUsbNoDevice) {
            const int portNumber = UsbPortNumber(identity);
            if (portNumber > 4)
                SelectEntry0();
            char suffix[16];
            SafeFormat(suffix, sizeof(suffix), "_%d", portNumber);
            SelectFirstContaining("USB_", suffix);
            DisableSerialControls();
            chosenByIdentity = true;
        }
    } else if (keys.usb && identity != kUsbNoDevice) {
        SelectFirstContaining("USB_");
        DisableSerialControls();
        chosenByIdentity = true;
    }
    if (!chosenByIdentity) {
        if (keys.lptDefault == 1 && keys.lpt)
            SelectFirstContaining("LPT");
        else if (keys.lptDefault == 2 && keys.usb)
            SelectFirstContaining("USB_");
        else
            SelectEntry0();
    }
    // Connected USB devices make a USB entry the choice; one the identity
    // has chosen stays.
    if (deviceKind != 0 && keys.usb) {
        if (!strstr(m_szPortName, "USB_"))
            SelectFirstContaining("USB_");
        DisableSerialControls();
    }
}

void CPortPage::ApplyPortKind(bool advanced, int rasterVisible)
{
    if (strstr(m_szPortName, "USB_")) {
        CheckUsbDriverNote(advanced ? kNoteListAdvanced : kNoteListTypical);
        GetDlgItem(IDC_RASTER)->EnableWindow(TRUE);
        m_bRaster = TRUE;
    } else if (strstr(m_szPortName, "LPT")) {
        ShowNote(SW_HIDE);
        GetDlgItem(IDC_RASTER)->EnableWindow(TRUE);
        m_bRaster = TRUE;
        DisableSerialControls();
    } else if (strstr(m_szPortName, "NET")) {
        ShowNote(SW_HIDE);
        GetDlgItem(IDC_RASTER)->EnableWindow(TRUE);
        m_bRaster = TRUE;
        EnableSerialLists(FALSE);
        m_ipAddress.EnableWindow(TRUE);
    } else {
        ShowNote(SW_HIDE);
        GetDlgItem(IDC_RASTER)->EnableWindow(FALSE);
        m_bRaster = FALSE;
        if (!advanced)
            EnableSerialLists(TRUE);
    }
    if (!advanced)
        GetDlgItem(IDC_RASTER)->ShowWindow(SW_HIDE);
    else if (rasterVisible == 0)
        GetDlgItem(IDC_RASTER)->ShowWindow(SW_SHOW);
    else if (rasterVisible == 1)
        GetDlgItem(IDC_RASTER)->ShowWindow(SW_HIDE);
}

void CPortPage::CheckUsbDriverNote(ENoteCaller caller)
{
    const int osCode = CurrentOsPageCode();
    if (osCode == 0 || osCode == 1)
        return;
    char driverPath[200] = "";
    UINT n = SystemApi().GetWindowsDirectoryA(driverPath, sizeof(driverPath));
    if (n >= sizeof(driverPath))
        driverPath[0] = '\0';
    SafeAppend(driverPath, "\\system32\\drivers\\ZEDEZU.sys");
    CString version;
    if (g_bIsWow64) {
        CFsRedirectionOff redirection(CFsRedirectionOff::kQuiet);
        if (redirection.IsOff())
            version = GetFileVersionText(driverPath);
    } else {
        version = GetFileVersionText(driverPath);
    }

    const bool noDriver = version.Compare(kNoVersion) == 0;
    if (caller != kNoteSelection) {
        if (!noDriver) {
            ShowNote(SW_HIDE);
            return;
        }
        m_noteLabel.SetWindowText(g_textMessage.GetText("IDS_ERR_UPDATEUSB"));
        if (caller == kNoteListAdvanced)
            ShowNote(SW_SHOW);
        return;
    }
    m_noteLabel.SetWindowText(g_textMessage.GetText("IDS_ERR_UPDATEUSB"));
    if (noDriver) {
        ShowNote(SW_HIDE);
        m_ipAddress.EnableWindow(FALSE);
    } else {
        ShowNote(m_nInstallMode == 0 ? SW_SHOW : SW_HIDE);
    }
}

CString CPortPage::GetFileVersionText(const char* path)
{
    DWORD handle = 0;
    DWORD size = FileApi().GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return kNoVersion;
    std::vector<BYTE> info(size);
    if (!FileApi().GetFileVersionInfoA(path, handle, size, info.data()))
        return kNoVersion;
    LPVOID value = nullptr;
    UINT length = 0;
    if (!FileApi().VerQueryValueA(info.data(), "VarFileInfo\\Translation", &value, &length) || !value ||
        length < 2 * sizeof(WORD))
        return kNoVersion;
    const WORD* translation = static_cast<const WORD*>(value);
    char query[64];
    SafeFormat(query, sizeof(query), "\\StringFileInfo\\%04x%04x\\FileVersion", translation[0], translation[1]);
    value = nullptr;
    length = 0;
    if (!FileApi().VerQueryValueA(info.data(), query, &value, &length) || !value || length == 0)
        return kNoVersion;
    // The length counts characters; the text need not be terminated within it.
    const char* text = static_cast<const char*>(value);
    const int textLength = static_cast<int>(strnlen(text, length));
    if (textLength == 0)
        return kNoVersion;
    return CString(text, textLength);
}

void CPortPage::OnSelchangePorts()
{
    int selected = m_cbPorts.GetCurSel();
    if (selected == CB_ERR)
        return;
    ReadEntry(selected);
    if (strstr(m_szPortName, "COM")) {
        EnableSerialLists(TRUE);
        GetDlgItem(IDC_RASTER)->EnableWindow(FALSE);
        ShowNote(SW_HIDE);
        m_ipAddress.EnableWindow(FALSE);
        m_bRaster = FALSE;
    } else {
        EnableSerialLists(FALSE);
        GetDlgItem(IDC_RASTER)->EnableWindow(TRUE);
        m_ipAddress.EnableWindow(FALSE);
        m_bRaster = TRUE;
        if (strstr(m_szPortName, "USB_"))
            CheckUsbDriverNote(kNoteSelection);
        else
            ShowNote(SW_HIDE);
    }
    if (strstr(m_szPortName, "NET"))
        m_ipAddress.EnableWindow(TRUE);
    UpdateData(FALSE);
}

void CPortPage::ReadSelectedSetting(CComboBox& list, char (&text)[20])
{
    memset(text, 0, sizeof(text));
    int selected = list.GetCurSel();
    if (selected == CB_ERR)
        return;
    CString entry;
    list.GetLBText(selected, entry);
    SafeCopy(text, entry);
}

void CPortPage::OnSelchangeBaudRate()
{
    char text[20];
    ReadSelectedSetting(m_cbBaudRate, text);
    m_nBaudRate = ParseInt(text);
}

void CPortPage::OnSelchangeByteSize()
{
    char text[20];
    ReadSelectedSetting(m_cbByteSize, text);
    m_nByteSize = ParseInt(text);
}

void CPortPage::OnSelchangeParity()
{
    char text[20];
    ReadSelectedSetting(m_cbParity, text);
    m_cParity = text[0];
}

void CPortPage::OnSelchangeStopBits()
{
    char text[20];
    ReadSelectedSetting(m_cbStopBits, text);
    m_dStopBits = atof(text);
}

void CPortPage::OnSelchangeProtocol()
{
    char text[20];
    ReadSelectedSetting(m_cbProtocol, text);
    if (strcmp(text, "Xon/Xoff") == 0)
        m_cProtocol = 'x';
    else if (strcmp(text, "Hardware") == 0)
        m_cProtocol = 'p';
    else if (strcmp(text, "None") == 0)
        m_cProtocol = ' ';
}

void CPortPage::ReadEntry(int index)
{
    CString entry;
    m_cbPorts.GetLBText(index, entry);
    SafeCopy(m_szPortName, entry);
}

// Without a match the port text is that of the selected entry, or of entry
// 0 when none is selected: always the text of an entry of the list.
void CPortPage::SelectFirstContaining(const char* text, const char* alsoText)
{
    const int count = m_cbPorts.GetCount();
    for (int index = 0; index < count; ++index) {
        CString entry;
        m_cbPorts.GetLBText(index, entry);
        if (entry.Find(text) >= 0 && (!alsoText || entry.Find(alsoText) >= 0)) {
            m_cbPorts.SetCurSel(index);
            ReadEntry(index);
            return;
        }
    }
    const int selected = m_cbPorts.GetCurSel();
    if (count > 0)
        ReadEntry(selected == CB_ERR ? 0 : selected);
}

void CPortPage::SelectEntry0()
{
    if (m_cbPorts.GetCount() == 0)
        return;
    m_cbPorts.SetCurSel(0);
    ReadEntry(0);
}

void CPortPage::EnableSerialLists(BOOL bEnable)
{
    for (int id : kSerialLists)
        GetDlgItem(id)->EnableWindow(bEnable);
}

void CPortPage::DisableSerialControls()
{
    EnableSerialLists(FALSE);
    m_ipAddress.EnableWindow(FALSE);
}
