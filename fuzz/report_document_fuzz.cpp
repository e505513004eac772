// Report documents as a damaged disk or a hand-edited file may leave them: the reader walks every record
// and may never step outside the document, nor backwards.
#include "report/output/report_document_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "report_document_fuzz: %s\n", what);
    std::abort();
}

bool Inside(const std::uint8_t* begin, std::size_t size, const void* at, std::size_t length)
{
    const auto* p = static_cast<const std::uint8_t*>(at);
    return length == 0 || (p >= begin && p <= begin + size && length <= static_cast<std::size_t>(begin + size - p));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A copy of exactly the input's length, so that the sanitizer sees any read past it.
    const std::vector<std::uint8_t> bytes(data, data + size);
    ReportDocumentReader reader(bytes.data(), bytes.size());
    if (reader.Check() != ReportDocumentCheck::Valid)
        return 0;
    for (std::uint8_t style = 0; style < ReportStyleCount; ++style)
        if (reader.Style(style).faceName[ReportFaceNameSize - 1] != '\0')
            Fail("a face name without its zero");
    ReportRecord record;
    std::size_t last = reader.Position();
    while (reader.Next(record)) {
        if (reader.Position() <= last || reader.Position() > bytes.size())
            Fail("the reader did not move forward within the document");
        if (!Inside(bytes.data(), bytes.size(), record.text.data(), record.text.size()))
            Fail("a text outside the document");
        if (record.kind == ReportRecordKind::Picture &&
            !Inside(bytes.data(), bytes.size(), record.image, record.picture.imageSize))
            Fail("a picture's image outside the document");
        if (record.kind == ReportRecordKind::Table &&
            (record.table.columns == 0 || record.table.columns > TableColumnCapacity))
            Fail("a table of a column count no reader can lay out");
        last = reader.Position();
    }
    return 0;
}
