#pragma once

// While one lives with `refuse` set, the storage refuses to hold any file of the process: fdatasync and
// fsync fail with EIO, as on a thin volume, a network file system over quota or a failing disk, which
// accept every write and report the failure only there. The test programs' own fdatasync and fsync
// stand in for the C library's and otherwise pass straight to the kernel.
class FailingSync {
public:
    explicit FailingSync(bool refuse = true);
    ~FailingSync();
    FailingSync(const FailingSync&) = delete;
    FailingSync& operator=(const FailingSync&) = delete;

private:
    bool refuse_;
};
