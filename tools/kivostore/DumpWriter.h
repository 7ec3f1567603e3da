// The output of `kivostore dump`, shared by every store family: one JSON object per
// record (with a "store" member) or a readable table per store, then the counts. Output
// starts with the first records: a table takes its column widths from its first rows.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

#include "Progress.h"

using Record = nlohmann::ordered_json;

class DumpWriter {
public:
    // limit: at most that many records of each store are printed; every one is counted.
    DumpWriter(std::FILE* out, bool json, size_t limit) : m_out(out), m_json(json), m_limit(limit) {}

    // progress (may be null) counts the records of the store.
    void BeginStore(const std::string& store, Progress* progress);
    void Add(const Record& record);
    // Past the limit: counts one record, which the caller then need not build, and is true.
    bool Skip();
    void EndStore();
    void PrintCounts();

private:
    void Layout();
    void PrintRow(const Record& row);

    std::FILE* m_out;
    bool m_json;
    size_t m_limit;
    std::string m_store;
    Progress* m_progress = nullptr;
    size_t m_count = 0;
    size_t m_printed = 0;
    std::vector<Record> m_rows;  // the first rows of the store, until the layout is known
    bool m_laidOut = false;
    std::vector<std::string> m_names;
    std::vector<size_t> m_widths;  // none: one block per record, the record being too wide
    std::vector<std::pair<std::string, size_t>> m_counts;
};
