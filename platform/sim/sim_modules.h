// Simulated DLLs: each library is a table of exports backed by static
// functions that call back into the machine installed as current platform.
// System libraries live in the system folder; others are found on the
// simulated disk the way LoadLibrary searches (program folder, system folder,
// Windows folder, current directory).
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

// A typed function as an export.
template <class TFunction>
FARPROC SimExport(TFunction* pfn)
{
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(pfn));
}

struct SSimLibrary {
    std::string m_strName;  // file name, e.g. "kernel32.dll"
    bool m_bSystem = false;
    std::map<std::string, FARPROC> m_exports;
    DWORD m_dwLoadError = 0;  // nonzero: LoadLibraryA fails with it
    int m_nLoads = 0;         // loads not yet freed
    std::string m_strLoadedPath;
    HMODULE m_hModule = nullptr;
};

class CSimModules : public IModules {
public:
    explicit CSimModules(CSimMachine& machine);

    HMODULE LoadLibraryA(LPCSTR lpLibFileName) override;
    FARPROC GetProcAddress(HMODULE hModule, LPCSTR lpProcName) override;
    BOOL FreeLibrary(HMODULE hLibModule) override;

    // Setting up libraries (the machine adds kernel32.dll itself).
    SSimLibrary& AddLibrary(const std::string& name, bool bSystem);
    void AddExport(const std::string& library, const std::string& function, FARPROC proc);
    // An export removed: GetProcAddress then fails with 127, as on older systems.
    void RemoveExport(const std::string& library, const std::string& function);
    // LoadLibraryA of the library fails with the code (0 lets it load again).
    void SetLoadError(const std::string& library, DWORD dwError);
    // Loads not yet freed.
    int LoadCount(const std::string& library) const;
    // Path a loaded module came from, empty for an unknown handle.
    std::string ModulePath(HMODULE hModule) const;

private:
    SSimLibrary* Library(const std::string& name);
    const SSimLibrary* Library(const std::string& name) const;
    SSimLibrary* Loaded(HMODULE hModule);
    // Where LoadLibraryA finds the library for this name, empty when it does not.
    std::string Locate(const SSimLibrary& library, const std::string& requested) const;

    CSimMachine& m_machine;
    std::vector<std::unique_ptr<SSimLibrary>> m_libraries;
};

// Adds kernel32.dll with the exports the programs look up at run time.
void SimAddKernel32(CSimModules& modules);
