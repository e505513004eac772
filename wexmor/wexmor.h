/* Wexmor20: the Wexmor 2.0 XML library.
 *
 * In-memory records of the Wexmor 2.0 genealogy format, the writer and the reader of Wexmor files.
 * Conventions shared by every function:
 *   - the handle a function works on is its last argument;
 *   - Create functions return a new record (null when memory is exhausted); whoever creates a record releases
 *     it with the matching Release function, which also frees what the record owns; Release ignores null;
 *   - Set and Add functions copy their arguments (texts, codes and records); the caller keeps its own;
 *   - Get functions of texts return the record's own text, "" when empty, never null; it stays valid until
 *     the record changes or is released; Get functions of records return the record's own sub-record or
 *     the first element of its list (null when none), and each list element has a Get...Next function;
 *   - Set functions of code fields copy at most the field's width less one characters and return the bytes
 *     copied with the terminator; Get functions of code fields copy the code with its terminator into a
 *     caller's buffer at least as wide as the field and return the bytes copied;
 *   - Export functions (file, record) write one element and return 0 or an export error number;
 *     Import functions (file, flag, record) read one element and return 0, the type's end code when no
 *     element of the type is next, or the number of the failure point (see GetErrorStructure).
 * All functions use one calling convention, WZAPI. Nothing throws out of the library.
 */
#ifndef WEXMOR_WEXMOR_H
#define WEXMOR_WEXMOR_H

#if defined(_WIN32)
#define WZAPI __cdecl
#else
#define WZAPI
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Widths of the fixed code fields, terminator included. */
enum {
    WZ_CODE_SIZE = 24,        /* language codes of most records */
    WZ_PERSON_LANG_SIZE = 27, /* a person's language code */
    WZ_GEDCOMTAG_SIZE = 8     /* an event type's GEDCOM tag */
};

/* CreateWZFile modes. */
enum { WZ_MODE_READ = 0, WZ_MODE_WRITE = 1 };

/* Import flags: with WZ_SEEK any material before the element is skipped; with WZ_NEXT it must come next. */
enum { WZ_SEEK = 0, WZ_NEXT = 1 };

/* Export results besides 0 and the per-type order codes (source 11, excerpt 13, event type 16,
 * person 5, assertion 12, objective 14, task 15). */
enum {
    WZ_EXPORT_NO_ID = 2,             /* the record's id is 0 (event types, persons, assertions) */
    WZ_EXPORT_NO_HEADER = 3,         /* no header has been written yet */
    WZ_EXPORT_HEADER_TWICE = 4,      /* HeaderExport: a header has already been written */
    WZ_EXPORT_BAD_SEX = 6,           /* PersonExport: the sex is not 0, 1 or 2 */
    WZ_EXPORT_REPOSITORY_ORDER = 17, /* RepositoryExport: a later section has already begun */
    WZ_EXPORT_WRITE_FAILED = 18,     /* a write to the file failed (a full disk); every later export fails too */
    WZ_EXPORT_NOT_WRITING = 19       /* the handle was not created for writing */
};

/* Import end codes: no element of the type is next. */
enum {
    WZ_END_HEADER_SEEK = 4, /* HeaderImport with WZ_SEEK: no "<file>" found */
    WZ_END_HEADER = 20,     /* HeaderImport: "<file>" is not next */
    WZ_END_REPOSITORY = 13,
    WZ_END_SOURCE = 5,
    WZ_END_EXCERPT = 6,
    WZ_END_EVENTTYPE = 7,
    WZ_END_PERSON = 8,
    WZ_END_ASSERTION = 11,
    WZ_END_OBJECTIVE = 9,
    WZ_END_TASK = 10
};

/* Import result when memory ran out while a record was being read. */
enum { WZ_IMPORT_NO_MEMORY = 120 };

/* Special results of the address part readers. */
enum { WZ_ADDRESS_LINE_BREAK = 127, WZ_ADDRESS_END = -1 };

typedef struct WexmorFile WexmorFile;
typedef struct WZSimpledate WZSimpledate;
typedef struct WZDate WZDate;
typedef struct WZName WZName;
typedef struct WZPlace WZPlace;
typedef struct WZAddress WZAddress;
typedef struct WZObject WZObject;
typedef struct WZHeader WZHeader;
typedef struct WZRepository WZRepository;
typedef struct WZRepref WZRepref;
typedef struct WZSource WZSource;
typedef struct WZExcerpt WZExcerpt;
typedef struct WZExcerptref WZExcerptref;
typedef struct WZEventtype WZEventtype;
typedef struct WZPerson WZPerson;
typedef struct WZSubpersons WZSubpersons;
typedef struct WZPersonref WZPersonref;
typedef struct WZPersonrefrole WZPersonrefrole;
typedef struct WZAssertion WZAssertion;
typedef struct WZAlias WZAlias;
typedef struct WZAttribute WZAttribute;
typedef struct WZEvent WZEvent;
typedef struct WZRelationship WZRelationship;
typedef struct WZInfo WZInfo;
typedef struct WZObjective WZObjective;
typedef struct WZTask WZTask;

/* ---- The file ---------------------------------------------------------------------------------------- */

/* Mode 1 creates (replaces) the file for writing, mode 0 opens it for reading; null when the file cannot be
 * opened or created, its XML declaration is wrong or the root element "wexmor" is missing. */
WexmorFile* WZAPI CreateWZFile(const char* path, int mode);
/* Completes a file being written (totals and root end tag), closes it and frees the handle. */
void WZAPI ReleaseWZFile(WexmorFile* file);
/* Whole percentage of the input read so far. */
int WZAPI GetProgress(WexmorFile* file);
/* The error context of the last import: its tags, one per indented line, then the text around the place
 * where reading stopped with a caret under it. Copied with its terminator when shorter than size, else the
 * buffer is left empty (nothing is written for size 0). Returns the context's length either way. */
int WZAPI GetErrorStructure(char* buffer, int size, WexmorFile* file);

/* ---- Simple date and date ---------------------------------------------------------------------------- */

/* Calendar words 0..8: unknown chinese coptic french gregorian hebrew indian islamic julian;
 * modifier words 0..3: about after before estimated; era words 0..1: after before; -1 unset. */
WZSimpledate* WZAPI CreateSimpledate(void);
void WZAPI ReleaseSimpledate(WZSimpledate* date);
void WZAPI SetSimpledateCalendar(int calendar, WZSimpledate* date);
int WZAPI GetSimpledateCalendar(WZSimpledate* date);
void WZAPI SetSimpledateModifier(int modifier, WZSimpledate* date);
int WZAPI GetSimpledateModifier(WZSimpledate* date);
void WZAPI SetSimpledateEra(int era, WZSimpledate* date);
int WZAPI GetSimpledateEra(WZSimpledate* date);
void WZAPI SetSimpledateDate(const char* text, WZSimpledate* date);
const char* WZAPI GetSimpledateDate(WZSimpledate* date);

WZDate* WZAPI CreateDate(void);
void WZAPI ReleaseDate(WZDate* date);
void WZAPI SetDateExact(WZSimpledate* value, WZDate* date);
void WZAPI SetDateBegin(WZSimpledate* value, WZDate* date);
void WZAPI SetDateEnd(WZSimpledate* value, WZDate* date);
void WZAPI SetDateFrom(WZSimpledate* value, WZDate* date);
void WZAPI SetDateTo(WZSimpledate* value, WZDate* date);
WZSimpledate* WZAPI GetDateExact(WZDate* date);
WZSimpledate* WZAPI GetDateBegin(WZDate* date);
WZSimpledate* WZAPI GetDateEnd(WZDate* date);
WZSimpledate* WZAPI GetDateFrom(WZDate* date);
WZSimpledate* WZAPI GetDateTo(WZDate* date);
void WZAPI SetDateText(const char* text, WZDate* date);
const char* WZAPI GetDateText(WZDate* date);

/* ---- Name ---------------------------------------------------------------------------------------------- */

/* Name-part types 1..16: unkw oth cogn surn pref givn reln nick patr matr art occn locn midl sufx, and 16 the
 * empty code. GetNamePart returns the part's type, 0 at the end or for a malformed part. */
WZName* WZAPI CreateName(void);
void WZAPI ReleaseName(WZName* name);
void WZAPI AddNamePart(const char* text, int type, WZName* name);
int WZAPI GetNamePart(char* buffer, int size, int continueReading, WZName* name);
int WZAPI SetNameLang(const char* code, WZName* name);
int WZAPI GetNameLang(char* buffer, WZName* name);

/* ---- Place --------------------------------------------------------------------------------------------- */

/* Place-part types 1..18: unknown other continent country state county town muni citypart building diocese
 * deanery parish farm ocean lake mountain cemetery. GetPlacePart returns 0 at the end or for a malformed part. */
WZPlace* WZAPI CreatePlace(void);
void WZAPI ReleasePlace(WZPlace* place);
int WZAPI SetPlaceLang(const char* code, WZPlace* place);
int WZAPI GetPlaceLang(char* buffer, WZPlace* place);
void WZAPI SetPlacePrefix(const char* text, WZPlace* place);
const char* WZAPI GetPlacePrefix(WZPlace* place);
void WZAPI AddPlacePart(const char* text, int type, WZPlace* place);
int WZAPI GetPlacePart(char* buffer, int size, int continueReading, WZPlace* place);
void WZAPI SetPlaceDate(WZDate* date, WZPlace* place);
WZDate* WZAPI GetPlaceDate(WZPlace* place);
void WZAPI SetPlaceLongitude(const char* text, WZPlace* place);
const char* WZAPI GetPlaceLongitude(WZPlace* place);
void WZAPI SetPlaceLatitude(const char* text, WZPlace* place);
const char* WZAPI GetPlaceLatitude(WZPlace* place);

/* ---- Address ------------------------------------------------------------------------------------------- */

/* Address-part types 0..10: unknown other name street number district pobox pcode city country state.
 * AddAddressPart with a null text adds a line break; a negative type writes no type. GetAddressPart returns
 * the type, WZ_ADDRESS_LINE_BREAK for a line break, WZ_ADDRESS_END at the end or for a malformed part.
 * GetAddressLine joins the parts up to the next line break with blanks; 1, or 0 when no part was left. */
WZAddress* WZAPI CreateAddress(void);
void WZAPI ReleaseAddress(WZAddress* address);
void WZAPI AddAddressPart(const char* text, int type, WZAddress* address);
int WZAPI GetAddressPart(char* buffer, int size, int continueReading, WZAddress* address);
int WZAPI GetAddressLine(char* buffer, int size, int continueReading, WZAddress* address);
void WZAPI SetAddressPhone(const char* text, WZAddress* address);
const char* WZAPI GetAddressPhone(WZAddress* address);
void WZAPI SetAddressFax(const char* text, WZAddress* address);
const char* WZAPI GetAddressFax(WZAddress* address);

/* ---- Media object -------------------------------------------------------------------------------------- */

WZObject* WZAPI CreateObject(void);
void WZAPI ReleaseObject(WZObject* object);
int WZAPI SetObjectLang(const char* code, WZObject* object);
int WZAPI GetObjectLang(char* buffer, WZObject* object);
void WZAPI SetObjectExtFile(const char* text, WZObject* object);
const char* WZAPI GetObjectExtFile(WZObject* object);
void WZAPI SetObjectOrgFile(const char* text, WZObject* object);
const char* WZAPI GetObjectOrgFile(WZObject* object);
/* Appends the Base64 encoding of the bytes to the object's content text. */
void WZAPI SetObjectBin(const unsigned char* data, int length, WZObject* object);
/* The decoded content of an object read from a file, null when there is none. */
const unsigned char* WZAPI GetObjectBin(WZObject* object);
int WZAPI GetObjectSize(WZObject* object);
void WZAPI SetObjectTitle(const char* text, WZObject* object);
const char* WZAPI GetObjectTitle(WZObject* object);
void WZAPI SetObjectNote(const char* text, WZObject* object);
const char* WZAPI GetObjectNote(WZObject* object);
WZObject* WZAPI GetObjectNext(WZObject* object);

/* ---- Header -------------------------------------------------------------------------------------------- */

WZHeader* WZAPI CreateHeader(void);
void WZAPI ReleaseHeader(WZHeader* header);
int WZAPI HeaderExport(WexmorFile* file, WZHeader* header);
int WZAPI HeaderImport(WexmorFile* file, int flag, WZHeader* header);
void WZAPI SetHeaderWZVersion(int version, WZHeader* header); /* always stores 200 */
int WZAPI GetHeaderWZVersion(WZHeader* header);
void WZAPI SetHeaderLevel(int level, WZHeader* header);
int WZAPI GetHeaderLevel(WZHeader* header);
void WZAPI SetHeaderExportingSystem(const char* text, WZHeader* header);
const char* WZAPI GetHeaderExportingSystem(WZHeader* header);
void WZAPI SetHeaderVersion(const char* text, WZHeader* header);
const char* WZAPI GetHeaderVersion(WZHeader* header);
void WZAPI SetHeaderExportedDate(const char* text, WZHeader* header);
const char* WZAPI GetHeaderExportedDate(WZHeader* header);
int WZAPI SetHeaderLanguage(const char* code, WZHeader* header);
int WZAPI GetHeaderLanguage(char* buffer, WZHeader* header);
void WZAPI SetHeaderOwnerName(const char* text, WZHeader* header);
const char* WZAPI GetHeaderOwnerName(WZHeader* header);
void WZAPI SetHeaderOwnerAddress(WZAddress* address, WZHeader* header);
WZAddress* WZAPI GetHeaderOwnerAddress(WZHeader* header);
void WZAPI SetHeaderOwnerEmail(const char* text, WZHeader* header);
const char* WZAPI GetHeaderOwnerEmail(WZHeader* header);
void WZAPI SetHeaderOwnerURI(const char* text, WZHeader* header);
const char* WZAPI GetHeaderOwnerURI(WZHeader* header);
void WZAPI SetHeaderCopyright(const char* text, WZHeader* header);
const char* WZAPI GetHeaderCopyright(WZHeader* header);
void WZAPI SetHeaderNote(const char* text, WZHeader* header);
const char* WZAPI GetHeaderNote(WZHeader* header);
void WZAPI SetHeaderChange(const char* text, WZHeader* header);
const char* WZAPI GetHeaderChange(WZHeader* header);

/* ---- Repository and repository reference ----------------------------------------------------------- */

WZRepository* WZAPI CreateRepository(void);
void WZAPI ReleaseRepository(WZRepository* repository);
int WZAPI RepositoryExport(WexmorFile* file, WZRepository* repository);
int WZAPI RepositoryImport(WexmorFile* file, int flag, WZRepository* repository);
void WZAPI SetRepositoryId(int id, WZRepository* repository);
int WZAPI GetRepositoryId(WZRepository* repository);
int WZAPI SetRepositoryLang(const char* code, WZRepository* repository);
int WZAPI GetRepositoryLang(char* buffer, WZRepository* repository);
void WZAPI SetRepositoryName(const char* text, WZRepository* repository);
const char* WZAPI GetRepositoryName(WZRepository* repository);
void WZAPI SetRepositoryAddress(WZAddress* address, WZRepository* repository);
WZAddress* WZAPI GetRepositoryAddress(WZRepository* repository);
void WZAPI SetRepositoryEmail(const char* text, WZRepository* repository);
const char* WZAPI GetRepositoryEmail(WZRepository* repository);
void WZAPI SetRepositoryURI(const char* text, WZRepository* repository);
const char* WZAPI GetRepositoryURI(WZRepository* repository);
void WZAPI SetRepositoryNote(const char* text, WZRepository* repository);
const char* WZAPI GetRepositoryNote(WZRepository* repository);
void WZAPI SetRepositoryChange(const char* text, WZRepository* repository);
const char* WZAPI GetRepositoryChange(WZRepository* repository);

WZRepref* WZAPI CreateRepref(void);
void WZAPI ReleaseRepref(WZRepref* repref);
void WZAPI SetReprefRef(int repositoryId, WZRepref* repref);
int WZAPI GetReprefRef(WZRepref* repref);
void WZAPI SetReprefCallnumber(const char* text, WZRepref* repref);
const char* WZAPI GetReprefCallnumber(WZRepref* repref);
void WZAPI SetReprefNote(const char* text, WZRepref* repref);
const char* WZAPI GetReprefNote(WZRepref* repref);
WZRepref* WZAPI GetReprefNext(WZRepref* repref);

/* ---- Source -------------------------------------------------------------------------------------------- */

/* Kind words 0..2: unknown original copy; media words 0..9: unknown other printed handwritten fiche
 * microfilm photo inscription digital, and 9 the empty word; -1 unset. */
WZSource* WZAPI CreateSource(void);
void WZAPI ReleaseSource(WZSource* source);
int WZAPI SourceExport(WexmorFile* file, WZSource* source);
int WZAPI SourceImport(WexmorFile* file, int flag, WZSource* source);
void WZAPI SetSourceId(int id, WZSource* source);
int WZAPI GetSourceId(WZSource* source);
void WZAPI SetSourceKind(int kind, WZSource* source);
int WZAPI GetSourceKind(WZSource* source);
void WZAPI SetSourceMedia(int media, WZSource* source);
int WZAPI GetSourceMedia(WZSource* source);
int WZAPI SetSourceLang(const char* code, WZSource* source);
int WZAPI GetSourceLang(char* buffer, WZSource* source);
void WZAPI SetSourceAuthor(const char* text, WZSource* source);
const char* WZAPI GetSourceAuthor(WZSource* source);
void WZAPI SetSourceTitle(const char* text, WZSource* source);
const char* WZAPI GetSourceTitle(WZSource* source);
void WZAPI SetSourceShortTitle(const char* text, WZSource* source);
const char* WZAPI GetSourceShortTitle(WZSource* source);
void WZAPI SetSourcePublished(const char* text, WZSource* source);
const char* WZAPI GetSourcePublished(WZSource* source);
void WZAPI SetSourceIsbn(const char* text, WZSource* source);
const char* WZAPI GetSourceIsbn(WZSource* source);
void WZAPI SetSourceIssn(const char* text, WZSource* source);
const char* WZAPI GetSourceIssn(WZSource* source);
void WZAPI AddSourceRepref(WZRepref* repref, WZSource* source);
WZRepref* WZAPI GetSourceFirstRepref(WZSource* source);
void WZAPI SetSourceText(const char* text, WZSource* source);
const char* WZAPI GetSourceText(WZSource* source);
void WZAPI SetSourceNote(const char* text, WZSource* source);
const char* WZAPI GetSourceNote(WZSource* source);
void WZAPI SetSourceChange(const char* text, WZSource* source);
const char* WZAPI GetSourceChange(WZSource* source);

/* ---- Excerpt and excerpt reference ----------------------------------------------------------------- */

WZExcerpt* WZAPI CreateExcerpt(void);
void WZAPI ReleaseExcerpt(WZExcerpt* excerpt);
int WZAPI ExcerptExport(WexmorFile* file, WZExcerpt* excerpt);
int WZAPI ExcerptImport(WexmorFile* file, int flag, WZExcerpt* excerpt);
void WZAPI SetExcerptId(int id, WZExcerpt* excerpt);
int WZAPI GetExcerptId(WZExcerpt* excerpt);
int WZAPI SetExcerptLang(const char* code, WZExcerpt* excerpt);
int WZAPI GetExcerptLang(char* buffer, WZExcerpt* excerpt);
void WZAPI SetExcerptText(const char* text, WZExcerpt* excerpt);
const char* WZAPI GetExcerptText(WZExcerpt* excerpt);
void WZAPI SetExcerptQuality(int quality, WZExcerpt* excerpt); /* kept as a signed byte; -1 unset */
int WZAPI GetExcerptQuality(WZExcerpt* excerpt);
void WZAPI SetExcerptPage(const char* text, WZExcerpt* excerpt);
const char* WZAPI GetExcerptPage(WZExcerpt* excerpt);
void WZAPI SetExcerptSourceref(int sourceId, WZExcerpt* excerpt);
int WZAPI GetExcerptSourceref(WZExcerpt* excerpt);
void WZAPI SetExcerptNote(const char* text, WZExcerpt* excerpt);
const char* WZAPI GetExcerptNote(WZExcerpt* excerpt);
void WZAPI SetExcerptChange(const char* text, WZExcerpt* excerpt);
const char* WZAPI GetExcerptChange(WZExcerpt* excerpt);

WZExcerptref* WZAPI CreateExcerptref(void);
void WZAPI ReleaseExcerptref(WZExcerptref* excerptref);
void WZAPI SetExcerptrefExcerptId(int excerptId, WZExcerptref* excerptref);
int WZAPI GetExcerptrefExcerptId(WZExcerptref* excerptref);
WZExcerptref* WZAPI GetExcerptrefNext(WZExcerptref* excerptref);

/* ---- Event type ---------------------------------------------------------------------------------------- */

/* Class words 0..25: other adoption annulment baptism birth blessing burial census confirmation coronation
 * cremation death discharge divorce election emigration enlistment graduation health immigration internment
 * marriage naturalization ordination residence retirement. */
WZEventtype* WZAPI CreateEventtype(void);
void WZAPI ReleaseEventtype(WZEventtype* eventtype);
int WZAPI EventtypeExport(WexmorFile* file, WZEventtype* eventtype);
int WZAPI EventtypeImport(WexmorFile* file, int flag, WZEventtype* eventtype);
void WZAPI SetEventtypeId(int id, WZEventtype* eventtype);
int WZAPI GetEventtypeId(WZEventtype* eventtype);
void WZAPI SetEventtypeClass(int eventClass, WZEventtype* eventtype);
int WZAPI GetEventtypeClass(WZEventtype* eventtype);
int WZAPI SetEventtypeLanguage(const char* code, WZEventtype* eventtype);
int WZAPI GetEventtypeLanguage(char* buffer, WZEventtype* eventtype);
void WZAPI SetEventtypeDescription(const char* text, WZEventtype* eventtype);
const char* WZAPI GetEventtypeDescription(WZEventtype* eventtype);
int WZAPI SetEventtypeGedcomtag(const char* tag, WZEventtype* eventtype);
int WZAPI GetEventtypeGedcomtag(char* buffer, WZEventtype* eventtype);
void WZAPI SetEventtypeRoles(int roles, WZEventtype* eventtype);
int WZAPI GetEventtypeRoles(WZEventtype* eventtype);
void WZAPI SetEventtypeNote(const char* text, WZEventtype* eventtype);
const char* WZAPI GetEventtypeNote(WZEventtype* eventtype);

/* ---- Person and person references ---------------------------------------------------------------------- */

/* Sex: 0 unknown, 1 male, 2 female. A person is exported with a name. */
WZPerson* WZAPI CreatePerson(void);
void WZAPI ReleasePerson(WZPerson* person);
int WZAPI PersonExport(WexmorFile* file, WZPerson* person);
int WZAPI PersonImport(WexmorFile* file, int flag, WZPerson* person);
void WZAPI SetPersonID(int id, WZPerson* person);
int WZAPI GetPersonID(WZPerson* person);
void WZAPI SetPersonSex(int sex, WZPerson* person);
int WZAPI GetPersonSex(WZPerson* person);
int WZAPI SetPersonLang(const char* code, WZPerson* person);
int WZAPI GetPersonLang(char* buffer, WZPerson* person);
void WZAPI SetPersonName(WZName* name, WZPerson* person);
WZName* WZAPI GetPersonName(WZPerson* person);
void WZAPI SetPersonSubpersons(WZSubpersons* subpersons, WZPerson* person);
WZSubpersons* WZAPI GetPersonSubpersons(WZPerson* person);
void WZAPI AddPersonExcerptref(WZExcerptref* excerptref, WZPerson* person);
WZExcerptref* WZAPI GetPersonFirstExcerptref(WZPerson* person);
void WZAPI AddPersonObject(WZObject* object, WZPerson* person);
WZObject* WZAPI GetPersonFirstObject(WZPerson* person);
void WZAPI SetPersonNote(const char* text, WZPerson* person);
const char* WZAPI GetPersonNote(WZPerson* person);
void WZAPI SetPersonChange(const char* text, WZPerson* person);
const char* WZAPI GetPersonChange(WZPerson* person);

/* pref: -1 unset, 1 true, 0 false; seq: -1 unset. */
WZPersonref* WZAPI CreatePersonref(void);
void WZAPI ReleasePersonref(WZPersonref* personref);
void WZAPI SetPersonrefPref(int pref, WZPersonref* personref);
int WZAPI GetPersonrefPref(WZPersonref* personref);
void WZAPI SetPersonrefSeq(int seq, WZPersonref* personref);
int WZAPI GetPersonrefSeq(WZPersonref* personref);
void WZAPI SetPersonrefPersonid(int personId, WZPersonref* personref);
int WZAPI GetPersonrefPersonid(WZPersonref* personref);
WZPersonref* WZAPI GetPersonrefNext(WZPersonref* personref);

WZPersonrefrole* WZAPI CreatePersonrefrole(void);
void WZAPI ReleasePersonrefrole(WZPersonrefrole* entry);
void WZAPI SetPersonrefrolePersonref(WZPersonref* personref, WZPersonrefrole* entry);
WZPersonref* WZAPI GetPersonrefrolePersonref(WZPersonrefrole* entry);
void WZAPI SetPersonrefroleRole(const char* text, WZPersonrefrole* entry);
const char* WZAPI GetPersonrefroleRole(WZPersonrefrole* entry);
WZPersonrefrole* WZAPI GetPersonrefroleNext(WZPersonrefrole* entry);

/* ---- Assertion and its contents ------------------------------------------------------------------------ */

/* Datatype words 0..4: public family immfamily private info; -1 unset. */
WZAssertion* WZAPI CreateAssertion(void);
void WZAPI ReleaseAssertion(WZAssertion* assertion);
int WZAPI AssertionExport(WexmorFile* file, WZAssertion* assertion);
int WZAPI AssertionImport(WexmorFile* file, int flag, WZAssertion* assertion);
void WZAPI SetAssertionID(int id, WZAssertion* assertion);
int WZAPI GetAssertionID(WZAssertion* assertion);
void WZAPI SetAssertionDatatype(int datatype, WZAssertion* assertion);
int WZAPI GetAssertionDatatype(WZAssertion* assertion);
int WZAPI SetAssertionLang(const char* code, WZAssertion* assertion);
int WZAPI GetAssertionLang(char* buffer, WZAssertion* assertion);
void WZAPI SetAssertionAlias(WZAlias* alias, WZAssertion* assertion);
WZAlias* WZAPI GetAssertionAlias(WZAssertion* assertion);
void WZAPI SetAssertionAttribute(WZAttribute* attribute, WZAssertion* assertion);
WZAttribute* WZAPI GetAssertionAttribute(WZAssertion* assertion);
void WZAPI SetAssertionEvent(WZEvent* event, WZAssertion* assertion);
WZEvent* WZAPI GetAssertionEvent(WZAssertion* assertion);
void WZAPI SetAssertionRelationship(WZRelationship* relationship, WZAssertion* assertion);
WZRelationship* WZAPI GetAssertionRelationship(WZAssertion* assertion);
void WZAPI SetAssertionInfo(WZInfo* info, WZAssertion* assertion);
WZInfo* WZAPI GetAssertionInfo(WZAssertion* assertion);
void WZAPI AddAssertionExcerptref(WZExcerptref* excerptref, WZAssertion* assertion);
WZExcerptref* WZAPI GetAssertionFirstExcerptref(WZAssertion* assertion);
void WZAPI SetAssertionAssertionref1(int assertionId, WZAssertion* assertion);
int WZAPI GetAssertionAssertionref1(WZAssertion* assertion);
void WZAPI SetAssertionAssertionref2(int assertionId, WZAssertion* assertion);
int WZAPI GetAssertionAssertionref2(WZAssertion* assertion);
void WZAPI AddAssertionObject(WZObject* object, WZAssertion* assertion);
WZObject* WZAPI GetAssertionFirstObject(WZAssertion* assertion);
void WZAPI SetAssertionNote(const char* text, WZAssertion* assertion);
const char* WZAPI GetAssertionNote(WZAssertion* assertion);
void WZAPI SetAssertionChange(const char* text, WZAssertion* assertion);
const char* WZAPI GetAssertionChange(WZAssertion* assertion);

/* negative: -1 unset, 0 false, otherwise true. */
WZAlias* WZAPI CreateAlias(void);
void WZAPI ReleaseAlias(WZAlias* alias);
void WZAPI SetAliasNegative(int negative, WZAlias* alias);
int WZAPI GetAliasNegative(WZAlias* alias);
void WZAPI SetAliasName(WZName* name, WZAlias* alias);
WZName* WZAPI GetAliasName(WZAlias* alias);
void WZAPI SetAliasPersonref(WZPersonref* personref, WZAlias* alias);
WZPersonref* WZAPI GetAliasPersonref(WZAlias* alias);
void WZAPI SetAliasDate(WZDate* date, WZAlias* alias);
WZDate* WZAPI GetAliasDate(WZAlias* alias);

/* Text-class words 0..11: other caste education email idnumber language nationality physical property
 * religion title work; number-class words 0..3: other age children marriages; modifier words 0..2: exact
 * greater less; flag-class words 0..3: other ancestor descendant living; -1 unset. */
WZAttribute* WZAPI CreateAttribute(void);
void WZAPI ReleaseAttribute(WZAttribute* attribute);
void WZAPI SetAttributeNegative(int negative, WZAttribute* attribute);
int WZAPI GetAttributeNegative(WZAttribute* attribute);
void WZAPI SetAttributeDescription(const char* text, WZAttribute* attribute);
const char* WZAPI GetAttributeDescription(WZAttribute* attribute);
void WZAPI SetAttributeTextclass(int textClass, WZAttribute* attribute);
int WZAPI GetAttributeTextclass(WZAttribute* attribute);
void WZAPI SetAttributeText(const char* text, WZAttribute* attribute);
const char* WZAPI GetAttributeText(WZAttribute* attribute);
void WZAPI SetAttributeNumberclass(int numberClass, WZAttribute* attribute);
int WZAPI GetAttributeNumberclass(WZAttribute* attribute);
void WZAPI SetAttributeNumber(int number, WZAttribute* attribute);
int WZAPI GetAttributeNumber(WZAttribute* attribute);
void WZAPI SetAttributeModifier(int modifier, WZAttribute* attribute);
int WZAPI GetAttributeModifier(WZAttribute* attribute);
void WZAPI SetAttributeFlagclass(int flagClass, WZAttribute* attribute);
int WZAPI GetAttributeFlagclass(WZAttribute* attribute);
void WZAPI SetAttributePersonref(WZPersonref* personref, WZAttribute* attribute);
WZPersonref* WZAPI GetAttributePersonref(WZAttribute* attribute);
void WZAPI SetAttributeDate(WZDate* date, WZAttribute* attribute);
WZDate* WZAPI GetAttributeDate(WZAttribute* attribute);
void WZAPI SetAttributePlace(WZPlace* place, WZAttribute* attribute);
WZPlace* WZAPI GetAttributePlace(WZAttribute* attribute);
void WZAPI SetAttributeAddress(WZAddress* address, WZAttribute* attribute);
WZAddress* WZAPI GetAttributeAddress(WZAttribute* attribute);

WZEvent* WZAPI CreateWZEvent(void);
void WZAPI ReleaseWZEvent(WZEvent* event);
void WZAPI SetEventType(int eventtypeId, WZEvent* event);
int WZAPI GetEventType(WZEvent* event);
void WZAPI SetEventNegative(int negative, WZEvent* event);
int WZAPI GetEventNegative(WZEvent* event);
void WZAPI AddEventPrincipal(WZPersonref* personref, WZEvent* event);
WZPersonref* WZAPI GetEventFirstPrincipal(WZEvent* event);
void WZAPI AddEventSubordinate(WZPersonrefrole* entry, WZEvent* event);
WZPersonrefrole* WZAPI GetEventFirstSubordinate(WZEvent* event);
void WZAPI SetEventDate(WZDate* date, WZEvent* event);
WZDate* WZAPI GetEventDate(WZEvent* event);
void WZAPI SetEventPlace(WZPlace* place, WZEvent* event);
WZPlace* WZAPI GetEventPlace(WZEvent* event);
void WZAPI SetEventAddress(WZAddress* address, WZEvent* event);
WZAddress* WZAPI GetEventAddress(WZEvent* event);

/* Relation words 0..3: biological adoptive foster other. */
WZRelationship* WZAPI CreateRelationship(void);
void WZAPI ReleaseRelationship(WZRelationship* relationship);
void WZAPI SetRelationshipNegative(int negative, WZRelationship* relationship);
int WZAPI GetRelationshipNegative(WZRelationship* relationship);
void WZAPI SetRelationshipRelation(int relation, WZRelationship* relationship);
int WZAPI GetRelationshipRelation(WZRelationship* relationship);
void WZAPI SetRelationshipFather(WZPersonref* personref, WZRelationship* relationship);
WZPersonref* WZAPI GetRelationshipFather(WZRelationship* relationship);
void WZAPI SetRelationshipMother(WZPersonref* personref, WZRelationship* relationship);
WZPersonref* WZAPI GetRelationshipMother(WZRelationship* relationship);
void WZAPI SetRelationshipParent(WZPersonref* personref, WZRelationship* relationship);
WZPersonref* WZAPI GetRelationshipParent(WZRelationship* relationship);
void WZAPI SetRelationshipChild(WZPersonref* personref, WZRelationship* relationship);
WZPersonref* WZAPI GetRelationshipChild(WZRelationship* relationship);

WZInfo* WZAPI CreateInfo(void);
void WZAPI ReleaseInfo(WZInfo* info);
void WZAPI SetInfoText(const char* text, WZInfo* info);
const char* WZAPI GetInfoText(WZInfo* info);
void WZAPI AddInfoPersonref(WZPersonref* personref, WZInfo* info);
WZPersonref* WZAPI GetInfoFirstPersonref(WZInfo* info);

/* ---- Research objectives and tasks --------------------------------------------------------------------- */

/* Priority words 0..2: low medium high (-1 unset); status words 0..4: new analysis finished updated rejected. */
WZObjective* WZAPI CreateObjective(void);
void WZAPI ReleaseObjective(WZObjective* objective);
int WZAPI ObjectiveExport(WexmorFile* file, WZObjective* objective);
int WZAPI ObjectiveImport(WexmorFile* file, int flag, WZObjective* objective);
void WZAPI SetObjectiveId(int id, WZObjective* objective);
int WZAPI GetObjectiveId(WZObjective* objective);
int WZAPI SetObjectiveLang(const char* code, WZObjective* objective);
int WZAPI GetObjectiveLang(char* buffer, WZObjective* objective);
void WZAPI SetObjectiveTitle(const char* text, WZObjective* objective);
const char* WZAPI GetObjectiveTitle(WZObjective* objective);
void WZAPI SetObjectiveProblem(const char* text, WZObjective* objective);
const char* WZAPI GetObjectiveProblem(WZObjective* objective);
void WZAPI SetObjectiveSolution(const char* text, WZObjective* objective);
const char* WZAPI GetObjectiveSolution(WZObjective* objective);
void WZAPI SetObjectivePriority(int priority, WZObjective* objective);
int WZAPI GetObjectivePriority(WZObjective* objective);
void WZAPI SetObjectiveCreated(const char* text, WZObjective* objective);
const char* WZAPI GetObjectiveCreated(WZObjective* objective);
void WZAPI SetObjectiveChange(const char* text, WZObjective* objective);
const char* WZAPI GetObjectiveChange(WZObjective* objective);

WZTask* WZAPI CreateTask(void);
void WZAPI ReleaseTask(WZTask* task);
int WZAPI TaskExport(WexmorFile* file, WZTask* task);
int WZAPI TaskImport(WexmorFile* file, int flag, WZTask* task);
void WZAPI SetTaskId(int id, WZTask* task);
int WZAPI GetTaskId(WZTask* task);
int WZAPI SetTaskLang(const char* code, WZTask* task);
int WZAPI GetTaskLang(char* buffer, WZTask* task);
void WZAPI SetTaskTitle(const char* text, WZTask* task);
const char* WZAPI GetTaskTitle(WZTask* task);
void WZAPI SetTaskProblem(const char* text, WZTask* task);
const char* WZAPI GetTaskProblem(WZTask* task);
void WZAPI SetTaskSolution(const char* text, WZTask* task);
const char* WZAPI GetTaskSolution(WZTask* task);
void WZAPI SetTaskObjectiveref(int objectiveId, WZTask* task);
int WZAPI GetTaskObjectiveref(WZTask* task);
void WZAPI SetTaskPersonref(int personId, WZTask* task);
int WZAPI GetTaskPersonref(WZTask* task);
void WZAPI SetTaskSourceref(int sourceId, WZTask* task);
int WZAPI GetTaskSourceref(WZTask* task);
void WZAPI SetTaskStatus(int status, WZTask* task);
int WZAPI GetTaskStatus(WZTask* task);
void WZAPI SetTaskStatusdate(const char* text, WZTask* task);
const char* WZAPI GetTaskStatusdate(WZTask* task);
void WZAPI SetTaskChange(const char* text, WZTask* task);

#ifdef __cplusplus
}
#endif

#endif /* WEXMOR_WEXMOR_H */
