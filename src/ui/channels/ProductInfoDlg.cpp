#include "ui/channels/ProductInfoDlg.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "channels/ProductInfo.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/UiGlobals.h"

namespace {
constexpr int kBandIds[4] = {1113, 1114, 1115, 1116};
}

CProductInfoDlg::CProductInfoDlg(CDocumentFinder findDocument, QWidget* parent)
    : CHelpDialog(parent), m_findDocument(std::move(findDocument)) {
    setWindowTitle(tr("Product Information"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    auto* box = new QGroupBox(tr("Model Info"), this);
    auto* grid = new QGridLayout(box);
    m_pModel = new QComboBox(box);
    m_pModel->setProperty("controlId", 1013);
    m_pModel->setMinimumContentsLength(12);
    grid->addWidget(new QLabel(tr("Model"), box), 0, 0);
    grid->addWidget(m_pModel, 0, 1, 1, 3);
    grid->addWidget(new QLabel(tr("Field"), box), 1, 0);
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this);
    for (int i = 0; i < 4; ++i) {
        m_pBands[i] = new QLineEdit(box);
        m_pBands[i]->setValidator(digits);
        m_pBands[i]->setProperty("controlId", kBandIds[i]);
        m_pBands[i]->setAlignment(Qt::AlignCenter);
        const int row = 1 + i / 2;
        grid->addWidget(m_pBands[i], row, i % 2 == 0 ? 1 : 3);
        if (i % 2 == 0) {
            grid->addWidget(new QLabel(tr("——"), box), row, 2);
        }
    }

    auto* ok = new QPushButton(tr("OK"), this);
    auto* cancel = new QPushButton(tr("Cancel"), this);
    ok->setDefault(true);
    ok->setProperty("controlId", 1);
    cancel->setProperty("controlId", 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(box);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &CProductInfoDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    WatchChildrenForHelp();
}

QWidget* CProductInfoDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->property("controlId").toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CProductInfoDlg::DoModal() {
    if (!OnInitDialog()) {
        return Rejected;
    }
    return exec();
}

bool CProductInfoDlg::OnInitDialog() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc == nullptr) {
        return false;
    }
    const CProductInfoView view = OpenProductInfo(*doc, g_iniFile, &ProgramUserValues());
    m_pModel->clear();
    for (const std::string& model : view.m_models) {
        m_pModel->addItem(FromIniText(model));
    }
    m_pModel->setCurrentIndex(view.m_selection);
    const int mhz[4] = {view.m_bands.m_band1Low, view.m_bands.m_band1High, view.m_bands.m_band2Low,
                        view.m_bands.m_band2High};
    for (int i = 0; i < 4; ++i) {
        m_pBands[i]->setText(QString::number(mhz[i]));
    }
    m_pModel->setFocus();
    return true;
}

void CProductInfoDlg::OnOK() {
    CProgramDoc* doc = m_findDocument ? m_findDocument() : nullptr;
    if (doc == nullptr) {
        reject();
        return;
    }
    CProductInfoInput input;
    input.m_selection = m_pModel->currentIndex();
    input.m_band1Low = m_pBands[0]->text().toStdString();
    input.m_band1High = m_pBands[1]->text().toStdString();
    input.m_band2Low = m_pBands[2]->text().toStdString();
    input.m_band2High = m_pBands[3]->text().toStdString();
    if (const auto applied = ApplyProductInfo(input, *doc, &ProgramUserValues()); !applied) {
        // A plain box: the system's own caption, no icon.
        CPrompt prompt;
        prompt.m_text = applied.error().Text(g_bChinese);
        prompt.m_caption = tr("Error").toStdString();
        prompt.m_buttons = EPromptButtons::Ok;
        Prompter().Ask(prompt);
        return;
    }
    accept();
}

int CProductInfoDlg::HelpContext() const {
    const QWidget* focus = focusWidget();
    if (focus == nullptr || !isAncestorOf(focus)) {
        return 135;
    }
    return focus->property("controlId").toInt();
}
