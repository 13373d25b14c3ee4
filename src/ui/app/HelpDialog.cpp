#include "ui/app/HelpDialog.h"

#include <QKeyEvent>

#include "ui/app/HelpWindow.h"

namespace {
bool IsF1(QEvent* event) {
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1;
}
}  // namespace

void CHelpDialog::WatchChildrenForHelp() {
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool CHelpDialog::eventFilter(QObject* watched, QEvent* event) {
    if (IsF1(event)) {
        ShowHelp(HelpContext(), HelpScope(), EnglishHelpOnly());
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void CHelpDialog::keyPressEvent(QKeyEvent* event) {
    if (IsF1(event)) {
        ShowHelp(HelpContext(), HelpScope(), EnglishHelpOnly());
        return;
    }
    QDialog::keyPressEvent(event);
}
