// The images of the small buttons of editing pages and dialogs (app/res/make_frame_bitmaps.py draws them).
#pragma once

#define IDB_BUTTON_UP 144
#define IDB_BUTTON_DOWN 145
#define IDB_BUTTON_DELETE 317
#define IDB_BUTTON_NEW 318
#define IDB_BUTTON_EDIT 319
#define IDB_BUTTON_DATECALC 337
#define IDB_BUTTON_ADVANCED 339
#define IDB_BUTTON_TOP 6390
#define IDB_BUTTON_BOTTOM 6391
