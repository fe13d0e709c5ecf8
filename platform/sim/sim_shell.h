// ShellExecute requests, recorded and answered with a configured result.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

struct SSimShellRequest {
    HWND m_hWnd;
    std::string m_strOperation;
    std::string m_strFile;
    std::string m_strParameters;
    std::string m_strDirectory;
    INT m_nShowCmd;
};

class CSimShell : public IShell {
public:
    explicit CSimShell(CSimMachine& machine) : m_machine(machine) {}

    INT_PTR ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters, LPCSTR lpDirectory, INT nShowCmd) override;

    // What ShellExecuteA returns: above 32 succeeds, 32 or less is its error code.
    void SetResult(INT_PTR nResult) { m_nResult = nResult; }
    std::vector<SSimShellRequest> Requests() const;

private:
    CSimMachine& m_machine;
    INT_PTR m_nResult = 42;
    std::vector<SSimShellRequest> m_requests;
};
