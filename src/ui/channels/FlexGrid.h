#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QTableView>
#include <vector>

class QLabel;

// A table of text cells with one fixed row (headings) and one fixed column (labels), offering
// what the program asks of its grids: TextMatrix, the current cell, column widths and
// alignment, the fixed cells' colour and a per-cell font. Row and column numbers count the
// fixed ones, as the program's code does: cell (0, c) is a heading, (r, 0) a row label.
class CFlexGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    CFlexGridModel(int rows, int columns, QObject* parent = nullptr);

    int Rows() const { return m_nRows; }
    int Cols() const { return m_nColumns; }
    virtual QString GetText(int row, int column) const;
    virtual void SetText(int row, int column, const QString& text);
    // Every cell may have changed (after a fill from elsewhere). The current cell stays.
    void Refresh();

    QColor m_foreColorFixed;
    QColor m_listColor;  // text of the non-fixed cells; invalid: the style's colour
    QHash<int, Qt::Alignment> m_alignments;  // by grid column
    QHash<quint32, QString> m_cellFonts;     // by (row << 16 | column)

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    int m_nRows;
    int m_nColumns;

private:
    QVariant CellRole(int row, int column, int role) const;
    std::vector<QString> m_cells;
};

class CMSFlexGrid : public QTableView {
    Q_OBJECT
public:
    // The grid takes ownership of the model.
    explicit CMSFlexGrid(CFlexGridModel* model, QWidget* parent = nullptr);

    CFlexGridModel* Model() const { return m_pModel; }

    QString TextMatrix(int row, int column) const { return m_pModel->GetText(row, column); }
    void SetTextMatrix(int row, int column, const QString& text);
    QString Text() const { return TextMatrix(m_nRow, m_nCol); }
    void SetText(const QString& text) { SetTextMatrix(m_nRow, m_nCol, text); }

    int Row() const { return m_nRow; }
    int Col() const { return m_nCol; }
    void SetRow(int row);
    void SetCol(int column);
    // Both at once: one LeaveCell and one EnterCell, no stop on the way.
    void SetCell(int row, int column) { MakeCurrent(row, column); }

    // Widths in pixels; column 0 is the fixed column.
    int ColWidth(int column) const;
    void SetColWidth(int column, int width);
    void SetColAlignment(int column, Qt::Alignment alignment);
    void SetForeColorFixed(const QColor& color);
    // The colour the call and tone lists give their entries.
    void SetListColor(const QColor& color);
    QColor ListColor() const { return m_pModel->m_listColor; }
    // The last row of the selection; with one cell selected, the current row.
    int RowSel() const;
    void SetCellFontName(const QString& family);  // the current cell
    QRect CellRect() const;                       // the current cell, in grid coordinates
    // The label showing cell (0, 0) in the corner above the row labels.
    QLabel* Corner() const { return m_pCorner; }

    // The grid's own default column width, before the program changes any.
    static constexpr int kDefaultColumnWidth = 90;

    // Called by a LeaveCell handler whose edit was refused: the cell being left stays current,
    // so its editor can stay open over it. No EnterCell follows.
    void RefuseCellChange() { m_bRefused = true; }

    // Whole rows selected by their labels (a click, Shift extending, Ctrl adding or removing),
    // in grid rows, ascending; empty when no row is selected whole.
    std::vector<int> SelectedRows() const;
    // These rows selected whole, the first made current (RowsSelected, no EnterCell).
    void SelectRows(const std::vector<int>& rows);

signals:
    // Notified in this order when the current cell changes: LeaveCell while Row and Col still
    // name the old cell, then the grid scrolls the new cell into view, then EnterCell.
    void EnterCell();
    void LeaveCell();
    // A mouse button went down over a cell, after the cell became current.
    void MouseDown();
    void Scroll();
    // Rows were selected by their labels; the current cell may have moved to the first one.
    void RowsSelected();
    // The grid changed size; its viewport already has the new one.
    void Resized();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* event) override;
    // Typing on the grid does not jump to a cell that begins with the typed text.
    void keyboardSearch(const QString&) override {}

private:
    void MakeCurrent(int row, int column);
    void OnRowLabelPressed(int section, bool dragged);
    // Makes the row current without opening its cell, after the open edit was committed.
    bool MakeRowCurrent(int row);
    // Emits LeaveCell; false when the handler refused the change.
    bool Leave();

    CFlexGridModel* m_pModel;
    QLabel* m_pCorner;
    int m_nRow = 1;
    int m_nCol = 1;
    bool m_bRefused = false;
    bool m_bLeft = false;       // LeaveCell already sent for the change under way
    bool m_bRestoring = false;  // putting back the cell whose edit was refused
    bool m_bRowSelect = false;  // a row label made the row current
    int m_nRowAnchor = 1;       // where a Shift click on a row label extends from
};
