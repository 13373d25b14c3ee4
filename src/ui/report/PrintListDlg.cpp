#include "ui/report/PrintListDlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/Commands.h"

namespace {

const char* const kBoxTexts[kSectionCount] = {
    QT_TRANSLATE_NOOP("CPrintListDlg", "DTMF"),
    QT_TRANSLATE_NOOP("CPrintListDlg", "MSK"),
    QT_TRANSLATE_NOOP("CPrintListDlg", "Optional"),
    QT_TRANSLATE_NOOP("CPrintListDlg", "2-Tone"),
    QT_TRANSLATE_NOOP("CPrintListDlg", "Channel Info"),
};

}  // namespace

CPrintListDlg::CPrintListDlg(const std::array<int, kSectionCount>& pageCounts, QWidget* parent)
    : CHelpDialog(parent), m_pageCounts(pageCounts), m_selection(DefaultReportSelection()) {
    setWindowTitle(tr("PrintList"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setProperty("controlId", kTemplateId);
    setFont(QFont(QStringLiteral("Times New Roman"), 10));

    // The sections with their page counts beside them, and what the ticks add up to.
    auto* sections = new QGridLayout;
    auto* pagesHeading = new QLabel(tr("Pages"), this);
    pagesHeading->setAlignment(Qt::AlignRight);
    sections->addWidget(pagesHeading, 0, 1);
    for (int s = 0; s < kSectionCount; ++s) {
        m_pBoxes[s] = new QCheckBox(tr(kBoxTexts[s]), this);
        m_pBoxes[s]->setProperty("controlId", kBoxIds[s]);
        m_pBoxes[s]->setChecked(m_selection[s]);
        connect(m_pBoxes[s], &QCheckBox::toggled, this, &CPrintListDlg::UpdateTotal);
        auto* count = new QLabel(QString::number(m_pageCounts[s]), this);
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        sections->addWidget(m_pBoxes[s], s + 1, 0);
        sections->addWidget(count, s + 1, 1);
    }
    m_pTotal = new QLabel(this);
    m_pTotal->setProperty("controlId", 0);
    sections->addWidget(m_pTotal, kSectionCount + 1, 0, 1, 2);
    sections->setColumnMinimumWidth(1, 40);

    auto makeButton = [this](const QString& text, int id) {
        auto* button = new QPushButton(text, this);
        button->setProperty("controlId", id);
        return button;
    };
    QPushButton* ok = makeButton(tr("OK"), 1);
    ok->setDefault(true);
    QPushButton* cancel = makeButton(tr("Cancel"), 2);
    QPushButton* selectAll = makeButton(tr("Select All"), kSelectAllId);
    QPushButton* clearAll = makeButton(tr("Clear All"), kClearAllId);
    connect(ok, &QPushButton::clicked, this, &CPrintListDlg::OnOK);
    connect(cancel, &QPushButton::clicked, this, &CPrintListDlg::reject);
    connect(selectAll, &QPushButton::clicked, this, [this] { SetAll(true); });
    connect(clearAll, &QPushButton::clicked, this, [this] { SetAll(false); });

    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, cancel, selectAll, clearAll}) {
        buttons->addWidget(button);
    }
    buttons->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(sections);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    UpdateTotal();
    WatchChildrenForHelp();
}

QWidget* CPrintListDlg::Control(int id) const {
    for (QWidget* child : findChildren<QWidget*>()) {
        const QVariant controlId = child->property("controlId");
        if (controlId.isValid() && controlId.toInt() == id) {
            return child;
        }
    }
    return nullptr;
}

int CPrintListDlg::TickedPages() const {
    int pages = 0;
    for (int s = 0; s < kSectionCount; ++s) {
        pages += m_pBoxes[s]->isChecked() ? m_pageCounts[s] : 0;
    }
    return pages;
}

void CPrintListDlg::SetAll(bool checked) {
    for (QCheckBox* box : m_pBoxes) {
        box->setChecked(checked);
    }
}

void CPrintListDlg::UpdateTotal() {
    m_pTotal->setText(tr("Pages to print: %1").arg(TickedPages()));
}

void CPrintListDlg::OnOK() {
    for (int s = 0; s < kSectionCount; ++s) {
        m_selection[s] = m_pBoxes[s]->isChecked();
    }
    accept();
}

int CPrintListDlg::HelpContext() const {
    return ID_FILE_PRINT;
}
