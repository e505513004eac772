// Files: create, open with share modes and retries, positioned read and write, flush, truncate, remove and
// rename-over. Every call reports failure by its answer; nothing throws. Paths are Windows-1252 texts.
//
// A small fault seam lets tests make the mutating operations (write, flush, truncate, remove, rename) fail or
// end the process after a chosen number of them, to prove that callers survive a failing disk or a crash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

enum class FileAccess {
    Read,
    ReadWrite,
};

// Who else may open the file while this handle is open. The native build keeps to it between handles that
// use this service (advisory locks); Windows enforces it for every process.
enum class FileShare {
    None,
    Read,
};

enum class FileDisposition {
    OpenExisting,
    CreateAlways, // replaces an existing file
    CreateNew,    // fails when the file exists: a name claimed by this open alone
};

struct FileOpenOptions {
    FileAccess access = FileAccess::Read;
    FileShare share = FileShare::None;
    FileDisposition disposition = FileDisposition::OpenExisting;
    int retries = 0;        // further attempts after a failed open
    int retryDelayMs = 500; // pause before each further attempt
    // Serve reads from a read-only mapping of the file instead of a system call each: for a caller that
    // reads many scattered blocks. The mapping never outlives the handle, follows the file as it grows and is
    // dropped before every truncation and every write past its end, so a read always sees what the file holds.
    bool mapReads = false;
    // With mapReads: how many reads go to the system before the file is first mapped. Mapping a large file
    // and taking the mapping down again costs the system more than a few dozen reads do, so a handle that
    // reads little (a short transaction) is better served without.
    int readsBeforeMapping = 0;
};

class File {
public:
    File() = default;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File();

    // An open file, or a closed one when the file cannot be opened (after the retries).
    static File Open(const std::string& path, const FileOpenOptions& options);

    bool IsOpen() const;
    void Close();

    // Reads up to `length` bytes at `offset`; the number read (short only at the end of the file), or -1.
    std::int64_t ReadAt(std::uint64_t offset, void* buffer, std::size_t length);
    // For a handle opened for reading only: the `length` bytes at `offset` in place, in a private
    // copy-on-write view of the file. Changes made through the pointer stay in this process and never
    // reach the file; the pointer stays valid until the handle is closed. Null when the range lies past the
    // end of the file or the file cannot be mapped (then every later call answers null at once too).
    std::uint8_t* PrivateView(std::uint64_t offset, std::size_t length);
    // Lets the pages of a view that were only read leave the process's memory; touched again, they are read
    // from the file anew. `start` lies on a page boundary.
    static void DropViewPages(const std::uint8_t* start, std::size_t length);
    // For a handle with mapped reads: the `length` bytes at `offset` in place, in the read-only mapping that
    // serves its reads, never to be written through; it shows what later writes put there. The pointer stays
    // valid until the handle's next truncation or write past MappedBytes(), or its close. Null when the range
    // lies past the end of the file or cannot be mapped.
    const std::uint8_t* ReadView(std::uint64_t offset, std::size_t length);
    // How many bytes from the start the present mapping covers (0 when none).
    std::uint64_t MappedBytes() const { return mapping_.viewSize; }
    // Writes all `length` bytes at `offset`; false on any failure.
    bool WriteAt(std::uint64_t offset, const void* data, std::size_t length);
    // Forces written data to the disk.
    bool Flush();
    bool Truncate(std::uint64_t length);
    // The file's length in bytes, or -1.
    std::int64_t Size();
#ifdef _WIN32
    // The system's handle of the open file, for a library that writes into a file its caller opened.
    void* NativeHandle() const { return handle_; }
#endif

private:
    std::int64_t ReadFromSystem(std::uint64_t offset, void* buffer, std::size_t length);
    // Where the `length` bytes at `offset` lie in a mapping of the file: read-only and shared with the file,
    // or privately copy-on-write. Maps (or maps again, over the file as it now is) as needed, but never drops
    // a mapping that has lent out pointers. Null when the range lies past the end of the file or cannot be
    // mapped, so that the caller reads it the ordinary way.
    std::uint8_t* MappedAt(std::uint64_t offset, std::size_t length, bool copyOnWrite);
    // Where the range lies in the mapping as it is, when that is of the kind asked for and covers it; else null.
    std::uint8_t* MappedRange(std::uint64_t offset, std::size_t length, bool copyOnWrite);
    bool Covers(std::uint64_t offset, std::size_t length, bool copyOnWrite) const
    {
        return mapping_.viewSize > 0 && mapping_.viewIsPrivate == copyOnWrite && offset <= mapping_.viewSize &&
               length <= mapping_.viewSize - offset;
    }
    // Maps the first `size` bytes of the file anew, of the given kind, or answers false.
    bool MapFile(std::uint64_t size, bool copyOnWrite);
    void Unmap();
    void TakeFrom(File& other) noexcept;

#ifdef _WIN32
    // A 32-bit process has 2 GB of address space for everything: the file is mapped in views of a bounded
    // size, each made when first read, so that only the parts of the file in use take address space.
    // Together the views reach as far as the largest database file (32767 blocks of 8 KB); past them a file
    // is read the ordinary way.
    static constexpr std::uint64_t WindowBytes = std::uint64_t {8} << 20;
    static constexpr int MaxWindows = 32;
#endif
    struct Mapping {
        bool mapReads = false;
        bool readOnlyHandle = false;
        bool privateRefused = false; // the file could not be mapped privately: never try again
        bool sharedRefused = false;  // nor shared
        bool viewIsPrivate = false;
        bool lent = false;           // pointers into the mapping are out: it must stay as it is
        int readsBeforeMapping = 0;  // reads still to go to the system before the first mapping
        std::uint64_t viewSize = 0;  // the bytes of the file the mapping covers
#ifdef _WIN32
        void* section = nullptr; // the file-mapping object
        std::uint8_t* windows[MaxWindows] = {};
#else
        std::uint8_t* view = nullptr;
#endif
    };
    Mapping mapping_;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int descriptor_ = -1;
#endif
};

bool FileExists(const std::string& path);
// Deletes the file; true when it is gone (also when it never existed).
bool RemoveFile(const std::string& path);
// Renames `from` to `to`, replacing `to` when it exists.
bool RenameFileOver(const std::string& from, const std::string& to);
// Makes the creation or removal of files in the folder of `path` durable (a no-op where the system does it).
bool FlushFolderOf(const std::string& path);
// Puts `content` in the file at `path` so that a failing disk leaves the old file whole: the content is written
// to a new file beside it, every write checked and flushed, and that file then takes the old one's place.
// False on any failure, with the system's error code in `systemError`; no passing file is left behind.
bool ReplaceFileContent(const std::string& path, const void* content, std::size_t length,
                        std::uint32_t* systemError = nullptr);
// The process's current directory ("" when it cannot be told).
std::string CurrentDirectory();
// The code the system gave the calling thread for its last failed call (GetLastError; errno natively), to
// tell the user why a file could not be written. Read it at once: any later call may change it.
std::uint32_t LastSystemError();

// The test seam. A mutating operation is a WriteAt, Flush, Truncate, RemoveFile or RenameFileOver call.
enum class FileFaultMode {
    Off,
    FailFromNth, // the n-th mutating operation and every later one fail
    FailOnlyNth, // only the n-th mutating operation fails
    ExitAtNth,   // the process ends at once (as if killed) when the n-th would run
};
// Counts mutating operations from 1 anew and arms the fault for the n-th.
void SetFileFault(FileFaultMode mode, int n);
// Opens of the file at `path` for writing fail from now on, as on read-only media; "" ends it.
void RefuseWritingTo(const std::string& path);
// Mutating operations attempted since the last SetFileFault.
int MutatingFileOperations();

namespace file_detail {
// Counts one mutating operation; false when the armed fault says it fails (it may also end the process).
bool MutatingOperationMayRun();
// False when the file at `path` may not be opened for writing (RefuseWritingTo).
bool MayOpenForWriting(const std::string& path);
} // namespace file_detail

} // namespace platform
