// setup.exe's application object; the framework's entry point runs it.
#include "setup/wizard/SetupApp.h"

CSetupApp theApp;
