// A fresh TForm1 in its own temporary program directory, driven by control name, with every
// dialog scripted. DatabaseFormTest adds a private tdslite to talk to.
#pragma once

#include "app/tform1.h"
#include "tests/support/qt_printers.h"
#include "tests/support/scripted_platform.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class QTreeWidget;

class FormTest : public ::testing::Test {
protected:
    FormTest();
    ~FormTest() override;

    // The directory the program pretends to run from, and its Setup.ini.
    QString programDir() const { return programDir_.path(); }
    QString programPath() const;
    QString iniPath() const;
    void writeIni(const QByteArray& contents) const;
    QByteArray readIni() const;

    // Creates (or replaces) the window; FormCreate runs inside.
    TForm1& createForm();
    TForm1& form() { return *form_; }

    template <typename Control> Control* control(const char* name) {
        auto* found = form_->findChild<Control*>(QString::fromLatin1(name));
        if (!found)
            ADD_FAILURE() << "no control " << name;
        return found;
    }
    QWidget* widget(const char* name) { return control<QWidget>(name); }

    // As the user does it: nothing happens on a disabled or hidden control.
    void click(const char* buttonName);
    void type(const char* editName, const QString& text);
    void pick(const char* comboName, int index);
    void pickRow(const char* listName, int row);
    void clickEmptySpace(const char* listName);

    QString text(const char* name);
    bool enabled(const char* name) { return widget(name)->isEnabled(); }
    int selectedIndex(const char* comboName);
    QStringList items(const char* comboName);
    // Each row as caption, then its sub-items.
    QList<QStringList> rows(const char* listName);

    ScriptedBoxes boxes;
    ScriptedFileDialog files;
    ScriptedProcesses processes;
    // The window starts programs through this; point it at a real starter to really start.
    ProcessStarter* processStarter = &processes;

private:
    QTemporaryDir programDir_;
    std::unique_ptr<TForm1> form_;
};
