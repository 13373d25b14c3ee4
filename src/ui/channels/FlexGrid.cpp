#include "ui/channels/FlexGrid.h"

#include <algorithm>

#include <QFont>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

CFlexGridModel::CFlexGridModel(int rows, int columns, QObject* parent)
    : QAbstractTableModel(parent),
      m_nRows(rows),
      m_nColumns(columns),
      m_cells(static_cast<std::size_t>(rows * columns)) {}

QString CFlexGridModel::GetText(int row, int column) const {
    if (row < 0 || row >= m_nRows || column < 0 || column >= m_nColumns) {
        return {};
    }
    return m_cells[static_cast<std::size_t>(row * m_nColumns + column)];
}

void CFlexGridModel::SetText(int row, int column, const QString& text) {
    if (row < 0 || row >= m_nRows || column < 0 || column >= m_nColumns) {
        return;
    }
    m_cells[static_cast<std::size_t>(row * m_nColumns + column)] = text;
}

void CFlexGridModel::Refresh() {
    // No model reset: that would drop the current cell and with it the open editor's place.
    emit dataChanged(index(0, 0), index(m_nRows - 2, m_nColumns - 2));
    emit headerDataChanged(Qt::Horizontal, 0, m_nColumns - 2);
    emit headerDataChanged(Qt::Vertical, 0, m_nRows - 2);
}

int CFlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nRows - 1;
}

int CFlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_nColumns - 1;
}

QVariant CFlexGridModel::CellRole(int row, int column, int role) const {
    switch (role) {
        case Qt::DisplayRole:
            return GetText(row, column);
        case Qt::ForegroundRole:
            return row > 0 && column > 0 && m_listColor.isValid() ? QVariant(m_listColor)
                                                                  : QVariant();
        case Qt::TextAlignmentRole: {
            const auto it = m_alignments.find(column);
            return it == m_alignments.end() ? QVariant() : QVariant(static_cast<int>(it.value()));
        }
        case Qt::FontRole: {
            const auto it =
                m_cellFonts.find(static_cast<quint32>(row) << 16 | static_cast<quint32>(column));
            if (it == m_cellFonts.end()) {
                return {};
            }
            QFont font(it.value());
            font.setStyleHint(QFont::TypeWriter);
            return font;
        }
        default:
            return {};
    }
}

QVariant CFlexGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) {
        return {};
    }
    return CellRole(index.row() + 1, index.column() + 1, role);
}

QVariant CFlexGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    const int row = orientation == Qt::Horizontal ? 0 : section + 1;
    const int column = orientation == Qt::Horizontal ? section + 1 : 0;
    if (role == Qt::ForegroundRole && m_foreColorFixed.isValid()) {
        return m_foreColorFixed;
    }
    return CellRole(row, column, role);
}

CMSFlexGrid::CMSFlexGrid(CFlexGridModel* model, QWidget* parent)
    : QTableView(parent), m_pModel(model), m_pCorner(new QLabel(this)) {
    model->setParent(this);
    // The view's corner button cannot show a text; the label lies over it.
    m_pCorner->setAlignment(Qt::AlignCenter);
    m_pCorner->setAttribute(Qt::WA_TransparentForMouseEvents);
    auto showCorner = [this] {
        m_pCorner->setText(m_pModel->GetText(0, 0));
        if (m_pModel->m_foreColorFixed.isValid()) {
            QPalette palette = m_pCorner->palette();
            palette.setColor(QPalette::WindowText, m_pModel->m_foreColorFixed);
            m_pCorner->setPalette(palette);
        }
    };
    connect(model, &QAbstractItemModel::headerDataChanged, this, showCorner);
    setModel(model);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    horizontalHeader()->setDefaultSectionSize(kDefaultColumnWidth);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    verticalHeader()->setFixedWidth(kDefaultColumnWidth);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setCurrentIndex(model->index(0, 0));
    // The row labels select whole rows; the cells keep selecting one cell.
    connect(verticalHeader(), &QHeaderView::sectionPressed, this,
            [this](int section) { OnRowLabelPressed(section, false); });
    connect(verticalHeader(), &QHeaderView::sectionEntered, this, [this](int section) {
        if ((QGuiApplication::mouseButtons() & Qt::LeftButton) != 0) {
            OnRowLabelPressed(section, true);
        }
    });
}

bool CMSFlexGrid::MakeRowCurrent(int row) {
    // The open edit is committed first, whichever row is current; a refusal keeps it open.
    if (!Leave()) {
        return false;
    }
    m_bLeft = true;
    m_bRowSelect = true;
    selectionModel()->setCurrentIndex(m_pModel->index(row - 1, m_nCol - 1),
                                      QItemSelectionModel::NoUpdate);
    m_bRowSelect = false;
    m_bLeft = false;
    return true;
}

void CMSFlexGrid::OnRowLabelPressed(int section, bool dragged) {
    const int row = section + 1;
    const Qt::KeyboardModifiers keys = QGuiApplication::keyboardModifiers();
    const bool extend = dragged || (keys & Qt::ShiftModifier) != 0;
    const bool toggle = !extend && (keys & Qt::ControlModifier) != 0;
    if (!extend) {
        m_nRowAnchor = row;
    }
    const bool wasSelected = selectionModel()->isRowSelected(section, {});
    if (!MakeRowCurrent(row)) {
        return;
    }
    const int first = std::min(row, m_nRowAnchor) - 1;
    const int last = std::max(row, m_nRowAnchor) - 1;
    const QItemSelection rows(m_pModel->index(first, 0),
                              m_pModel->index(last, m_pModel->Cols() - 2));
    if (toggle) {
        selectionModel()->select(
            rows, wasSelected ? QItemSelectionModel::Deselect : QItemSelectionModel::Select);
    } else {
        selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect);
    }
    emit RowsSelected();
}

std::vector<int> CMSFlexGrid::SelectedRows() const {
    std::vector<int> rows;
    for (int row = 1; row < m_pModel->Rows(); ++row) {
        if (selectionModel()->isRowSelected(row - 1, {})) {
            rows.push_back(row);
        }
    }
    return rows;
}

void CMSFlexGrid::SelectRows(const std::vector<int>& rows) {
    if (rows.empty() || !MakeRowCurrent(rows.front())) {
        return;
    }
    QItemSelection selection;
    for (const int row : rows) {
        selection.select(m_pModel->index(row - 1, 0),
                         m_pModel->index(row - 1, m_pModel->Cols() - 2));
    }
    selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
    m_nRowAnchor = rows.front();
    emit RowsSelected();
}

void CMSFlexGrid::SetTextMatrix(int row, int column, const QString& text) {
    m_pModel->SetText(row, column, text);
    if (row == 0) {
        emit m_pModel->headerDataChanged(Qt::Horizontal, column - 1, column - 1);
    } else if (column == 0) {
        emit m_pModel->headerDataChanged(Qt::Vertical, row - 1, row - 1);
    } else {
        const QModelIndex index = m_pModel->index(row - 1, column - 1);
        emit m_pModel->dataChanged(index, index);
    }
}

void CMSFlexGrid::MakeCurrent(int row, int column) {
    if (row < 1 || row >= m_pModel->Rows() || column < 1 || column >= m_pModel->Cols()) {
        return;
    }
    setCurrentIndex(m_pModel->index(row - 1, column - 1));
}

void CMSFlexGrid::SetRow(int row) {
    MakeCurrent(row, m_nCol);
}

void CMSFlexGrid::SetCol(int column) {
    MakeCurrent(m_nRow, column);
}

bool CMSFlexGrid::Leave() {
    m_bRefused = false;
    emit LeaveCell();
    const bool refused = m_bRefused;
    m_bRefused = false;
    return !refused;
}

void CMSFlexGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    // The cell being left is asked first, so a refused edit keeps the press from selecting.
    if (index.isValid() && index != currentIndex()) {
        if (!Leave()) {
            event->accept();
            return;
        }
        m_bLeft = true;
    }
    QTableView::mousePressEvent(event);
    m_bLeft = false;
    if (index.isValid()) {
        emit MouseDown();
    }
}

void CMSFlexGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (m_bRestoring || !current.isValid()) {
        QTableView::currentChanged(current, previous);
        return;
    }
    const int row = current.row() + 1;
    const int column = current.column() + 1;
    if (row == m_nRow && column == m_nCol) {
        QTableView::currentChanged(current, previous);
        return;
    }
    // Leave before the base class scrolls: a scroll hides the editors, and the edit of the
    // cell being left must be read first.
    if (!m_bLeft && !Leave()) {
        m_bRestoring = true;
        selectionModel()->setCurrentIndex(m_pModel->index(m_nRow - 1, m_nCol - 1),
                                          QItemSelectionModel::ClearAndSelect);
        m_bRestoring = false;
        return;
    }
    m_bLeft = false;
    QTableView::currentChanged(current, previous);
    m_nRow = row;
    m_nCol = column;
    if (m_bRowSelect) {
        return;
    }
    emit EnterCell();
}

int CMSFlexGrid::ColWidth(int column) const {
    if (column == 0) {
        return verticalHeader()->width();
    }
    return columnWidth(column - 1);
}

void CMSFlexGrid::SetColWidth(int column, int width) {
    if (column == 0) {
        verticalHeader()->setFixedWidth(width);
    } else {
        setColumnWidth(column - 1, width);
    }
}

void CMSFlexGrid::SetColAlignment(int column, Qt::Alignment alignment) {
    m_pModel->m_alignments.insert(column, alignment);
    if (column == 0) {
        verticalHeader()->setDefaultAlignment(alignment);
    } else {
        horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    }
}

void CMSFlexGrid::SetForeColorFixed(const QColor& color) {
    m_pModel->m_foreColorFixed = color;
    emit m_pModel->headerDataChanged(Qt::Horizontal, 0, 0);
    viewport()->update();
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
}

void CMSFlexGrid::SetListColor(const QColor& color) {
    m_pModel->m_listColor = color;
    viewport()->update();
}

int CMSFlexGrid::RowSel() const {
    int last = -1;
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        last = std::max(last, index.row() + 1);
    }
    return last < 0 ? m_nRow : last;
}

void CMSFlexGrid::SetCellFontName(const QString& family) {
    m_pModel->m_cellFonts.insert(static_cast<quint32>(m_nRow) << 16 | static_cast<quint32>(m_nCol),
                                 family);
    const QModelIndex index = m_pModel->index(m_nRow - 1, m_nCol - 1);
    emit m_pModel->dataChanged(index, index, {Qt::FontRole});
}

QRect CMSFlexGrid::CellRect() const {
    return visualRect(m_pModel->index(m_nRow - 1, m_nCol - 1))
        .translated(viewport()->geometry().topLeft());
}

void CMSFlexGrid::wheelEvent(QWheelEvent* event) {
    // One notch pages the grid; finer steps (touch pads) scroll as usual.
    const int delta = event->angleDelta().y();
    if (delta == -120 || delta == 120) {
        verticalScrollBar()->triggerAction(delta < 0 ? QAbstractSlider::SliderPageStepAdd
                                                     : QAbstractSlider::SliderPageStepSub);
        event->accept();
        return;
    }
    QTableView::wheelEvent(event);
}

void CMSFlexGrid::updateGeometries() {
    QTableView::updateGeometries();
    m_pCorner->setGeometry(frameWidth(), frameWidth(), verticalHeader()->width(),
                           horizontalHeader()->height());
    m_pCorner->raise();
}

void CMSFlexGrid::resizeEvent(QResizeEvent* event) {
    QTableView::resizeEvent(event);
    emit Resized();
}

void CMSFlexGrid::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    emit Scroll();
}
