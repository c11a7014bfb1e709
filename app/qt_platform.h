// The real desktop behind the platform seams.
#pragma once

#include "app/platform.h"

class QtMessageBoxes : public MessageBoxes {
public:
    Answer show(QWidget* owner, BoxKind kind, const QString& title, const QString& text) override;
};

class QtFileDialog : public FileDialog {
public:
    std::optional<QString> openFile(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& fileName) override;
};

class QtStyleNotFoundDialog : public StyleNotFoundDialog {
public:
    void show(const QString& text) override;
};

class QtProcessStarter : public ProcessStarter {
public:
    bool start(const QString& commandLine, const QString& programDirectory) override;
};

// "Name (*.a;*.b)|*.a;*.b" as Qt writes it: "Name (*.a;*.b) (*.a *.b)".
QString qtFileFilter(const QString& filter);
