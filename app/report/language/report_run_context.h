// The state of one report run that statements, the evaluator and the object model read and write.
#pragma once

#include <cstdint>
#include <memory>

#include "core/event_type_cache.h"
#include "core/temp_tree.h"
#include "report/language/variables.h"

class Database;
class ReportHost;

// The line being run and the error number of the last failure (0 after a success).
struct ReportRunState {
    // The 0-based line being run; between steps, the line to run next.
    std::int32_t currentLine = 0;
    std::int32_t errorNumber = 0;
};

// The kinds of open constructs on the control stack.
enum ControlKind : std::uint8_t {
    ControlGosub = 0,
    ControlRepeat = 1,
    ControlWhile = 2,
    ControlFor = 3,
};

// One open GOSUB, REPEAT, WHILE or FOR: the line the construct goes back to and its kind.
struct ControlEntry {
    std::int32_t line = 0;
    std::uint8_t kind = ControlGosub;
};

class ReportRunContext {
public:
    static constexpr std::int32_t ControlDepth = 256;
    static constexpr std::size_t TitleSize = 64;

    explicit ReportRunContext(const ReportHost& host, Database* database = nullptr)
        : database(database), host_(&host)
    {
    }
    ReportRunContext(const ReportRunContext&) = delete;
    ReportRunContext& operator=(const ReportRunContext&) = delete;
    // The variables go before the cache and the tree they may refer to.
    ~ReportRunContext()
    {
        arrays.FreeAll();
        variables.FreeAll();
    }

    const ReportHost& Host() const { return *host_; }

    // Rewrites the title template into the title (at most 63 characters): "%n" and "%nn" stand for the
    // text of scalar variable n (1-based, the report's inputs), "[...]" for a section kept only when the
    // variable named at its start has a value ("[!...]" when it has none), "%%", "%[" and "%]" for the
    // character itself.
    void ExpandTitle();

    // The innermost open construct; only while depth > 0.
    ControlEntry& Innermost() { return controls[depth - 1]; }
    // Whether the innermost open construct is of `kind` and goes back to `line`.
    bool InnermostIs(ControlKind kind, std::int32_t line) const
    {
        return depth > 0 && controls[depth - 1].kind == kind && controls[depth - 1].line == line;
    }
    // Opens a construct; false when all 256 entries are in use.
    bool Push(std::int32_t line, ControlKind kind)
    {
        if (depth >= ControlDepth)
            return false;
        controls[depth].line = line;
        controls[depth].kind = kind;
        ++depth;
        return true;
    }
    // Closes the innermost construct, dropping the variables declared inside it.
    void Pop()
    {
        if (depth == 0)
            return;
        variables.DropLevel(depth);
        arrays.DropLevel(depth);
        --depth;
    }

    // The open database; not owned.
    Database* database = nullptr;
    VariableTable variables;
    ArrayVariableTable arrays;
    ReportRunState state;
    // Non-zero entries mark breakpoints, one per script line; the debugger's, null in a plain run.
    const std::int32_t* breakpoints = nullptr;
    // The line at which a run to the cursor pauses; -1 when none.
    std::int32_t stopLine = -1;
    // The document is deleted when the run finishes (it was cancelled or aborted).
    bool deleteOutput = false;
    // The report's title: the template first, then its expansion.
    char title[TitleSize] = {};
    std::unique_ptr<EventTypeCache> eventTypes;
    // The Report/PersonIndex setting at the start of the run: ADDINDEX writes only when it is on.
    bool personIndex = false;
    // The sources cited while the report runs; only when the Report/SourceIndex setting was on at the start.
    std::unique_ptr<TempTree> citedSources;
    ControlEntry controls[ControlDepth];
    // The number of open constructs: the scope level of new variables.
    std::int32_t depth = 0;
    // An IF construct being left has had a branch run, so a following ELSEIF or ELSE skips to its ENDIF.
    bool branchTaken = true;
    // The report type's graphics flag.
    bool graphics = false;
    // Whether sentences show record ids (the SETTINGS object's SHOWID).
    bool showIds = false;
    // The event types of BIRTH, DEATH and MARRIAGE, looked up on first use in the run; 0 until then.
    std::int32_t birthTypeId = 0;
    std::int32_t deathTypeId = 0;
    std::int32_t marriageTypeId = 0;

private:
    const ReportHost* host_;
};
