#include "ui/editors/ListGrid.h"

#include <algorithm>

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>

CFieldTextValidator::CFieldTextValidator(bool upper, std::optional<ECharset> charset,
                                         QObject* parent)
    : QValidator(parent), m_bUpper(upper), m_charset(charset) {}

QValidator::State CFieldTextValidator::validate(QString& input, int& pos) const {
    if (m_bUpper) {
        input = input.toUpper();
    }
    if (m_charset) {
        const QString kept = QString::fromStdString(KeepCharset(*m_charset, input.toStdString()));
        if (kept != input) {
            input = kept;
            pos = std::min(pos, static_cast<int>(input.size()));
        }
    }
    return Acceptable;
}

QColor ListGridColor() {
    constexpr unsigned kColorRef = 0xD54600;
    return QColor(kColorRef & 0xFF, (kColorRef >> 8) & 0xFF, (kColorRef >> 16) & 0xFF);
}

CListKeyPress ListKeyPress(const QKeyEvent* event) {
    CListKeyPress press;
    press.m_shift = (event->modifiers() & Qt::ShiftModifier) != 0;
    const bool keypad = (event->modifiers() & Qt::KeypadModifier) != 0;
    const int key = event->key();
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        press.m_key = keypad ? EListKey::KeypadDigit : EListKey::Digit;
        press.m_char = static_cast<char>('0' + (key - Qt::Key_0));
    } else if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        press.m_key = EListKey::Letter;
        press.m_char = static_cast<char>('A' + (key - Qt::Key_A));
    } else if (!keypad && (key == Qt::Key_NumberSign || key == Qt::Key_Asterisk)) {
        // The keys Shift+3 and Shift+8 report on the main keyboard.
        press.m_key = EListKey::Digit;
        press.m_char = key == Qt::Key_NumberSign ? '3' : '8';
        press.m_shift = true;
    } else {
        switch (key) {
            case Qt::Key_Backspace:
                press.m_key = EListKey::Backspace;
                break;
            case Qt::Key_Delete:
                press.m_key = EListKey::Delete;
                break;
            case Qt::Key_Left:
            case Qt::Key_Right:
                press.m_key = EListKey::LeftRight;
                break;
            case Qt::Key_Up:
            case Qt::Key_Down:
                press.m_key = EListKey::UpDown;
                break;
            case Qt::Key_Period:
                press.m_key = keypad ? EListKey::KeypadDecimal : EListKey::Other;
                break;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Escape:
                press.m_key = EListKey::Navigation;
                break;
            default:
                break;
        }
    }
    return press;
}

bool SwallowListKey(EKeyFilter filter, const QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        return false;
    }
    return FilterListKey(filter, ListKeyPress(event)) == EKeyAction::Swallow;
}

CCellEditor::CCellEditor(QWidget* parent) : QLineEdit(parent) {
    setProperty("controlId", kControlId);
    hide();
}

void CCellEditor::SetUpperCase(bool upper) {
    m_bUpper = upper;
    UpdateValidator();
}

void CCellEditor::SetCharset(ECharset charset) {
    m_charset = charset;
    UpdateValidator();
}

void CCellEditor::UpdateValidator() {
    const QValidator* old = validator();
    setValidator(new CFieldTextValidator(m_bUpper, m_charset, this));
    delete old;
}

void CCellEditor::SetKeyFilter(EKeyFilter filter) {
    m_bFiltered = true;
    m_filter = filter;
}

void CCellEditor::keyPressEvent(QKeyEvent* event) {
    if (m_bFiltered && SwallowListKey(m_filter, event)) {
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        emit MoveRow(event->key() == Qt::Key_Up ? -1 : 1);
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

CListGrid::CListGrid(int rows, int columns, QWidget* parent)
    : CMSFlexGrid(new CFlexGridModel(rows, columns), parent), m_pEditor(new CCellEditor(this)) {
    connect(this, &CMSFlexGrid::EnterCell, this, &CListGrid::OpenEditor);
    connect(this, &CMSFlexGrid::MouseDown, this, &CListGrid::OpenEditor);
    connect(this, &CMSFlexGrid::LeaveCell, this, [this] { CommitEditor(); });
    // The editor would float over the wrong cell once the grid has scrolled.
    connect(this, &CMSFlexGrid::Scroll, this, [this] { CommitEditor(); });
    connect(m_pEditor, &CCellEditor::MoveRow, this, [this](int delta) {
        const int row = Row() + delta;
        if (row >= 1 && row < Model()->Rows()) {
            SetRow(row);
        }
    });
}

void CListGrid::SetHeadings(const QStringList& headings) {
    for (int column = 0; column < headings.size() && column < Model()->Cols(); ++column) {
        SetTextMatrix(0, column, headings[column]);
    }
}

QSize CListGrid::sizeHint() const {
    int width =
        verticalHeader()->width() + 2 * frameWidth() + verticalScrollBar()->sizeHint().width();
    for (int column = 1; column < Model()->Cols(); ++column) {
        width += ColWidth(column);
    }
    const int rows = std::min(Model()->Rows() - 1, kVisibleRows);
    const int height = horizontalHeader()->sizeHint().height() + 2 * frameWidth() +
                       rows * verticalHeader()->defaultSectionSize();
    return {width, height};
}

void CListGrid::NumberRows() {
    for (int row = 1; row < Model()->Rows(); ++row) {
        SetTextMatrix(row, 0, QString::number(row));
    }
}

void CListGrid::SetColumnFont(int column, const QString& family) {
    const quint32 col = static_cast<quint32>(column);
    for (int row = Model()->Rows() - 1; row >= 1; --row) {
        // Set directly: walking the cells would open and close the editor on each.
        Model()->m_cellFonts.insert(static_cast<quint32>(row) << 16 | col, family);
    }
    Model()->Refresh();
}

void CListGrid::OpenEditor() {
    m_pEditor->setText(Text());
    m_pEditor->setGeometry(CellRect());
    m_pEditor->show();
    m_pEditor->raise();
    m_pEditor->setFocus(Qt::OtherFocusReason);
    m_pEditor->selectAll();
    viewport()->update();
}

bool CListGrid::CommitEditor() {
    if (m_pEditor->isHidden()) {
        return false;
    }
    const QString text = m_transform ? m_transform(m_pEditor->text()) : m_pEditor->text();
    SetText(text);
    // The grid keeps a focus the editor had: hiding it would hand the focus to the next
    // control, whose own focus handling may run in the middle of this commit.
    if (m_pEditor->hasFocus()) {
        setFocus(Qt::OtherFocusReason);
    }
    m_pEditor->hide();
    if (m_committed) {
        m_committed(Row(), Col());
    }
    return true;
}

void CListGrid::SetCommitTransform(std::function<QString(const QString&)> transform) {
    m_transform = std::move(transform);
}

void CListGrid::SetCommitted(std::function<void(int, int)> committed) {
    m_committed = std::move(committed);
}
