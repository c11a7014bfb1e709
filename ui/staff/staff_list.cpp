// Opening the staff panel and filling its list.
#include "app/globals.h"
#include "app/tform1.h"
#include "ui/staff/staff_statements.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/report_list_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

namespace {

QString sexWord(const SqlField& sex) {
    // The column is text and takes any number; only 0 is male.
    return sex.asInteger() != 0 ? QStringLiteral("女") : QStringLiteral("男");
}

QString photoWord(const SqlField& photo) {
    return photo.isNull() ? QStringLiteral("无") : QStringLiteral("有");
}

} // namespace

void TForm1::fillSexList() {
    ComboBox2->addItem(QStringLiteral("男"));
    ComboBox2->addItem(QStringLiteral("女"));
    // Filling a list must not pick anything: a sex is chosen by the administrator.
    ComboBox2->setCurrentIndex(-1);
}

void TForm1::Button7Click() {
    sConnStr = catalogConnStr();
    GroupBox3->setEnabled(true);
    Button3->setEnabled(false);
    Button4->setEnabled(false);
    Button5->setEnabled(false);
    box(BoxKind::Information, QStringLiteral("提示"),
        QStringLiteral("现在可以对工作人员信息进行维护了！"));
    GetJobList();
    GetwkList();
}

void TForm1::GetwkList() {
    sConnStr = catalogConnStr();
    sSql = staff_sql::listWithPositions();
    // The text first: it closes whatever an earlier failure left open, under either form.
    qrySql.SetSql(sSql);
    qrySql.SetConnectionString(sConnStr);
    qrySql.OpenQuery();

    ListView2->removeAllRows();
    if (qrySql.Eof()) {
        Image1->clearPicture();
        box(BoxKind::Warning, QStringLiteral("提示"),
            QStringLiteral("没有工作人员信息，请先添加！"));
    }
    QList<QStringList> listed;
    try {
        for (; !qrySql.Eof(); qrySql.Next())
            listed << QStringList{qrySql.FieldByName(QStringLiteral("sWkNums")).asString(),
                                  qrySql.FieldByName(QStringLiteral("sWkName")).asString(),
                                  sexWord(qrySql.FieldByName(QStringLiteral("sWkSex"))),
                                  qrySql.FieldByName(QStringLiteral("sJobName")).asString(),
                                  photoWord(qrySql.FieldByName(QStringLiteral("WkPhoto")))};
    } catch (...) {
        // The rows read before a bad one stay listed, as if they had been added one by one.
        ListView2->appendRows(listed);
        throw;
    }
    ListView2->appendRows(listed);
    qrySql.Close();
}

void TForm1::Button15Click() {
    GetwkList();
}
