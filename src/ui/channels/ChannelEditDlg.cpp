#include "ui/channels/ChannelEditDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QVBoxLayout>

#include "image/ProgramDoc.h"
#include "settings/Language.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ProgramView.h"

namespace {

constexpr CText kTwoToneCaption{"Optional Signal(2-Tone)", "可选信号(2-Tone)"};
constexpr CText kMskCaption{"Optional Signal(MSK)", "可选信号 (MSK)"};
constexpr int kMskHelp = 2025;
constexpr int kTwoToneHelp = 2026;

void SetId(QWidget* widget, int id) {
    widget->setProperty("controlId", id);
}

// Hidden controls keep their place, so the dialog does not jump when the signal changes.
void KeepPlace(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

}  // namespace

CSpinButton::CSpinButton(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    m_pUp = new QToolButton(this);
    m_pDown = new QToolButton(this);
    m_pUp->setArrowType(Qt::UpArrow);
    m_pDown->setArrowType(Qt::DownArrow);
    for (QToolButton* button : {m_pUp, m_pDown}) {
        // A step does not take the focus from the edit beside it.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoRepeat(true);
        button->setFixedSize(18, 12);
        layout->addWidget(button);
    }
    connect(m_pUp, &QToolButton::clicked, this, [this] { emit Delta(1); });
    connect(m_pDown, &QToolButton::clicked, this, [this] { emit Delta(-1); });
}

CChannelEditDlg::CChannelEditDlg(CProgramView& view, int row, QWidget* parent)
    : CHelpDialog(parent), m_view(view), m_nRow(row) {
    setWindowTitle(tr("Channel Edit"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* top = new QGridLayout;
    m_pChannel = new QLineEdit(this);
    m_pChannel->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    m_pChannel->setMaxLength(4);
    m_pChannelSpin = new CSpinButton(this);
    m_pSignal = new QLineEdit(this);
    m_pSignal->setReadOnly(true);
    top->addWidget(new QLabel(tr("Channel"), this), 0, 0);
    top->addWidget(m_pChannel, 0, 1);
    top->addWidget(m_pChannelSpin, 0, 2);
    top->addWidget(new QLabel(tr("Optional Signal"), this), 1, 0);
    top->addWidget(m_pSignal, 1, 1);

    // The list stands over the signal edit only while it has the focus.
    m_pSignalList = new QComboBox(this);
    m_pSignalList->hide();

    m_pGroup = new QGroupBox(this);
    auto* group = new QGridLayout(m_pGroup);
    m_pEncodeLabel = new QLabel(tr("Encode"), m_pGroup);
    m_pEncode = new QLineEdit(m_pGroup);
    m_pEncodeSpin = new CSpinButton(m_pGroup);
    m_pDecodeLabel = new QLabel(tr("Decode"), m_pGroup);
    m_pDecode = new QLineEdit(m_pGroup);
    m_pDecodeSpin = new CSpinButton(m_pGroup);
    m_pEncode->setMaxLength(4);
    m_pDecode->setMaxLength(4);
    group->addWidget(m_pEncodeLabel, 0, 0);
    group->addWidget(m_pEncode, 0, 1);
    group->addWidget(m_pEncodeSpin, 0, 2);
    group->addWidget(m_pDecodeLabel, 1, 0);
    group->addWidget(m_pDecode, 1, 1);
    group->addWidget(m_pDecodeSpin, 1, 2);
    for (QWidget* widget :
         std::initializer_list<QWidget*>{m_pGroup, m_pEncodeLabel, m_pEncode, m_pEncodeSpin,
                                         m_pDecodeLabel, m_pDecode, m_pDecodeSpin}) {
        KeepPlace(widget);
    }

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    m_pOk = ok;
    m_pCancel = cancel;
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_pGroup);
    layout->addLayout(buttons);

    SetId(m_pChannel, 1023);
    SetId(m_pChannelSpin, 1031);
    SetId(m_pSignal, 1024);
    SetId(m_pSignalList, 1137);
    SetId(m_pGroup, 1028);
    SetId(m_pEncodeLabel, 1277);
    SetId(m_pEncode, 1025);
    SetId(m_pEncodeSpin, 1032);
    SetId(m_pDecodeLabel, 1278);
    SetId(m_pDecode, 1026);
    SetId(m_pDecodeSpin, 1033);
    SetId(ok, 1);
    SetId(cancel, 2);

    connect(m_pChannel, &QLineEdit::textEdited, this, &CChannelEditDlg::OnChannelTyped);
    connect(m_pChannelSpin, &CSpinButton::Delta, this, &CChannelEditDlg::OnChannelSpin);
    connect(m_pSignalList, &QComboBox::activated, this, &CChannelEditDlg::OnSignalChosen);
    connect(m_pEncodeSpin, &CSpinButton::Delta, this, [this](int delta) {
        m_pEncode->setText(QString::fromStdString(
            StepEncode(m_state.m_entry, m_pEncode->text().toStdString(), delta, g_bChinese)));
    });
    connect(m_pDecodeSpin, &CSpinButton::Delta, this, [this](int delta) {
        m_pDecode->setText(QString::fromStdString(
            StepDecode(m_state.m_entry, m_pDecode->text().toStdString(), delta, g_bChinese)));
    });
    connect(ok, &QPushButton::clicked, this, &CChannelEditDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    // F1 and the focus changes of the signal box, the number edits reach the dialog first.
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

QWidget* CChannelEditDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CChannelEditDlg::DoModal() {
    OnInitDialog();
    return exec();
}

void CChannelEditDlg::OnInitDialog() {
    m_pSignalList->clear();
    for (const std::string& entry : SignalEntries(g_bChinese)) {
        m_pSignalList->addItem(QString::fromStdString(entry));
    }
    m_state = LoadChannelEdit(m_view.GetDocument().m_image, RowToChannelNumber(m_nRow), g_bChinese);
    m_pSignal->setEnabled(m_state.m_signalEnabled);
    ShowSignal();
}

void CChannelEditDlg::ShowState() {
    const int entry = m_state.m_entry;
    const bool encode = ShowsEncode(entry);
    const bool decode = ShowsDecode(entry);
    m_pGroup->setTitle(entry == kSignal2Tone ? Tr(kTwoToneCaption) : Tr(kMskCaption));
    m_pGroup->setVisible(encode);
    m_pEncodeLabel->setVisible(encode);
    m_pEncode->setVisible(encode);
    m_pEncodeSpin->setVisible(encode);
    m_pDecodeLabel->setVisible(decode);
    m_pDecode->setVisible(decode);
    m_pDecodeSpin->setVisible(decode);
    m_pChannel->setText(QString::number(m_state.m_number));
    m_pEncode->setText(QString::fromStdString(m_state.m_encodeText));
    m_pDecode->setText(QString::fromStdString(m_state.m_decodeText));
    const auto& entries = SignalEntries(g_bChinese);
    m_pSignal->setText(entry >= 0 ? QString::fromStdString(entries[entry]) : QString());
    m_pSignalList->setCurrentIndex(entry);
}

void CChannelEditDlg::ShowSignal() {
    SelectSignal(m_state, m_state.m_entry, m_view.GetDocument(), nullptr, &ProgramUserValues(),
                 g_bChinese);
    ShowState();
    // The grid shows the new optional signal at once.
    m_view.FillGrid();
}

void CChannelEditDlg::OnSignalChosen(int index) {
    m_state.m_entry = index;
    ShowSignal();
}

void CChannelEditDlg::ShowSignalList() {
    const QRect edit = m_pSignal->geometry();
    m_pSignalList->setGeometry(edit.x(), edit.y(), edit.width() + 1, edit.height());
    m_pSignalList->setCurrentIndex(
        SelectEntry(SignalEntries(g_bChinese), m_pSignal->text().toStdString()));
    m_pSignalList->show();
    m_pSignalList->raise();
    m_pSignalList->setFocus(Qt::OtherFocusReason);
    m_pSignal->hide();
}

void CChannelEditDlg::HideSignalList() {
    m_pSignalList->hide();
    m_pSignal->setText(m_pSignalList->currentText());
    m_pSignal->show();
}

void CChannelEditDlg::ReadNumbers() {
    // A number typed beyond its range is cut also when OK or a change of channel comes before
    // the edit has lost the focus, so the byte never takes a number the radio has no entry for.
    m_state.m_encodeText =
        ClampEncode(m_state.m_entry, m_pEncode->text().toStdString(), g_bChinese);
    m_state.m_decodeText =
        ClampDecode(m_state.m_entry, m_pDecode->text().toStdString(), g_bChinese);
}

void CChannelEditDlg::ChangeTo(int number) {
    ReadNumbers();
    if (auto changed =
            ChangeChannel(m_state, number, m_view.GetDocument(), m_view.Table(), g_bChinese);
        !changed) {
        Ask(Tr(changed.error()));
        m_pChannel->setText(QString::number(m_state.m_number));
        m_pChannel->setFocus();
        m_pChannel->selectAll();
        return;
    }
    m_pSignal->setEnabled(m_state.m_signalEnabled);
    ShowSignal();
}

void CChannelEditDlg::OnChannelTyped(const QString& text) {
    if (text.isEmpty()) {
        return;  // still typing
    }
    ChangeTo(text.toInt());
}

void CChannelEditDlg::OnChannelSpin(int delta) {
    ChangeTo(StepChannelNumber(m_state.m_number, delta));
}

void CChannelEditDlg::OnOK() {
    ReadNumbers();
    ApplyChannelEditOk(m_state, m_view.GetDocument().m_image);
    accept();
}

int CChannelEditDlg::HelpContext() const {
    const QWidget* focus = focusWidget();
    if (focus == nullptr || !isAncestorOf(focus)) {
        return 138;
    }
    if (focus == m_pEncode || focus == m_pDecode) {
        const int entry = SignalEntryFromText(m_pSignal->text().toStdString());
        if (entry == kSignalMsk) {
            return kMskHelp;
        }
        if (entry == kSignal2Tone) {
            return kTwoToneHelp;
        }
    }
    return focus->property("controlId").toInt();
}

bool CChannelEditDlg::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress: {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_F1) {
                ShowHelp(HelpContext());
                return true;
            }
            // The arrow keys in a number edit step its spin.
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                CSpinButton* spin = watched == m_pChannel  ? m_pChannelSpin
                                    : watched == m_pEncode ? m_pEncodeSpin
                                    : watched == m_pDecode ? m_pDecodeSpin
                                                           : nullptr;
                if (spin != nullptr) {
                    spin->Step(key == Qt::Key_Up ? 1 : -1);
                    return true;
                }
            }
            break;
        }
        case QEvent::FocusIn:
            if (watched == m_pSignal) {
                ShowSignalList();
            }
            break;
        case QEvent::FocusOut: {
            // Opening its own drop-down is no loss of focus for the list.
            if (static_cast<QFocusEvent*>(event)->reason() == Qt::PopupFocusReason) {
                break;
            }
            if (watched == m_pSignalList && m_pSignalList->isVisible()) {
                HideSignalList();
            } else if (watched == m_pEncode) {
                m_pEncode->setText(QString::fromStdString(
                    ClampEncode(m_state.m_entry, m_pEncode->text().toStdString(), g_bChinese)));
            } else if (watched == m_pDecode) {
                m_pDecode->setText(QString::fromStdString(
                    ClampDecode(m_state.m_entry, m_pDecode->text().toStdString(), g_bChinese)));
            }
            break;
        }
        default:
            break;
    }
    return CHelpDialog::eventFilter(watched, event);
}
