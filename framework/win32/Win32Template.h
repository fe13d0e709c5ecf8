// Builds the in-memory DLGTEMPLATEEX of a dialog table for
// CreateDialogIndirectParam: WORD-aligned strings, DWORD-aligned items.
#pragma once

#include "framework/DialogTemplate.h"

#include <vector>

class CWin32Template {
public:
    explicit CWin32Template(const DLGTEMPLATEDEF& tpl);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD dw);
    void AlignDword();
    // A text in the ANSI code page as a zero-terminated UTF-16 string.
    void String(const char* pszText);
    void Item(const DLGITEMDEF& item);

    std::vector<WORD> m_words;
};
