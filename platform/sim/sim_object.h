// Kernel objects of a simulated machine (open files, find searches, mutexes,
// threads, tokens), reached by HANDLE through the machine's handle table.
#pragma once

#include "platform/wintypes.h"

class CSimObject {
public:
    virtual ~CSimObject() = default;
};

// The pseudo handles GetCurrentProcess and GetCurrentThread give.
inline HANDLE SimCurrentProcess() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)); }
inline HANDLE SimCurrentThread() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2)); }
