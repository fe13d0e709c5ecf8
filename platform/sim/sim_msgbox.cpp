#include "platform/sim/sim_msgbox.h"

#include "platform/sim/sim_call.h"
#include "platform/sim/sim_machine.h"

// The first button of each button set, the answer of a box nobody scripted.
static int FirstButton(UINT uType)
{
    switch (uType & MB_TYPEMASK) {
    case MB_ABORTRETRYIGNORE:
        return IDABORT;
    case MB_YESNOCANCEL:
    case MB_YESNO:
        return IDYES;
    case MB_RETRYCANCEL:
        return IDRETRY;
    default:
        return IDOK;
    }
}

int CSimMessageBoxes::MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType)
{
    CSimCall call(m_machine, "MessageBoxA", SimArgs(lpText, lpCaption, SimHex(uType)));
    if (call.Faulted())
        return call.Fail(0);
    int nAnswer = FirstButton(uType);
    if (!m_answers.empty()) {
        nAnswer = m_answers.front();
        m_answers.pop_front();
    }
    m_shown.push_back({hWnd, lpText ? lpText : "", lpCaption ? lpCaption : "", uType, nAnswer});
    return call.Succeed(nAnswer);
}

void CSimMessageBoxes::QueueAnswer(int nAnswer)
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    m_answers.push_back(nAnswer);
}

std::vector<SSimMessageBox> CSimMessageBoxes::Shown() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    return m_shown;
}

std::vector<std::string> CSimMessageBoxes::Texts() const
{
    std::lock_guard<std::recursive_mutex> lock(m_machine.Mutex());
    std::vector<std::string> texts;
    for (const SSimMessageBox& box : m_shown)
        texts.push_back(box.m_strText);
    return texts;
}
