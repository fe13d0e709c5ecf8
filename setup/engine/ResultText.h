// The result text: the installation's single error channel. Each engine step
// leaves the text of the first failure here (a language text, often followed
// by a line break and the system's message text for the error code) and
// treats a non-empty text as the sign that an earlier step failed; a
// successful installation leaves its final notice here instead. The wizard
// shows the text when the installation is over.
//
// Ownership: one thread at a time. The main thread may write it before the
// installation worker starts and reads it only after the worker's final
// write of the progress window's state; in between only the worker touches
// it. No lock is taken, the hand-over is that state write.
//
// Size: it holds the longest composed message without a cut: two language
// texts, a path, the line break and the system's message text.
#pragma once

#include <cstddef>

#include "platform/wintypes.h"

enum { kSystemMessageSize = 2048, kResultTextSize = 8192 };

extern char g_szResultText[kResultTextSize];

// TRUE once a step has left a text.
bool HasResultText();
// Leaves `text` as the result unless an earlier failure already left one;
// returns whether it wrote.
bool SetResultText(const char* text);
// SetResultText(text), followed, when it wrote and the system has a message
// text for the error code, by "\n" and that text.
bool SetResultError(const char* text, DWORD dwError);
// Appends "\n" and the system's message text for the error code (user's
// default language) to dst[size]; FALSE, with dst unchanged, when the system
// has no text for the code.
bool AppendSystemMessage(char* dst, size_t size, DWORD dwError);
