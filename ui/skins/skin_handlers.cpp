// The skin panel's handlers and its start-up step.
#include "app/globals.h"
#include "app/tform1.h"
#include "settings/profile_file.h"
#include "ui/skins/engine/style_engine.h"

#include <QComboBox>

void TForm1::fillSkinList() {
    ComboBox1->clear();
    ComboBox1->addItems(skinNames());
    const bool known = iSkinIndex >= 0 && iSkinIndex < ComboBox1->count();
    const int position = known ? iSkinIndex : 0;
    applyStyle(ComboBox1->itemText(position));
    // Set by the program, so no pick: nothing is written.
    ComboBox1->setCurrentIndex(position);
}

void TForm1::Button23Click() {
    ComboBox1->setVisible(true);
}

void TForm1::Button24Click() {
    ComboBox1->setVisible(false);
}

void TForm1::ComboBox1Change(int) {
    applyStyle(ComboBox1->currentText());
    // A failed write goes up to the application-level handler; the style stays applied.
    IniFile->writeInteger(QStringLiteral("Setup"), QStringLiteral("SkinIndex"),
                          ComboBox1->currentIndex());
}
