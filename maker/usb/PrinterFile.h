// The simulated printers of the stand-in USB libraries: the lines of
// UsbPrinters.txt beside the library ("index identity model instance").
#pragma once

#include <windows.h>

struct SStandInPrinter {
    int nIndex;
    unsigned uIdentity;
    char szModel[100];
    int nInstance;
};

const int kMaxStandInPrinters = 8;

// The printers listed in the file; 0 when it is missing.
int ReadStandInPrinters(SStandInPrinter (&printers)[kMaxStandInPrinters]);
// The printer listed with this index; false when there is none.
bool FindStandInPrinter(int nIndex, SStandInPrinter* pPrinter);
// Rewrites the identity of the printer with this index and records the change.
bool ChangeStandInIdentity(int nIndex, unsigned uIdentity);
