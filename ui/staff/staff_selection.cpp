// Picking a row of the staff list: its fields and its photo.
#include "app/globals.h"
#include "app/tform1.h"
#include "ui/staff/staff_statements.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/report_list_view.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidgetItem>

namespace {

void selectFirstItemEqualTo(QComboBox* list, const QString& text) {
    const int found = list->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0)
        list->setCurrentIndex(found);
}

} // namespace

// Runs for the row that lost the selection as well as for the one that gained it, and loads
// whichever it is told about.
void TForm1::ListView2SelectItem(QTreeWidgetItem* row, bool) {
    sConnStr = catalogConnStr();
    const QString staffNumber = row->text(0);
    Edit6->setText(staffNumber);
    Edit7->setText(ReportListView::subItem(row, 0));
    sSql = staff_sql::rowOf(staffNumber);
    ComboBox2->setCurrentIndex(ReportListView::subItem(row, 1) == QStringLiteral("男") ? 0 : 1);
    selectFirstItemEqualTo(ComboBox3, ReportListView::subItem(row, 2));

    qrySql.Close();
    qrySql.ClearSql();
    qrySql.SetConnectionString(sConnStr);
    qrySql.SetSql(sSql);
    qrySql.OpenQuery();
    // Another client may have deleted the row since the list was filled: no row, no photo.
    const bool hasPhoto = !qrySql.Eof() && !qrySql.FieldByName(QStringLiteral("WkPhoto")).isNull();
    const QByteArray photo =
        hasPhoto ? qrySql.FieldByName(QStringLiteral("WkPhoto")).asBytes() : QByteArray();
    // Closed before decoding, so that a photo that does not decode leaves nothing open.
    qrySql.Close();
    if (hasPhoto)
        Image1->showJpeg(photo); // on failure the box is empty: never the previous person's photo
    else
        Image1->clearPicture();

    Button17->setEnabled(true);
    Button18->setEnabled(true);
}
