// "取消保存": leaves an add or a rename without storing anything.
#include "app/tform1.h"

#include <QLineEdit>
#include <QPushButton>

void TForm1::Button14Click() {
    Edit4->clear();
    Edit5->clear();
    Edit4->setEnabled(false);
    Edit5->setEnabled(false);
    Button9->setEnabled(true);
    Button11->setEnabled(true);
    Button12->setEnabled(false);
    Button13->setEnabled(false);
    Button14->setEnabled(false);
}
