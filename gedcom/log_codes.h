// The message codes of the conversion log; the caller's getText gives their texts.
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
    LogNotConverted = 100,
};

} // namespace pendrax
