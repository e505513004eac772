// One save or delete as a read-write transaction that either keeps everything or nothing: the body
// answers whether all its writes succeeded; the transaction is committed only then and discarded
// otherwise. Notices gathered by the body are posted once the commit succeeded, never before and never
// for a discarded change. Used as the outermost transaction (the engine commits or discards only there;
// a nested one hands its answer up to its caller, which decides).
#pragma once

#include <utility>

#include "core/database.h"
#include "core/engine_transaction.h"
#include "core/notice_sink.h"

template <typename Body>
bool RunWriteTransaction(Database& database, Body&& body, PendingNotices* notices = nullptr,
                         NoticeSink* sink = CurrentNoticeSink)
{
    EngineTransaction transaction(database.file, TLV_READWRITE);
    if (!transaction.Running()) {
        if (notices)
            notices->Discard();
        return false;
    }
    const bool written = std::forward<Body>(body)();
    const bool stored = transaction.End(written) == 0 && written;
    if (notices) {
        if (stored)
            notices->PostTo(sink);
        else
            notices->Discard();
    }
    return stored;
}
