// Evaluators not written yet: each fails as an unknown property would.
#include "report/language/expression_reader.h"

// Database, system and settings
int ExpressionReader::EvaluateDatabase(Database*, ReportValue&) { return Fail(ReportErrorSyntax); }

// Persons, families and names
int ExpressionReader::EvaluatePersonById(std::uint32_t, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluatePerson(PersonRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateFamily(const FamilyGroup*, Database*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateName(NameRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
