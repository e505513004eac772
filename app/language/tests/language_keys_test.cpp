// The master language file lang/English.lan must hold every key the program uses, so that no raw
// key ever reaches a user. Keys are collected from the program's sources under app/ (string literals
// inside calls of GetLanguageText, CopyLanguageText and LanguageKey, outside comments) and from the
// resources app/res/*.rc (item texts that are keys). Tests of the program are not scanned: they use
// keys of their own making.
#include "language/language_table.h"
#include "tests/support/source_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path SourceRoot()
{
    return test_support::SourceFile("");
}

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool IsKeyCharacter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

bool LooksLikeKey(const std::string& text, bool needsUnderscore)
{
    if (text.empty() || text.size() >= LanguageKeySize || text[0] < 'A' || text[0] > 'Z')
        return false;
    if (!std::all_of(text.begin(), text.end(), IsKeyCharacter))
        return false;
    return !needsUnderscore || text.find('_') != std::string::npos;
}

// C++ source cut into what the scanner needs: identifiers, punctuation and string literals, with
// comments and character literals dropped.
struct Token {
    enum Kind { Word, Punct, String } kind;
    std::string text;
    int line;
};

std::vector<Token> Tokenize(const std::string& source)
{
    std::vector<Token> tokens;
    int line = 1;
    std::size_t i = 0;
    auto at = [&](std::size_t k) { return k < source.size() ? source[k] : '\0'; };
    while (i < source.size()) {
        char c = source[i];
        if (c == '\n') {
            ++line;
            ++i;
        } else if (c == '/' && at(i + 1) == '/') {
            while (i < source.size() && source[i] != '\n')
                ++i;
        } else if (c == '/' && at(i + 1) == '*') {
            i += 2;
            while (i < source.size() && !(source[i] == '*' && at(i + 1) == '/'))
                line += source[i++] == '\n';
            i += 2;
        } else if (c == '"' || c == '\'') {
            std::string text;
            for (++i; i < source.size() && source[i] != c && source[i] != '\n'; ++i) {
                if (source[i] == '\\')
                    ++i;
                if (i < source.size())
                    text += source[i];
            }
            ++i;
            if (c == '"')
                tokens.push_back({Token::String, text, line});
        } else if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            std::size_t start = i;
            while (i < source.size() && (std::isalnum(static_cast<unsigned char>(source[i])) || source[i] == '_'))
                ++i;
            tokens.push_back({Token::Word, source.substr(start, i - start), line});
        } else {
            if (!std::isspace(static_cast<unsigned char>(c)))
                tokens.push_back({Token::Punct, std::string(1, c), line});
            ++i;
        }
    }
    return tokens;
}

using KeyUses = std::map<std::string, std::string>; // key -> first place it is used

void CollectCodeKeys(const std::string& source, const std::string& where, KeyUses& keys)
{
    std::vector<Token> tokens = Tokenize(source);
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i) {
        const Token& name = tokens[i];
        if (name.kind != Token::Word ||
            (name.text != "GetLanguageText" && name.text != "CopyLanguageText" && name.text != "LanguageKey"))
            continue;
        if (tokens[i + 1].kind != Token::Punct || tokens[i + 1].text != "(")
            continue;
        int depth = 0;
        for (std::size_t k = i + 1; k < tokens.size(); ++k) {
            const Token& t = tokens[k];
            if (t.kind == Token::Punct && t.text == "(")
                ++depth;
            if (t.kind == Token::Punct && t.text == ")" && --depth == 0)
                break;
            if (t.kind == Token::String && LooksLikeKey(t.text, false))
                keys.emplace(t.text, where + ":" + std::to_string(t.line));
        }
    }
}

// In a resource script every item text that is a key is looked up: the first string of a line,
// except on lines that name a file or a font rather than a text.
void CollectResourceKeys(const std::string& script, const std::string& where, KeyUses& keys)
{
    std::istringstream lines(script);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#' || line.compare(start, 4, "FONT") == 0)
            continue;
        std::size_t open = line.find('"');
        if (open == std::string::npos)
            continue;
        std::size_t close = line.find('"', open + 1);
        if (close == std::string::npos)
            continue;
        std::string text = line.substr(open + 1, close - open - 1);
        if (LooksLikeKey(text, true))
            keys.emplace(text, where + ":" + std::to_string(number));
    }
}

bool IsTestPath(const fs::path& path)
{
    return std::any_of(path.begin(), path.end(), [](const fs::path& part) { return part == "tests"; });
}

KeyUses KeysUsedByTheProgram()
{
    KeyUses keys;
    fs::path app = SourceRoot() / "app";
    for (const auto& entry : fs::recursive_directory_iterator(app, fs::directory_options::follow_directory_symlink)) {
        if (!entry.is_regular_file())
            continue;
        fs::path relative = fs::relative(entry.path(), SourceRoot());
        if (IsTestPath(relative))
            continue;
        std::string extension = entry.path().extension().string();
        if (extension == ".cpp" || extension == ".h")
            CollectCodeKeys(ReadFile(entry.path()), relative.generic_string(), keys);
        else if (extension == ".rc")
            CollectResourceKeys(ReadFile(entry.path()), relative.generic_string(), keys);
    }
    return keys;
}

std::string MasterFile()
{
    return ReadFile(SourceRoot() / "lang" / "English.lan");
}

TEST(EnglishLanguageFile, HoldsEveryKeyTheProgramUses)
{
    auto table = LanguageTable::Load(MasterFile());
    KeyUses used = KeysUsedByTheProgram();
    ASSERT_FALSE(used.empty()) << "no key found under " << (SourceRoot() / "app").string();
    for (const auto& [key, where] : used)
        EXPECT_NE(table->Find(key.c_str()), nullptr)
            << key << " (used at " << where << ") is missing from lang/English.lan";
}

TEST(EnglishLanguageFile, IsAWellFormedLanguageFileOfThisVersion)
{
    std::string file = MasterFile();
    ASSERT_FALSE(file.empty());
    auto table = LanguageTable::Load(file);
    EXPECT_EQ(table->Version(), LanguageFileVersion);

    std::set<std::string> seen;
    std::size_t start = 0;
    for (int number = 1; start < file.size(); ++number) {
        std::size_t end = file.find('\n', start);
        ASSERT_NE(end, std::string::npos) << "line " << number << " has no line end";
        ASSERT_GT(end, start) << "line " << number << " ends with a bare LF";
        ASSERT_EQ(file[end - 1], '\r') << "line " << number << " ends with a bare LF";
        std::string line = file.substr(start, end - 1 - start);
        start = end + 1;
        EXPECT_EQ(line.find('\r'), std::string::npos) << "line " << number << " holds a stray CR";
        // The file is Windows-1252: a UTF-8 encoded accent would show as two wrong characters.
        for (std::size_t k = 0; k + 1 < line.size(); ++k) {
            auto lead = static_cast<unsigned char>(line[k]), next = static_cast<unsigned char>(line[k + 1]);
            EXPECT_FALSE(lead >= 0xC2 && lead <= 0xEF && next >= 0x80 && next <= 0xBF)
                << "line " << number << " holds UTF-8 text: " << line;
        }
        if (line.empty() || line[0] == '#')
            continue;
        std::size_t equals = line.find('=');
        ASSERT_NE(equals, std::string::npos) << "line " << number << " is no KEY=text: " << line;
        std::string key = line.substr(0, equals);
        EXPECT_TRUE(LooksLikeKey(key, false)) << "line " << number << ": bad key " << key;
        EXPECT_TRUE(seen.insert(key).second) << "line " << number << ": " << key << " occurs twice";
    }
}

TEST(LanguageKeyScanner, FindsKeysInCallsOnly)
{
    KeyUses keys;
    CollectCodeKeys("const char* a = GetLanguageText(\"PERSON_TITLE\");\n"
                    "CopyLanguageText(table, cond ? \"BUTTON_OK\" : \"BUTTON_CANCEL\", buffer, Size(\"x\"));\n"
                    "// GetLanguageText(\"IN_A_COMMENT\")\n"
                    "/* CopyLanguageText(\"IN_A_BLOCK\") */\n"
                    "const char* k = LanguageKey(\"STANDARD_HE\");\n"
                    "std::string plain = \"NOT_LOOKED_UP\";\n"
                    "GetLanguageText(\"lower case\"); GetLanguageText(\"ESCAPED\\\"QUOTE\");\n",
                    "sample.cpp", keys);
    std::set<std::string> found;
    for (const auto& [key, where] : keys)
        found.insert(key);
    EXPECT_EQ(found, (std::set<std::string>{"PERSON_TITLE", "BUTTON_OK", "BUTTON_CANCEL", "STANDARD_HE"}));
    EXPECT_EQ(keys["BUTTON_OK"], "sample.cpp:2");
}

TEST(LanguageKeyScanner, FindsKeysInResourceScripts)
{
    KeyUses keys;
    CollectResourceKeys("#include \"resource.h\"\n"
                        "280 MENU\n"
                        "POPUP \"MENU_FILE\"\n"
                        "  MENUITEM \"MENU_FILE_OPEN\", 228\n"
                        "330 DIALOGEX 0, 0, 200, 100\n"
                        "CAPTION \"Vestrada\"\n"
                        "FONT 8, \"MS_SHELL\"\n"
                        "  CONTROL \"PREF_OTHER_REOPEN\", 1001, \"Button\", BS_AUTOCHECKBOX, 0, 0, 10, 10\n"
                        "  LTEXT \"Please select the language.\", 1045, 0, 0, 10, 10\n",
                        "app.rc", keys);
    std::set<std::string> found;
    for (const auto& [key, where] : keys)
        found.insert(key);
    EXPECT_EQ(found, (std::set<std::string>{"MENU_FILE", "MENU_FILE_OPEN", "PREF_OTHER_REOPEN"}));
}

} // namespace
