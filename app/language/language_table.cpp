#include "language/language_table.h"

#include "platform/file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

LanguageTable* CurrentLanguageTable = nullptr;

namespace {

// One KEY=text line of a language file.
struct Entry {
    std::string_view key;
    std::string_view text;
};

bool IsLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// Walks the entries of a language file in file order. Lines end at CR or LF, so a file saved with
// bare LF line ends reads the same as one with CR LF; a last line without an end runs to the end of
// the file.
template <typename Visit> void ForEachEntry(std::string_view bytes, Visit visit)
{
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = pos;
        while (end < bytes.size() && !IsLineEnd(bytes[end]))
            ++end;
        std::string_view line = bytes.substr(pos, end - pos);
        // Step over the line end: CR LF counts as one, as do a lone CR or LF.
        pos = end;
        if (pos < bytes.size() && bytes[pos] == '\r')
            ++pos;
        if (pos < bytes.size() && bytes[pos] == '\n')
            ++pos;

        if (line.empty() || line.front() == '#')
            continue;
        std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view key = line.substr(0, std::min(equals, LanguageKeySize - 1));
        visit(Entry{key, line.substr(equals + 1)});
    }
}

// Nodes lie back to back in the store, each followed by its text; each starts on a pointer boundary.
std::size_t NodeSize(const Entry& entry)
{
    std::size_t size = sizeof(LanguageNode) + entry.text.size() + 1;
    std::size_t align = alignof(LanguageNode);
    return (size + align - 1) / align * align;
}

} // namespace

std::unique_ptr<LanguageTable> LanguageTable::Load(std::string_view fileBytes)
{
    auto table = std::make_unique<LanguageTable>();

    std::size_t storeSize = 0;
    ForEachEntry(fileBytes, [&](const Entry& entry) { storeSize += NodeSize(entry); });
    if (storeSize == 0)
        return table;

    // The zero fill terminates every key and text and leaves every child link null.
    // operator new[] aligns for any fundamental type, pointers included.
    table->store_.reset(new unsigned char[storeSize]());
    unsigned char* next = table->store_.get();
    std::vector<LanguageNode*> nodes;
    ForEachEntry(fileBytes, [&](const Entry& entry) {
        auto* node = new (next) LanguageNode{};
        std::memcpy(node->key, entry.key.data(), entry.key.size());
        std::memcpy(next + sizeof(LanguageNode), entry.text.data(), entry.text.size());
        nodes.push_back(node);
        next += NodeSize(entry);
    });
    // Files list their keys in any order, often sorted: a tree built in file order would then be a list.
    // Sorted (stably, so the first occurrence of a key stays first) and linked from the middle out, the
    // tree stays balanced whatever the order; a later occurrence of a key is never looked at.
    auto byKey = [](const LanguageNode* a, const LanguageNode* b) { return std::strcmp(a->key, b->key) < 0; };
    std::stable_sort(nodes.begin(), nodes.end(), byKey);
    auto firsts = std::unique(nodes.begin(), nodes.end(), [](const LanguageNode* a, const LanguageNode* b) {
        return std::strcmp(a->key, b->key) == 0;
    });
    table->root_ = LinkBalanced(nodes.data(), static_cast<std::size_t>(firsts - nodes.begin()));
    return table;
}

LanguageNode* LanguageTable::LinkBalanced(LanguageNode** sorted, std::size_t count)
{
    if (count == 0)
        return nullptr;
    std::size_t middle = count / 2;
    LanguageNode* node = sorted[middle];
    node->less = LinkBalanced(sorted, middle);
    node->greaterOrEqual = LinkBalanced(sorted + middle + 1, count - middle - 1);
    return node;
}

std::unique_ptr<LanguageTable> LanguageTable::LoadFile(const char* path)
{
    // Others may read the file at the same moment (a second copy of the program starting, say); nothing may
    // change it while it is read.
    platform::File file = platform::File::Open(path, {platform::FileAccess::Read, platform::FileShare::Read});
    if (!file.IsOpen())
        return nullptr;
    std::int64_t size = file.Size();
    if (size < 0)
        return nullptr;
    std::vector<char> bytes(static_cast<std::size_t>(size));
    if (size > 0 && file.ReadAt(0, bytes.data(), bytes.size()) != size)
        return nullptr;
    return Load(std::string_view(bytes.data(), bytes.size()));
}

const char* LanguageTable::Find(const char* key) const
{
    const LanguageNode* node = root_;
    while (node) {
        int order = std::strcmp(key, node->key);
        if (order == 0)
            return node->Text();
        node = order < 0 ? node->less : node->greaterOrEqual;
    }
    return nullptr;
}

namespace {

int HeightOf(const LanguageNode* node)
{
    return node ? 1 + std::max(HeightOf(node->less), HeightOf(node->greaterOrEqual)) : 0;
}

} // namespace

int LanguageTable::Height() const
{
    return HeightOf(root_);
}

int LanguageTable::Version() const
{
    const char* text = Find("LVERSION");
    if (!text)
        return 0;
    long long version = 0;
    for (const char* c = text; *c >= '0' && *c <= '9'; ++c) {
        version = version * 10 + (*c - '0');
        if (version > 0x7FFFFFFF)
            return 0;
    }
    return static_cast<int>(version);
}

void LanguageTable::Free()
{
    root_ = nullptr;
    store_.reset();
}

const char* GetLanguageText(const LanguageTable* table, const char* key)
{
    const char* text = table ? table->Find(key) : nullptr;
    return text ? text : key;
}

const char* GetLanguageText(const char* key)
{
    return GetLanguageText(CurrentLanguageTable, key);
}

char* CopyLanguageText(const LanguageTable* table, const char* key, char* buffer, std::size_t size)
{
    if (size == 0)
        return buffer;
    const char* text = GetLanguageText(table, key);
    std::size_t length = std::min(std::strlen(text), size - 1);
    std::memcpy(buffer, text, length);
    std::memset(buffer + length, 0, size - length);
    return buffer;
}

char* CopyLanguageText(const char* key, char* buffer, std::size_t size)
{
    return CopyLanguageText(CurrentLanguageTable, key, buffer, size);
}
