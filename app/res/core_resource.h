// Resource and control ids of the core's editing pages: the note page and the address page.
#pragma once

#define IDD_NOTE_PAGE 239
#define IDD_ADDRESS_PAGE 240

// Note page
#define IDC_NOTE_TEXT 1059

// Address page: labels
#define IDC_ADDRESS_LINE1_LABEL 1414
#define IDC_ADDRESS_LINE2_LABEL 1415
#define IDC_ADDRESS_CITY_LABEL 1418
#define IDC_ADDRESS_COUNTRY_LABEL 1416
#define IDC_ADDRESS_PHONE_LABEL 1281
#define IDC_ADDRESS_FAX_LABEL 1278
// Address page: fields
#define IDC_ADDRESS_LINE1 1511
#define IDC_ADDRESS_LINE2 1512
#define IDC_ADDRESS_CITY 1192
#define IDC_ADDRESS_COUNTRY 1193
#define IDC_ADDRESS_PHONE 1072
#define IDC_ADDRESS_FAX 108
