#include "core/note_text.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <unordered_set>

#include "core/database.h"

std::int32_t NoteRow::Read(std::int32_t rowId, Database& database)
{
    id = rowId;
    return tlvReadRecord(database.TableId(TableNote), id, &row, database.file);
}

std::int32_t NoteRow::Write(Database& database) const
{
    return tlvWriteRecord(database.TableId(TableNote), id, &row, database.file);
}

NoteText::NoteText(const NoteText& other) : ownerId(other.ownerId), ownerType(other.ownerType), firstId_(other.firstId_)
{
    if (other.text_)
        SetText(other.text_.get());
}

std::vector<std::int32_t> NoteChainIds(std::int32_t firstId, Database& database, std::int32_t* readError)
{
    std::vector<std::int32_t> ids;
    std::unordered_set<std::int32_t> seen;
    NoteRow row;
    std::int32_t error = 0;
    for (std::int32_t id = firstId; id != 0 && seen.insert(id).second; id = row.row.nextId) {
        error = row.Read(id, database);
        if (error != 0)
            break;
        ids.push_back(id);
    }
    if (readError)
        *readError = error;
    return ids;
}

namespace {

// The chain's ids, or nothing when a read failed for another reason than the row being gone (a chain
// that ends in a dead row is cut short there, which a save mends).
std::optional<std::vector<std::int32_t>> ReadableChain(std::int32_t firstId, Database& database)
{
    std::int32_t error = 0;
    std::vector<std::int32_t> ids = NoteChainIds(firstId, database, &error);
    if (error != 0 && error != TLV_ERROR_RECORD)
        return std::nullopt;
    return ids;
}

} // namespace

void NoteText::Load(std::int32_t firstId, Database& database)
{
    Clear();
    firstId_ = firstId;
    // The stored total length only hints at the size: the pieces decide what the text is.
    std::string text;
    std::unordered_set<std::int32_t> seen;
    NoteRow row;
    bool first = true;
    for (std::int32_t id = firstId; id != 0 && seen.insert(id).second; id = row.row.nextId) {
        if (row.Read(id, database) != 0) {
            if (first)
                firstId_ = 0;
            break;
        }
        if (first && row.row.totalLength > 0)
            text.reserve(std::min<std::size_t>(static_cast<std::size_t>(row.row.totalLength), 1u << 20));
        text.append(row.row.piece, strnlen(row.row.piece, NotePieceSize));
        first = false;
    }
    if (firstId_ != 0)
        SetText(text.c_str());
}

bool NoteText::Save(Database& database)
{
    const std::size_t textLength = text_ ? std::strlen(text_.get()) : 0;
    if (textLength == 0) {
        if (firstId_ != 0 && !DeleteChain(firstId_, database))
            return false;
        firstId_ = 0;
        return true;
    }

    // Rows of the old chain are reused in order; rows it lacks are issued, rows left over deleted.
    const std::size_t pieces = (textLength + NotePieceSize - 1) / NotePieceSize;
    std::vector<std::int32_t> ids;
    if (firstId_ != 0) {
        std::optional<std::vector<std::int32_t>> chain = ReadableChain(firstId_, database);
        if (!chain)
            return false;
        ids = std::move(*chain);
    }
    const std::int32_t table = database.TableId(TableNote);
    for (std::size_t i = pieces; i < ids.size(); ++i)
        if (tlvDeleteRecord(table, ids[i], database.file) != 0)
            return false;
    if (ids.size() > pieces)
        ids.resize(pieces);
    while (ids.size() < pieces) {
        std::int32_t id = tlvNewID(table, database.file);
        if (id <= 0)
            return false;
        ids.push_back(id);
    }

    for (std::size_t i = 0; i < pieces; ++i) {
        NoteRow row;
        row.id = ids[i];
        row.row.ownerId = ownerId;
        row.row.ownerType = ownerType;
        row.row.totalLength = i == 0 ? static_cast<std::int32_t>(textLength) : 0;
        const std::size_t start = i * NotePieceSize;
        std::memcpy(row.row.piece, text_.get() + start, std::min(NotePieceSize, textLength - start));
        row.row.nextId = i + 1 < pieces ? ids[i + 1] : 0;
        if (row.Write(database) != 0)
            return false;
    }
    firstId_ = ids.front();
    length_ = textLength;
    return true;
}

std::int32_t NoteText::StoreNew(const char* text, std::int32_t ownerId, std::uint8_t ownerType, Database& database)
{
    NoteText note;
    note.SetText(text);
    note.ownerId = ownerId;
    note.ownerType = ownerType;
    return note.Save(database) ? note.GetFirstId() : 0;
}

bool NoteText::DeleteChain(std::int32_t firstId, Database& database)
{
    std::optional<std::vector<std::int32_t>> chain = ReadableChain(firstId, database);
    if (!chain)
        return false;
    const std::int32_t table = database.TableId(TableNote);
    for (std::int32_t id : *chain)
        if (tlvDeleteRecord(table, id, database.file) != 0)
            return false;
    return true;
}

void NoteText::Reserve(std::size_t n)
{
    text_ = std::make_unique<char[]>(n + 1);
    length_ = n + 1;
}

void NoteText::Clear()
{
    text_.reset();
    length_ = 0;
}

void NoteText::SetText(const char* text)
{
    if (text == nullptr) {
        Clear();
        return;
    }
    const std::size_t n = std::strlen(text);
    Reserve(n);
    std::memcpy(text_.get(), text, n);
}

void NoteText::Append(const char* text)
{
    if (text == nullptr || *text == '\0')
        return;
    if (!text_) {
        SetText(text);
        return;
    }
    const std::size_t old = std::strlen(text_.get());
    const std::size_t added = std::strlen(text);
    if (old + added + 1 > length_) {
        auto grown = std::make_unique<char[]>(old + added + 1);
        std::memcpy(grown.get(), text_.get(), old);
        text_ = std::move(grown);
        length_ = old + added + 1;
    }
    std::memcpy(text_.get() + old, text, added + 1);
}
