#pragma once
// TStringGrid: a grid of texts with a fixed header row and a fixed number
// column, addressed like a classic string grid: Cells(col, row) with row 0
// the header row and column 0 the number column, so that row n is channel n.
//
// The header row is the table's horizontal header (it stays in view while
// the rows scroll); the number column is its vertical header, so the user
// resizes rows by dragging their lines there and columns in the header row.
// The corner where both meet shows cell (0, 0).

#include <QTableWidget>
#include <span>

class TStringGrid : public QTableWidget {
    Q_OBJECT
public:
    // columnCount and rowCount include the fixed column and row.
    TStringGrid(int columnCount, int rowCount, QWidget* parent);

    int ColCount() const { return columnCount() + 1; }
    int RowCount() const { return rowCount() + 1; }

    QString Cells(int col, int row) const;
    void setCells(int col, int row, const QString& text);

    int RowHeights(int row) const;
    void setRowHeights(int row, int height);
    int ColWidths(int col) const;
    void setColWidths(int col, int width);
    // Every row height and column width at once, row 0 and column 0 first.
    void setSizes(std::span<const int> rowHeights, std::span<const int> colWidths);
    void storeSizes(std::span<int> rowHeights, std::span<int> colWidths) const;

    // Makes the cell at (col, row) of the channel area current.
    void setCurrentGridCell(int col, int row);
    int currentGridCol() const { return currentColumn() + 1; }
    int currentGridRow() const { return currentRow() + 1; }

    // Grid coordinates of a model index.
    static int gridCol(const QModelIndex& index) { return index.column() + 1; }
    static int gridRow(const QModelIndex& index) { return index.row() + 1; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* corner_ = nullptr;  // where the two headers meet: cell (0, 0)
    QString cornerText_;
};
