// Evaluators not written yet: each fails as an unknown property would.
#include "report/language/expression_reader.h"

// Values and report objects
int ExpressionReader::EvaluateDate(DateValue*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluatePeriod(DateRange*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluatePlace(PlaceRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateAddress(AddressRecord*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateCalendar(CalendarDate*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateTimeline(Timeline*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluatePicture(ReportPicture*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateParagraph(ReportParagraph*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateChart(Chart*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateStack(ReportStack*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateSortList(ReportSortList*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateMap(ReportMap*, ReportValue&) { return Fail(ReportErrorSyntax); }
int ExpressionReader::EvaluateMapString(ReportMapString*, ReportValue&) { return Fail(ReportErrorSyntax); }
