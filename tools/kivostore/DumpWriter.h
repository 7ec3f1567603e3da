// The output of `kivostore dump`, shared by every store family: one JSON object per
// record (with a "store" member) or a readable table per store, then the counts.
#pragma once

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include <nlohmann/json.hpp>

using Record = nlohmann::ordered_json;

class DumpWriter {
public:
    DumpWriter(std::FILE* out, bool json) : m_out(out), m_json(json) {}

    void BeginStore(const std::string& store);
    void Add(const Record& record);
    void EndStore();
    void PrintCounts();

private:
    void PrintTable() const;

    std::FILE* m_out;
    bool m_json;
    std::string m_store;
    size_t m_count = 0;
    std::vector<Record> m_rows;  // of the current store, held for the table layout
    std::vector<std::pair<std::string, size_t>> m_counts;
};
