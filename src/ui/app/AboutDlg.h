#pragma once

#include <QDialog>

class QLabel;

// The about box: texts from the language section of Program.ini, the icon "title.ico".
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    QLabel* m_pIcon;
    QLabel* m_pVersion;
    QLabel* m_pCopyrights;
    QLabel* m_pOwner;
    bool m_bOwnIcon = false;  // true when "title.ico" was shown
};
