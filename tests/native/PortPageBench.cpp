#include "tests/native/PortPageBench.h"

#include "resources/dialogs/setup/SetupDialogs.h"
#include "setup/config/SetupConfig.h"
#include "tests/native/SetupFixture.h"

#include <gtest/gtest.h>

namespace {

const UINT kHostId = 9301;

const DLGITEMDEF kHostItems[] = {
    {IDCANCEL, DIK_PUSHBUTTON, "Cancel", 220, 170, 50, 14, DIF_TABSTOP},
};

const DLGTEMPLATEDEF kHostTemplate = {
    kHostId, "Port page host", WS_POPUP | WS_CAPTION | DS_MODALFRAME,
    0, 0, 280, 190, "System", 10, kHostItems, 1,
};

class CHostApp : public CWinApp {
public:
    BOOL InitInstance() override { return FALSE; }
};

class CPortHost : public CDialog {
public:
    explicit CPortHost(BOOL bChineseUi) : CDialog(kHostId) { m_page.m_bChineseUi = bChineseUi; }
    CPortPage m_page;

protected:
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_page.Create(CPortPage::IDD, this);
        m_page.ShowWindow(SW_SHOW);
        return TRUE;
    }
};

const char* ShownText(const CHlWindow& window)
{
    return (window.dwStyle & WS_VISIBLE) ? "shown" : "hidden";
}

const char* OnOff(bool on)
{
    return on ? "on" : "off";
}

} // namespace

CPortPageBench::CPortPageBench(const SSimConfig& config, int osCode) : m_sim(config), m_scope(m_sim)
{
    m_sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
    m_sim.Usb().AddLibraries();
    m_osPage.m_nOsType = osCode;
    g_pOsPage = &m_osPage;
    g_bIsWow64 = config.IsWow64();
    static const DLGTEMPLATEDEF* const kTemplates[] = {&kHostTemplate};
    AfxRegisterDialogTemplates(kTemplates);
    RegisterSetupDialogTemplates();
}

CPortPageBench::~CPortPageBench()
{
    g_pOsPage = nullptr;
    g_bIsWow64 = false;
}

void CPortPageBench::WritePortSection(const char* model, const std::string& keys, int printerClass)
{
    const bool wow64 = m_sim.Config().IsWow64();
    std::string bytes = std::string("[") + model + ".PORT]\r\n";
    for (char c : keys) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    const std::string folder = "C:\\Dist\\";
    m_sim.Files().AddFile(folder + ClassFileName(printerClass, wow64, true), bytes);
    m_sim.Files().AddFile(folder + ClassFileName(printerClass, !wow64, true),
                          std::string("[") + model + ".PORT]\r\nNETSUPPORTED=1\r\n");
}

void CPortPageBench::Run(const std::vector<Step>& steps)
{
    CHostApp app;
    CPortHost host(m_bChineseUi);
    {
        CHeadlessUi ui;
        ui.SetFailureHandler([](const std::string& failure) { ADD_FAILURE() << failure; });
        for (const Step& step : steps)
            ui.AddStep([&host, step](CHeadlessUi& ui) { step(ui, host.m_page); });
        ui.AddStep([](CHeadlessUi& ui) { ui.Click(IDCANCEL); });
        host.DoModal();
    }
}

void BuildPortList(CPortPage& page, const char* model, int osCode, int printerClass, bool advanced)
{
    page.m_nInstallMode = advanced ? 0 : 1;
    if (advanced)
        page.BuildPortListAdvanced(model, osCode, printerClass);
    else
        page.BuildPortListTypical(model, osCode, printerClass);
}

std::vector<std::string> PortEntries(CHeadlessUi& ui)
{
    std::vector<std::string> entries;
    for (const CString& item : ui.Window(CPortPage::IDC_PORTS).items)
        entries.push_back(item.GetString());
    return entries;
}

std::string PortState(CHeadlessUi& ui, const CPortPage& page)
{
    const CHlWindow& ports = ui.Window(CPortPage::IDC_PORTS);
    std::string state = ports.nCurSel < 0 ? "-" : ports.items[ports.nCurSel].GetString();
    state += std::string(" | ") + page.m_szPortName;

    int enabled = 0;
    for (int id : {CPortPage::IDC_BAUDRATE, CPortPage::IDC_BYTESIZE, CPortPage::IDC_STOPBITS,
                   CPortPage::IDC_PARITY, CPortPage::IDC_PROTOCOL})
        enabled += ui.IsEnabled(id) ? 1 : 0;
    state += std::string(" | serial ") + (enabled == 5 ? "on" : enabled == 0 ? "off" : "mixed");
    state += std::string(" | ip ") + OnOff(ui.IsEnabled(CPortPage::IDC_IPADDRESS));

    const CHlWindow& raster = ui.Window(CPortPage::IDC_RASTER);
    state += std::string(" | raster ") + OnOff(!(raster.dwStyle & WS_DISABLED)) + " " + ShownText(raster) + " " +
             std::to_string(raster.nCheck);
    state += std::string(" | note ") + ShownText(ui.Window(CPortPage::IDC_USB_NOTE));
    state += std::string(" | com note ") + ShownText(ui.Window(CPortPage::IDC_COM_NOTE));
    return state;
}

std::string MessageText(const char* key)
{
    return LanguageText("setup_EN.ini", "Message", key);
}
