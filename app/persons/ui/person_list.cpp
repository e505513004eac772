#include "persons/ui/person_list.h"

#include "language/language_table.h"
#include "persons/name_list_state.h"
#include "records/ui/list_window.h"

namespace {

std::uint32_t* NameSearchOption(RecordListModel& model, int which)
{
    NameListState& names = static_cast<NameListState&>(model);
    return which == 0 ? &names.soundex : &names.variants;
}

bool NamesNeedReading(RecordListModel& model)
{
    return !static_cast<NameListState&>(model).AllNamesRead();
}

void ReadNames(RecordListModel& model, const std::function<void(int percent)>& progress)
{
    static_cast<NameListState&>(model).ReadAllNames(progress);
}

} // namespace

const ListWindowKind PersonListKind = {
    "NAME_LIST_TITLE",
    {"NAME_LIST_ALL", "NAME_LIST_SELECTION"},
    false,
    false,
    2,
    {"NAME_LIST_HEADINGNAME", "NAME_LIST_HEADINGID"},
    {"NAME_LIST_HEADINGID", "NAME_LIST_HEADINGNAME"},
    "Window_PersonList.htm",
    "NAME_OPTIONS_TITLE",
    {"NAME_OPTIONS_INCLUDENEW", "NAME_OPTIONS_INCLUDEOPENED", "NAME_OPTIONS_INCLUDESELECTED"},
    "NAME_SEARCH_TITLE",
    "Window_PersonSearch.htm",
    "NAME_SEARCH_CLEARLIST",
    "RESEARCH_SEARCH_AND",
    "RESEARCH_SEARCH_OR",
    "NAME_SEARCH_SOUNDEX",
    "NAME_SEARCH_VARIANTS",
    6,
    {"NAME_SEARCH_FIELD_NONE", "NAME_SEARCH_FIELD_NAME", "NAME_SEARCH_FIELD_FIRSTNAME", "NAME_SEARCH_FIELD_SURNAME",
     "NAME_SEARCH_FIELD_NOTE", "NAME_SEARCH_FIELD_ID"},
    {"NAME_SEARCH_TYPE_EXACT", "NAME_SEARCH_TYPE_INCLUDE", "NAME_SEARCH_TYPE_BEGIN", "NAME_SEARCH_TYPE_END"},
    "NAME_DOSEARCH_TITLE",
    nullptr,
    NameSearchOption,
    NamesNeedReading,
    ReadNames,
    "NAME_LIST_INIT",
};

std::int32_t SelectPerson(HWND owner, Database& database)
{
    return SelectPersonTitled(owner, database, PersonListKind.defaultTitle);
}

std::int32_t SelectPersonTitled(HWND owner, Database& database, const char* titleKey)
{
    NameListState* names = NameListOf(database);
    return names != nullptr ? RunListDialog(owner, *names, PersonListKind, GetLanguageText(titleKey)) : 0;
}
