#include "frame/recent_databases.h"

#include "platform/codepage.h"

#include <cstring>

namespace {

void CopyPath(char* to, const char* from)
{
    std::strncpy(to, from, SettingsPathSize - 1);
    to[SettingsPathSize - 1] = '\0';
}

} // namespace

bool SameWindowsPath(const char* a, const char* b)
{
    for (;; ++a, ++b) {
        unsigned char x = platform::UpperCaseCp1252(static_cast<unsigned char>(*a));
        unsigned char y = platform::UpperCaseCp1252(static_cast<unsigned char>(*b));
        if (x != y)
            return false;
        if (x == 0)
            return true;
    }
}

void PromoteRecentDatabase(RecentDatabasePaths& paths, const char* path)
{
    const std::string promoted = path; // the path may be one of the entries themselves
    // The entries above the path's old place (or all but the last, for a new path) move down one.
    int place = RecentDatabaseCount - 1;
    for (int i = 0; i < RecentDatabaseCount; ++i) {
        if (SameWindowsPath(paths[i], promoted.c_str())) {
            place = i;
            break;
        }
    }
    for (int i = place; i > 0; --i)
        CopyPath(paths[i], paths[i - 1]);
    CopyPath(paths[0], promoted.c_str());
}

bool IsShownAsRecentDatabase(const char* path)
{
    return path[0] != '\0' && std::strchr(path, '.') != nullptr;
}

std::string RecentDatabaseMenuText(const std::string& shortenedPath)
{
    std::size_t dot = shortenedPath.rfind('.');
    return dot == std::string::npos ? shortenedPath : shortenedPath.substr(0, dot);
}
