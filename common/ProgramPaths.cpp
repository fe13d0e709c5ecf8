#include "common/ProgramPaths.h"

#include "common/SafeStr.h"
#include "platform/platform.h"

#include <cstring>
#include <vector>

// Module path cut after (keepSlash) or at its last backslash.
static void ProgramFolder(char* out, size_t size, size_t moduleBufSize, bool keepSlash)
{
    if (size == 0)
        return;
    out[0] = '\0';
    std::vector<char> module(moduleBufSize + 1, '\0');
    DWORD n = SystemApi().GetModuleFileNameA(nullptr, module.data(), static_cast<DWORD>(moduleBufSize));
    if (n == 0)
        return;
    module[moduleBufSize] = '\0';  // a cut path may come back unterminated on old systems
    char* slash = strrchr(module.data(), '\\');
    if (!slash)
        return;
    slash[keepSlash ? 1 : 0] = '\0';
    SafeCopy(out, size, module.data());
}

void GetProgramFolder(char* out, size_t size, size_t moduleBufSize)
{
    ProgramFolder(out, size, moduleBufSize, false);
}

void GetProgramFolderSlash(char* out, size_t size, size_t moduleBufSize)
{
    ProgramFolder(out, size, moduleBufSize, true);
}

void BuildProgramPath(char* out, size_t size, const char* tail)
{
    GetProgramFolder(out, size);
    SafeAppend(out, size, tail);
}

void BuildProgramPathRelative(char* out, size_t size, const char* relative)
{
    GetProgramFolderSlash(out, size);
    SafeAppend(out, size, relative);
}
