#include "records/media_record.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/linked_saves.h"
#include "core/write_transaction.h"
#include "platform/bulk_memory.h"
#include "platform/file.h"
#include "platform/little_endian.h"
#include "records/record_lists.h"
#include "settings/settings.h"

namespace {

std::string TextField(const std::uint8_t* field, std::size_t size)
{
    const auto* begin = reinterpret_cast<const char*>(field);
    return std::string(begin, strnlen(begin, size));
}

void StoreTextField(std::uint8_t* field, std::size_t size, const char* text)
{
    StoreField(reinterpret_cast<char*>(field), size, text);
}

} // namespace

std::int32_t MediaChunk::Read(std::int32_t rowId, Database& database)
{
    id = rowId;
    std::array<std::uint8_t, TLV_MAX_RECORD_LENGTH> buffer = {};
    const std::int32_t result = tlvReadRecord(database.TableId(TableMediaData), rowId, buffer.data(), database.file);
    if (result == 0)
        std::memcpy(row.data(), buffer.data(), row.size());
    return result;
}

std::int32_t MediaChunk::Write(Database& database) const
{
    return tlvWriteRecord(database.TableId(TableMediaData), id, row.data(), database.file);
}

std::int32_t MediaChunk::Next() const
{
    return platform::GetI32(row.data() + media_data_row::NextOffset);
}

void MediaChunk::SetNext(std::int32_t next)
{
    platform::PutI32(row.data() + media_data_row::NextOffset, next);
}

bool MediaChunk::DeleteChain(std::int32_t firstId, Database& database, const std::set<std::int32_t>* keep)
{
    const std::int32_t table = database.TableId(TableMediaData);
    std::set<std::int32_t> visited;
    bool ok = true;
    MediaChunk chunk;
    for (std::int32_t id = firstId; id > 0 && visited.insert(id).second && (keep == nullptr || keep->count(id) == 0);) {
        if (chunk.Read(id, database) != 0)
            break;
        ok = tlvDeleteRecord(table, id, database.file) == 0 && ok;
        id = chunk.Next();
    }
    return ok;
}

MediaBytes::~MediaBytes()
{
    platform::FreeBulkMemory(data_, size_);
}

MediaBytes MediaBytes::Allocate(std::size_t size)
{
    MediaBytes bytes;
    if (size != 0) {
        bytes.data_ = static_cast<std::uint8_t*>(platform::AllocateBulkMemory(size));
        if (bytes.data_ == nullptr)
            return bytes;
        bytes.size_ = size;
    }
    bytes.held_ = true;
    return bytes;
}

void MediaBytes::Swap(MediaBytes& other) noexcept
{
    std::swap(data_, other.data_);
    std::swap(size_, other.size_);
    std::swap(held_, other.held_);
}

MediaRecord::~MediaRecord() = default;

std::int32_t MediaRecord::Read(std::int32_t id)
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running()) {
        id_ = 0;
        return TLV_ERROR_NOTRANSACTION;
    }
    return ReadRow(TableMedia, id, row_.data(), row_.size());
}

void MediaRecord::Load(std::int32_t id)
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    Read(id);
    LoadData();
}

void MediaRecord::LoadData()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    note_ = std::make_unique<NoteText>();
    if (NoteId() != 0)
        note_->Load(NoteId(), *database_);
    if (data_.Held())
        return;
    // The size and the chain come from the file, and a damaged row may claim more bytes than its chain holds:
    // the chain is walked first, and only the bytes it holds are taken, so a false size costs no memory and
    // is not written back as bytes that were never stored.
    const std::uint32_t size = DataSize();
    std::vector<std::int32_t> chain;
    std::uint64_t covered = 0;
    MediaChunk chunk;
    std::set<std::int32_t> visited;
    for (std::int32_t id = FirstDataId(); id != 0 && covered < size && visited.insert(id).second;) {
        if (chunk.Read(id, *database_) != 0)
            break;
        chain.push_back(id);
        covered += media_data_row::DataSize;
        id = chunk.Next();
    }
    const auto held = static_cast<std::size_t>(std::min<std::uint64_t>(size, covered));
    MediaBytes data = MediaBytes::Allocate(held);
    if (!data.Held())
        return;
    std::size_t at = 0;
    for (std::int32_t id : chain) {
        if (chunk.Read(id, *database_) != 0)
            break;
        const std::size_t n = std::min(held - at, media_data_row::DataSize);
        std::memcpy(data.Data() + at, chunk.Data(), n);
        at += n;
    }
    SetDataSize(static_cast<std::uint32_t>(held));
    data_ = std::move(data);
}

bool MediaRecord::Save()
{
    if (data_.Held()) {
        // The stored size is always that of the bytes written.
        SetDataSize(static_cast<std::uint32_t>(data_.Size()));
        std::int64_t remaining = DataSize();
        std::int32_t surplus = 0;
        // The rows this save wrote: a damaged chain may lead back to one of them, which must then be neither
        // written over nor deleted as surplus.
        std::set<std::int32_t> written;
        // The row of `id` into `chunk`, or a new row where `id` names none that can be used (none, one that is
        // gone, or one written already).
        const auto take = [&](std::int32_t id, MediaChunk& chunk) {
            if (id > 0 && written.count(id) == 0 && chunk.Read(id, *database_) == 0)
                return true;
            const std::int32_t fresh = tlvNewID(database_->TableId(TableMediaData), database_->file);
            return fresh > 0 && chunk.Read(fresh, *database_) == 0;
        };
        if (remaining <= 0) {
            surplus = FirstDataId();
            SetFirstDataId(0);
        } else {
            MediaChunk chunk;
            if (!take(FirstDataId(), chunk))
                return false;
            SetFirstDataId(chunk.id);
            for (std::size_t at = 0;; at += media_data_row::DataSize) {
                const auto n = static_cast<std::size_t>(std::min<std::int64_t>(remaining, media_data_row::DataSize));
                std::memcpy(chunk.Data(), data_.Data() + at, n);
                remaining -= static_cast<std::int64_t>(media_data_row::DataSize);
                written.insert(chunk.id);
                if (remaining <= 0) {
                    surplus = chunk.Next();
                    chunk.SetNext(0);
                    if (chunk.Write(*database_) != 0)
                        return false;
                    break;
                }
                MediaChunk following;
                if (!take(chunk.Next(), following))
                    return false;
                chunk.SetNext(following.id);
                if (chunk.Write(*database_) != 0)
                    return false;
                chunk = following;
            }
        }
        if (surplus != 0 && !MediaChunk::DeleteChain(surplus, *database_, &written))
            return false;
    }
    return WriteRow(TableMedia, row_.data()) == 0;
}

bool MediaRecord::Create()
{
    if (id_ == 0 && NewRowId(TableMedia) == 0)
        return false;
    if (note_) {
        const auto note = SaveNoteChain(note_.get(), id_, TableMedia, NoteId(), *database_);
        if (!note)
            return false;
        SetNoteId(*note);
    }
    if (!Save())
        return false;
    if (CurrentSettings.object.IncludeNew != 0) {
        if (MediaListState* list = MediaListOf(*database_))
            list->AddOpened(*this);
    }
    return true;
}

bool MediaRecord::Delete()
{
    return RunWriteTransaction(*database_, [this] {
        return DeleteNoteChainIfAny(NoteId(), *database_) && DeleteById(id_, *database_);
    });
}

bool MediaRecord::DeleteById(std::int32_t id, Database& database)
{
    std::array<std::uint8_t, TLV_MAX_RECORD_LENGTH> row = {};
    const std::int32_t table = database.TableId(TableMedia);
    if (tlvReadRecord(table, id, row.data(), database.file) != 0)
        return false;
    const std::int32_t firstData = platform::GetI32(row.data() + media_row::FirstDataOffset);
    if (firstData != 0 && !MediaChunk::DeleteChain(firstData, database))
        return false;
    if (tlvDeleteRecord(table, id, database.file) != 0)
        return false;
    if (MediaListState* list = MediaListOf(database))
        list->RemoveOpened(id);
    return true;
}

std::uint8_t* MediaRecord::AllocData(std::size_t size)
{
    // The row keeps the size in 32 bits.
    if (size > 0xFFFFFFFFu)
        return nullptr;
    MediaBytes data = MediaBytes::Allocate(size);
    if (!data.Held())
        return nullptr;
    data_ = std::move(data);
    SetDataSize(static_cast<std::uint32_t>(size));
    return data_.Data();
}

bool MediaRecord::SetData(const void* bytes, std::size_t size)
{
    std::uint8_t* data = AllocData(size);
    if (size == 0)
        return true; // no bytes need no room
    if (data == nullptr)
        return false;
    std::memcpy(data, bytes, size);
    return true;
}

bool MediaRecord::ReadDataFromFile(const std::string& path)
{
    // Read into a buffer of its own: a file that cannot be read leaves the bytes held until now. Others may
    // read the file meanwhile (a viewer that has it open, say).
    platform::FileOpenOptions reading;
    reading.share = platform::FileShare::Read;
    platform::File file = platform::File::Open(path, reading);
    if (!file.IsOpen())
        return false;
    const std::int64_t size = file.Size();
    if (size < 0 || size > 0xFFFFFFFFll)
        return false;
    const auto length = static_cast<std::size_t>(size);
    MediaBytes data = MediaBytes::Allocate(length);
    if (!data.Held() || (length != 0 && file.ReadAt(0, data.Data(), length) != size))
        return false;
    data_ = std::move(data);
    SetDataSize(static_cast<std::uint32_t>(length));
    return true;
}

std::string MediaRecord::GetFileExtension() const
{
    const std::string name = FileName();
    const std::size_t dot = name.rfind('.');
    return dot == std::string::npos ? std::string() : name.substr(dot + 1);
}

std::string MediaRecord::Description() const
{
    return TextField(row_.data(), media_row::DescriptionSize);
}

void MediaRecord::SetDescription(const char* text)
{
    StoreTextField(row_.data(), media_row::DescriptionSize, text);
}

std::string MediaRecord::FileName() const
{
    return TextField(row_.data() + media_row::FileNameOffset, media_row::FileNameSize);
}

void MediaRecord::SetFileName(const char* text)
{
    StoreTextField(row_.data() + media_row::FileNameOffset, media_row::FileNameSize, text);
}

std::int32_t MediaRecord::OwnerId() const
{
    return platform::GetI32(row_.data() + media_row::OwnerOffset);
}

void MediaRecord::SetOwnerId(std::int32_t id)
{
    platform::PutI32(row_.data() + media_row::OwnerOffset, id);
}

std::int32_t MediaRecord::FirstDataId() const
{
    return platform::GetI32(row_.data() + media_row::FirstDataOffset);
}

void MediaRecord::SetFirstDataId(std::int32_t id)
{
    platform::PutI32(row_.data() + media_row::FirstDataOffset, id);
}

std::uint32_t MediaRecord::DataSize() const
{
    return platform::GetU32(row_.data() + media_row::DataSizeOffset);
}

void MediaRecord::SetDataSize(std::uint32_t size)
{
    platform::PutU32(row_.data() + media_row::DataSizeOffset, size);
}

std::int32_t MediaRecord::NoteId() const
{
    return platform::GetI32(row_.data() + media_row::NoteOffset);
}

void MediaRecord::SetNoteId(std::int32_t id)
{
    platform::PutI32(row_.data() + media_row::NoteOffset, id);
}

std::uint32_t MediaRecord::Order() const
{
    const std::uint8_t* p = row_.data() + media_row::OrderOffset;
    return p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
}

void MediaRecord::SetOrder(std::uint32_t order)
{
    std::uint8_t* p = row_.data() + media_row::OrderOffset;
    p[0] = static_cast<std::uint8_t>(order);
    p[1] = static_cast<std::uint8_t>(order >> 8);
    p[2] = static_cast<std::uint8_t>(order >> 16);
}

NoteText& MediaRecord::EnsureNote()
{
    if (!note_)
        note_ = std::make_unique<NoteText>();
    return *note_;
}
