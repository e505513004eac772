// What the windows do with timeline files: read one, telling the user when it cannot be opened; write one,
// telling the user the system's reason when that fails; and the open-file dialog of timelines.
#pragma once

#include <windows.h>

#include <string>

class Timeline;

// Reads the file at `path` into the timeline (Timeline::Load). A file that cannot be opened or read is
// reported over `owner` with TIMELINE_OPENERROR_INVALIDPATH when an owner is given; a file whose size cannot
// be told fails without a message. 1 on success, else 0.
int LoadTimelineFile(Timeline& timeline, const char* path, HWND owner);

// Writes the timeline to its path (Timeline::Save); a failure is shown with the system's text for it and
// the caption TIMELINE_SAVEERROR. True when written.
bool SaveTimelineFile(const Timeline& timeline, HWND owner);

// The folder the timeline dialogs start in: the program folder's "Timeline".
std::string TimelineFolder();

// The open-file dialog for timelines (filter TIMELINE_FILTER, title TIMELINE_OPEN_TITLE, starting in
// TimelineFolder, the timeline's path as the file name). On OK the chosen path becomes the timeline's and
// the file is read (LoadTimelineFile with the owner); its result, or 0 when the dialog was cancelled.
int ChooseTimelineFile(Timeline& timeline, HWND owner);
