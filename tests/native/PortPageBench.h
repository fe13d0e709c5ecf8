// The port page on a simulated machine: the installer's language files in
// C:\Dist, the maker's USB libraries beside it, an OS page with a chosen OS
// code, and the page as a shown child of a small host dialog run by the
// headless driver.
#pragma once

#include "framework/headless/HeadlessUi.h"
#include "platform/sim/sim_machine.h"
#include "setup/wizard/OsPage.h"
#include "setup/wizard/PortPage.h"

#include <functional>
#include <string>
#include <vector>

class CPortPageBench {
public:
    typedef std::function<void(CHeadlessUi&, CPortPage&)> Step;

    explicit CPortPageBench(const SSimConfig& config = SSimConfig::WindowsXp32(), int osCode = 3);
    ~CPortPageBench();
    CPortPageBench(const CPortPageBench&) = delete;
    CPortPageBench& operator=(const CPortPageBench&) = delete;

    // The model's port section ("KEY=value" lines) in the class file the
    // page reads on this machine; the class file of the other word size
    // gets a network-only decoy, so reading the wrong one shows.
    void WritePortSection(const char* model, const std::string& keys, int printerClass = 0);
    // Runs the page with the steps, in order, then closes the host.
    void Run(const std::vector<Step>& steps);
    void Run(const Step& step) { Run(std::vector<Step>{step}); }

    CSimMachine m_sim;
    CSimScope m_scope;
    COsPage m_osPage;
    // The page's m_bChineseUi when it is created.
    BOOL m_bChineseUi = FALSE;
};

// Builds the list the way the wizard does: m_nInstallMode first, then the
// variant of that mode.
void BuildPortList(CPortPage& page, const char* model, int osCode, int printerClass, bool advanced);

// Entry texts of the port list.
std::vector<std::string> PortEntries(CHeadlessUi& ui);
// A line of what the page shows: "sel | port | serial | ip | raster | note |
// com note", e.g. "LPT1: | LPT1: | serial off | ip off | raster on hidden 1 |
// note hidden | com note hidden".
std::string PortState(CHeadlessUi& ui, const CPortPage& page);

// The real language file text of section "Message".
std::string MessageText(const char* key);
