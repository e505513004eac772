// A sentence template of one event or attribute that overrides the template of its type: one row of the
// table FORMATTING, owned by the assertion that keeps its id. An empty text means "no override".
#pragma once

#include <cstddef>
#include <cstdint>

class Database;

inline constexpr std::size_t FormattingTextSize = 64; // at most 63 characters

class FormattingText {
public:
    // No row, empty text.
    explicit FormattingText(Database& database);
    // The row of `id`, read at once.
    FormattingText(std::int32_t id, Database& database);

    // Keeps `id` and reads its row into the text; the id becomes 0 when the read fails. The engine's result
    // (0 success). Runs inside the caller's transaction.
    std::int32_t Read(std::int32_t id);
    // Copies at most 63 characters of `text`.
    void SetText(const char* text);
    const char* Text() const { return text_; }
    std::int32_t Id() const { return id_; }

    // Stores a non-empty text (under a new id when it has none) and deletes the row of an emptied one, whose
    // id becomes 0. Runs inside the caller's read-write transaction; true when done (the engine's error in
    // the database's LastError otherwise).
    bool Save();

private:
    Database* database_;
    std::int32_t id_ = 0;
    char text_[FormattingTextSize] = {};
};

// Deletes the FORMATTING row of `id`; true when done. Runs inside the caller's transaction.
bool DeleteFormattingText(std::int32_t id, Database& database);
