#include "tests/support/scripted_platform.h"

#include <gtest/gtest.h>

namespace {

const char* kindName(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return "error";
    case BoxKind::Warning:
        return "warning";
    case BoxKind::Information:
        return "information";
    case BoxKind::Question:
        return "question";
    }
    return "?";
}

std::string describe(const BoxCall& box) {
    return std::string(kindName(box.kind)) + " box [" + box.title.toStdString() + "] \"" +
           box.text.toStdString() + "\"";
}

} // namespace

ScriptedBoxes::~ScriptedBoxes() {
    verifyAllShown();
}

void ScriptedBoxes::expect(BoxKind kind, const QString& title, const QString& text, Answer answer) {
    expected_.push_back({{kind, title, text}, true, answer});
}

void ScriptedBoxes::expectAnyText(BoxKind kind, const QString& title, Answer answer) {
    expected_.push_back({{kind, title, QString()}, false, answer});
}

Answer ScriptedBoxes::show(QWidget*, BoxKind kind, const QString& title, const QString& text) {
    const BoxCall box{kind, title, text};
    shown_.push_back(box);
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected " << describe(box);
        return Answer::No;
    }
    const Expected next = expected_.front();
    expected_.pop_front();
    const bool matches = next.box.kind == kind && next.box.title == title &&
                         (!next.compareText || next.box.text == text);
    if (!matches) {
        ADD_FAILURE() << "expected " << describe(next.box) << "\n     got " << describe(box);
        return Answer::No;
    }
    return next.answer;
}

void ScriptedBoxes::verifyAllShown() {
    for (const Expected& missing : expected_)
        ADD_FAILURE() << "never shown: " << describe(missing.box);
    expected_.clear();
}

std::optional<QString> ScriptedFileDialog::openFile(QWidget*, const QString& title,
                                                    const QString& filter,
                                                    const QString& fileName) {
    calls_.push_back({title, filter, fileName});
    if (answers_.empty()) {
        ADD_FAILURE() << "unexpected open-file dialog \"" << title.toStdString() << "\"";
        return std::nullopt;
    }
    const bool cancelled = !answers_.front().has_value();
    const QString path = answers_.front().value_or(QString());
    answers_.pop_front();
    if (cancelled)
        return std::nullopt;
    return path;
}

bool ScriptedProcesses::start(const QString& commandLine, const QString& programDirectory) {
    calls.push_back({commandLine, programDirectory});
    return succeed;
}
