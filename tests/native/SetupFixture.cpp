#include "tests/native/SetupFixture.h"

#include <fstream>
#include <sstream>

CSetupMachineTest::CSetupMachineTest(const SSimConfig& config) : m_sim(config), m_scope(m_sim)
{
    m_sim.Files().LoadHostFolder("C:\\Dist\\language", SOURCE_DIR "/resources/language");
}

void CSetupMachineTest::WriteFile(const std::string& path, const std::string& lines)
{
    std::string bytes;
    for (char c : lines) {
        if (c == '\n')
            bytes += '\r';
        bytes += c;
    }
    m_sim.Files().AddFile(path, bytes);
}

void CSetupMachineTest::LoadSampleConfig()
{
    m_sim.Files().LoadHostFolder("C:\\Dist\\DRVCONFIG", SOURCE_DIR "/sample/DRVCONFIG");
}

void AddSourceFile(CSimMachine& sim, const std::string& simPath, const std::string& sourcePath)
{
    std::ifstream in(std::string(SOURCE_DIR "/") + sourcePath, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    ASSERT_FALSE(bytes.str().empty()) << sourcePath;
    sim.Files().AddFile(simPath, bytes.str());
}

void AddLeftPicture(CSimMachine& sim)
{
    AddSourceFile(sim, "C:\\Dist\\DRVCONFIG\\Left.bmp", "sample/DRVCONFIG/Left.bmp");
}

std::string LanguageText(const char* file, const char* section, const char* key)
{
    std::ifstream in(std::string(SOURCE_DIR "/resources/language/") + file, std::ios::binary);
    std::string line;
    std::string current;
    const std::string wanted = std::string(key) + "=";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[') {
            current = line.substr(1, line.find(']') - 1);
            continue;
        }
        if (current == section && line.compare(0, wanted.size(), wanted) == 0) {
            std::string text = line.substr(wanted.size());
            for (const char* marker : {"\\1", "\\2", "\\3"}) {
                size_t at = text.find(marker);
                if (at != std::string::npos)
                    text.replace(at, 2, "\r\n");
            }
            return text;
        }
    }
    return std::string();
}
