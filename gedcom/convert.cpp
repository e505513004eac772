#include "gedcom/convert.h"

#include "gedcom/gedcom_reader.h"
#include "gedcom/record_reader.h"
#include "gedcom/wexmor_writer.h"

namespace pendrax {

ConvertResult Convert(std::span<const uint8_t> input, const ConvertOptions& options, ConvertHost& host)
{
    RecordStore store;
    {
        GedcomReader reader(input, options, host);
        RecordReader records(reader, store, host.Media());
        if (!records.Run())
            return ConvertReadFailed;
    }
    if (!host.CreateOutput())
        return ConvertOutputFailed;
    WexmorWriter writer(store, options, host);
    writer.Write();
    return ConvertOk;
}

} // namespace pendrax
