// The language table: every text the user sees, looked up by key from the chosen language file.
//
// A language file (*.lan) is Windows-1252 text, one entry a line, lines ended by CR LF (a lone CR or
// LF ends a line too):
//   # a comment line
//   KEY=text          the key is everything before the first '=', the text everything after it
// A line without '=' is skipped; when a key occurs twice the first one counts; keys longer than
// LanguageKeySize - 1 characters are cut to that length. The key LVERSION holds the file's version.
//
// Keys written in the program's code appear as string literals inside a call of GetLanguageText,
// CopyLanguageText or LanguageKey; the resources (app/res/*.rc) carry keys as their item texts. The
// master-file test collects the keys from both places and checks that lang/English.lan has every one.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// The size of a key field, terminator included.
inline constexpr std::size_t LanguageKeySize = 48;
// The only version of language files that this program reads.
inline constexpr int LanguageFileVersion = 10403;

// One entry of the table, laid out in the table's single store; its text follows it in the store.
struct LanguageNode {
    LanguageNode* greaterOrEqual;
    LanguageNode* less;
    char key[LanguageKeySize];

    const char* Text() const { return reinterpret_cast<const char*>(this + 1); }
};

class LanguageTable {
public:
    LanguageTable() = default;
    LanguageTable(const LanguageTable&) = delete;
    LanguageTable& operator=(const LanguageTable&) = delete;
    ~LanguageTable() { Free(); }

    // Builds a table from the bytes of a language file. The store is sized exactly for the entries;
    // an empty file gives an empty table.
    static std::unique_ptr<LanguageTable> Load(std::string_view fileBytes);
    // Builds a table from the language file at `path`; null when the file cannot be opened or read,
    // which the caller treats as "not found".
    static std::unique_ptr<LanguageTable> LoadFile(const char* path);

    // The text of `key`, or null when the table has no such key.
    const char* Find(const char* key) const;
    // The most entries a lookup compares with: about log2 of the number of keys, whatever their order.
    int Height() const;
    // The decimal number in the text of LVERSION; 0 when it is missing or not a number.
    int Version() const;
    // Frees the store; every text handed out before becomes invalid.
    void Free();

private:
    // Links the nodes, sorted by key with the first occurrence of a key first, into a balanced tree of
    // the first occurrences; answers its root.
    static LanguageNode* LinkBalanced(LanguageNode** sorted, std::size_t count);

    std::unique_ptr<unsigned char[]> store_;
    LanguageNode* root_ = nullptr;
};

// The table of the language in use; null until the first language file is loaded. Owned by the frame.
extern LanguageTable* CurrentLanguageTable;

// The text of `key` in `table`, or `key` itself (the same pointer) when the key is missing or there
// is no table. The text stays valid until the table is freed.
const char* GetLanguageText(const LanguageTable* table, const char* key);
// The same, in CurrentLanguageTable.
const char* GetLanguageText(const char* key);

// Copies the text of `key` into `buffer` of `size` characters. It always terminates: at most size - 1
// characters are copied and the rest of the buffer is filled with NULs (nothing is written when size
// is 0). Returns `buffer`.
char* CopyLanguageText(const LanguageTable* table, const char* key, char* buffer, std::size_t size);
// The same, from CurrentLanguageTable.
char* CopyLanguageText(const char* key, char* buffer, std::size_t size);

// Marks a string literal as a language key where the key is kept as data and looked up later,
// so that the master-file test finds it. Returns its argument.
constexpr const char* LanguageKey(const char* key)
{
    return key;
}
