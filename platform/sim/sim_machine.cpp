#include "platform/sim/sim_machine.h"

#include <cstdio>
#include <cstdlib>

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_path.h"

CSimMachine::CSimMachine(const SSimConfig& config)
    : m_config(config),
      m_journal(m_mutex),
      m_faults(m_mutex),
      m_spooler(*this),
      m_services(*this),
      m_registry(*this),
      m_files(*this),
      m_profile(*this),
      m_system(*this),
      m_modules(*this),
      m_security(*this),
      m_setupApi(*this),
      m_shell(*this),
      m_windows(*this),
      m_sync(*this),
      m_messageBoxes(*this),
      m_clock(*this),
      m_usb(*this)
{
    m_files.AddFolder(SimParent(m_config.m_strModulePath));
    m_files.AddFolder(m_config.m_strSystemFolder);
    m_files.AddFolder(m_config.m_strTempFolder);
    m_files.AddFolder(m_config.m_strCurrentDirectory);
    if (m_config.Is64BitWindows()) {
        m_files.AddFolder(m_config.m_strWindowsFolder + "\\SysWOW64");
        m_registry.CreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node");
    }
    SimAddKernel32(m_modules);
    SimAddWinspool(m_modules, m_config);
    m_spooler.Install();
}

CSimMachine::~CSimMachine()
{
    // Threads still running call into the areas: they end before the areas go.
    m_sync.JoinAll();
}

CSimMachine& CSimMachine::Current()
{
    CSimMachine* pMachine = dynamic_cast<CSimMachine*>(&CurrentPlatform());
    if (!pMachine) {
        fprintf(stderr, "a simulated export was called while no simulated machine is current\n");
        abort();
    }
    return *pMachine;
}

HANDLE CSimMachine::AddObject(std::unique_ptr<CSimObject> object)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    HANDLE hObject = reinterpret_cast<HANDLE>(m_nextHandle);
    m_nextHandle += 4;
    m_objects[hObject] = std::move(object);
    return hObject;
}

std::unique_ptr<CSimObject> CSimMachine::RemoveObject(HANDLE hObject)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_objects.find(hObject);
    if (it == m_objects.end())
        return nullptr;
    std::unique_ptr<CSimObject> object = std::move(it->second);
    m_objects.erase(it);
    return object;
}
