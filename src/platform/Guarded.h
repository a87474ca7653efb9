#pragma once
#include <QApplication>
#include <exception>
#include <utility>

// A run-time error ends the routine that raised it, never the program: every event that reaches a
// form's handler from Qt goes through here, so an error inside the handler ends only that handler.
void ReportHandlerError(const char* what) noexcept;

template <typename F>
void Guarded(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (const std::exception& e) {
        ReportHandlerError(e.what());
    } catch (...) {
        ReportHandlerError("unknown error");
    }
}

// The program's application object: the last guard for an error that a view let through.
class TorviApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override;
};
