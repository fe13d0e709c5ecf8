// A simulated Windows machine with the installer in C:\Dist: its language
// files are the real ones; configuration files are what each test writes.
#pragma once

#include "platform/sim/sim_machine.h"

#include <gtest/gtest.h>
#include <string>

class CSetupMachineTest : public ::testing::Test {
protected:
    explicit CSetupMachineTest(const SSimConfig& config = SSimConfig::WindowsXp32());

    // Writes a file whose lines are given with "\n"; stored with CR LF.
    void WriteFile(const std::string& path, const std::string& lines);
    // The sample distribution's DRVCONFIG folder.
    void LoadSampleConfig();
    std::vector<std::string> MessageTexts() { return m_sim.MessageBoxes().Texts(); }

    CSimMachine m_sim;
    CSimScope m_scope;
};

// Copies one file of the source tree into the simulated disk.
void AddSourceFile(CSimMachine& sim, const std::string& simPath, const std::string& sourcePath);
// The sample distribution's left picture, which the wizard needs to start.
void AddLeftPicture(CSimMachine& sim);

// The real language file text of section/key, with the markers turned into
// line breaks, read straight from the source tree.
std::string LanguageText(const char* file, const char* section, const char* key);
