// Typed text through the date parser and formatter and the name and place parsers. The first byte picks the
// input picture; the rest is the text. A typed date must read back from its own input form exactly.
#include "core/database.h"
#include "core/date_format.h"
#include "core/date_parser.h"
#include "core/date_pictures.h"
#include "core/name_record.h"
#include "core/place_record.h"
#include "language/language_table.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

// The master language file of the source tree, wherever the fuzzer is started.
constexpr const char* EnglishLanguageFile = VESTRADA_SOURCE_DIR "/lang/English.lan";

void LoadEnglishOnce()
{
    static std::unique_ptr<LanguageTable> english = [] {
        std::unique_ptr<LanguageTable> table = LanguageTable::LoadFile(EnglishLanguageFile);
        if (!table) {
            std::fprintf(stderr, "typed_text_fuzz: cannot load %s\n", EnglishLanguageFile);
            std::abort();
        }
        return table;
    }();
    CurrentLanguageTable = english.get();
}

void Dates(const char* typed, const char* picture)
{
    char text[256];
    std::snprintf(text, sizeof text, "%s", typed);
    DateRange range{};
    ParseDateRange(text, range, picture);

    char shown[256];
    for (bool withTime : {false, true})
        FormatDateRange(shown, sizeof shown, range, DisplayDatePicture(0) ? DisplayDatePicture(0) : picture,
                        withTime, false);

    char input[256];
    FormatDateRange(input, sizeof input, range, picture, true, true);
    DateRange again{};
    ParseDateRange(input, again, picture);
    if (std::memcmp(&range, &again, sizeof range) != 0) {
        std::fprintf(stderr, "typed \"%s\" read back differently from its input form \"%s\"\n", typed, input);
        std::abort();
    }
}

void NamesAndPlaces(const char* typed)
{
    Database database;
    char out[512];
    NameRecord name(database);
    name.ParseEditText(typed);
    name.FormatEditText(out, sizeof out);
    name.ComputeDisplayText(out, sizeof out);
    name.GetGivenNames(out, sizeof out);
    name.GetSurname(out, sizeof out);
    name.GetAfterSurname(out, sizeof out);
    name.Format(out, sizeof out, 7);
    for (int n = 0; n <= name.CountParts(); ++n)
        name.GetPartText(n);

    PlaceRecord place(database);
    place.Parse(typed);
    place.Format(out, sizeof out);
    place.ComputeSortTexts();
    for (int n = 0; n <= place.CountParts(); ++n)
        place.GetPartText(n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    LoadEnglishOnce();
    if (size == 0)
        return 0;
    const char* picture = InputDatePicture(data[0] % 7);
    std::string typed(reinterpret_cast<const char*>(data + 1), size - 1);
    typed = typed.c_str(); // a field holds text up to its first NUL
    Dates(typed.c_str(), picture);
    NamesAndPlaces(typed.c_str());
    return 0;
}
