// Every modal message or question box of the program goes through ShowMessageBox, so that a test can answer
// it instead of a person.
#pragma once

#include <windows.h>

// Shows a message box (MessageBoxA's types and answers) unless an answerer is set, which then answers it.
int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type);

// Answers boxes in place of the user: gets the box's text, caption and type, returns IDOK, IDYES, IDNO ...
using MessageBoxAnswerer = int (*)(const char* text, const char* caption, UINT type, void* context);

// Sets the answerer (null brings back real boxes).
void SetMessageBoxAnswerer(MessageBoxAnswerer answerer, void* context);

// For the program's own question dialogs: when an answerer is set, asks it with the MessageBoxA type the
// question stands for, stores its answer and answers true; false when the user is to be asked.
bool AnswerInPlaceOfUser(const char* text, const char* caption, UINT type, int* answer);
