#include "records/ui/record_list_windows.h"

#include "language/language_table.h"
#include "records/record_lists.h"
#include "records/ui/list_window.h"

namespace {

std::vector<SourceTreeItem> SourceHierarchy(RecordListModel& model)
{
    return static_cast<SourceListState&>(model).Hierarchy();
}

template <class State> std::int32_t Run(HWND owner, State* state, const ListWindowKind& kind, const char* titleKey)
{
    return state != nullptr ? RunListDialog(owner, *state, kind, GetLanguageText(titleKey)) : 0;
}

} // namespace

const ListWindowKind SourceListKind = {
    "SOURCE_SELECT_TITLE",
    {"SOURCE_LIST_ALL", "SOURCE_LIST_HIERARCHY", "SOURCE_LIST_SELECTION"},
    true,
    true,
    3,
    {"SOURCE_LIST_HEADING1", "SOURCE_LIST_HEADING2", "SOURCE_LIST_HEADING3"},
    {"SOURCE_LIST_HEADING1", "SOURCE_LIST_HEADING2", "SOURCE_LIST_HEADING3"},
    "Window_SourceList.htm",
    "SOURCE_OPTIONS_TITLE",
    {"SOURCE_OPTIONS_INCLUDENEW", "SOURCE_OPTIONS_INCLUDEOPENED", "SOURCE_OPTIONS_INCLUDESELECTED"},
    "SOURCE_SEARCH_TITLE",
    "Window_SourceSearch.htm",
    "SOURCE_SEARCH_CLEARLIST",
    "SOURCE_SEARCH_AND",
    "SOURCE_SEARCH_OR",
    nullptr,
    nullptr,
    6,
    {"SOURCE_SEARCH_FIELD_NONE", "SOURCE_SEARCH_FIELD_AUTHOR", "SOURCE_SEARCH_FIELD_TITLE",
     "SOURCE_SEARCH_FIELD_SHORTTITLE", "SOURCE_SEARCH_FIELD_PUBLISHED", "SOURCE_SEARCH_FIELD_SERIAL"},
    {"SOURCE_SEARCH_TYPE_EXACT", "SOURCE_SEARCH_TYPE_INCLUDE", "SOURCE_SEARCH_TYPE_BEGIN", "SOURCE_SEARCH_TYPE_END"},
    "SOURCE_DOSEARCH_TITLE",
    SourceHierarchy,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

const ListWindowKind RepositoryListKind = {
    "REPOS_SELECT_TITLE",
    {"REPOS_LIST_ALL", "REPOS_LIST_SELECTION"},
    false,
    false,
    1,
    {"REPOS_LIST_HEADING1"},
    {"REPOS_LIST_HEADING1"},
    "Window_RepositoryList.htm",
    "REPOS_OPTIONS_TITLE",
    {"REPOS_OPTIONS_INCLUDENEW", "REPOS_OPTIONS_INCLUDEOPENED", "REPOS_OPTIONS_INCLUDESELECTED"},
    "REPOS_SEARCH_TITLE",
    "Window_RepositorySearch.htm",
    "REPOS_SEARCH_CLEARLIST",
    "REPOS_SEARCH_AND",
    "REPOS_SEARCH_OR",
    nullptr,
    nullptr,
    10,
    {"REPOS_SEARCH_FIELD_NONE", "REPOS_SEARCH_FIELD_NAME", "REPOS_SEARCH_FIELD_ALINE1", "REPOS_SEARCH_FIELD_ALINE2",
     "REPOS_SEARCH_FIELD_CITY", "REPOS_SEARCH_FIELD_COUNTRY", "REPOS_SEARCH_FIELD_PHONE", "REPOS_SEARCH_FIELD_FAX",
     "REPOS_SEARCH_FIELD_EMAIL", "REPOS_SEARCH_FIELD_URL"},
    {"REPOS_SEARCH_TYPE_EXACT", "REPOS_SEARCH_TYPE_INCLUDE", "REPOS_SEARCH_TYPE_BEGIN", "REPOS_SEARCH_TYPE_END"},
    "REPOS_DOSEARCH_TITLE",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

const ListWindowKind ResearchListKind = {
    "RESEARCH_LIST_TITLE",
    {"RESEARCH_LIST_ALL", "RESEARCH_LIST_SELECTION"},
    false,
    false,
    2,
    {"RESEARCH_LIST_HEADINGID", "RESEARCH_LIST_HEADINGTITLE"},
    {"RESEARCH_LIST_HEADINGID", "RESEARCH_LIST_HEADINGTITLE"},
    "Window_ObjectiveList.htm",
    "RESEARCH_OPTIONS_TITLE",
    {"RESEARCH_OPTIONS_INCLUDENEW", "RESEARCH_OPTIONS_INCLUDEOPENED", "RESEARCH_OPTIONS_INCLUDESELECTED"},
    "RESEARCH_SEARCH_TITLE",
    "Window_ObjectiveSearch.htm",
    "RESEARCH_SEARCH_CLEARLIST",
    "RESEARCH_SEARCH_AND",
    "RESEARCH_SEARCH_OR",
    nullptr,
    nullptr,
    2,
    {"RESEARCH_SEARCH_FIELD_NONE", "RESEARCH_SEARCH_FIELD_TITLE"},
    {"RESEARCH_SEARCH_TYPE_EXACT", "RESEARCH_SEARCH_TYPE_INCLUDE", "RESEARCH_SEARCH_TYPE_BEGIN",
     "RESEARCH_SEARCH_TYPE_END"},
    "RESEARCH_DOSEARCH_TITLE",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

const ListWindowKind MediaListKind = {
    "MEDIA_LIST_TITLE",
    {"MEDIA_LIST_ALL", "MEDIA_LIST_SELECTION"},
    false,
    true,
    1,
    {"MEDIA_LIST_HEADING1"},
    {"MEDIA_LIST_HEADING1"},
    "Window_AttachmentList.htm",
    "MEDIA_OPTIONS_TITLE",
    {"MEDIA_OPTIONS_INCLUDENEW", "MEDIA_OPTIONS_INCLUDEOPENED", "MEDIA_OPTIONS_INCLUDESELECTED"},
    "MEDIA_SEARCH_TITLE",
    "Window_AttachmentSearch.htm",
    "MEDIA_SEARCH_CLEARLIST",
    "MEDIA_SEARCH_AND",
    "MEDIA_SEARCH_OR",
    nullptr,
    nullptr,
    3,
    {"MEDIA_SEARCH_FIELD_NONE", "MEDIA_SEARCH_FIELD_DESCR", "MEDIA_SEARCH_FIELD_FILENAME"},
    {"MEDIA_SEARCH_TYPE_EXACT", "MEDIA_SEARCH_TYPE_INCLUDE", "MEDIA_SEARCH_TYPE_BEGIN", "MEDIA_SEARCH_TYPE_END"},
    "MEDIA_DOSEARCH_TITLE",
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
};

std::int32_t SelectSource(HWND owner, Database& database)
{
    return SelectSourceTitled(owner, database, SourceListKind.defaultTitle);
}

std::int32_t SelectSourceTitled(HWND owner, Database& database, const char* titleKey)
{
    return Run(owner, SourceListOf(database), SourceListKind, titleKey);
}

std::int32_t SelectRepository(HWND owner, Database& database)
{
    return SelectRepositoryTitled(owner, database, RepositoryListKind.defaultTitle);
}

std::int32_t SelectRepositoryTitled(HWND owner, Database& database, const char* titleKey)
{
    return Run(owner, RepositoryListOf(database), RepositoryListKind, titleKey);
}

std::int32_t ShowResearchList(HWND owner, Database& database)
{
    return Run(owner, ResearchListOf(database), ResearchListKind, ResearchListKind.defaultTitle);
}

std::int32_t ShowMediaList(HWND owner, Database& database)
{
    return ShowMediaListTitled(owner, database, MediaListKind.defaultTitle);
}

std::int32_t ShowMediaListTitled(HWND owner, Database& database, const char* titleKey)
{
    return Run(owner, MediaListOf(database), MediaListKind, titleKey);
}
