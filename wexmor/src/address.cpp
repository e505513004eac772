// Postal addresses: typed parts and line breaks, phone and fax.
#include <cstring>

#include "accessors.h"
#include "elements.h"
#include "parts.h"

using namespace wexmor;

WZ_LIFETIME(WZAddress, Address)
WZ_TEXT(WZAddress, AddressPhone, phone)
WZ_TEXT(WZAddress, AddressFax, fax)

namespace {

const char kLineBreak[] = "<lf/>";
const int kUnknownAddressPart = 0;
const size_t kLinePartLength = 63;

} // namespace

extern "C" void WZAPI AddAddressPart(const char* text, int type, WZAddress* address)
{
    if (!address)
        return;
    if (!text)
        address->parts.Append(kLineBreak);
    else
        AppendPart(address->parts, "ap", WordAt(kAddressPartWords, type), text);
}

extern "C" int WZAPI GetAddressPart(char* buffer, int size, int continueReading, WZAddress* address)
{
    if (!address)
        return WZ_ADDRESS_END;
    if (!continueReading)
        address->cursor = 0;
    if (TakeLiteral(address->parts, address->cursor, kLineBreak))
        return WZ_ADDRESS_LINE_BREAK;
    ParsedPart part;
    if (!ParsePart(address->parts, address->cursor, "ap", part))
        return WZ_ADDRESS_END;
    int type = kUnknownAddressPart;
    if (part.hasCode) {
        int index = FindCodeByPrefix(kAddressPartWords, part.code, part.codeLength);
        if (index >= 0)
            type = index;
    }
    CopyPartText(part, buffer, size);
    address->cursor = part.end;
    return type;
}

extern "C" int WZAPI GetAddressLine(char* buffer, int size, int continueReading, WZAddress* address)
{
    if (!address)
        return 0;
    WexmorText line;
    bool any = false;
    int continueFlag = continueReading;
    for (;;) {
        char part[kLinePartLength + 1];
        int type = GetAddressPart(part, sizeof part, continueFlag, address);
        continueFlag = 1;
        if (type == WZ_ADDRESS_END)
            break;
        any = true;
        if (type == WZ_ADDRESS_LINE_BREAK)
            break;
        if (line.Length())
            line.Append(" ");
        line.Append(part);
    }
    if (buffer && size > 0) {
        size_t count = line.Length() < static_cast<size_t>(size - 1) ? line.Length() : static_cast<size_t>(size - 1);
        std::memcpy(buffer, line.Read(), count);
        buffer[count] = '\0';
    }
    return any ? 1 : 0;
}

namespace wexmor {

void WriteAddress(WexmorFile& file, const WZAddress& address)
{
    WriteLiteral(file, "<address>");
    WriteLiteral(file, address.parts.Read());
    WriteOptionalText(file, "phone", address.phone);
    WriteOptionalText(file, "fax", address.fax);
    WriteLiteral(file, "</address>");
}

int ReadAddress(WexmorFile& file, std::unique_ptr<WZAddress>& slot)
{
    WZAddress* address = NewInto(slot);
    if (!address)
        return kNoMemory;
    if (!OpenPlainElement(file, "address"))
        return kErrorAddress;
    for (;;) {
        if (MatchLiteral(file, kLineBreak, true)) {
            address->parts.Append(kLineBreak);
        } else if (IsStartTagNext(file, "ap")) {
            if (!AppendRawPart(file, address->parts))
                return kErrorAddressPart;
        } else {
            break;
        }
    }
    if (int error = ReadOptionalText(file, address->phone, "phone", kErrorPhone))
        return error;
    if (int error = ReadOptionalText(file, address->fax, "fax", kErrorFax))
        return error;
    return MatchEndTag(file, "address") ? 0 : kErrorAddress;
}

} // namespace wexmor
