// The settings store: a tree of keys holding named values, kept in the registry on Windows and in
// memory in the native build. Key names and value names compare without regard to case, as in the
// registry. Paths separate keys with '\'. A value name that is null or empty names the key's default
// value. No failure is reported beyond the false or closed key that the calls answer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

enum class SettingsHive {
    CurrentUser,  // the user's own settings (HKEY_CURRENT_USER)
    LocalMachine, // settings of the installation (HKEY_LOCAL_MACHINE)
};

// An open key; closed when it goes out of scope.
class SettingsKey {
public:
    SettingsKey() = default;
    SettingsKey(SettingsKey&& other) noexcept;
    SettingsKey& operator=(SettingsKey&& other) noexcept;
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;
    ~SettingsKey();

    // Opens the key at `path`, creating every missing key on the way, for reading and writing.
    static SettingsKey Create(SettingsHive hive, std::string_view path);
    // Opens an existing key at `path` for reading only; closed when the key does not exist.
    static SettingsKey OpenForReading(SettingsHive hive, std::string_view path);

    bool IsOpen() const { return handle_ != nullptr; }
    // Opens (creating when missing) the subkey `name` for reading and writing.
    SettingsKey CreateSubkey(std::string_view name) const;
    // Opens the existing subkey `name`; closed when there is none.
    SettingsKey OpenSubkey(std::string_view name) const;

    // Reads the value's stored bytes, whatever its type, into `buffer`. False when the value is
    // missing or holds more than `size` bytes; the buffer's content is then undefined. `length` gets
    // the number of bytes read.
    bool Query(const char* valueName, void* buffer, std::size_t size, std::size_t* length) const;
    // Writes a string value; the stored length counts the terminating NUL.
    bool SetString(const char* valueName, std::string_view text) const;
    bool SetDword(const char* valueName, std::uint32_t value) const;
    bool SetBinary(const char* valueName, const void* data, std::size_t size) const;
    bool DeleteValue(const char* valueName) const;
    // Copies the subkey `name` of this key, with all its values and subkeys, into `destination`.
    bool CopySubkeyTree(std::string_view name, const SettingsKey& destination) const;

private:
    explicit SettingsKey(void* handle) : handle_(handle) {}
    void* handle_ = nullptr;
};

// For tests: while a sandbox lives, every path of both hives lies inside a private key of the
// current user, which is emptied when the sandbox begins and removed when it ends, so that tests
// never touch the real settings.
class SettingsSandbox {
public:
    SettingsSandbox();
    ~SettingsSandbox();
    SettingsSandbox(const SettingsSandbox&) = delete;
    SettingsSandbox& operator=(const SettingsSandbox&) = delete;
};

} // namespace platform
