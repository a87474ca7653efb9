#include "FailingSync.h"

#include <atomic>
#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::atomic<int> refusals{0};

int Sync(long call, int fd)
{
    if (refusals > 0) {
        errno = EIO;
        return -1;
    }
    return static_cast<int>(syscall(call, fd));
}

} // namespace

FailingSync::FailingSync(bool refuse) : refuse_(refuse)
{
    if (refuse_)
        ++refusals;
}

FailingSync::~FailingSync()
{
    if (refuse_)
        --refusals;
}

extern "C" int fdatasync(int fd) { return Sync(SYS_fdatasync, fd); }
extern "C" int fsync(int fd) { return Sync(SYS_fsync, fd); }
