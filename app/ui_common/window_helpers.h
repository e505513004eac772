// Small services that many windows share: help topics, tooltips, the editor's caret position in the
// status bar, system errors, and language texts for dialog items.
#pragma once

#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

// HTML Help commands that ShowHelpTopic takes.
inline constexpr UINT HelpDisplayTopic = 0;   // HH_DISPLAY_TOPIC
inline constexpr UINT HelpKeywordLookup = 13; // HH_KEYWORD_LOOKUP

// The help file of the current language: program folder + "\" + the text of HELPFILE_MAIN.
void HelpFilePath(char* path, std::size_t size);
// What HTML Help is asked to display for a topic: the help file, "::/", the page (with its anchor) and the
// window type ">standard"; the file alone without a topic.
std::string HelpTopicTarget(const char* topic);
// Opens the help file at `topic` ("Page.htm" or "Page.htm#anchor"; null for the default page), or looks
// `topic` up as a keyword. 0 when a keyword lookup failed, else 1.
int ShowHelpTopic(UINT command, const char* topic);

// Gives `control` a tooltip of `text` (which must stay valid while the tool exists) / takes it away.
void AddTooltip(HWND control, const char* text);
void RemoveTooltip(HWND control);

// Status-bar parts 1 and 2: the line and column of the caret in EditorWindow, or empty.
void ShowEditorCaretPosition();
void ClearEditorCaretPosition();

// A message box with the system's text for `errorCode`.
void ShowSystemError(HWND owner, const char* caption, DWORD errorCode);

// Replaces every item text of a dialog (and its caption) that is a language key by that key's text.
void TranslateDialog(HWND dialog);

// Appends a column headed by the language text of `key` to a list view of report style.
void AddListViewColumn(HWND list, int index, const char* key, int width);
// Full-row selection and the columns (language key, width) of a list view of report style.
void SetUpListColumns(HWND list, std::initializer_list<std::pair<const char*, int>> columns);

// Sets a dialog item's text to the language text of `key`.
void SetItemLanguageText(HWND dialog, int item, const char* key);

// The box that says a change could not be written to the open database (error icon, no caption); the
// same box wherever a dialog's save fails, the dialog keeping what the user typed.
void ShowWriteFailure(HWND owner);
