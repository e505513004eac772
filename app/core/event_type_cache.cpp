#include "core/event_type_cache.h"

#include "core/database.h"
#include "core/engine_transaction.h"
#include "settings/settings.h"
#include "core/event_type.h"

std::int32_t CurrentReportSwitch(ReportDataSwitch which)
{
    const ReportSettings& report = CurrentSettings.report;
    const std::int32_t values[ReportDataSwitchCount] = {
        report.IncludePersons,       report.IncludeEvents, report.IncludeAttributes,   report.IncludeAlias,
        report.IncludeRelationships, report.IncludeInfos,  report.IncludeObjects,      report.IncludePlaces,
        report.IncludeAddresses,     report.IncludeNotes,  report.IncludeRepositories, report.IncludeSources,
        report.IncludeResearch,      report.PrivacyLevel,
    };
    return which >= 0 && which < ReportDataSwitchCount ? values[which] : 0;
}

void EventTypeCache::Load(Database& database)
{
    for (int i = 0; i < ReportDataSwitchCount; ++i)
        switches[i] = CurrentReportSwitch(static_cast<ReportDataSwitch>(i));

    typeSwitches_.clear();
    EngineTransaction transaction(database.file, TLV_READ);
    if (!transaction.Running())
        return;
    const std::int32_t table = database.TableId(TableEventType);
    const std::int32_t highest = tlvNumberOfRecords(table, database.file);
    if (highest <= 0)
        return;
    typeSwitches_.assign(static_cast<std::size_t>(highest), 0);
    EventType type(database);
    for (std::int32_t id = 1; id <= highest; ++id)
        if (type.Read(id) == 0)
            typeSwitches_[id - 1] = static_cast<std::int32_t>(type.row.print);
}

void EventTypeCache::Free()
{
    typeSwitches_.clear();
    typeSwitches_.shrink_to_fit();
}

std::int32_t EventTypeCache::TypeIncluded(std::int32_t eventTypeId) const
{
    if (eventTypeId < 1 || static_cast<std::size_t>(eventTypeId) > typeSwitches_.size())
        return 0;
    return typeSwitches_[eventTypeId - 1];
}
