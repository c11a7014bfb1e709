#include "app/tform1.h"

#include <QComboBox>

void TForm1::fillSexList() {
    ComboBox2->addItem(QStringLiteral("男"));
    ComboBox2->addItem(QStringLiteral("女"));
}

void TForm1::Button7Click() {}
void TForm1::GetwkList() {}
void TForm1::ListView2SelectItem(QTreeWidgetItem*, bool) {}
void TForm1::Button15Click() {}
