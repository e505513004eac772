// The reader over one script line that evaluates expressions: it reads operands and infix operators into a
// flat list and folds the list by precedence into one value. The type a target holds on entry is the wanted
// type, which shapes the evaluation itself: literals, parenthesised parts and mixed operands are brought to
// it, and the result is converted to it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/event_type_cache.h"
#include "report/language/report_value.h"

class AddressRecord;
class AssertionLink;
class AttributeAssertion;
class CalendarDate;
class Chart;
class CitedAssertion;
class Database;
class EventAssertion;
class EventType;
class ExcerptRecord;
class ExcerptRef;
class FamilyGroup;
class InfoAssertion;
class MediaRecord;
class NameAssertion;
class NameRecord;
class ObjectiveRecord;
class PersonRecord;
class PlaceRecord;
class Relationship;
class ReportMap;
class ReportMapString;
class ReportParagraph;
class ReportPicture;
class ReportRunContext;
class ReportSortList;
class ReportStack;
class ReportSystem;
class RepositoryRecord;
class RepositoryRef;
class SourceRecord;
class TaskRecord;
class Timeline;
struct DateRange;
struct DateValue;
template <typename T> class RecordList;

// Infix operators; the pass of the fold in which each applies is fixed by its code.
enum OperatorCode : std::uint8_t {
    OperatorNone = 0,
    OperatorAdd = 1,
    OperatorSubtract = 2,
    OperatorMultiply = 3,
    OperatorDivide = 4,
    OperatorEqual = 5,
    OperatorNotEqual = 6,
    OperatorAnd = 7,
    OperatorOr = 8,
    OperatorXor = 9,
    OperatorBitAnd = 10,
    OperatorBitOr = 11,
    OperatorBitXor = 12,
    OperatorGreater = 13,
    OperatorGreaterEqual = 14,
    OperatorLess = 15,
    OperatorLessEqual = 16,
    OperatorPower = 17,
};

// Error numbers of expressions.
inline constexpr std::int32_t ReportErrorSyntax = 1;
inline constexpr std::int32_t ReportErrorOperandType = 3;
inline constexpr std::int32_t ReportErrorConversion = 7;
inline constexpr std::int32_t ReportErrorComparison = 10;
inline constexpr std::int32_t ReportErrorOpenString = 12;
inline constexpr std::int32_t ReportErrorRange = 16;
inline constexpr std::int32_t ReportErrorSystemMissing = 28;

// Error numbers of the object model: a missing or unreadable object of each type.
inline constexpr std::int32_t ReportErrorTimelineMissing = 14;
inline constexpr std::int32_t ReportErrorChartMissing = 15;
inline constexpr std::int32_t ReportErrorPictureMissing = 21;
inline constexpr std::int32_t ReportErrorParagraphMissing = 25;
inline constexpr std::int32_t ReportErrorCalendarMissing = 26;
inline constexpr std::int32_t ReportErrorMapStringMissing = 27;
inline constexpr std::int32_t ReportErrorMapMissing = 29;
inline constexpr std::int32_t ReportErrorSortListMissing = 31;
inline constexpr std::int32_t ReportErrorDatabaseMissing = 100;
inline constexpr std::int32_t ReportErrorRepositoryMissing = 101;
inline constexpr std::int32_t ReportErrorRepRefMissing = 102;
inline constexpr std::int32_t ReportErrorSourceMissing = 103;
inline constexpr std::int32_t ReportErrorExcerptMissing = 104;
inline constexpr std::int32_t ReportErrorPersonMissing = 105;
inline constexpr std::int32_t ReportErrorObjectiveMissing = 107;
inline constexpr std::int32_t ReportErrorPlaceMissing = 110;
inline constexpr std::int32_t ReportErrorAddressMissing = 111;
inline constexpr std::int32_t ReportErrorPeriodMissing = 112;
inline constexpr std::int32_t ReportErrorNameMissing = 114;
inline constexpr std::int32_t ReportErrorStackMissing = 115;
inline constexpr std::int32_t ReportErrorDetailMissing = 116;
inline constexpr std::int32_t ReportErrorEventMissing = 117;
inline constexpr std::int32_t ReportErrorAttributeMissing = 118;
inline constexpr std::int32_t ReportErrorRelationshipMissing = 119;
inline constexpr std::int32_t ReportErrorInformationMissing = 120;
inline constexpr std::int32_t ReportErrorAliasMissing = 121;
inline constexpr std::int32_t ReportErrorAttributeTypeMissing = 122;
inline constexpr std::int32_t ReportErrorEventTypeMissing = 123;
inline constexpr std::int32_t ReportErrorTaskMissing = 124;
inline constexpr std::int32_t ReportErrorMediaObjectMissing = 125;

// The operands of one expression level: at most 30, with the operator in front of each.
class OperandList {
public:
    static constexpr int MaxOperands = 30;

    OperandList() = default;
    OperandList(const OperandList&) = delete;
    OperandList& operator=(const OperandList&) = delete;
    ~OperandList() { Clear(); }

    // A new empty operand behind `code`; null when 30 operands exist or it cannot be allocated.
    ReportValue* Push(std::uint8_t code);
    // Folds the list into its first operand; 0 or an error number.
    std::int32_t Reduce(std::int32_t wanted);
    void Remove(int index);
    void Clear();
    int Count() const { return count_; }
    ReportValue& operator[](int index) { return *operands_[index]; }

private:
    std::int32_t Apply(std::uint8_t code, int left, std::int32_t wanted);
    std::int32_t Add(int left, std::int32_t wanted);
    std::int32_t Arithmetic(std::uint8_t code, int left, std::int32_t wanted);
    std::int32_t Power(int left);
    std::int32_t Compare(std::uint8_t code, int left);
    std::int32_t Bitwise(std::uint8_t code, int left);
    std::int32_t Logical(std::uint8_t code, int left);

    ReportValue* operands_[MaxOperands] = {};
    std::uint8_t codes_[MaxOperands] = {};
    int count_ = 0;
};

class ExpressionReader {
public:
    static constexpr std::size_t TextSize = 256;
    static constexpr std::size_t NameSize = 32;

    explicit ExpressionReader(ReportRunContext& context);

    // Takes the line up to its first CR. A line of more than 255 characters is kept cut, and every
    // evaluation on it fails with error 1.
    void SetText(const char* text, std::uint32_t position);
    // 1 with the target holding the result converted to the wanted type (its type on entry), the read
    // position behind the expression and the error number 0; 0 with the error number set.
    int Evaluate(ReportValue& target);
    // A variable name (letters and digits, at most 31) and an optional index in square brackets; 1 or 0.
    int ReadVariable(char (&name)[NameSize], std::int32_t& index);
    // The infix operator at the read position (after whitespace), moving past it; 0 when none.
    std::uint8_t ScanOperator();
    // A named constant, built-in constant or built-in function at the read position, evaluated into the
    // target: 1; 0 when there is none (nothing moved, no error) or when one failed (error number set).
    int EvaluateBuiltin(ReportValue& target);

    // Whether the line given was longer than 255 characters.
    bool Overlong() const { return overlong_; }
    const char* Text() const { return text_; }
    std::uint32_t Position() const { return position_; }
    void SetPosition(std::uint32_t position) { position_ = position; }
    char Current() const { return text_[position_]; }
    ReportRunContext& Context() { return *context_; }
    // Sets the run's error number; answers 0 for the caller to return.
    int Fail(std::int32_t error);

private:
    void SkipBlanks();
    void SkipWhitespace();
    int ReadOperand(ReportValue& operand, std::int32_t wanted);
    int ReadNumber(ReportValue& operand, std::int32_t wanted);
    int ReadVariableOperand(ReportValue& operand);
    // The property chain behind an object variable, or the object itself.
    int EvaluateVariableChain(ReportValue& variable, ReportValue& operand);

    // The object model: one evaluator per object type. Each reads the property chain at the read position
    // on its object (null when missing) into the result: 1, or 0 with the run's error number set. With no
    // point at the read position the object itself is the result.

    // Chain steps every evaluator shares
    // Whether a point follows (skipped); false when the object itself is the result.
    bool SkipPoint();
    // The index of the first name in `names` that the text at the read position begins with, the read
    // position moved past it; -1 (error 1 set) when none matches.
    int MatchProperty(const char* const* names, int count);
    // An argument expression up to its closing parenthesis into an INTEGER; 0 with its error when it fails.
    int ReadIntegerArgument(std::int32_t& value);
    // A 1-based index argument checked against `count`: error 16 outside 1..count.
    int ReadIndex(std::int32_t count, std::int32_t& index);
    // Whether the report's data switch is on: the relationships switch as the run's data filter copied it,
    // the others as the report settings hold them now.
    bool Included(ReportDataSwitch which) const;
    // How many of a record's `count` linked entries a report sees: none while `which` is off.
    std::int32_t IncludedCount(std::size_t count, ReportDataSwitch which) const;
    // The run's event types of births, deaths and marriages, looked up once; 0 when the database has none.
    std::int32_t BirthTypeId();
    std::int32_t DeathTypeId();
    std::int32_t MarriageTypeId();
    // NEXCERPTS and EXCERPT( of a person or an assertion, over its citations: a report sees none while
    // sources are left out, and the n-th names the excerpt that is evaluated, read from `database`.
    std::int32_t CitationCount(const RecordList<ExcerptRef>& citations) const;
    int EvaluateCitedExcerpt(RecordList<ExcerptRef>& citations, Database& database, ReportValue& result);

    // Database, system and settings
    int EvaluateDatabase(Database* database, ReportValue& result);
    int EvaluateSystem(const ReportSystem* system, ReportValue& result);
    int EvaluateSettings(ReportValue& result);

    // Persons, families and names
    int EvaluatePersonById(std::uint32_t id, Database* database, ReportValue& result);
    int EvaluatePerson(PersonRecord* person, ReportValue& result);
    int EvaluateFamily(const FamilyGroup* family, Database* database, ReportValue& result);
    int EvaluateName(NameRecord* name, ReportValue& result);
    // The person's first event of `type` in which it is a principal, with `partner` among the participants
    // when given; null when none.
    AssertionLink* FindPrincipalEvent(PersonRecord& person, std::int32_t type, const std::int32_t* partner);
    // The chain on an event found for a person, or on an empty event when none was found.
    int EvaluateFoundEvent(AssertionLink* link, Database& database, ReportValue& result);

    // Assertions and their types
    int EvaluateDetail(AssertionLink* link, ReportValue& result);
    int EvaluateEventOfLink(AssertionLink* link, ReportValue& result);
    int EvaluateEvent(EventAssertion* event, AssertionLink* link, ReportValue& result);
    int EvaluateAttributeOfLink(AssertionLink* link, ReportValue& result);
    int EvaluateAttribute(AttributeAssertion* attribute, AssertionLink* link, ReportValue& result);
    int EvaluateRelationshipOfLink(AssertionLink* link, ReportValue& result);
    int EvaluateRelationship(Relationship* relationship, AssertionLink* link, ReportValue& result);
    int EvaluateInformationOfLink(AssertionLink* link, ReportValue& result);
    int EvaluateInformation(InfoAssertion* information, AssertionLink* link, ReportValue& result);
    int EvaluateAliasOfLink(AssertionLink* link, ReportValue& result);
    int EvaluateAlias(NameAssertion* alias, AssertionLink* link, ReportValue& result);
    int EvaluateEventType(EventType* type, ReportValue& result);
    int EvaluateAttributeType(EventType* type, ReportValue& result);
    // DETAIL.FORMATTED: the linked assertion's sentence, citing the source of each of its excerpts.
    int EvaluateDetailSentence(const AssertionLink& link, ReportValue& result);
    // The person of an assertion's first link; `missingError` when it has none.
    int EvaluateFirstLinkPerson(CitedAssertion& assertion, std::int32_t missingError, ReportValue& result);
    template <class Kind>
    int EvaluateAssertionOfLink(AssertionLink* link, std::int32_t missingError,
                                int (ExpressionReader::*evaluate)(Kind*, AssertionLink*, ReportValue&),
                                ReportValue& result);
    int MatchAssertionProperty(const char* const* names, int count, int linkOnly, const AssertionLink* link);

    // Sources, repositories, excerpts, research and media objects
    int EvaluateRepositoryById(std::uint32_t id, Database* database, ReportValue& result);
    int EvaluateRepository(RepositoryRecord* repository, ReportValue& result);
    int EvaluateRepositoryRef(RepositoryRef* reference, ReportValue& result);
    int EvaluateSourceById(std::uint32_t id, Database* database, ReportValue& result);
    int EvaluateSource(SourceRecord* source, ReportValue& result);
    int EvaluateExcerptById(std::uint32_t id, Database* database, ReportValue& result);
    int EvaluateExcerpt(ExcerptRecord* excerpt, ReportValue& result);
    int EvaluateObjectiveById(std::uint32_t id, Database* database, ReportValue& result);
    int EvaluateObjective(ObjectiveRecord* objective, ReportValue& result);
    int EvaluateTask(TaskRecord* task, ReportValue& result);
    int EvaluateObject(MediaRecord* media, ReportValue& result);
    template <class Record, class Load>
    int EvaluateRecordById(std::uint32_t id, Database* database, std::int32_t type, std::int32_t missingError,
                           Load load, int (ExpressionReader::*evaluate)(Record*, ReportValue&), ReportValue& result);

    // Values and report objects
    int EvaluateDate(DateValue* date, ReportValue& result);
    int EvaluatePeriod(DateRange* period, ReportValue& result);
    int EvaluatePlace(PlaceRecord* place, ReportValue& result);
    int EvaluateAddress(AddressRecord* address, ReportValue& result);
    int EvaluateCalendar(CalendarDate* calendar, ReportValue& result);
    int EvaluateTimeline(Timeline* timeline, ReportValue& result);
    int EvaluatePicture(ReportPicture* picture, ReportValue& result);
    int EvaluateParagraph(ReportParagraph* paragraph, ReportValue& result);
    int EvaluateChart(Chart* chart, ReportValue& result);
    int EvaluateStack(ReportStack* stack, ReportValue& result);
    int EvaluateSortList(ReportSortList* list, ReportValue& result);
    int EvaluateMap(ReportMap* map, ReportValue& result);
    int EvaluateMapString(ReportMapString* map, ReportValue& result);
    int ReadMapProperty(std::int32_t& key);

    // Built-ins
    int EvaluateArgument(ReportValue& argument, std::int32_t type, bool last);
    int CallBuiltin(int which, ReportValue& target);

    ReportRunContext* context_;
    char text_[TextSize] = {};
    std::uint32_t position_ = 0;
    bool overlong_ = false;
};

// The language key of a run-time error number's text; null for a number that has none.
const char* ReportErrorKey(std::int32_t error);
