// The line table and the label table of a report script. The script is run as it stands, a line at a time:
// a line is a pointer into the script text that ends where its reader stops, at the CR or the NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class ScriptLines {
public:
    // Cuts the script into lines. A line ends at a CR (a LF right after it belongs to the line end) or at
    // the end of the text; a script that ends with a line end has no empty last line. The script must stay
    // alive and unchanged while the table is used.
    void Build(const char* script);

    std::int32_t Count() const { return static_cast<std::int32_t>(lines_.size()); }
    // The first character of a line; null for an index outside 0..Count() - 1.
    const char* Line(std::int32_t index) const
    {
        return index >= 0 && index < Count() ? lines_[static_cast<std::size_t>(index)] : nullptr;
    }

private:
    std::vector<const char*> lines_;
};

// The labels of a script: lines whose first character is a colon, named by the word after it.
class ScriptLabels {
public:
    static constexpr int Capacity = 64;
    static constexpr std::size_t NameSize = 16; // at most 15 characters and the NUL

    struct Label {
        std::int32_t line;
        char name[NameSize];
    };

    // The labels of the first 64 label lines in script order; later labels are not recorded.
    void Build(const ScriptLines& lines);

    int Count() const { return count_; }
    const Label& At(int index) const { return labels_[index]; }
    // The line of the first label of that name (compared exactly); -1 when none.
    std::int32_t Find(const char* name) const;

private:
    Label labels_[Capacity] = {};
    int count_ = 0;
};

// The label name at the start of `text`: up to a blank, CR or NUL, cut to 15 characters.
void ReadLabelName(const char* text, char (&name)[ScriptLabels::NameSize]);
