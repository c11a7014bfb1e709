// The staff panel's controls.
#include "app/controls.h"
#include "app/tform1.h"
#include "ui/widgets/picture_box.h"
#include "ui/widgets/report_list_view.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

void TForm1::buildGroupBox3() {
    GroupBox3 =
        makeGroupBox(this, "GroupBox3", QStringLiteral("人员维护"), {487, 8, 299, 559}, false);
    QWidget* box = GroupBox3;
    Button15 = makeButton(box, "Button15", QStringLiteral("刷  新"), {19, 24, 61, 33}, true);
    Button16 = makeButton(box, "Button16", QStringLiteral("添  加"), {86, 24, 61, 33}, true);
    Button17 = makeButton(box, "Button17", QStringLiteral("删  除"), {153, 24, 61, 33}, false);
    Button18 = makeButton(box, "Button18", QStringLiteral("修  改"), {220, 24, 61, 33}, false);
    ListView2 = new ReportListView(box);
    ListView2->setObjectName(QStringLiteral("ListView2"));
    ListView2->setGeometry(10, 63, 278, 278);
    ListView2->setColumns({QStringLiteral("工号"), QStringLiteral("姓名"), QStringLiteral("性别"),
                           QStringLiteral("职务"), QStringLiteral("照片")},
                          {40, 60, 40, 60, 40});
    Label6 = makeLabel(box, "Label6", QStringLiteral("工号:"), {18, 360, 28, 13});
    Edit6 = makeEdit(box, "Edit6", QString(), {52, 356, 89, 21}, false);
    Edit6->setMaxLength(3);
    Label7 = makeLabel(box, "Label7", QStringLiteral("姓名:"), {18, 387, 28, 13});
    Edit7 = makeEdit(box, "Edit7", QString(), {52, 383, 89, 21}, false);
    Label8 = makeLabel(box, "Label8", QStringLiteral("性别:"), {18, 414, 28, 13});
    ComboBox2 = makeDropDown(box, "ComboBox2", {52, 410, 93, 21}, false);
    Label9 = makeLabel(box, "Label9", QStringLiteral("职务:"), {18, 441, 28, 13});
    ComboBox3 = makeDropDown(box, "ComboBox3", {52, 437, 93, 21}, false);
    Image1 = new PictureBox(box);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(184, 356, 74, 98);
    Button19 = makeButton(box, "Button19", QStringLiteral("保存添加"), {19, 472, 105, 33}, false);
    Button20 = makeButton(box, "Button20", QStringLiteral("保存修改"), {183, 472, 105, 33}, false);
    Button21 = makeButton(box, "Button21", QStringLiteral("照片更换"), {19, 511, 105, 33}, false);
    Button22 = makeButton(box, "Button22", QStringLiteral("取消保存"), {183, 511, 105, 33}, false);

    QWidget* tabOrder[] = {Button15, Button16, Button17, Button18, ListView2, Edit6,    Edit7,
                           Button19, Button20, Button21, Button22, ComboBox2, ComboBox3};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void TForm1::connectGroupBox3() {
    connect(ListView2, &ReportListView::selectItem, this,
            [this](QTreeWidgetItem* row, bool selected) {
                guarded([&] { ListView2SelectItem(row, selected); });
            });
    connectClick(Button15, &TForm1::Button15Click);
    connectClick(Button16, &TForm1::Button16Click);
    connectClick(Button17, &TForm1::Button17Click);
    connectClick(Button18, &TForm1::Button18Click);
    connectClick(Button19, &TForm1::Button19Click);
    connectClick(Button20, &TForm1::Button20Click);
    connectClick(Button21, &TForm1::Button21Click);
    connectClick(Button22, &TForm1::Button22Click);
}
