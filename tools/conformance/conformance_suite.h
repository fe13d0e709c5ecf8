// Checks of the platform seam that any implementation must pass. The native
// tests run them against the simulated machine, the conformance program
// against the real Windows API, so the simulation is held to what Windows
// (and Wine) really do.
#pragma once

#include "tools/conformance/conformance_cabinets.h"
#include "tools/conformance/conformance_devices.h"
#include "tools/conformance/conformance_files.h"
#include "tools/conformance/conformance_profile.h"
#include "tools/conformance/conformance_registry.h"
#include "tools/conformance/conformance_services.h"
#include "tools/conformance/conformance_spooler.h"
#include "tools/conformance/conformance_system.h"

inline std::vector<SConformanceCase> ConformanceCases()
{
    std::vector<SConformanceCase> cases;
    AddProfileCases(cases);
    AddRegistryCases(cases);
    AddFileCases(cases);
    AddSystemCases(cases);
    AddServiceCases(cases);
    AddSpoolerCases(cases);
    AddCabinetCases(cases);
    AddDeviceCases(cases);
    return cases;
}
