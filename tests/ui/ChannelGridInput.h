#pragma once

#include <QStringList>
#include <QTest>

#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

// A click on a channel cell as the user makes it: scrolled into view first.
inline void ClickCell(CProgramView* view, int row, int column) {
    CMSFlexGrid* grid = view->Grid();
    const QModelIndex index = grid->Model()->index(row - 1, column - 1);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

// The texts of a channel row, columns 1 to 12.
inline QStringList RowTexts(CMSFlexGrid* grid, int row) {
    QStringList texts;
    for (int column = 1; column <= 12; ++column) {
        texts << grid->TextMatrix(row, column);
    }
    return texts;
}
