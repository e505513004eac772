// The import log: a text file beside the imported file into which the converter and the importers write
// counts and errors. Language texts that carry numbers or names are filled in by SubstituteText, never
// used as printf formats, so that a translation cannot make the program read arguments it never passed.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/file.h"

class ImportLog {
public:
    ImportLog() = default;
    ImportLog(const ImportLog&) = delete;
    ImportLog& operator=(const ImportLog&) = delete;
    ~ImportLog() { Close(); }
    // Creates (replaces) the file for writing, not shared; false when it cannot be created, and then
    // every write is lost.
    bool Create(const char* path);
    bool IsOpen() const { return file_.IsOpen(); }
    // Writes what is held and closes the file.
    void Close();
    // Appends the bytes; they reach the file in pieces, and all of them by Flush or Close.
    void Write(std::string_view text);
    // Writes what is held to the end of the file as it now is (after whatever another writer, the converter
    // in the Windows build, put there through the file's handle).
    void Flush();
    platform::File& File() { return file_; }

private:
    platform::File file_;
    std::string held_;
};

// `format` with its placeholders replaced in order by `values`: each "%" followed by optional flags, width
// and length letters and one of the conversions d, i, u, s takes the next value as text; "%%" is one "%".
// A placeholder with no value left, and any other "%", stands as it is.
std::string SubstituteText(std::string_view format, std::initializer_list<std::string_view> values);
