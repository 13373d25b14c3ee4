#pragma once

#include <functional>

#include "ui/app/HelpDialog.h"

class QLineEdit;
class CListGrid;
class CProgramDoc;

// MSK: the radio's own ID code and a call list of nine IDs. OK stores, Cancel changes nothing.
// The main frame keeps one; every opening reloads from the image.
class CMskDlg : public CHelpDialog {
    Q_OBJECT
public:
    using CDocumentFinder = std::function<CProgramDoc*()>;
    CMskDlg(CDocumentFinder findDocument, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run; nothing happens without a document.
    int DoModal();
    bool OnInitDialog();

    // 1048 the ID code, 1349 the call list grid, 1123 its editor, 1 OK, 2 Cancel.
    QWidget* Control(int id) const;
    CListGrid* Grid() const { return m_pGrid; }
    int HelpContext() const override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnOK();

    CDocumentFinder m_findDocument;
    QLineEdit* m_pIdCode;
    CListGrid* m_pGrid;
};
