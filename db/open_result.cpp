#include "db/open_result.h"

OpenResult::OpenResult(ResultBuffer buffer) : buffer_(std::move(buffer)) {
    for (int column = 0; column < buffer_.columnCount(); ++column)
        fields_.push_back(std::make_unique<ResultField>(buffer_, column, row_));
    first();
}

void OpenResult::first() {
    row_ = 0;
    eof_ = buffer_.rowCount() == 0;
}

void OpenResult::next() {
    if (eof_)
        return;
    if (row_ + 1 < buffer_.rowCount())
        ++row_;
    else
        eof_ = true;
}

int OpenResult::columnIndex(const QString& name) const {
    for (int column = 0; column < buffer_.columnCount(); ++column) {
        if (columnName(column).compare(name, Qt::CaseInsensitive) == 0)
            return column;
    }
    return -1;
}

QStringList OpenResult::fieldNames() const {
    QStringList names;
    for (int column = 0; column < buffer_.columnCount(); ++column)
        names << columnName(column);
    return names;
}
