// Scripted stand-ins for the desktop: every box, dialog and program start is recorded, and
// each must have been expected by the test, in order, with its exact title and text.
#pragma once

#include "app/platform.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

struct BoxCall {
    BoxKind kind;
    QString title;
    QString text;
};

class ScriptedBoxes : public MessageBoxes {
public:
    ~ScriptedBoxes() override;
    // The next box must be exactly this; a question gets `answer`.
    void expect(BoxKind kind, const QString& title, const QString& text,
                Answer answer = Answer::Yes);
    // The next box must be of this kind and title; its text is not compared.
    void expectAnyText(BoxKind kind, const QString& title, Answer answer = Answer::Yes);
    Answer show(QWidget* owner, BoxKind kind, const QString& title, const QString& text) override;

    const std::vector<BoxCall>& shown() const { return shown_; }
    bool allShown() const { return expected_.empty(); }
    // Fails the running test for every expected box that never came; forgets them.
    void verifyAllShown();

private:
    struct Expected {
        BoxCall box;
        bool compareText;
        Answer answer;
    };
    std::deque<Expected> expected_;
    std::vector<BoxCall> shown_;
};

class ScriptedFileDialog : public FileDialog {
public:
    struct Call {
        QString title;
        QString filter;
        QString fileName;
    };
    void answer(std::optional<QString> path) { answers_.push_back(std::move(path)); }
    std::optional<QString> openFile(QWidget* owner, const QString& title, const QString& filter,
                                    const QString& fileName) override;
    const std::vector<Call>& calls() const { return calls_; }

private:
    std::deque<std::optional<QString>> answers_;
    std::vector<Call> calls_;
};

class ScriptedStyleNotFoundDialog : public StyleNotFoundDialog {
public:
    void show(const QString& text) override { texts.push_back(text); }
    QStringList texts;
};

class ScriptedProcesses : public ProcessStarter {
public:
    struct Call {
        QString commandLine;
        QString programDirectory;
    };
    bool start(const QString& commandLine, const QString& programDirectory) override;
    // false makes every start fail, as when the program is nowhere to be found.
    bool succeed = true;
    std::vector<Call> calls;
};
