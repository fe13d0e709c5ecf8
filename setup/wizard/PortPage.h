// Wizard page: the ports the chosen model supports, the serial line settings
// and the network address, then Install. The wizard has the page build its
// port list each time the user moves forward onto it; the installation reads
// the chosen port and settings from the members.
#pragma once

#include "setup/wizard/NoteLabel.h"
#include "setup/wizard/WizardPage.h"

class CPortPage : public CWizardPage {
public:
    enum { IDD = 132 };
    enum {
        IDC_SET = 1095, IDC_PORTS_LABEL = 1096, IDC_PORTS = 1049, IDC_COM = 1097,
        IDC_BAUD_LABEL = 1098, IDC_BAUDRATE = 1041, IDC_PARITY_LABEL = 1099, IDC_PARITY = 1043,
        IDC_BYTESIZE_LABEL = 1100, IDC_BYTESIZE = 1042, IDC_STOPBITS_LABEL = 1101, IDC_STOPBITS = 1044,
        IDC_PROTOCOL_LABEL = 1102, IDC_PROTOCOL = 1045, IDC_IP_LABEL = 1103, IDC_IPADDRESS = 1106,
        IDC_RASTER = 1052, IDC_COM_NOTE = 1105, IDC_USB_NOTE = 1065,
    };
    // Port entries are read into m_szPortName.
    enum { kPortNameSize = 100 };

    CPortPage() : CWizardPage(IDD) {}

    // Build the port list for the model (at most 194 characters), OS code
    // 0 to 7 and printer class 0 to 3, and choose the initial port; the list
    // stays as it is while neither the model nor m_nInstallMode changes.
    void BuildPortListTypical(const char* model, int osCode, int printerClass);
    void BuildPortListAdvanced(const char* model, int osCode, int printerClass);

    // FileVersion of a file's version resource, "0.0.0.0" when it has none.
    CString GetFileVersionText(const char* path);

    char m_szPortName[kPortNameSize] = "";
    CString m_strListedModel;
    int m_nBaudRate = 0;  // the wizard loads the model's value
    int m_nByteSize = 8;
    double m_dStopBits = 1.0;
    char m_cParity = 'n';
    char m_cProtocol = 'p';
    int m_nInstallMode = 1;  // 1 typical, 0 advanced; the wizard writes it
    CToolTipCtrl m_toolTip;
    CIPAddressCtrl m_ipAddress;
    CNoteLabel m_noteLabel;
    CComboBox m_cbPorts;
    CComboBox m_cbBaudRate;
    CComboBox m_cbByteSize;
    CComboBox m_cbStopBits;
    CComboBox m_cbParity;
    CComboBox m_cbProtocol;
    BOOL m_bRaster = FALSE;

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnSelchangePorts();
    void OnSelchangeBaudRate();
    void OnSelchangeByteSize();
    void OnSelchangeParity();
    void OnSelchangeStopBits();
    void OnSelchangeProtocol();
    DECLARE_MESSAGE_MAP()

private:
    // Who runs the USB driver note check: the list builders or the selection handler.
    enum ENoteCaller { kNoteListTypical, kNoteListAdvanced, kNoteSelection };

    // The keys of the model's port section the list depends on.
    struct SPortKeys {
        int usb = 0;
        int lpt = 0;
        int com = 0;
        int net = 0;
        int lptDefault = 0;
        int rasterVisible = 0;
    };

    void BuildPortList(const char* model, int osCode, int printerClass, bool advanced);
    void AddPortEntries(const char* model, int osCode, bool advanced, const SPortKeys& keys, int deviceKind);
    void ChooseInitialPort(bool advanced, const SPortKeys& keys, int identity, int deviceKind);
    void ApplyPortKind(bool advanced, int rasterVisible);
    void CheckUsbDriverNote(ENoteCaller caller);

    // The text of a port entry, cut to what m_szPortName holds.
    void ReadEntry(int index);
    // The first entry containing each of the texts (the second may be null)
    // is selected and its text read; without one the selection stays.
    void SelectFirstContaining(const char* text, const char* alsoText = nullptr);
    void SelectEntry0();
    void EnableSerialLists(BOOL bEnable);
    void DisableSerialControls();
    void ShowNote(int nCmdShow) { m_noteLabel.ShowWindow(nCmdShow); }
    // The selected entry's text of a serial list, in 20 bytes.
    void ReadSelectedSetting(CComboBox& list, char (&text)[20]);
};

// Install mode the port list was last built for (1 typical, 0 advanced).
extern int g_nListedInstallMode;
