// The settings store of the native build: a tree in memory, alive for the process, with the
// registry's rules (names without regard to case, values of raw bytes).
#include "platform/settings_store.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace platform {
namespace {

struct NoCaseLess {
    bool operator()(const std::string& a, const std::string& b) const
    {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
                auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
                return lower(x) < lower(y);
            });
    }
};

struct Node {
    std::map<std::string, Node, NoCaseLess> subkeys;
    std::map<std::string, std::vector<unsigned char>, NoCaseLess> values;
};

Node& Root(SettingsHive hive)
{
    static Node roots[2];
    return roots[hive == SettingsHive::CurrentUser ? 0 : 1];
}

std::string ValueKey(const char* valueName)
{
    return valueName ? valueName : "";
}

// Walks `path` from `start`; creates missing keys when asked, otherwise answers null for them.
Node* Walk(Node* start, std::string_view path, bool create)
{
    Node* node = start;
    while (node && !path.empty()) {
        std::size_t slash = path.find('\\');
        std::string name(path.substr(0, slash));
        path = slash == std::string_view::npos ? std::string_view() : path.substr(slash + 1);
        if (name.empty())
            continue;
        auto found = node->subkeys.find(name);
        if (found != node->subkeys.end()) {
            node = &found->second;
        } else if (create) {
            node = &node->subkeys[name];
        } else {
            node = nullptr;
        }
    }
    return node;
}

Node* AsNode(void* handle)
{
    return static_cast<Node*>(handle);
}

// Merges `source` into `target` as the registry copies a tree: values overwrite, keys merge.
void MergeInto(const Node& source, Node& target)
{
    for (const auto& [valueName, bytes] : source.values)
        target.values[valueName] = bytes;
    for (const auto& [keyName, subkey] : source.subkeys)
        MergeInto(subkey, target.subkeys[keyName]);
}

} // namespace

SettingsKey::SettingsKey(SettingsKey&& other) noexcept : handle_(other.handle_)
{
    other.handle_ = nullptr;
}

SettingsKey& SettingsKey::operator=(SettingsKey&& other) noexcept
{
    handle_ = other.handle_;
    other.handle_ = nullptr;
    return *this;
}

SettingsKey::~SettingsKey() = default;

SettingsKey SettingsKey::Create(SettingsHive hive, std::string_view path)
{
    return SettingsKey(Walk(&Root(hive), path, true));
}

SettingsKey SettingsKey::OpenForReading(SettingsHive hive, std::string_view path)
{
    return SettingsKey(Walk(&Root(hive), path, false));
}

SettingsKey SettingsKey::CreateSubkey(std::string_view name) const
{
    return SettingsKey(handle_ ? Walk(AsNode(handle_), name, true) : nullptr);
}

SettingsKey SettingsKey::OpenSubkey(std::string_view name) const
{
    return SettingsKey(handle_ ? Walk(AsNode(handle_), name, false) : nullptr);
}

bool SettingsKey::Query(const char* valueName, void* buffer, std::size_t size, std::size_t* length) const
{
    if (!handle_)
        return false;
    const auto& values = AsNode(handle_)->values;
    auto found = values.find(ValueKey(valueName));
    if (found == values.end() || found->second.size() > size)
        return false;
    if (!found->second.empty())
        std::memcpy(buffer, found->second.data(), found->second.size());
    if (length)
        *length = found->second.size();
    return true;
}

bool SettingsKey::SetString(const char* valueName, std::string_view text) const
{
    std::string terminated(text);
    return SetBinary(valueName, terminated.c_str(), terminated.size() + 1);
}

bool SettingsKey::SetDword(const char* valueName, std::uint32_t value) const
{
    unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                              static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return SetBinary(valueName, bytes, sizeof bytes);
}

bool SettingsKey::SetBinary(const char* valueName, const void* data, std::size_t size) const
{
    if (!handle_)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    AsNode(handle_)->values[ValueKey(valueName)].assign(bytes, bytes + size);
    return true;
}

bool SettingsKey::DeleteValue(const char* valueName) const
{
    return handle_ && AsNode(handle_)->values.erase(ValueKey(valueName)) == 1;
}

bool SettingsKey::CopySubkeyTree(std::string_view name, const SettingsKey& destination) const
{
    Node* source = handle_ ? Walk(AsNode(handle_), name, false) : nullptr;
    if (!source || !destination.handle_)
        return false;
    if (source == destination.handle_)
        return true;
    Node copy = *source; // the destination may lie inside the source
    MergeInto(copy, *AsNode(destination.handle_));
    return true;
}

SettingsSandbox::SettingsSandbox()
{
    Root(SettingsHive::CurrentUser) = Node();
    Root(SettingsHive::LocalMachine) = Node();
}

SettingsSandbox::~SettingsSandbox()
{
    Root(SettingsHive::CurrentUser) = Node();
    Root(SettingsHive::LocalMachine) = Node();
}

} // namespace platform
