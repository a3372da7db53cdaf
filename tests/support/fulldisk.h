#pragma once

namespace pptdrill::test {

// While one lives, every SQLite connection this process opens writes through
// a file layer that lets `writesAllowed` writes pass and fails every later one
// as a full disk does (SQLITE_FULL), in the database and in its journal alike.
class FullDisk
{
public:
    explicit FullDisk(int writesAllowed);
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    // The writes tried so far, those refused included.
    int writesTried() const;
    // Whether a write was refused.
    bool refusedAny() const;
};

} // namespace pptdrill::test
