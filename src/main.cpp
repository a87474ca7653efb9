#include "platform/Guarded.h"
#include "program/Program.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    TorviApplication app(argc, argv);
    // The program takes one project path; the shell has already split and unquoted the arguments.
    const QStringList args = QApplication::arguments().mid(1);
    return RunProgram(args.join(' '));
}
