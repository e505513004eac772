// GetErrorStructure: the tags of the element being imported, one per line and indented by depth, then the
// text around the place where reading stopped with a caret under that place.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>

#include "file.h"
#include "wexmor.h"

namespace {

const size_t kTextAfterFailure = 24;

std::string BuildContext(const WexmorFile& file)
{
    std::string context;
    if (!file.data || !file.pos || !file.elementStart)
        return context;
    const char* pos = file.pos;
    const char* textStart = file.elementStart;
    int depth = 0;
    const char* scan = std::strchr(file.elementStart, '<');
    while (scan && scan < pos) {
        const char* close = std::strchr(scan, '>');
        if (!close)
            break;
        bool endTag = scan[1] == '/';
        if (endTag)
            depth = std::max(depth - 1, 0);
        context.append(static_cast<size_t>(depth), '\t');
        context.append(scan, static_cast<size_t>(close - scan + 1));
        context += "\r\n";
        if (!endTag)
            ++depth;
        textStart = close + 1;
        scan = std::strchr(textStart, '<');
    }

    // The text from the end of the last tag up to a little past the failure, never past the input's end.
    const char* textEnd = pos;
    while (textEnd < pos + kTextAfterFailure && *textEnd)
        ++textEnd;
    context.append(static_cast<size_t>(depth), '\t');
    if (textStart < textEnd)
        context.append(textStart, static_cast<size_t>(textEnd - textStart));
    context += "\r\n";

    // A tag may reach past the read position: then the caret stands at the start of the text line.
    context.append(static_cast<size_t>(depth), '\t');
    if (textStart < pos)
        context.append(static_cast<size_t>(pos - textStart), '-');
    context += '^';
    return context;
}

} // namespace

extern "C" int WZAPI GetErrorStructure(char* buffer, int size, WexmorFile* file)
{
    std::string context;
    if (file) {
        try {
            context = BuildContext(*file);
        } catch (const std::bad_alloc&) {
            context.clear();
        }
    }
    if (buffer && size > 0) {
        if (context.size() < static_cast<size_t>(size))
            std::memcpy(buffer, context.c_str(), context.size() + 1);
        else
            buffer[0] = '\0';
    }
    return static_cast<int>(std::min<size_t>(context.size(), INT32_MAX));
}
