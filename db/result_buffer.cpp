#include "db/result_buffer.h"

#include <cstring>

int ResultBuffer::rowCount() const {
    return columns_.empty() ? 0 : static_cast<int>(cells_.size() / columns_.size());
}

void ResultBuffer::beginCell() {
    // Every cell starts on an even byte so that its UTF-16 text is aligned.
    if (block_.size() % 2 != 0)
        block_.push_back('\0');
    cellStart_ = block_.size();
}

char* ResultBuffer::extendCell(std::size_t bytes) {
    const std::size_t end = block_.size();
    if (end + bytes > block_.capacity())
        block_.reserve(std::max(block_.capacity() * 2, end + bytes));
    block_.resize(end + bytes);
    return block_.data() + end;
}

void ResultBuffer::setCellSize(std::size_t cellBytes) {
    block_.resize(cellStart_ + cellBytes);
}

void ResultBuffer::endCell() {
    cells_.push_back({cellStart_, static_cast<std::int64_t>(block_.size() - cellStart_)});
}

void ResultBuffer::endNullCell() {
    block_.resize(cellStart_);
    cells_.push_back({cellStart_, -1});
}

void ResultBuffer::finish() {
    block_.shrink_to_fit();
    cells_.shrink_to_fit();
}

const ResultBuffer::Cell& ResultBuffer::cell(int row, int column) const {
    return cells_[static_cast<std::size_t>(row) * columns_.size() +
                  static_cast<std::size_t>(column)];
}

bool ResultBuffer::isNull(int row, int column) const {
    return cell(row, column).length < 0;
}

QString ResultBuffer::text(int row, int column) const {
    const Cell& found = cell(row, column);
    if (found.length <= 0)
        return {};
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(block_.data() + found.offset),
                              static_cast<qsizetype>(found.length / 2));
}

QByteArray ResultBuffer::bytes(int row, int column) const {
    const Cell& found = cell(row, column);
    if (found.length <= 0)
        return {};
    return QByteArray(block_.data() + found.offset, static_cast<qsizetype>(found.length));
}

void ResultBuffer::replace(int row, int column, const QByteArray& bytes) {
    beginCell();
    if (!bytes.isEmpty())
        std::memcpy(extendCell(static_cast<std::size_t>(bytes.size())), bytes.constData(),
                    static_cast<std::size_t>(bytes.size()));
    // The old bytes stay in the block unused: a photo is replaced once, not over and over.
    cells_[static_cast<std::size_t>(row) * columns_.size() + static_cast<std::size_t>(column)] = {
        cellStart_, static_cast<std::int64_t>(bytes.size())};
}

std::size_t ResultBuffer::byteSize() const {
    return block_.capacity() + cells_.capacity() * sizeof(Cell);
}
