// The peak memory of the benchmark's process, in KB, in two measures: all it held (the resident set, or the
// working set on Windows, file pages read through a mapping among them), and what it held privately (its own
// allocations, without the file's pages, which the system caches for every reader alike and can take back at
// any time). Linux tells no peak of the private part, nor does Wine: a thread samples it every 2 ms while a
// PeakMemoryMeter lives. Windows keeps one peak of each for the process's life.
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <string>
#include <thread>

namespace bench {

struct PeakMemory {
    long residentKb = -1;
    long privateKb = -1;
};

class PeakMemoryMeter {
public:
    PeakMemoryMeter()
        : thread_([this] {
              while (!stop_) {
                  Note(PrivateKb());
                  std::this_thread::sleep_for(std::chrono::milliseconds(2));
              }
          })
    {
    }
    ~PeakMemoryMeter()
    {
        stop_ = true;
        thread_.join();
    }
    PeakMemoryMeter(const PeakMemoryMeter&) = delete;
    PeakMemoryMeter& operator=(const PeakMemoryMeter&) = delete;

    // The peaks since the meter began or was last restarted.
    PeakMemory Peak()
    {
        PeakMemory peak;
#ifdef _WIN32
        PROCESS_MEMORY_COUNTERS counters {};
        counters.cb = sizeof counters;
        if (GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters)) {
            peak.residentKb = static_cast<long>(counters.PeakWorkingSetSize / 1024);
            Note(static_cast<long>(counters.PeakPagefileUsage / 1024));
        }
#else
        peak.residentKb = StatusKb("VmHWM:");
        if (peak.residentKb < 0) {
            rusage usage {};
            getrusage(RUSAGE_SELF, &usage);
            peak.residentKb = usage.ru_maxrss;
        }
#endif
        Note(PrivateKb());
        peak.privateKb = privatePeak_.load();
        return peak;
    }

    // Starts both peaks afresh, so that the next Peak is that of what follows; false where the system cannot.
    bool Restart()
    {
#ifdef _WIN32
        return false;
#else
        // Writing 5 to clear_refs starts the peak resident set afresh (VmHWM; getrusage's peak never is).
        std::ofstream clear("/proc/self/clear_refs");
        clear << "5";
        clear.flush();
        privatePeak_ = PrivateKb();
        return static_cast<bool>(clear);
#endif
    }

private:
#ifdef _WIN32
    static long PrivateKb()
    {
        PROCESS_MEMORY_COUNTERS counters {};
        counters.cb = sizeof counters;
        if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
            return -1;
        return static_cast<long>(counters.PagefileUsage / 1024);
    }
#else
    // A line of /proc/self/status in KB, or -1.
    static long StatusKb(const char* name)
    {
        std::ifstream status("/proc/self/status");
        std::string key;
        while (status >> key) {
            long value = 0;
            if (key == name && status >> value)
                return value;
            status.ignore(1 << 10, '\n');
        }
        return -1;
    }
    static long PrivateKb() { return StatusKb("RssAnon:"); }
#endif
    void Note(long now)
    {
        long seen = privatePeak_;
        while (now > seen && !privatePeak_.compare_exchange_weak(seen, now)) {
        }
    }

    std::atomic<bool> stop_ {false};
    std::atomic<long> privatePeak_ {-1};
    std::thread thread_;
};

} // namespace bench
