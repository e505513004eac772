// The state of one report run that statements, the evaluator and the object model read and write.
#pragma once

#include <cstdint>

#include "report/language/variables.h"

class Database;
class EventTypeCache;
class ReportHost;
class TempTree;

// The line being run and the error number of the last failure (0 after a success).
struct ReportRunState {
    std::int32_t currentLine = 0;
    std::int32_t errorNumber = 0;
};

class ReportRunContext {
public:
    explicit ReportRunContext(const ReportHost& host) : host_(&host) {}
    ReportRunContext(const ReportRunContext&) = delete;
    ReportRunContext& operator=(const ReportRunContext&) = delete;

    const ReportHost& Host() const { return *host_; }

    VariableTable variables;
    ArrayVariableTable arrays;
    ReportRunState state;
    EventTypeCache* eventTypes = nullptr;
    TempTree* citedSources = nullptr;
    // The depth of the control stack: the scope level of new variables.
    std::int32_t level = 0;
    // The report type's graphics flag.
    bool graphics = false;
    // Whether sentences show record ids (the SETTINGS object's SHOWID).
    bool showIds = false;

private:
    const ReportHost* host_;
};
