#include "common/TextTable.h"
#include "tests/native/SetupFixture.h"

#include <cstring>
#include <string>
#include <thread>

namespace {

class TextTableTest : public CSetupMachineTest {
protected:
    void WriteSetupTexts(const std::string& body) { WriteFile("C:\\Dist\\language\\setup_EN.ini", "[T]\n" + body); }
    void WriteUninstallTexts(const std::string& body)
    {
        WriteFile("C:\\Tools\\language\\uninstall_EN.ini", "[T]\n" + body);
        m_sim.Config().m_strCurrentDirectory = "C:\\Tools";
    }
};

struct MarkerCase {
    const char* stored;
    const char* setupResult;
    const char* uninstallResult;
};

// Each marker works once, markers are replaced in the order \1 \2 \3
// wherever they stand, and the uninstaller knows only \n.
const MarkerCase kMarkerCases[] = {
    {"a\\1b\\2c\\3d", "a\r\nb\r\nc\r\nd", "a\\1b\\2c\\3d"},
    {"a\\1b\\1c", "a\r\nb\\1c", "a\\1b\\1c"},
    {"x\\3y\\1z", "x\r\ny\r\nz", "x\\3y\\1z"},
    {"p\\nq\\nr", "p\\nq\\nr", "p\r\nq\\nr"},
    {"plain", "plain", "plain"},
    {"", "", ""},
};

TEST_F(TextTableTest, MarkersBecomeLineBreaksOncePerMarker)
{
    for (const MarkerCase& c : kMarkerCases) {
        WriteSetupTexts(std::string("K=") + c.stored + "\n");
        WriteUninstallTexts(std::string("K=") + c.stored + "\n");
        EXPECT_STREQ(CSetupTextTable("T").GetText("K"), c.setupResult) << c.stored;
        EXPECT_STREQ(CUninstallTextTable("T").GetText("K"), c.uninstallResult) << c.stored;
    }
}

TEST_F(TextTableTest, MissingKeySectionOrFileGiveEmptyText)
{
    WriteSetupTexts("K=value\n");
    EXPECT_STREQ(CSetupTextTable("T").GetText("Other"), "");
    EXPECT_STREQ(CSetupTextTable("Nowhere").GetText("K"), "");
    m_sim.Config().m_strModulePath = "C:\\Elsewhere\\setup.exe";
    EXPECT_STREQ(CSetupTextTable("T").GetText("K"), "");
}

TEST_F(TextTableTest, LanguageFileFollowsSystemDefaultLanguage)
{
    const struct { LANGID lang; const char* setupFile; const char* uninstallFile; } cases[] = {
        {2052, "C:\\Dist\\language\\setup_CN.ini", "C:\\Dist\\language\\uninstall_CN.ini"},
        {1028, "C:\\Dist\\language\\setup_EN.ini", "C:\\Dist\\language\\uninstall_EN.ini"},
        {3076, "C:\\Dist\\language\\setup_EN.ini", "C:\\Dist\\language\\uninstall_EN.ini"},
        {4100, "C:\\Dist\\language\\setup_EN.ini", "C:\\Dist\\language\\uninstall_EN.ini"},
        {1033, "C:\\Dist\\language\\setup_EN.ini", "C:\\Dist\\language\\uninstall_EN.ini"},
    };
    for (const auto& c : cases) {
        m_sim.Config().m_wSystemLangId = c.lang;
        EXPECT_STREQ(CSetupTextTable("Setup").GetPath(), c.setupFile) << c.lang;
        EXPECT_STREQ(CUninstallTextTable("Uninstall").GetPath(), c.uninstallFile) << c.lang;
    }
    m_sim.Config().m_wSystemLangId = 2052;
    EXPECT_EQ(CSetupTextTable("Setup").GetText("Caption"),
              std::string("\xb4\xf2\xd3\xa1\xbb\xfa\xc7\xfd\xb6\xaf\xb0\xb2\xd7\xb0\xb3\xcc\xd0\xf2"));
}

TEST_F(TextTableTest, SetupFindsItsFileFromAnyCurrentFolderUninstallOnlyFromItsOwn)
{
    m_sim.Config().m_strCurrentDirectory = "C:\\WINDOWS";
    EXPECT_STREQ(CSetupTextTable("Setup").GetText("Caption"), "Printer Driver Setup");
    EXPECT_STREQ(CUninstallTextTable("Uninstall").GetText("Title"), "");
    m_sim.Config().m_strCurrentDirectory = "C:\\Dist";
    EXPECT_STREQ(CUninstallTextTable("Uninstall").GetText("Title"), "Uninstall");
}

TEST_F(TextTableTest, LongTextsAreCutToTheBuffer)
{
    const std::string longText(3000, 'x');
    WriteSetupTexts("K=" + longText + "\n");
    WriteUninstallTexts("K=" + longText + "\n");
    EXPECT_EQ(strlen(CSetupTextTable("T").GetText("K")), 2047u);
    EXPECT_EQ(strlen(CUninstallTextTable("T").GetText("K")), 1023u);
}

TEST_F(TextTableTest, ResultStaysValidOnlyUntilTheNextLookup)
{
    WriteSetupTexts("A=first\nB=second\n");
    CSetupTextTable table("T");
    const char* first = table.GetText("A");
    table.GetText("B");
    EXPECT_STREQ(first, "second");
}

TEST_F(TextTableTest, SetupCopiesTheSectionUninstallKeepsThePointer)
{
    WriteSetupTexts("K=setup\n");
    WriteUninstallTexts("K=uninstall\n[U]\nK=other\n");
    char section[8] = "T";
    CSetupTextTable setupTable(section);
    CUninstallTextTable uninstallTable(section);
    strcpy(section, "U");
    EXPECT_STREQ(setupTable.GetText("K"), "setup");
    EXPECT_STREQ(uninstallTable.GetText("K"), "other");
}

TEST_F(TextTableTest, DestroyingAnUninstallTableClearsTheResult)
{
    WriteUninstallTexts("K=text\n");
    CUninstallTextTable table("T");
    const char* text = table.GetText("K");
    { CUninstallTextTable other("T"); }
    EXPECT_STREQ(text, "");
}

TEST_F(TextTableTest, TwoThreadsDoNotOverwriteEachOthersText)
{
    WriteSetupTexts("Main=main text\nWorker=worker text\n");
    CSetupTextTable table("T");
    const char* mine = table.GetText("Main");
    std::string seenByWorker;
    std::thread worker([&] { seenByWorker = table.GetText("Worker"); });
    worker.join();
    EXPECT_STREQ(mine, "main text");
    EXPECT_EQ(seenByWorker, "worker text");
}

} // namespace
