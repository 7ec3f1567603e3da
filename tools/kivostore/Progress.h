// Progress of one long step on stderr: nothing for a step done within a second; after
// that a line each second with the count so far ("12,000 of 1,000,000 rows"), and one when
// it ends. A thread of the
// tool's own ticks, so a step that is one call into the store is reported as well.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class Progress {
public:
    // unit: what is counted ("rows", "records", "pages"); total 0 when unknown.
    Progress(std::string step, std::string unit, size_t total);
    ~Progress();
    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // For a step that counts as it goes; a step that is one call only names its total.
    void Add(size_t count = 1)
    {
        m_counted.store(true, std::memory_order_relaxed);
        m_done.fetch_add(count, std::memory_order_relaxed);
    }
    // Ends the step; the destructor does it too.
    void Finish();

private:
    void Tick();
    void Print(bool final) const;

    const std::string m_step;
    const std::string m_unit;
    const size_t m_total;
    const std::chrono::steady_clock::time_point m_start;
    std::atomic<size_t> m_done{0};
    std::atomic<bool> m_counted{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_finished = false;
    bool m_reported = false;
    std::thread m_ticker;
};
