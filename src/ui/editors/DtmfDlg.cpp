#include "ui/editors/DtmfDlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/EditorRules.h"
#include "editors/ListKeys.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"
#include "ui/app/UiGlobals.h"
#include "ui/editors/ListGrid.h"

namespace {

// Check boxes load and store the core's English switch texts.
const CFieldContext kSwitchContext{false};

const CField& Field(const char* key) {
    return *FindField(key);
}

QString LoadText(const char* key, const CMemoryImage& image, const CFieldContext& context) {
    return QString::fromStdString(LoadField(Field(key), image, context));
}

void StoreText(const char* key, CMemoryImage& image, const QString& text,
               const CFieldContext& context = {}) {
    StoreField(Field(key), image, text.toStdString(), context);
}

bool LoadCheck(const char* key, const CMemoryImage& image) {
    return LoadText(key, image, kSwitchContext) == QLatin1String("On");
}

void StoreCheck(const char* key, CMemoryImage& image, bool checked) {
    StoreText(key, image, checked ? QStringLiteral("On") : QStringLiteral("Off"), kSwitchContext);
}

QLineEdit* MakeEdit(QWidget* parent, int id, int maxLength, std::optional<ECharset> charset) {
    auto* edit = new QLineEdit(parent);
    edit->setProperty("controlId", id);
    if (maxLength > 0) {
        edit->setMaxLength(maxLength);
    }
    if (charset) {
        edit->setValidator(new CFieldTextValidator(true, charset, edit));
    }
    return edit;
}

QLabel* MakeLabel(QWidget* parent, int id, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setProperty("controlId", id);
    return label;
}

constexpr const char* kEncodeKeys[4] = {"dtmf.speed", "dtmf.first_delay", "dtmf.first_time",
                                        "dtmf.star_hash_time"};

}  // namespace

CDtmfPage::CDtmfPage(CDtmfDocumentFinder findDocument, QWidget* parent)
    : QWidget(parent), m_findDocument(std::move(findDocument)) {}

void CDtmfPage::LoadFromDocument() {
    if (CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr) {
        Load(*doc);
    }
}

void CDtmfPage::StoreToDocument() {
    if (CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr) {
        Store(*doc);
    }
}

void CDtmfPage::showEvent(QShowEvent* event) {
    // A window brought back from the task bar is no new showing.
    if (!event->spontaneous()) {
        LoadFromDocument();
    }
    QWidget::showEvent(event);
}

void CDtmfPage::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) {
        StoreToDocument();
    }
    QWidget::hideEvent(event);
}

// --- Encode ---

CDtmfEncodePage::CDtmfEncodePage(CDtmfDocumentFinder findDocument, QWidget* parent)
    : CDtmfPage(std::move(findDocument), parent) {
    const QString labels[4] = {tr("DTMF Speed(digit/s)"), tr("First Digit Delay Time(ms)"),
                               tr("First Digit Time(ms)"), tr("* and # Digit Time(ms)")};
    constexpr int kEditIds[4] = {1084, 1085, 1086, 1087};
    constexpr int kSpinIds[4] = {1241, 1242, 1243, 1044};
    constexpr int kMaxChars[4] = {2, 0, 4, 4};
    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        m_pEdits[i] = MakeEdit(this, kEditIds[i], kMaxChars[i], std::nullopt);
        m_pEdits[i]->installEventFilter(this);
        auto* spin = new QWidget(this);
        spin->setProperty("controlId", kSpinIds[i]);
        auto* arrows = new QVBoxLayout(spin);
        arrows->setContentsMargins(0, 0, 0, 0);
        arrows->setSpacing(0);
        for (int delta : {1, -1}) {
            auto* button = new QToolButton(spin);
            button->setArrowType(delta > 0 ? Qt::UpArrow : Qt::DownArrow);
            button->setProperty("delta", delta);
            button->setFixedSize(18, 12);
            button->setFocusPolicy(Qt::NoFocus);
            arrows->addWidget(button);
            connect(button, &QToolButton::clicked, this, [this, i, delta] { OnArrow(i, delta); });
        }
        grid->addWidget(new QLabel(labels[i], this), i, 0);
        grid->addWidget(m_pEdits[i], i, 1);
        grid->addWidget(spin, i, 2);
    }
    m_pSideTone = new QCheckBox(tr("SideTone"), this);
    m_pSideTone->setProperty("controlId", 1088);
    grid->addWidget(m_pSideTone, 4, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
}

void CDtmfEncodePage::OnArrow(int index, int delta) {
    const int value = LeadingInt(m_pEdits[index]->text().toStdString());
    int result = 0;
    switch (index) {
        case 0:
            result = DtmfSpeedArrow(value, delta);
            break;
        case 1:
            result = DtmfDelayArrow(value, delta);
            break;
        default:
            result = DtmfDigitTimeArrow(value, delta);
            break;
    }
    m_pEdits[index]->setText(QString::fromStdString(FormatInt(result)));
}

void CDtmfEncodePage::Normalise(int index) {
    const int value = LeadingInt(m_pEdits[index]->text().toStdString());
    int result = 0;
    switch (index) {
        case 0:
            result = NormaliseDtmfSpeed(value);
            break;
        case 1:
            result = NormaliseDtmfDelay(value);
            break;
        default:
            result = NormaliseDtmfDigitTime(value);
            break;
    }
    m_pEdits[index]->setText(QString::fromStdString(FormatInt(result)));
}

bool CDtmfEncodePage::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < 4; ++i) {
        if (watched != m_pEdits[i]) {
            continue;
        }
        if (event->type() == QEvent::KeyPress &&
            SwallowListKey(EKeyFilter::DtmfEncode, static_cast<QKeyEvent*>(event))) {
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            Normalise(i);
        }
    }
    return CDtmfPage::eventFilter(watched, event);
}

void CDtmfEncodePage::Load(const CProgramDoc& doc) {
    for (int i = 0; i < 4; ++i) {
        m_pEdits[i]->setText(LoadText(kEncodeKeys[i], doc.m_image, {}));
    }
    m_pSideTone->setChecked(LoadCheck("dtmf.side_tone", doc.m_image));
}

void CDtmfEncodePage::Store(CProgramDoc& doc) {
    for (int i = 0; i < 4; ++i) {
        Normalise(i);
        StoreText(kEncodeKeys[i], doc.m_image, m_pEdits[i]->text());
    }
    StoreCheck("dtmf.side_tone", doc.m_image, m_pSideTone->isChecked());
}

// --- Decode ---

CDtmfDecodePage::CDtmfDecodePage(CDtmfDocumentFinder findDocument, QWidget* parent)
    : CDtmfPage(std::move(findDocument), parent) {
    m_pIdCode = MakeEdit(this, 1080, 10, ECharset::kAny);
    m_pGroupCode = MakeEdit(this, 1081, 0, std::nullopt);
    auto* stunBox = new QGroupBox(tr("Stun"), this);
    stunBox->setProperty("controlId", 1111);
    m_pStunCode = MakeEdit(stunBox, 1082, 10, ECharset::kDtmf);
    m_pStunType = MakeEdit(stunBox, 1083, 0, std::nullopt);
    // Chosen from their lists only.
    m_pGroupCode->setReadOnly(true);
    m_pStunType->setReadOnly(true);
    m_pStun = new QCheckBox(tr("Stun Activation"), stunBox);
    m_pStun->setProperty("controlId", 1103);
    m_pStunCodeLabel = MakeLabel(stunBox, 1107, tr("Stun Code"));
    m_pStunTypeLabel = MakeLabel(stunBox, 1108, tr("Stun Type"));

    m_pGroupList = new QComboBox(this);
    m_pGroupList->setProperty("controlId", 1124);
    m_pStunTypeList = new QComboBox(stunBox);
    m_pStunTypeList->setProperty("controlId", 1136);
    for (const auto& [list, key] : {std::pair{m_pGroupList, "dtmf.group_code"},
                                    std::pair{m_pStunTypeList, "dtmf.stun_type"}}) {
        for (const CChoice& entry : Field(key).m_entries) {
            list->addItem(QString::fromStdString(entry.Get(g_bChinese)));
        }
        list->setMaxVisibleItems(9);
        list->hide();
        list->installEventFilter(this);
    }
    for (QLineEdit* edit : {m_pGroupCode, m_pStunType, m_pStunCode}) {
        edit->installEventFilter(this);
    }

    auto* top = new QGridLayout;
    top->addWidget(MakeLabel(this, 1109, tr("ID Code")), 0, 0);
    top->addWidget(m_pIdCode, 0, 1);
    top->addWidget(MakeLabel(this, 1110, tr("Group Code")), 1, 0);
    top->addWidget(m_pGroupCode, 1, 1);
    auto* stun = new QGridLayout(stunBox);
    stun->addWidget(m_pStun, 0, 0, 1, 2);
    stun->addWidget(m_pStunCodeLabel, 1, 0);
    stun->addWidget(m_pStunCode, 1, 1);
    stun->addWidget(m_pStunTypeLabel, 2, 0);
    stun->addWidget(m_pStunType, 2, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(stunBox);
    layout->addStretch();

    connect(m_pStun, &QCheckBox::clicked, this, &CDtmfDecodePage::EnableStun);
}

void CDtmfDecodePage::EnableStun() {
    const bool on = m_pStun->isChecked();
    for (QWidget* control :
         {static_cast<QWidget*>(m_pStunCode), static_cast<QWidget*>(m_pStunType),
          static_cast<QWidget*>(m_pStunCodeLabel), static_cast<QWidget*>(m_pStunTypeLabel)}) {
        control->setEnabled(on);
    }
}

void CDtmfDecodePage::OpenList(QLineEdit* edit, QComboBox* list) {
    std::vector<std::string> entries;
    for (int i = 0; i < list->count(); ++i) {
        entries.push_back(list->itemText(i).toStdString());
    }
    list->setCurrentIndex(ListEntryForText(entries, edit->text().toStdString()));
    list->setGeometry(edit->geometry());
    list->show();
    list->raise();
    // The focus moves first: a hidden focused edit would hand it to the next control.
    list->setFocus(Qt::OtherFocusReason);
    edit->hide();
}

void CDtmfDecodePage::CloseList(QLineEdit* edit, QComboBox* list) {
    if (list->isHidden()) {
        return;
    }
    list->hide();
    // With no entry selected (a radio's byte no entry stands for) the edit keeps its text.
    if (list->currentIndex() >= 0) {
        edit->setText(list->currentText());
    }
    edit->show();
}

bool CDtmfDecodePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (watched == m_pGroupCode) {
            OpenList(m_pGroupCode, m_pGroupList);
        } else if (watched == m_pStunType) {
            OpenList(m_pStunType, m_pStunTypeList);
        }
    } else if (event->type() == QEvent::FocusOut &&
               static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
        if (watched == m_pGroupList) {
            CloseList(m_pGroupCode, m_pGroupList);
        } else if (watched == m_pStunTypeList) {
            CloseList(m_pStunType, m_pStunTypeList);
        }
    } else if (event->type() == QEvent::KeyPress && watched == m_pStunCode &&
               SwallowListKey(EKeyFilter::DtmfStunCode, static_cast<QKeyEvent*>(event))) {
        return true;
    }
    return CDtmfPage::eventFilter(watched, event);
}

void CDtmfDecodePage::Load(const CProgramDoc& doc) {
    const CFieldContext context(g_bChinese);
    m_pIdCode->setText(LoadText("dtmf.id_code", doc.m_image, context));
    m_pStunCode->setText(LoadText("dtmf.stun_code", doc.m_image, context));
    m_pGroupCode->setText(LoadText("dtmf.group_code", doc.m_image, context));
    m_pStunType->setText(LoadText("dtmf.stun_type", doc.m_image, context));
    m_pStun->setChecked(LoadCheck("dtmf.stun", doc.m_image));
    EnableStun();
}

void CDtmfDecodePage::Store(CProgramDoc& doc) {
    CloseList(m_pGroupCode, m_pGroupList);
    CloseList(m_pStunType, m_pStunTypeList);
    StoreText("dtmf.id_code", doc.m_image, m_pIdCode->text());
    StoreText("dtmf.stun_code", doc.m_image, m_pStunCode->text());
    StoreText("dtmf.group_code", doc.m_image, m_pGroupCode->text());
    StoreText("dtmf.stun_type", doc.m_image, m_pStunType->text());
    StoreCheck("dtmf.stun", doc.m_image, m_pStun->isChecked());
}

// --- Call list ---

CDtmfCallListPage::CDtmfCallListPage(CDtmfDocumentFinder findDocument, QWidget* parent)
    : CDtmfPage(std::move(findDocument), parent), m_pGrid(new CListGrid(10, 2, this)) {
    m_pGrid->setProperty("controlId", 1022);
    CCellEditor* editor = m_pGrid->Editor();
    editor->SetUpperCase(true);
    editor->SetCharset(ECharset::kDtmf);
    editor->setMaxLength(16);
    editor->SetKeyFilter(EKeyFilter::DtmfCallList);
    m_pGrid->SetListColor(ListGridColor());
    m_pGrid->SetHeadings({tr("Num"), tr("Fast Call List")});
    m_pGrid->NumberRows();
    const int width = m_pGrid->ColWidth(0);
    m_pGrid->SetColWidth(0, static_cast<int>(width * 0.8));
    m_pGrid->SetColWidth(1, static_cast<int>(width * 2.3));
    m_pGrid->SetColAlignment(0, Qt::AlignCenter);
    m_pGrid->SetColAlignment(1, Qt::AlignCenter);
    m_pGrid->setMinimumSize(m_pGrid->sizeHint());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pGrid);
}

void CDtmfCallListPage::Load(const CProgramDoc& doc) {
    for (int n = 1; n <= 9; ++n) {
        const std::string key = "dtmf.call." + FormatInt(n);
        m_pGrid->SetTextMatrix(n, 1, LoadText(key.c_str(), doc.m_image, {}));
    }
    m_pGrid->SetColumnFont(1, QStringLiteral("Courier"));
}

void CDtmfCallListPage::Store(CProgramDoc& doc) {
    m_pGrid->CommitEditor();
    for (int n = 1; n <= 9; ++n) {
        const std::string key = "dtmf.call." + FormatInt(n);
        StoreText(key.c_str(), doc.m_image, m_pGrid->TextMatrix(n, 1));
    }
}

// --- Dialog ---

CDtmfDlg::CDtmfDlg(CDtmfDocumentFinder findDocument, QWidget* parent)
    : CHelpDialog(parent), m_findDocument(std::move(findDocument)), m_pTabs(new QTabWidget(this)) {
    setWindowTitle(tr("DTMF"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    m_pTabs->setProperty("controlId", 1036);
    m_pTabs->setStyleSheet(QStringLiteral("QTabBar::tab { min-width: 60px; }"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pTabs);
}

int CDtmfDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool CDtmfDlg::OnInitDialog() {
    if (!m_findDocument || m_findDocument() == nullptr) {
        return false;
    }
    // Fresh pages each time: they are hidden now, so deleting them stores nothing.
    while (m_pTabs->count() > 0) {
        QWidget* page = m_pTabs->widget(0);
        m_pTabs->removeTab(0);
        page->hide();
        delete page;
    }
    m_pEncode = new CDtmfEncodePage(m_findDocument, m_pTabs);
    m_pDecode = new CDtmfDecodePage(m_findDocument, m_pTabs);
    m_pCallList = new CDtmfCallListPage(m_findDocument, m_pTabs);
    m_pTabs->addTab(m_pEncode, tr("Encode"));
    m_pTabs->addTab(m_pDecode, tr("Decode"));
    m_pTabs->addTab(m_pCallList, tr("CallList"));
    m_pTabs->setCurrentIndex(0);
    WatchChildrenForHelp();
    return true;
}

QWidget* CDtmfDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CDtmfDlg::HelpContext() const {
    // The controls' numbers are shared with other windows; the help has one DTMF section.
    return ID_EDIT_DTMF;
}
