// The message codes of the conversion log; the caller's getText gives their texts. The English texts of the
// codes from 16 on, for the caller's language file:
//   16 "A family has children but neither husband nor wife: its children are not linked."
//   17 "The person named here is not in the file: the link is left out."
//   18 "The media path names a folder, a device or a pipe, not a file: it is left out."
//   19 "The media file is larger than 64 MB: it is linked by its name and not embedded."
//   1051 "Family" (the description of the couple event of a family without children or events)
#pragma once

namespace pendrax {

enum LogCode : int {
    LogEndOfInput = 1,
    LogUserTagNotRead = 2,
    LogUnknownTag = 3,
    LogNoHead = 4,
    LogUnexpectedTag = 5,
    LogBadLine = 6,
    LogInputNotOpened = 7,
    LogMissingXref = 8,
    LogBadXref = 9,
    LogBadDate = 10,
    LogStopped = 11,
    LogUnknownCharSet = 12,
    LogBetweenForBet = 13,
    LogCircaForAbout = 14,
    LogTimeOnDate = 15,
    LogFamilyWithoutPartners = 16, // a family with children but neither partner: the children are not linked
    LogMissingPerson = 17,         // HUSB, WIFE or CHIL names a person the file lacks: the link is left out
    LogMediaNotRegular = 18,       // a media path names a folder, a device or a pipe: left out, never read
    LogMediaTooLarge = 19,         // a media file above the size limit: linked by name, not embedded
    LogNotConverted = 100,
};

// getText codes of names the output needs beside the event and attribute types (1000 to 1050).
enum TextCode : int {
    TextFamily = 1051, // the word for a family: the description of the couple event type
};

} // namespace pendrax
