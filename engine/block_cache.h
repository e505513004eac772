// The block cache of one database file: 8192-byte buffers by block number with dirty, pin and use counts
// and a soft limit on how many are held. It writes nothing by itself; the transaction end decides.
// A block handed out (a BlockRef) stays loaded for as long as any BlockRef to it lives.
//
// Once the cache holds as many blocks as its limit allows, a read transaction's further misses are served in
// place from a private copy-on-write view of the file instead of evicting blocks to copy them in. Such a block
// holds no buffer of the cache, so it neither counts against the limit nor is ever evicted; all of them go
// when the transaction ends, before the file closes, while the blocks in buffers stay for the next one.
// A write transaction reads in place only what it reads to compare (ReadBlock), from the read-only mapping
// of the file: a block it asks for by reference, to change or to hold, is copied into a buffer first.
//
// A write transaction's changed blocks cannot be let go until they are written. So that they do not grow
// without bound, the transaction can have them written early: each time a batch more of them are held, the
// cache calls back before it brings in another block, and the callback writes the changed blocks that
// nothing holds (SpillableBlocks) and marks them clean (MarkClean). From the first such call on, the cache
// holds up to a batch of blocks, clean ones too, whatever its limit: memory that the changed blocks have
// taken anyway, and clean blocks kept in it spare the transaction reading again what it is about to change.
#pragma once

#include "engine/block_copies.h"
#include "engine/block_pool.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace platform {
class File;
}

namespace tolvane {

class BlockCache;

// A block goes to the file in pieces of the systems' page size: a change of a few bytes costs the page it
// lies in, not the whole block. Bit k of a mask stands for the piece at k * WritePiece.
constexpr int WritePiece = 4096;
using PieceMask = std::uint32_t;

class BlockRef {
public:
    BlockRef() = default;
    BlockRef(const BlockRef& other);
    BlockRef& operator=(const BlockRef& other);
    BlockRef(BlockRef&& other) noexcept;
    BlockRef& operator=(BlockRef&& other) noexcept;
    ~BlockRef();

    explicit operator bool() const { return data_ != nullptr; }
    std::int32_t Number() const { return number_; }
    const std::uint8_t* Data() const { return data_; }
    // The buffer for changing it: flags the block dirty first, so nothing changes unrecorded.
    std::uint8_t* Mutable();
    void Reset();

private:
    friend class BlockCache;
    BlockRef(BlockCache* cache, std::int32_t number, std::uint8_t* data);

    BlockCache* cache_ = nullptr;
    std::int32_t number_ = -1;
    std::uint8_t* data_ = nullptr;
};

class BlockCache {
public:
    static constexpr int InitialSlots = 100;

    BlockCache();
    ~BlockCache();
    BlockCache(const BlockCache&) = delete;
    BlockCache& operator=(const BlockCache&) = delete;

    // The buffer of block n, read from the file unless loaded; a new block is zero-filled and dirty instead.
    // Fails with InputOutput (unreadable or damaged number) or OutOfMemory.
    BlockRef GetBlock(platform::File& file, std::int32_t n, bool isNew, bool pin);
    // Block n for a read that is over before the next call to the cache: asked for as GetBlock asks (use
    // count, pin flag, the same failures) but without a reference, whose bookkeeping a short read can spare.
    const std::uint8_t* ReadBlock(platform::File& file, std::int32_t n, bool pin)
    {
        return Ask(file, n, false, pin, true);
    }
    // -1 when n is not loaded, else 0.
    int FlagDirty(std::int32_t n);
    // Releases unpinned blocks not in use: rule 0 all, rule 1 those never asked for, rule 2 the clean ones
    // asked for fewer than `threshold` times (any count when threshold is 0).
    void Drop(int rule, std::uint32_t threshold);

    // Commit, in two steps around the journal: the dirty block numbers in ascending order, writing them,
    // then marking them clean and releasing the blocks asked for less often than there were commits.
    std::vector<std::int32_t> DirtyBlocks() const;
    bool WriteDirtyBlocks(platform::File& file);
    // Writes the given changed blocks in ascending order (neighbours together); false on a failed write.
    // With `pieces` (one mask for each block, as ChangedPieces gives them) only the pieces named are written.
    bool WriteBlocks(platform::File& file, const std::vector<std::int32_t>& blocks,
                     const std::vector<PieceMask>* pieces = nullptr);
    // For each of the given loaded blocks, the pieces whose bytes differ from what the file holds there now:
    // all of them for a block that lies past the file's end or cannot be read, none for a block that was
    // flagged changed but holds what the file holds. With `copies`, the file's bytes of every block read are
    // added to it, for the journal to take instead of reading them again.
    std::vector<PieceMask> ChangedPieces(platform::File& file, const std::vector<std::int32_t>& blocks,
                                         BlockCopies* copies = nullptr) const;
    // Marks the given blocks clean, so that they may go; for blocks whose contents are in the file.
    void MarkClean(const std::vector<std::int32_t>& blocks);
    // Early writing: `spill` is called before a block is brought in whenever `batch` more changed blocks are
    // held than after the last call (or now); an empty function ends it. It may throw; then nothing is brought in.
    void SpillWhenDirty(std::int32_t batch, std::function<void()> spill);
    // The changed blocks in buffers that may be written early: unpinned and held by no reference (whose holder
    // may write through the buffer without asking again). In ascending order.
    std::vector<std::int32_t> SpillableBlocks() const;
    std::int32_t DirtyCount() const { return dirtyCount_; }
    void FinishFlush(bool releaseAll);
    // Discard: reads every dirty block back; one that lies past the end of the file, or cannot be read, is
    // released instead.
    void Reload(platform::File& file);
    // Brings the loaded count down towards the limit as a miss would (the limit stays soft).
    void Trim() { MakeRoom(); }
    // Releases every block not in use, dirty or not.
    void ReleaseAll();
    // Gives back the pool's memory that the work since the last call did not need (see BlockPool).
    void ReleaseSpareMemory() { pool_.ReleaseSpareArenas(); }

    // Which misses of a full cache are served in place from the file's mapping, where it has one.
    enum class Views {
        None,
        ShortReads, // ReadBlock's, from the read-only mapping; a block asked for by reference moves to a buffer
        All,        // every miss, from the private view (for transactions that write nothing)
    };
    void ServeFromViews(Views use) { viewUse_ = use; }
    // Releases every block served from a view, with whatever changes it holds; none may be in use. Before
    // anything is written to the file, whose writes end the mapping.
    void ReleaseViews();
    std::int32_t ViewCount() const { return static_cast<std::int32_t>(views_.size()); }

    void SetLimit(std::int32_t blocks) { limit_ = blocks < 0 ? 0 : blocks; }
    std::int32_t Limit() const { return limit_; }
    std::int32_t LoadedCount() const { return static_cast<std::int32_t>(loaded_.size()); }
    std::int32_t SlotCount() const { return static_cast<std::int32_t>(slots_.size()); }
    std::uint32_t Generation() const { return generation_; }
    // Grows with every change of a buffer, so a caller can tell whether an operation changed anything.
    std::uint64_t ChangeCounter() const { return changes_; }
    // A block is loaded when it is at hand, in a buffer or in a view.
    bool IsLoaded(std::int32_t n) const;
    // The buffer of a loaded block without asking for it (no use count, no reference), or null: for hints.
    const std::uint8_t* Peek(std::int32_t n) const { return IsLoaded(n) ? buffers_[n] : nullptr; }
    bool IsDirty(std::int32_t n) const;
    std::uint32_t UseCount(std::int32_t n) const;
    // Buffers of the pool in use: what the loaded blocks hold.
    int BufferCount() const { return pool_.BuffersInUse(); }

    // "" when the bookkeeping is consistent, else the first fault found: the slots, the lists of loaded,
    // viewed and evictable blocks, the buffer of every block, the pool's buffers against the loaded count, the
    // flags of blocks not loaded, and the references: `held` names the block of every BlockRef alive, one
    // entry for each. For tests and fuzzing.
    std::string Check(const std::vector<std::int32_t>& held) const;

private:
    friend class BlockRef;
    // The state of a block besides its buffer.
    struct Slot {
        bool inView = false;
        bool dirty = false;
        bool pinned = false;
        std::uint32_t useCount = 0;
        std::uint32_t inUse = 0;
        std::int32_t listIndex = -1;      // position in loaded_, or in views_ for a block in a view
        std::int32_t evictableIndex = -1; // position in evictable_
    };

    // How many blocks the cache may hold before it lets clean ones go or reads in place.
    std::int32_t Room() const { return spilled_ && spillBatch_ > limit_ ? spillBatch_ : limit_; }
    bool Evictable(std::int32_t n) const
    {
        const Slot& slot = slots_[n];
        return buffers_[n] && !slot.inView && !slot.dirty && !slot.pinned && slot.inUse == 0;
    }
    template <typename Change> void Update(std::int32_t n, Change change);
    void SetEvictable(std::int32_t n, bool evictable);
    void Release(std::int32_t n);
    // Asks for block n: loads it when missing, counts the use and sets the pin flag; its buffer.
    std::uint8_t* Ask(platform::File& file, std::int32_t n, bool isNew, bool pin, bool shortRead);
    // Brings a missing block in: from the file's view, or into a buffer of the pool.
    void Load(platform::File& file, std::int32_t n, bool isNew, bool shortRead);
    // A buffer of the pool, making room first; fails with OutOfMemory.
    std::uint8_t* TakeBuffer();
    // Moves a block read in place into a buffer, for a write transaction that may change it.
    void CopyIntoBuffer(std::int32_t n);
    // Puts block n into the list, remembering where; takes it out again, moving the last one into its place.
    void Enlist(std::vector<std::int32_t>& list, std::int32_t n);
    void Unlist(std::vector<std::int32_t>& list, std::int32_t n);
    void MakeRoom();
    void Acquire(std::int32_t n);
    void Unacquire(std::int32_t n);
    void MarkDirty(std::int32_t n);
    void MarkClean(std::int32_t n);

    BlockPool pool_;
    std::vector<Slot> slots_;
    // By block number: a buffer of the pool, the block's place in the file's view, or null. Kept apart from
    // the slots so that finding a loaded block touches as little memory as can be.
    std::vector<std::uint8_t*> buffers_;
    std::vector<std::int32_t> loaded_; // blocks in buffers of the pool
    std::vector<std::int32_t> views_;  // blocks in the file's view
    Views viewUse_ = Views::None;
    std::int32_t limit_ = 0;
    std::uint32_t generation_ = 0;
    // The loaded blocks a full cache may let go (clean, unpinned, not in use), kept as a list so that making
    // room costs what there is to release, not what is loaded.
    std::vector<std::int32_t> evictable_;
    std::uint64_t changes_ = 0;
    std::int32_t dirtyCount_ = 0;
    std::function<void()> spill_;
    std::int32_t spillBatch_ = 0;
    std::int32_t spillMark_ = 0;
    bool spilled_ = false; // the callback was called since SpillWhenDirty
};

} // namespace tolvane
