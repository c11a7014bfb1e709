// A list view in report style. Like the platform's list view it reports every change of a
// row's selection: first for the row that loses it, then for the row that gains it, and
// clicking empty space unselects. Reloading the rows reports nothing.
#pragma once

#include <QTreeWidget>

class ReportListView : public QTreeWidget {
    Q_OBJECT
public:
    explicit ReportListView(QWidget* parent = nullptr);

    void setColumns(const QStringList& captions, const QList<int>& widths);
    void removeAllRows();
    QTreeWidgetItem* appendRow(const QString& caption, const QStringList& subItems);
    // Each row as its caption followed by its sub-items, inserted at once: a list of thousands
    // would otherwise pay for one model update per row.
    void appendRows(const QList<QStringList>& rows);
    // The caption is column 0; sub-item i is column i + 1.
    static QString subItem(const QTreeWidgetItem* row, int index);

signals:
    void selectItem(QTreeWidgetItem* row, bool selected);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void reportSelectionChange(const QItemSelection& selected, const QItemSelection& deselected);
    bool reloading_ = false;
};
