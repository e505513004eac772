// The report language's tagged value: a type code, a payload (a number, an owned text or an owned object),
// and for records the record id and the database in which it is read when first used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/date_value.h"

class AssertionLink;
class AttributeAssertion;
class CalendarDate;
class Chart;
class Database;
class EventAssertion;
class EventTypeCache;
class ExcerptRecord;
class MediaRecord;
class ObjectiveRecord;
class PersonRecord;
class PlaceRecord;
class ReportHost;
class ReportMap;
class ReportMapString;
class ReportParagraph;
class ReportPicture;
class ReportSector;
class ReportSortList;
class ReportStack;
class ReportSystem;
class ReportTable;
class ReportTextBox;
class RepositoryRecord;
class RepositoryRef;
class SourceRecord;
class TaskRecord;
class Timeline;

enum ReportValueType : std::int32_t {
    ReportEmpty = 0,
    ReportBoolean = 1,
    ReportInteger = 2,
    ReportString = 3,
    ReportReal = 4,
    ReportLong = 5,
    ReportDatabase = 10,
    ReportRepository = 11,
    ReportSource = 12,
    ReportPerson = 13,
    ReportObjective = 14,
    ReportTask = 15,
    ReportDetail = 16,
    ReportRepRef = 17,
    ReportExcerpt = 18,
    ReportAttribute = 19,
    ReportEvent = 20,
    ReportObject = 21,
    ReportAddress = 22,
    ReportAlias = 23,
    ReportAttributeType = 24,
    ReportPeriod = 25,
    ReportEventType = 26,
    ReportFamily = 27,
    ReportInformation = 28,
    ReportName = 29,
    ReportPlace = 30,
    ReportRelationship = 31,
    ReportDate = 32,
    ReportTableType = 50,
    ReportStackType = 51,
    ReportSortListType = 52,
    ReportMapType = 53,
    ReportTextBoxType = 54,
    ReportPictureType = 55,
    ReportMapStringType = 56,
    ReportCalendar = 57,
    ReportParagraphType = 58,
    ReportChart = 59,
    ReportTimeline = 60,
    ReportSectorType = 61,
    ReportSystemType = 80,
    ReportSettingsType = 81,
};

// The record types 11 to 21 and PLACE: values that refer to a record by id.
bool IsReportRecordType(std::int32_t type);

// The block a PERIOD value owns; the report language reads only its date range.
struct ReportPeriodBlock {
    DateRange range;
};

class ReportValue {
public:
    ReportValue() = default;
    ReportValue(const ReportValue&) = delete;
    ReportValue& operator=(const ReportValue&) = delete;
    ~ReportValue() { Clear(); }

    std::int32_t Type() const { return type_; }
    std::uint32_t RecordId() const { return recordId_; }
    Database* OwnerDatabase() const { return database_; }

    // Sets the type and zeroes payload, record id and database, freeing nothing: only for a value that
    // holds nothing yet (a new one, or one just cleared).
    void Init(std::int32_t type);
    // Frees what the value held, sets the type and creates the object the type owns from the start (TABLE with dim1 columns and dim2
    // rows, the collections, text boxes, sectors, pictures, SYSTEM, CALENDAR, CHART and TIMELINE); for every
    // other type zeroes payload, record id and database. A failed allocation leaves the payload empty.
    void Construct(std::int32_t type, std::uint16_t dim1, std::uint16_t dim2, const ReportHost& host);
    // Frees what the value holds, then sets the new type with an empty payload; record id and database stay.
    void Reset(std::int32_t type);
    void Clear() { Reset(ReportEmpty); }

    // Setters: each acts only on a value of its type.
    void SetBoolean(std::int32_t value);
    void SetInteger(std::int32_t value);
    void SetReal(double value);
    void SetLong(std::int64_t value);
    void SetString(const char* text);
    void SetStringN(const char* bytes, std::size_t n);
    void AppendString(const char* text);
    // Any record type: frees a loaded record and keeps id and database for a read on next use.
    void SetRecord(std::uint32_t id, Database* database);
    void SetDatabase(Database* database);
    void SetDate(const DateValue& date);
    void SetCalendar(const CalendarDate& date);
    void SetChart();
    void SetTimeline(const Timeline& timeline);

    // Payload by type; meaningful only for a value of that type.
    std::int32_t Boolean() const { return payload_.number32; }
    std::int32_t Integer() const { return payload_.number32; }
    std::int64_t Long() const { return payload_.number64; }
    double Real() const { return payload_.real; }
    // The text of a STRING value; null when it holds none.
    const char* Text() const { return type_ == ReportString ? payload_.text : nullptr; }
    // The text, or "" when there is none.
    const char* TextOrEmpty() const;

    // The record objects, read and loaded on first use; null when id or database is missing or the
    // record cannot be read. A PERSON is loaded through the event-type cache when one is given.
    RepositoryRecord* GetRepository();
    SourceRecord* GetSource();
    PersonRecord* GetPerson(const EventTypeCache* cache);
    ObjectiveRecord* GetObjective();
    TaskRecord* GetTask();
    AssertionLink* GetDetail();
    RepositoryRef* GetRepRef();
    ExcerptRecord* GetExcerpt();
    AttributeAssertion* GetAttribute();
    EventAssertion* GetEvent();
    MediaRecord* GetMediaObject();
    PlaceRecord* GetPlace();
    // Loads the record of any record type; whether it is there.
    bool LoadRecord(const EventTypeCache* cache);
    // Whether a record object is held (without reading one).
    bool RecordLoaded() const { return IsReportRecordType(type_) && payload_.object != nullptr; }

    // DATE and PERIOD create their empty block on first use; null only when it cannot be allocated.
    DateValue* GetDate();
    ReportPeriodBlock* GetPeriod();

    // The report objects a value owns; null when the value is of another type or holds none.
    ReportTable* Table() const;
    ReportStack* Stack() const;
    ReportSortList* SortList() const;
    ReportMap* Map() const;
    ReportMapString* MapString() const;
    ReportParagraph* Paragraph() const;
    ReportTextBox* TextBox() const;
    ReportSector* Sector() const;
    ReportPicture* Picture() const;
    ReportSystem* System() const;
    CalendarDate* Calendar() const;
    Chart* ChartObject() const;
    Timeline* TimelineObject() const;

    // Converts in place; false, with the value unchanged, when the pair is not convertible.
    bool ConvertTo(std::int32_t type);

    // Makes this value a copy of `other` as the evaluator hands results over: numbers and texts by value,
    // record values as id and database, DATE, CALENDAR and TIMELINE as copies. Other types are not copied
    // (false, this value unchanged).
    bool CopyFrom(const ReportValue& other);

private:
    template <class Record> Record* Held() const { return static_cast<Record*>(payload_.object); }
    // The number a record converts to: its id when it can be read, else 0. Frees a loaded object.
    std::uint32_t RecordNumber();
    void FreePayload();

    std::int32_t type_ = ReportEmpty;
    union {
        std::int32_t number32;
        std::int64_t number64;
        double real;
        char* text;
        void* object;
    } payload_{};
    std::uint32_t recordId_ = 0;
    Database* database_ = nullptr;
};

// The type code of a type name: the leading letters of `name` as one of the 40 type words; 0 when none.
std::int32_t GetReportTypeCode(const char* name);

// A REAL as the report language writes it: the "%f" form (six decimals, exact rounding of the binary
// value, ties to even), cut to 47 characters. The same text in every build, whatever the C runtime.
std::string FormatReportReal(double value);

// A REAL truncated toward zero as a 64-bit number; beyond the 64-bit range the low 64 bits of the whole
// number, infinities and NaN 0: never a conversion that the processor traps or the language leaves undefined.
std::int64_t TruncateReal(double real);

// The leading decimal integer of a text (blanks and a sign first; 0 when there is none), wrapping modulo
// 2 to the 64th.
std::int64_t LeadingInteger(const char* text);
// The leading decimal floating-point number of a text (0.0 when there is none).
double LeadingReal(const char* text);
