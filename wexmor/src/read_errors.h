// The readers' failure points: the number an import answers when its element is malformed or lacks a required
// part (besides 0, the end codes of wexmor.h and kNoMemory). The importer shows the number beside the error
// context, so each keeps its value. Elements that share a child share its number (a note, a change, an id, a
// title, a text), and a record's own number covers its start tag, its ">" and its end tag.
#pragma once

namespace wexmor {

enum ReadError : int {
    kErrorFile = 20,             // header: "</file>" after the file's version and level
    kErrorVersion = 21,          // header: the file's version number, or the header's required version text
    kErrorLevel = 22,            // header: the file's level number
    kErrorHeader = 23,           // header: "<header>", "</owner>" or "</header>"
    kErrorExportingSystem = 24,  // header: the required exporting system
    kErrorExported = 25,         // header: the required export date
    kErrorCopyright = 26,        // header: a malformed copyright
    kErrorNote = 27,             // a malformed note, in any element
    kErrorName = 28,             // the required name of the header's owner or of a repository; a personal name
    kErrorEmail = 29,            // header owner, repository: a malformed e-mail
    kErrorUri = 30,              // header owner, repository: a malformed URI
    kErrorAddress = 31,          // an address: "<address>" or "</address>"
    kErrorAddressPart = 32,      // an address part that does not end
    kErrorPhone = 33,            // an address: a malformed phone
    kErrorFax = 34,              // an address: a malformed fax
    kErrorId = 35,               // the id attribute absent, malformed or without its type letter
    kErrorSourceKind = 36,       // source: a kind that is none of the kind words
    kErrorAuthor = 38,           // source: the required author
    kErrorTitle = 39,            // source, object, objective, task: the required title
    kErrorShortTitle = 40,       // source: the required short title
    kErrorPublished = 41,        // source: a malformed publication
    kErrorIsbn = 42,             // source: a malformed ISBN
    kErrorIssn = 43,             // source: a malformed ISSN
    kErrorText = 44,             // a malformed text (date, source, excerpt), or a required one (attribute, info)
    kErrorSource = 45,           // source
    kErrorAlias = 46,            // alias
    kErrorInfo = 47,             // info
    kErrorAttribute = 48,        // attribute
    kErrorSourceRef = 49,        // excerpt: the required source reference, malformed or without "S"
    kErrorQuality = 50,          // excerpt: a malformed quality
    kErrorPage = 51,             // excerpt: a malformed page
    kErrorEvent = 53,            // event
    kErrorClass = 54,            // source class or media, event type class: none of the words
    kErrorEventtypeClass = 55,   // event type: the required class attribute absent or malformed
    kErrorDatatype = 56,         // assertion: a datatype that is none of the words
    kErrorDescription = 57,      // event type, attribute: the required description
    kErrorExcerptRef = 58,       // an excerpt reference malformed or without "X", or the first one absent
    kErrorPlace = 59,            // place, and its "</coords>"
    kErrorPlacePrefix = 60,      // place: a malformed prefix
    kErrorPlacePart = 61,        // a place part that does not end
    kErrorLongitude = 62,        // place: the required longitude of the coordinates
    kErrorLatitude = 63,         // place: the required latitude of the coordinates
    kErrorDate = 64,             // date, an end after a begin, or the end tag of a simple date
    kErrorSimpledate = 65,       // simple date: its start, ">" or text
    kErrorCalendar = 66,         // simple date: a calendar that is none of the words
    kErrorDateModifier = 67,     // simple date: a modifier that is none of the words
    kErrorLang = 68,             // a malformed lang attribute
    kErrorExcerpt = 69,          // excerpt
    kErrorRelationship = 70,     // relationship
    kErrorChange = 71,           // a malformed change, in any record
    kErrorSex = 72,              // person: the sex absent, or none of the three words
    kErrorPerson = 73,           // person
    kErrorProbability = 74,      // subpersons: a malformed probability
    kErrorSubpersons = 75,       // subpersons
    kErrorPersonRef = 76,        // a person reference (its tags, "P" and the id), or a required one absent
    kErrorGedcomTag = 77,        // event type: a malformed GEDCOM tag, or one longer than four characters
    kErrorRoles = 78,            // event type: a malformed number of roles
    kErrorRoleRef = 79,          // a person reference with a role: "<" name ">" or its end tag
    kErrorNumber = 80,           // attribute: the required number
    kErrorModifier = 81,         // attribute: a malformed modifier, or none of the words
    kErrorNamePart = 83,         // a name part that does not end
    kErrorEventType = 84,        // event: the required type, with "E"
    kErrorRole = 86,             // a person reference with a role: the required role
    kErrorObjective = 89,        // objective
    kErrorProblem = 90,          // objective, task: the required problem
    kErrorSolution = 91,         // objective: the required solution; task: a malformed one
    kErrorPriority = 92,         // objective: a priority that is none of the words
    kErrorCreated = 93,          // objective: a malformed creation date
    kErrorTask = 94,             // task
    kErrorStatus = 96,           // task: a malformed status, or none of the words
    kErrorNoStatus = 97,         // task: the required status absent
    kErrorStatusDate = 98,       // task: a malformed status date
    kErrorRepositoryRef = 99,    // repository reference
    kErrorRepositoryRefId = 100, // repository reference: the ref attribute absent or without "R"
    kErrorCallNumber = 101,      // repository reference: a malformed call number
    kErrorEventtype = 102,       // event type
    kErrorAssertion = 103,       // assertion, and a malformed assertion reference
    kErrorLanguage = 106,        // header: a malformed language
    kErrorRepository = 107,      // repository
    kErrorObject = 108,          // object
    kErrorExternalFile = 109,    // object: a malformed external file name
    kErrorOriginalFile = 110,    // object: a malformed original file name
    kErrorBin = 111,             // object: a malformed content, or one that is not Base64
    kErrorObjectiveRef = 112,    // task: an objective reference malformed or without "O"
    kErrorTaskSourceRef = 113,   // task: a source reference malformed or without "S"
    kErrorTextClass = 114,       // attribute: a malformed text class, or none of the words
    kErrorNumberClass = 115,     // attribute: a malformed number class, or none of the words
    kErrorFlagClass = 116,       // attribute: a malformed flag class, or none of the words
    kErrorRelation = 117,        // relationship: the required relation absent, malformed or none of the words
};

} // namespace wexmor
