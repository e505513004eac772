// The pedigree's decisions that need no window: the three-generation chart of one person (the children,
// the parents and the grandparents, each with its entry text) and where its boxes and connector lines go
// in a client area.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "persons/assertion_editing.h"

class PersonRecord;
class Database;

inline constexpr int PedigreeChildCapacity = 24;
inline constexpr std::size_t PedigreeEntrySize = 128; // at most 127 characters
inline constexpr std::size_t PedigreeTitleSize = 256;

// One box's person: id 0 leaves the box empty.
struct PedigreeEntry {
    std::int32_t id = 0;
    std::string text;
};

enum PedigreeGrandparent : int { FathersFather, FathersMother, MothersFather, MothersMother, GrandparentCount };

struct PedigreeChart {
    PedigreeEntry person;
    std::vector<PedigreeEntry> children; // at most PedigreeChildCapacity, in the order of the person's links
    PedigreeEntry father;
    PedigreeEntry mother;
    std::array<PedigreeEntry, GrandparentCount> grandparents;
    // A grandparent with a recorded father or mother: the chart goes on beyond the box.
    std::array<bool, GrandparentCount> hasAncestors = {};
};

// The chart around `centre`, whose links are loaded. Parents of any relationship kind count; every
// other person is read and loaded for its entry.
PedigreeChart BuildPedigreeChart(PersonRecord& centre);

// The name without id and the years of birth and death: "Name (1850-1910)", "Name (1850-)",
// "Name (-1910)" or "Name (-)". The person's links must be loaded. At most 127 characters.
std::string PedigreeEntryText(PersonRecord& person);
// The window's title: `title`, and for a stored person " - " and the name with its id. At most 255
// characters.
std::string PedigreeTitle(const char* title, PersonRecord& person);

// The chart in a client area of w by h pixels (at least 360 by 240).
struct PedigreeLayout {
    LayoutBox children;
    LayoutBox person;
    LayoutBox father;
    LayoutBox mother;
    std::array<LayoutBox, GrandparentCount> grandparents;
    // The top-left corners of the ancestor indicators beside the grandparent boxes (their own size).
    std::array<LayoutBox, GrandparentCount> indicators;
    // The connectors, each a rectangle one pixel thick.
    std::array<LayoutBox, 10> lines;
    int columnWidth; // of each list's one column
};
inline constexpr int PedigreeSmallestWidth = 360;
inline constexpr int PedigreeSmallestHeight = 240;
PedigreeLayout LayOutPedigree(int clientWidth, int clientHeight);
