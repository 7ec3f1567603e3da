// The shapes every store family times the same way, each paired with its raw counterpart
// on the same rows in one loop (RunPaired): a masked save in one transaction on a fresh
// file, a masked load after Reset, and the heap a load leaves held. Whatever a side does
// outside its timed part (filling the store, creating the tables, freeing what the last
// iteration loaded, closing the raw connection of a load) runs untimed.
#pragma once

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

#include "BenchSupport.h"
#include "FaultVfs.h"
#include "Store.h"

namespace bench {

// The raw side opens, runs one transaction and closes: what SaveToDisk(mask, TRUE) does
// around its statements.
inline void PairedSave(benchmark::State& state, unsigned int mask, const std::function<void(IStore&)>& fill,
                       std::initializer_list<const wchar_t*> tables, const std::function<void(sqlite3*)>& write,
                       int64_t rows)
{
    BenchDir dir;
    CStore store;
    IStore& api = store;
    std::string storePath;
    std::string rawPath;
    bool failed = false;
    RunPaired(
        state, [&] { failed |= api.SaveToDisk(mask, TRUE) != 1; },
        [&] {
            sqlite3* db = OpenRaw(rawPath, false);
            RawExec(db, "BEGIN IMMEDIATE");
            write(db);
            RawExec(db, "COMMIT");
            sqlite3_close(db);
        },
        [&] {
            api.Reset();
            storePath = dir.FreshFile("store.db");
            PointStoreAtFreshFile(api, storePath);
            fill(api);
            api.SetDataConsistentFlag(mask, true);
            rawPath = dir.FreshFile("raw.db");
            sqlite3_close(OpenRawWithTables(rawPath, tables));
        });
    if (failed) state.SkipWithError("the store's save failed");
    // The comparison holds only if the raw side wrote what the store wrote.
    for (const wchar_t* table : tables) {
        if (!failed && !SameRows(storePath, rawPath, table)) {
            state.SkipWithError("the raw side wrote other rows than the store");
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

// One changed record saved into a file that already holds the whole sample, after the
// client's start-up load: the store's masked save (open, one transaction, close) against a
// single-row commit on a raw connection kept open, the same pragmas on both sides. The
// syncs each side makes per call are counted through a VFS shim and reported as counters
// side_syncs and raw_syncs. change(store, k) and writeOne(db, k) change the same record.
inline void PairedSaveOne(benchmark::State& state, unsigned int mask, const std::function<void(IStore&)>& fill,
                          void (*change)(IStore&, int), std::initializer_list<const wchar_t*> tables,
                          const std::function<void(sqlite3*)>& writeAll,
                          const std::function<std::function<void(int)>(sqlite3*)>& prepareOne)
{
    FaultVfs counter;  // never armed: it only counts
    BenchDir dir;
    CStore store;
    IStore& api = store;
    PointStoreAtFreshFile(api, dir.FreshFile("store.db"));
    fill(api);
    api.SetDataConsistentFlag(mask, true);
    if (api.SaveToDisk(mask, TRUE) != 1 || api.LoadFromDisk(mask) != 1) {
        state.SkipWithError("cannot write and load the store's file");
        return;
    }
    sqlite3* db = OpenRawWithTables(dir.FreshFile("raw.db"), tables);
    RawExec(db, "BEGIN IMMEDIATE");
    writeAll(db);
    RawExec(db, "COMMIT");
    int next = 0;
    int sideSyncs = 0;
    int rawSyncs = 0;
    bool failed = false;
    auto counted = [&counter](int& syncs, const std::function<void()>& run) {
        const int before = counter.Syncs();
        run();
        syncs += counter.Syncs() - before;
    };
    {
        // Prepared once, as the store keeps its statements from one save to the next.
        const std::function<void(int)> writeOne = prepareOne(db);
        RunPaired(
            state, [&] { counted(sideSyncs, [&] { failed |= api.SaveToDisk(mask, TRUE) != 1; }); },
            [&] {
                counted(rawSyncs, [&] {
                    RawExec(db, "BEGIN IMMEDIATE");
                    writeOne(next);
                    RawExec(db, "COMMIT");
                });
            },
            [&] { change(api, ++next); });
    }
    sqlite3_close(db);
    if (failed) state.SkipWithError("the store's save failed");
    const double n = static_cast<double>(state.iterations());
    state.counters["side_syncs"] = sideSyncs / n;
    state.counters["raw_syncs"] = rawSyncs / n;
}

// Both sides load once untimed first: the first loads of a process pay for growing the heap.
template <typename Records>
void PairedLoad(benchmark::State& state, const std::string& path, unsigned int mask,
                void (*load)(sqlite3*, Records&), int64_t rows)
{
    CStore store;
    IStore& api = store;
    auto records = std::make_unique<Records>();
    sqlite3* db = nullptr;
    bool failed = false;
    auto storeLoad = [&] { failed |= api.LoadFromDisk(mask) != 1; };
    auto rawLoad = [&] {
        db = OpenRaw(path, false);
        load(db, *records);
    };
    auto prepare = [&] {
        api.Reset();  // frees what the last load held, and closes the file
        PointStoreAtFile(api, path);
        records = std::make_unique<Records>();
        sqlite3_close(db);
        db = nullptr;
    };
    prepare();
    storeLoad();
    rawLoad();
    RunPaired(state, storeLoad, rawLoad, prepare);
    sqlite3_close(db);
    if (failed) state.SkipWithError("the store's load failed");
    state.SetItemsProcessed(state.iterations() * rows);
}

// Heap held after the load and resident peak during it, per record, as counters.
inline void ReportMemory(benchmark::State& state, const char* perRecord, size_t heapBefore, size_t residentBefore,
                         int64_t records)
{
    const double held = static_cast<double>(HeapInUse()) - static_cast<double>(heapBefore);
    const double peak = static_cast<double>(PeakResidentBytes()) - static_cast<double>(residentBefore);
    state.counters[std::string("held_B_per_") + perRecord] = held / static_cast<double>(records);
    state.counters[std::string("peak_B_per_") + perRecord] = peak / static_cast<double>(records);
}

inline void MeasureStoreMemory(benchmark::State& state, const std::string& path, unsigned int mask,
                               const char* perRecord, int64_t records)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CStore>();
        PointStoreAtFile(*store, path);
        ResetPeak();
        const size_t heap = HeapInUse();
        const size_t resident = ResidentBytes();
        state.ResumeTiming();
        if (store->LoadFromDisk(mask) != 1) {
            state.SkipWithError("the store's load failed");
            break;
        }
        state.PauseTiming();
        store->CloseDBFile();  // the connection's cache is not what the records cost
        ReportMemory(state, perRecord, heap, resident, records);
        store.reset();
        state.ResumeTiming();
    }
}

template <typename Records>
void MeasureRawMemory(benchmark::State& state, const std::string& path, void (*load)(sqlite3*, Records&),
                      const char* perRecord, int64_t records)
{
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        const size_t heap = HeapInUse();
        const size_t resident = ResidentBytes();
        state.ResumeTiming();
        auto held = std::make_unique<Records>();
        sqlite3* db = OpenRaw(path, false);
        load(db, *held);
        sqlite3_close(db);
        state.PauseTiming();
        ReportMemory(state, perRecord, heap, resident, records);
        held.reset();
        state.ResumeTiming();
    }
}

}  // namespace bench
