#include "core/database.h"

#include <cstring>
#include <ctime>

#include "core/engine_transaction.h"
#include "core/event_type_row.h"
#include "core/event_type.h"

namespace {

DatabaseStateMakers Makers;

template <typename State, typename Maker> std::unique_ptr<State> Make(Maker maker, Database& database)
{
    return maker ? maker(database) : nullptr;
}

// Days from 1 January 1601 to the given Gregorian date.
std::int64_t DaysSince1601(int year, int month, int day)
{
    // Shift the year to start in March, so that the leap day is the year's last.
    std::int64_t y = year - (month <= 2 ? 1 : 0);
    std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    std::int64_t yearOfEra = y - era * 400;
    std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    std::int64_t daysSince0000March = era * 146097 + dayOfEra;
    // 1 January 1601 lies 584694 days after 1 March 0000 in that count.
    return daysSince0000March - 584694;
}

} // namespace

void SetDatabaseStateMakers(const DatabaseStateMakers& makers)
{
    Makers = makers;
}
const DatabaseStateMakers& CurrentDatabaseStateMakers()
{
    return Makers;
}

std::uint64_t CurrentLocalFileTime()
{
    std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    if (local == nullptr)
        return 0;
    std::int64_t days = DaysSince1601(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
    std::int64_t seconds = days * 86400 + local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec;
    return static_cast<std::uint64_t>(seconds) * 10000000u;
}

Database::Database()
    : placeCache_(*this), nameList_(Make<NameListEvents>(Makers.names, *this)),
      repositoryList_(Make<DatabaseState>(Makers.repositories, *this)),
      sourceList_(Make<DatabaseState>(Makers.sources, *this)),
      researchList_(Make<DatabaseState>(Makers.research, *this)), mediaList_(Make<DatabaseState>(Makers.media, *this))
{
}

Database::~Database()
{
    mediaList_.reset();
    researchList_.reset();
    sourceList_.reset();
    nameList_.reset();
    repositoryList_.reset();
    placeCache_.Clear();
    if (file != nullptr) {
        // A job that was cut short may still hold its transaction; what it wrote is kept.
        tlvEndTransaction(1, file);
        tlvCloseDatabase(file);
        file = nullptr;
    }
}

void Database::SetPath(const char* newPath)
{
    std::memset(path, 0, sizeof path);
    if (newPath != nullptr)
        std::strncpy(path, newPath, sizeof path - 1);
}

void Database::InitHeader()
{
    std::memset(&header, 0, sizeof header);
    header.version = DatabaseVersionCreated;
    header.created = CurrentLocalFileTime();
}

std::int32_t Database::BirthEventTypeId()
{
    return CachedEventTypeId(birthTypeId_, EventClassBirth);
}
std::int32_t Database::DeathEventTypeId()
{
    return CachedEventTypeId(deathTypeId_, EventClassDeath);
}

std::int32_t Database::CachedEventTypeId(std::int32_t& cached, std::int16_t eventClass)
{
    if (cached != 0)
        return cached;
    EngineTransaction transaction(file, TLV_READWRITE);
    if (!transaction.Running())
        return 0;
    cached = FindEventTypeId(nullptr, AttributeKindText, eventClass, -1, NoGedcomTag, EventTypeKindEvent, *this);
    return cached;
}
