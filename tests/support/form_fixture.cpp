#include "tests/support/form_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTreeWidget>

FormTest::FormTest() = default;

FormTest::~FormTest() {
    form_.reset();
}

QString FormTest::programPath() const {
    return programDir_.filePath(QStringLiteral("ScoreSetup"));
}

QString FormTest::iniPath() const {
    return programDir_.filePath(QStringLiteral("Setup.ini"));
}

void FormTest::writeIni(const QByteArray& contents) const {
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

QByteArray FormTest::readIni() const {
    QFile file(iniPath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

TForm1& FormTest::createForm() {
    form_.reset();
    form_ = std::make_unique<TForm1>(Platform{&boxes, &files, processStarter, programPath()});
    form_->show();
    return *form_;
}

void FormTest::click(const char* buttonName) {
    auto* button = control<QAbstractButton>(buttonName);
    ASSERT_TRUE(button);
    if (!button->isEnabled() || !button->isVisible())
        return;
    QTest::mouseClick(button, Qt::LeftButton);
}

void FormTest::type(const char* editName, const QString& text) {
    auto* edit = control<QLineEdit>(editName);
    ASSERT_TRUE(edit);
    if (!edit->isEnabled())
        return;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    // Pasted rather than keyed, so that any character (CJK, quotes) arrives as typed.
    edit->insert(text);
}

void FormTest::pick(const char* comboName, int index) {
    auto* list = control<QComboBox>(comboName);
    ASSERT_TRUE(list);
    if (!list->isEnabled())
        return;
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void FormTest::pickRow(const char* listName, int row) {
    auto* list = control<QTreeWidget>(listName);
    ASSERT_TRUE(list);
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_TRUE(item) << "no row " << row;
    if (!list->isEnabled())
        return;
    const QRect place = list->visualItemRect(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, place.center());
}

void FormTest::clickEmptySpace(const char* listName) {
    auto* list = control<QTreeWidget>(listName);
    ASSERT_TRUE(list);
    const QPoint belowRows(5, list->viewport()->height() - 3);
    ASSERT_EQ(list->itemAt(belowRows), nullptr) << "the list is too full to click empty space";
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, belowRows);
}

QString FormTest::text(const char* name) {
    QWidget* found = widget(name);
    if (auto* edit = qobject_cast<QLineEdit*>(found))
        return edit->text();
    if (auto* button = qobject_cast<QAbstractButton*>(found))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(found))
        return label->text();
    if (auto* list = qobject_cast<QComboBox*>(found))
        return list->currentText();
    ADD_FAILURE() << name << " has no text";
    return {};
}

int FormTest::selectedIndex(const char* comboName) {
    auto* list = control<QComboBox>(comboName);
    return list ? list->currentIndex() : -2;
}

QStringList FormTest::items(const char* comboName) {
    QStringList texts;
    if (auto* list = control<QComboBox>(comboName))
        for (int i = 0; i < list->count(); ++i)
            texts << list->itemText(i);
    return texts;
}

QList<QStringList> FormTest::rows(const char* listName) {
    QList<QStringList> texts;
    auto* list = control<QTreeWidget>(listName);
    if (!list)
        return texts;
    for (int row = 0; row < list->topLevelItemCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < list->columnCount(); ++column)
            cells << list->topLevelItem(row)->text(column);
        texts << cells;
    }
    return texts;
}
