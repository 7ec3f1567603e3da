// dump: the session list and its display ids, the group-chat list, the shared files and
// their counters, and the fast-login data.
#include <list>
#include <set>

#include "DumpFamily.h"

namespace {

void Sessions(const DumpSource& source, DumpWriter& out)
{
    std::list<STSessionInfo> sessions;
    source.store.LoadSessionList(sessions);
    for (const STSessionInfo& s : sessions) {
        if (out.Skip()) continue;
        out.Add({{"SessionId", s.SessionId}, {"RoomId", s.RoomId}, {"Title", Narrow(s.Title)}, {"Cid", s.Cid},
                 {"Uid", s.Uid}, {"CreateSource", s.CreateSource}, {"Transfer", Narrow(s.Transfer)}});
    }
}

void DisplayIds(const DumpSource& source, DumpWriter& out)
{
    std::list<STSessionDisplayId*> pairs;  // owned by the store
    source.store.GetUpdateSessionList(pairs);
    for (const STSessionDisplayId* p : pairs) out.Add({{"SessionId", p->SessionId}, {"DisplayId", p->DisplayId}});
}

void GroupChats(const DumpSource& source, DumpWriter& out)
{
    std::list<int> ids;
    source.store.GetUserQGroupList(ids);
    for (int id : ids) out.Add({{"UserQGroupId", id}});
}

// Files are asked for by group: every group of the group-chat list and of the file table.
void SharedFiles(const DumpSource& source, DumpWriter& out)
{
    std::list<int> listed;
    source.store.GetUserQGroupList(listed);
    std::set<ULONG> groups(listed.begin(), listed.end());
    for (ULONG id : source.Ids(L"select QGroupId from QGroupShareFileInfoPwd")) groups.insert(id);
    for (ULONG group : groups) {
        std::list<STQGroupShareFile*> files;  // owned by the store
        source.store.GetQGroupShareFiles(group, files);
        for (const STQGroupShareFile* f : files) {
            if (out.Skip()) continue;
            out.Add({{"QGroupId", f->QGroupId}, {"Cid", f->Cid}, {"Uid", f->Uid}, {"FileName", Narrow(f->FileName)},
                     {"FileSize", f->FileSize}, {"FileAddTime", f->FileAddTime}, {"FileStoreFlag", f->FileStoreFlag},
                     {"FileMD5Id", Narrow(f->FileMD5Id)}, {"ClientFileId", f->ClientFileId},
                     {"FileInvalidDate", f->FileInvalidDate}, {"UploadFileStatusFlag", f->UploadFileStatusFlag},
                     {"HasPasswordFlag", f->HasPasswordFlag}});
        }
    }
}

void FileListCounters(const DumpSource& source, DumpWriter& out)
{
    for (ULONG group : source.Ids(L"select QGroupId from QGroupFileListUC_PWD")) {
        int uc = 0;
        source.store.GetQGroupFileListUC(group, &uc);
        out.Add({{"QGroupId", group}, {"QGroupFileListUC", uc}});
    }
}

// The session id is a login token: its length is shown, never the token.
void FastLogin(const DumpSource& source, DumpWriter& out)
{
    unsigned int time = 0;
    std::wstring sessionId;
    source.store.GetLastLiveTime(&time);
    source.store.GetFastLoginSessionId(sessionId);
    out.Add({{"LastLiveTime", time}, {"SessionIdLength", sessionId.size()}});
}

}  // namespace

const std::vector<DumpStore>& SessionDumps()
{
    static const std::vector<DumpStore> stores = {
        {L"SessionList", Sessions},
        {L"UpdateSessionlistId", DisplayIds},
        {L"UserQGroupId", GroupChats},
        {L"QGroupShareFileInfoPwd", SharedFiles},
        {L"QGroupFileListUC_PWD", FileListCounters},
        {L"Fast_Login_Data", FastLogin},
    };
    return stores;
}
