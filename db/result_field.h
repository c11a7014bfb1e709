// One column of an open result, read at whatever row the result stands on.
#pragma once

#include "db/result_buffer.h"
#include "db/sql_gateway.h"

class ResultField : public SqlField {
public:
    ResultField(const ResultBuffer& buffer, int column, const int& currentRow)
        : buffer_(buffer), column_(column), currentRow_(currentRow) {}

    bool isNull() const override;
    QString asString() const override;
    std::int64_t asInteger() const override; // NULL reads as 0
    QByteArray asBytes() const override;

private:
    bool onRow() const { return currentRow_ >= 0 && currentRow_ < buffer_.rowCount(); }
    const ResultColumn& column() const { return buffer_.columns()[std::size_t(column_)]; }

    const ResultBuffer& buffer_;
    int column_;
    const int& currentRow_;
};
