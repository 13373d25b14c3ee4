#include "ui/editors/TwoToneDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editors/EditorRules.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ChannelEditDlg.h"
#include "ui/editors/ListGrid.h"

namespace {

// The field of `page` (slot) whose key ends with `suffix`.
const CField* PageField(EPage page, int slot, const std::string& suffix) {
    for (const CField* field : PageFields(page, slot)) {
        const std::string& key = field->m_key;
        if (key.size() >= suffix.size() && key.ends_with(suffix)) {
            return field;
        }
    }
    return nullptr;
}

// What an arrow click makes of an edit's text, by the kind of value the field holds.
std::string ArrowText(const CField& field, const std::string& text, int delta) {
    if (field.m_codec == ECodec::kToneFreq) {
        return TwoToneFrequencyArrow(text, delta);
    }
    switch (field.m_time) {
        case ETimeKind::kInterval:
            return TwoToneIntervalArrow(text, delta, field.m_decode);
        case ETimeKind::kRise:
            return TwoToneRiseArrow(text, delta);
        default:
            return TwoToneDelayArrow(text, delta);
    }
}

// What leaving an edit makes of its text.
std::string ClampText(const CField& field, const std::string& text) {
    if (field.m_codec == ECodec::kToneFreq) {
        return ClampTwoToneFrequency(text);
    }
    switch (field.m_time) {
        case ETimeKind::kInterval:
            return ClampTwoToneInterval(text, field.m_decode);
        case ETimeKind::kRise:
            return ClampTwoToneRise(text);
        default:
            return ClampTwoToneDelay(text);
    }
}

// A check box field's text for checked or clear, as the field's own codec names it.
std::string SwitchText(const CField& field, bool checked) {
    return ParseFieldValue(field, checked ? "On" : "Off", g_bChinese).value_or(std::string());
}

}  // namespace

CTwoTonePage::CTwoTonePage(CTwoToneDocFinder findDocument, QWidget* parent)
    : QWidget(parent), m_findDocument(std::move(findDocument)) {}

QWidget* CTwoTonePage::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

CProgramDoc* CTwoTonePage::Document() const {
    return m_findDocument ? m_findDocument() : nullptr;
}

CTwoTonePage::CTimedEdit& CTwoTonePage::AddEdit(QGridLayout* layout, int row, const CField* field,
                                                const QString& label, int editId, int arrowId) {
    CTimedEdit entry;
    entry.m_field = field;
    entry.m_edit = new QLineEdit(this);
    entry.m_edit->setProperty("controlId", editId);
    entry.m_edit->setMaxLength(field->m_codec == ECodec::kToneFreq     ? 6
                               : field->m_time == ETimeKind::kInterval ? 3
                                                                       : 4);
    entry.m_edit->setFixedWidth(entry.m_edit->fontMetrics().horizontalAdvance("0000.00") + 12);
    entry.m_spin = new CSpinButton(this);
    entry.m_spin->setProperty("controlId", arrowId);
    auto* text = new QLabel(label, this);
    text->setBuddy(entry.m_edit);
    layout->addWidget(text, row, 0);
    layout->addWidget(entry.m_edit, row, 1);
    layout->addWidget(entry.m_spin, row, 2);
    FilterKeys(entry.m_edit);

    QLineEdit* edit = entry.m_edit;
    connect(entry.m_spin, &CSpinButton::Delta, this, [edit, field](int delta) {
        edit->setText(QString::fromStdString(ArrowText(*field, edit->text().toStdString(), delta)));
    });
    connect(edit, &QLineEdit::editingFinished, this, [edit, field] {
        edit->setText(QString::fromStdString(ClampText(*field, edit->text().toStdString())));
    });
    m_edits.push_back(entry);
    return m_edits.back();
}

void CTwoTonePage::FilterKeys(QWidget* edit) {
    edit->installEventFilter(this);
}

bool CTwoTonePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        if (SwallowListKey(EKeyFilter::TwoTone, static_cast<QKeyEvent*>(event))) {
            // Swallowed here: no text, no shortcut of the edit's own.
            return event->type() == QEvent::KeyPress;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CTwoTonePage::Load(const CMemoryImage& image) {
    for (const CTimedEdit& entry : m_edits) {
        entry.m_edit->setText(QString::fromStdString(LoadField(*entry.m_field, image, g_bChinese)));
    }
}

void CTwoTonePage::Store(CMemoryImage& image) {
    for (const CTimedEdit& entry : m_edits) {
        // Typing not yet left is clamped as leaving the edit would; a value as loaded (even out
        // of range, from a radio) is written back unchanged.
        if (entry.m_edit->isModified()) {
            entry.m_edit->setText(QString::fromStdString(
                ClampText(*entry.m_field, entry.m_edit->text().toStdString())));
        }
        StoreField(*entry.m_field, image, entry.m_edit->text().toStdString(), g_bChinese);
    }
}

void CTwoTonePage::Commit() {
    if (!m_bLoaded) {
        return;
    }
    if (CProgramDoc* doc = Document()) {
        Store(doc->m_image);
    }
}

void CTwoTonePage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (CProgramDoc* doc = Document()) {
        Load(doc->m_image);
        m_bLoaded = true;
    }
}

void CTwoTonePage::hideEvent(QHideEvent* event) {
    Commit();
    QWidget::hideEvent(event);
}

CTwoToneEncodePage::CTwoToneEncodePage(CTwoToneDocFinder findDocument, QWidget* parent)
    : CTwoTonePage(std::move(findDocument), parent) {
    const EPage page = EPage::kTwoToneEncode;
    auto* edits = new QGridLayout;
    edits->setColumnStretch(0, 1);
    AddEdit(edits, 0, PageField(page, 0, ".first_delay"), tr("The first delay time(s)"), 1250,
            1055);
    AddEdit(edits, 1, PageField(page, 0, ".second_delay"), tr("The second delay time(s)"), 1251,
            1056);
    AddEdit(edits, 2, PageField(page, 0, ".long_delay"), tr("Long tone delay time(s)"), 1252, 1057);
    AddEdit(edits, 3, PageField(page, 0, ".interval"), tr("Tone interval time(ms)"), 1253, 1058);
    AddEdit(edits, 4, PageField(page, 0, ".rise_delay"), tr("Tx rise delay time(ms)"), 1054, 1059);
    m_pShortBeep = new QCheckBox(tr("Short beep tone"), this);
    m_pShortBeep->setProperty("controlId", 1061);
    m_pShortBeep->setAutoFillBackground(true);
    QPalette palette = m_pShortBeep->palette();
    palette.setColor(QPalette::Window, QColor(0xF4, 0xF3, 0xEE));
    m_pShortBeep->setPalette(palette);
    edits->addWidget(m_pShortBeep, 5, 0, 1, 3);
    edits->setRowStretch(6, 1);

    m_pGrid = new CListGrid(33, 3, this);
    m_pGrid->setProperty("controlId", 1060);
    m_pGrid->SetListColor(ListGridColor());
    m_pGrid->SetHeadings({tr("Num"), tr("Tone1 Fre"), tr("Tone2 Fre")});
    m_pGrid->NumberRows();
    const int unit = m_pGrid->ColWidth(0);
    m_pGrid->SetColWidth(0, unit * 51 / 100);
    m_pGrid->SetColWidth(1, unit * 122 / 100);
    m_pGrid->SetColWidth(2, unit * 122 / 100);
    for (int column = 0; column < 3; ++column) {
        m_pGrid->SetColAlignment(column, Qt::AlignCenter);
    }
    CCellEditor* editor = m_pGrid->Editor();
    editor->setMaxLength(6);
    editor->SetKeyFilter(EKeyFilter::TwoTone);
    m_pGrid->SetCommitTransform([](const QString& text) {
        return QString::fromStdString(CommitEncodeCell(text.toStdString()));
    });
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(edits);
    layout->addSpacing(12);
    layout->addWidget(m_pGrid);
}

const CField* CTwoToneEncodePage::ToneField(int row, int column) {
    return FindField("2tone.encode." + FormatInt(row) + ".tone" + FormatInt(column));
}

void CTwoToneEncodePage::Load(const CMemoryImage& image) {
    CTwoTonePage::Load(image);
    const CField* beep = PageField(EPage::kTwoToneEncode, 0, ".short_beep");
    m_pShortBeep->setChecked(LoadField(*beep, image, g_bChinese) == SwitchText(*beep, true));
    for (int row = 1; row <= 32; ++row) {
        for (int column = 1; column <= 2; ++column) {
            m_pGrid->SetTextMatrix(
                row, column,
                QString::fromStdString(LoadField(*ToneField(row, column), image, g_bChinese)));
        }
    }
}

void CTwoToneEncodePage::Store(CMemoryImage& image) {
    // A cell still being typed counts as left.
    m_pGrid->CommitEditor();
    CTwoTonePage::Store(image);
    const CField* beep = PageField(EPage::kTwoToneEncode, 0, ".short_beep");
    StoreField(*beep, image, SwitchText(*beep, m_pShortBeep->isChecked()), g_bChinese);
    for (int row = 1; row <= 32; ++row) {
        for (int column = 1; column <= 2; ++column) {
            StoreField(*ToneField(row, column), image,
                       m_pGrid->TextMatrix(row, column).toStdString(), g_bChinese);
        }
    }
}

CTwoToneDecodePage::CTwoToneDecodePage(CTwoToneDocFinder findDocument, int slot, QWidget* parent)
    : CTwoTonePage(std::move(findDocument), parent), m_nSlot(slot) {
    const EPage page = EPage::kTwoToneDecode;
    auto* edits = new QGridLayout;
    edits->setColumnStretch(3, 1);
    AddEdit(edits, 0, PageField(page, slot, ".a"), tr("A Tone(HZ)"), 1037, 1068);
    AddEdit(edits, 1, PageField(page, slot, ".b"), tr("B Tone(HZ)"), 1038, 1069);
    AddEdit(edits, 2, PageField(page, slot, ".first_delay"), tr("The first delay time(s)"), 1039,
            1070);
    AddEdit(edits, 3, PageField(page, slot, ".second_delay"), tr("The second delay time(s)"), 1040,
            1071);
    AddEdit(edits, 4, PageField(page, slot, ".interval"), tr("Interval time(s)"), 1041, 1072);
    AddEdit(edits, 5, PageField(page, slot, ".long_delay"), tr("Long tone delay time(s)"), 1042,
            1073);
    edits->setRowStretch(6, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(edits);
}

CTwoToneDecodeSheet::CTwoToneDecodeSheet(const CTwoToneDocFinder& findDocument, QWidget* parent)
    : QWidget(parent) {
    m_pTabs = new QTabWidget(this);
    m_pTabs->setProperty("controlId", 1075);
    m_pTabs->setUsesScrollButtons(false);
    m_pTabs->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 48px; }"));
    for (int slot = 1; slot <= 8; ++slot) {
        m_pages[slot - 1] = new CTwoToneDecodePage(findDocument, slot, m_pTabs);
        // The same in both languages.
        m_pTabs->addTab(m_pages[slot - 1], QStringLiteral("2-Tone%1").arg(slot));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pTabs);
}

CTwoToneDlg::CTwoToneDlg(CTwoToneDocFinder findDocument, QWidget* parent)
    : CHelpDialog(parent), m_findDocument(std::move(findDocument)) {
    setWindowTitle(tr("2-Tone"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_pTabs = new QTabWidget(this);
    m_pTabs->setProperty("controlId", 1074);
    m_pDecode = new CTwoToneDecodeSheet(m_findDocument, m_pTabs);
    m_pEncode = new CTwoToneEncodePage(m_findDocument, m_pTabs);
    m_pTabs->addTab(m_pEncode, tr("Encode"));
    m_pTabs->addTab(m_pDecode, tr("Decode"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
    WatchChildrenForHelp();
}

int CTwoToneDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool CTwoToneDlg::OnInitDialog() {
    if (!m_findDocument || m_findDocument() == nullptr) {
        return false;
    }
    // Hidden here, so selecting loads nothing yet: the pages load when the dialog shows.
    m_pTabs->setCurrentIndex(0);
    m_pDecode->Tabs()->setCurrentIndex(0);
    return true;
}

int CTwoToneDlg::HelpContext() const {
    // The pages' control numbers belong to other windows' help too; the dialog has one section.
    return ID_EDIT_2TONE;
}
