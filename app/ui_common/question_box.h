// The Yes/No question whose "do not ask again" check box switches a settings flag off.
#pragma once

#include <windows.h>

#include <cstdint>

// Asks `text` under `caption` with `defaultButton` (IDYES or IDNO) preset. When the check box is ticked,
// `flag` becomes 0 and is written as a DWORD under `section`/`valueName`. Answers IDYES or IDNO; Escape and
// the close box do not end the question.
int AskQuestion(HWND owner, const char* text, const char* caption, int defaultButton, std::int32_t* flag,
                const char* section, const char* valueName);
