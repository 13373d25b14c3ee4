#pragma once

#include <QUrl>
#include <QWidget>

class QPushButton;
class QTextBrowser;

// The help window: HTML pages from the help folder next to the program ("enHelp" or "chHelp"),
// opened at the page that a help context number maps to, with Back and Contents buttons.
// Escape closes it. Asked for from a modal dialog, it belongs to that dialog, so the dialog
// does not block it.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    static CHelpWindow* Instance();
    // The page and anchor a context number maps to ("index.html" for unknown numbers).
    static QString PageOf(int context);
    // Within a dialog's scope its own controls' pages come first (their ids repeat elsewhere).
    static QString PageOf(int context, int scope);

    // False (and nothing shown) when the help folder is missing. `folder` overrides the
    // language's help folder.
    bool ShowContext(int context, int scope = 0, const QString& folder = {});
    QUrl CurrentSource() const;
    QPushButton* BackButton() const { return m_pBack; }
    QPushButton* ContentsButton() const { return m_pContents; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    CHelpWindow();
    bool Open(const QString& page, const QString& folder = {});

    QTextBrowser* m_pBrowser;
    QPushButton* m_pBack;
    QPushButton* m_pContents;
};

// Help Topics (context 0) and every help request of the program.
bool ShowHelp(int context);
// A dialog's help: its scope's pages, the English ones when `english`.
bool ShowHelp(int context, int scope, bool english);
