// A SQLite VFS that wraps the default one and fails chosen writes or syncs, registered as
// the default while an instance lives. Counting a clean run tells a test how many points
// there are to walk.
#pragma once

#include <sqlite3.h>

class FaultVfs {
public:
    enum class Op { Write, Sync };
    enum class Mode { Once, FromThenOn };

    FaultVfs();
    ~FaultVfs();
    FaultVfs(const FaultVfs&) = delete;
    FaultVfs& operator=(const FaultVfs&) = delete;

    // Fails the nth (1-based) operation of that kind, once or from then on; 0 disarms.
    void Arm(Op op, int nth, Mode mode);
    void Disarm() { m_failAt = 0; }
    void ResetCounts() { m_writes = 0; m_syncs = 0; }
    int Writes() const { return m_writes; }
    int Syncs() const { return m_syncs; }
    bool Fired() const { return m_fired; }

    // Called by the file shims.
    bool ShouldFail(Op op);

private:
    sqlite3_vfs m_vfs{};
    sqlite3_vfs* m_base = nullptr;
    int m_writes = 0;
    int m_syncs = 0;
    Op m_op = Op::Write;
    Mode m_mode = Mode::Once;
    int m_failAt = 0;
    bool m_fired = false;
};
