// The places where the window meets the desktop: message boxes, the open-file dialog, the
// dialog for an unknown style and starting another program. Each has a Qt implementation
// (qt_platform.h) and a scripted one for the tests.
#pragma once

#include <QString>
#include <optional>

class QWidget;

enum class BoxKind { Error, Warning, Information, Question };
enum class Answer { Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // Modal, owned by `owner`. Non-questions have a single OK and answer Yes.
    virtual Answer show(QWidget* owner, BoxKind kind, const QString& title,
                        const QString& text) = 0;
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // `filter` is in the "Description|*.a;*.b" form; nothing when cancelled.
    virtual std::optional<QString> openFile(QWidget* owner, const QString& title,
                                            const QString& filter, const QString& fileName) = 0;
};

class StyleNotFoundDialog {
public:
    virtual ~StyleNotFoundDialog() = default;
    // An error dialog with the given text and a single Close button.
    virtual void show(const QString& text) = 0;
};

class ProcessStarter {
public:
    virtual ~ProcessStarter() = default;
    // Starts `commandLine` in a normally shown window without waiting; false if it could not start.
    virtual bool start(const QString& commandLine, const QString& programDirectory) = 0;
};

// Everything TForm1 needs from outside; the tests hand in scripted parts and a fake executable
// path.
struct Platform {
    MessageBoxes* boxes = nullptr;
    FileDialog* fileDialog = nullptr;
    ProcessStarter* processes = nullptr;
    QString executablePath; // full path of the running program
};
