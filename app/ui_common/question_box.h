// The Yes/No question whose "do not ask again" check box switches a settings flag off.
#pragma once

#include <windows.h>

#include <cstdint>

// Asks `text` under `caption` with `defaultButton` (IDYES or IDNO) preset. When the check box is ticked,
// `flag` becomes 0 and is written as a DWORD under `section`/`valueName`. Answers IDYES or IDNO; Escape and
// the close box do not end the question.
int AskQuestion(HWND owner, const char* text, const char* caption, int defaultButton, std::int32_t* flag,
                const char* section, const char* valueName);

// Asks the deletion question of the language texts `textKey` under `titleKey`, No preset, unless the user
// chose not to be asked any more: `warning` is the Edit setting `valueName` that the check box switches off.
// True when the deletion goes ahead.
bool ConfirmDeletion(HWND owner, const char* textKey, const char* titleKey, std::int32_t& warning,
                     const char* valueName);
