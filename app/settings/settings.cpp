#include "settings/settings.h"

#include "language/language_table.h"
#include "settings/settings_descriptors.h"
#include "platform/file.h"
#include "platform/settings_store.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

Settings CurrentSettings;

namespace {

using platform::SettingsHive;
using platform::SettingsKey;

constexpr const char* MachineKeyPath = "SOFTWARE\\Halmyr\\Vestrada\\1.4.3";
constexpr const char* ProductKeyPath = "Software\\Halmyr\\Vestrada";
constexpr const char* VersionKeyPath = "Software\\Halmyr\\Vestrada\\1.4.3";

// Older versions' keys, oldest first; the one of 1.4.1 was written with commas.
constexpr const char* OlderVersions[] = {"1.0.0", "1.0.1", "1.0.2", "1.0.3", "1.0.4", "1.0.5", "1.0.6",
                                         "1.0.7", "1.0.8", "1.1.0", "1.1.1", "1.1.2", "1.2.0", "1.2.1",
                                         "1.3.0", "1.3.1", "1.3.2", "1.4.0", "1,4,1", "1.4.2"};

SettingsKey SectionKey(const char* section)
{
    return SettingsKey::Create(SettingsHive::CurrentUser, std::string(VersionKeyPath) + "\\" + section);
}

// Copies `text` into a string field of `size` characters, cut so that the terminator always fits.
void StoreText(char* field, std::size_t size, const char* text)
{
    std::memset(field, 0, size);
    std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(field, text, length);
}

void StoreDefault(const SettingDescriptor& d, unsigned char* field)
{
    switch (d.kind) {
    case SettingKind::Dword: {
        auto value = static_cast<std::uint32_t>(d.number);
        std::memcpy(field, &value, sizeof value);
        break;
    }
    case SettingKind::String:
        StoreText(reinterpret_cast<char*>(field), d.size, static_cast<const char*>(d.bytes));
        break;
    case SettingKind::Folder:
        StoreText(reinterpret_cast<char*>(field), d.size, platform::CurrentDirectory().c_str());
        break;
    case SettingKind::Binary:
        std::memcpy(field, d.bytes, d.size);
        break;
    case SettingKind::LanguageText:
        StoreText(reinterpret_cast<char*>(field), d.size, GetLanguageText(d.languageKey));
        break;
    }
}

bool IsText(SettingKind kind)
{
    return kind != SettingKind::Dword && kind != SettingKind::Binary;
}

// Reads one value into its field, or stores its default when the value is missing or longer than
// the field. A text that fills its field without a terminator loses its last character to one.
void ReadSetting(const SettingsKey& key, const SettingDescriptor& d, Settings& block)
{
    unsigned char* field = reinterpret_cast<unsigned char*>(&block) + d.offset;
    std::vector<unsigned char> buffer(d.size);
    std::size_t length = 0;
    if (!key.Query(d.valueName, buffer.data(), buffer.size(), &length)) {
        StoreDefault(d, field);
        return;
    }
    std::fill(buffer.begin() + length, buffer.end(), 0);
    if (IsText(d.kind) && !buffer.empty())
        buffer.back() = 0;
    std::memcpy(field, buffer.data(), buffer.size());
}

void ReadSettings(const SettingsKey& versionKey, const std::vector<SettingDescriptor>& table, Settings& block)
{
    const char* openSection = nullptr;
    SettingsKey sectionKey;
    for (const SettingDescriptor& d : table) {
        if (!openSection || std::strcmp(openSection, d.section) != 0) {
            sectionKey = versionKey.CreateSubkey(d.section);
            openSection = d.section;
        }
        ReadSetting(sectionKey, d, block);
    }
}

std::string FormatValueName(int number)
{
    return "Format" + std::to_string(number);
}

// The date-format list: Format1, Format2, ... up to the first that cannot be read, skipping empty
// pictures, at most DateFormatCapacity of them. A store without Format1 first gets the defaults.
// Answers, for each value read (Format1 first), the position its picture took in the list, or -1 for
// an empty one; empty when the list holds the defaults because no picture could be read.
std::vector<int> ReadDateFormats(const SettingsKey& versionKey, DateFormatSettings& dates)
{
    SettingsKey key = versionKey.CreateSubkey("DateFormat");
    char picture[DatePictureSize];
    std::size_t length = 0;
    if (!key.Query("Format1", picture, sizeof picture, &length)) {
        for (int n = 0; n < DefaultDateFormatCount; ++n)
            key.SetString(FormatValueName(n + 1).c_str(),
                          std::string(DefaultDatePictures[n]).substr(0, DatePictureSize - 1));
    }

    std::memset(dates.Formats, 0, sizeof dates.Formats);
    std::vector<int> positions;
    int count = 0;
    for (int n = 1; count < DateFormatCapacity; ++n) {
        std::memset(picture, 0, sizeof picture);
        if (!key.Query(FormatValueName(n).c_str(), picture, sizeof picture, &length))
            break;
        picture[DatePictureSize - 1] = 0;
        if (picture[0] == 0) {
            positions.push_back(-1);
            continue;
        }
        positions.push_back(count);
        std::memcpy(dates.Formats[count++], picture, sizeof picture);
    }
    // A store that can be neither read nor written still leaves the program its pictures.
    if (count == 0) {
        for (; count < DefaultDateFormatCount; ++count)
            StoreText(dates.Formats[count], DatePictureSize, DefaultDatePictures[count]);
        positions.clear();
    }
    dates.FormatCount = count;
    return positions;
}

// A stored picture index names the value Format<index + 1>; in the list an emptied picture takes no
// place, so the index becomes the position that value's picture took, or -1 (the default follows)
// when that picture was emptied or not read.
std::int32_t PositionOfStoredPicture(const std::vector<int>& positions, std::int32_t index)
{
    if (positions.empty())
        return index; // the defaults, in their own order
    if (index < 0 || static_cast<std::size_t>(index) >= positions.size())
        return -1;
    return positions[static_cast<std::size_t>(index)];
}

// After emptied pictures were left out, the store is made to hold the list as it is now, so that the
// indexes written from here on name the same pictures at the next start.
void CompactStoredDateFormats(const SettingsKey& versionKey, std::size_t valuesRead, const DateFormatSettings& dates)
{
    SettingsKey key = versionKey.CreateSubkey("DateFormat");
    for (int n = 0; n < dates.FormatCount; ++n)
        key.SetString(FormatValueName(n + 1).c_str(), dates.Formats[n]);
    for (std::size_t n = static_cast<std::size_t>(dates.FormatCount); n < valuesRead; ++n)
        key.DeleteValue(FormatValueName(static_cast<int>(n) + 1).c_str());
    key.SetDword("OutputFormat", static_cast<std::uint32_t>(dates.OutputFormat));
    key.SetDword("PrintFormat", static_cast<std::uint32_t>(dates.PrintFormat));
}

void KeepInRange(std::int32_t& value, std::int32_t low, std::int32_t high, std::int32_t fallback)
{
    if (value < low || value > high)
        value = fallback;
}

// Index settings from an old or damaged store must not point outside what they index.
void ValidateIndexes(Settings& block)
{
    DateFormatSettings& dates = block.dateFormat;
    KeepInRange(dates.InputFormat, 0, InputFormatCount - 1, 0);
    std::int32_t pictureDefault = 10 < dates.FormatCount ? 10 : 0;
    KeepInRange(dates.OutputFormat, 0, dates.FormatCount - 1, pictureDefault);
    KeepInRange(dates.PrintFormat, 0, dates.FormatCount - 1, pictureDefault);
    KeepInRange(dates.TimeFormat, 0, 1, 0);
    KeepInRange(block.report.PrivacyLevel, 0, 4, 0);
    KeepInRange(block.stavic.TabSpaces, 1, 32, 4);
    KeepInRange(block.edit.NewNames, 0, 0x7FFFFFFF, 1);
    for (ListWindowSettings* list : {&block.repository, &block.source, &block.research, &block.object, &block.name})
        KeepInRange(list->ListSize, 1, 0x7FFFFFFF, 200);
}

bool HasNameStandard(int index)
{
    std::string key = "ADVNAME_STD" + std::to_string(index);
    return GetLanguageText(key.c_str()) != key.c_str();
}

const char* PictureAt(std::int32_t index)
{
    const DateFormatSettings& dates = CurrentSettings.dateFormat;
    if (index < 0 || index >= dates.FormatCount || index >= DateFormatCapacity)
        return "";
    return dates.Formats[index];
}

} // namespace

int Settings::Load()
{
    Settings& block = CurrentSettings;
    {
        // Read-only, so that a user without the right to write the machine's key still finds the folder.
        SettingsKey machineKey = SettingsKey::OpenForReading(SettingsHive::LocalMachine, MachineKeyPath);
        std::size_t length = 0;
        char folder[SettingsPathSize] = {};
        bool found = machineKey.Query("AppDir", folder, sizeof folder, &length);
        folder[sizeof folder - 1] = 0;
        if (found && folder[0])
            StoreText(block.AppDir, sizeof block.AppDir, folder);
        else
            StoreText(block.AppDir, sizeof block.AppDir, platform::CurrentDirectory().c_str());
    }

    SettingsKey versionKey = SettingsKey::Create(SettingsHive::CurrentUser, VersionKeyPath);
    if (!versionKey.OpenSubkey("Language").IsOpen()) {
        SettingsKey productKey = SettingsKey::Create(SettingsHive::CurrentUser, ProductKeyPath);
        MigrateFromOlderVersion(productKey, versionKey);
    }

    ReadSettings(versionKey, StoredSettings(), block);
    std::vector<int> positions = ReadDateFormats(versionKey, block.dateFormat);
    DateFormatSettings& dates = block.dateFormat;
    dates.OutputFormat = PositionOfStoredPicture(positions, dates.OutputFormat);
    dates.PrintFormat = PositionOfStoredPicture(positions, dates.PrintFormat);
    ValidateIndexes(block);
    if (std::find(positions.begin(), positions.end(), -1) != positions.end())
        CompactStoredDateFormats(versionKey, positions.size(), dates);
    return 1;
}

int Settings::LoadReportFormatting()
{
    SettingsKey versionKey = SettingsKey::Create(SettingsHive::CurrentUser, VersionKeyPath);
    ReadSettings(versionKey, ReportFormattingSettings(), CurrentSettings);
    // The name standards come with the language: an index past this language's list takes the default.
    std::int32_t& newNames = CurrentSettings.edit.NewNames;
    if (!HasNameStandard(newNames))
        newNames = HasNameStandard(1) ? 1 : 0;
    return 1;
}

void Settings::WriteString(const char* section, const char* valueName, const char* text)
{
    SectionKey(section).SetString(valueName, text ? text : "");
}

void Settings::WriteDword(const char* section, const char* valueName, std::uint32_t value)
{
    SectionKey(section).SetDword(valueName, value);
}

void Settings::WriteBinary(const char* section, const char* valueName, const void* data, std::size_t size)
{
    SectionKey(section).SetBinary(valueName, data, size);
}

void Settings::SaveDateFormats()
{
    SettingsKey key = SectionKey("DateFormat");
    const DateFormatSettings& dates = CurrentSettings.dateFormat;
    int count = std::clamp<std::int32_t>(dates.FormatCount, 0, DateFormatCapacity);
    for (int n = 0; n < count; ++n) {
        std::string_view picture(dates.Formats[n], strnlen(dates.Formats[n], DatePictureSize - 1));
        key.SetString(FormatValueName(n + 1).c_str(), picture);
    }
}

void Settings::MigrateFromOlderVersion(const platform::SettingsKey& productKey, const platform::SettingsKey& versionKey)
{
    for (auto older = std::rbegin(OlderVersions); older != std::rend(OlderVersions); ++older) {
        if (!productKey.OpenSubkey(*older).IsOpen())
            continue;
        productKey.CopySubkeyTree(*older, versionKey);
        versionKey.OpenSubkey("Language").DeleteValue(nullptr);
        return;
    }
}

const char* ScreenDatePicture()
{
    return PictureAt(CurrentSettings.dateFormat.OutputFormat);
}

const char* ReportDatePicture()
{
    return PictureAt(CurrentSettings.dateFormat.PrintFormat);
}
