// The excerpt pages (the citations of a record, the excerpts of a source), the excerpt dialog and the
// excerpt selection dialog.
#pragma once

#define IDD_EXCERPTREF_PAGE 237
#define IDD_EXCERPT_SELECT 244
#define IDD_EXCERPT_EDIT 304

// The pages: one template, the excerpts of a source hide the move buttons.
#define IDC_EXCERPTS_LIST 6300
#define IDC_EXCERPTS_NEW 6301
#define IDC_EXCERPTS_EDIT 6302
#define IDC_EXCERPTS_REMOVE 6303
#define IDC_EXCERPTS_TOP 6304
#define IDC_EXCERPTS_UP 6305
#define IDC_EXCERPTS_DOWN 6306
#define IDC_EXCERPTS_BOTTOM 6307

// The excerpt dialog and the selection dialog.
#define IDC_EXCERPT_SOURCE_LABEL 6310
#define IDC_EXCERPT_SOURCE 6311
#define IDC_EXCERPT_SELECT 6312
#define IDC_EXCERPT_QUALITY_LABEL 6313
#define IDC_EXCERPT_QUALITY 6314
#define IDC_EXCERPT_PAGE_LABEL 6315
#define IDC_EXCERPT_PAGE 6316
#define IDC_EXCERPT_TEXT_LABEL 6317
#define IDC_EXCERPT_TEXT 6318
#define IDC_EXCERPT_NOTE_LABEL 6319
#define IDC_EXCERPT_NOTE 6320
#define IDC_EXCERPT_USAGE_LABEL 6321
#define IDC_EXCERPT_USAGE 6322
#define IDC_EXCERPT_CHOICES 6323
