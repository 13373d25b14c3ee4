#pragma once

#include <functional>

#include "ui/app/HelpDialog.h"
class QComboBox;
class QLineEdit;
class CProgramDoc;

// Product Information: the radio model and the two frequency bands. The main frame keeps one
// and shows it modally; it finds the active document each time it opens or stores.
class CProductInfoDlg : public CHelpDialog {
    Q_OBJECT
public:
    using CDocumentFinder = std::function<CProgramDoc*()>;
    CProductInfoDlg(CDocumentFinder findDocument, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run; nothing happens without a document.
    int DoModal();
    // False when there is no document to show.
    bool OnInitDialog();

    // 1013 model list, 1113..1116 band edits, 1 OK, 2 Cancel.
    QWidget* Control(int id) const;
    int HelpContext() const override;

protected:
private:
    void OnOK();

    CDocumentFinder m_findDocument;
    QComboBox* m_pModel;
    QLineEdit* m_pBands[4];
};
