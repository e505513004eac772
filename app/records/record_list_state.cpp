#include "records/record_list_state.h"

#include "core/bounded_text.h"

std::size_t SelectionCapacity(std::int32_t listSize)
{
    return static_cast<std::size_t>(listSize < 2 ? DefaultListSize : listSize);
}

void RecordListModel::BeginSearch()
{
    if (search.clearFirst != 0)
        ClearSelection();
}

void RecordListModel::RunSearch()
{
    BeginSearch();
    const std::int32_t total = SearchTotal();
    for (std::int32_t id = 1; id <= total; ++id)
        SearchStep(id);
    EndSearch();
}

void RecordListModel::StoreOptions(bool includeNew, bool includeOpened, bool includeSelected)
{
    ListWindowSettings& settings = Settings();
    settings.IncludeNew = includeNew ? 1 : 0;
    settings.IncludeOpened = includeOpened ? 1 : 0;
    settings.IncludeSelected = includeSelected ? 1 : 0;
    Settings::WriteDword(Section(), "IncludeNew", static_cast<std::uint32_t>(settings.IncludeNew));
    Settings::WriteDword(Section(), "IncludeOpened", static_cast<std::uint32_t>(settings.IncludeOpened));
    Settings::WriteDword(Section(), "IncludeSelected", static_cast<std::uint32_t>(settings.IncludeSelected));
}

void RecordListModel::StoreGeometry(const WindowPlacement& placement, const std::uint16_t* allWidths,
                                    const std::uint16_t* selectionWidths)
{
    ListWindowSettings& settings = Settings();
    settings.ListWindowProperties = placement;
    Settings::WriteBinary(Section(), "ListWindowProperties", &settings.ListWindowProperties,
                          sizeof settings.ListWindowProperties);
    // The source list's third column is never measured again: its stored width stays.
    const int stored = StoredWidthCount();
    const int taken = stored < 2 ? stored : 2;
    for (int i = 0; i < taken; ++i) {
        settings.ListAllWidth[i] = allWidths[i];
        settings.ListSelectionWidth[i] = selectionWidths[i];
    }
    const std::size_t bytes = static_cast<std::size_t>(stored) * sizeof(std::uint16_t);
    Settings::WriteBinary(Section(), "ListAllWidth", settings.ListAllWidth, bytes);
    Settings::WriteBinary(Section(), "ListSelectionWidth", settings.ListSelectionWidth, bytes);
}

void CopyListText(char (&field)[ListTextSize], const char* text)
{
    StoreField(field, sizeof field, text);
}
