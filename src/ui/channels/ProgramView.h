#pragma once

#include <QWidget>
#include <array>

#include "channels/CellRules.h"
#include "channels/ChannelTable.h"

class CCellEditors;
class CFlexGridModel;
class CMSFlexGrid;
class CProgramDoc;

// The document window's view: the channel grid over the core channel table, edited through
// floating editors laid over the current cell.
class CProgramView : public QWidget {
    Q_OBJECT
public:
    explicit CProgramView(CProgramDoc& doc, QWidget* parent = nullptr);

    CProgramDoc& GetDocument() const { return m_doc; }
    CMSFlexGrid* Grid() const { return m_pGrid; }
    CChannelTable& Table() { return m_table; }
    CCellEditors* Editors() const { return m_pEditors; }

    // Sets the grid up, labels the rows, lays the view out for the screen and fills it.
    void OnInitialUpdate();
    // The grid from the image (discards text typed since the last StoreGrid).
    void FillGrid();
    // The grid into the image.
    void StoreGrid();
    // The grid's texts replaced as a whole (undo and redo); an open editor is closed first.
    void SetTable(const CChannelTable& table);

    // Moves the open editor's text into the current cell with the column's checks, as leaving
    // the cell does. Save, Write and every transfer call it first. False when a check failed
    // (its message has been shown and the editor stays open).
    bool CommitCellEdit();
    // The floating editor of the current cell: loaded with the cell's text and shown over it.
    void ShowCellEditor();
    void PlaceEditor();
    // The editor shown over the current cell, or null.
    QWidget* VisibleEditor() const;

    // Grid row whose Channel Edit dialog is open.
    int CurChannel() const { return m_nCurChannel; }

    // Scale factor for a screen width: above 800 pixels, width / 1024; otherwise 1.
    static double ScaleForScreenWidth(int width);
    // The display changed to `width`: the window's own size (the one it is restored to) is
    // rescaled by width / the stored width, above 800 only.
    void OnDisplayChange(int width);
    int StoredScreenWidth() const { return m_nScreenWidth; }

    // The window's own size at a screen 1024 pixels wide; it fills the MDI area unless the
    // user restores it to this size.
    static constexpr int kFrameWidth = 1095;
    static constexpr int kFrameHeight = 650;
    static const double kWidthFactors[kGridColumns];
    // Column widths (column 0 first) filling `available` pixels in the proportions of
    // kWidthFactors, each never narrower than the default width times its factor: below
    // that the grid scrolls instead.
    static std::array<int, kGridColumns> FitColumnWidths(int available);

    // The rows a row command works on: those selected whole, else the current one.
    std::vector<int> RowsForCommand() const;

    // The help context of the focused control.
    int HelpContext() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Scale(double factor);
    // The columns across the grid's width, as FitColumnWidths lays them out.
    void FitColumns();
    void OnLeaveCell();
    void OnMouseDown();
    void OnScroll();
    void HideEditors();
    bool Commit(int row, int column, ECommitKind kind);
    // A key for the frequency editor, through the core's key filter: true swallows the key.
    bool OnFrequencyKey(const QKeyEvent* key);
    // Tab and the arrows that move to another cell from an editor.
    bool Navigate(const QKeyEvent* key, ECellEditor kind);
    // Delete on the grid: empties the selected channels, or the current one from its Rx cell.
    bool OnDeleteKey();

    CProgramDoc& m_doc;
    CChannelTable m_table;
    CMSFlexGrid* m_pGrid;
    CCellEditors* m_pEditors = nullptr;
    bool m_bFirstShow = true;
    bool m_bSettingUp = false;
    bool m_bPlacing = false;  // PlaceEditor scrolls its cell into view
    int m_nScreenWidth = 0;
    int m_nScreenHeight = 0;
    int m_nCurChannel = 1;
};
