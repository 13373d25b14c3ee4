#pragma once

#include <QUrl>
#include <QWidget>

class QTextBrowser;

// The help window: HTML pages from the help folder next to the program ("enHelp" or "chHelp"),
// opened at the page that a help context number maps to.
class CHelpWindow : public QWidget {
    Q_OBJECT
public:
    static CHelpWindow* Instance();
    // The page and anchor a context number maps to ("index.html" for unknown numbers).
    static QString PageOf(int context);

    // False (and nothing shown) when the help folder is missing.
    bool ShowContext(int context);
    QUrl CurrentSource() const;

private:
    CHelpWindow();
    QTextBrowser* m_pBrowser;
};

// Help Topics (context 0) and every help request of the program.
bool ShowHelp(int context);
