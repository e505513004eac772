// The per-database states of the list windows. A Database creates one of each when it is made and frees
// them with itself; the list windows of persons, sources, repositories, research and media define them in
// their own areas, so the Database knows them only through this base and the makers the program sets at
// start-up (SetDatabaseStateMakers). A kind without a maker has no state.
#pragma once

#include <cstdint>
#include <memory>

class Database;
class NameRecord;

class DatabaseState {
public:
    virtual ~DatabaseState() = default;
};

// What a change of a NAME row tells the person list of its database (NameListState implements it).
class NameListEvents : public DatabaseState {
public:
    // Drops the loaded list of all names, so that it is read again.
    virtual void DiscardAllNames() = 0;
    // Adds a name to the selection (NameRecord's write when Name/IncludeNew is on).
    virtual void AddToSelection(const NameRecord& name) = 0;
    // Removes the entry of a NAME id from the selection; 1, or 0 when it was not there.
    virtual int RemoveFromSelection(std::int32_t nameId) = 0;
};

struct DatabaseStateMakers {
    std::unique_ptr<NameListEvents> (*names)(Database&) = nullptr;
    std::unique_ptr<DatabaseState> (*repositories)(Database&) = nullptr;
    std::unique_ptr<DatabaseState> (*sources)(Database&) = nullptr;
    std::unique_ptr<DatabaseState> (*research)(Database&) = nullptr;
    std::unique_ptr<DatabaseState> (*media)(Database&) = nullptr;
};

// The makers used by every Database made from now on.
void SetDatabaseStateMakers(const DatabaseStateMakers& makers);
const DatabaseStateMakers& CurrentDatabaseStateMakers();
