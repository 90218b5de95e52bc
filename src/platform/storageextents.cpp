#include "platform/storageextents.h"

#include "platform/disk.h"
#include "platform/pathcase.h"

#include <linux/fiemap.h>
#include <linux/fs.h>

#include <algorithm>
#include <vector>

namespace ztplatform {

namespace {

constexpr quint32 BATCH = 64;
constexpr int ROUNDS_MAX = 4096; // 262,144 extents: beyond that, told as unknown

// The file's extents on its medium; false when the system does not tell
// them all, or tells one it cannot place.
bool physicalExtents(Disk &disk, int fd, QVector<Extent> *out)
{
    std::vector<char> buffer(sizeof(struct fiemap) + BATCH * sizeof(struct fiemap_extent));
    quint64 start = 0;
    for (int round = 0; round < ROUNDS_MAX; ++round) {
        std::fill(buffer.begin(), buffer.end(), 0);
        auto *map = reinterpret_cast<struct fiemap *>(buffer.data());
        map->fm_start = start;
        map->fm_length = FIEMAP_MAX_OFFSET - start;
        map->fm_extent_count = BATCH;
        if (disk.readControl(fd, FS_IOC_FIEMAP, map) != 0)
            return false;
        if (map->fm_mapped_extents == 0)
            return true;
        for (quint32 i = 0; i < map->fm_mapped_extents; ++i) {
            const struct fiemap_extent &e = map->fm_extents[i];
            if (e.fe_flags & (FIEMAP_EXTENT_UNKNOWN | FIEMAP_EXTENT_DELALLOC))
                return false;
            out->append(Extent(e.fe_physical, e.fe_physical + e.fe_length));
            if (e.fe_flags & FIEMAP_EXTENT_LAST)
                return true;
            start = e.fe_logical + e.fe_length;
        }
    }
    return false;
}

} // namespace

bool extentsOverlap(QVector<Extent> a, QVector<Extent> b)
{
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    int i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const Extent &x = a.at(i), &y = b.at(j);
        if (x.first < y.second && y.first < x.second && x.first < x.second && y.first < y.second)
            return true;
        if (x.second <= y.second)
            ++i;
        else
            ++j;
    }
    return false;
}

bool mayShareStorage(Disk &disk, int fdA, int fdB)
{
    if (fdA < 0 || fdB < 0 || (!isOnFatVolume(disk, fdA) && !isOnFatVolume(disk, fdB)))
        return false;
    QVector<Extent> a, b;
    return !physicalExtents(disk, fdA, &a) || !physicalExtents(disk, fdB, &b) || extentsOverlap(a, b);
}

} // namespace ztplatform
