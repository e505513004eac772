// Resource ids of the research windows (task dialog and page, objective window) and of the media editor
// and page. Dialog and control numbers are those the program has always used; ids of our own lie in
// 6900-7299.
#pragma once

// ---- task dialog and task page ----
#define IDD_TASK 231
#define IDD_TASK_PAGE 283
#define IDC_TASK_OBJECTIVE_LABEL 1319
#define IDC_TASK_OBJECTIVE 1444
#define IDC_TASK_SELECT_OBJECTIVE 1486
#define IDC_TASK_TITLE_LABEL 1268
#define IDC_TASK_TITLE 1114
#define IDC_TASK_PERSON_LABEL 1318
#define IDC_TASK_PERSON 1170
#define IDC_TASK_SELECT_PERSON 1485
#define IDC_TASK_SOURCE_LABEL 1335
#define IDC_TASK_SOURCE 1235
#define IDC_TASK_SELECT_SOURCE 1487
#define IDC_TASK_STATUS_LABEL 1472
#define IDC_TASK_STATUS 1473
#define IDC_TASK_CHANGE_LABEL 1481
#define IDC_TASK_CHANGE 1482
#define IDC_TASK_PROBLEM_LABEL 1468
#define IDC_TASK_PROBLEM 1477
#define IDC_TASK_SOLUTION_LABEL 1469
#define IDC_TASK_SOLUTION 1478
#define IDC_TASK_PAGE_LIST 1131
