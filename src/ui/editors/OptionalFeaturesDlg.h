#pragma once

#include <QList>
#include <functional>

#include "ui/app/HelpDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class CProgramDoc;
struct CField;

// Optional Features: the radio-wide settings of the options page. The main frame keeps one and
// shows it again on every command; each opening reloads every control from the active
// document, OK stores the whole page, Cancel changes nothing.
class COptionalFeaturesDlg : public CHelpDialog {
    Q_OBJECT
public:
    using CDocumentFinder = std::function<CProgramDoc*()>;
    static constexpr int kTemplateId = 133;

    explicit COptionalFeaturesDlg(CDocumentFinder findDocument, QWidget* parent = nullptr);

    // OnInitDialog, then the modal run; nothing happens without a document.
    int DoModal();
    // Fills the lists in the current language and loads them; false without a document.
    bool OnInitDialog();

    // The lists, 1133 the password, 1134/1135 the check boxes, 1 OK, 2 Cancel.
    QWidget* Control(int id) const;
    // The settings field behind a control; null for the buttons.
    const CField* FieldOf(int id) const;
    int HelpContext() const override;
    int HelpScope() const override { return kTemplateId; }

private:
    struct CBinding {
        const CField* m_pField;
        QWidget* m_pControl;
    };
    // A control's state as the text its field's store takes.
    QString ControlText(const CBinding& binding) const;
    void OnOK();

    CDocumentFinder m_findDocument;
    QList<CBinding> m_bindings;
};
