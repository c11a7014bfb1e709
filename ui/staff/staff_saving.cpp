// Saving a new staff member or a modification, photo included.
#include "app/globals.h"
#include "app/tform1.h"
#include "ui/staff/staff_controls.h"
#include "ui/staff/staff_statements.h"
#include "ui/staff/staff_store.h"
#include "ui/widgets/picture_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace {

bool hasSelection(const QComboBox* list) {
    return list->currentIndex() >= 0;
}

} // namespace

void TForm1::Button19Click() {
    if (Edit6->text().isEmpty() || Edit7->text().isEmpty() || !hasSelection(ComboBox2) ||
        !hasSelection(ComboBox3)) {
        box(BoxKind::Error, QStringLiteral("错误"), QStringLiteral("请将工作人员信息填写完整！"));
        return;
    }
    try {
        sConnStr = catalogConnStr();
        const QString positionNumber = lookUpPositionNumber(qrySql, ComboBox3->currentText());
        sSql = staff_sql::insertRow(Edit6->text(), Edit7->text(), ComboBox2->currentIndex(),
                                    positionNumber);
        qrySql.SetConnectionString(sConnStr);
        qrySql.SetSql(sSql);
        qrySql.RunStatement();
        // Only once the row exists: a failed photo leaves the row stored without it.
        if (Image1->hasPicture())
            writePhotoBack(qrySql, Edit6->text(), Image1->jpegBytes());

        setEnabledAll({Edit6, Edit7}, false);
        Edit6->clear();
        Edit7->clear();
        setEnabledAll({ComboBox2, ComboBox3}, false);
        setEnabledAll({Button16, Button18}, true);
        setEnabledAll({Button19, Button20, Button21, Button22}, false);
        box(BoxKind::Information, QStringLiteral("提示"), QStringLiteral("成功添加工作人员！"));
        GetwkList();
    } catch (...) {
        box(BoxKind::Error, QStringLiteral("错误"),
            QStringLiteral("添加工作人员失败，请注意：工号不能重复！同时检查是否对SQL服务器有操作权"
                           "限！"));
    }
}

void TForm1::Button20Click() {
    if (Edit7->text().isEmpty() || !hasSelection(ComboBox2) || !hasSelection(ComboBox3)) {
        box(BoxKind::Error, QStringLiteral("错误"), QStringLiteral("请将员工信息填写完整！"));
        return;
    }
    try {
        sConnStr = catalogConnStr();
        const QString positionNumber = lookUpPositionNumber(qrySql, ComboBox3->currentText());
        qrySql.Close();
        sSql = staff_sql::updateRow(Edit6->text(), Edit7->text(), ComboBox2->currentIndex(),
                                    positionNumber);
        qrySql.SetSql(sSql);
        if (qrySql.RunStatement() == 0) {
            // Deleted by another client meanwhile: saying it was modified would be a lie.
            box(BoxKind::Warning, QStringLiteral("提示"),
                QStringLiteral("没有找到工号为:") + Edit6->text() +
                    QStringLiteral("的工作人员，信息没有修改！"));
            return;
        }
        // Written back even when unchanged; the bytes are the ones the box was given.
        if (Image1->hasPicture())
            writePhotoBack(qrySql, Edit6->text(), Image1->jpegBytes());

        Edit6->clear();
        Edit7->clear();
        setEnabledAll({Edit7, ComboBox2, ComboBox3}, false);
        Button16->setEnabled(true);
        setEnabledAll({Button20, Button21, Button22}, false);
        box(BoxKind::Information, QStringLiteral("提示"), QStringLiteral("工作人员信息修改成功！"));
        GetwkList();
    } catch (...) {
        box(BoxKind::Error, QStringLiteral("错误提示"),
            QStringLiteral("工作人员信息修改失败！请检查SQL服务器上是否存在数据库score及对SQL服务"
                           "器是否有操作权限！"));
    }
}
