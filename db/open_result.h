// The gateway's open result: the rows in memory, the current row, Eof, and a field object
// per column.
#pragma once

#include "db/result_buffer.h"
#include "db/result_field.h"

#include <QStringList>
#include <memory>
#include <vector>

class OpenResult {
public:
    explicit OpenResult(ResultBuffer buffer);
    OpenResult(const OpenResult&) = delete; // the fields point at the current row
    OpenResult& operator=(const OpenResult&) = delete;

    bool eof() const { return eof_; }
    int rowCount() const { return buffer_.rowCount(); }
    int row() const { return row_; }
    void first();
    // Past the last row Eof turns true and the last row stays the current one.
    void next();

    // -1 when no column has that name, compared without regard to case.
    int columnIndex(const QString& name) const;
    const ResultField& field(int column) const { return *fields_[std::size_t(column)]; }
    QStringList fieldNames() const;
    QString columnName(int column) const { return buffer_.columns()[std::size_t(column)].name; }
    QString text(int column) const { return buffer_.text(row_, column); }

    void replace(int column, const QByteArray& bytes) { buffer_.replace(row_, column, bytes); }
    std::size_t byteSize() const { return buffer_.byteSize(); }

private:
    ResultBuffer buffer_;
    int row_ = 0;
    bool eof_ = true;
    std::vector<std::unique_ptr<ResultField>> fields_;
};
