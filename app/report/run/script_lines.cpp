#include "report/run/script_lines.h"

#include <cstring>

void ScriptLines::Build(const char* script)
{
    lines_.clear();
    if (script == nullptr)
        return;
    const char* p = script;
    while (*p != '\0') {
        lines_.push_back(p);
        while (*p != '\0' && *p != '\r')
            ++p;
        // The LF of a CR LF is part of the line end; a bare CR (the last character, too) is the whole end.
        if (*p == '\r') {
            ++p;
            if (*p == '\n')
                ++p;
        }
    }
}

void ReadLabelName(const char* text, char (&name)[ScriptLabels::NameSize])
{
    std::size_t n = 0;
    while (n < ScriptLabels::NameSize - 1 && text[n] != '\0' && text[n] != ' ' && text[n] != '\r')
        ++n;
    std::memcpy(name, text, n);
    name[n] = '\0';
}

void ScriptLabels::Build(const ScriptLines& lines)
{
    std::memset(labels_, 0, sizeof labels_);
    count_ = 0;
    for (std::int32_t i = 0; i < lines.Count() && count_ < Capacity; ++i) {
        const char* line = lines.Line(i);
        if (line[0] != ':')
            continue;
        const char* name = line + 1;
        while (*name == ' ' || *name == '\t')
            ++name;
        labels_[count_].line = i;
        ReadLabelName(name, labels_[count_].name);
        ++count_;
    }
}

std::int32_t ScriptLabels::Find(const char* name) const
{
    for (int i = 0; i < count_; ++i)
        if (std::strcmp(labels_[i].name, name) == 0)
            return labels_[i].line;
    return -1;
}
