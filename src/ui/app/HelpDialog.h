#pragma once

#include <QDialog>

// A dialog whose F1 opens the help at the context the focused control gives, whichever child
// has the focus (the key reaches the dialog before the child).
class CHelpDialog : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    virtual int HelpContext() const = 0;
    // The dialog whose own control ids the context is read among (0: the program's ids).
    virtual int HelpScope() const { return 0; }
    // True for a dialog whose help exists only in the English pages.
    virtual bool EnglishHelpOnly() const { return false; }

protected:
    // Lets every child created so far pass its F1 to the dialog.
    void WatchChildrenForHelp();
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
