// A report run's data filter: the report's include switches and privacy level as they stood when the run
// began, and each event type's include-in-reports switch, by event-type id.
#pragma once

#include <cstdint>
#include <vector>

class Database;

// The positions of the report's switches in EventTypeCache::switches.
enum ReportDataSwitch : int {
    IncludePersonsSwitch,
    IncludeEventsSwitch,
    IncludeAttributesSwitch,
    IncludeAliasSwitch,
    IncludeRelationshipsSwitch,
    IncludeInfosSwitch,
    IncludeObjectsSwitch,
    IncludePlacesSwitch,
    IncludeAddressesSwitch,
    IncludeNotesSwitch,
    IncludeRepositoriesSwitch,
    IncludeSourcesSwitch,
    IncludeResearchSwitch,
    PrivacyLevelSwitch,
    ReportDataSwitchCount,
};

// A report switch as the Report settings hold it now.
std::int32_t CurrentReportSwitch(ReportDataSwitch which);

class EventTypeCache {
public:
    // Copies the switches from the Report settings and reads every EVENTTYPE row, 1 to the highest id, in
    // its own transaction. A type that cannot be read counts as switched off.
    void Load(Database& database);
    void Free();

    // The include-in-reports switch of an event type; 0 for an id the cache does not hold.
    std::int32_t TypeIncluded(std::int32_t eventTypeId) const;
    std::int32_t Switch(ReportDataSwitch which) const { return switches[which]; }
    std::size_t TypeCount() const { return typeSwitches_.size(); }

    std::int32_t switches[ReportDataSwitchCount] = {};

private:
    std::vector<std::int32_t> typeSwitches_; // index = event-type id - 1
};
