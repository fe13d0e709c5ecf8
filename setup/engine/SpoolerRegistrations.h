// The installation's registrations with the print spooler: the driver, the
// printer with its name retry, the default printer, the spool folder of
// drivers with a driver log, the port list refresh before a USB installation
// and the model's print processor. Failures leave their text in the result
// text (setup/engine/ResultText.h) unless noted.
#pragma once

#include "platform/spooltypes.h"
#include "platform/wintypes.h"

// The printer record's name buffer, as BuildPrinterInfo leaves it.
enum { kPrinterNameSize = 260 };
// Retry suffixes "(1)" to "(98)" for a taken printer name.
enum { kMaxPrinterNameRetry = 98 };

// Registers the driver (level 3); 1 registered, 0 failed ("IDS_ERR_ADDPRNDRV3").
int AddDriverRecord(DRIVER_INFO_3A driverInfo);
// Creates the printer. A taken name is retried with "(1)" to "(98)" appended
// unless bNoRetry (USB ports); "IDS_ERR_TOOMANY" when no name is left,
// "IDS_ERR_ADDPRINTER" for other errors. pInfo->pPrinterName points to a
// writable buffer of kPrinterNameSize bytes: it holds the name used on
// success and is cleared on failure. 1 created, 0 failed.
int AddPrinterWithRetry(PRINTER_INFO_2A* pInfo, DWORD level, BOOL bNoRetry);
// Registers the print processor; 1, or the refusal ERROR_INVALID_PARAMETER,
// ERROR_ALREADY_EXISTS or ERROR_PRINT_PROCESSOR_ALREADY_INSTALLED, or 0 for
// any other failure. Leaves no text: the caller words the failure.
int AddProcessorRecord(const char* processorName, const char* libraryName, int osCode);
// Makes the printer the default one the way the running Windows keeps it and
// announces the change; 1 done, 0 not done. Leaves no text.
int MakeDefaultPrinter(const char* printerName);
// Reads the spooler's port list once, so that it knows the current ports;
// 1 read, 0 failed ("IDS_ERR_ALLOCMEMORY").
int RefreshPorts();
// Points the printer's spool folder at "<system drive>windows\system32\spool\printers"
// and restarts the spooler. Leaves no text.
void SetSpoolDirectory(const char* printerName);
