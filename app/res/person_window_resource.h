// Resource and control ids of the person window: the person dialog, its personal-data page and the merge
// dialog of persons.
#pragma once

#define IDD_PERSON 232
#define IDD_PERSON_DATA_PAGE 233
#define IDD_PERSON_MERGE 325

// Person dialog
#define IDC_PERSON_NAME 102
#define IDC_PERSON_ADVANCED 1584
#define IDC_PERSON_SEX 1489
#define IDC_PERSON_TABS 1315
#define IDC_PERSON_NAME_LABEL 6400
#define IDC_PERSON_SEX_LABEL 6401

// Personal-data page
#define IDC_PERSON_DATA_LIST 1131
#define IDC_PERSON_DATA_TOP 1495
#define IDC_PERSON_DATA_UP 1493
#define IDC_PERSON_DATA_DOWN 1492
#define IDC_PERSON_DATA_BOTTOM 1494

// Merge dialog: a choice of the kept (A) or the other (B) person's value per row
#define IDC_PMERGE_NAME_LABEL 6410
#define IDC_PMERGE_NAME_KEPT 6411
#define IDC_PMERGE_NAME_OTHER 6412
#define IDC_PMERGE_SEX_LABEL 6413
#define IDC_PMERGE_SEX_KEPT 6414
#define IDC_PMERGE_SEX_OTHER 6415

// The kind images of the personal-data list: event, attribute, relationship, information, name
#define IDB_PERSON_DATA_KINDS 6492
