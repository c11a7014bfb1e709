#include "app/qt_platform.h"
#include "app/tform1.h"
#include "ui/skins/startup_skin.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString());

    QtMessageBoxes boxes;
    QtFileDialog fileDialog;
    QtProcessStarter processes;
    QtStyleNotFoundDialog styleNotFound;
    applyStartupSkin(QString::fromUtf16(kStartupSkin), styleNotFound);

    TForm1 form(Platform{&boxes, &fileDialog, &processes, QApplication::applicationFilePath()});
    form.show();
    return QApplication::exec();
}
