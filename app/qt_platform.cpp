#include "app/qt_platform.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStandardPaths>

namespace {

QMessageBox::Icon iconOf(BoxKind kind) {
    switch (kind) {
    case BoxKind::Error:
        return QMessageBox::Critical;
    case BoxKind::Warning:
        return QMessageBox::Warning;
    case BoxKind::Information:
        return QMessageBox::Information;
    case BoxKind::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

// The program's own directory first, then the usual search for programs.
QString findProgram(const QString& program, const QString& programDirectory) {
    const QString besideUs = QDir(programDirectory).filePath(program);
    if (QFileInfo(besideUs).isFile())
        return besideUs;
    return QStandardPaths::findExecutable(program);
}

} // namespace

Answer QtMessageBoxes::show(QWidget* owner, BoxKind kind, const QString& title,
                            const QString& text) {
    QMessageBox box(iconOf(kind), title, text, QMessageBox::NoButton, owner);
    if (kind == BoxKind::Question)
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    else
        box.setStandardButtons(QMessageBox::Ok);
    return box.exec() == QMessageBox::No ? Answer::No : Answer::Yes;
}

QString qtFileFilter(const QString& filter) {
    const QStringList entries = filter.split(u'|');
    QStringList qtEntries;
    for (qsizetype i = 0; i + 1 < entries.size(); i += 2) {
        QString patterns = entries[i + 1];
        patterns.replace(u';', u' ');
        qtEntries << entries[i] + QStringLiteral(" (") + patterns + u')';
    }
    return qtEntries.join(QStringLiteral(";;"));
}

std::optional<QString> QtFileDialog::openFile(QWidget* owner, const QString& title,
                                              const QString& filter, const QString& fileName) {
    const QString chosen =
        QFileDialog::getOpenFileName(owner, title, fileName, qtFileFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return chosen;
}

void QtStyleNotFoundDialog::show(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QString(), text, QMessageBox::Close);
    box.exec();
}

bool QtProcessStarter::start(const QString& commandLine, const QString& programDirectory) {
    QStringList words = QProcess::splitCommand(commandLine);
    if (words.isEmpty())
        return false;
    const QString program = findProgram(words.takeFirst(), programDirectory);
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, words, programDirectory);
}
