// The skin panel's controls.
#include "app/controls.h"
#include "app/tform1.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>

void TForm1::buildGroupBox4() {
    GroupBox4 =
        makeGroupBox(this, "GroupBox4", QStringLiteral("皮肤选择"), {8, 320, 257, 129}, true);
    QWidget* box = GroupBox4;
    ComboBox1 = makeDropDown(box, "ComboBox1", {16, 88, 225, 21}, true);
    ComboBox1->setVisible(false);
    Button23 = makeButton(box, "Button23", QStringLiteral("显示皮肤选择"), {16, 24, 101, 41}, true);
    Button24 =
        makeButton(box, "Button24", QStringLiteral("隐藏皮肤选择"), {140, 24, 101, 41}, true);
}

void TForm1::connectGroupBox4() {
    // activated: only a pick by the user, never a selection made by the program.
    connect(ComboBox1, &QComboBox::activated, this,
            [this](int index) { guarded([&] { ComboBox1Change(index); }); });
    connectClick(Button23, &TForm1::Button23Click);
    connectClick(Button24, &TForm1::Button24Click);
}
