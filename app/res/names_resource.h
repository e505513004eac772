// Resource and control ids of the name page of the assertion editor and of the structured-name dialog.
#pragma once

// Name page: the privacy, the name as one line and the date.
#define IDD_NAME_PAGE 245
#define IDC_NAME_PRIVACY_LABEL 1497
#define IDC_NAME_PRIVACY 1498
#define IDC_NAME_NAME_LABEL 1273
#define IDC_NAME_NAME 102
#define IDC_NAME_STRUCTURED 1584
#define IDC_NAME_DATE_LABEL 1319
#define IDC_NAME_DATE 1062
#define IDC_NAME_DATECALC 1895
#define IDC_NAME_DATEEDIT 1656
#define IDC_NAME_DATEFORMATTED_LABEL 1654
#define IDC_NAME_DATEFORMATTED 1495

// Structured-name dialog
#define IDD_STRUCTURED_NAME 275
#define IDC_ADVNAME_FORMATTED_LABEL 6100
#define IDC_ADVNAME_FORMATTED 6101
#define IDC_ADVNAME_PARTS 6102
#define IDC_ADVNAME_NEW 6103
#define IDC_ADVNAME_DELETE 6104
#define IDC_ADVNAME_UP 6105
#define IDC_ADVNAME_DOWN 6106
#define IDC_ADVNAME_TEXT_LABEL 6107
#define IDC_ADVNAME_TEXT 6108
#define IDC_ADVNAME_TYPE_LABEL 6109
#define IDC_ADVNAME_TYPE 6110
#define IDC_ADVNAME_UPDATE 6111
#define IDC_ADVNAME_OPTIONS 6112
