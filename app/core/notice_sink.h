// How model code tells the windows that something changed (a link added, a source deleted ...). The frame
// implements the sink by posting the notice to itself, so the windows handle it after the change was
// committed; tests install a sink that records what was posted.
#pragma once

#include <cstdint>
#include <vector>

// Each notice's value is the frame's private message of the same name, so the frame posts it unchanged.
enum Notice : std::uint32_t {
    NoticeDatabaseOpened = 0x2271,
    NoticeDatabaseClosed = 0x2272,
    NoticeEditorSettingsChanged = 0x2274,
    NoticeAssertionLinkChanged = 0x2278, // (person id, link id)
    NoticeAssertionLinkAdded = 0x2279,   // (person id, link id)
    NoticeAssertionLinkRemoved = 0x227A, // (person id, link id)
    NoticePersonDeleted = 0x227B,        // (0, person id)
    NoticeSourceDeleted = 0x227C,
    NoticeRepositoryDeleted = 0x227D,
    NoticeObjectiveDeleted = 0x227E,
    NoticeDateFormatChanged = 0x227F,
    NoticeTasksChanged = 0x2282,
    NoticeRepRefsChanged = 0x2283,
    NoticeSourceSaved = 0x2284,
    NoticeRecordsImported = 0x2288, // an import committed records into the open database: read them again
};

class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void Post(Notice notice, std::uint32_t wParam, std::int32_t lParam) = 0;
};

// The sink of the running program; null (notices dropped) until the frame installs its own.
inline NoticeSink* CurrentNoticeSink = nullptr;

// Notices gathered while a change is being written. They are posted only once the change is committed,
// so no window reads the database before it holds what the notice announces; a discarded change posts
// nothing.
class PendingNotices {
public:
    void Add(Notice notice, std::uint32_t wParam, std::int32_t lParam) { notices_.push_back({notice, wParam, lParam}); }
    void Discard() { notices_.clear(); }
    // Posts every gathered notice in order to `sink` (when there is one) and forgets them.
    void PostTo(NoticeSink* sink)
    {
        if (sink)
            for (const Entry& entry : notices_)
                sink->Post(entry.notice, entry.wParam, entry.lParam);
        notices_.clear();
    }
    bool Empty() const { return notices_.empty(); }

private:
    struct Entry {
        Notice notice;
        std::uint32_t wParam;
        std::int32_t lParam;
    };
    std::vector<Entry> notices_;
};
