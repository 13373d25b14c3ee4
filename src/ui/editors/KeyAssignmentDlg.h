#pragma once

#include <array>
#include <functional>

#include "ui/app/HelpDialog.h"

class QRadioButton;
class CProgramDoc;

// Key Assignment: the side key's function as four radio buttons. Made anew for every opening;
// OK stores the choice into the active document, Cancel changes nothing.
class CKeyAssignmentDlg : public CHelpDialog {
    Q_OBJECT
public:
    using CDocumentFinder = std::function<CProgramDoc*()>;
    static constexpr int kTemplateId = 202;

    explicit CKeyAssignmentDlg(CDocumentFinder findDocument, QWidget* parent = nullptr);

    int DoModal();
    bool OnInitDialog();

    // 1076..1079 the radio buttons, 1 OK, 2 Cancel.
    QWidget* Control(int id) const;
    // The selected button, 0..3.
    int Index() const { return m_nIndex; }
    int HelpContext() const override;
    int HelpScope() const override { return kTemplateId; }
    // This page's help is only written in English.
    bool EnglishHelpOnly() const override { return true; }

private:
    void OnOK();

    CDocumentFinder m_findDocument;
    std::array<QRadioButton*, 4> m_pButtons{};
    int m_nIndex = 0;
};
