// The stored rows of a repository and of a repository reference (one source held by one repository).
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t RepositoryTextSize = 128; // name, e-mail and web address: at most 127 characters
inline constexpr std::size_t CallNumberSize = 16;      // at most 15 characters

#pragma pack(push, 1)
struct RepositoryRow {
    char name[RepositoryTextSize];
    char email[RepositoryTextSize];
    char url[RepositoryTextSize];
    std::int32_t addressId; // ADDRESS row, 0 none
    std::int32_t noteId;    // first NOTE row, 0 none
};

struct RepositoryRefRow {
    std::int32_t repositoryId; // indexed, column 1
    std::int32_t sourceId;     // indexed, column 2
    char callNumber[CallNumberSize];
    std::int32_t noteId; // first NOTE row, 0 none
};
#pragma pack(pop)
static_assert(sizeof(RepositoryRow) == 392, "a REPOSITORY row is 392 bytes");
static_assert(sizeof(RepositoryRefRow) == 28, "a REPREF row is 28 bytes");

inline constexpr std::int32_t RepositoryRefRepositoryColumn = 1;
inline constexpr std::int32_t RepositoryRefSourceColumn = 2;
