// Opening the position panel, and the position list it shares with the staff panel's
// position drop-down.
#include "app/globals.h"
#include "app/tform1.h"
#include "ui/widgets/report_list_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

void TForm1::Button6Click() {
    sConnStr = catalogConnStr();
    GroupBox2->setEnabled(true);
    // Creating, dropping or initialising under an open panel would pull its data away.
    Button3->setEnabled(false);
    Button4->setEnabled(false);
    Button5->setEnabled(false);
    box(BoxKind::Information, QStringLiteral("提示"), QStringLiteral("现在可以对职务进行维护了！"));
    GetJobList();
}

void TForm1::GetJobList() {
    sConnStr = catalogConnStr();
    qrySql.SetConnectionString(sConnStr);
    qrySql.ClearSql();
    qrySql.AddSqlLine(QStringLiteral("select * from Jobs"));
    qrySql.OpenQuery();

    ListView1->removeAllRows();
    ComboBox3->clear();
    if (qrySql.Eof())
        box(BoxKind::Warning, QStringLiteral("提示"), QStringLiteral("没有职务记录，请添加！"));
    for (; !qrySql.Eof(); qrySql.Next()) {
        const QString jobName = qrySql.FieldByName(QStringLiteral("sJobName")).asString();
        ListView1->appendRow(qrySql.FieldByName(QStringLiteral("sJobNum")).asString(), {jobName});
        ComboBox3->addItem(jobName);
    }
    // A drop-down picks its first item by itself; a staff member being edited must not
    // silently get that position.
    ComboBox3->setCurrentIndex(-1);
    qrySql.Close();
}

void TForm1::ListView1SelectItem(QTreeWidgetItem* row, bool) {
    // Unselecting reports the row too, and fills the fields with it all the same.
    Edit4->setText(row->text(0));
    Edit5->setText(ReportListView::subItem(row, 0));
    Button10->setEnabled(true);
    Button11->setEnabled(true);
}

void TForm1::Button8Click() {
    GetJobList();
}
