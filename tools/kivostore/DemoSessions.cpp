// Sample sessions: a conversation list with display ids, group chats with shared files
// and file-list counters, and the fast-login row.
#include <cstdio>
#include <string>

#include "DemoFamily.h"
#include "IStore.h"

namespace {

const unsigned kCorpId = 1000;
const unsigned kFilesPerGroup = 20;
const unsigned kLastLiveTime = 3000000000u;  // above 2^31 on purpose

void FillSessions(IStore& store, unsigned count)
{
    std::list<STSessionInfo> sessions;
    std::list<STSessionDisplayId*> displayIds;
    std::list<STSessionDisplayId> pairs;  // owns what displayIds points to
    for (unsigned id = 1; id <= count; ++id) {
        STSessionInfo session;
        session.SessionId = static_cast<LONG>(id);
        session.RoomId = static_cast<LONG>(id % 50);
        session.Cid = kCorpId;
        session.Uid = id;
        session.Title = L"Chat " + std::to_wstring(id) + (id % 9 == 0 ? L" (Ren\u00e9's \U0001F4AC)" : L"");
        session.Transfer = id % 4 == 0 ? L"forwarded by user " + std::to_wstring(id / 4) : L"";
        sessions.push_back(session);
        for (LONG display = 0; display < static_cast<LONG>(id % 3); ++display) {
            pairs.push_back({session.SessionId, static_cast<LONG>(id) * 10 + display});
            displayIds.push_back(&pairs.back());
        }
    }
    store.SaveSessionList(sessions);
    store.SaveUpdateSessionList(displayIds);
}

void FillGroupChats(IStore& store, unsigned groups)
{
    std::list<int> groupIds;
    for (unsigned group = 1; group <= groups; ++group) {
        const unsigned groupId = 7000 + group;
        groupIds.push_back(static_cast<int>(groupId));
        std::list<STQGroupShareFile> files;
        std::list<STQGroupShareFile*> pointers;
        for (unsigned file = 1; file <= kFilesPerGroup; ++file) {
            STQGroupShareFile record;
            record.QGroupId = groupId;
            record.Cid = kCorpId;
            record.Uid = file;
            record.ClientFileId = file;
            record.FileName = L"report-" + std::to_wstring(file) + (file % 5 == 0 ? L" (Q3's draft).pdf" : L".pdf");
            record.FileSize = 1024 * file;
            record.FileAddTime = 1700000000 + file * 60;
            record.FileMD5Id = L"md5-" + std::to_wstring(groupId * 100 + file);
            record.HasPasswordFlag = file % 7 == 0 ? 1 : 0;
            files.push_back(record);
            pointers.push_back(&files.back());
        }
        store.SetQGroupShareFiles(groupId, pointers);
        store.SaveQGroupFileListUC(groupId, static_cast<int>(group));
    }
    store.SetUserQGroupList(groupIds);
}

void Fill(IStore& store, int scale)
{
    FillSessions(store, static_cast<unsigned>(scale) / 10);   // 1000 at the default scale
    FillGroupChats(store, static_cast<unsigned>(scale) / 200);  // 50 groups, 1000 files
    const unsigned time = kLastLiveTime;
    store.SetLastLiveTime(&time, false);
    store.SetFastLoginSessionId(L"demo-token-'1'", false);
}

void Report(IStore& store)
{
    std::list<STSessionInfo> sessions;
    store.LoadSessionList(sessions);
    std::list<STSessionDisplayId*> displayIds;
    store.GetUpdateSessionList(displayIds);
    std::printf("  sessions: %zu, display ids: %zu", sessions.size(), displayIds.size());
    if (!sessions.empty()) std::printf(", last: \"%ls\"", sessions.back().Title.c_str());
    std::printf("\n");

    std::list<int> groupIds;
    store.GetUserQGroupList(groupIds);
    size_t files = 0;
    for (int groupId : groupIds) {
        std::list<STQGroupShareFile*> groupFiles;
        store.GetQGroupShareFiles(static_cast<unsigned>(groupId), groupFiles);
        files += groupFiles.size();
    }
    int uc = -1;
    if (!groupIds.empty()) store.GetQGroupFileListUC(static_cast<unsigned>(groupIds.back()), &uc);
    std::printf("  group chats: %zu, shared files: %zu, last file-list counter: %d\n", groupIds.size(), files, uc);

    unsigned time = 0;
    std::wstring sessionId;
    store.GetLastLiveTime(&time);
    store.GetFastLoginSessionId(sessionId);
    // The token itself is never printed.
    std::printf("  fast login: last live time %u, session id %s\n", time, sessionId.empty() ? "empty" : "held");
}

}  // namespace

const DemoFamily kDemoSessions = {"sessions",
    KivoSaveMask::kSessionList | KivoSaveMask::kQGroupShareFileInfoPwd |
    KivoSaveMask::kQGroupFileListUC | KivoSaveMask::kUserQGroupId |
    KivoSaveMask::kUpdateSessionlistId | KivoSaveMask::kFastLoginData,
    Fill, Report};
