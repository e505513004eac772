// The person list: the list window of names that is the person selector of the whole program.
#pragma once

#include <windows.h>

#include <cstdint>

class Database;
struct ListWindowKind;

// The chosen name's person id, 0 when the dialog was closed or nothing was selected.
std::int32_t SelectPerson(HWND owner, Database& database);
// With a caller's title (a language key).
std::int32_t SelectPersonTitled(HWND owner, Database& database, const char* titleKey);

extern const ListWindowKind PersonListKind;
