// What the spooler and the maker's libraries report, one "key=value" or
// tab-separated line per item, for the Wine test to compare. Each returns
// the program's exit code: 0 found, 1 not found or failed.
#pragma once

int PrintPrinter(const char* name);
int PrintDriver(const char* name);
int PrintPorts();
int PrintMonitors();
int PrintProcessors();
int PrintDefaultPrinter();
// The DEVMODE the printer's configuration library gives out.
int PrintDevmode(const char* printer);
// "file=FileVersion" of each file's version resource.
int PrintFileVersions(int count, char** paths);
// Loads a library and resolves each export; for a print processor also lists
// its data types.
int PrintExports(const char* path, int count, char** names);
// Registers a monitor (level 2, the library in the system folder).
int AddMonitor(const char* name, const char* library);
// Sends an "AddPort" or "DeletePort" request to a monitor.
int SendPortRequest(const char* monitor, const char* request, const char* port);
