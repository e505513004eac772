#include "records/repository_record.h"

#include "core/address_record.h"
#include "core/bounded_text.h"
#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/linked_saves.h"
#include "core/record_query.h"
#include "core/write_transaction.h"

std::int32_t RepositoryRef::Read(std::int32_t id)
{
    return ReadRow(TableRepRef, id, &row, sizeof row);
}

void RepositoryRef::LoadNote()
{
    note_ = std::make_unique<NoteText>();
    if (row.noteId != 0)
        note_->Load(row.noteId, *database_);
}

void RepositoryRef::ReadAndLoadNote(std::int32_t id)
{
    Read(id);
    if (id != 0)
        LoadNote();
}

NoteText& RepositoryRef::EnsureNote()
{
    if (!note_)
        note_ = std::make_unique<NoteText>();
    return *note_;
}

void RepositoryRef::SetCallNumber(const char* text)
{
    StoreField(row.callNumber, sizeof row.callNumber, text);
}

bool RepositoryRef::Save()
{
    if (id_ == 0 && NewRowId(TableRepRef) == 0)
        return false;
    const auto note = SaveNoteChain(note_.get(), id_, TableRepRef, row.noteId, *database_);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

std::int32_t RepositoryRef::Write()
{
    return WriteRow(TableRepRef, &row);
}

bool RepositoryRef::Delete()
{
    if (!DeleteNoteChainIfAny(row.noteId, *database_))
        return false;
    return tlvDeleteRecord(database_->TableId(TableRepRef), id_, database_->file) == 0;
}

RepositoryRecord::RepositoryRecord(Database& database) : EntityRecord(database) {}

RepositoryRecord::RepositoryRecord(std::int32_t id, Database& database) : EntityRecord(database)
{
    Read(id);
}

RepositoryRecord::~RepositoryRecord() = default;

std::int32_t RepositoryRecord::NewId()
{
    return NewRowId(TableRepository);
}

void RepositoryRecord::LoadLinked()
{
    EngineTransaction transaction(database_->file, TLV_READWRITE);
    if (!transaction.Running())
        return;
    address_ = std::make_unique<AddressRecord>(*database_);
    if (row.addressId != 0)
        address_->Read(row.addressId);
    note_ = std::make_unique<NoteText>();
    if (row.noteId != 0)
        note_->Load(row.noteId, *database_);
    LoadReferences();
}

std::int32_t RepositoryRecord::Read(std::int32_t id)
{
    RepositoryRow read = {};
    const std::int32_t result = ReadRow(TableRepository, id, &read, sizeof read);
    row = read;
    return result;
}

void RepositoryRecord::ReadAndLoad(std::int32_t id)
{
    Read(id);
    LoadLinked();
}

std::int32_t RepositoryRecord::Write()
{
    return WriteRow(TableRepository, &row);
}

bool RepositoryRecord::Save()
{
    if (id_ == 0 && NewId() == 0)
        return false;
    const auto address = SaveAddress(address_.get(), row.addressId);
    if (!address)
        return false;
    row.addressId = *address;
    const auto note = SaveNoteChain(note_.get(), id_, TableRepository, row.noteId, *database_);
    if (!note)
        return false;
    row.noteId = *note;
    return Write() == 0;
}

void RepositoryRecord::LoadReferences()
{
    LoadOwnedRecords(references_, TableRepRef, RepositoryRefRepositoryColumn, id_, *database_,
                     [](RepositoryRef& reference, std::int32_t id) { reference.ReadAndLoadNote(id); });
}

void RepositoryRecord::ReloadChildren()
{
    address_.reset();
    note_.reset();
    references_.Clear();
    LoadLinked();
}

bool RepositoryRecord::Delete()
{
    return RunWriteTransaction(*database_, [this] {
        for (std::size_t i = 0; i < references_.Count(); ++i)
            if (!references_[i].Delete())
                return false;
        if (!DeleteNoteChainIfAny(row.noteId, *database_))
            return false;
        // The address is the repository's alone: it goes with it.
        if (row.addressId != 0 && !AddressRecord::DeleteById(row.addressId, *database_))
            return false;
        return tlvDeleteRecord(database_->TableId(TableRepository), id_, database_->file) == 0;
    });
}

void RepositoryRecord::SetName(const char* text)
{
    StoreField(row.name, sizeof row.name, text);
}

void RepositoryRecord::SetEmail(const char* text)
{
    StoreField(row.email, sizeof row.email, text);
}

void RepositoryRecord::SetUrl(const char* text)
{
    StoreField(row.url, sizeof row.url, text);
}
