// A language table made current for a test's length (or an object's), and the one before it brought
// back afterwards, so that no test leaves its texts behind for the next.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "language/language_table.h"
#include "tests/support/source_tree.h"

namespace test_support {

// The master language file of the source tree.
inline std::string MasterLanguageFile()
{
    return SourceFile("lang/English.lan");
}

class ScopedLanguage {
public:
    // Makes a table of `lines` (KEY=text, one a line) current.
    explicit ScopedLanguage(std::string_view lines) : ScopedLanguage(LanguageTable::Load(lines)) {}
    // Makes no language current at all.
    explicit ScopedLanguage(std::nullptr_t) : ScopedLanguage(std::unique_ptr<LanguageTable>()) {}
    // Makes `table` current.
    explicit ScopedLanguage(std::unique_ptr<LanguageTable> table)
        : table_(std::move(table)), previous_(CurrentLanguageTable)
    {
        CurrentLanguageTable = table_.get();
    }
    ~ScopedLanguage() { CurrentLanguageTable = previous_; }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

    // The master language file; get() is null when it cannot be read.
    static std::unique_ptr<LanguageTable> Master() { return LanguageTable::LoadFile(MasterLanguageFile().c_str()); }

    LanguageTable* get() const { return table_.get(); }

private:
    std::unique_ptr<LanguageTable> table_;
    LanguageTable* previous_;
};

} // namespace test_support
