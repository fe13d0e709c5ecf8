// The installer's application object: the start-up checks, then the wizard.
#pragma once

#include "framework/Afx.h"

// Integer value of a key in a configuration file given relative to the
// program folder ("DRVCONFIG\setup.ini"); 0 when absent.
int ReadSetupInt(const char* file, const char* section, const char* key);

class CSetupApp : public CWinApp {
public:
    BOOL InitInstance() override;
    BOOL IsRunningOnWow64();

private:
    BOOL IsAnotherCopyRunning();
    BOOL IsUninstallerRunning();
    BOOL IsWindowsVersionRefused();
    BOOL IsWordSizeRefused();
    BOOL ModelHasPort();
};
