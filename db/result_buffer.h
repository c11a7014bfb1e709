// A whole result in memory: the columns, and every cell of every row packed into one block
// (text as UTF-16, binary as it came), so a large result costs a few allocations, not one
// per cell.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

enum class ColumnKind { Text, Integer, Number, Binary };

struct ResultColumn {
    QString name;
    ColumnKind kind = ColumnKind::Text;
    QString typeName; // as the server calls it, for conversion failures
};

class ResultBuffer {
public:
    void addColumn(ResultColumn column) { columns_.push_back(std::move(column)); }
    const std::vector<ResultColumn>& columns() const { return columns_; }
    int columnCount() const { return static_cast<int>(columns_.size()); }
    int rowCount() const;

    // Filling, one cell after the other, row by row: the cell's bytes are written straight
    // into the block between beginCell and endCell (or endNullCell).
    void beginCell();
    char* extendCell(std::size_t bytes);     // room for `bytes` more at the cell's end
    void setCellSize(std::size_t cellBytes); // what the cell holds so far
    void endCell();
    void endNullCell();
    // Gives back the room kept for growth once the result is complete.
    void finish();

    bool isNull(int row, int column) const;
    QString text(int row, int column) const;
    QByteArray bytes(int row, int column) const;
    void replace(int row, int column, const QByteArray& bytes);

    // What the result takes in memory: the block and the cell index.
    std::size_t byteSize() const;

private:
    struct Cell {
        std::size_t offset;
        std::int64_t length; // -1: NULL
    };
    const Cell& cell(int row, int column) const;

    std::vector<ResultColumn> columns_;
    std::vector<Cell> cells_;
    std::vector<char> block_;
    std::size_t cellStart_ = 0;
};
