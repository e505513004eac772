// Who cites an excerpt: the rows of the excerpt dialog's usage list, one for a citing person, one per
// participant of a citing event or relationship, and one for the first participant of any other kind.
#pragma once

#include <string>
#include <vector>

class ExcerptRecord;

struct ExcerptUsageRow {
    const char* typeKey; // language key of the citing record's kind
    std::string name;    // the person's name without id; empty when there is none
};

// The rows of the excerpt's usage list (as loaded), in its order. Each citing record is read through its
// class; a record without participants shows its kind with an empty name.
std::vector<ExcerptUsageRow> ListExcerptUsage(ExcerptRecord& excerpt);
