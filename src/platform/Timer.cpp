#include "platform/Timer.h"
#include "platform/Guarded.h"
#include <QTimer>
#include <vector>
#include <algorithm>

namespace {
bool g_live = false;
std::vector<Timer*>& allTimers()
{
    static std::vector<Timer*> timers;
    return timers;
}
}

Timer::Timer() : qt_(std::make_unique<QTimer>())
{
    QObject::connect(qt_.get(), &QTimer::timeout, [this] { Guarded([this] { Tick(); }); });
    allTimers().push_back(this);
}

Timer::~Timer()
{
    auto& v = allTimers();
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
}

void Timer::SetInterval(int ms)
{
    interval_ = ms;
    Sync();
}

void Timer::SetEnabled(bool v)
{
    enabled_ = v;
    Sync();
}

void Timer::Sync()
{
    if (g_live && enabled_ && interval_ > 0)
        qt_->start(interval_);
    else
        qt_->stop();
}

void Timer::SetLive(bool live)
{
    g_live = live;
    for (Timer* t : allTimers())
        t->Sync();
}

bool Timer::Live() { return g_live; }
