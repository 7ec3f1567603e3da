#include "FaultVfs.h"

#include <cstring>
#include <stdexcept>

namespace {

FaultVfs* g_active = nullptr;

struct ShimFile {
    sqlite3_file base;     // must come first: SQLite sees this
    sqlite3_file* real;    // the wrapped VFS's file, allocated right after
};

sqlite3_file* Real(sqlite3_file* f) { return reinterpret_cast<ShimFile*>(f)->real; }

int ShimClose(sqlite3_file* f) { return Real(f)->pMethods ? Real(f)->pMethods->xClose(Real(f)) : SQLITE_OK; }
int ShimRead(sqlite3_file* f, void* p, int n, sqlite3_int64 o) { return Real(f)->pMethods->xRead(Real(f), p, n, o); }
int ShimWrite(sqlite3_file* f, const void* p, int n, sqlite3_int64 o)
{
    if (g_active && g_active->ShouldFail(FaultVfs::Op::Write)) return SQLITE_IOERR_WRITE;
    return Real(f)->pMethods->xWrite(Real(f), p, n, o);
}
int ShimTruncate(sqlite3_file* f, sqlite3_int64 size) { return Real(f)->pMethods->xTruncate(Real(f), size); }
int ShimSync(sqlite3_file* f, int flags)
{
    if (g_active && g_active->ShouldFail(FaultVfs::Op::Sync)) return SQLITE_IOERR_FSYNC;
    return Real(f)->pMethods->xSync(Real(f), flags);
}
int ShimFileSize(sqlite3_file* f, sqlite3_int64* size) { return Real(f)->pMethods->xFileSize(Real(f), size); }
int ShimLock(sqlite3_file* f, int l) { return Real(f)->pMethods->xLock(Real(f), l); }
int ShimUnlock(sqlite3_file* f, int l) { return Real(f)->pMethods->xUnlock(Real(f), l); }
int ShimCheckReservedLock(sqlite3_file* f, int* out) { return Real(f)->pMethods->xCheckReservedLock(Real(f), out); }
int ShimFileControl(sqlite3_file* f, int op, void* arg) { return Real(f)->pMethods->xFileControl(Real(f), op, arg); }
int ShimSectorSize(sqlite3_file* f) { return Real(f)->pMethods->xSectorSize(Real(f)); }
int ShimDeviceCharacteristics(sqlite3_file* f) { return Real(f)->pMethods->xDeviceCharacteristics(Real(f)); }
int ShimShmMap(sqlite3_file* f, int pg, int sz, int extend, void volatile** out)
{
    return Real(f)->pMethods->xShmMap(Real(f), pg, sz, extend, out);
}
int ShimShmLock(sqlite3_file* f, int offset, int n, int flags) { return Real(f)->pMethods->xShmLock(Real(f), offset, n, flags); }
void ShimShmBarrier(sqlite3_file* f) { Real(f)->pMethods->xShmBarrier(Real(f)); }
int ShimShmUnmap(sqlite3_file* f, int del) { return Real(f)->pMethods->xShmUnmap(Real(f), del); }

// Version 2: WAL needs the shared-memory methods; no memory-mapped I/O, so every page write
// passes through xWrite.
const sqlite3_io_methods kMethods = {
    2, ShimClose, ShimRead, ShimWrite, ShimTruncate, ShimSync, ShimFileSize, ShimLock, ShimUnlock,
    ShimCheckReservedLock, ShimFileControl, ShimSectorSize, ShimDeviceCharacteristics, ShimShmMap,
    ShimShmLock, ShimShmBarrier, ShimShmUnmap, nullptr, nullptr};

int ShimOpen(sqlite3_vfs* vfs, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    sqlite3_vfs* base = static_cast<sqlite3_vfs*>(vfs->pAppData);
    auto* shim = reinterpret_cast<ShimFile*>(file);
    shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
    std::memset(shim->real, 0, static_cast<size_t>(base->szOsFile));
    int rc = base->xOpen(base, name, shim->real, flags, outFlags);
    shim->base.pMethods = shim->real->pMethods ? &kMethods : nullptr;
    return rc;
}

#define BASE(vfs) (static_cast<sqlite3_vfs*>((vfs)->pAppData))
int ShimDelete(sqlite3_vfs* v, const char* n, int s) { return BASE(v)->xDelete(BASE(v), n, s); }
int ShimAccess(sqlite3_vfs* v, const char* n, int f, int* o) { return BASE(v)->xAccess(BASE(v), n, f, o); }
int ShimFullPathname(sqlite3_vfs* v, const char* n, int sz, char* o) { return BASE(v)->xFullPathname(BASE(v), n, sz, o); }
void* ShimDlOpen(sqlite3_vfs* v, const char* n) { return BASE(v)->xDlOpen(BASE(v), n); }
void ShimDlError(sqlite3_vfs* v, int n, char* o) { BASE(v)->xDlError(BASE(v), n, o); }
void (*ShimDlSym(sqlite3_vfs* v, void* h, const char* s))(void) { return BASE(v)->xDlSym(BASE(v), h, s); }
void ShimDlClose(sqlite3_vfs* v, void* h) { BASE(v)->xDlClose(BASE(v), h); }
int ShimRandomness(sqlite3_vfs* v, int n, char* o) { return BASE(v)->xRandomness(BASE(v), n, o); }
int ShimSleep(sqlite3_vfs* v, int us) { return BASE(v)->xSleep(BASE(v), us); }
int ShimCurrentTime(sqlite3_vfs* v, double* o) { return BASE(v)->xCurrentTime(BASE(v), o); }
int ShimGetLastError(sqlite3_vfs* v, int n, char* o) { return BASE(v)->xGetLastError(BASE(v), n, o); }
int ShimCurrentTimeInt64(sqlite3_vfs* v, sqlite3_int64* o) { return BASE(v)->xCurrentTimeInt64(BASE(v), o); }
#undef BASE

}  // namespace

FaultVfs::FaultVfs()
{
    if (g_active) throw std::logic_error("one FaultVfs at a time");
    m_base = sqlite3_vfs_find(nullptr);
    m_vfs = {2, static_cast<int>(sizeof(ShimFile)) + m_base->szOsFile, m_base->mxPathname, nullptr, "kivo-fault",
             m_base, ShimOpen, ShimDelete, ShimAccess, ShimFullPathname, ShimDlOpen, ShimDlError, ShimDlSym,
             ShimDlClose, ShimRandomness, ShimSleep, ShimCurrentTime, ShimGetLastError, ShimCurrentTimeInt64,
             nullptr, nullptr, nullptr};
    g_active = this;
    sqlite3_vfs_register(&m_vfs, 1);
}

FaultVfs::~FaultVfs()
{
    sqlite3_vfs_unregister(&m_vfs);
    g_active = nullptr;
}

void FaultVfs::Arm(Op op, int nth, Mode mode)
{
    m_op = op;
    m_failAt = nth;
    m_mode = mode;
    m_fired = false;
    ResetCounts();
}

bool FaultVfs::ShouldFail(Op op)
{
    int& count = op == Op::Write ? m_writes : m_syncs;
    ++count;
    if (m_failAt <= 0 || op != m_op) return false;
    const bool fail = m_mode == Mode::Once ? count == m_failAt : count >= m_failAt;
    if (fail) m_fired = true;
    return fail;
}
