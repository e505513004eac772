// A notice sink that keeps what the model posted, in order, for the tests to compare.
#pragma once

#include <cstdint>
#include <vector>

#include "core/notice_sink.h"

namespace test_support {

class RecordingSink : public NoticeSink {
public:
    struct Entry {
        Notice notice;
        std::uint32_t wParam;
        std::int32_t lParam;
        bool operator==(const Entry&) const = default;
    };

    void Post(Notice notice, std::uint32_t wParam, std::int32_t lParam) override
    {
        posted.push_back({notice, wParam, lParam});
    }

    std::vector<Entry> posted;
};

} // namespace test_support
