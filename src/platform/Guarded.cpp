#include "platform/Guarded.h"
#include <QtGlobal>

void ReportHandlerError(const char* what) noexcept { qWarning("Torvi: a handler ended on an error: %s", what); }

bool TorviApplication::notify(QObject* receiver, QEvent* event)
{
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
