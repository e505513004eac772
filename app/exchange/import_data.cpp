#include "exchange/import_data.h"

#include <cstring>
#include <string>


namespace {

std::size_t NameStart(std::string_view path)
{
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

bool CopyPath(char (&target)[ImportPathSize], std::string_view text)
{
    if (text.size() >= ImportPathSize)
        return false;
    std::memcpy(target, text.data(), text.size());
    target[text.size()] = '\0';
    return true;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = static_cast<char>(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

std::string_view ImportFolderOf(std::string_view path)
{
    return path.substr(0, NameStart(path));
}

std::string_view ImportFileExtension(std::string_view path)
{
    const std::size_t start = NameStart(path);
    const std::size_t dot = path.find_last_of('.');
    if (dot == std::string_view::npos || dot < start)
        return {};
    return path.substr(dot + 1);
}

bool InitImportWizardData(ImportWizardData& block, const char* path)
{
    block = ImportWizardData {};
    if (path == nullptr)
        return false;
    const std::string_view input(path);
    const std::size_t start = NameStart(input);
    const std::size_t dot = input.find_last_of('.');
    if (dot == std::string_view::npos || dot < start)
        return false;
    std::string log(input.substr(0, dot + 1));
    log += "log";
    ImportWizardData filled;
    if (!CopyPath(filled.inputPath, input) || !SetImportLogPath(filled, log) ||
        !CopyPath(filled.mediaFolder, ImportFolderOf(input)))
        return false;
    filled.format = EqualsIgnoringCase(ImportFileExtension(input), "ged") ? ImportFormatGedcom : ImportFormatWexmor;
    block = filled;
    return true;
}

bool SetImportLogPath(ImportWizardData& block, std::string_view path)
{
    if (path.empty())
        return false;
    // The log never replaces the file being imported: a log path naming it gets ".log" appended.
    std::string log(path);
    if (EqualsIgnoringCase(log, block.inputPath))
        log += ".log";
    return CopyPath(block.logPath, log);
}
