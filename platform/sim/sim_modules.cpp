#include "platform/sim/sim_modules.h"

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"
#include "platform/sim/sim_path.h"

CSimModules::CSimModules(CSimMachine& machine) : m_machine(machine) {}

// The file name LoadLibrary looks for: the last part of the path, ".dll" when it has no extension.
static std::string LibraryFileName(const std::string& requested)
{
    const size_t slash = requested.find_last_of("\\/");
    std::string name = slash == std::string::npos ? requested : requested.substr(slash + 1);
    if (name.find('.') == std::string::npos)
        name += ".dll";
    return name;
}

HMODULE CSimModules::LoadLibraryA(LPCSTR lpLibFileName)
{
    CSimCall call(m_machine, "LoadLibraryA", SimArgs(lpLibFileName));
    if (call.Faulted())
        return call.Fail(static_cast<HMODULE>(nullptr));
    if (!lpLibFileName || !*lpLibFileName)
        return call.Fail(static_cast<HMODULE>(nullptr), ERROR_INVALID_PARAMETER);
    SSimLibrary* pLibrary = Library(LibraryFileName(lpLibFileName));
    if (!pLibrary)
        return call.Fail(static_cast<HMODULE>(nullptr), ERROR_MOD_NOT_FOUND);
    if (pLibrary->m_dwLoadError)
        return call.Fail(static_cast<HMODULE>(nullptr), pLibrary->m_dwLoadError);
    const std::string path = Locate(*pLibrary, lpLibFileName);
    if (path.empty())
        return call.Fail(static_cast<HMODULE>(nullptr), ERROR_MOD_NOT_FOUND);
    if (pLibrary->m_nLoads++ == 0)
        pLibrary->m_strLoadedPath = path;
    return call.Succeed(pLibrary->m_hModule);
}

FARPROC CSimModules::GetProcAddress(HMODULE hModule, LPCSTR lpProcName)
{
    const uintptr_t nameValue = reinterpret_cast<uintptr_t>(lpProcName);
    const bool bOrdinal = nameValue < 0x10000;
    CSimCall call(m_machine, "GetProcAddress", SimArgs(hModule, bOrdinal ? "#" + std::to_string(nameValue) : SimQuote(lpProcName)));
    if (call.Faulted())
        return call.Fail(static_cast<FARPROC>(nullptr));
    SSimLibrary* pLibrary = Loaded(hModule);
    if (!pLibrary)
        return call.Fail(static_cast<FARPROC>(nullptr), ERROR_MOD_NOT_FOUND);
    // Exports are found by name only, with case.
    auto it = bOrdinal ? pLibrary->m_exports.end() : pLibrary->m_exports.find(lpProcName);
    if (it == pLibrary->m_exports.end())
        return call.Fail(static_cast<FARPROC>(nullptr), ERROR_PROC_NOT_FOUND);
    return call.Succeed(it->second);
}

BOOL CSimModules::FreeLibrary(HMODULE hLibModule)
{
    CSimCall call(m_machine, "FreeLibrary", SimArgs(hLibModule));
    if (call.Faulted())
        return call.Fail(FALSE);
    SSimLibrary* pLibrary = Loaded(hLibModule);
    if (!pLibrary)
        return call.Fail(FALSE, ERROR_MOD_NOT_FOUND);
    --pLibrary->m_nLoads;
    return call.Succeed(TRUE);
}

SSimLibrary& CSimModules::AddLibrary(const std::string& name, bool bSystem)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    SSimLibrary* pLibrary = Library(name);
    if (!pLibrary) {
        m_libraries.push_back(std::make_unique<SSimLibrary>());
        pLibrary = m_libraries.back().get();
        pLibrary->m_strName = name;
        pLibrary->m_hModule = reinterpret_cast<HMODULE>(0x10000000 + m_libraries.size() * 0x100000);
    }
    pLibrary->m_bSystem = bSystem;
    return *pLibrary;
}

void CSimModules::AddExport(const std::string& library, const std::string& function, FARPROC proc)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    SSimLibrary* pLibrary = Library(library);
    if (!pLibrary)
        pLibrary = &AddLibrary(library, false);
    pLibrary->m_exports[function] = proc;
}

void CSimModules::RemoveExport(const std::string& library, const std::string& function)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (SSimLibrary* pLibrary = Library(library))
        pLibrary->m_exports.erase(function);
}

void CSimModules::SetLoadError(const std::string& library, DWORD dwError)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    if (SSimLibrary* pLibrary = Library(library))
        pLibrary->m_dwLoadError = dwError;
}

int CSimModules::LoadCount(const std::string& library) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    const SSimLibrary* pLibrary = Library(library);
    return pLibrary ? pLibrary->m_nLoads : 0;
}

std::string CSimModules::ModulePath(HMODULE hModule) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    for (const auto& library : m_libraries) {
        if (library->m_hModule == hModule && library->m_nLoads > 0)
            return library->m_strLoadedPath;
    }
    return std::string();
}

SSimLibrary* CSimModules::Library(const std::string& name)
{
    for (auto& library : m_libraries) {
        if (SimEqualNoCase(library->m_strName, name))
            return library.get();
    }
    return nullptr;
}

const SSimLibrary* CSimModules::Library(const std::string& name) const
{
    return const_cast<CSimModules*>(this)->Library(name);
}

SSimLibrary* CSimModules::Loaded(HMODULE hModule)
{
    for (auto& library : m_libraries) {
        if (library->m_hModule == hModule && library->m_nLoads > 0)
            return library.get();
    }
    return nullptr;
}

std::string CSimModules::Locate(const SSimLibrary& library, const std::string& requested) const
{
    const SSimConfig& config = m_machine.Config();
    const bool bHasPath = requested.find_first_of("\\/") != std::string::npos;
    if (library.m_bSystem) {
        // A system library is where the system keeps it; a 32-bit program gets the SysWOW64 copy.
        const std::string sysWow64 = config.m_strWindowsFolder + "\\SysWOW64";
        if (bHasPath) {
            const std::string folder = SimParent(SimFullPath(config.m_strCurrentDirectory, requested.c_str()));
            if (!SimEqualNoCase(folder, config.m_strSystemFolder) && !SimEqualNoCase(folder, sysWow64))
                return std::string();
        }
        return (config.IsWow64() ? sysWow64 : config.m_strSystemFolder) + "\\" + library.m_strName;
    }
    CSimFileSystem& files = m_machine.Files();
    auto fileAt = [&files](const std::string& path) {
        const std::string full = files.Resolve(path.c_str());
        const SSimFileEntry* pEntry = files.Entry(full);
        return pEntry && !pEntry->m_bFolder ? pEntry->m_strPath : std::string();
    };
    if (bHasPath) {
        const std::string full = SimFullPath(config.m_strCurrentDirectory, requested.c_str());
        return fileAt(SimParent(full) + "\\" + LibraryFileName(full));
    }
    const std::string folders[] = {SimParent(config.m_strModulePath), config.m_strSystemFolder, config.m_strWindowsFolder, config.m_strCurrentDirectory};
    for (const std::string& folder : folders) {
        const std::string path = fileAt(folder + "\\" + library.m_strName);
        if (!path.empty())
            return path;
    }
    return std::string();
}
