// The position panel's controls.
#include "app/controls.h"
#include "app/tform1.h"
#include "ui/widgets/report_list_view.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

void TForm1::buildGroupBox2() {
    GroupBox2 =
        makeGroupBox(this, "GroupBox2", QStringLiteral("职务维护"), {271, 8, 210, 559}, false);
    QWidget* box = GroupBox2;
    Button8 = makeButton(box, "Button8", QStringLiteral("刷  新"), {17, 24, 81, 33}, true);
    Button9 = makeButton(box, "Button9", QStringLiteral("添  加"), {112, 24, 81, 33}, true);
    Button10 = makeButton(box, "Button10", QStringLiteral("删  除"), {16, 63, 81, 33}, false);
    Button11 = makeButton(box, "Button11", QStringLiteral("修  改"), {112, 63, 81, 33}, false);
    ListView1 = new ReportListView(box);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setGeometry(16, 102, 177, 203);
    ListView1->setColumns({QStringLiteral("职务编号"), QStringLiteral("职务名称")}, {80, 80});
    Label4 = makeLabel(box, "Label4", QStringLiteral("职务编号:"), {16, 328, 52, 13});
    Edit4 = makeEdit(box, "Edit4", QString(), {74, 324, 119, 21}, false);
    Edit4->setMaxLength(3);
    Label5 = makeLabel(box, "Label5", QStringLiteral("职务名称:"), {16, 360, 52, 13});
    Edit5 = makeEdit(box, "Edit5", QString(), {74, 356, 119, 21}, false);
    Button12 = makeButton(box, "Button12", QStringLiteral("保存添加"), {16, 392, 81, 33}, false);
    Button13 = makeButton(box, "Button13", QStringLiteral("保存修改"), {112, 392, 81, 33}, false);
    Button14 = makeButton(box, "Button14", QStringLiteral("取消保存"), {16, 431, 177, 33}, false);
}

void TForm1::connectGroupBox2() {
    connect(ListView1, &ReportListView::selectItem, this,
            [this](QTreeWidgetItem* row, bool selected) {
                guarded([&] { ListView1SelectItem(row, selected); });
            });
    connectClick(Button8, &TForm1::Button8Click);
    connectClick(Button9, &TForm1::Button9Click);
    connectClick(Button10, &TForm1::Button10Click);
    connectClick(Button11, &TForm1::Button11Click);
    connectClick(Button12, &TForm1::Button12Click);
    connectClick(Button13, &TForm1::Button13Click);
    connectClick(Button14, &TForm1::Button14Click);
}
