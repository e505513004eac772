// The GEDCOM import: the converter turns the GEDCOM file into a Wexmor file in the temporary folder, which
// the Wexmor import then reads into the open database; the temporary file is removed at the end. The
// converter takes its texts (log messages, names of the built-in event types) from the language table
// through GedcomImportMessageText.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "exchange/import_data.h"
#include "gedcom/pendrax.h"

class Database;
class ImportLog;

// The text of a converter's code: below 1000 a log message (GEDCOM_IMPORT_ERROR and the code), 1000 to
// 1050 the name of a built-in event or attribute type (GEDCOM_ and its tag), 1051 the word for a family
// (GEDCOM_FAMILY). The text stays valid until the next call.
const char* PENDRAX_CALL GedcomImportMessageText(std::int32_t code);

// The tag of a type code 1000 to 1050; null outside.
const char* GedcomTypeCodeTag(std::int32_t code);

class GedcomImport {
public:
    explicit GedcomImport(ImportWizardData& block);
    GedcomImport(const GedcomImport&) = delete;
    GedcomImport& operator=(const GedcomImport&) = delete;
    // Removes the temporary file.
    ~GedcomImport();

    // Makes the temporary file (prefix "VES") and fills the converter's parameters; false when no
    // temporary file can be made.
    bool Prepare();
    const ConvertParams& Params() const { return params_; }
    // Runs the converter. `dialog` (a window, or null) receives the converter's progress messages in the
    // Windows build, where the converter is the DLL; the portable build asks `progress` instead (false
    // stops). The converter's result (0 success).
    std::int32_t Convert(void* dialog, const std::function<bool(int)>& progress);
    // The block of the second pass: a copy of the wizard's block whose input is the converted file; media
    // named by relative paths are still looked for beside the GEDCOM file.
    ImportWizardData& ConvertedBlock() { return converted_; }
    const std::string& TemporaryPath() const { return temporary_; }

private:
    ImportWizardData& block_;
    ImportWizardData converted_;
    ConvertParams params_ = {};
    std::string temporary_;
};

// The whole GEDCOM import without a window: conversion, then the Wexmor import into `database`. Sets the
// block's failed flag; true when the records are stored.
bool ImportGedcomFile(Database& database, ImportWizardData& block);
