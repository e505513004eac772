// What the media editor and page do with a media object's bytes outside the database: the size text they
// show, the files they write for a preview, an external edit or an export, and the filter lists of the
// file dialogs. The stored file name comes from whoever added the media (or from an imported file) and is
// never used as a path: temporary files get a name of their own that keeps only its harmless characters
// and its extension.
#pragma once

#include <cstdint>
#include <string>

class MediaRecord;

// The size in whole kilobytes (rounded down) followed by " Kb": 1023 bytes are "0 Kb".
std::string MediaSizeText(std::uint32_t bytes);

// The stored name as a plain file name: only the part after the last folder separator or drive colon,
// characters that Windows refuses in names (and control characters) as '_', no leading or trailing dots or
// blanks, device names (CON, NUL, COM1 ...) prefixed by '_', the stem cut to 64 and the extension to 16
// characters; "media" when nothing is left.
std::string SanitisedMediaFileName(const std::string& storedName);

// The temporary file name for attempt `serial`: "~", the sanitised stem, "-" and the serial unless it is 0,
// then the sanitised extension.
std::string MediaTemporaryName(const std::string& storedName, unsigned serial);

// Writes the media's bytes into a new file of a name of its own in `folder` (which ends in a separator):
// a name taken already is never reused or overwritten. The path, or "" when no file could be written.
std::string WriteMediaTemporaryFile(const MediaRecord& media, const std::string& folder);

// Writes the media's bytes to `path`, replacing a file there; false when the file cannot be created or
// written (a partly written file is removed).
bool WriteMediaFile(const MediaRecord& media, const std::string& path);

// A file dialog's filter list from a language text whose last character separates its parts: every
// occurrence of that character becomes a NUL, so the result ends in the double NUL the dialog needs. At
// most `limit` characters of the text are used.
std::string FileDialogFilter(const char* text, std::size_t limit);
