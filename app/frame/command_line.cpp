#include "frame/command_line.h"

#include <cctype>
#include <cstring>

FileKind FileKindOf(const std::string& path)
{
    if (path.size() < 4)
        return FileKind::Unknown;
    std::string extension = path.substr(path.size() - 4);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == ".rpt")
        return FileKind::ReportType;
    if (extension == ".vtl")
        return FileKind::Timeline;
    if (extension == ".ged" || extension == ".wmx")
        return FileKind::Import;
    if (extension == ".vbk")
        return FileKind::Backup;
    if (extension == ".vdb")
        return FileKind::Database;
    return FileKind::Unknown;
}

std::string CommandLinePath(const char* arguments)
{
    std::string path = arguments;
    if (!path.empty() && path.back() == '"')
        path.pop_back();
    if (!path.empty() && path.front() == '"')
        path.erase(0, 1);
    return path;
}

bool CommandLineNamesFile(const char* processCommandLine)
{
    if (processCommandLine[0] == '"') {
        const char* closing = std::strchr(processCommandLine + 1, '"');
        if (!closing)
            return false;
        const char* rest = closing + 1;
        while (*rest == ' ' || *rest == '\t')
            ++rest;
        return *rest != '\0';
    }
    return std::strchr(processCommandLine, ' ') != nullptr;
}
