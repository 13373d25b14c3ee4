#include "ui/channels/ProgramView.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QScreen>
#include <QVBoxLayout>

#include "channels/Bands.h"
#include "image/ProgramDoc.h"
#include "settings/Language.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/ChannelEditDlg.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/RowCommands.h"

namespace {

// The grid's cells are the channel table's; the view never keeps a second copy.
class CChannelGridModel : public CFlexGridModel {
public:
    CChannelGridModel(CChannelTable& table)
        : CFlexGridModel(kGridRows, kGridColumns), m_table(table) {}

    QString GetText(int row, int column) const override {
        return QString::fromStdString(m_table.GetText(row, column));
    }
    void SetText(int row, int column, const QString& text) override {
        m_table.SetText(row, column, text.toStdString());
    }

private:
    CChannelTable& m_table;
};

// Text colour of the fixed cells: COLORREF 0xF03200 (blue 0xF0, green 0x32, red 0x00).
const QColor kFixedTextColour(0x00, 0x32, 0xF0);

// Help contexts of the frequency and tone editors, by the column they stand in.
constexpr int kRxHelp = 2127;
constexpr int kTxHelp = 2128;
constexpr int kRxToneHelp = 2132;
constexpr int kTxToneHelp = 2133;

// The frequency editor's keys as the core's key filter names them.
EFrequencyKey FrequencyKeyOf(const QKeyEvent* key) {
    const bool keypad = (key->modifiers() & Qt::KeypadModifier) != 0;
    switch (key->key()) {
        case Qt::Key_Backspace:
            return EFrequencyKey::Backspace;
        case Qt::Key_Delete:
            return EFrequencyKey::Delete;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            return EFrequencyKey::Arrow;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return EFrequencyKey::Enter;
        case Qt::Key_Home:
        case Qt::Key_End:
            return EFrequencyKey::HomeEnd;
        case Qt::Key_Period:
            return keypad ? EFrequencyKey::KeypadDecimal : EFrequencyKey::Period;
        default:
            break;
    }
    if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9) {
        return keypad ? EFrequencyKey::KeypadDigit : EFrequencyKey::Digit;
    }
    if (key->matches(QKeySequence::SelectAll)) {
        return EFrequencyKey::SelectAll;
    }
    if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut)) {
        return EFrequencyKey::CopyCut;
    }
    return EFrequencyKey::Other;
}

}  // namespace

const double CProgramView::kWidthFactors[kGridColumns] = {0.5,  1.06, 1.06, 1.1, 1.1,  1.08, 0.7,
                                                          0.86, 0.8,  1.05, 1.0, 0.85, 0.52};

CProgramView::CProgramView(CProgramDoc& doc, QWidget* parent)
    : QWidget(parent), m_doc(doc), m_table(g_bChinese) {
    m_pGrid = new CMSFlexGrid(new CChannelGridModel(m_table), this);
    m_pGrid->setProperty("controlId", IDC_CHANNEL_GRID);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pGrid);
    // The editors live on the grid's cell area, so they never cover the headings.
    m_pEditors = new CCellEditors(m_pGrid->viewport());
    for (QWidget* editor : m_pEditors->All()) {
        editor->installEventFilter(this);
    }
    m_pGrid->installEventFilter(this);
    connect(m_pGrid, &CMSFlexGrid::EnterCell, this, [this] {
        if (!m_bSettingUp) {
            ShowCellEditor();
        }
    });
    connect(m_pGrid, &CMSFlexGrid::LeaveCell, this, &CProgramView::OnLeaveCell);
    connect(m_pGrid, &CMSFlexGrid::MouseDown, this, &CProgramView::OnMouseDown);
    connect(m_pGrid, &CMSFlexGrid::Scroll, this, &CProgramView::OnScroll);
    QHeaderView* labels = m_pGrid->verticalHeader();
    labels->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(labels, &QWidget::customContextMenuRequested, this, [this, labels](const QPoint& at) {
        const int row = labels->logicalIndexAt(at) + 1;
        if (row < 1) {
            return;
        }
        const std::vector<int> selected = m_pGrid->SelectedRows();
        if (!std::ranges::binary_search(selected, row)) {
            m_pGrid->SelectRows({row});
        }
        ShowRowMenu(*this, labels->mapToGlobal(at));
    });
    // Whole rows are worked on by the row commands, from the grid.
    connect(m_pGrid, &CMSFlexGrid::RowsSelected, this, [this] {
        HideEditors();
        m_pGrid->setFocus();
    });
    connect(m_pGrid, &CMSFlexGrid::Resized, this, &CProgramView::FitColumns);
    // 129 rows always need it; a bar that came and went would make the columns jump.
    m_pGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A column drawn wider or narrower takes its open editor along.
    connect(m_pGrid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] {
        if (QWidget* editor = VisibleEditor()) {
            editor->setGeometry(m_pGrid->visualRect(m_pGrid->currentIndex()));
        }
    });
    // Text typed but not yet committed reaches the file too.
    m_doc.m_beforeSave = [this] {
        CommitCellEdit();
        StoreGrid();
    };
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::geometryChanged, this,
                [this](const QRect& geometry) { OnDisplayChange(geometry.width()); });
    }
}

double CProgramView::ScaleForScreenWidth(int width) {
    return width > 800 ? width / 1024.0 : 1.0;
}

void CProgramView::OnInitialUpdate() {
    m_pGrid->SetForeColorFixed(kFixedTextColour);
    if (m_bFirstShow) {
        m_table.SetHeadings(g_bChinese);
        for (int column = 0; column < kGridColumns; ++column) {
            m_pGrid->SetColAlignment(column, Qt::AlignCenter);
        }
        FitColumns();
        m_bFirstShow = false;
    }
    for (int row = 1; row < kGridRows; ++row) {
        m_table.SetText(row, kColLabel, RowLabel(row));
    }
    // Channel names are shown in a fixed-pitch font; the walk leaves row 1, column 5 current.
    // The walk is no user's doing, so it opens no editor.
    m_bSettingUp = true;
    for (int row = kGridRows - 1; row >= 1; --row) {
        m_pGrid->SetRow(row);
        m_pGrid->SetCol(kColName);
        m_pGrid->SetCellFontName(QStringLiteral("Courier"));
    }
    m_bSettingUp = false;
    m_pEditors->NameEdit()->hide();

    const QScreen* screen = QGuiApplication::primaryScreen();
    m_nScreenWidth = screen != nullptr ? screen->geometry().width() : 1024;
    m_nScreenHeight = screen != nullptr ? screen->geometry().height() : 768;
    if (auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        frame->setGeometry(0, 0, kFrameWidth, kFrameHeight);
    }
    if (m_nScreenWidth > 800) {
        Scale(ScaleForScreenWidth(m_nScreenWidth));
    }
    FillGrid();
}

void CProgramView::Scale(double factor) {
    auto* frame = qobject_cast<QMdiSubWindow*>(parentWidget());
    if (frame == nullptr) {
        return;
    }
    // A window filling the area keeps doing so; the size it is restored to is scaled.
    const Qt::WindowStates state = frame->windowState();
    if (state & Qt::WindowMaximized) {
        frame->setWindowState(state & ~Qt::WindowMaximized);
    }
    frame->resize(static_cast<int>(frame->width() * factor),
                  static_cast<int>(frame->height() * factor));
    if (state & Qt::WindowMaximized) {
        frame->setWindowState(state);
    }
}

std::array<int, kGridColumns> CProgramView::FitColumnWidths(int available) {
    std::array<int, kGridColumns> widths{};
    int least = 0;
    double factors = 0;
    for (int column = 0; column < kGridColumns; ++column) {
        widths[column] = static_cast<int>(CMSFlexGrid::kDefaultColumnWidth * kWidthFactors[column]);
        least += widths[column];
        factors += kWidthFactors[column];
    }
    if (available <= least) {
        return widths;
    }
    // The room beyond the least widths is shared by the factors, so none falls below its own.
    const int room = available - least;
    int used = least;
    for (int column = 0; column < kGridColumns; ++column) {
        const int more = static_cast<int>(room * kWidthFactors[column] / factors);
        widths[column] += more;
        used += more;
    }
    // The pixels lost to rounding go one each to the first columns, so no gap is left.
    for (int column = 0; used < available; ++column, ++used) {
        ++widths[column % kGridColumns];
    }
    return widths;
}

void CProgramView::FitColumns() {
    // Column 0 is the row labels' header beside the viewport: together they keep one width.
    const int available = m_pGrid->viewport()->width() + m_pGrid->ColWidth(kColLabel);
    const auto widths = FitColumnWidths(available);
    for (int column = 0; column < kGridColumns; ++column) {
        if (m_pGrid->ColWidth(column) != widths[column]) {
            m_pGrid->SetColWidth(column, widths[column]);
        }
    }
}

void CProgramView::OnDisplayChange(int width) {
    if (width <= 800 || m_nScreenWidth <= 0) {
        return;
    }
    const double factor = static_cast<double>(width) / m_nScreenWidth;
    m_nScreenWidth = width;
    Scale(factor);
}

void CProgramView::FillGrid() {
    // An open editor holds text of the grid being replaced.
    HideEditors();
    m_table.FillGrid(m_doc, &ProgramUserValues(), g_bChinese);
    m_pGrid->Model()->Refresh();
}

void CProgramView::StoreGrid() {
    m_table.StoreGrid(m_doc);
}

void CProgramView::SetTable(const CChannelTable& table) {
    HideEditors();
    m_table = table;
    m_pGrid->Model()->Refresh();
}

QWidget* CProgramView::VisibleEditor() const {
    for (QWidget* editor : m_pEditors->All()) {
        if (!editor->isHidden()) {
            return editor;
        }
    }
    return nullptr;
}

void CProgramView::HideEditors() {
    // The grid takes the focus first: a focused widget that hides passes the focus on, and the
    // grid would take it as a Tab and move to the next cell.
    for (QWidget* editor : m_pEditors->All()) {
        if (editor->hasFocus()) {
            m_pGrid->setFocus();
        }
    }
    m_pEditors->HideAll();
}

void CProgramView::ShowCellEditor() {
    const int column = m_pGrid->Col();
    const ECellEditor kind = EditorForColumn(column);
    if (kind != ECellEditor::Grid) {
        const std::string cell = m_pGrid->Text().toStdString();
        m_pEditors->Load(kind, QString::fromStdString(EditorTextForCell(column, cell, g_bChinese)));
    }
    PlaceEditor();
}

void CProgramView::PlaceEditor() {
    const ECellEditor kind = EditorForColumn(m_pGrid->Col());
    QWidget* editor = m_pEditors->Editor(kind);
    if (editor == nullptr) {
        m_pGrid->setFocus();
        m_pGrid->viewport()->update();
        return;
    }
    if (qobject_cast<QLineEdit*>(editor) != nullptr) {
        m_pEditors->SetText(kind, m_pGrid->Text());
    }
    // A cell out of view is scrolled in before the editor shows: scrolling closes editors.
    m_bPlacing = true;
    m_pGrid->scrollTo(m_pGrid->currentIndex());
    m_bPlacing = false;
    // Laid exactly over the cell; a list opens its entries below on its own.
    editor->setGeometry(m_pGrid->visualRect(m_pGrid->currentIndex()));
    editor->show();
    editor->raise();
    editor->setFocus();
    // Typing replaces the cell's text.
    if (auto* edit = qobject_cast<QLineEdit*>(editor)) {
        edit->selectAll();
    }
    m_pGrid->viewport()->update();
}

bool CProgramView::Commit(int row, int column, ECommitKind kind) {
    const ECellEditor editorKind = EditorForColumn(column);
    QWidget* editor = m_pEditors->Editor(editorKind);
    if (editor != nullptr && editor->isHidden()) {
        return true;
    }
    const QString text = editor != nullptr ? m_pEditors->Text(editorKind) : m_pGrid->Text();
    CCellCommit commit;
    // Each accepted cell is one undo step, named after its column.
    CDocumentHistory::Of(*this).Record(
        tr("Edit %1").arg(QString::fromUtf8(ColumnHeading(column, g_bChinese))), [&] {
            commit = ::CommitCellEdit(m_table, row, column, text.toStdString(), m_doc.m_bands,
                                      g_bChinese, kind);
        });
    m_pGrid->Model()->Refresh();
    if (!commit.m_accepted) {
        m_pEditors->SetText(editorKind, QString::fromStdString(commit.m_editorText));
        AskCorePrompt(CellCommitPrompt(commit, g_bChinese));
        if (editor != nullptr) {
            editor->setFocus();
        }
        return false;
    }
    if (editor != nullptr && !commit.m_editorStays) {
        HideEditors();
    }
    return true;
}

bool CProgramView::CommitCellEdit() {
    return Commit(m_pGrid->Row(), m_pGrid->Col(), ECommitKind::LeaveCell);
}

void CProgramView::OnLeaveCell() {
    if (m_bSettingUp) {
        return;
    }
    if (!Commit(m_pGrid->Row(), m_pGrid->Col(), ECommitKind::LeaveCell)) {
        m_pGrid->RefuseCellChange();
    }
}

void CProgramView::OnMouseDown() {
    if (m_pGrid->Col() != kColMore) {
        ShowCellEditor();
        return;
    }
    const int row = m_pGrid->Row();
    if (!CanOpenChannelEdit(m_table, row)) {
        return;
    }
    m_nCurChannel = row;
    CDocumentHistory::Of(*this).Record(tr("Channel Edit"), [this] {
        StoreGrid();
        CChannelEditDlg dialog(*this, m_nCurChannel, this);
        dialog.DoModal();
    });
    PlaceEditor();
}

void CProgramView::OnScroll() {
    // What was typed is kept, as leaving the cell keeps it: the columns beyond the window's edge
    // are reached by scrolling. A refused text keeps its editor open, over its cell.
    if (!m_bPlacing && VisibleEditor() != nullptr &&
        !Commit(m_pGrid->Row(), m_pGrid->Col(), ECommitKind::LeaveCell)) {
        if (QWidget* editor = VisibleEditor()) {
            editor->setGeometry(m_pGrid->visualRect(m_pGrid->currentIndex()));
        }
        return;
    }
    HideEditors();
    m_pGrid->viewport()->update();
}

int CProgramView::HelpContext() const {
    const QWidget* focus = focusWidget();
    const int column = m_pGrid->Col();
    switch (m_pEditors->KindOf(focus)) {
        case ECellEditor::Frequency:
            return column == kColTx ? kTxHelp : kRxHelp;
        case ECellEditor::Tone:
            return column == kColTxTone ? kTxToneHelp : kRxToneHelp;
        case ECellEditor::Grid:
            return IDC_CHANNEL_GRID;
        default:
            return focus->property("controlId").toInt();
    }
}

bool CProgramView::OnFrequencyKey(const QKeyEvent* key) {
    const bool shift = (key->modifiers() & Qt::ShiftModifier) != 0;
    switch (FilterFrequencyKey(FrequencyKeyOf(key), shift)) {
        case EKeyAction::Swallow:
            return true;
        case EKeyAction::CommitThenPass:
            Commit(m_pGrid->Row(), m_pGrid->Col(), ECommitKind::Enter);
            return false;
        case EKeyAction::Pass:
            break;
    }
    return false;
}

bool CProgramView::Navigate(const QKeyEvent* key, ECellEditor kind) {
    int row = m_pGrid->Row();
    int column = m_pGrid->Col();
    const bool lineEdit = kind == ECellEditor::Frequency || kind == ECellEditor::Name;
    switch (key->key()) {
        case Qt::Key_Tab:
            if (column < kColMore) {
                ++column;
            } else if (row < kGridRows - 1) {
                ++row;
                column = kColRx;
            }
            break;
        case Qt::Key_Backtab:
            if (column > kColRx) {
                --column;
            } else if (row > 1) {
                --row;
                column = kColMore;
            }
            break;
        case Qt::Key_Up:
            if (!lineEdit) {
                return false;
            }
            row = std::max(1, row - 1);
            break;
        case Qt::Key_Down:
            if (!lineEdit) {
                return false;
            }
            row = std::min(kGridRows - 1, row + 1);
            break;
        case Qt::Key_Escape:
            // The edit is abandoned; the cell keeps its text.
            HideEditors();
            return true;
        default:
            return false;
    }
    m_pGrid->SetCell(row, column);
    return true;
}

bool CProgramView::eventFilter(QObject* watched, QEvent* event) {
    // An editor without typing of its own to undo leaves Undo and Redo to the document, so
    // Ctrl+Z right after a cell was committed takes that cell back.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const auto* edit = qobject_cast<const QLineEdit*>(watched);
        if (edit != nullptr && ((key->matches(QKeySequence::Undo) && !edit->isUndoAvailable()) ||
                                (key->matches(QKeySequence::Redo) && !edit->isRedoAvailable()))) {
            event->ignore();
            return true;
        }
    }
    if (event->type() != QEvent::KeyPress) {
        return QWidget::eventFilter(watched, event);
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_F1) {
        ShowHelp(HelpContext());
        return true;
    }
    const ECellEditor kind = m_pEditors->KindOf(watched);
    if (watched == m_pGrid && key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
        return OnDeleteKey();
    }
    if (kind == ECellEditor::Grid) {
        return QWidget::eventFilter(watched, event);
    }
    if (kind == ECellEditor::Frequency && key->key() != Qt::Key_Tab &&
        key->key() != Qt::Key_Backtab && key->key() != Qt::Key_Escape && OnFrequencyKey(key)) {
        return true;
    }
    return Navigate(key, kind);
}

std::vector<int> CProgramView::RowsForCommand() const {
    std::vector<int> rows = m_pGrid->SelectedRows();
    if (rows.empty()) {
        rows.push_back(m_pGrid->Row());
    }
    return rows;
}

bool CProgramView::OnDeleteKey() {
    // Whole rows selected, or the Rx cell: the channels go as if their Rx were emptied.
    std::vector<int> rows = m_pGrid->SelectedRows();
    if (rows.empty()) {
        if (m_pGrid->Col() != kColRx) {
            return false;
        }
        rows.push_back(m_pGrid->Row());
    }
    CDocumentHistory::Of(*this).Record(tr("Delete"), [&] {
        for (const int row : rows) {
            ::CommitCellEdit(m_table, row, kColRx, "", m_doc.m_bands, g_bChinese);
        }
    });
    m_pGrid->Model()->Refresh();
    return true;
}

void CProgramView::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        ShowHelp(HelpContext());
        return;
    }
    QWidget::keyPressEvent(event);
}
