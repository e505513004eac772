// The stored row of a research task, and the date that research records keep: the leading nine bytes of
// a Windows SYSTEMTIME, of which only the year, month and day are ever read.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr std::size_t ResearchTitleSize = 128; // a task's or an objective's title: at most 127 characters

#pragma pack(push, 1)
struct ResearchDate {
    std::uint16_t year;
    std::uint16_t month;
    std::uint16_t dayOfWeek;
    std::uint16_t day;
    std::uint8_t hourLow;
};

struct TaskRow {
    char title[ResearchTitleSize];
    std::int32_t problemId;   // first NOTE row of the problem text, 0 none
    std::int32_t solutionId;  // first NOTE row of the solution text, 0 none
    std::int32_t objectiveId; // indexed, 0 none
    std::int32_t personId;    // indexed, 0 none
    std::int32_t sourceId;    // indexed, 0 none
    std::int8_t status;       // TaskStatus
    ResearchDate statusDate;  // the last change of the status
};
#pragma pack(pop)
static_assert(sizeof(ResearchDate) == 9, "a research date is 9 bytes");
static_assert(sizeof(TaskRow) == 158, "a TASK row is 158 bytes");

namespace task_row {

inline constexpr std::size_t Size = sizeof(TaskRow);
inline constexpr std::size_t TitleSize = ResearchTitleSize;
inline constexpr std::int32_t ObjectiveColumn = 4;
inline constexpr std::int32_t PersonColumn = 5;
inline constexpr std::size_t PersonOffset = offsetof(TaskRow, personId);
inline constexpr std::int32_t SourceColumn = 6;
inline constexpr std::size_t SourceOffset = offsetof(TaskRow, sourceId);
static_assert(PersonOffset == 140 && SourceOffset == 144, "the person and the source of a task at 140 and 144");

} // namespace task_row
