#include "vertical_view/Form_Principale.h"

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InstallVerticalView();
    QLabel window(QStringLiteral("Torvi"));
    window.setWindowTitle(QStringLiteral("Torvi"));
    window.resize(640, 400);
    window.show();
    return app.exec();
}
