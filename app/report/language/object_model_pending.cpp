// Evaluators not written yet: each fails as an unknown property would.
#include "report/language/expression_reader.h"

// Database, system and settings
int ExpressionReader::EvaluateDatabase(Database*, ReportValue&) { return Fail(ReportErrorSyntax); }

// Persons, families and names
int ExpressionReader::EvaluatePersonById(std::uint32_t, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluatePerson(PersonRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateFamily(const FamilyGroup*, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateName(NameRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }

// Assertions and their types
int ExpressionReader::EvaluateDetail(AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateEventOfLink(AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateEvent(EventAssertion*, AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateAttributeOfLink(AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateAttribute(AttributeAssertion*, AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateRelationshipOfLink(AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateRelationship(Relationship*, AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateInformationOfLink(AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateInformation(InfoAssertion*, AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateAliasOfLink(AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateAlias(NameAssertion*, AssertionLink*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateEventType(EventType*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateAttributeType(EventType*, ReportValue&) { return Fail(ReportErrorSyntax); }

// Sources, repositories, excerpts, research and media objects
int ExpressionReader::EvaluateRepositoryById(std::uint32_t, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateRepository(RepositoryRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateRepositoryRef(RepositoryRef*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateSourceById(std::uint32_t, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateSource(SourceRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateExcerptById(std::uint32_t, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateExcerpt(ExcerptRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateObjectiveById(std::uint32_t, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateObjective(ObjectiveRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateTask(TaskRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateObject(MediaRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
