// Resource and control ids of the list windows (sources, repositories, research, media and persons), their
// options, search and search-progress dialogs, and the Soundex calculator.
#pragma once

#define IDD_LIST 211
#define IDD_LIST_PROGRESS 218
#define IDD_LIST_SEARCH 221
#define IDD_LIST_OPTIONS 222
#define IDD_LIST_ALL 227
#define IDD_LIST_SELECTION 228
#define IDD_SOUNDEX 253
#define IDD_LIST_HIERARCHY 331
#define IDD_LIST_ALLSORTED 337
#define IDD_READ_DATA 349

// The list dialog and its pages
#define IDC_LIST_TAB 1315
#define IDC_LIST_VIEW 1131
#define IDC_LIST_SEARCH 1422
#define IDC_LIST_OPTIONS 1356

// Options
#define IDC_LIST_INCLUDENEW 1192
#define IDC_LIST_INCLUDEOPENED 1893
#define IDC_LIST_INCLUDESELECTED 1894

// Search: per criterion row a field list, a text and a mode list
#define IDC_SEARCH_FIELD1 1425
#define IDC_SEARCH_FIELD2 1426
#define IDC_SEARCH_FIELD3 1427
#define IDC_SEARCH_TEXT1 1430
#define IDC_SEARCH_TEXT2 1431
#define IDC_SEARCH_TEXT3 1192
#define IDC_SEARCH_MODE1 1433
#define IDC_SEARCH_MODE2 1434
#define IDC_SEARCH_MODE3 1435
#define IDC_SEARCH_CLEARLIST 1193
#define IDC_SEARCH_AND 1436
#define IDC_SEARCH_OR 1437
#define IDC_SEARCH_SOUNDEX 1438
#define IDC_SEARCH_VARIANTS 1439

// Search progress
#define IDC_LIST_PROGRESS 1082

// Reading a list (the text above the progress bar IDC_LIST_PROGRESS)
#define IDC_READ_TEXT 1226

// Soundex calculator
#define IDC_SOUNDEX_NAME 102
#define IDC_SOUNDEX_NAME_LABEL 1273
#define IDC_SOUNDEX_CODE_LABEL 1539
#define IDC_SOUNDEX_CODE 1540
