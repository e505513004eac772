// The private window messages by which the windows of the program tell each other of changes. Notices
// go to the frame, which relays them to every document window.
#pragma once

#include <windows.h>

class NoticeSink;

// Sent by the frame to each MDI child while closing the database: 0 lets the close go on.
inline constexpr UINT WM_QUERYCLOSECHILD = 0x2270;
inline constexpr UINT WM_DATABASEOPENED = 0x2271;
inline constexpr UINT WM_DATABASECLOSED = 0x2272;
// Sent by window openers to each MDI child: (record kind, record id); non-zero: this child shows it.
inline constexpr UINT WM_SHOWSRECORD = 0x2273;
inline constexpr UINT WM_EDITORSETTINGSCHANGED = 0x2274;
// Between an editing page and its host dialog, never through the frame.
inline constexpr UINT WM_PAGECHANGED = 0x2275;
inline constexpr UINT WM_PAGEREFRESH = 0x2276;
// Posted by an assertion editor's kind page to the editor when the user chose another event or attribute
// type; the editor sends it on to its pages.
inline constexpr UINT WM_ASSERTIONTYPECHANGED = 0x1FE2;
inline constexpr UINT WM_ASSERTIONLINKCHANGED = 0x2278;
inline constexpr UINT WM_ASSERTIONLINKADDED = 0x2279;
inline constexpr UINT WM_ASSERTIONLINKREMOVED = 0x227A;
inline constexpr UINT WM_PERSONDELETED = 0x227B;
inline constexpr UINT WM_SOURCEDELETED = 0x227C;
inline constexpr UINT WM_REPOSITORYDELETED = 0x227D;
inline constexpr UINT WM_OBJECTIVEDELETED = 0x227E;
inline constexpr UINT WM_DATEFORMATCHANGED = 0x227F;
inline constexpr UINT WM_TASKSCHANGED = 0x2282;
inline constexpr UINT WM_REPREFSCHANGED = 0x2283;
inline constexpr UINT WM_SOURCESAVED = 0x2284;
// An import committed records into the open database: every window showing its records reads them again.
inline constexpr UINT WM_RECORDSIMPORTED = 0x2288;
// Posted by the frame to itself when it is created: reopen the last database.
inline constexpr UINT WM_REOPENDATABASE = 0x22DD;
// Sent by a report run to the frame: (record kind, 0); the id of such a record that a child shows.
inline constexpr UINT WM_GETCURRENTRECORD = 0x22DE;

// Record kinds of WM_SHOWSRECORD and WM_GETCURRENTRECORD.
inline constexpr WPARAM RecordKindSource = 4;
inline constexpr WPARAM RecordKindPerson = 7;
inline constexpr WPARAM RecordKindRepository = 20;
inline constexpr WPARAM RecordKindObjective = 22;
inline constexpr WPARAM RecordKindGivenNames = 7777;

// The program's notice sink: posts each notice of the model to the frame window, which relays it.
NoticeSink& FrameNoticeSink();

// Whether the frame relays `message` to its children.
bool IsRelayedNotice(UINT message);
// Posts the notice to every MDI child of `mdiClient` that has no owner, with its parameters unchanged.
void RelayNotice(HWND mdiClient, UINT message, WPARAM wParam, LPARAM lParam);
// Makes the model's notices (CurrentNoticeSink) reach the frame as its private messages.
void InstallFrameNoticeSink();
// Sends WM_GETCURRENTRECORD to the unowned MDI children in order; the first non-zero answer, else 0.
LRESULT AskChildrenForCurrentRecord(HWND mdiClient, WPARAM kind);
