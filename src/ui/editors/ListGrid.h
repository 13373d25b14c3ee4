#pragma once

#include <functional>
#include <optional>

#include <QLineEdit>
#include <QStringList>
#include <QValidator>

#include "editors/ListKeys.h"
#include "ui/channels/FlexGrid.h"

class QKeyEvent;
class QLabel;

// The call and tone lists' entry colour, COLORREF 0xD54600: red 0x00, green 0x46, blue 0xD5.
QColor ListGridColor();

// A key event as the core's list key filters see it.
CListKeyPress ListKeyPress(const QKeyEvent* event);
// True when the filter swallows the key (F1 is left to the help).
bool SwallowListKey(EKeyFilter filter, const QKeyEvent* event);

// Capitals as typed or pasted, and (with a charset) only the characters the field takes: the
// key filters see keys, this sees what a paste or an input method puts in.
class CFieldTextValidator : public QValidator {
    Q_OBJECT
public:
    CFieldTextValidator(bool upper, std::optional<ECharset> charset, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    bool m_bUpper;
    std::optional<ECharset> m_charset;
};

// The edit laid over the current cell of a list grid (control id 1123), hidden until a cell
// is entered. Its limits: setMaxLength, SetUpperCase and SetKeyFilter.
class CCellEditor : public QLineEdit {
    Q_OBJECT
public:
    static constexpr int kControlId = 1123;
    explicit CCellEditor(QWidget* parent);

    void SetUpperCase(bool upper);
    // Only the charset's characters are kept; set after SetUpperCase.
    void SetCharset(ECharset charset);
    // Keys the filter swallows never reach the text; without a filter every key does.
    void SetKeyFilter(EKeyFilter filter);

signals:
    // Up or Down in the editor: the row to move to.
    void MoveRow(int delta);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateValidator();

    bool m_bUpper = false;
    std::optional<ECharset> m_charset;
    bool m_bFiltered = false;
    EKeyFilter m_filter = EKeyFilter::Msk;
};

// A list on the grid control with its one in-place cell editor: entering a cell (by keyboard
// or mouse) opens the editor over it, leaving it (or CommitEditor before a store) writes the
// editor's text into the cell. Rows and columns count the fixed heading row and label column.
class CListGrid : public CMSFlexGrid {
    Q_OBJECT
public:
    CListGrid(int rows, int columns, QWidget* parent = nullptr);

    CCellEditor* Editor() const { return m_pEditor; }

    // Row 0, from column 0 on; the heading of column 0 stands in the corner.
    void SetHeadings(const QStringList& headings);
    // Column 0 of rows 1.. gets 1, 2, ...
    void NumberRows();
    // The font of column `column` in every row from the last up to 1 (the grid's own way: each
    // cell made current in turn); the current cell is put back.
    void SetColumnFont(int column, const QString& family);

    // The editor takes the current cell's text and opens over it, its text selected.
    void OpenEditor();
    // If the editor is open: its text, through the commit transform, becomes the current
    // cell's text, the editor is hidden and the commit callback runs. False when it was closed.
    bool CommitEditor();

    // What a committed text becomes in the cell (a clamp, say); none: the text as typed.
    void SetCommitTransform(std::function<QString(const QString&)> transform);
    // Runs after a commit wrote cell (row, column).
    void SetCommitted(std::function<void(int row, int column)> committed);

    // Wide enough for every column, tall enough for up to kVisibleRows rows.
    QSize sizeHint() const override;
    static constexpr int kVisibleRows = 12;

private:
    CCellEditor* m_pEditor;
    std::function<QString(const QString&)> m_transform;
    std::function<void(int, int)> m_committed;
};
