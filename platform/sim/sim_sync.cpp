#include "platform/sim/sim_sync.h"

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"

namespace {

class CSimMutexObject : public CSimObject {
public:
    explicit CSimMutexObject(std::shared_ptr<CSimSync::SMutex> mutex) : m_mutex(std::move(mutex)) {}

private:
    std::shared_ptr<CSimSync::SMutex> m_mutex;  // the name lives while a handle does
};

class CSimThreadObject : public CSimObject {
public:
    explicit CSimThreadObject(std::shared_ptr<CSimSync::SThread> thread) : m_thread(std::move(thread)) {}
    std::shared_ptr<CSimSync::SThread> m_thread;
};

}  // namespace

void CSimSync::SThread::Join()
{
    std::lock_guard<std::mutex> lock(m_joinMutex);
    if (m_thread.joinable())
        m_thread.join();
}

HANDLE CSimSync::CreateMutexA(LPVOID, BOOL bInitialOwner, LPCSTR lpName)
{
    CSimCall call(m_machine, "CreateMutexA", SimArgs(bInitialOwner, lpName));
    if (call.Faulted())
        return call.Fail(static_cast<HANDLE>(nullptr));
    if (!lpName) {
        SimSetLastError(ERROR_SUCCESS);
        return call.Succeed(m_machine.AddObject(std::make_unique<CSimMutexObject>(std::make_shared<SMutex>())));
    }
    // Kernel object names are compared with case.
    std::shared_ptr<SMutex> mutex = m_mutexes[lpName].lock();
    const bool bExisted = mutex != nullptr;
    if (!mutex) {
        mutex = std::make_shared<SMutex>();
        m_mutexes[lpName] = mutex;
    }
    HANDLE hMutex = m_machine.AddObject(std::make_unique<CSimMutexObject>(mutex));
    // Windows reports an existing object through the last error of a successful call.
    SimSetLastError(bExisted ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    call.Note(bExisted ? "existed" : "new");
    return call.Succeed(hMutex);
}

HANDLE CSimSync::CreateThread(LPVOID, size_t, LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    CSimCall call(m_machine, "CreateThread", SimArgs(SimHex(dwCreationFlags)));
    if (call.Faulted())
        return call.Fail(static_cast<HANDLE>(nullptr));
    // The seam has no ResumeThread, so a suspended thread would never run.
    if (!lpStartAddress || (dwCreationFlags & CREATE_SUSPENDED))
        return call.Fail(static_cast<HANDLE>(nullptr), ERROR_INVALID_PARAMETER);
    auto thread = std::make_shared<SThread>();
    thread->m_thread = std::thread([lpStartAddress, lpParameter] { lpStartAddress(lpParameter); });
    thread->m_id = thread->m_thread.get_id();
    m_threads.push_back(thread);
    if (lpThreadId)
        *lpThreadId = m_nextThreadId;
    m_nextThreadId += 4;
    return call.Succeed(m_machine.AddObject(std::make_unique<CSimThreadObject>(thread)));
}

// A wait on a thread joins it, whatever the timeout: the simulated programs
// only wait for threads they expect to end. A wait on a mutex is granted at
// once, since no other thread of the simulation holds one.
DWORD CSimSync::WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    CSimCall call(m_machine, "WaitForSingleObject", SimArgs(hHandle, dwMilliseconds));
    if (call.Faulted())
        return call.Fail(static_cast<DWORD>(WAIT_FAILED));
    if (m_machine.Object<CSimMutexObject>(hHandle))
        return call.Succeed(static_cast<DWORD>(WAIT_OBJECT_0));
    CSimThreadObject* pObject = m_machine.Object<CSimThreadObject>(hHandle);
    if (!pObject)
        return call.Fail(static_cast<DWORD>(WAIT_FAILED), ERROR_INVALID_HANDLE);
    std::shared_ptr<SThread> thread = pObject->m_thread;
    if (thread->m_id == std::this_thread::get_id())
        return call.Fail(static_cast<DWORD>(WAIT_FAILED), ERROR_INVALID_PARAMETER);
    call.Unlock();
    thread->Join();
    call.Relock();
    return call.Succeed(static_cast<DWORD>(WAIT_OBJECT_0));
}

void CSimSync::AddForeignMutex(const std::string& name)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::shared_ptr<SMutex> mutex = m_mutexes[name].lock();
    if (!mutex) {
        mutex = std::make_shared<SMutex>();
        m_mutexes[name] = mutex;
    }
    m_foreign.push_back(mutex);
}

bool CSimSync::MutexExists(const std::string& name) const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    auto it = m_mutexes.find(name);
    return it != m_mutexes.end() && !it->second.expired();
}

void CSimSync::JoinAll()
{
    std::vector<std::shared_ptr<SThread>> threads;
    {
        std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
        threads = m_threads;
    }
    for (auto& thread : threads)
        thread->Join();
}
