// The record loop and the readers of the header, submitters, repositories, sources, notes, media objects,
// and the pieces that many records share (addresses, notes, citations, media links, dates, texts).
#include "gedcom/record_reader.h"

#include <cctype>
#include <cstdio>
#include <cstring>

#include "gedcom/gedcom_dates.h"

namespace pendrax {

namespace {

constexpr size_t kFormatLimit = 11;
constexpr int kTemporaryNameAttempts = 100;

// Decoded inline media files are numbered on through the life of the loaded library.
int g_blobCounter = 0;

int BlobValue(char c)
{
    if (c == '.')
        return 0;
    if (c == '/')
        return 1;
    if (c >= '0' && c <= '9')
        return c - '0' + 2;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 12;
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 38;
    return 0;
}

bool IsAddressTag(Tag tag)
{
    return tag == Tag::ADDR || tag == Tag::PHON || tag == Tag::FAX || tag == Tag::EMAIL || tag == Tag::UserEMAIL ||
           tag == Tag::WWW;
}

} // namespace

std::string DecodeBlob(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    for (size_t i = 0; i + 4 <= text.size(); i += 4) {
        int a = BlobValue(text[i]), b = BlobValue(text[i + 1]), c = BlobValue(text[i + 2]), d = BlobValue(text[i + 3]);
        bytes += static_cast<char>((a * 4 + b / 16) & 0xFF);
        bytes += static_cast<char>(((b % 16) * 16 + c / 4) & 0xFF);
        bytes += static_cast<char>(((c % 4) * 64 + d) & 0xFF);
    }
    return bytes;
}

RecordReader::RecordReader(GedcomReader& reader, RecordStore& store, MediaFiles& media)
    : reader_(reader), store_(store), media_(media), options_(reader.Options())
{
}

bool RecordReader::Honours(Peculiarity peculiarity) const
{
    return options_.readExtensions && peculiarity_ == peculiarity;
}

int ProgressPercent(uint64_t position, uint64_t size)
{
    if (size == 0)
        return 0;
    // position * 100 would overflow only beyond 184 petabytes; the quotient is clamped for a position past the end.
    return static_cast<int>(std::min<uint64_t>(position * 100 / size, 100));
}

bool RecordReader::SendProgress()
{
    reader_.Host().InputRead(reader_.LinePosition());
    return reader_.Host().Progress(ProgressPercent(reader_.LinePosition(), reader_.InputSize()));
}

namespace {

std::string UpperCase(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!upper.empty() && upper.back() == ' ')
        upper.pop_back();
    return upper;
}

// True when the bytes are well-formed UTF-8 with at least one character beyond ASCII.
bool LooksLikeUtf8(std::span<const uint8_t> bytes)
{
    bool beyondAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        uint8_t lead = bytes[i];
        if (lead < 0x80) {
            ++i;
            continue;
        }
        size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
        if (length == 0 || i + length > bytes.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((bytes[i + k] & 0xC0) != 0x80)
                return false;
        beyondAscii = true;
        i += length;
    }
    return beyondAscii;
}

} // namespace

void RecordReader::SelectCharSet()
{
    const Header& header = store_.header;
    // A byte-order mark says more than any header: the file was written in that form.
    if (reader_.HasByteOrderMark())
        return;
    if (header.hasCharSet) {
        std::string name = UpperCase(header.charSetName);
        if (name == "ANSI" || name == "ISO-8859-1" || name == "ISO8859-1" || name == "LATIN1" ||
            name == "WINDOWS-1252" || name == "CP1252")
            return reader_.SetCharSet(CharSet::Ansi);
        if (name == "ANSEL")
            return reader_.SetCharSet(CharSet::Ansel);
        if (name == "IBMPC")
            return reader_.SetCharSet(CharSet::IbmPc);
        if (name == "UTF-8" || name == "UTF8")
            return reader_.SetCharSet(CharSet::Utf8);
        if (name == "UNICODE")
            return;
    } else if (header.gedcomVersion.starts_with("7") || LooksLikeUtf8(reader_.Input())) {
        // GEDCOM 7 names no set: its files are UTF-8, as are other files without CHAR whose bytes are.
        return reader_.SetCharSet(CharSet::Utf8);
    }
    reader_.LogError(LogUnknownCharSet, false);
    reader_.SetCharSet(CharSet::Ansel);
}

bool RecordReader::Run()
{
    if (!reader_.Next())
        return false;
    if (reader_.CurrentTag() != Tag::HEAD)
        reader_.LogError(LogNoHead, false);
    else if (!ReadHeader())
        return false;
    SelectCharSet();

    for (;;) {
        Tag tag = reader_.CurrentTag();
        if (tag == Tag::TRLR) {
            LinkFamilies();
            return true;
        }
        if (!SendProgress()) {
            reader_.LogError(LogStopped, false);
            return false;
        }
        bool read = true;
        if (reader_.Xref().empty()) {
            // Nothing could refer to such a record: it is logged and passed by with its lines.
            reader_.LogError(LogMissingXref, true);
            read = reader_.SkipSubtree();
            tag = Tag::None;
        }
        switch (tag) {
        case Tag::None:
            break;
        case Tag::SUBM:
            read = ReadSubmitter();
            break;
        case Tag::REPO:
            store_.repositoryXrefs.Add(reader_.Xref());
            read = ReadRepository();
            break;
        case Tag::SOUR:
            store_.sourceXrefs.Add(reader_.Xref());
            read = ReadSource();
            break;
        case Tag::INDI:
            store_.personXrefs.Add(reader_.Xref());
            read = ReadPerson();
            break;
        case Tag::FAM:
            read = ReadFamily();
            break;
        case Tag::NOTE:
            store_.noteXrefs.Add(reader_.Xref());
            read = ReadNoteRecord();
            break;
        case Tag::OBJE:
            store_.objectXrefs.Add(reader_.Xref());
            read = ReadObject();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
        if (!read)
            return false;
    }
}

bool RecordReader::ReadHeader()
{
    Header& header = store_.header;
    if (!reader_.Next())
        return false;
    Tag parent = Tag::None;
    while (reader_.Level() > 0) {
        Tag tag = reader_.CurrentTag();
        std::string value(reader_.Value());
        if (reader_.Level() == 1)
            parent = tag;
        bool read = true;
        switch (tag) {
        case Tag::CHAR:
            header.charSetName = value;
            header.hasCharSet = true;
            read = reader_.Next();
            break;
        case Tag::COPR:
            header.copyright = value;
            read = reader_.Next();
            break;
        case Tag::CORP: {
            int level = reader_.Level();
            header.corporation = value;
            read = reader_.Next();
            if (read && reader_.Level() > level && IsAddressTag(reader_.CurrentTag()))
                read = ReadAddress(header.corporationAddress);
            break;
        }
        case Tag::DATE:
            read = ReadSingleDate(header.date);
            break;
        case Tag::DEST:
            header.destination = value;
            read = reader_.Next();
            break;
        case Tag::FILE:
            header.fileName = value;
            read = reader_.Next();
            break;
        case Tag::FORM:
            header.gedcomForm = value;
            read = reader_.Next();
            break;
        case Tag::NAME:
            header.product = value;
            read = reader_.Next();
            break;
        case Tag::SOUR:
            header.system = value;
            peculiarity_ = value == "Legacy" || value == "LEGACY" ? Peculiarity::Legacy
                           : value == "FamilyOrigins"             ? Peculiarity::FamilyOrigins
                           : value == "BROSKEEP"                  ? Peculiarity::BrothersKeeper
                           : value == "FAMILY_HISTORIAN"          ? Peculiarity::FamilyHistorian
                                                                  : Peculiarity::None;
            read = reader_.Next();
            break;
        case Tag::SUBM:
            header.submitter = reader_.Pointer();
            read = reader_.Next();
            break;
        case Tag::VERS:
            if (parent == Tag::SOUR)
                header.version = value;
            else if (parent == Tag::GEDC)
                header.gedcomVersion = value;
            else if (parent == Tag::CHAR)
                header.charSetVersion = value;
            read = reader_.Next();
            break;
        case Tag::GEDC:
            read = reader_.Next();
            break;
        case Tag::DATA:
        case Tag::NOTE:
        case Tag::PLAC:
            read = reader_.SkipSubtree();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
        if (!read)
            return false;
    }
    return true;
}

bool RecordReader::ReadSubmitter()
{
    Submitter submitter;
    submitter.xref = reader_.Xref();
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        switch (reader_.CurrentTag()) {
        case Tag::ADDR:
            read = ReadAddress(submitter.address);
            break;
        case Tag::CHAN:
            read = ReadChange(submitter.change);
            break;
        case Tag::NAME:
            submitter.name = reader_.Value();
            read = reader_.Next();
            break;
        case Tag::UserEMAIL:
            submitter.email = reader_.Value();
            read = reader_.Next();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    store_.submitters.push_back(std::move(submitter));
    return read;
}

bool RecordReader::ReadRepository()
{
    Repository repository;
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        switch (reader_.CurrentTag()) {
        case Tag::ADDR:
            read = ReadAddress(repository.address);
            break;
        case Tag::CHAN:
            read = ReadChange(repository.change);
            break;
        case Tag::NAME:
            repository.name = reader_.Value();
            read = reader_.Next();
            break;
        case Tag::NOTE:
            read = ReadNote(repository.notes, false);
            break;
        case Tag::REFN:
        case Tag::RIN:
            read = reader_.NotConverted();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    store_.repositories.push_back(std::move(repository));
    return read;
}

bool RecordReader::ReadSource()
{
    Source source;
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        switch (reader_.CurrentTag()) {
        case Tag::ABBR:
            source.shortTitle = reader_.Value();
            read = reader_.Next();
            break;
        case Tag::AUTH:
            read = ReadText(source.author, "\n");
            break;
        case Tag::PUBL:
            read = ReadText(source.published, "\n");
            break;
        case Tag::TEXT:
            read = ReadText(source.text, "\n");
            break;
        case Tag::TITL:
            read = ReadText(source.title, "\n");
            break;
        case Tag::CHAN:
            read = ReadChange(source.change);
            break;
        case Tag::NOTE:
            read = ReadNote(source.notes, false);
            break;
        case Tag::OBJE:
            read = ReadMediaLink(source.media);
            break;
        case Tag::REPO: {
            if (reader_.Pointer().empty()) {
                reader_.LogError(LogMissingXref, true);
                read = reader_.SkipSubtree();
                break;
            }
            RepositoryCitation citation;
            citation.pointer = reader_.Pointer();
            int level = reader_.Level();
            read = reader_.Next();
            while (read && reader_.Level() > level) {
                if (reader_.CurrentTag() == Tag::CALN) {
                    citation.callNumber = reader_.Value();
                    read = reader_.Next();
                } else if (reader_.CurrentTag() == Tag::NOTE) {
                    read = ReadNote(citation.notes, false);
                } else {
                    read = reader_.SkipUnexpected();
                }
            }
            // The output has room for one repository citation: the first one stays.
            if (source.repository.pointer.empty())
                source.repository = std::move(citation);
            break;
        }
        case Tag::REFN:
        case Tag::RIN:
            read = reader_.NotConverted();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    store_.sources.push_back(std::move(source));
    return read;
}

bool RecordReader::ReadNoteRecord()
{
    NoteRecord note;
    note.text = reader_.Value();
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        switch (reader_.CurrentTag()) {
        case Tag::CONC:
            note.text += reader_.Value();
            read = reader_.Next();
            break;
        case Tag::CONT:
            note.text += "\r\n";
            note.text += reader_.Value();
            read = reader_.Next();
            break;
        case Tag::CHAN:
        case Tag::REFN:
        case Tag::SOUR:
            read = reader_.NotConvertedSubtree();
            break;
        case Tag::RIN:
            read = reader_.NotConverted();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    store_.notes.push_back(std::move(note));
    return read;
}

bool RecordReader::ReadObject()
{
    MediaObject object;
    bool read = reader_.Next();
    while (read && reader_.Level() > 0) {
        switch (reader_.CurrentTag()) {
        case Tag::BLOB:
            read = ReadBlob(object.blob);
            break;
        case Tag::FILE: // the GEDCOM 5.5.1 form of a media record
            object.file = reader_.Value();
            object.fileLine = reader_.LineNumber();
            read = reader_.Next();
            break;
        case Tag::FORM:
            object.format = reader_.Value().substr(0, kFormatLimit);
            read = reader_.Next();
            break;
        case Tag::NOTE:
            read = ReadNote(object.notes, false);
            break;
        case Tag::REFN:
        case Tag::RIN:
            read = reader_.Next();
            break;
        case Tag::TITL:
            object.title = reader_.Value();
            read = reader_.Next();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    // Decoded once the record is read, so that a FORM after the BLOB names the file's type too.
    if (!object.blob.empty())
        StoreBlob(object);
    store_.objects.push_back(std::move(object));
    return read;
}

void RecordReader::StoreBlob(MediaObject& object)
{
    // The type comes from the file: only letters and digits may reach the file name.
    std::string extension;
    for (char c : object.format)
        if (std::isalnum(static_cast<unsigned char>(c)))
            extension += c;
    std::string bytes = DecodeBlob(object.blob);
    object.blob.clear();
    object.blob.shrink_to_fit();
    // The next free name: a file left by another program or an earlier conversion is never replaced.
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "OBJ%05d", ++g_blobCounter % 100000);
        std::string fileName = name;
        if (!extension.empty())
            fileName += "." + extension;
        if (auto path = media_.WriteTemporary(fileName, bytes)) {
            object.file = *path;
            return;
        }
    }
}

bool RecordReader::ReadBlob(std::string& data)
{
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        if (reader_.CurrentTag() == Tag::CONT) {
            data += reader_.Value();
            read = reader_.Next();
        } else {
            read = reader_.SkipUnexpected();
        }
    }
    return read;
}

bool RecordReader::ReadAddress(Address& address)
{
    int runLevel = reader_.Level();
    bool read = true;
    auto keep = [&](Text& field) {
        if (field.empty())
            field = reader_.Value();
        read = reader_.Next();
    };
    while (read && reader_.Level() == runLevel) {
        switch (reader_.CurrentTag()) {
        case Tag::ADDR: {
            if (!reader_.Value().empty())
                address.lines.emplace_back(reader_.Value());
            read = reader_.Next();
            while (read && reader_.Level() > runLevel) {
                Tag tag = reader_.CurrentTag();
                if (tag == Tag::CONT) {
                    address.lines.emplace_back(reader_.Value());
                    read = reader_.Next();
                } else if (tag == Tag::ADR1 || tag == Tag::ADR2 || tag == Tag::CITY || tag == Tag::CTRY ||
                           tag == Tag::POST || tag == Tag::STAE) {
                    read = reader_.NotConverted();
                } else {
                    return true; // left to the enclosing record
                }
            }
            break;
        }
        case Tag::PHON:
            keep(address.phone);
            break;
        case Tag::FAX:
            keep(address.fax);
            break;
        case Tag::EMAIL:
        case Tag::UserEMAIL:
            keep(address.email);
            break;
        case Tag::WWW:
            keep(address.web);
            break;
        default:
            return true;
        }
    }
    return read;
}

bool RecordReader::ReadNote(std::vector<Note>& notes, bool citationsAllowed)
{
    Note note;
    int level = reader_.Level();
    std::string text;
    if (!reader_.Pointer().empty())
        note.pointer = reader_.Pointer();
    else
        text = reader_.Value();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        switch (reader_.CurrentTag()) {
        case Tag::CONC:
            text += reader_.Value();
            read = reader_.Next();
            break;
        case Tag::CONT:
            text += "\r\n";
            text += reader_.Value();
            read = reader_.Next();
            break;
        case Tag::SOUR:
            read = citationsAllowed ? ReadCitation(note.citations) : reader_.NotConvertedSubtree();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    note.text = text;
    notes.push_back(std::move(note));
    return read;
}

bool RecordReader::ReadCitation(std::vector<int>& owner)
{
    Citation citation;
    int level = reader_.Level();
    bool read = true;
    if (!reader_.Pointer().empty()) {
        citation.pointer = reader_.Pointer();
        read = reader_.Next();
        while (read && reader_.Level() > level) {
            switch (reader_.CurrentTag()) {
            case Tag::DATA: {
                int dataLevel = reader_.Level();
                read = reader_.Next();
                while (read && reader_.Level() > dataLevel &&
                       (reader_.CurrentTag() == Tag::DATE || reader_.CurrentTag() == Tag::TEXT)) {
                    if (reader_.CurrentTag() == Tag::DATE) {
                        citation.dataDate = reader_.Value();
                        read = reader_.Next();
                    } else {
                        read = ReadText(citation.dataText, "\r\n");
                    }
                }
                break;
            }
            case Tag::NOTE:
                read = ReadNote(citation.notes, false);
                break;
            case Tag::PAGE:
                citation.page = reader_.Value();
                read = reader_.Next();
                break;
            case Tag::QUAY:
                citation.quality = reader_.Value();
                read = reader_.Next();
                break;
            default:
                read = reader_.SkipUnexpected();
                break;
            }
        }
    } else {
        std::string sourceText(reader_.Value());
        read = reader_.Next();
        while (read && reader_.Level() > level) {
            switch (reader_.CurrentTag()) {
            case Tag::CONC:
                sourceText += reader_.Value();
                read = reader_.Next();
                break;
            case Tag::CONT:
                sourceText += "\r\n";
                sourceText += reader_.Value();
                read = reader_.Next();
                break;
            case Tag::NOTE:
                read = ReadNote(citation.notes, false);
                break;
            case Tag::TEXT:
                read = ReadText(citation.dataText, "\r\n");
                break;
            case Tag::PAGE:
                if (Honours(Peculiarity::BrothersKeeper)) {
                    citation.page = reader_.Value();
                    read = reader_.Next();
                } else {
                    read = reader_.SkipUnexpected();
                }
                break;
            default:
                read = reader_.SkipUnexpected();
                break;
            }
        }
        citation.sourceText = sourceText;
    }
    store_.citations.Write(citation);
    owner.push_back(static_cast<int>(store_.citations.Count()));
    return read;
}

bool RecordReader::ReadMediaLink(std::vector<MediaLink>& links)
{
    MediaLink link;
    int level = reader_.Level();
    link.pointer = reader_.Pointer();
    bool read = reader_.Next();
    while (read && link.pointer.empty() && reader_.Level() > level) {
        switch (reader_.CurrentTag()) {
        case Tag::FILE:
            link.file = reader_.Value();
            link.fileLine = reader_.LineNumber();
            read = reader_.Next();
            break;
        case Tag::FORM:
            link.format = reader_.Value().substr(0, kFormatLimit);
            read = reader_.Next();
            break;
        case Tag::NOTE:
            read = ReadNote(link.notes, false);
            break;
        case Tag::TITL:
            link.title = reader_.Value();
            read = reader_.Next();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    links.push_back(std::move(link));
    return read;
}

bool RecordReader::ReadChange(SimpleDate& change)
{
    int level = reader_.Level();
    bool read = reader_.Next();
    while (read && reader_.Level() > level) {
        switch (reader_.CurrentTag()) {
        case Tag::DATE:
            read = ReadSingleDate(change);
            break;
        case Tag::NOTE:
            read = reader_.NotConvertedSubtree();
            break;
        default:
            read = reader_.SkipUnexpected();
            break;
        }
    }
    return read;
}

bool RecordReader::ReadDate(GedcomDate& date)
{
    int level = reader_.Level();
    DateRules rules;
    rules.defaultGregorian = options_.defaultGregorian;
    rules.keepUnreadDates = options_.keepUnreadDates;
    rules.numericDates = Honours(Peculiarity::BrothersKeeper);
    rules.logWarnings = options_.logLevel == 0;
    DateReading reading = ReadDateValue(reader_.Value(), rules);
    for (int code : reading.logCodes)
        reader_.LogError(code, true);
    date = std::move(reading.date);
    if (!reader_.Next())
        return false;
    if (date.kind == DateKind::Exact && reader_.CurrentTag() == Tag::TIME && reader_.Level() >= level) {
        if (options_.logLevel == 0)
            reader_.LogError(LogTimeOnDate, true);
        ReadTimeValue(reader_.Value(), date.first);
        return reader_.Next();
    }
    return true;
}

bool RecordReader::ReadSingleDate(SimpleDate& date)
{
    int level = reader_.Level();
    date = ReadSimpleDateValue(reader_.Value(), options_.defaultGregorian);
    if (!reader_.Next())
        return false;
    if (reader_.CurrentTag() == Tag::TIME && reader_.Level() >= level) {
        ReadTimeValue(reader_.Value(), date);
        return reader_.Next();
    }
    return true;
}

bool RecordReader::ReadText(Text& text, std::string_view lineBreak)
{
    std::string built;
    bool read = ReadText(built, lineBreak);
    text = built;
    return read;
}

bool RecordReader::ReadText(std::string& text, std::string_view lineBreak)
{
    int level = reader_.Level();
    text = reader_.Value();
    bool read = reader_.Next();
    while (read && reader_.Level() > level &&
           (reader_.CurrentTag() == Tag::CONC || reader_.CurrentTag() == Tag::CONT)) {
        if (reader_.CurrentTag() == Tag::CONT)
            text += lineBreak;
        text += reader_.Value();
        read = reader_.Next();
    }
    return read;
}

} // namespace pendrax
