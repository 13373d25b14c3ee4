#include "ui/editors/KeyAssignmentDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editors/EditorRules.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"

namespace {

constexpr int kButtonIds[4] = {1076, 1077, 1078, 1079};
const char* const kButtonLabels[4] = {
    QT_TRANSLATE_NOOP("CKeyAssignmentDlg", "Option Singalling Call"),
    QT_TRANSLATE_NOOP("CKeyAssignmentDlg", "Emergency Call"),
    QT_TRANSLATE_NOOP("CKeyAssignmentDlg", "Send 1750Hz Singal"),
    QT_TRANSLATE_NOOP("CKeyAssignmentDlg", "Squelch Off Momentary"),
};

const CField& SideKeyField() {
    return *PageFields(EPage::kKey).front();
}

}  // namespace

CKeyAssignmentDlg::CKeyAssignmentDlg(CDocumentFinder findDocument, QWidget* parent)
    : CHelpDialog(parent), m_findDocument(std::move(findDocument)) {
    setWindowTitle(tr("Key Assignment"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setProperty("controlId", kTemplateId);

    auto* group = new QGroupBox(tr("Side Key"), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (int i = 0; i < 4; ++i) {
        m_pButtons[i] = new QRadioButton(tr(kButtonLabels[i]), group);
        m_pButtons[i]->setProperty("controlId", kButtonIds[i]);
        groupLayout->addWidget(m_pButtons[i]);
    }
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setProperty("controlId", 1);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setProperty("controlId", 2);
    connect(ok, &QPushButton::clicked, this, &CKeyAssignmentDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CKeyAssignmentDlg::reject);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    WatchChildrenForHelp();
}

QWidget* CKeyAssignmentDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CKeyAssignmentDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool CKeyAssignmentDlg::OnInitDialog() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc == nullptr) {
        return false;
    }
    m_nIndex = SideKeyIndex(doc->m_image[SideKeyField().m_offset]);
    m_pButtons[m_nIndex]->setChecked(true);
    m_pButtons[m_nIndex]->setFocus();
    return true;
}

void CKeyAssignmentDlg::OnOK() {
    for (int i = 0; i < 4; ++i) {
        if (m_pButtons[i]->isChecked()) {
            m_nIndex = i;
        }
    }
    if (CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr) {
        const CField& field = SideKeyField();
        StoreField(field, doc->m_image, field.m_entries[m_nIndex].m_en);
    }
    accept();
}

int CKeyAssignmentDlg::HelpContext() const {
    const QWidget* focus = focusWidget();
    const int id = focus != nullptr ? focus->property("controlId").toInt() : 0;
    // The radio buttons share the dialog's own topic.
    for (int button : kButtonIds) {
        if (id == button) {
            return ID_EDIT_KEY_ASSIGNMENT;
        }
    }
    return id != 0 ? id : ID_EDIT_KEY_ASSIGNMENT;
}
