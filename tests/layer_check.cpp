// The order of the layers, checked: reads the layers and what each may use from app/README.md, then every
// `#include "..."` of app/, engine/, wexmor/, gedcom/ and platform/, and names each include that goes up a
// layer, leaves the layers, or reaches a test folder from program code; and, in the model folders, each
// Windows header or Win32 type (outside the files and `#ifdef _WIN32` parts that are the Windows side of a
// portable interface).
//
//     layer_check <source root>
//
// One line per fault ("file:line: what"), exit status 1 when there was any, 0 when none, 2 when the layers
// cannot be read.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Layer {
    std::string folder; // from the root: "app/core", "engine", "app/core/ui"
    bool windows = false;
    std::vector<std::string> uses; // as written: "settings", "core/ui", "engine"; "everything"
    std::set<std::string> allowed; // the folder itself and everything under what it uses
};

const char* const ScannedFolders[] = {"app", "engine", "wexmor", "gedcom", "platform"};

const std::set<std::string> WindowsHeaders = {
    "windows.h", "windef.h",  "winbase.h", "winuser.h", "wingdi.h",   "commctrl.h", "commdlg.h", "richedit.h",
    "shellapi.h", "shlobj.h", "shlwapi.h", "prsht.h",   "gdiplus.h", "htmlhelp.h", "objbase.h",
};

const std::set<std::string> Win32Types = {
    "HWND",   "HWND__", "HINSTANCE", "HMODULE", "HDC",     "HMENU",  "HICON",    "HBITMAP", "HFONT",
    "HBRUSH", "HGDIOBJ", "HGLOBAL",  "HKEY",    "HANDLE",  "LPARAM", "WPARAM",   "LRESULT", "DWORD",
    "BOOL",   "UINT",   "INT_PTR",   "LPSTR",   "LPCSTR",  "LPVOID", "WINAPI",   "CALLBACK", "ATOM",
    "MSG",    "HRESULT", "HACCEL",   "HCURSOR", "HIMAGELIST", "HTREEITEM", "NMHDR", "RECT",  "POINT",
};

std::string Trim(const std::string& text)
{
    std::size_t begin = text.find_first_not_of(" \t\r");
    std::size_t end = text.find_last_not_of(" \t\r");
    return begin == std::string::npos ? std::string() : text.substr(begin, end - begin + 1);
}

std::string Slashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    while (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

bool StartsWithFolder(const std::string& path, const std::string& folder)
{
    return path == folder || (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
                              path[folder.size()] == '/');
}

class Layers {
public:
    // Reads the bullets of app/README.md: "- `folder/`: what it holds. Uses a, b." (continuation lines
    // indented); bullets after a line starting "The windows" are window folders. False when none was found.
    bool Read(const fs::path& readme, std::string& error)
    {
        std::ifstream in(readme);
        if (!in) {
            error = "cannot read " + readme.string();
            return false;
        }
        std::vector<std::string> bullets;
        std::vector<bool> windows;
        bool inWindows = false;
        std::string line;
        while (std::getline(in, line)) {
            if (line.rfind("The windows", 0) == 0)
                inWindows = true;
            if (line.rfind("- `", 0) == 0) {
                bullets.push_back(line.substr(2));
                windows.push_back(inWindows);
            } else if (!bullets.empty() && line.rfind("  ", 0) == 0 && !Trim(line).empty()) {
                bullets.back() += " " + Trim(line);
            }
        }
        static const std::regex usesPattern(R"(\bUses? (.*?)\.\s*$)");
        for (std::size_t i = 0; i < bullets.size(); ++i) {
            const std::string& bullet = bullets[i];
            std::size_t colon = bullet.find(':');
            std::size_t end = bullet.find('`', 1);
            if (colon == std::string::npos || end == std::string::npos || end > colon)
                continue;
            Layer layer;
            layer.folder = Slashes(bullet.substr(1, end - 1));
            layer.windows = windows[i];
            std::smatch match;
            if (std::regex_search(bullet, match, usesPattern)) {
                std::stringstream list(match[1].str());
                std::string name;
                while (std::getline(list, name, ','))
                    if (!Trim(name).empty() && Trim(name).rfind("nothing", 0) != 0)
                        layer.uses.push_back(Trim(name));
            }
            order_.push_back(layer);
        }
        if (order_.empty()) {
            error = "no layers in " + readme.string();
            return false;
        }
        for (std::size_t i = 0; i < order_.size(); ++i) {
            Layer& layer = order_[i];
            layer.allowed.insert(layer.folder);
            for (const std::string& name : layer.uses) {
                if (name == "everything") {
                    for (std::size_t j = 0; j < i; ++j)
                        layer.allowed.insert(order_[j].allowed.begin(), order_[j].allowed.end());
                    continue;
                }
                const Layer* used = Find(name, i);
                if (used == nullptr) {
                    error = layer.folder + " uses " + name + ", which is no layer above it in the list";
                    return false;
                }
                layer.allowed.insert(used->allowed.begin(), used->allowed.end());
            }
        }
        return true;
    }

    // The deepest layer holding `path` (from the root), or null.
    const Layer* Of(const std::string& path) const
    {
        const Layer* best = nullptr;
        for (const Layer& layer : order_)
            if (StartsWithFolder(path, layer.folder) && (best == nullptr || layer.folder.size() > best->folder.size()))
                best = &layer;
        return best;
    }

    // "core/ui" names app/core/ui when that is a layer, else the root's folder of that name; only layers
    // listed before `before` count.
    const Layer* Find(const std::string& name, std::size_t before) const
    {
        for (const std::string& folder : {"app/" + Slashes(name), Slashes(name)})
            for (std::size_t j = 0; j < before; ++j)
                if (order_[j].folder == folder)
                    return &order_[j];
        return nullptr;
    }

    std::string AllowedList(const Layer& layer) const
    {
        std::string list;
        for (const Layer& other : order_)
            if (layer.allowed.count(other.folder))
                list += (list.empty() ? "" : ", ") + other.folder;
        return list;
    }

private:
    std::vector<Layer> order_;
};

// The code of a line with comments and the insides of string and character literals blanked; `inComment`
// carries a block comment over to the next line.
std::string CodeOnly(const std::string& line, bool& inComment)
{
    std::string code;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (inComment) {
            if (line.compare(i, 2, "*/") == 0) {
                inComment = false;
                ++i;
            }
            continue;
        }
        if (line.compare(i, 2, "//") == 0)
            break;
        if (line.compare(i, 2, "/*") == 0) {
            inComment = true;
            ++i;
            continue;
        }
        if (line[i] == '"' || line[i] == '\'') {
            const char quote = line[i];
            code += ' ';
            for (++i; i < line.size() && line[i] != quote; ++i)
                if (line[i] == '\\')
                    ++i;
            code += ' ';
            continue;
        }
        code += line[i];
    }
    return code;
}

bool IsTestPath(const std::string& path)
{
    return path.find("/tests/") != std::string::npos || path.rfind("tests/", 0) == 0;
}

// The Windows side of a portable interface: the platform's _win32 files and a DLL's Windows entry and its
// test.
bool IsWindowsSideFile(const std::string& path)
{
    const std::string name = fs::path(path).filename().string();
    for (const char* ending : {"_win32.cpp", "_dll.cpp", "_dll_test.cpp"}) {
        const std::string tail = ending;
        if (name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0)
            return true;
    }
    return false;
}

class Checker {
public:
    Checker(const fs::path& root, const Layers& layers) : root_(root), layers_(layers) {}

    void CheckFile(const fs::path& file)
    {
        const std::string path = Slashes(fs::relative(file, root_).generic_string());
        const Layer* layer = layers_.Of(path);
        if (layer == nullptr) {
            Fault(path, 0, "is in no layer of app/README.md");
            return;
        }
        const bool testFile = IsTestPath(path);
        const bool checkWindows = !layer->windows && !IsWindowsSideFile(path);
        std::ifstream in(file);
        std::string line;
        int number = 0;
        bool inComment = false;
        // One entry per open #if: whether its current branch is Windows-only.
        std::vector<bool> windowsOnly;
        // Beside it: whether the #if was `#ifndef _WIN32`, whose #else is the Windows-only branch.
        std::vector<bool> negated;
        static const std::regex includePattern(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
        static const std::regex ifPattern(R"(^\s*#\s*(ifdef|ifndef|if)\b\s*(.*))");
        static const std::regex elsePattern(R"(^\s*#\s*(else|elif)\b)");
        static const std::regex endifPattern(R"(^\s*#\s*endif\b)");
        static const std::regex wordPattern(R"([A-Za-z_][A-Za-z0-9_]*)");
        while (std::getline(in, line)) {
            ++number;
            std::smatch match;
            if (!inComment && std::regex_search(line, match, ifPattern)) {
                const std::string kind = match[1].str();
                const std::string condition = Trim(CodeOnly(match[2].str(), inComment));
                const bool names = condition == "_WIN32" || condition == "defined(_WIN32)" ||
                                   condition == "defined _WIN32";
                windowsOnly.push_back((kind == "ifndef") ? false : names);
                negated.push_back(kind == "ifndef" && names);
                continue;
            }
            if (!inComment && std::regex_search(line, match, elsePattern) && !windowsOnly.empty()) {
                // The other branch of `#ifndef _WIN32` is Windows-only; of `#ifdef _WIN32` it is not.
                windowsOnly.back() = negated.back();
                negated.back() = false;
                continue;
            }
            if (!inComment && std::regex_search(line, match, endifPattern) && !windowsOnly.empty()) {
                windowsOnly.pop_back();
                negated.pop_back();
                continue;
            }
            const bool windowsPart = std::find(windowsOnly.begin(), windowsOnly.end(), true) != windowsOnly.end();
            if (!inComment && std::regex_search(line, match, includePattern)) {
                const std::string header = Slashes(match[2].str());
                if (match[1].str() == "<") {
                    std::string lower = header;
                    std::transform(lower.begin(), lower.end(), lower.begin(),
                                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
                    if (checkWindows && !windowsPart && WindowsHeaders.count(lower))
                        Fault(path, number, "#include <" + header + "> in the model folder " + layer->folder +
                                                " (windows belong in a ui/ folder)");
                } else {
                    CheckInclude(path, number, header, *layer, testFile);
                }
                continue;
            }
            const std::string code = CodeOnly(line, inComment);
            if (!checkWindows || windowsPart)
                continue;
            for (auto word = std::sregex_iterator(code.begin(), code.end(), wordPattern); word != std::sregex_iterator();
                 ++word) {
                if (Win32Types.count(word->str())) {
                    Fault(path, number, "the Win32 type " + word->str() + " in the model folder " + layer->folder +
                                            " (windows belong in a ui/ folder)");
                    break;
                }
            }
        }
    }

    int Faults() const { return faults_; }

private:
    void CheckInclude(const std::string& path, int number, const std::string& header, const Layer& layer, bool testFile)
    {
        const std::string target = Resolve(path, header);
        if (target.empty())
            return; // not ours: a library's own header found on its include path
        const std::string quoted = "#include \"" + header + "\"";
        if (IsTestPath(target)) {
            if (!testFile) {
                Fault(path, number, quoted + " reaches test code from program code");
                return;
            }
            if (!StartsWithFolder(target, "tests/support") && layers_.Of(target) == nullptr) {
                Fault(path, number, quoted + " is in no layer of app/README.md");
                return;
            }
            if (StartsWithFolder(target, "tests/support"))
                return;
        }
        const Layer* used = layers_.Of(target);
        if (used == nullptr) {
            Fault(path, number, quoted + " is in no layer of app/README.md");
            return;
        }
        if (!layer.allowed.count(used->folder))
            Fault(path, number, quoted + " goes up to " + used->folder + "; " + layer.folder +
                                    " may use " + layers_.AllowedList(layer));
    }

    // The include as a path from the root: beside the including file or in a folder above it (a library's
    // own root), else under app/, else (for a file not there) by its first folders when they name a layer.
    // Empty when it is none of ours.
    std::string Resolve(const std::string& from, const std::string& header) const
    {
        std::vector<fs::path> bases;
        for (fs::path folder = fs::path(from).parent_path(); !folder.empty(); folder = folder.parent_path())
            bases.push_back(folder);
        bases.push_back(fs::path());
        bases.push_back("app");
        for (const fs::path& base : bases) {
            const fs::path candidate = (base / header).lexically_normal();
            if (fs::exists(root_ / candidate))
                return Slashes(candidate.generic_string());
        }
        for (const std::string& base : {std::string("app/"), std::string()}) {
            const std::string candidate = Slashes(fs::path(base + header).lexically_normal().generic_string());
            if (StartsWithFolder(candidate, "tests/support") || layers_.Of(candidate) != nullptr)
                return candidate;
        }
        return std::string();
    }

    void Fault(const std::string& path, int line, const std::string& what)
    {
        std::cout << path << ":" << line << ": " << what << "\n";
        ++faults_;
    }

    fs::path root_;
    const Layers& layers_;
    int faults_ = 0;
};

bool IsSource(const fs::path& file)
{
    const std::string extension = file.extension().string();
    return extension == ".h" || extension == ".hpp" || extension == ".cpp" || extension == ".c" ||
           extension == ".inl" || extension == ".rc";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: layer_check <source root>\n";
        return 2;
    }
    const fs::path root = argv[1];
    Layers layers;
    std::string error;
    if (!layers.Read(root / "app" / "README.md", error)) {
        std::cerr << "layer_check: " << error << "\n";
        return 2;
    }
    std::vector<fs::path> files;
    for (const char* folder : ScannedFolders) {
        if (!fs::is_directory(root / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(root / folder))
            if (entry.is_regular_file() && IsSource(entry.path()))
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    Checker checker(root, layers);
    for (const fs::path& file : files)
        checker.CheckFile(file);
    return checker.Faults() == 0 ? 0 : 1;
}
