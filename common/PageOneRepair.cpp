#include "PageOneRepair.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

const size_t kHeaderSize = 100;
const uint32_t kDefaultPageSize = 4096;
const unsigned char kTableInterior = 0x05;
const unsigned char kTableLeaf = 0x0D;

uint32_t Get16(const unsigned char* p) { return static_cast<uint32_t>(p[0] << 8 | p[1]); }
uint32_t Get32(const unsigned char* p) { return Get16(p) << 16 | Get16(p + 2); }
void Put16(unsigned char* p, uint32_t v)
{
    p[0] = static_cast<unsigned char>(v >> 8);
    p[1] = static_cast<unsigned char>(v);
}

uint32_t PageSize(const unsigned char* header)
{
    const uint32_t size = Get16(header + 16) == 1 ? 65536 : Get16(header + 16);
    return size >= 512 && size <= 65536 && (size & (size - 1)) == 0 ? size : 0;
}

// The fields SQLite refuses a file for, set to what a file of this library holds.
void MendHeader(unsigned char* header, bool walBeside)
{
    std::memcpy(header, "SQLite format 3", 16);
    if (PageSize(header) == 0) Put16(header + 16, kDefaultPageSize);
    for (int k : {18, 19}) {
        if (header[k] != 1 && header[k] != 2) header[k] = walBeside ? 2 : 1;
    }
    if (header[20] > 32) header[20] = 0;
    header[21] = 64;
    header[22] = 32;
    header[23] = 32;
    if (header[47] < 1 || header[47] > 4 || Get16(header + 44) != 0) std::memcpy(header + 44, "\0\0\0\4", 4);
    if (Get32(header + 56) < 1 || Get32(header + 56) > 3) std::memcpy(header + 56, "\0\0\0\1", 4);
}

// Whether page number page of the file looks like a page of a table b-tree.
bool LooksLikeTablePage(int fd, uint32_t pageSize, uint32_t page)
{
    std::vector<unsigned char> bytes(pageSize);
    const off_t offset = static_cast<off_t>(page - 1) * pageSize;
    if (page < 2 || pread(fd, bytes.data(), pageSize, offset) != static_cast<ssize_t>(pageSize)) return false;
    const unsigned char type = bytes[0];
    if (type != kTableLeaf && type != kTableInterior) return false;
    const uint32_t headerSize = type == kTableLeaf ? 8 : 12;
    const uint32_t cells = Get16(&bytes[3]);
    if (headerSize + 2 * cells > pageSize) return false;
    for (uint32_t c = 0; c < cells; ++c) {
        const uint32_t cell = Get16(&bytes[headerSize + 2 * c]);
        if (cell < headerSize + 2 * cells || cell >= pageSize) return false;
    }
    return true;
}

void MakeEmptyLeaf(unsigned char* node, uint32_t pageSize)
{
    std::memset(node, 0, 8);
    node[0] = kTableLeaf;
    Put16(node + 5, pageSize == 65536 ? 0 : pageSize);
}

// Drops from the root of sqlite_master the children that are not table pages, so that the
// schema rows of the other children can be read. A root that is no b-tree page at all
// becomes an empty leaf.
void MendSchemaRoot(int fd, unsigned char* page, uint32_t pageSize)
{
    unsigned char* node = page + kHeaderSize;
    if (node[0] != kTableInterior) {
        if (node[0] != kTableLeaf) MakeEmptyLeaf(node, pageSize);
        return;
    }
    const uint32_t cells = Get16(node + 3);
    unsigned char* pointers = node + 12;
    if (kHeaderSize + 12 + 2 * cells > pageSize) return;
    std::vector<uint32_t> kept;  // the cell offsets of good children
    for (uint32_t c = 0; c < cells; ++c) {
        const uint32_t cell = Get16(pointers + 2 * c);
        if (cell + 4 <= pageSize && LooksLikeTablePage(fd, pageSize, Get32(page + cell))) kept.push_back(cell);
    }
    const bool rightGood = LooksLikeTablePage(fd, pageSize, Get32(node + 8));
    if (kept.size() == cells && rightGood) return;
    if (!rightGood && kept.empty()) {
        MakeEmptyLeaf(node, pageSize);
        return;
    }
    if (!rightGood) {
        std::memcpy(node + 8, page + kept.back(), 4);
        kept.pop_back();
    }
    Put16(node + 3, static_cast<uint32_t>(kept.size()));
    for (size_t c = 0; c < kept.size(); ++c) Put16(pointers + 2 * c, kept[c]);
}

}  // namespace

bool CPageOneRepair::Repair(const std::string& path, bool walBeside)
{
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    unsigned char header[kHeaderSize];
    bool ok = true;
    if (pread(fd, header, kHeaderSize, 0) == static_cast<ssize_t>(kHeaderSize)) {
        MendHeader(header, walBeside);
        const uint32_t pageSize = PageSize(header);
        std::vector<unsigned char> page(pageSize);
        if (pread(fd, page.data(), pageSize, 0) == static_cast<ssize_t>(pageSize)) {
            std::memcpy(page.data(), header, kHeaderSize);
            MendSchemaRoot(fd, page.data(), pageSize);
            ok = pwrite(fd, page.data(), pageSize, 0) == static_cast<ssize_t>(pageSize);
        } else {
            ok = pwrite(fd, header, kHeaderSize, 0) == static_cast<ssize_t>(kHeaderSize);
        }
    }
    return close(fd) == 0 && ok;
}
