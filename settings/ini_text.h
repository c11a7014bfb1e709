// The text of a profile file, kept as its bytes: a key is found by looking at the lines, and an
// edit touches only the bytes of the one line it changes, so every other line, comment, byte
// order mark and line ending stays exactly as the other programs wrote it.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

class IniText {
public:
    explicit IniText(QByteArray bytes);

    const QByteArray& bytes() const { return bytes_; }

    // The first matching key of the first matching section, without the white space around it
    // and without one pair of enclosing quotes; names match without regard to case.
    std::optional<QString> value(const QString& section, const QString& key) const;
    // Rewrites the value of that key in place, or adds the key at the end of its section, or
    // the section at the end of the text.
    void setValue(const QString& section, const QString& key, const QString& value);

private:
    struct Line {
        qsizetype begin = 0;
        qsizetype contentEnd = 0; // before the line break
        qsizetype end = 0;        // after the line break; contentEnd on a last line without one
    };
    struct Section {
        qsizetype header = -1;   // index into lines_; -1 when there is no such section
        qsizetype lastLine = -1; // the header or the section's last key line
        qsizetype keyLine = -1;  // the line of the key looked for, or -1
    };

    void splitLines();
    QString content(const Line& line) const;
    Section find(const QString& section, const QString& key) const;
    QByteArray lineBreak() const;
    void insertLine(qsizetype at, const QByteArray& text);

    QByteArray bytes_;
    qsizetype textBegin_ = 0; // after a leading byte order mark
    std::vector<Line> lines_;
};
