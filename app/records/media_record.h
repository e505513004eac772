// A media object: a file (a picture, a scan, a document) kept inside the database, with a description,
// the name of the file it came from and a note. Its bytes are stored as a chain of MEDIADATA rows; the
// MEDIA row is packed without alignment, so its fields are read and written through explicit codecs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "core/note_text.h"
#include "core/table_row.h"
#include "records/media_row.h"

inline constexpr std::uint8_t MediaOwnerPerson = 7;

// One MEDIADATA row and its id.
class MediaChunk {
public:
    // Keeps the id and reads the row; the engine's answer.
    std::int32_t Read(std::int32_t rowId, Database& database);
    std::int32_t Write(Database& database) const;
    // Deletes the chain from `firstId`; a row that cannot be read ends it, and so does one of `keep`. True
    // when every delete of a row that was read succeeded.
    static bool DeleteChain(std::int32_t firstId, Database& database, const std::set<std::int32_t>* keep = nullptr);

    std::int32_t Next() const;
    void SetNext(std::int32_t next);
    std::uint8_t* Data() { return row.data(); }
    const std::uint8_t* Data() const { return row.data(); }

    std::int32_t id = 0;
    std::array<std::uint8_t, media_data_row::Size> row = {};
};

// The bytes of a media file: one run of committed pages taken from the system for them alone, not from the
// heap, since a scan or a picture may be large; absent until allocated. A file of no bytes is held all the
// same, without a run.
class MediaBytes {
public:
    MediaBytes() = default;
    MediaBytes(MediaBytes&& other) noexcept { Swap(other); }
    MediaBytes& operator=(MediaBytes&& other) noexcept
    {
        MediaBytes(std::move(other)).Swap(*this);
        return *this;
    }
    MediaBytes(const MediaBytes&) = delete;
    MediaBytes& operator=(const MediaBytes&) = delete;
    ~MediaBytes();

    // `size` zero bytes; an absent object when the system has no room for them.
    static MediaBytes Allocate(std::size_t size);

    bool Held() const { return held_; }
    std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }
    void Swap(MediaBytes& other) noexcept;

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool held_ = false;
};

class MediaRecord : public TableRow {
public:
    explicit MediaRecord(Database& database) : TableRow(database) {}
    MediaRecord(const MediaRecord&) = delete;
    MediaRecord& operator=(const MediaRecord&) = delete;
    ~MediaRecord();

    // In a transaction of its own; on failure (a free id) the id becomes 0. The engine's answer.
    std::int32_t Read(std::int32_t id);
    // In one transaction: Read, then LoadData.
    void Load(std::int32_t id);
    // A new note object loaded from its chain; then, when no bytes are held yet, the stored bytes.
    void LoadData();
    // Inside the caller's read-write transaction: the bytes as the MEDIADATA chain, reusing its rows and
    // deleting those left over, then the MEDIA row. Bytes never loaded leave the stored chain as it is.
    bool Save();
    // Inside the caller's read-write transaction: an id when it has none, the note (when loaded) under the
    // media, then Save.
    bool Create();
    // In a read-write transaction of its own: the note chain, then DeleteById.
    bool Delete();
    // In the caller's read-write transaction: the data chain and the row of `id`.
    static bool DeleteById(std::int32_t id, Database& database);

    // Replaces the bytes by `size` zero bytes and stores the size; the buffer (null for no bytes). When the
    // system has no room for them, null, and the bytes and the size stay as they were.
    std::uint8_t* AllocData(std::size_t size);
    // AllocData and a copy of the bytes; false when there was no room.
    bool SetData(const void* bytes, std::size_t size);
    // Replaces the bytes by the file's; false when the file cannot be opened or read, and then the bytes
    // and the size stay as they were.
    bool ReadDataFromFile(const std::string& path);
    const std::uint8_t* Data() const { return data_.Data(); }
    bool HasData() const { return data_.Held(); }

    // The characters after the file name's last dot; empty when it has none.
    std::string GetFileExtension() const;

    std::string Description() const;
    void SetDescription(const char* text);
    std::string FileName() const;
    void SetFileName(const char* text);
    std::int32_t OwnerId() const;
    void SetOwnerId(std::int32_t id);
    std::uint8_t OwnerKind() const { return row_[media_row::OwnerKindOffset]; }
    void SetOwnerKind(std::uint8_t kind) { row_[media_row::OwnerKindOffset] = kind; }
    std::int32_t FirstDataId() const;
    std::uint32_t DataSize() const;
    std::int32_t NoteId() const;
    // The 1-based position in the owner's list; three bytes are stored.
    std::uint32_t Order() const;
    void SetOrder(std::uint32_t order);

    NoteText* Note() { return note_.get(); }
    NoteText& EnsureNote();

private:
    void SetFirstDataId(std::int32_t id);
    void SetDataSize(std::uint32_t size);
    void SetNoteId(std::int32_t id);

    MediaBytes data_;
    std::array<std::uint8_t, media_row::Size> row_ = {};
    std::unique_ptr<NoteText> note_;
};
