// A source: a book, a register, a document that excerpts quote. Only what citations need is kept here:
// the record id, the title and the short title of its SOURCE row.
#pragma once

#include <cstddef>
#include <cstdint>

#include "records/source_row.h"

class Database;

inline constexpr std::size_t SourceRowSize = source_row::Size;
inline constexpr std::size_t SourceTitleSize = source_row::TitleSize;           // at most 127 characters
inline constexpr std::size_t SourceShortTitleSize = source_row::ShortTitleSize; // at most 15; may be empty

class SourceRecord {
public:
    explicit SourceRecord(Database& database) : database_(&database) {}
    // The source of `id`, read at once.
    SourceRecord(std::int32_t id, Database& database) : database_(&database) { Read(id); }

    // Reads the SOURCE row of `id` in a transaction of its own; on failure the id becomes 0 and both
    // texts are empty. The engine's answer (0 success).
    std::int32_t Read(std::int32_t id);

    std::int32_t Id() const { return id_; }
    const char* Title() const { return title_; }
    const char* ShortTitle() const { return shortTitle_; }

private:
    Database* database_;
    std::int32_t id_ = 0;
    char title_[SourceTitleSize] = {};
    char shortTitle_[SourceShortTitleSize] = {};
};
