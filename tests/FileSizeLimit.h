#pragma once
#include <csignal>
#include <sys/resource.h>

// While it lives, no file of the process may grow past `bytes`, as on a full disk: a write beyond
// fails instead of ending the process. Unlike a read-only folder, the limit holds for root as well.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit cut = old_;
        cut.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &cut);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, handler_);
    }

private:
    void (*handler_)(int);
    rlimit old_{};
};
