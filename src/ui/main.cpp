#include <QApplication>

#include "ui/app/ProgramApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lh740"));
    CProgramApp app;
    if (!app.InitInstance(QApplication::arguments().mid(1))) {
        app.ExitInstance();
        return 1;
    }
    const int code = QApplication::exec();
    app.ExitInstance();
    return code;
}
