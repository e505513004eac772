// The table of every stored setting: where it lives in the store, where it lives in the block,
// and its default. Settings::Load walks it in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

enum class SettingKind {
    Dword,        // REG_DWORD, 4 bytes
    String,       // REG_SZ read into a field of `size` characters with its terminator
    Folder,       // a String whose default is the process's current directory
    Binary,       // REG_BINARY of `size` bytes
    LanguageText, // a String whose default is the language text of `languageKey`
};

struct SettingDescriptor {
    const char* section;
    const char* valueName; // null: the key's default value
    SettingKind kind;
    std::size_t offset;                // of the field in Settings
    std::size_t size;                  // bytes read and written
    std::int64_t number = 0;           // default of a Dword
    const void* bytes = nullptr;       // default of a String (text) or a Binary (`size` bytes)
    const char* languageKey = nullptr; // default of a LanguageText
};

// The settings that Settings::Load reads, section by section, in reading order. The date-format
// list is not among them: it is read by its own rules.
const std::vector<SettingDescriptor>& StoredSettings();
// The four sentence templates that Settings::LoadReportFormatting reads.
const std::vector<SettingDescriptor>& ReportFormattingSettings();

// The thirteen pictures the date-format list starts with.
extern const char* const DefaultDatePictures[13];
