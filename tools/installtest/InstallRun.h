// One installation as the wizard would start it: the selection, the records
// built from the configuration, the printer name with its port suffix, the
// USB port records, then the installation worker on its own thread.
#pragma once

#include "setup/wizard/SetupSelection.h"

struct SInstallRequest {
    int nClass = kClassReceipt;
    int nOsType = 7;
    BOOL bRaster = FALSE;
    BOOL bSetDefault = FALSE;
    char szModel[200] = "";
    char szPort[100] = "";
    int nBaudRate = 9600;
    int nByteSize = 8;
    double dStopBits = 1.0;
    char cParity = 'N';
    char cProtocol = 'p';
};

// Runs the worker and prints its final state, the result text and the name
// of the printer created; returns the worker state.
int RunInstall(const SInstallRequest& request);
