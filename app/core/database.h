// The open database: the engine's handle of the file, its path, the header record of MAIN2, the engine
// table id of every table number, and the per-database objects of the list windows. Every record class
// takes the Database and finds its table here. The frame holds the one open Database.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "core/database_state.h"
#include "core/place_cache.h"
#include "core/schema.h"
#include "engine/tolvane.h"

inline constexpr std::size_t DatabasePathSize = 260;

class Database {
public:
    // No file yet: the opener or creator sets `file` and the path. Makes the place cache and the list
    // states.
    Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    // Frees the owned objects, ends a transaction still running with commit and closes the file.
    ~Database();

    // The engine table id of a table number for engine calls (low 16 bits; 0 when the file lacks it).
    std::int32_t TableId(TableNumber table) const { return tableIds[table] & 0xFFFF; }
    // Copies at most DatabasePathSize - 1 characters of `path`.
    void SetPath(const char* path);
    // Clears the header and sets the version a new database gets and the creation time to now.
    void InitHeader();
    // The engine's code of its last failure on this file: why a save or delete answered false. 0 without
    // a file.
    std::int32_t LastError() const { return file != nullptr ? tlvGetLastError(file) : 0; }

    // The ids of the first event types of class "birth" (4) and "death" (11), looked up on first use and
    // kept; 0 when the database has none, in which case the next call looks again.
    std::int32_t BirthEventTypeId();
    std::int32_t DeathEventTypeId();

    PlaceCache& Places() { return placeCache_; }
    // The person list's state; null when the program set no maker for it.
    NameListEvents* NameList() const { return nameList_.get(); }
    DatabaseState* RepositoryList() const { return repositoryList_.get(); }
    DatabaseState* SourceList() const { return sourceList_.get(); }
    DatabaseState* ResearchList() const { return researchList_.get(); }
    DatabaseState* MediaList() const { return mediaList_.get(); }

    DatabaseFile* file = nullptr;
    char path[DatabasePathSize] = {};
    DatabaseHeader header = {};
    std::int32_t tableIds[TableCount] = {};

private:
    std::int32_t CachedEventTypeId(std::int32_t& cached, std::int16_t eventClass);

    std::int32_t birthTypeId_ = 0;
    std::int32_t deathTypeId_ = 0;
    PlaceCache placeCache_;
    std::unique_ptr<NameListEvents> nameList_;
    std::unique_ptr<DatabaseState> repositoryList_;
    std::unique_ptr<DatabaseState> sourceList_;
    std::unique_ptr<DatabaseState> researchList_;
    std::unique_ptr<DatabaseState> mediaList_;
};

// The current local time as a Windows FILETIME (100-ns steps since 1 January 1601), as headers store it.
std::uint64_t CurrentLocalFileTime();
