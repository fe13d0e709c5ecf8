// Message boxes: every box is recorded and answered from the test's script;
// without a script the first button answers (IDOK, IDYES, ...).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/platform.h"

class CSimMachine;

struct SSimMessageBox {
    HWND m_hOwner;
    std::string m_strText;
    std::string m_strCaption;
    UINT m_uType;
    int m_nAnswer;
};

class CSimMessageBoxes : public IMessageBoxes {
public:
    explicit CSimMessageBoxes(CSimMachine& machine) : m_machine(machine) {}

    int MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) override;

    // Answers for the next boxes, in order.
    void QueueAnswer(int nAnswer);
    std::vector<SSimMessageBox> Shown() const;
    // Texts of the boxes shown, in order.
    std::vector<std::string> Texts() const;

private:
    CSimMachine& m_machine;
    std::deque<int> m_answers;
    std::vector<SSimMessageBox> m_shown;
};
