// Putting the staff panel into and out of its editing states, and choosing a photo.
#include "app/tform1.h"
#include "ui/staff/staff_controls.h"
#include "ui/widgets/picture_box.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <stdexcept>

namespace {

QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw std::runtime_error((QStringLiteral("无法读取照片文件“") +
                                  QDir::toNativeSeparators(path) + QStringLiteral("”：") +
                                  file.errorString())
                                     .toStdString());
    return bytes;
}

} // namespace

void TForm1::Button16Click() {
    Edit6->clear();
    Edit7->clear();
    ComboBox2->setCurrentIndex(-1);
    ComboBox3->setCurrentIndex(-1);
    setEnabledAll({Edit6, Edit7, ComboBox2, ComboBox3}, true);
    setEnabledAll({Button16, Button17, Button18}, false);
    setEnabledAll({Button19, Button21, Button22}, true);
    Image1->clearPicture();
}

void TForm1::Button18Click() {
    if (Edit6->text().isEmpty()) {
        box(BoxKind::Error, QStringLiteral("错误"), QStringLiteral("请选择需要修改的工作人员！"));
        return;
    }
    setEnabledAll({Edit7, ComboBox2, ComboBox3}, true);
    setEnabledAll({Button16, Button17, Button18}, false);
    setEnabledAll({Button20, Button21, Button22}, true);
    box(BoxKind::Warning, QStringLiteral("提示信息"),
        QStringLiteral(
            "修改工作人员数据不能修改工号，如果要修改工号，请将该工作人员删除再重新添加！"));
}

void TForm1::Button21Click() {
    const std::optional<QString> path = platform_.fileDialog->openFile(
        this, QStringLiteral("选择一张Jpg图片，本程序目前只支持JPG格式的图片"),
        QStringLiteral("Jpg图片(*.jpg;*.jpeg)|*.jpg;*.jpeg"), QString());
    if (!path)
        return;
    // A photo change that fails leaves the box empty, as a failed decode does: what the box
    // shows is what the next save writes, and it must be what the administrator chose or nothing.
    Image1->clearPicture();
    Image1->showJpeg(readWholeFile(*path));
}

void TForm1::Button22Click() {
    Edit6->clear();
    Edit7->clear();
    ComboBox2->setCurrentIndex(-1);
    ComboBox3->setCurrentIndex(-1);
    setEnabledAll({Edit6, Edit7, ComboBox2, ComboBox3}, false);
    setEnabledAll({Button16, Button18}, true);
    setEnabledAll({Button19, Button20, Button21, Button22}, false);
}
