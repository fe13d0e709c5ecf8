#include "setup/engine/ResultText.h"

#include "common/SafeStr.h"
#include "common/TextTable.h"
#include "platform/platform.h"

static_assert(kResultTextSize >= 2 * CSetupTextTable::kBufferSize + MAX_PATH + 1 + kSystemMessageSize,
              "the result text must hold two language texts, a path, a line break and a system message");

char g_szResultText[kResultTextSize];

bool HasResultText()
{
    return g_szResultText[0] != '\0';
}

bool SetResultText(const char* text)
{
    if (HasResultText())
        return false;
    SafeCopy(g_szResultText, text);
    return true;
}

bool SetResultError(const char* text, DWORD dwError)
{
    if (!SetResultText(text))
        return false;
    AppendSystemMessage(g_szResultText, sizeof(g_szResultText), dwError);
    return true;
}

bool AppendSystemMessage(char* dst, size_t size, DWORD dwError)
{
    char message[kSystemMessageSize];
    // Inserts stay as they are: no arguments go with a system message here.
    const DWORD length = SystemApi().FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, dwError,
                                                    MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), message, sizeof(message), nullptr);
    if (length == 0 || length >= sizeof(message))
        return false;
    SafeAppend(dst, size, "\n");
    SafeAppend(dst, size, message);
    return true;
}
