#include "ui/widgets/report_list_view.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>

namespace {

// Grid lines between the cells, as the platform's report view draws them. A delegate rather
// than a style sheet: style sheets are slow to set up and fight the skins' palettes.
class GridLineDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        painter->save();
        painter->setPen(option.palette.color(QPalette::Mid));
        const QRect cell = option.rect;
        painter->drawLine(cell.topRight(), cell.bottomRight());
        painter->drawLine(cell.bottomLeft(), cell.bottomRight());
        painter->restore();
    }
};

} // namespace

ReportListView::ReportListView(QWidget* parent) : QTreeWidget(parent) {
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    header()->setSectionsClickable(false);
    header()->setStretchLastSection(false);
    // The column widths are the form's; a style must not widen them to its own minimum.
    header()->setMinimumSectionSize(8);
    setItemDelegate(new GridLineDelegate(this));
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ReportListView::reportSelectionChange);
}

void ReportListView::setColumns(const QStringList& captions, const QList<int>& widths) {
    setColumnCount(int(captions.size()));
    setHeaderLabels(captions);
    for (int column = 0; column < widths.size(); ++column)
        setColumnWidth(column, widths[column]);
}

void ReportListView::removeAllRows() {
    reloading_ = true;
    clear();
    reloading_ = false;
}

QTreeWidgetItem* ReportListView::appendRow(const QString& caption, const QStringList& subItems) {
    QStringList texts{caption};
    texts += subItems;
    auto* row = new QTreeWidgetItem(texts);
    reloading_ = true;
    addTopLevelItem(row);
    reloading_ = false;
    return row;
}

void ReportListView::appendRows(const QList<QStringList>& rows) {
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const QStringList& texts : rows)
        items << new QTreeWidgetItem(texts);
    reloading_ = true;
    addTopLevelItems(items);
    reloading_ = false;
}

QString ReportListView::subItem(const QTreeWidgetItem* row, int index) {
    return row ? row->text(index + 1) : QString();
}

void ReportListView::mousePressEvent(QMouseEvent* event) {
    if (!itemAt(event->position().toPoint())) {
        clearSelection();
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void ReportListView::reportSelectionChange(const QItemSelection& selected,
                                           const QItemSelection& deselected) {
    if (reloading_)
        return;
    // Collect the rows first: a handler may reload the list under our feet.
    QList<QTreeWidgetItem*> lost;
    for (const QModelIndex& index : deselected.indexes())
        if (index.column() == 0)
            lost << itemFromIndex(index);
    QList<QTreeWidgetItem*> gained;
    for (const QModelIndex& index : selected.indexes())
        if (index.column() == 0)
            gained << itemFromIndex(index);
    for (QTreeWidgetItem* row : lost)
        if (row)
            emit selectItem(row, false);
    for (QTreeWidgetItem* row : gained)
        if (row)
            emit selectItem(row, true);
}
