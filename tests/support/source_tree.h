// Files of the source tree that tests read in place (the master language file, the program's sources).
// The build names the tree's root; a path made from __FILE__ would depend on how the compiler was called.
#pragma once

#include <string>

namespace test_support {

// `relative` ("lang/English.lan") in the source tree; the root itself for "". Under Wine the tree is on drive Z:, written as a
// Windows path so that it can also be handed to the program (settings, file copies).
inline std::string SourceFile(const std::string& relative)
{
    std::string path = std::string(VESTRADA_SOURCE_DIR) + (relative.empty() ? "" : "/" + relative);
#ifdef _WIN32
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
#endif
    return path;
}

} // namespace test_support
