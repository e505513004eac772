#include "report/language/report_value.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "core/assertion_link.h"
#include "core/calendar_date.h"
#include "core/place_record.h"
#include "persons/attribute_assertion.h"
#include "persons/event_assertion.h"
#include "persons/person_record.h"
#include "records/excerpt_record.h"
#include "records/media_record.h"
#include "records/objective_record.h"
#include "records/repository_record.h"
#include "records/source_record.h"
#include "records/task_record.h"
#include "records/timeline.h"
#include "report/language/collections.h"
#include "report/language/report_objects.h"

bool IsReportRecordType(std::int32_t type)
{
    return (type >= ReportRepository && type <= ReportObject) || type == ReportPlace;
}

namespace {

char* CopyText(const char* bytes, std::size_t n)
{
    char* copy = new (std::nothrow) char[n + 1];
    if (copy != nullptr) {
        if (n != 0)
            std::memcpy(copy, bytes, n);
        copy[n] = '\0';
    }
    return copy;
}

// The empty date of a value: no modifier, calendar, time, day, month or year.
DateValue EmptyReportDate()
{
    DateValue date{};
    date.modifier = 0xFF;
    date.calendar = 0xFF;
    date.minute = 0xFF;
    date.hour = 0xFF;
    date.alternateYear = DateFieldNone;
    return date;
}

} // namespace

std::int64_t TruncateReal(double real)
{
    double t = std::trunc(real);
    if (std::isnan(t))
        return 0;
    if (t >= -9223372036854775808.0 && t < 9223372036854775808.0)
        return static_cast<std::int64_t>(t);
    if (std::isinf(t))
        return 0;
    double low = std::fmod(t, 18446744073709551616.0);
    if (low < 0)
        low += 18446744073709551616.0;
    if (low >= 18446744073709551616.0)
        low = 0;
    return static_cast<std::int64_t>(static_cast<std::uint64_t>(low));
}

namespace {

template <class T> void DeleteAs(void* object)
{
    delete static_cast<T*>(object);
}

} // namespace

void ReportValue::Init(std::int32_t type)
{
    type_ = static_cast<std::int8_t>(type);
    payload_.number64 = 0;
    recordId_ = 0;
    database_ = nullptr;
}

void ReportValue::Construct(std::int32_t type, std::uint16_t dim1, std::uint16_t dim2, const ReportHost& host)
{
    Clear(); // what a reused value held is freed, not lost
    Init(type);
    void* object = nullptr;
    switch (type_) {
    case ReportTableType: {
        auto* table = new (std::nothrow) ReportTable(dim1, dim2);
        if (table != nullptr && !table->Valid()) {
            delete table;
            table = nullptr;
        }
        object = table;
        break;
    }
    case ReportParagraphType:
        object = new (std::nothrow) ReportParagraph;
        break;
    case ReportStackType:
        object = new (std::nothrow) ReportStack;
        break;
    case ReportSortListType:
        object = new (std::nothrow) ReportSortList(host);
        break;
    case ReportMapType:
        object = new (std::nothrow) ReportMap;
        break;
    case ReportMapStringType:
        object = new (std::nothrow) ReportMapString;
        break;
    case ReportTextBoxType:
        object = new (std::nothrow) ReportTextBox(host);
        break;
    case ReportSectorType:
        object = new (std::nothrow) ReportSector(host);
        break;
    case ReportPictureType:
        object = new (std::nothrow) ReportPicture;
        break;
    case ReportSystemType:
        object = new (std::nothrow) ReportSystem(host);
        break;
    case ReportCalendar:
        object = new (std::nothrow) CalendarDate;
        break;
    case ReportChart:
        object = new (std::nothrow) Chart;
        break;
    case ReportTimeline:
        object = new (std::nothrow) Timeline;
        break;
    default:
        break;
    }
    payload_.object = object;
}

void ReportValue::FreePayload()
{
    void* object = payload_.object;
    if (object == nullptr)
        return;
    switch (type_) {
    case ReportString:
        delete[] payload_.text;
        break;
    case ReportRepository:
        DeleteAs<RepositoryRecord>(object);
        break;
    case ReportSource:
        DeleteAs<SourceRecord>(object);
        break;
    case ReportPerson:
        DeleteAs<PersonRecord>(object);
        break;
    case ReportObjective:
        DeleteAs<ObjectiveRecord>(object);
        break;
    case ReportTask:
        DeleteAs<TaskRecord>(object);
        break;
    case ReportDetail:
        DeleteAs<AssertionLink>(object);
        break;
    case ReportRepRef:
        DeleteAs<RepositoryRef>(object);
        break;
    case ReportExcerpt:
        DeleteAs<ExcerptRecord>(object);
        break;
    case ReportAttribute:
        DeleteAs<AttributeAssertion>(object);
        break;
    case ReportEvent:
        DeleteAs<EventAssertion>(object);
        break;
    case ReportObject:
        DeleteAs<MediaRecord>(object);
        break;
    case ReportPlace:
        DeleteAs<PlaceRecord>(object);
        break;
    case ReportDate:
        DeleteAs<DateValue>(object);
        break;
    case ReportPeriod:
        DeleteAs<ReportPeriodBlock>(object);
        break;
    case ReportTableType:
        DeleteAs<ReportTable>(object);
        break;
    case ReportStackType:
        DeleteAs<ReportStack>(object);
        break;
    case ReportSortListType:
        DeleteAs<ReportSortList>(object);
        break;
    case ReportMapType:
        DeleteAs<ReportMap>(object);
        break;
    case ReportMapStringType:
        DeleteAs<ReportMapString>(object);
        break;
    case ReportPictureType:
        DeleteAs<ReportPicture>(object);
        break;
    case ReportTextBoxType:
        DeleteAs<ReportTextBox>(object);
        break;
    case ReportSectorType:
        DeleteAs<ReportSector>(object);
        break;
    case ReportParagraphType:
        DeleteAs<ReportParagraph>(object);
        break;
    case ReportSystemType:
        DeleteAs<ReportSystem>(object);
        break;
    case ReportCalendar:
        DeleteAs<CalendarDate>(object);
        break;
    case ReportChart:
        DeleteAs<Chart>(object);
        break;
    case ReportTimeline:
        DeleteAs<Timeline>(object);
        break;
    default:
        break; // numbers, DATABASE, SETTINGS and the chain-only types hold no object
    }
}

void ReportValue::Reset(std::int32_t type)
{
    switch (type_) {
    case ReportEmpty:
    case ReportBoolean:
    case ReportInteger:
    case ReportReal:
    case ReportLong:
    case ReportDatabase:
    case ReportSettingsType:
        break;
    default:
        FreePayload();
        break;
    }
    type_ = static_cast<std::int8_t>(type);
    payload_.number64 = 0;
}

void ReportValue::SetBoolean(std::int32_t value)
{
    if (type_ == ReportBoolean)
        payload_.number32 = value;
}

void ReportValue::SetInteger(std::int32_t value)
{
    if (type_ == ReportInteger)
        payload_.number32 = value;
}

void ReportValue::SetReal(double value)
{
    if (type_ == ReportReal)
        payload_.real = value;
}

void ReportValue::SetLong(std::int64_t value)
{
    if (type_ == ReportLong)
        payload_.number64 = value;
}

void ReportValue::SetString(const char* text)
{
    if (text == nullptr)
        text = "";
    SetStringN(text, std::strlen(text));
}

void ReportValue::SetStringN(const char* bytes, std::size_t n)
{
    if (type_ != ReportString)
        return;
    char* copy = CopyText(bytes, n);
    delete[] payload_.text;
    payload_.text = copy;
}

void ReportValue::AppendString(const char* text)
{
    if (type_ != ReportString || text == nullptr)
        return;
    std::size_t old = payload_.text != nullptr ? std::strlen(payload_.text) : 0;
    std::size_t add = std::strlen(text);
    char* joined = new (std::nothrow) char[old + add + 1];
    if (joined == nullptr)
        return;
    if (old != 0)
        std::memcpy(joined, payload_.text, old);
    std::memcpy(joined + old, text, add + 1);
    delete[] payload_.text;
    payload_.text = joined;
}

const char* ReportValue::TextOrEmpty() const
{
    const char* text = Text();
    return text != nullptr ? text : "";
}

void ReportValue::SetRecord(std::uint32_t id, Database* database)
{
    if (!IsReportRecordType(type_))
        return;
    FreePayload();
    payload_.object = nullptr;
    recordId_ = id;
    database_ = database;
}

void ReportValue::SetDatabase(Database* database)
{
    if (type_ == ReportDatabase)
        database_ = database;
}

void ReportValue::SetDate(const DateValue& date)
{
    if (DateValue* held = type_ == ReportDate ? GetDate() : nullptr)
        *held = date;
}

void ReportValue::SetCalendar(const CalendarDate& date)
{
    if (type_ != ReportCalendar)
        return;
    auto* calendar = new (std::nothrow) CalendarDate(date.Calendar(), date.DayNumber());
    if (calendar == nullptr)
        return;
    FreePayload();
    payload_.object = calendar;
}

void ReportValue::SetChart()
{
    if (type_ != ReportChart)
        return;
    auto* chart = new (std::nothrow) Chart;
    if (chart == nullptr)
        return;
    FreePayload();
    payload_.object = chart;
}

void ReportValue::SetTimeline(const Timeline& timeline)
{
    if (type_ != ReportTimeline)
        return;
    auto* copy = new (std::nothrow) Timeline(timeline);
    if (copy == nullptr)
        return;
    FreePayload();
    payload_.object = copy;
}

// Record objects

namespace {

template <class Record> Record* ReadRecord(std::uint32_t id, Database& database)
{
    auto* record = new (std::nothrow) Record(static_cast<std::int32_t>(id), database);
    if (record != nullptr && record->Id() == 0) {
        delete record;
        record = nullptr;
    }
    return record;
}

template <class Record, class Load> Record* ReadAndLoad(std::uint32_t id, Database& database, Load load)
{
    Record* record = ReadRecord<Record>(id, database);
    if (record != nullptr)
        load(*record);
    return record;
}

MediaRecord* ReadMedia(std::uint32_t id, Database& database, bool withData)
{
    auto* media = new (std::nothrow) MediaRecord(database);
    if (media == nullptr)
        return nullptr;
    if (withData)
        media->Load(static_cast<std::int32_t>(id));
    else
        media->Read(static_cast<std::int32_t>(id));
    if (media->Id() == 0) {
        delete media;
        return nullptr;
    }
    return media;
}

// For records that keep the id they were asked for even when their row cannot be read (places, assertion
// links): only the engine's answer tells whether the row is there.
template <class Record> Record* ReadCheckingAnswer(std::uint32_t id, Database& database)
{
    auto* record = new (std::nothrow) Record(database);
    if (record == nullptr)
        return nullptr;
    if (record->Read(static_cast<std::int32_t>(id)) != 0 || record->Id() == 0) {
        delete record;
        return nullptr;
    }
    return record;
}

AssertionLink* ReadDetail(std::uint32_t id, Database& database)
{
    AssertionLink* link = ReadCheckingAnswer<AssertionLink>(id, database);
    if (link != nullptr)
        link->LoadLinked();
    return link;
}

} // namespace

bool ReportValue::LoadRecord(const EventTypeCache* cache)
{
    if (!IsReportRecordType(type_))
        return false;
    if (payload_.object != nullptr)
        return true;
    if (recordId_ == 0 || database_ == nullptr)
        return false;
    Database& db = *database_;
    void* object = nullptr;
    switch (type_) {
    case ReportRepository:
        object = ReadAndLoad<RepositoryRecord>(recordId_, db, [](auto& r) { r.LoadLinked(); });
        break;
    case ReportSource:
        object = ReadAndLoad<SourceRecord>(recordId_, db, [](auto& r) {
            r.LoadLinked();
            r.LoadSubordinates();
        });
        break;
    case ReportPerson:
        object = ReadAndLoad<PersonRecord>(recordId_, db, [&](auto& r) { r.LoadAll(cache); });
        break;
    case ReportObjective:
        object = ReadAndLoad<ObjectiveRecord>(recordId_, db, [](auto& r) { r.LoadLinked(); });
        break;
    case ReportTask:
        object = ReadAndLoad<TaskRecord>(recordId_, db, [](auto& r) { r.LoadLinked(); });
        break;
    case ReportDetail:
        object = ReadDetail(recordId_, db);
        break;
    case ReportRepRef:
        object = ReadAndLoad<RepositoryRef>(recordId_, db, [](auto& r) { r.LoadNote(); });
        break;
    case ReportExcerpt:
        object = ReadAndLoad<ExcerptRecord>(recordId_, db, [](auto& r) { r.LoadDetails(); });
        break;
    case ReportAttribute:
        object = ReadAndLoad<AttributeAssertion>(recordId_, db, [](auto& r) { r.LoadLinked(); });
        break;
    case ReportEvent:
        object = ReadAndLoad<EventAssertion>(recordId_, db, [](auto& r) { r.LoadLinked(); });
        break;
    case ReportObject:
        object = ReadMedia(recordId_, db, true);
        break;
    case ReportPlace:
        object = ReadCheckingAnswer<PlaceRecord>(recordId_, db);
        break;
    default:
        break;
    }
    payload_.object = object;
    return object != nullptr;
}

#define VESTRADA_RECORD_GETTER(Name, Type, Code)                                                                       \
    Type* ReportValue::Name()                                                                                          \
    {                                                                                                                  \
        return type_ == (Code) && LoadRecord(nullptr) ? Held<Type>() : nullptr;                                        \
    }
VESTRADA_RECORD_GETTER(GetRepository, RepositoryRecord, ReportRepository)
VESTRADA_RECORD_GETTER(GetSource, SourceRecord, ReportSource)
VESTRADA_RECORD_GETTER(GetObjective, ObjectiveRecord, ReportObjective)
VESTRADA_RECORD_GETTER(GetTask, TaskRecord, ReportTask)
VESTRADA_RECORD_GETTER(GetDetail, AssertionLink, ReportDetail)
VESTRADA_RECORD_GETTER(GetRepRef, RepositoryRef, ReportRepRef)
VESTRADA_RECORD_GETTER(GetExcerpt, ExcerptRecord, ReportExcerpt)
VESTRADA_RECORD_GETTER(GetAttribute, AttributeAssertion, ReportAttribute)
VESTRADA_RECORD_GETTER(GetEvent, EventAssertion, ReportEvent)
VESTRADA_RECORD_GETTER(GetMediaObject, MediaRecord, ReportObject)
VESTRADA_RECORD_GETTER(GetPlace, PlaceRecord, ReportPlace)
#undef VESTRADA_RECORD_GETTER

PersonRecord* ReportValue::GetPerson(const EventTypeCache* cache)
{
    return type_ == ReportPerson && LoadRecord(cache) ? Held<PersonRecord>() : nullptr;
}

DateValue* ReportValue::GetDate()
{
    if (type_ != ReportDate)
        return nullptr;
    if (payload_.object == nullptr)
        payload_.object = new (std::nothrow) DateValue(EmptyReportDate());
    return Held<DateValue>();
}

ReportPeriodBlock* ReportValue::GetPeriod()
{
    if (type_ != ReportPeriod)
        return nullptr;
    if (payload_.object == nullptr) {
        auto* period = new (std::nothrow) ReportPeriodBlock{};
        if (period != nullptr) {
            period->range.type = DateRangeSingle;
            period->range.dates.first = EmptyReportDate();
            period->range.dates.second = EmptyReportDate();
        }
        payload_.object = period;
    }
    return Held<ReportPeriodBlock>();
}

#define VESTRADA_OBJECT_GETTER(Name, Type, Code)                                                                       \
    Type* ReportValue::Name() const                                                                                    \
    {                                                                                                                  \
        return type_ == (Code) ? Held<Type>() : nullptr;                                                               \
    }
VESTRADA_OBJECT_GETTER(Table, ReportTable, ReportTableType)
VESTRADA_OBJECT_GETTER(Stack, ReportStack, ReportStackType)
VESTRADA_OBJECT_GETTER(SortList, ReportSortList, ReportSortListType)
VESTRADA_OBJECT_GETTER(Map, ReportMap, ReportMapType)
VESTRADA_OBJECT_GETTER(MapString, ReportMapString, ReportMapStringType)
VESTRADA_OBJECT_GETTER(Paragraph, ReportParagraph, ReportParagraphType)
VESTRADA_OBJECT_GETTER(TextBox, ReportTextBox, ReportTextBoxType)
VESTRADA_OBJECT_GETTER(Sector, ReportSector, ReportSectorType)
VESTRADA_OBJECT_GETTER(Picture, ReportPicture, ReportPictureType)
VESTRADA_OBJECT_GETTER(System, ReportSystem, ReportSystemType)
VESTRADA_OBJECT_GETTER(Calendar, CalendarDate, ReportCalendar)
VESTRADA_OBJECT_GETTER(ChartObject, Chart, ReportChart)
VESTRADA_OBJECT_GETTER(TimelineObject, Timeline, ReportTimeline)
#undef VESTRADA_OBJECT_GETTER

// Conversion

std::uint32_t ReportValue::RecordNumber()
{
    bool exists = payload_.object != nullptr;
    if (!exists && recordId_ != 0 && database_ != nullptr) {
        Database& db = *database_;
        void* object = nullptr;
        switch (type_) {
        case ReportRepository:
            object = ReadRecord<RepositoryRecord>(recordId_, db);
            break;
        case ReportSource:
            object = ReadRecord<SourceRecord>(recordId_, db);
            break;
        case ReportPerson:
            object = ReadRecord<PersonRecord>(recordId_, db);
            break;
        case ReportObjective:
            object = ReadRecord<ObjectiveRecord>(recordId_, db);
            break;
        case ReportTask:
            object = ReadRecord<TaskRecord>(recordId_, db);
            break;
        case ReportDetail:
            object = ReadRecord<AssertionLink>(recordId_, db);
            break;
        case ReportRepRef:
            object = ReadRecord<RepositoryRef>(recordId_, db);
            break;
        case ReportExcerpt:
            object = ReadRecord<ExcerptRecord>(recordId_, db);
            break;
        case ReportAttribute:
            object = ReadRecord<AttributeAssertion>(recordId_, db);
            break;
        case ReportEvent:
            object = ReadRecord<EventAssertion>(recordId_, db);
            break;
        case ReportObject:
            object = ReadMedia(recordId_, db, false);
            break;
        default:
            break;
        }
        payload_.object = object;
        exists = object != nullptr;
    }
    FreePayload();
    payload_.object = nullptr;
    return exists ? recordId_ : 0;
}

bool ReportValue::ConvertTo(std::int32_t type)
{
    if (type == type_)
        return true;
    if (type != ReportBoolean && type != ReportInteger && type != ReportLong && type != ReportReal &&
        type != ReportString)
        return false;

    // What the value stands for as a number, and whether the pair converts at all.
    std::int64_t whole = 0;
    double real = 0.0;
    bool truth = false;
    bool isReal = false;
    std::string text;
    bool isText = false;

    switch (type_) {
    case ReportBoolean:
        whole = payload_.number32 != 0 ? 1 : 0;
        truth = payload_.number32 != 0;
        if (type == ReportString) {
            text = std::to_string(payload_.number32);
            isText = true;
        }
        break;
    case ReportInteger:
        whole = payload_.number32;
        truth = whole != 0;
        break;
    case ReportLong:
        whole = payload_.number64;
        truth = whole != 0;
        break;
    case ReportReal:
        real = payload_.real;
        isReal = true;
        truth = real != 0.0;
        if (type == ReportInteger || type == ReportLong) {
            // Truncated toward zero; out of range (and NaN) wraps through the 64-bit pattern, never a
            // conversion the processor traps.
            whole = TruncateReal(real);
        }
        break;
    case ReportString: {
        const char* s = TextOrEmpty();
        whole = LeadingInteger(s);
        truth = whole != 0;
        if (type == ReportReal) {
            real = LeadingReal(s);
            isReal = true;
        }
        if (type == ReportBoolean)
            whole = truth ? 1 : 0;
        break;
    }
    case ReportRepository:
    case ReportSource:
    case ReportPerson:
    case ReportObjective:
    case ReportTask:
    case ReportDetail:
    case ReportRepRef:
    case ReportExcerpt:
    case ReportAttribute:
    case ReportEvent:
    case ReportObject:
        if (type == ReportReal || type == ReportString)
            return false;
        whole = RecordNumber();
        truth = whole != 0;
        break;
    case ReportDate:
    case ReportPeriod: {
        if (type == ReportLong || type == ReportString)
            return false;
        int year = 0;
        if (payload_.object != nullptr)
            year =
                type_ == ReportDate ? Held<DateValue>()->Year() : Held<ReportPeriodBlock>()->range.dates.first.Year();
        whole = year;
        truth = year != 0;
        break;
    }
    case ReportCalendar: {
        if (type != ReportBoolean && type != ReportInteger)
            return false;
        const CalendarDate* date = Held<CalendarDate>();
        whole = date != nullptr ? date->DayNumber() : 0;
        truth = date != nullptr && date->Day() != 0 && date->Month() != 0 && date->Year() != 0;
        break;
    }
    case ReportTimeline: {
        if (type == ReportLong || type == ReportString)
            return false;
        const Timeline* timeline = Held<Timeline>();
        whole = timeline != nullptr ? static_cast<std::int64_t>(timeline->Events().size()) : 0;
        truth = whole != 0;
        break;
    }
    default:
        return false;
    }

    if (type == ReportString && !isText) {
        if (isReal)
            text = FormatReportReal(real);
        else
            text = std::to_string(whole);
    }
    FreePayload();
    type_ = type;
    payload_.number64 = 0;
    switch (type) {
    case ReportBoolean:
        payload_.number32 = truth ? 1 : 0;
        break;
    case ReportInteger:
        payload_.number32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole)));
        break;
    case ReportLong:
        payload_.number64 = whole;
        break;
    case ReportReal:
        payload_.real = isReal ? real : static_cast<double>(whole);
        break;
    case ReportString:
        payload_.text = CopyText(text.data(), text.size());
        break;
    default:
        break;
    }
    return true;
}

bool ReportValue::CopyFrom(const ReportValue& other)
{
    if (&other == this)
        return true;
    switch (other.type_) {
    case ReportBoolean:
    case ReportInteger:
    case ReportLong:
    case ReportReal:
        Reset(other.type_);
        payload_.number64 = other.payload_.number64;
        return true;
    case ReportString:
        Reset(ReportString);
        SetString(other.Text());
        return true;
    case ReportDate: {
        Reset(ReportDate);
        const DateValue* date = other.Held<DateValue>();
        SetDate(date != nullptr ? *date : EmptyReportDate());
        return true;
    }
    case ReportCalendar:
        Reset(ReportCalendar);
        if (const CalendarDate* date = other.Held<CalendarDate>())
            SetCalendar(*date);
        return true;
    case ReportTimeline:
        Reset(ReportTimeline);
        if (const Timeline* timeline = other.Held<Timeline>())
            SetTimeline(*timeline);
        return true;
    default:
        if (IsReportRecordType(other.type_)) {
            Reset(other.type_);
            recordId_ = other.recordId_;
            database_ = other.database_;
            return true;
        }
        return false;
    }
}

std::int32_t GetReportTypeCode(const char* name)
{
    static const struct {
        const char* word;
        std::int32_t code;
    } words[] = {
        {"MAP", 53},       {"LONG", 5},        {"REAL", 4},         {"DATE", 32},         {"NAME", 29},
        {"TASK", 15},      {"ALIAS", 23},      {"EVENT", 20},       {"PLACE", 30},        {"STACK", 51},
        {"TABLE", 50},     {"CHART", 59},      {"STRING", 3},       {"DETAIL", 16},       {"FAMILY", 27},
        {"OBJECT", 21},    {"PERIOD", 25},     {"PERSON", 13},      {"REPREF", 17},       {"SOURCE", 12},
        {"SYSTEM", 80},    {"INTEGER", 2},     {"BOOLEAN", 1},      {"ADDRESS", 22},      {"EXCERPT", 18},
        {"PICTURE", 55},   {"TEXTBOX", 54},    {"DATABASE", 10},    {"SETTINGS", 81},     {"SORTLIST", 52},
        {"CALENDAR", 57},  {"TIMELINE", 60},   {"ATTRIBUTE", 19},   {"EVENTTYPE", 26},    {"OBJECTIVE", 14},
        {"MAPSTRING", 56}, {"REPOSITORY", 11}, {"INFORMATION", 28}, {"RELATIONSHIP", 31}, {"ATTRIBUTETYPE", 24},
    };
    if (name == nullptr)
        return 0;
    std::size_t length = 0;
    while ((name[length] >= 'A' && name[length] <= 'Z') || (name[length] >= 'a' && name[length] <= 'z'))
        ++length;
    for (const auto& entry : words)
        if (std::strlen(entry.word) == length && std::memcmp(entry.word, name, length) == 0)
            return entry.code;
    return 0;
}

// Numbers and texts

namespace {

// A non-negative whole number of any size, in 32-bit limbs, lowest first.
class BigNumber {
public:
    explicit BigNumber(std::uint64_t value)
    {
        while (value != 0) {
            limbs_.push_back(static_cast<std::uint32_t>(value));
            value >>= 32;
        }
    }
    bool IsZero() const { return limbs_.empty(); }
    void Multiply(std::uint32_t factor)
    {
        std::uint64_t carry = 0;
        for (auto& limb : limbs_) {
            std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
            limb = static_cast<std::uint32_t>(product);
            carry = product >> 32;
        }
        if (carry != 0)
            limbs_.push_back(static_cast<std::uint32_t>(carry));
    }
    void AddOne()
    {
        for (auto& limb : limbs_)
            if (++limb != 0)
                return;
        limbs_.push_back(1);
    }
    void ShiftLeft(unsigned bits)
    {
        for (; bits >= 32; bits -= 32)
            limbs_.insert(limbs_.begin(), 0);
        if (bits == 0 || limbs_.empty())
            return;
        std::uint32_t carry = 0;
        for (auto& limb : limbs_) {
            std::uint32_t next = limb >> (32 - bits);
            limb = (limb << bits) | carry;
            carry = next;
        }
        if (carry != 0)
            limbs_.push_back(carry);
    }
    bool Bit(unsigned index) const
    {
        std::size_t limb = index / 32;
        return limb < limbs_.size() && ((limbs_[limb] >> (index % 32)) & 1) != 0;
    }
    // Whether any bit below `index` is set.
    bool AnyBelow(unsigned index) const
    {
        for (unsigned i = 0; i < index; ++i)
            if (Bit(i))
                return true;
        return false;
    }
    void ShiftRight(unsigned bits)
    {
        std::size_t drop = bits / 32;
        if (drop >= limbs_.size()) {
            limbs_.clear();
            return;
        }
        limbs_.erase(limbs_.begin(), limbs_.begin() + static_cast<std::ptrdiff_t>(drop));
        bits %= 32;
        if (bits != 0) {
            for (std::size_t i = 0; i < limbs_.size(); ++i) {
                std::uint32_t high = i + 1 < limbs_.size() ? limbs_[i + 1] << (32 - bits) : 0;
                limbs_[i] = (limbs_[i] >> bits) | high;
            }
        }
        Trim();
    }
    // Divides by `divisor`, answering the remainder.
    std::uint32_t Divide(std::uint32_t divisor)
    {
        std::uint64_t remainder = 0;
        for (std::size_t i = limbs_.size(); i-- > 0;) {
            std::uint64_t part = (remainder << 32) | limbs_[i];
            limbs_[i] = static_cast<std::uint32_t>(part / divisor);
            remainder = part % divisor;
        }
        Trim();
        return static_cast<std::uint32_t>(remainder);
    }
    std::string Decimal() const
    {
        BigNumber n = *this;
        std::string digits;
        while (!n.IsZero()) {
            std::uint32_t chunk = n.Divide(1000000000);
            for (int i = 0; i < 9; ++i) {
                digits.push_back(static_cast<char>('0' + chunk % 10));
                chunk /= 10;
            }
        }
        while (digits.size() > 1 && digits.back() == '0')
            digits.pop_back();
        if (digits.empty())
            digits = "0";
        return std::string(digits.rbegin(), digits.rend());
    }

private:
    void Trim()
    {
        while (!limbs_.empty() && limbs_.back() == 0)
            limbs_.pop_back();
    }
    std::vector<std::uint32_t> limbs_;
};

} // namespace

std::string FormatReportReal(double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    bool negative = (bits >> 63) != 0;
    int exponentField = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
    std::string text = negative ? "-" : "";
    if (exponentField == 0x7FF) {
        text += fraction != 0 ? "nan" : "inf";
        return text;
    }
    // value = mantissa * 2^exponent exactly
    std::uint64_t mantissa = exponentField == 0 ? fraction : fraction | (std::uint64_t{1} << 52);
    int exponent = (exponentField == 0 ? 1 : exponentField) - 1075;

    // The value in millionths, rounded to the nearest, ties to even.
    BigNumber millionths(mantissa);
    millionths.Multiply(1000000);
    if (exponent >= 0) {
        millionths.ShiftLeft(static_cast<unsigned>(exponent));
    } else {
        unsigned shift = static_cast<unsigned>(-exponent);
        bool half = millionths.Bit(shift - 1);
        bool beyondHalf = millionths.AnyBelow(shift - 1);
        millionths.ShiftRight(shift);
        if (half && (beyondHalf || millionths.Bit(0)))
            millionths.AddOne();
    }
    std::string digits = millionths.Decimal();
    if (digits.size() < 7)
        digits.insert(0, 7 - digits.size(), '0');
    text += digits.substr(0, digits.size() - 6);
    text += '.';
    text += digits.substr(digits.size() - 6);
    if (text.size() > 47)
        text.resize(47);
    return text;
}

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::int64_t LeadingInteger(const char* text)
{
    if (text == nullptr)
        return 0;
    while (IsSpace(*text))
        ++text;
    bool negative = false;
    if (*text == '+' || *text == '-')
        negative = *text++ == '-';
    std::uint64_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10 + static_cast<std::uint64_t>(*text - '0');
    return static_cast<std::int64_t>(negative ? 0 - value : value);
}

double LeadingReal(const char* text)
{
    if (text == nullptr)
        return 0.0;
    // Only the decimal form is read (no hexadecimal numbers, infinities or NaNs), so cut the text to it.
    const char* p = text;
    while (IsSpace(*p))
        ++p;
    std::string number;
    if (*p == '+' || *p == '-')
        number.push_back(*p++);
    bool digits = false;
    for (; *p >= '0' && *p <= '9'; ++p, digits = true)
        number.push_back(*p);
    if (*p == '.') {
        number.push_back(*p++);
        for (; *p >= '0' && *p <= '9'; ++p, digits = true)
            number.push_back(*p);
    }
    if (!digits)
        return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-')
            ++q;
        if (*q >= '0' && *q <= '9') {
            number.append(p, q);
            for (; *q >= '0' && *q <= '9'; ++q)
                number.push_back(*q);
        }
    }
    return std::strtod(number.c_str(), nullptr);
}
