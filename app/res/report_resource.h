// Resource ids of the report windows: the generation dialog keeps the ids it has always had; new ids of
// the report windows are taken from 7400 to 7899.
#pragma once

#define IDD_REPORT_GENERATE 265
#define IDC_REPORT_GENERATE_STATUS 1409
#define IDC_REPORT_GENERATE_LINE 7400
