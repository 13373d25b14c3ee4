#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

// File > Backups...: the automatic backups, newest first; Open takes the chosen one.
class CBackupsDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBackupsDlg(QWidget* parent);

    QListWidget* List() const { return m_pList; }
    QPushButton* OpenButton() const { return m_pOpen; }
    // The chosen backup's path once accepted.
    QString Chosen() const;

private:
    QListWidget* m_pList = nullptr;
    QPushButton* m_pOpen = nullptr;
};
