#pragma once

#include <QDialog>

class QRadioButton;
class QMainWindow;

// Chooses the language of the next start. A change is written to Program.ini, and the program
// closes and starts itself again.
class CLanguageDlg : public QDialog {
    Q_OBJECT
public:
    CLanguageDlg(QMainWindow* mainWindow, QWidget* parent = nullptr);

    QRadioButton* m_pEnglish;
    QRadioButton* m_pChinese;

    void OnOK();

protected:
    bool event(QEvent* event) override;

private:
    QMainWindow* m_pMainWindow;
};
