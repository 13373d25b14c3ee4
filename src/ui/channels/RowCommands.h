#pragma once

class CMainFrame;
class CProgramView;
class QPoint;

// Copy, Cut, Paste, Insert Row, Delete Rows, Move Up and Move Down on the active document's
// channel grid, each change one undo step.
void InstallRowCommands(CMainFrame& frame);

// The row commands as a context menu of the row labels, at a global position.
void ShowRowMenu(CProgramView& view, const QPoint& globalPos);
