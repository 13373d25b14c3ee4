#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

// A heading over a read-only list, one entry a line, to scroll, select and copy whole.
class CTextListDlg : public QDialog {
    Q_OBJECT
public:
    CTextListDlg(const QString& heading, const QStringList& lines, QWidget* parent = nullptr);

    QPlainTextEdit* List() const { return m_pList; }

private:
    QPlainTextEdit* m_pList;
};
