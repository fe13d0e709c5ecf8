// The WOW64 test. A 64-bit build can only run on 64-bit Windows, so there the
// answer is always TRUE.
#pragma once

#include "platform/wintypes.h"

// TRUE when this process is a 32-bit one under WOW64: kernel32 is loaded by
// its full system-folder path (by name if that fails) and IsWow64Process,
// when it exists, is asked about the current process.
BOOL QueryRunningOnWow64();

// Casts a looked-up export to its function type.
template <class F> F ProcAs(FARPROC proc)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(proc));
}
