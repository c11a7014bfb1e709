// The statistics panel: one large button.
#include "app/controls.h"
#include "app/tform1.h"

#include <QGroupBox>
#include <QPushButton>

namespace {

QFont heavyCaptionFont() {
    QFont font;
    font.setFamilies({QStringLiteral("黑体"), QStringLiteral("SimHei"),
                      QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans CJK")});
    font.setPixelSize(32);
    return font;
}

} // namespace

void TForm1::buildGroupBox5() {
    GroupBox5 =
        makeGroupBox(this, "GroupBox5", QStringLiteral("查询统计"), {8, 456, 257, 113}, true);
    Button25 =
        makeButton(GroupBox5, "Button25", QStringLiteral("统计员工评分"), {16, 28, 225, 73}, true);
    Button25->setFont(heavyCaptionFont());
    QPalette palette = Button25->palette();
    palette.setColor(QPalette::ButtonText, Qt::black);
    Button25->setPalette(palette);
}

void TForm1::connectGroupBox5() {
    connectClick(Button25, &TForm1::Button25Click);
}
