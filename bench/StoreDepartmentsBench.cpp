// 50,000 departments (mask 0x1): saved after changing all of them, and after changing one
// in a file that holds them all. The save deletes by Did, so it grows linearly only while
// that delete finds its rows through an index; the raw side has the same index.
#include "BenchRecords.h"
#include "StoreCases.h"

namespace bench {
namespace {

const unsigned int kDepartmentMask = 0x1;

void FillDepartments(IStore& store)
{
    for (const STDeptInfo& dept : ManyDepartments()) store.SaveDeptInfo(dept);
}

void WriteDepartments(sqlite3* db)
{
    RawSaveDepartments(db, ManyDepartments());
}

// The k-th change renames one department, walking through all of them.
STDeptInfo Changed(int k)
{
    STDeptInfo dept = ManyDepartments()[static_cast<size_t>(k) % ManyDepartments().size()];
    dept.Name += L" " + std::to_wstring(k);
    return dept;
}

void DepartmentsSave(benchmark::State& state)
{
    PairedSave(state, kDepartmentMask, FillDepartments, {L"DeptInfo"}, WriteDepartments, kManyDepartments);
}

void DepartmentSaveOne(benchmark::State& state)
{
    PairedSaveOne(
        state, kDepartmentMask, FillDepartments, [](IStore& store, int k) { store.SaveDeptInfo(Changed(k)); },
        {L"DeptInfo"}, WriteDepartments, [](sqlite3* db) {
            auto writer = std::make_shared<RawOneDepartmentSave>(db);
            return [writer](int k) { writer->Save(Changed(k)); };
        });
}

BENCHMARK(DepartmentsSave)->Name("DepartmentsSave50k/Store")->Iterations(2)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(DepartmentSaveOne)->Name("DepartmentSaveOne50k/Store")->MinTime(0.5)->Unit(benchmark::kMicrosecond)->UseManualTime();

}  // namespace
}  // namespace bench
