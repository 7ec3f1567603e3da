#include "Progress.h"

#include <cstdio>

namespace {

const std::chrono::seconds kQuiet(1);

// 1234567 -> "1,234,567": counts of a million rows stay readable.
std::string Grouped(size_t value)
{
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return digits;
}

}  // namespace

Progress::Progress(std::string step, std::string unit, size_t total)
    : m_step(std::move(step)), m_unit(std::move(unit)), m_total(total), m_start(std::chrono::steady_clock::now())
{
    m_ticker = std::thread([this] { Tick(); });
}

Progress::~Progress() { Finish(); }

void Progress::Finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_finished) return;
        m_finished = true;
    }
    m_wake.notify_one();
    m_ticker.join();
    if (m_reported || std::chrono::steady_clock::now() - m_start >= kQuiet) Print(true);
}

void Progress::Tick()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    auto next = m_start + kQuiet;
    while (!m_wake.wait_until(lock, next, [this] { return m_finished; })) {
        m_reported = true;
        Print(false);
        next += kQuiet;
    }
}

void Progress::Print(bool final) const
{
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count();
    std::string count;
    if (m_counted.load(std::memory_order_relaxed)) count = Grouped(m_done.load(std::memory_order_relaxed)) + " of ";
    count += m_total > 0 ? Grouped(m_total) : std::string("?");
    std::fprintf(stderr, "kivostore: %s: %s%s %s, %.1f s\n", m_step.c_str(), final ? "done, " : "", count.c_str(),
                 m_unit.c_str(), seconds);
}
