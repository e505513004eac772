// The list windows: the modal dialog with an All page, for sources a hierarchy page, and a Selection page
// with its search, search-progress and options dialogs. One dialog serves every list; what differs (texts,
// columns, search fields, help topics) is told by a ListWindowKind, and the rows and the search come from
// the list's state.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "records/record_list_state.h"

struct SourceTreeItem;

struct ListWindowKind {
    const char* defaultTitle; // language key
    const char* tabKeys[3];   // All, [Hierarchy,] Selection
    bool hierarchy;           // the source list's middle page
    bool sortedAll;           // the All page keeps its items sorted by their text
    int columns;
    const char* allHeadings[3];
    const char* selectionHeadings[3];
    const char* helpTopic;
    const char* optionsTitle;
    const char* optionKeys[3];
    const char* searchTitle;
    const char* searchHelpTopic;
    const char* clearKey;
    const char* andKey;
    const char* orKey;
    const char* soundexKey;  // the person list's two options, or null
    const char* variantsKey;
    int fieldCount;
    const char* fieldKeys[10];
    const char* modeKeys[4];
    const char* progressTitle;
    // The source hierarchy, or null.
    std::vector<SourceTreeItem> (*hierarchyOf)(RecordListModel& model);
    // The person list's Soundex and variants flags (0, 1), or null.
    std::uint32_t* (*optionFlag)(RecordListModel& model, int which);
    // A list whose All page is read once and kept: whether it must be read now, the reading (which tells
    // its progress in percent) and the text shown meanwhile; null for the lists that read it every time.
    bool (*allNeedReading)(RecordListModel& model);
    void (*readAll)(RecordListModel& model, const std::function<void(int percent)>& progress);
    const char* readingText;
};

// Runs the list dialog over `owner` with `title` (a text, not a key); the chosen record's id, 0 when
// the dialog was closed or nothing was selected.
std::int32_t RunListDialog(HWND owner, RecordListModel& model, const ListWindowKind& kind, const char* title);

// The dialogs of the Selection page, for tests and the person list: the search dialog (1 when the user
// asked to search), the search with its progress dialog inside a read-write transaction (1 when it ran to
// its end), and the options dialog.
INT_PTR RunSearchDialog(HWND owner, RecordListModel& model, const ListWindowKind& kind);
INT_PTR RunSearchProgress(HWND owner, RecordListModel& model, const ListWindowKind& kind);
INT_PTR RunOptionsDialog(HWND owner, RecordListModel& model, const ListWindowKind& kind);

// The private step message of the search progress dialog (the id in wParam).
inline constexpr UINT SearchStepMessage = WM_USER + 1;
// The message with which the reading dialog starts its work once it is shown.
inline constexpr UINT ReadDataMessage = 8024;
