#include "ui/channels/CellEditors.h"

#include <QComboBox>
#include <QLineEdit>
#include <algorithm>

#include "settings/Language.h"
#include "ui/app/UiGlobals.h"
#include "util/Gbk.h"

namespace {

// The drop-down editors in the order of m_combos.
constexpr ECellEditor kComboKinds[7] = {
    ECellEditor::Tone,  ECellEditor::Power,    ECellEditor::Bandwidth, ECellEditor::ScanAdd,
    ECellEditor::PttId, ECellEditor::BusyLock, ECellEditor::OptSignal};

int ComboSlot(ECellEditor kind) {
    for (int i = 0; i < 7; ++i) {
        if (kComboKinds[i] == kind) {
            return i;
        }
    }
    return -1;
}

}  // namespace

CByteLimitValidator::CByteLimitValidator(int limit, QLineEdit* edit)
    : QValidator(edit), m_nLimit(limit), m_nAllowed(limit) {
    // What the user deletes of a long text cannot be typed back beyond the limit.
    connect(edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_nAllowed = std::max(m_nLimit, std::min(m_nAllowed, ByteLength(text)));
    });
}

void CByteLimitValidator::AllowText(const QString& text) {
    m_nAllowed = std::max(m_nLimit, ByteLength(text));
}

int CByteLimitValidator::ByteLength(const QString& text) {
    return static_cast<int>(GbkLength(text.toStdString()));
}

QValidator::State CByteLimitValidator::validate(QString& input, int& pos) const {
    (void)pos;
    return ByteLength(input) > m_nAllowed ? Invalid : Acceptable;
}

CCellEditors::CCellEditors(QWidget* parent) : QObject(parent) {
    auto makeEdit = [&](ECellEditor kind, int limit, CByteLimitValidator*& validator) {
        auto* edit = new QLineEdit(parent);
        validator = new CByteLimitValidator(limit, edit);
        edit->setValidator(validator);
        edit->setAlignment(Qt::AlignCenter);
        edit->setProperty("controlId", ControlId(kind));
        edit->hide();
        m_editors.append(edit);
        return edit;
    };
    m_pFrequency = makeEdit(ECellEditor::Frequency, static_cast<int>(kFrequencyEditorLimit),
                            m_pFrequencyLimit);
    m_pName = makeEdit(ECellEditor::Name, static_cast<int>(kNameEditorLimit), m_pNameLimit);
    for (int i = 0; i < 7; ++i) {
        auto* combo = new QComboBox(parent);
        for (const std::string& entry : EditorEntries(kComboKinds[i], g_bChinese)) {
            combo->addItem(QString::fromStdString(entry));
        }
        // A list that drops below the cell and scrolls, rather than one laid over the grid.
        combo->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        combo->setMaxVisibleItems(kComboKinds[i] == ECellEditor::Tone ? 12 : 6);
        combo->setProperty("controlId", ControlId(kComboKinds[i]));
        combo->hide();
        m_combos[i] = combo;
        m_editors.append(combo);
    }
}

int CCellEditors::ControlId(ECellEditor kind) {
    switch (kind) {
        case ECellEditor::Frequency:
            return 1127;
        case ECellEditor::Tone:
            return 1132;
        case ECellEditor::Name:
            return 1126;
        case ECellEditor::Power:
            return 1129;
        case ECellEditor::Bandwidth:
            return 1128;
        case ECellEditor::ScanAdd:
            return 1134;
        case ECellEditor::PttId:
            return 1131;
        case ECellEditor::BusyLock:
            return 1130;
        case ECellEditor::OptSignal:
            return 1133;
        case ECellEditor::Grid:
            break;
    }
    return 1022;
}

QWidget* CCellEditors::Editor(ECellEditor kind) const {
    if (kind == ECellEditor::Frequency) {
        return m_pFrequency;
    }
    if (kind == ECellEditor::Name) {
        return m_pName;
    }
    return Combo(kind);
}

QComboBox* CCellEditors::Combo(ECellEditor kind) const {
    const int slot = ComboSlot(kind);
    return slot < 0 ? nullptr : m_combos[slot];
}

ECellEditor CCellEditors::KindOf(const QObject* widget) const {
    if (widget == m_pFrequency) {
        return ECellEditor::Frequency;
    }
    if (widget == m_pName) {
        return ECellEditor::Name;
    }
    for (int i = 0; i < 7; ++i) {
        if (widget == m_combos[i]) {
            return kComboKinds[i];
        }
    }
    return ECellEditor::Grid;
}

void CCellEditors::Load(ECellEditor kind, const QString& editorText) {
    if (QComboBox* combo = Combo(kind)) {
        combo->setCurrentIndex(combo->findText(editorText, Qt::MatchExactly));
    } else {
        SetText(kind, editorText);
    }
}

QString CCellEditors::Text(ECellEditor kind) const {
    if (QComboBox* combo = Combo(kind)) {
        return combo->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(Editor(kind))) {
        return edit->text();
    }
    return {};
}

void CCellEditors::SetText(ECellEditor kind, const QString& text) {
    if (kind == ECellEditor::Frequency || kind == ECellEditor::Name) {
        (kind == ECellEditor::Name ? m_pNameLimit : m_pFrequencyLimit)->AllowText(text);
        (kind == ECellEditor::Name ? m_pName : m_pFrequency)->setText(text);
    }
}

void CCellEditors::HideAll() {
    for (QWidget* editor : m_editors) {
        editor->hide();
    }
}
