#include "gedcom/convert.h"

#include "gedcom/gedcom_reader.h"
#include "gedcom/record_reader.h"
#include "gedcom/wexmor_writer.h"

namespace pendrax {

namespace {

ConvertResult Run(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host, bool& outputCreated)
{
    RecordStore store;
    ArenaScope texts(store.texts);
    {
        GedcomReader reader(input, options, host);
        RecordReader records(reader, store, host.Media());
        if (!records.Run())
            return ConvertReadFailed;
    }
    if (!host.CreateOutput())
        return ConvertOutputFailed;
    outputCreated = true;
    WexmorWriter writer(store, options, host);
    writer.Write();
    return ConvertOk;
}

} // namespace

ConvertResult Convert(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host)
{
    bool outputCreated = false;
    ConvertResult result = ConvertReadFailed;
    // Nothing thrown inside (memory running out above all) leaves the conversion: it failed, and what it
    // wrote of the output goes.
    try {
        result = Run(input, options, host, outputCreated);
    } catch (...) {
        result = ConvertReadFailed;
        if (outputCreated)
            host.DiscardOutput();
    }
    // Decoded inline data were needed only for the output.
    host.Media().RemoveTemporaries();
    return result;
}

} // namespace pendrax
