// The four databases opened last (General/LastDatabase1 .. 4, the most recent first) and how the File
// menu shows them.
#pragma once

#include "settings/settings.h"

#include <string>

using RecentDatabasePaths = char[RecentDatabaseCount][SettingsPathSize];

// Puts `path` at the top of the list, moving down the entries above its old place; an entry that was not
// in the list pushes the oldest one out. Paths are Windows paths, so they compare without regard to case.
void PromoteRecentDatabase(RecentDatabasePaths& paths, const char* path);

// Whether a recent path gets a menu item: it must be set and name a file with an extension.
bool IsShownAsRecentDatabase(const char* path);

// The menu text of a (shortened) recent path: the text before its last dot.
std::string RecentDatabaseMenuText(const std::string& shortenedPath);

// Two Windows paths name the same file when they differ only in the case of their letters.
bool SameWindowsPath(const char* a, const char* b);
