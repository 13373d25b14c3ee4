#include "ui/app/TextListDlg.h"

#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/app/UiGlobals.h"

CTextListDlg::CTextListDlg(const QString& heading, const QStringList& lines, QWidget* parent)
    : QDialog(parent), m_pList(new QPlainTextEdit(this)) {
    setWindowTitle(g_strAppTitle);
    auto* text = new QLabel(heading, this);
    text->setWordWrap(true);
    m_pList->setReadOnly(true);
    m_pList->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pList->setPlainText(lines.join(QLatin1Char('\n')));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    QPushButton* copy = buttons->addButton(tr("&Copy"), QDialogButtonBox::ActionRole);
    connect(copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_pList->toPlainText()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(m_pList);
    layout->addWidget(buttons);
}
