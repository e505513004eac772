// The settings store of the Windows build: the registry.
#include "platform/settings_store.h"

#include <windows.h>

#include <string>

namespace platform {
namespace {

// While a test sandbox lives, both hives are redirected into this key of the current user.
std::string& SandboxPath()
{
    static std::string path;
    return path;
}

HKEY AsKey(void* handle)
{
    return static_cast<HKEY>(handle);
}

// The root key and the full path below it for a path of a hive, honouring the sandbox.
HKEY RootAndPath(SettingsHive hive, std::string_view path, std::string& fullPath)
{
    fullPath.clear();
    const std::string& sandbox = SandboxPath();
    if (!sandbox.empty()) {
        fullPath = sandbox + (hive == SettingsHive::CurrentUser ? "\\User" : "\\Machine");
        if (!path.empty())
            fullPath += '\\';
    }
    fullPath.append(path);
    if (!sandbox.empty())
        return HKEY_CURRENT_USER;
    return hive == SettingsHive::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

void* CreateKey(HKEY parent, const std::string& path)
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

void* OpenKey(HKEY parent, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, access, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

const char* NameOrDefault(const char* valueName)
{
    return valueName && *valueName ? valueName : nullptr;
}

} // namespace

SettingsKey::SettingsKey(SettingsKey&& other) noexcept : handle_(other.handle_)
{
    other.handle_ = nullptr;
}

SettingsKey& SettingsKey::operator=(SettingsKey&& other) noexcept
{
    if (this != &other) {
        if (handle_)
            RegCloseKey(AsKey(handle_));
        handle_ = other.handle_;
        other.handle_ = nullptr;
    }
    return *this;
}

SettingsKey::~SettingsKey()
{
    if (handle_)
        RegCloseKey(AsKey(handle_));
}

SettingsKey SettingsKey::Create(SettingsHive hive, std::string_view path)
{
    std::string fullPath;
    HKEY root = RootAndPath(hive, path, fullPath);
    return SettingsKey(CreateKey(root, fullPath));
}

SettingsKey SettingsKey::OpenForReading(SettingsHive hive, std::string_view path)
{
    std::string fullPath;
    HKEY root = RootAndPath(hive, path, fullPath);
    return SettingsKey(OpenKey(root, fullPath, KEY_READ));
}

SettingsKey SettingsKey::CreateSubkey(std::string_view name) const
{
    if (!handle_)
        return SettingsKey();
    return SettingsKey(CreateKey(AsKey(handle_), std::string(name)));
}

SettingsKey SettingsKey::OpenSubkey(std::string_view name) const
{
    if (!handle_)
        return SettingsKey();
    return SettingsKey(OpenKey(AsKey(handle_), std::string(name), KEY_ALL_ACCESS));
}

bool SettingsKey::Query(const char* valueName, void* buffer, std::size_t size, std::size_t* length) const
{
    if (!handle_)
        return false;
    DWORD type = 0;
    DWORD bytes = static_cast<DWORD>(size);
    if (RegQueryValueExA(AsKey(handle_), NameOrDefault(valueName), nullptr, &type, static_cast<BYTE*>(buffer),
                         &bytes) != ERROR_SUCCESS)
        return false;
    if (length)
        *length = bytes;
    return true;
}

bool SettingsKey::SetString(const char* valueName, std::string_view text) const
{
    std::string terminated(text);
    return handle_ && RegSetValueExA(AsKey(handle_), NameOrDefault(valueName), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(terminated.c_str()),
                                     static_cast<DWORD>(terminated.size() + 1)) == ERROR_SUCCESS;
}

bool SettingsKey::SetDword(const char* valueName, std::uint32_t value) const
{
    DWORD dword = value;
    return handle_ && RegSetValueExA(AsKey(handle_), NameOrDefault(valueName), 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&dword), sizeof dword) == ERROR_SUCCESS;
}

bool SettingsKey::SetBinary(const char* valueName, const void* data, std::size_t size) const
{
    return handle_ && RegSetValueExA(AsKey(handle_), NameOrDefault(valueName), 0, REG_BINARY,
                                     static_cast<const BYTE*>(data), static_cast<DWORD>(size)) == ERROR_SUCCESS;
}

bool SettingsKey::DeleteValue(const char* valueName) const
{
    return handle_ && RegDeleteValueA(AsKey(handle_), NameOrDefault(valueName)) == ERROR_SUCCESS;
}

bool SettingsKey::CopySubkeyTree(std::string_view name, const SettingsKey& destination) const
{
    if (!handle_ || !destination.handle_)
        return false;
    std::string subkey(name);
    return RegCopyTreeA(AsKey(handle_), subkey.c_str(), AsKey(destination.handle_)) == ERROR_SUCCESS;
}

SettingsSandbox::SettingsSandbox()
{
    SandboxPath() = "Software\\Vestrada test " + std::to_string(GetCurrentProcessId());
    RegDeleteTreeA(HKEY_CURRENT_USER, SandboxPath().c_str());
}

SettingsSandbox::~SettingsSandbox()
{
    RegDeleteTreeA(HKEY_CURRENT_USER, SandboxPath().c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, SandboxPath().c_str());
    SandboxPath().clear();
}

} // namespace platform
