#include "ui/editors/MskDlg.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "editors/EditorRules.h"
#include "editors/SettingsFields.h"
#include "image/ProgramDoc.h"
#include "ui/app/Commands.h"
#include "ui/editors/ListGrid.h"

namespace {

// msk.id, then msk.call.1 .. msk.call.9.
std::vector<const CField*> MskFields() {
    return PageFields(EPage::kMsk);
}

}  // namespace

CMskDlg::CMskDlg(CDocumentFinder findDocument, QWidget* parent)
    : CHelpDialog(parent),
      m_findDocument(std::move(findDocument)),
      m_pIdCode(new QLineEdit(this)),
      m_pGrid(new CListGrid(10, 2, this)) {
    setWindowTitle(tr("MSK"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_pIdCode->setProperty("controlId", 1048);
    m_pIdCode->setMaxLength(4);
    m_pIdCode->setValidator(new CFieldTextValidator(true, ECharset::kHex, m_pIdCode));
    m_pIdCode->installEventFilter(this);

    m_pGrid->setProperty("controlId", 1349);
    CCellEditor* editor = m_pGrid->Editor();
    editor->SetUpperCase(true);
    editor->SetCharset(ECharset::kHex);
    editor->setMaxLength(4);
    editor->SetKeyFilter(EKeyFilter::Msk);
    m_pGrid->SetListColor(ListGridColor());
    m_pGrid->SetHeadings({tr("Num"), tr("Call List")});
    m_pGrid->NumberRows();
    // Wider on wider screens, as the grid's first column was laid out for 1024 pixels.
    const QScreen* screen = this->screen();
    const double scale = screen != nullptr ? screen->geometry().width() / 1024.0 : 1.0;
    const int width = static_cast<int>(m_pGrid->ColWidth(0) * scale);
    m_pGrid->SetColWidth(0, static_cast<int>(width * 0.8));
    m_pGrid->SetColWidth(1, static_cast<int>(width * 1.43));
    m_pGrid->SetColAlignment(0, Qt::AlignCenter);
    m_pGrid->SetColAlignment(1, Qt::AlignCenter);
    m_pGrid->setMinimumSize(m_pGrid->sizeHint());

    auto* id = new QHBoxLayout;
    id->addWidget(new QLabel(tr("ID Code"), this));
    id->addWidget(m_pIdCode, 1);
    auto* box = new QGroupBox(tr("Call List"), this);
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(m_pGrid);
    auto* ok = new QPushButton(tr("OK"), this);
    ok->setProperty("controlId", 1);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    cancel->setProperty("controlId", 2);
    // Enter in the cell editor must not close the dialog before the user means it.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(id);
    layout->addWidget(box, 1);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, &CMskDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CMskDlg::reject);
    WatchChildrenForHelp();
}

int CMskDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool CMskDlg::OnInitDialog() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc == nullptr) {
        return false;
    }
    m_pGrid->Editor()->hide();
    const auto fields = MskFields();
    m_pIdCode->setText(QString::fromStdString(LoadField(*fields[0], doc->m_image, {})));
    for (int n = 1; n < static_cast<int>(fields.size()) && n < 10; ++n) {
        m_pGrid->SetTextMatrix(n, 1,
                               QString::fromStdString(LoadField(*fields[n], doc->m_image, {})));
    }
    m_pGrid->SetColumnFont(1, QStringLiteral("Courier"));
    m_pIdCode->setFocus(Qt::OtherFocusReason);
    return true;
}

void CMskDlg::OnOK() {
    m_pGrid->CommitEditor();
    if (CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr) {
        const auto fields = MskFields();
        StoreField(*fields[0], doc->m_image, m_pIdCode->text().toStdString());
        for (int n = 1; n < static_cast<int>(fields.size()) && n < 10; ++n) {
            StoreField(*fields[n], doc->m_image, m_pGrid->TextMatrix(n, 1).toStdString());
        }
    }
    accept();
}

bool CMskDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_pIdCode) {
        if (event->type() == QEvent::FocusIn) {
            m_pGrid->CommitEditor();
        } else if (event->type() == QEvent::KeyPress &&
                   SwallowListKey(EKeyFilter::Msk, static_cast<QKeyEvent*>(event))) {
            return true;
        }
    }
    return CHelpDialog::eventFilter(watched, event);
}

QWidget* CMskDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CMskDlg::HelpContext() const {
    // The controls' numbers are shared with other windows; the help has one MSK section.
    return ID_EDIT_MSK;
}
