#include "ui/editors/OptionalFeaturesDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "ui/app/UiGlobals.h"

namespace {

// The page's fields with their control ids and labels, laid out in two columns.
struct CControlLayout {
    const char* m_key;
    int m_id;
    const char* m_label;
    int m_column;
};
const CControlLayout kControls[] = {
    {"options.tot", 1125, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "TOT (s)"), 0},
    {"options.tot_prealert", 1126, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "TOT Pre-Alert (s)"),
     0},
    {"options.squelch", 1123, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Squelch Level"), 0},
    {"options.vox", 1120, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Vox Gain Level"), 0},
    {"options.step", 1124, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Step (k)"), 0},
    {"options.back_light", 1115, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Back Light"), 0},
    {"options.back_light_color", 1116,
     QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Back Light Color"), 0},
    {"options.power_on_style", 1121, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Power-on Style"),
     0},
    {"options.key_lock", 1118, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Key Lock"), 0},
    {"options.priority", 1119, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Priority Channel"), 1},
    {"options.display_mode", 1117, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Display Mode"), 1},
    {"options.battery_saver", 1128, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Battery Saver"), 1},
    {"options.beep", 1127, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Beep"), 1},
    {"options.stopwatch", 1129, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Stopwatch"), 1},
    {"options.alarm", 1131, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Alarm"), 1},
    {"options.scan_mode", 1122, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Scan Mode"), 1},
    {"options.msk_type", 1132, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "MSK Type"), 1},
    {"options.password", 1133, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Password"), 1},
    {"options.keypad_lock", 1134, QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Keypad Lock"), 2},
    {"options.repeater_msk_invert", 1135,
     QT_TRANSLATE_NOOP("COptionalFeaturesDlg", "Repeater Msk Invert"), 2},
};

// Refuses what the password field's own rule refuses, as it is typed.
class CFieldValidator : public QValidator {
public:
    CFieldValidator(const CField& field, QObject* parent) : QValidator(parent), m_field(field) {}
    State validate(QString& input, int&) const override {
        return ParseFieldValue(m_field, input.toStdString(), CFieldContext(g_bChinese)) ? Acceptable
                                                                                        : Invalid;
    }

private:
    const CField& m_field;
};

std::string OnOffText(bool on) {
    // The check codec's own words for a set and a clear box.
    return on ? "On" : "Off";
}

}  // namespace

COptionalFeaturesDlg::COptionalFeaturesDlg(CDocumentFinder findDocument, QWidget* parent)
    : CHelpDialog(parent), m_findDocument(std::move(findDocument)) {
    setWindowTitle(tr("Optional Features"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setProperty("controlId", kTemplateId);

    QGridLayout* columns[2] = {new QGridLayout, new QGridLayout};
    auto* checks = new QHBoxLayout;
    int rows[2] = {0, 0};
    for (const CControlLayout& place : kControls) {
        const CField* field = FindField(place.m_key);
        if (field == nullptr) {
            continue;
        }
        QWidget* control = nullptr;
        if (field->m_codec == ECodec::kCheck) {
            control = new QCheckBox(tr(place.m_label), this);
            checks->addWidget(control);
        } else {
            if (field->m_codec == ECodec::kPassword) {
                auto* edit = new QLineEdit(this);
                edit->setMaxLength(field->m_length);
                edit->setValidator(new CFieldValidator(*field, edit));
                control = edit;
            } else {
                auto* list = new QComboBox(this);
                list->setMaxVisibleItems(16);
                list->setMinimumContentsLength(8);
                list->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
                control = list;
            }
            auto* label = new QLabel(tr(place.m_label), this);
            label->setBuddy(control);
            QGridLayout* grid = columns[place.m_column];
            grid->addWidget(label, rows[place.m_column], 0);
            grid->addWidget(control, rows[place.m_column], 1);
            ++rows[place.m_column];
        }
        control->setProperty("controlId", place.m_id);
        m_bindings.append({field, control});
    }

    auto* ok = new QPushButton(tr("OK"), this);
    ok->setProperty("controlId", 1);
    ok->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setProperty("controlId", 2);
    connect(ok, &QPushButton::clicked, this, &COptionalFeaturesDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &COptionalFeaturesDlg::reject);

    auto* body = new QHBoxLayout;
    body->addLayout(columns[0]);
    body->addSpacing(18);
    body->addLayout(columns[1]);
    checks->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addSpacing(6);
    layout->addLayout(checks);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    WatchChildrenForHelp();
}

QWidget* COptionalFeaturesDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

const CField* COptionalFeaturesDlg::FieldOf(int id) const {
    for (const CBinding& binding : m_bindings) {
        if (binding.m_pControl->property("controlId").toInt() == id) {
            return binding.m_pField;
        }
    }
    return nullptr;
}

int COptionalFeaturesDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool COptionalFeaturesDlg::OnInitDialog() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc == nullptr) {
        return false;
    }
    const CFieldContext context(g_bChinese);
    for (const CBinding& binding : m_bindings) {
        const CField& field = *binding.m_pField;
        const QString text = QString::fromStdString(LoadField(field, doc->m_image, context));
        if (auto* list = qobject_cast<QComboBox*>(binding.m_pControl)) {
            list->clear();
            for (const CChoice& entry : field.m_entries) {
                list->addItem(QString::fromStdString(entry.Get(g_bChinese)));
            }
            list->setCurrentIndex(std::max(list->findText(text), 0));
        } else if (auto* edit = qobject_cast<QLineEdit*>(binding.m_pControl)) {
            edit->setText(text);
        } else if (auto* check = qobject_cast<QCheckBox*>(binding.m_pControl)) {
            // The codec's English word says whether the box is checked.
            check->setChecked(LoadField(field, doc->m_image, CFieldContext(false)) ==
                              OnOffText(true));
        }
    }
    // Every opening starts at the first list, as a fresh dialog would.
    if (!m_bindings.isEmpty()) {
        m_bindings.first().m_pControl->setFocus();
    }
    return true;
}

QString COptionalFeaturesDlg::ControlText(const CBinding& binding) const {
    if (auto* list = qobject_cast<QComboBox*>(binding.m_pControl)) {
        return list->currentText();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(binding.m_pControl)) {
        return edit->text();
    }
    if (auto* check = qobject_cast<QCheckBox*>(binding.m_pControl)) {
        return QString::fromStdString(OnOffText(check->isChecked()));
    }
    return {};
}

void COptionalFeaturesDlg::OnOK() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc != nullptr) {
        const CFieldContext context(g_bChinese);
        for (const CBinding& binding : m_bindings) {
            StoreField(*binding.m_pField, doc->m_image, ControlText(binding).toStdString(),
                       context);
        }
    }
    accept();
}

int COptionalFeaturesDlg::HelpContext() const {
    const QWidget* focus = focusWidget();
    return focus != nullptr && focus->property("controlId").isValid()
               ? focus->property("controlId").toInt()
               : kTemplateId;
}
