#include "settings/ini_text.h"

#include <utility>

namespace {

const QByteArray kUtf8ByteOrderMark("\xEF\xBB\xBF");

std::optional<QString> sectionName(const QString& content) {
    const QString trimmed = content.trimmed();
    const qsizetype close = trimmed.lastIndexOf(u']');
    if (!trimmed.startsWith(u'[') || close < 1)
        return std::nullopt;
    return trimmed.mid(1, close - 1).trimmed();
}

std::optional<std::pair<QString, QString>> keyAndValue(const QString& content) {
    const qsizetype equals = content.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    return std::pair{content.left(equals).trimmed(), content.mid(equals + 1).trimmed()};
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString withoutEnclosingQuotes(const QString& value) {
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

} // namespace

IniText::IniText(QByteArray bytes) : bytes_(std::move(bytes)) {
    splitLines();
}

void IniText::splitLines() {
    lines_.clear();
    textBegin_ = bytes_.startsWith(kUtf8ByteOrderMark) ? kUtf8ByteOrderMark.size() : 0;
    qsizetype begin = textBegin_;
    while (begin < bytes_.size()) {
        const qsizetype feed = bytes_.indexOf('\n', begin);
        if (feed < 0) {
            lines_.push_back({begin, bytes_.size(), bytes_.size()});
            break;
        }
        const bool crlf = feed > begin && bytes_[feed - 1] == '\r';
        lines_.push_back({begin, crlf ? feed - 1 : feed, feed + 1});
        begin = feed + 1;
    }
}

QString IniText::content(const Line& line) const {
    return QString::fromUtf8(bytes_.constData() + line.begin, line.contentEnd - line.begin);
}

IniText::Section IniText::find(const QString& section, const QString& key) const {
    Section found;
    for (qsizetype index = 0; index < qsizetype(lines_.size()); ++index) {
        const QString text = content(lines_[index]);
        if (const std::optional<QString> name = sectionName(text)) {
            if (found.header >= 0)
                break; // only the first section of that name counts
            if (sameName(*name, section))
                found.header = found.lastLine = index;
            continue;
        }
        if (found.header < 0)
            continue;
        if (const auto entry = keyAndValue(text)) {
            found.lastLine = index;
            if (sameName(entry->first, key)) {
                found.keyLine = index;
                break;
            }
        }
    }
    return found;
}

std::optional<QString> IniText::value(const QString& section, const QString& key) const {
    const Section found = find(section, key);
    if (found.keyLine < 0)
        return std::nullopt;
    return withoutEnclosingQuotes(keyAndValue(content(lines_[found.keyLine]))->second);
}

QByteArray IniText::lineBreak() const {
    const qsizetype feed = bytes_.indexOf('\n', textBegin_);
    if (feed > textBegin_ && bytes_[feed - 1] == '\r')
        return QByteArrayLiteral("\r\n");
    if (feed >= 0)
        return QByteArrayLiteral("\n");
    return QByteArrayLiteral("\r\n"); // what the platform's profile functions write
}

void IniText::insertLine(qsizetype at, const QByteArray& text) {
    const QByteArray lineEnd = lineBreak();
    QByteArray inserted = text + lineEnd;
    // A last line without its line break gets one, or the new line would run on from it.
    if (at > textBegin_ && bytes_[at - 1] != '\n')
        inserted.prepend(lineEnd);
    bytes_.insert(at, inserted);
}

void IniText::setValue(const QString& section, const QString& key, const QString& value) {
    const Section found = find(section, key);
    if (found.keyLine >= 0) {
        const Line& line = lines_[found.keyLine];
        const qsizetype valueBegin = bytes_.indexOf('=', line.begin) + 1;
        bytes_.replace(valueBegin, line.contentEnd - valueBegin, value.toUtf8());
    } else if (found.header >= 0) {
        insertLine(lines_[found.lastLine].end, (key + u'=' + value).toUtf8());
    } else {
        const QByteArray header = (u'[' + section + u']').toUtf8();
        insertLine(bytes_.size(), header + lineBreak() + (key + u'=' + value).toUtf8());
    }
    splitLines();
}
