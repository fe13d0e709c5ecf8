// The result text: first failure kept, the system's message appended, and no
// composed message cut or overflowing.
#include <gtest/gtest.h>

#include <cstring>

#include "common/SafeStr.h"
#include "common/TextTable.h"
#include "platform/sim/sim_machine.h"
#include "setup/engine/ResultText.h"
#include "tests/native/JournalText.h"

namespace {

class ResultTextTest : public testing::Test {
protected:
    ResultTextTest() : m_scope(m_sim) { g_szResultText[0] = '\0'; }
    ~ResultTextTest() override { g_szResultText[0] = '\0'; }

    CSimMachine m_sim;
    CSimScope m_scope;
};

TEST_F(ResultTextTest, TheFirstFailureStays)
{
    EXPECT_FALSE(HasResultText());
    EXPECT_TRUE(SetResultText("first"));
    EXPECT_FALSE(SetResultText("second"));
    EXPECT_FALSE(SetResultError("third", ERROR_ACCESS_DENIED));
    EXPECT_STREQ(g_szResultText, "first");
    EXPECT_TRUE(HasResultText());
    // A text that is kept out asks the system for nothing.
    EXPECT_EQ(m_sim.Journal().Count("FormatMessageA"), 0u);
}

TEST_F(ResultTextTest, TheSystemMessageFollowsALineBreak)
{
    const struct { DWORD error; const char* expected; } cases[] = {
        {ERROR_ACCESS_DENIED, "Failed.\nAccess is denied.\r\n"},
        {ERROR_PRINTER_ALREADY_EXISTS, "Failed.\nThe printer already exists.\r\n"},
        {0xE0001234, "Failed."},  // no system text for the code: the text alone
    };
    for (const auto& c : cases) {
        g_szResultText[0] = '\0';
        m_sim.Journal().Clear();
        EXPECT_TRUE(SetResultError("Failed.", c.error));
        EXPECT_STREQ(g_szResultText, c.expected);
        // From the system table, inserts left alone, the user's default language.
        EXPECT_EQ(JournalOf(m_sim, {"FormatMessageA"}),
                  (std::vector<std::string>{"FormatMessageA(0x1200, " + std::to_string(c.error) + ", " +
                                            std::to_string(kSystemMessageSize) + ")"}));
    }
}

TEST_F(ResultTextTest, TheLongestComposedMessageFitsWhole)
{
    // Two language texts of the table's full size, a path and the system text.
    const std::string language(CSetupTextTable::kBufferSize - 1, 'L');
    const std::string path(MAX_PATH - 1, 'P');
    char composed[kResultTextSize];
    ASSERT_TRUE(SafeCopy(composed, language.c_str()));
    ASSERT_TRUE(SafeAppend(composed, path.c_str()));
    ASSERT_TRUE(AppendSystemMessage(composed, sizeof(composed), ERROR_SERVICE_DISABLED));
    ASSERT_TRUE(SafeAppend(composed, language.c_str()));
    EXPECT_TRUE(SetResultText(composed));
    EXPECT_EQ(strlen(g_szResultText), strlen(composed));
    EXPECT_NE(std::string(g_szResultText).find("\nThe service cannot be started"), std::string::npos);
}

TEST_F(ResultTextTest, AnOverlongTextIsCutBetweenCharacters)
{
    // Double-byte characters one byte longer than the buffer holds: the last
    // one that fits only by its lead byte is left out whole.
    std::string gbk;
    for (int i = 0; i < kResultTextSize / 2; ++i)
        gbk += "\xB4\xED";
    EXPECT_TRUE(SetResultText(gbk.c_str()));
    EXPECT_EQ(strlen(g_szResultText), static_cast<size_t>(kResultTextSize - 2));
    EXPECT_EQ(std::string(g_szResultText), gbk.substr(0, kResultTextSize - 2));
}

TEST_F(ResultTextTest, AnAppendNeverRunsPastItsBuffer)
{
    struct {
        char text[8];
        char guard[8];
    } buffer;
    memset(&buffer, 'G', sizeof(buffer));
    SafeCopy(buffer.text, "abcd");
    EXPECT_TRUE(AppendSystemMessage(buffer.text, sizeof(buffer.text), ERROR_ACCESS_DENIED));
    EXPECT_STREQ(buffer.text, "abcd\nAc");
    EXPECT_EQ(std::string(buffer.guard, sizeof(buffer.guard)), std::string(sizeof(buffer.guard), 'G'));
}

}  // namespace
