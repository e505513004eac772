#include "engine/block_cache.h"

#include "engine/errors.h"
#include "engine/format.h"
#include "platform/file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace tolvane {

BlockRef::BlockRef(BlockCache* cache, std::int32_t number, std::uint8_t* data)
    : cache_(cache), number_(number), data_(data)
{
    cache_->Acquire(number_);
}

BlockRef::BlockRef(const BlockRef& other) : cache_(other.cache_), number_(other.number_), data_(other.data_)
{
    if (cache_)
        cache_->Acquire(number_);
}

BlockRef& BlockRef::operator=(const BlockRef& other)
{
    if (this != &other) {
        BlockRef copy(other);
        *this = std::move(copy);
    }
    return *this;
}

BlockRef::BlockRef(BlockRef&& other) noexcept : cache_(other.cache_), number_(other.number_), data_(other.data_)
{
    other.cache_ = nullptr;
    other.data_ = nullptr;
    other.number_ = -1;
}

BlockRef& BlockRef::operator=(BlockRef&& other) noexcept
{
    if (this != &other) {
        Reset();
        cache_ = other.cache_;
        number_ = other.number_;
        data_ = other.data_;
        other.cache_ = nullptr;
        other.data_ = nullptr;
        other.number_ = -1;
    }
    return *this;
}

BlockRef::~BlockRef()
{
    Reset();
}

void BlockRef::Reset()
{
    if (cache_)
        cache_->Unacquire(number_);
    cache_ = nullptr;
    data_ = nullptr;
    number_ = -1;
}

std::uint8_t* BlockRef::Mutable()
{
    cache_->MarkDirty(number_);
    return data_;
}

BlockCache::BlockCache() : slots_(InitialSlots), buffers_(InitialSlots) {}

BlockCache::~BlockCache()
{
    for (std::int32_t n : loaded_)
        pool_.Release(buffers_[n]);
}

void BlockCache::SetEvictable(std::int32_t n, bool evictable)
{
    Slot& slot = slots_[n];
    if (evictable && slot.evictableIndex < 0) {
        slot.evictableIndex = static_cast<std::int32_t>(evictable_.size());
        evictable_.push_back(n);
    } else if (!evictable && slot.evictableIndex >= 0) {
        std::int32_t moved = evictable_.back();
        evictable_[slot.evictableIndex] = moved;
        slots_[moved].evictableIndex = slot.evictableIndex;
        evictable_.pop_back();
        slot.evictableIndex = -1;
    }
}

template <typename Change> void BlockCache::Update(std::int32_t n, Change change)
{
    change(slots_[n]);
    SetEvictable(n, Evictable(n));
}

// The hot paths touch the evictable list only when a block's state really turns.
void BlockCache::Acquire(std::int32_t n)
{
    if (slots_[n].inUse++ == 0)
        SetEvictable(n, false);
}

void BlockCache::Unacquire(std::int32_t n)
{
    if (--slots_[n].inUse == 0)
        SetEvictable(n, Evictable(n));
}

void BlockCache::MarkDirty(std::int32_t n)
{
    ++changes_;
    if (!slots_[n].dirty) {
        slots_[n].dirty = true;
        ++dirtyCount_;
        SetEvictable(n, false);
    }
}

bool BlockCache::IsLoaded(std::int32_t n) const
{
    return n >= 0 && n < SlotCount() && buffers_[n] != nullptr;
}

bool BlockCache::IsDirty(std::int32_t n) const
{
    return IsLoaded(n) && slots_[n].dirty;
}

std::uint32_t BlockCache::UseCount(std::int32_t n) const
{
    return n >= 0 && n < SlotCount() ? slots_[n].useCount : 0;
}

void BlockCache::Enlist(std::vector<std::int32_t>& list, std::int32_t n)
{
    slots_[n].listIndex = static_cast<std::int32_t>(list.size());
    list.push_back(n);
}

void BlockCache::Unlist(std::vector<std::int32_t>& list, std::int32_t n)
{
    Slot& slot = slots_[n];
    std::int32_t moved = list.back();
    list[slot.listIndex] = moved;
    slots_[moved].listIndex = slot.listIndex;
    list.pop_back();
    slot.listIndex = -1;
}

void BlockCache::Release(std::int32_t n)
{
    SetEvictable(n, false);
    Slot& slot = slots_[n];
    if (slot.inView) {
        Unlist(views_, n);
        slot.inView = false;
    } else {
        Unlist(loaded_, n);
        pool_.Release(buffers_[n]);
    }
    if (slot.dirty)
        --dirtyCount_;
    slot.dirty = false;
    buffers_[n] = nullptr;
    slot.pinned = false;
}

void BlockCache::Drop(int rule, std::uint32_t threshold)
{
    // Rules 1 and 2 only ever take evictable blocks.
    const std::vector<std::int32_t>& visited = rule == 0 ? loaded_ : evictable_;
    for (std::size_t i = visited.size(); i-- > 0;) {
        if (i >= visited.size())
            continue;
        std::int32_t n = visited[i];
        const Slot& slot = slots_[n];
        if (slot.pinned || slot.inUse > 0)
            continue;
        bool release = false;
        switch (rule) {
        case 0:
            release = true;
            break;
        case 1:
            release = !slot.dirty && slot.useCount == 0;
            break;
        default:
            release = !slot.dirty && (threshold == 0 || slot.useCount < threshold);
            break;
        }
        if (release)
            Release(n);
    }
}

void BlockCache::MakeRoom()
{
    auto over = [this] { return limit_ > 0 && LoadedCount() > Room() && !evictable_.empty(); };
    if (over())
        Drop(1, 0);
    for (std::uint32_t threshold : {10u, 100u, 1000u, 0u})
        if (over())
            Drop(2, threshold);
}

BlockRef BlockCache::GetBlock(platform::File& file, std::int32_t n, bool isNew, bool pin)
{
    std::uint8_t* buffer = Ask(file, n, isNew, pin, false);
    return BlockRef(this, n, buffer);
}

std::uint8_t* BlockCache::Ask(platform::File& file, std::int32_t n, bool isNew, bool pin, bool shortRead)
{
    auto missing = [&] { return n < 0 || n >= SlotCount() || !buffers_[n]; };
    auto toCopy = [&] { return slots_[n].inView && !shortRead && viewUse_ == Views::ShortReads; };
    if ((missing() || toCopy()) && spill_ && dirtyCount_ >= spillMark_) {
        // Changed blocks write themselves out before the cache grows further; that ends the blocks read in
        // place, n among them perhaps.
        spilled_ = true;
        spill_();
        spillMark_ = dirtyCount_ + spillBatch_;
    }
    if (missing())
        Load(file, n, isNew, shortRead);
    else if (toCopy())
        CopyIntoBuffer(n);
    Slot& slot = slots_[n];
    ++slot.useCount;
    if (slot.pinned != pin) {
        slot.pinned = pin;
        SetEvictable(n, Evictable(n));
    }
    return buffers_[n];
}

std::uint8_t* BlockCache::TakeBuffer()
{
    MakeRoom();
    std::uint8_t* buffer = pool_.Allocate();
    if (!buffer)
        Fail(OutOfMemory);
    return buffer;
}

void BlockCache::Load(platform::File& file, std::int32_t n, bool isNew, bool shortRead)
{
    if (n < 0 || n >= MaxBlocks)
        Fail(InputOutput);
    if (n >= SlotCount()) {
        slots_.resize(static_cast<std::size_t>(n) + n / 10);
        buffers_.resize(slots_.size());
    }
    std::uint64_t offset = static_cast<std::uint64_t>(n) * BlockSize;
    // A full cache serves misses in place rather than letting blocks go for them.
    if (!isNew && limit_ > 0 && LoadedCount() >= Room()) {
        std::uint8_t* inView = nullptr;
        if (viewUse_ == Views::All)
            inView = file.PrivateView(offset, BlockSize);
        else if (viewUse_ == Views::ShortReads && shortRead)
            // Only read: the block moves to a buffer before anything may change it (CopyIntoBuffer).
            inView = const_cast<std::uint8_t*>(file.ReadView(offset, BlockSize));
        if (inView) {
            Enlist(views_, n);
            buffers_[n] = inView;
            slots_[n].inView = true;
            return;
        }
    }
    std::uint8_t* buffer = TakeBuffer();
    if (isNew) {
        std::memset(buffer, 0, BlockSize);
        ++changes_;
    } else if (file.ReadAt(offset, buffer, BlockSize) != BlockSize) {
        pool_.Release(buffer);
        Fail(InputOutput);
    }
    Enlist(loaded_, n);
    buffers_[n] = buffer;
    slots_[n].dirty = isNew;
    if (isNew)
        ++dirtyCount_;
    // Nothing holds it yet: a short read takes no reference that would settle this on release.
    SetEvictable(n, Evictable(n));
}

void BlockCache::CopyIntoBuffer(std::int32_t n)
{
    // Only short reads see a block read in place here, and they hold no reference past the call.
    if (slots_[n].inUse != 0 || slots_[n].dirty)
        std::abort();
    std::uint8_t* buffer = TakeBuffer();
    std::memcpy(buffer, buffers_[n], BlockSize);
    Unlist(views_, n);
    slots_[n].inView = false;
    Enlist(loaded_, n);
    buffers_[n] = buffer;
    SetEvictable(n, Evictable(n));
}

void BlockCache::MarkClean(std::int32_t n)
{
    if (slots_[n].dirty) {
        slots_[n].dirty = false;
        --dirtyCount_;
        SetEvictable(n, Evictable(n));
    }
}

void BlockCache::SpillWhenDirty(std::int32_t batch, std::function<void()> spill)
{
    spill_ = std::move(spill);
    spilled_ = false;
    spillBatch_ = batch < 1 ? 1 : batch;
    spillMark_ = dirtyCount_ + spillBatch_;
}

std::vector<std::int32_t> BlockCache::SpillableBlocks() const
{
    std::vector<std::int32_t> blocks;
    for (std::int32_t n : loaded_) {
        const Slot& slot = slots_[n];
        if (slot.dirty && !slot.pinned && slot.inUse == 0)
            blocks.push_back(n);
    }
    std::sort(blocks.begin(), blocks.end());
    return blocks;
}

bool BlockCache::WriteBlocks(platform::File& file, const std::vector<std::int32_t>& blocks,
                             const std::vector<PieceMask>* pieces)
{
    constexpr int PiecesPerBlock = BlockSize / WritePiece;
    constexpr PieceMask WholeBlock = (PieceMask {1} << PiecesPerBlock) - 1;
    // Pieces that follow each other in the file go out in one write, up to 32 blocks' worth.
    constexpr std::size_t LongestRun = 32 * BlockSize;
    std::vector<std::uint8_t> run;
    std::uint64_t runStart = 0;
    auto flush = [&] {
        bool written = run.empty() || file.WriteAt(runStart, run.data(), run.size());
        run.clear();
        return written;
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        std::int32_t n = blocks[i];
        if (!IsDirty(n) || slots_[n].inView)
            std::abort(); // only changed blocks in buffers are ever written
        PieceMask mask = pieces ? (*pieces)[i] & WholeBlock : WholeBlock;
        for (int k = 0; k < PiecesPerBlock; ++k) {
            if ((mask & (PieceMask {1} << k)) == 0)
                continue;
            std::uint64_t offset = static_cast<std::uint64_t>(n) * BlockSize + static_cast<std::uint64_t>(k) * WritePiece;
            if (!run.empty() && (offset != runStart + run.size() || run.size() >= LongestRun) && !flush())
                return false;
            if (run.empty())
                runStart = offset;
            const std::uint8_t* piece = buffers_[n] + k * WritePiece;
            run.insert(run.end(), piece, piece + WritePiece);
        }
    }
    return flush();
}

std::vector<PieceMask> BlockCache::ChangedPieces(platform::File& file, const std::vector<std::int32_t>& blocks,
                                                 BlockCopies* copies) const
{
    constexpr int PiecesPerBlock = BlockSize / WritePiece;
    constexpr PieceMask WholeBlock = (PieceMask {1} << PiecesPerBlock) - 1;
    std::vector<PieceMask> masks(blocks.size(), WholeBlock);
    std::int64_t size = file.Size();
    BlockCopies scratch;
    BlockCopies& read = copies ? *copies : scratch;
    if (copies)
        copies->Reserve(blocks.size());
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        std::int32_t n = blocks[i];
        std::uint64_t offset = static_cast<std::uint64_t>(n) * BlockSize;
        if (size < 0 || offset + BlockSize > static_cast<std::uint64_t>(size) || !IsLoaded(n))
            continue;
        std::uint8_t* old = read.Add(n);
        if (file.ReadAt(offset, old, BlockSize) != BlockSize) {
            read.DropLast();
            continue;
        }
        PieceMask mask = 0;
        for (int k = 0; k < PiecesPerBlock; ++k)
            if (std::memcmp(buffers_[n] + k * WritePiece, old + k * WritePiece, WritePiece) != 0)
                mask |= PieceMask {1} << k;
        masks[i] = mask;
        if (!copies)
            scratch.Clear();
    }
    return masks;
}

void BlockCache::MarkClean(const std::vector<std::int32_t>& blocks)
{
    for (std::int32_t n : blocks)
        if (IsLoaded(n))
            MarkClean(n);
}

int BlockCache::FlagDirty(std::int32_t n)
{
    if (!IsLoaded(n))
        return -1;
    MarkDirty(n);
    return 0;
}

std::vector<std::int32_t> BlockCache::DirtyBlocks() const
{
    std::vector<std::int32_t> dirty;
    for (std::int32_t n : loaded_)
        if (slots_[n].dirty)
            dirty.push_back(n);
    std::sort(dirty.begin(), dirty.end());
    return dirty;
}

bool BlockCache::WriteDirtyBlocks(platform::File& file)
{
    return WriteBlocks(file, DirtyBlocks());
}

void BlockCache::FinishFlush(bool releaseAll)
{
    ++generation_;
    for (std::size_t i = loaded_.size(); i-- > 0;) {
        std::int32_t n = loaded_[i];
        MarkClean(n);
        const Slot& slot = slots_[n];
        if ((slot.useCount < generation_ || releaseAll) && slot.inUse == 0)
            Release(n);
    }
}

void BlockCache::Reload(platform::File& file)
{
    std::int64_t size = file.Size();
    for (std::int32_t n : DirtyBlocks()) {
        std::uint64_t offset = static_cast<std::uint64_t>(n) * BlockSize;
        bool readBack = size >= 0 && offset + BlockSize <= static_cast<std::uint64_t>(size) &&
                        file.ReadAt(offset, buffers_[n], BlockSize) == BlockSize;
        if (readBack || slots_[n].inUse > 0)
            MarkClean(n);
        if (!readBack && slots_[n].inUse == 0)
            Release(n);
    }
}

void BlockCache::ReleaseAll()
{
    for (std::size_t i = loaded_.size(); i-- > 0;)
        if (slots_[loaded_[i]].inUse == 0)
            Release(loaded_[i]);
    ReleaseViews();
}

void BlockCache::ReleaseViews()
{
    while (!views_.empty()) {
        std::int32_t n = views_.back();
        // A reference outliving its transaction would point into a view about to be unmapped.
        if (slots_[n].inUse != 0)
            std::abort();
        Release(n);
    }
}

std::string BlockCache::Check(const std::vector<std::int32_t>& held) const
{
    const std::int32_t count = SlotCount();
    if (buffers_.size() != slots_.size() || count < InitialSlots)
        return "the slot and buffer arrays differ in length";
    std::vector<std::uint32_t> references(static_cast<std::size_t>(count));
    for (std::int32_t n : held) {
        if (n < 0 || n >= count)
            return "a reference names block " + std::to_string(n) + ", beyond the slots";
        ++references[n];
    }
    auto block = [](std::int32_t n) { return "block " + std::to_string(n); };
    // By index and pointer: this runs after every call of the fuzz target, in unoptimised builds too.
    const Slot* slots = slots_.data();
    std::uint8_t* const* buffers = buffers_.data();
    const std::uint32_t* alive = references.data();
    std::size_t loaded = 0;
    std::size_t evictable = 0;
    std::int32_t dirty = 0;
    std::vector<const std::uint8_t*> all;
    std::vector<const std::uint8_t*> pooled;
    for (std::int32_t n = 0; n < count; ++n) {
        const Slot& slot = slots[n];
        if (slot.inUse != alive[n])
            return block(n) + " counts " + std::to_string(slot.inUse) + " references, but " + std::to_string(alive[n]) +
                   " are alive";
        if (buffers[n] == nullptr) {
            if (slot.inView || slot.dirty || slot.pinned || slot.listIndex != -1 || slot.evictableIndex != -1)
                return block(n) + " is not loaded but keeps the flags or places of a loaded one";
            continue;
        }
        ++loaded;
        if (slot.dirty)
            ++dirty;
        all.push_back(buffers[n]);
        const std::vector<std::int32_t>& list = slot.inView ? views_ : loaded_;
        if (slot.listIndex < 0 || static_cast<std::size_t>(slot.listIndex) >= list.size() || list[slot.listIndex] != n)
            return block(n) + " is loaded but not in its place in the list of " + (slot.inView ? "views" : "buffers");
        if (!slot.inView)
            pooled.push_back(buffers[n]);
        // Only a clean, unpinned block in a buffer that nothing holds may be let go.
        bool mayGo = !slot.inView && !slot.dirty && !slot.pinned && slot.inUse == 0;
        if ((slot.evictableIndex >= 0) != mayGo)
            return block(n) +
                   (mayGo ? " could be let go but is not listed so" : " is listed to be let go but must stay");
        if (slot.evictableIndex >= 0) {
            ++evictable;
            if (static_cast<std::size_t>(slot.evictableIndex) >= evictable_.size() ||
                evictable_[slot.evictableIndex] != n)
                return block(n) + " is not in its place in the list of blocks to let go";
        }
    }
    // Each loaded block is in its place in one list; with the lengths equal, no list holds anything else.
    if (loaded_.size() + views_.size() != loaded)
        return "the lists hold " + std::to_string(loaded_.size() + views_.size()) + " blocks, but " +
               std::to_string(loaded) + " are loaded";
    if (dirty != dirtyCount_)
        return "the count of changed blocks says " + std::to_string(dirtyCount_) + ", but " +
               std::to_string(dirty) + " are changed";
    if (evictable_.size() != evictable)
        return "the list of blocks to let go holds " + std::to_string(evictable_.size()) + ", but " +
               std::to_string(evictable) + " may go";
    std::sort(all.begin(), all.end());
    if (std::adjacent_find(all.begin(), all.end()) != all.end())
        return "two blocks share a buffer";
    // The memory figure counts the loaded blocks: they must be what the pool has handed out.
    std::string pool = pool_.Check(std::move(pooled));
    if (!pool.empty())
        return "block pool: " + pool;
    return "";
}

} // namespace tolvane
