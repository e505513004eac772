// One engine transaction for the length of a scope. The engine wants tlvStartTransaction and
// tlvEndTransaction strictly in pairs, so a transaction that could not start is never ended.
#pragma once

#include <cstdint>

#include "engine/tolvane.h"

class EngineTransaction {
public:
    // Starts a transaction (TLV_READ or TLV_READWRITE) on `file`.
    EngineTransaction(DatabaseFile* file, std::uint32_t access) : file_(file)
    {
        running_ = tlvStartTransaction(access, file_) == 0;
    }
    EngineTransaction(const EngineTransaction&) = delete;
    EngineTransaction& operator=(const EngineTransaction&) = delete;
    // Commits unless the transaction was ended already.
    ~EngineTransaction() { End(true); }

    bool Running() const { return running_; }
    // Ends the transaction, keeping (commit) or dropping its changes; the engine's answer, or 0 when it
    // was not running.
    std::int32_t End(bool commit)
    {
        if (!running_)
            return 0;
        running_ = false;
        return tlvEndTransaction(commit ? 1 : 0, file_);
    }

private:
    DatabaseFile* file_;
    bool running_ = false;
};
