// The spooler's port-monitor interface (MONITOR2) for the maker's port
// monitors: ports listed from the monitor's registry store, jobs written to
// a sink the monitor opens per job, ports added and removed through the
// spooler's transceive calls ("AddPort", "DeletePort"), and the name of the
// user-interface library ("MonitorUI").
#pragma once

#include <windows.h>
#include <winspool.h>
#include <winsplp.h>

class CPortStore;

// What distinguishes one of the monitors.
struct SPortMonitorKind {
    LPCWSTR pszName;         // the name the monitor is registered under
    LPCWSTR pszDescription;  // shown with every port
    LPCWSTR pszUiLibrary;    // its user-interface library
    // Adds the ports the monitor always has; runs at every initialisation.
    void (*pfnSeedPorts)(CPortStore& store);
    // Opens the device or file a job on `port` goes to; INVALID_HANDLE_VALUE
    // with the last error set when it cannot.
    HANDLE (*pfnOpenSink)(LPCWSTR port);
};

// InitializePrintMonitor2 of a monitor of this kind; `kind` must live as
// long as the library.
LPMONITOR2 InitializePortMonitor(const SPortMonitorKind& kind, PMONITORINIT pMonitorInit, PHANDLE phMonitor);
