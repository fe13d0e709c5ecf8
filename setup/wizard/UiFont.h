// The SimSun font of the Chinese user interface. The wizard creates it and
// every page and the About box give it (or a copy) to their controls.
#pragma once

#include "framework/Afx.h"

// SimSun shared by the wizard and its pages on a Chinese system.
extern CFont g_uiFont;

// Creates SimSun, 13 pixels, GB2312, into font (deleting what it held).
BOOL CreateChineseUiFont(CFont& font);
// Gives the font, with redraw, to the window and to each of its children.
void ApplyFontToDialog(CWnd& window, CFont& font);
