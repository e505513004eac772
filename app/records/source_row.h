// The stored row of a source: a book, a register, a document that excerpts quote.
#pragma once

#include <cstddef>
#include <cstdint>

#pragma pack(push, 1)
struct SourceRow {
    char author[128];
    char title[128];
    char shortTitle[16]; // may be empty
    char published[128]; // the publication facts
    char serialNumber[16];
    std::uint8_t serialType;  // SerialIssn for an ISSN; any other value an ISBN
    std::uint8_t sourceClass; // SourceClass
    std::uint8_t kind;        // SourceKind
    std::uint8_t media;       // SourceMedia
    std::int32_t superiorId;  // indexed: the source this one is part of, 0 none
    std::int32_t textId;      // first NOTE row of the source text, 0 none
    std::int32_t noteId;      // first NOTE row of the source note, 0 none
};
#pragma pack(pop)
static_assert(sizeof(SourceRow) == 432, "a SOURCE row is 432 bytes");

namespace source_row {

inline constexpr std::size_t Size = sizeof(SourceRow);
inline constexpr std::size_t TitleOffset = offsetof(SourceRow, title);
inline constexpr std::size_t TitleSize = sizeof SourceRow::title;
inline constexpr std::size_t ShortTitleOffset = offsetof(SourceRow, shortTitle);
inline constexpr std::size_t ShortTitleSize = sizeof SourceRow::shortTitle;
inline constexpr std::size_t SerialTypeOffset = offsetof(SourceRow, serialType);
inline constexpr std::size_t TextOffset = offsetof(SourceRow, textId);
inline constexpr std::int32_t SuperiorColumn = 10;
static_assert(TitleOffset == 128 && ShortTitleOffset == 256 && SerialTypeOffset == 416 && TextOffset == 424,
              "the SOURCE columns lie where the stored rows keep them");

} // namespace source_row

inline constexpr std::uint8_t SerialIsbn = 0;
inline constexpr std::uint8_t SerialIssn = 1;
