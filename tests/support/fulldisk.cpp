#include "tests/support/fulldisk.h"

#include <sqlite3.h>

namespace pptdrill::test {

namespace {

sqlite3_vfs* g_real = nullptr;
sqlite3_vfs g_full;
int g_allowed = -1;
int g_tried = 0;

struct File
{
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* file)
{
    return reinterpret_cast<File*>(file)->real;
}

int fileClose(sqlite3_file* f)
{
    return realOf(f)->pMethods->xClose(realOf(f));
}
int fileRead(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int fileWrite(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    if (g_allowed >= 0 && g_tried++ >= g_allowed)
        return SQLITE_FULL;
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int fileTruncate(sqlite3_file* f, sqlite3_int64 size)
{
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int fileSync(sqlite3_file* f, int flags)
{
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int fileLock(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int fileUnlock(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int fileCheckReservedLock(sqlite3_file* f, int* out)
{
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), out);
}
int fileControl(sqlite3_file* f, int op, void* arg)
{
    return realOf(f)->pMethods->xFileControl(realOf(f), op, arg);
}
int fileSectorSize(sqlite3_file* f)
{
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int fileDeviceCharacteristics(sqlite3_file* f)
{
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}
int fileShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out)
{
    return realOf(f)->pMethods->xShmMap(realOf(f), region, size, extend, out);
}
int fileShmLock(sqlite3_file* f, int offset, int n, int flags)
{
    return realOf(f)->pMethods->xShmLock(realOf(f), offset, n, flags);
}
void fileShmBarrier(sqlite3_file* f)
{
    realOf(f)->pMethods->xShmBarrier(realOf(f));
}
int fileShmUnmap(sqlite3_file* f, int deleteFlag)
{
    return realOf(f)->pMethods->xShmUnmap(realOf(f), deleteFlag);
}
int fileFetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** out)
{
    return realOf(f)->pMethods->xFetch(realOf(f), offset, amount, out);
}
int fileUnfetch(sqlite3_file* f, sqlite3_int64 offset, void* page)
{
    return realOf(f)->pMethods->xUnfetch(realOf(f), offset, page);
}

const sqlite3_io_methods g_methods = {
    3,
    fileClose,
    fileRead,
    fileWrite,
    fileTruncate,
    fileSync,
    fileSize,
    fileLock,
    fileUnlock,
    fileCheckReservedLock,
    fileControl,
    fileSectorSize,
    fileDeviceCharacteristics,
    fileShmMap,
    fileShmLock,
    fileShmBarrier,
    fileShmUnmap,
    fileFetch,
    fileUnfetch,
};

int vfsOpen(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    File* wrapper = reinterpret_cast<File*>(file);
    wrapper->real = reinterpret_cast<sqlite3_file*>(wrapper + 1);
    const int rc = g_real->xOpen(g_real, name, wrapper->real, flags, outFlags);
    file->pMethods = wrapper->real->pMethods ? &g_methods : nullptr;
    return rc;
}

} // namespace

FullDisk::FullDisk(int writesAllowed)
{
    if (!g_real) {
        g_real = sqlite3_vfs_find(nullptr);
        g_full = *g_real;
        g_full.zName = "pptdrill-test-fulldisk";
        g_full.szOsFile = static_cast<int>(sizeof(File)) + g_real->szOsFile;
        g_full.xOpen = vfsOpen;
    }
    g_allowed = writesAllowed;
    g_tried = 0;
    sqlite3_vfs_register(&g_full, 1);
}

FullDisk::~FullDisk()
{
    g_allowed = -1;
    sqlite3_vfs_register(g_real, 1);
}

int FullDisk::writesTried() const
{
    return g_tried;
}

bool FullDisk::refusedAny() const
{
    return g_allowed >= 0 && g_tried > g_allowed;
}

} // namespace pptdrill::test
