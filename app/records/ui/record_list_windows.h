// The list windows of sources, repositories, research objectives and media over the open database: each
// answers the chosen record's id, or 0.
#pragma once

#include <windows.h>

#include <cstdint>

class Database;
struct ListWindowKind;

std::int32_t SelectSource(HWND owner, Database& database);
// With a caller's title (a language key).
std::int32_t SelectSourceTitled(HWND owner, Database& database, const char* titleKey);
std::int32_t SelectRepository(HWND owner, Database& database);
std::int32_t SelectRepositoryTitled(HWND owner, Database& database, const char* titleKey);
// The research list always shows its own title.
std::int32_t ShowResearchList(HWND owner, Database& database);
std::int32_t ShowMediaList(HWND owner, Database& database);
std::int32_t ShowMediaListTitled(HWND owner, Database& database, const char* titleKey);

extern const ListWindowKind SourceListKind;
extern const ListWindowKind RepositoryListKind;
extern const ListWindowKind ResearchListKind;
extern const ListWindowKind MediaListKind;
