// The parts of a report document that no script statement writes: the header with the style records at the
// start of a fresh run, the title record right after them, and the table of cited sources at the end of a
// completed run. Their content comes from the report type, the Report settings, the database and the run.
#pragma once

#include <cstdint>

#include "report/output/report_document.h"
#include "report/output/report_document_writer.h"
#include "report/output/report_type.h"
#include "settings/settings.h"

class Database;
struct DatabaseHeader;
class TempTree;

// The document header of a report type under the Report settings: its graphics flag, margins unless it
// switches them off, its page size and orientation when it chooses a page size, and the page numbering and
// index settings.
ReportDocumentHeader DocumentHeaderFor(const ReportTypeHeader& type, const ReportSettings& settings);
// The style record of a report font: its face (at most 31 characters), bold from a weight of 700, its
// italic, underline and strike-out, and the low byte of its size in points.
ReportStyle StyleOf(const LogFont& font, std::int32_t points);

// The header and the seven style records, Normal to Heading4.
bool WriteReportHeader(ReportDocumentWriter& writer, const ReportTypeHeader& type, const ReportSettings& settings);
// The title record (the run writes it when the IncludeTitle setting is on): nothing for an empty expanded
// title; with the Titlepage setting on, the database's owner and its rights statement as the title page's
// two texts.
bool WriteReportTitle(ReportDocumentWriter& writer, const char* expandedTitle, const ReportSettings& settings,
                      const DatabaseHeader& database);
// The cited sources in key order (short title), on a new page, as a table of three columns: short title,
// title and author. A source cited again right after itself gives no second row; a source that cannot be
// read gives none. Nothing at all when nothing was cited. Reads the sources inside the caller's transaction.
bool WriteCitedSources(ReportDocumentWriter& writer, TempTree& cited, Database& database,
                       const ReportSettings& settings);
