#include "ui/string_grid.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

namespace {

const QColor kOddRowColour(192, 220, 192);

// StringGrid1DrawCell: odd rows (1, 3, 5, ...) pale green whatever their
// state, texts centred on a single line.
class GridCellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        cell.displayAlignment = Qt::AlignCenter;
        cell.features &= ~QStyleOptionViewItem::WrapText;
        if (TStringGrid::gridRow(index) % 2 == 1) {
            cell.state &= ~QStyle::State_Selected;
            cell.backgroundBrush = kOddRowColour;
        }
        const QWidget* widget = cell.widget;
        QStyle* style = widget ? widget->style() : nullptr;
        if (style) style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    }
};

// The number column: the same pale green on odd rows.
class NumberColumn : public QHeaderView {
public:
    NumberColumn(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {}

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override {
        // The header leaves its own clip on the painter; the green must not
        // be clipped away by it.
        painter->save();
        QHeaderView::paintSection(painter, rect, logicalIndex);
        painter->restore();
        if ((logicalIndex + 1) % 2 == 0) return;
        painter->save();
        painter->fillRect(rect.adjusted(0, 0, -1, -1), kOddRowColour);
        painter->setPen(palette().color(QPalette::ButtonText));
        painter->drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                          model()->headerData(logicalIndex, Qt::Vertical).toString());
        painter->restore();
    }
};

}  // namespace

TStringGrid::TStringGrid(int columnCount, int rowCount, QWidget* parent)
    : QTableWidget(rowCount - 1, columnCount - 1, parent) {
    setVerticalHeader(new NumberColumn(this));
    setItemDelegate(new GridCellPainter(this));
    // The grid itself never edits; the editors of its owner lie over it.
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setTabKeyNavigation(true);
    setWordWrap(false);
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Interactive);
        header->setMinimumSectionSize(0);  // a size of 0 from the settings hides the row or column
        header->setDefaultAlignment(Qt::AlignCenter);
        header->setHighlightSections(false);
    }
    horizontalHeader()->setStretchLastSection(false);
    // The corner shows a text, selecting everything is not its job.
    setCornerButtonEnabled(false);
    corner_ = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly);
    corner_->installEventFilter(this);
    for (int row = 0; row < rowCount - 1; ++row) {
        for (int col = 0; col < columnCount - 1; ++col) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            setItem(row, col, item);
        }
        setVerticalHeaderItem(row, new QTableWidgetItem);
    }
    for (int col = 0; col < columnCount - 1; ++col) setHorizontalHeaderItem(col, new QTableWidgetItem);
}

bool TStringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched != corner_ || event->type() != QEvent::Paint) return QTableWidget::eventFilter(watched, event);
    QPainter painter(corner_);
    QStyleOptionHeader header;
    header.initFrom(corner_);
    // The corner button itself is disabled; its text must not look so.
    header.state = QStyle::State_Enabled | QStyle::State_Raised;
    header.palette.setCurrentColorGroup(QPalette::Active);
    header.rect = corner_->rect();
    header.position = QStyleOptionHeader::OnlyOneSection;
    header.text = cornerText_;
    header.textAlignment = Qt::AlignCenter;
    corner_->style()->drawControl(QStyle::CE_Header, &header, &painter, corner_);
    return true;
}

QString TStringGrid::Cells(int col, int row) const {
    if (row == 0 && col == 0) return cornerText_;
    if (row == 0) return horizontalHeaderItem(col - 1)->text();
    if (col == 0) return verticalHeaderItem(row - 1)->text();
    return item(row - 1, col - 1)->text();
}

void TStringGrid::setCells(int col, int row, const QString& text) {
    if (row == 0 && col == 0) {
        cornerText_ = text;
        corner_->update();
    } else if (row == 0) {
        horizontalHeaderItem(col - 1)->setText(text);
    } else if (col == 0) {
        verticalHeaderItem(row - 1)->setText(text);
    } else {
        item(row - 1, col - 1)->setText(text);
    }
}

int TStringGrid::RowHeights(int row) const {
    return row == 0 ? horizontalHeader()->height() : rowHeight(row - 1);
}

void TStringGrid::setRowHeights(int row, int height) {
    if (row == 0)
        horizontalHeader()->setFixedHeight(height);
    else
        setRowHeight(row - 1, height);
}

int TStringGrid::ColWidths(int col) const {
    return col == 0 ? verticalHeader()->width() : columnWidth(col - 1);
}

void TStringGrid::setColWidths(int col, int width) {
    if (col == 0)
        verticalHeader()->setFixedWidth(width);
    else
        setColumnWidth(col - 1, width);
}

void TStringGrid::setSizes(std::span<const int> rowHeights, std::span<const int> colWidths) {
    for (std::size_t row = 0; row < rowHeights.size(); ++row) setRowHeights(static_cast<int>(row), rowHeights[row]);
    for (std::size_t col = 0; col < colWidths.size(); ++col) setColWidths(static_cast<int>(col), colWidths[col]);
}

void TStringGrid::storeSizes(std::span<int> rowHeights, std::span<int> colWidths) const {
    for (std::size_t row = 0; row < rowHeights.size(); ++row) rowHeights[row] = RowHeights(static_cast<int>(row));
    for (std::size_t col = 0; col < colWidths.size(); ++col) colWidths[col] = ColWidths(static_cast<int>(col));
}

void TStringGrid::setCurrentGridCell(int col, int row) { setCurrentCell(row - 1, col - 1); }
