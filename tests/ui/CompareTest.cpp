// Tools > Compare with File: the document as on screen against a chosen .dat.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "ui/ChannelGridInput.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/CellEditors.h"
#include "ui/channels/CompareCommands.h"
#include "ui/channels/ProgramView.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language + "\r\nAppName=Compare Test\r\n") {}
};

CMemoryImage OneChannel() {
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::uint8_t record[] = {0x00, 0x25, 0x60, 0x14, 0x00, 0x25, 0x60, 0x14,
                                   0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x38, 0,    0,
                                   'O',  'L',  'D',  0xFF, 0xFF, 0xFF, 0xFF};
    std::copy(std::begin(record), std::end(record), image.m_bytes.begin());
    return image;
}

}  // namespace

class CCompareTest : public QObject {
    Q_OBJECT

    CScriptedPrompter m_prompter;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;
    CMainFrame* m_frame = nullptr;
    CProgramView* m_view = nullptr;
    QString m_chosen;

private slots:
    void initTestCase() {
        SetPrompter(&m_prompter);
        SetFileChoosers([this](QWidget*) { return m_chosen; },
                        [this](QWidget*, const QString&) { return m_chosen; });
    }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
            m_app.reset();
        }
    }
    void cleanupTestCase() {
        SetPrompter(nullptr);
        SetFileChoosers({}, {});
    }

    void compareWithFile_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("same");
        QTest::newRow("English") << QByteArray("English")
                                 << QStringLiteral("channel 1 Chnnel Name: OLDX -> OLD")
                                 << QStringLiteral("The documents are the same.");
        QTest::newRow("Chinese") << QByteArray("Chinese")
                                 << QString::fromUtf8("信道 1 信道名字: OLDX -> OLD")
                                 << QString::fromUtf8("两个文档相同。");
    }
    void compareWithFile() {
        QFETCH(QByteArray, language);
        QFETCH(QString, line);
        QFETCH(QString, same);
        m_dir = std::make_unique<CAppDir>(language);
        m_frame = StartOnImage(m_app, *m_dir, OneChannel());
        QVERIFY(m_frame != nullptr);
        m_view = m_frame->ActiveChild()->View();
        m_prompter.m_asked.clear();
        m_chosen = m_dir->Path("other.dat");
        // The file holds the document as stored: a store fills the empty rows' mode bytes.
        m_view->StoreGrid();
        const CMemoryImage stored = m_view->GetDocument().m_image;
        QVERIFY(SaveDatFile(m_chosen.toStdString(), stored).has_value());

        // A name typed but not committed is what is compared.
        ClickCell(m_view, 1, kColName);
        QLineEdit* name = m_view->Editors()->NameEdit();
        QTest::keyClick(name, Qt::Key_End);
        QTest::keyClicks(name, "X");
        QString list;
        QVERIFY(OnModal<CCompareDlg>([&] { QVERIFY(m_frame->OnCommand(ID_TOOLS_COMPARE_FILE)); },
                                     [&](CCompareDlg* dialog) {
                                         QVERIFY(dialog->List()->isReadOnly());
                                         list = dialog->List()->toPlainText();
                                         for (auto* button : dialog->findChildren<QPushButton*>()) {
                                             if (button->text().contains("C")) {
                                                 button->click();
                                             }
                                         }
                                         dialog->accept();
                                     }));
        QCOMPARE(list, line);
        QCOMPARE(QApplication::clipboard()->text(), line);
        QVERIFY(m_prompter.m_asked.isEmpty());

        // Equal documents: said so, no list.
        m_view->Grid()->SetTextMatrix(1, kColName, "OLD");
        int dialogs = 0;
        OnModals([&] { QVERIFY(m_frame->OnCommand(ID_TOOLS_COMPARE_FILE)); }, {}, &dialogs);
        QCOMPARE(dialogs, 0);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(QString::fromStdString(m_prompter.m_asked[0].m_text), same);

        // An unreadable file is reported, the document untouched.
        m_prompter.m_asked.clear();
        m_chosen = m_dir->Path("missing.dat");
        QVERIFY(m_frame->OnCommand(ID_TOOLS_COMPARE_FILE));
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QVERIFY(m_view->GetDocument().m_image == stored);
    }
};

QTEST_MAIN(CCompareTest)
#include "CompareTest.moc"
