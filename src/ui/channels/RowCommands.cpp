#include "ui/channels/RowCommands.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>

#include "channels/ChannelRows.h"
#include "image/ProgramDoc.h"
#include "settings/Language.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

namespace {

// A message box lists at most this many refused cells; a paste of many rows may have more.
constexpr std::size_t kListedCells = 20;

// The active document's view with its open edit committed; null when there is none or the
// edit was refused (its message has been shown).
CProgramView* ReadyView(CMainFrame& frame) {
    CChildFrame* child = frame.ActiveChild();
    CProgramView* view = child != nullptr ? child->View() : nullptr;
    if (view == nullptr || !view->CommitCellEdit()) {
        return nullptr;
    }
    return view;
}

// An edit box of the grid holding the focus takes the clipboard commands itself (the menu
// reaches them too; the keys reach the box first).
QLineEdit* FocusedEditBox(CMainFrame& frame) {
    CChildFrame* child = frame.ActiveChild();
    if (child == nullptr || child->View() == nullptr) {
        return nullptr;
    }
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    const CCellEditors* editors = child->View()->Editors();
    return edit != nullptr && editors->KindOf(edit) != ECellEditor::Grid ? edit : nullptr;
}

void Refresh(CProgramView& view, const std::vector<int>& selected) {
    view.Grid()->Model()->Refresh();
    view.Grid()->SelectRows(selected);
}

void Copy(CProgramView& view) {
    const std::string text =
        CopyRowsText(view.GetDocument(), view.Table(), view.RowsForCommand(), g_bChinese);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

void DeleteRows(CProgramView& view, const QString& name) {
    const std::vector<int> rows = view.RowsForCommand();
    CDocumentHistory::Of(view).Record(
        name, [&] { ::DeleteRows(view.GetDocument().m_image, view.Table(), rows); });
    Refresh(view, {rows.front()});
}

void Paste(CProgramView& view) {
    const std::vector<int> rows = view.RowsForCommand();
    const std::string text = QGuiApplication::clipboard()->text().toStdString();
    // Checked on a copy holding what the grid shows; applied only when every cell passes.
    CDocumentState work = view.GetDocument();
    view.Table().StoreGrid(work);
    const auto pasted = PasteRowsText(text, rows.front(), work.m_image);
    if (!pasted) {
        const auto& items = pasted.error().m_items;
        QString message = QString::fromStdString(pasted.error().Text(g_bChinese));
        for (std::size_t i = 0; i < items.size() && i < kListedCells; ++i) {
            message += QLatin1Char('\n') + QString::fromStdString(items[i]);
        }
        if (items.size() > kListedCells) {
            message +=
                QLatin1Char('\n') + QCoreApplication::translate("CRowCommands", "... and %1 more")
                                        .arg(items.size() - kListedCells);
        }
        Ask(message, EPromptButtons::Ok, EPromptIcon::Exclamation);
        return;
    }
    CDocumentHistory::Of(view).Record(QCoreApplication::translate("CRowCommands", "Paste"), [&] {
        static_cast<CDocumentState&>(view.GetDocument()) = work;
        view.FillGrid();
    });
    const int lines = static_cast<int>(std::ranges::count(text, '\n')) +
                      (text.empty() || text.back() == '\n' ? 0 : 1);
    std::vector<int> pastedRows;
    for (int row = rows.front(); row < rows.front() + lines && row < kFrRow; ++row) {
        pastedRows.push_back(row);
    }
    Refresh(view, pastedRows);
}

void InsertRow(CProgramView& view) {
    const int row = view.Grid()->Row();
    if (row == kFrRow) {
        Ask(QCoreApplication::translate(
            "CRowCommands", "The Fr row stays last: rows are inserted among channels 1 to 128."));
        return;
    }
    if (!IsEmptyRow(view.Table(), kFrRow - 1)) {
        Ask(QCoreApplication::translate(
            "CRowCommands",
            "Channel 128 is in use, and inserting a row would push it out. Delete or "
            "move it first."));
        return;
    }
    CDocumentHistory::Of(view).Record(
        QCoreApplication::translate("CRowCommands", "Insert Row"),
        [&] { InsertEmptyRow(view.GetDocument().m_image, view.Table(), row); });
    Refresh(view, {row});
}

void Move(CProgramView& view, int delta) {
    std::vector<int> rows = view.RowsForCommand();
    bool moved = false;
    CDocumentHistory::Of(view).Record(
        delta < 0 ? QCoreApplication::translate("CRowCommands", "Move Up")
                  : QCoreApplication::translate("CRowCommands", "Move Down"),
        [&] { moved = MoveRows(view.GetDocument().m_image, view.Table(), rows, delta); });
    if (moved) {
        std::erase(rows, kFrRow);
        for (int& row : rows) {
            row += delta;
        }
        Refresh(view, rows);
    }
}

// A command that works on the active view once its edit is committed.
std::function<void()> OnView(CMainFrame& frame, void (*command)(CProgramView&)) {
    return [&frame, command] {
        if (CProgramView* view = ReadyView(frame)) {
            command(*view);
        }
    };
}

}  // namespace

void InstallRowCommands(CMainFrame& frame) {
    if (frame.property("rowCommands").toBool()) {
        return;
    }
    frame.setProperty("rowCommands", true);
    frame.SetCommandHandler(ID_EDIT_COPY, [&frame] {
        if (QLineEdit* edit = FocusedEditBox(frame)) {
            edit->copy();
        } else if (CProgramView* view = ReadyView(frame)) {
            Copy(*view);
        }
    });
    frame.SetCommandHandler(ID_EDIT_CUT, [&frame] {
        if (QLineEdit* edit = FocusedEditBox(frame)) {
            edit->cut();
        } else if (CProgramView* view = ReadyView(frame)) {
            Copy(*view);
            DeleteRows(*view, QCoreApplication::translate("CRowCommands", "Cut"));
        }
    });
    frame.SetCommandHandler(ID_EDIT_PASTE, [&frame] {
        if (QLineEdit* edit = FocusedEditBox(frame)) {
            edit->paste();
        } else if (CProgramView* view = ReadyView(frame)) {
            Paste(*view);
        }
    });
    frame.SetCommandHandler(ID_EDIT_INSERT_ROW, OnView(frame, InsertRow));
    frame.SetCommandHandler(
        ID_EDIT_DELETE_ROWS, OnView(frame, [](CProgramView& view) {
            DeleteRows(view, QCoreApplication::translate("CRowCommands", "Delete Rows"));
        }));
    frame.SetCommandHandler(ID_EDIT_MOVE_UP,
                            OnView(frame, [](CProgramView& view) { Move(view, -1); }));
    frame.SetCommandHandler(ID_EDIT_MOVE_DOWN,
                            OnView(frame, [](CProgramView& view) { Move(view, 1); }));
}

void ShowRowMenu(CProgramView& view, const QPoint& globalPos) {
    auto* frame = qobject_cast<CMainFrame*>(view.window());
    if (frame == nullptr) {
        return;
    }
    QMenu menu(&view);
    for (const int id :
         std::initializer_list<int>{ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE, 0, ID_EDIT_INSERT_ROW,
                                    ID_EDIT_DELETE_ROWS, ID_EDIT_MOVE_UP, ID_EDIT_MOVE_DOWN}) {
        if (id == 0) {
            menu.addSeparator();
        } else if (QAction* action = frame->Action(id)) {
            menu.addAction(action);
        }
    }
    menu.exec(globalPos);
}
