#include "PrinterFile.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// UsbPrinters.txt in the folder of the library this code is part of.
bool PrinterFilePath(char (&path)[MAX_PATH])
{
    HMODULE module = nullptr;
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCSTR>(&PrinterFilePath), &module))
        return false;
    DWORD n = GetModuleFileNameA(module, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return false;
    char* slash = strrchr(path, '\\');
    const char name[] = "\\UsbPrinters.txt";
    if (!slash || static_cast<size_t>(slash - path) + sizeof(name) > sizeof(path))
        return false;
    memcpy(slash, name, sizeof(name));
    return true;
}

std::vector<std::string> ReadLines()
{
    std::vector<std::string> lines;
    char path[MAX_PATH];
    if (!PrinterFilePath(path))
        return lines;
    FILE* file = fopen(path, "rb");
    if (!file)
        return lines;
    char line[512];
    while (fgets(line, sizeof(line), file))
        lines.push_back(line);
    fclose(file);
    return lines;
}

bool ParsePrinter(const std::string& line, SStandInPrinter* pPrinter)
{
    if (line.empty() || line[0] == '#')
        return false;
    SStandInPrinter printer = {};
    if (sscanf(line.c_str(), "%d %u %99s %d", &printer.nIndex, &printer.uIdentity, printer.szModel,
               &printer.nInstance) != 4)
        return false;
    *pPrinter = printer;
    return true;
}

} // namespace

int ReadStandInPrinters(SStandInPrinter (&printers)[kMaxStandInPrinters])
{
    int count = 0;
    for (const std::string& line : ReadLines()) {
        if (count < kMaxStandInPrinters && ParsePrinter(line, &printers[count]))
            ++count;
    }
    return count;
}

bool FindStandInPrinter(int nIndex, SStandInPrinter* pPrinter)
{
    SStandInPrinter printers[kMaxStandInPrinters];
    const int count = ReadStandInPrinters(printers);
    for (int i = 0; i < count; ++i) {
        if (printers[i].nIndex == nIndex) {
            *pPrinter = printers[i];
            return true;
        }
    }
    return false;
}

bool ChangeStandInIdentity(int nIndex, unsigned uIdentity)
{
    std::vector<std::string> lines = ReadLines();
    unsigned uOld = 0;
    bool found = false;
    for (std::string& line : lines) {
        SStandInPrinter printer;
        if (found || !ParsePrinter(line, &printer) || printer.nIndex != nIndex)
            continue;
        char changed[160];
        snprintf(changed, sizeof(changed), "%d %u %s %d\r\n", printer.nIndex, uIdentity, printer.szModel,
                 printer.nInstance);
        line = changed;
        uOld = printer.uIdentity;
        found = true;
    }
    if (!found)
        return false;
    char record[96];
    snprintf(record, sizeof(record), "# changed: index %d identity %u -> %u\r\n", nIndex, uOld, uIdentity);
    if (!lines.empty() && lines.back().back() != '\n')
        lines.back() += "\r\n";
    lines.push_back(record);

    char path[MAX_PATH];
    if (!PrinterFilePath(path))
        return false;
    FILE* file = fopen(path, "wb");
    if (!file)
        return false;
    for (const std::string& line : lines)
        fputs(line.c_str(), file);
    return fclose(file) == 0;
}
