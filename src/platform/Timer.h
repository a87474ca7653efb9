#pragma once
#include <QObject>
#include <functional>
#include <memory>

class QTimer;

// A window timer: Interval in milliseconds, Enabled, and the Tick handler.
// Ticks come from the event loop only while timers are live (the running program); tests call Tick().
class Timer {
public:
    Timer();
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    int Interval() const { return interval_; }
    void SetInterval(int ms);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    void Tick() { if (OnTimer && enabled_) OnTimer(); }

    std::function<void()> OnTimer;

    // Switched on by main(): from then on enabled timers tick from the event loop.
    static void SetLive(bool live);
    static bool Live();

private:
    void Sync();
    int interval_ = 0;
    bool enabled_ = false;
    std::unique_ptr<QTimer> qt_;
};
