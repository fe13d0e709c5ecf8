// Named mutexes and threads. Threads are real; a wait on one joins it.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

class CSimSync : public ISync {
public:
    explicit CSimSync(CSimMachine& machine) : m_machine(machine) {}

    HANDLE CreateMutexA(LPVOID lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName) override;
    HANDLE CreateThread(LPVOID lpThreadAttributes, size_t dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId) override;
    DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds) override;

    // A mutex held by another process, never released.
    void AddForeignMutex(const std::string& name);
    bool MutexExists(const std::string& name) const;
    // Joins every thread started, also those whose handle was closed.
    void JoinAll();

    struct SMutex {};
    struct SThread {
        std::thread m_thread;
        std::thread::id m_id;
        std::mutex m_joinMutex;
        void Join();
    };

private:
    CSimMachine& m_machine;
    std::map<std::string, std::weak_ptr<SMutex>> m_mutexes;  // by exact name
    std::vector<std::shared_ptr<SMutex>> m_foreign;
    std::vector<std::shared_ptr<SThread>> m_threads;
    DWORD m_nextThreadId = 0x1000;
};
