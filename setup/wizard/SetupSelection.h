// The user's choices as the wizard collects them from its pages: what the
// installation reads. The wizard is a CSetupSelection; the engine works on one.
#pragma once

#include "setup/config/SetupConfig.h"

struct CSetupSelection {
    int m_nPrinterClass = kClassNone;
    int m_nOsType = 0;
    BOOL m_bRaster = FALSE;
    char m_szModelName[200] = "";
    char m_szPortName[100] = "";
    BOOL m_bSetDefault = FALSE;
    // Serial line settings of the port page.
    int m_nBaudRate = 0;
    int m_nByteSize = 0;
    double m_dStopBits = 0;
    char m_cParity = 0;
    char m_cProtocol = 0;
    char m_szSetupIniPath[200] = "";
    char m_szClassIniPath[200] = "";
    CSetupConfig m_config;
};
