#include <sys/mount.h>
#include <sys/resource.h>
#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QTreeWidget>
#include <csignal>
#include <functional>
#include <memory>

#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "settings/IniFile.h"
#include "settings/Messages.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/LanguageDlg.h"
#include "ui/app/MainFrame.h"
#include "ui/app/MdiClient.h"
#include "ui/app/NavigationBar.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/QtUserValues.h"
#include "ui/app/SplashWnd.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/DocumentHistory.h"
#include "ui/channels/FlexGrid.h"
#include "ui/channels/ProgramView.h"

namespace {

// "通信" in GBK, as Program.ini keeps it.
const char kGbkCompany[] = "Vornex \xCD\xA8\xD0\xC5";

// A program folder of its own: Program.ini, the language packs, help pages and, on request,
// the pictures.
class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language, bool pictures = false,
                     const QByteArray& extraEnglish = "Version=Version 9\r\n")
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                             "\r\nAppName=Test Programmer\r\n[English]\r\n"
                             "Company=Vornex Communications\r\nAbout Title=About LH-740\r\n" +
                             extraEnglish + "Copyrights=Copyright 2026\r\n[Chinese]\r\nCompany=" +
                             QByteArray(kGbkCompany) + "\r\n",
                         pictures) {}
};

std::unique_ptr<CProgramApp> Start(const CAppDir& dir, const QStringList& arguments = {},
                                   int splashPause = 0) {
    auto app = std::make_unique<CProgramApp>();
    app->SetAppDir(dir.Dir());
    app->SetSplashPause(splashPause);
    if (!app->InitInstance(arguments)) {
        app->ExitInstance();
        return nullptr;
    }
    return app;
}

void WriteImage(const QString& path, const CMemoryImage& image, int size = kImageSize) {
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(reinterpret_cast<const char*>(image.m_bytes.data()), size);
}

// A document whose channel 1 receives and sends on 146.02500 MHz, and whose channel 2 has only
// a receive frequency (which leaves it empty).
CMemoryImage ImageWithChannels() {
    CMemoryImage image = CMemoryImage::NewDocument();
    const std::uint8_t bcd[4] = {0x00, 0x25, 0x60, 0x14};
    for (int i = 0; i < 4; ++i) {
        image.m_bytes[i] = bcd[i];
        image.m_bytes[4 + i] = bcd[i];
        image.m_bytes[24 + i] = bcd[i];
    }
    return image;
}

QStringList MenuTitles(CMainFrame* frame) {
    QStringList titles;
    for (QAction* action : frame->menuBar()->actions()) {
        titles << action->text();
    }
    return titles;
}

QStringList TreeTexts(CNavigationBar* bar) {
    QStringList texts;
    QTreeWidgetItem* root = bar->Root();
    texts << root->text(0);
    for (int i = 0; i < root->childCount(); ++i) {
        texts << root->child(i)->text(0);
    }
    return texts;
}

// Clicks a tree item with the mouse cursor standing on it, as a user does.
void ClickTreeItem(QTreeWidget* tree, QTreeWidgetItem* item) {
    const QPoint pos = tree->visualItemRect(item).center();
    QCursor::setPos(tree->viewport()->mapToGlobal(pos));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pos);
}

// Lets a test look at every event the application delivers.
class CEventWatch : public QObject {
public:
    explicit CEventWatch(std::function<void(QObject*, QEvent*)> look) : m_look(std::move(look)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        m_look(watched, event);
        return false;
    }

private:
    std::function<void(QObject*, QEvent*)> m_look;
};

// A folder whose disk fills up on request: a small file system of its own where the system
// lets the test mount one, else a file-size limit, which refuses bytes the same way.
class CFillingDisk {
public:
    explicit CFillingDisk(const QString& folder) : m_folder(folder) {
        m_bMounted = ::mount("lh740-test", folder.toUtf8().constData(), "tmpfs",
                             MS_NOSUID | MS_NODEV, "size=64k,mode=0700") == 0;
    }
    ~CFillingDisk() {
        Unfill();
        if (m_bMounted) {
            ::umount2(m_folder.toUtf8().constData(), MNT_DETACH);
        }
    }
    void Fill() {
        if (!m_bMounted) {
            std::signal(SIGXFSZ, SIG_IGN);
            ::getrlimit(RLIMIT_FSIZE, &m_limit);
            const rlimit small{4096, m_limit.rlim_max};
            ::setrlimit(RLIMIT_FSIZE, &small);
            m_bLimited = true;
            return;
        }
        QFile filler(m_folder + "/filler");
        filler.open(QIODevice::WriteOnly);
        const QByteArray block(1024, 'f');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }
    void Unfill() {
        if (m_bLimited) {
            ::setrlimit(RLIMIT_FSIZE, &m_limit);
            m_bLimited = false;
        }
        QFile::remove(m_folder + "/filler");
    }
    // What the system says when the bytes are refused.
    QString Reason() const { return m_bMounted ? "No space left on device" : "File too large"; }

private:
    QString m_folder;
    bool m_bMounted = false;
    bool m_bLimited = false;
    rlimit m_limit{};
};

}  // namespace

class CUiTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void init() {
        m_prompter.m_asked.clear();
        m_prompter.m_answers.clear();
        SetLauncher({});
        SetFileChoosers({}, {});
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void startWithoutLanguagePack_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("removePacks");
        QTest::addColumn<QString>("message");
        QTest::newRow("pack missing") << QByteArray("English") << true << "Load language DLL fail";
        QTest::newRow("Chinese pack missing")
            << QByteArray("Chinese") << true << QString::fromUtf8("加载语言链接库失败");
        QTest::newRow("no language") << QByteArray("") << false << "Load language DLL fail";
        // The comment's blank stays in the value, so the pack "Chinese .qm" is asked for.
        QTest::newRow("blank before comment")
            << QByteArray("Chinese //x") << false << "Load language DLL fail";
        QTest::newRow("no pack in any letter case")
            << QByteArray("Klingon") << false << "Load language DLL fail";
    }
    void startWithoutLanguagePack() {
        QFETCH(QByteArray, language);
        QFETCH(bool, removePacks);
        QFETCH(QString, message);
        CAppDir dir(language);
        if (removePacks) {
            QFile::remove(dir.Path("English.qm"));
            QFile::remove(dir.Path("Chinese.qm"));
        }
        auto app = Start(dir);
        QVERIFY(app == nullptr);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(QString::fromStdString(m_prompter.m_asked[0].m_text), message);
        QCOMPARE(m_prompter.m_asked[0].m_buttons, EPromptButtons::Ok);
    }

    void languagePackFoundIgnoringLetterCase_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("fileMenu");
        // Only "Chinese" as written switches the texts built in code; the pack follows the name.
        QTest::newRow("chinese") << QByteArray("chinese") << QString::fromUtf8("文件(&F)");
        QTest::newRow("ENGLISH") << QByteArray("ENGLISH") << QString("&File");
    }
    void languagePackFoundIgnoringLetterCase() {
        QFETCH(QByteArray, language);
        QFETCH(QString, fileMenu);
        CAppDir dir(language);
        auto app = Start(dir);
        QVERIFY(app != nullptr);
        QVERIFY(m_prompter.m_asked.isEmpty());
        QCOMPARE(MenuTitles(app->MainFrame()).value(0), fileMenu);
        QVERIFY(!g_bChinese);
        QCOMPARE(g_strHelpFile, QString("enHelp"));
        app->ExitInstance();
    }

    void startInEitherLanguage_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("menus");
        QTest::addColumn<QStringList>("tree");
        QTest::addColumn<QString>("helpFolder");
        QTest::addColumn<QString>("ready");
        QTest::addColumn<QString>("dataCleared");
        QTest::addColumn<QStringList>(
            "qtTexts");  // OK, Cancel, Retry, the file dialog's "Look in:"
        QTest::newRow("English") << QByteArray("English") << "Vornex LH-740 Program Software"
                                 << QStringList{"&File",  "&Edit", "&Program", "Setup",
                                                "&Tools", "&View", "&Help"}
                                 << QStringList{"Vornex Communications",
                                                "Product Information",
                                                "Channel Information",
                                                "Optional Features",
                                                "DTMF",
                                                "2-Tone",
                                                "MSK",
                                                "Key Assignment",
                                                "Squelch Tuning"}
                                 << "enHelp"
                                 << "Ready"
                                 << "All data will be Cleared!"
                                 << QStringList{"OK", "Cancel", "Retry", "Look in:"};
        QTest::newRow("Chinese")
            << QByteArray("Chinese") << QString::fromUtf8("Vornex LH-740 写频软件")
            << QString::fromUtf8("文件(&F),编辑(&E),编程(&P),设置,工具(&T),查看(&V),帮助(&H)")
                   .split(',')
            << QString::fromUtf8(
                   "Vornex 通信,机型设置,信道信息,可选功能,DTMF,"
                   "2-Tone,MSK,侧键设定,静噪微调")
                   .split(',')
            << "chHelp" << QString::fromUtf8("就绪") << QString::fromUtf8("所有数据将被清除！")
            << QString::fromUtf8("确定,取消,重试,查找范围：").split(',');
    }
    void startInEitherLanguage() {
        QFETCH(QByteArray, language);
        QFETCH(QString, title);
        QFETCH(QStringList, menus);
        QFETCH(QStringList, tree);
        QFETCH(QString, helpFolder);
        QFETCH(QString, ready);
        QFETCH(QString, dataCleared);
        QFETCH(QStringList, qtTexts);
        CAppDir dir(language);
        auto app = Start(dir);
        QVERIFY(app != nullptr);
        CMainFrame* frame = app->MainFrame();
        // The document window fills the area, so its title joins the main window's.
        QCOMPARE(frame->windowTitle(), title + " - [" + frame->ActiveChild()->windowTitle() + "]");
        QCOMPARE(MenuTitles(frame), menus);
        // Items of editors still without a window (MSK, 2-Tone, DTMF today) are left out.
        QStringList shownTree = {tree.first()};
        const int treeIds[] = {
            ID_EDIT_PRODUCT_INFO,   ID_EDIT_CHANNEL_INFO,  ID_EDIT_OPTIONAL_FEATURES,
            ID_EDIT_DTMF,           ID_EDIT_2TONE,         ID_EDIT_MSK,
            ID_EDIT_KEY_ASSIGNMENT, ID_EDIT_SQUELCH_TUNING};
        QCOMPARE(tree.size(), 9);
        for (int i = 0; i < 8; ++i) {
            if (frame->Action(treeIds[i])->isEnabled()) {
                shownTree << tree[i + 1];
            }
        }
        QCOMPARE(TreeTexts(frame->NavigationBar()), shownTree);
        QCOMPARE(frame->NavigationBar()->Caption(), tree.first());
        QCOMPARE(g_strHelpFile, helpFolder);
        QCOMPARE(g_strAppTitle, tree.first());
        QCOMPARE(frame->StatusPane(0)->text(), ready);
        QCOMPARE(StringTableText(IDS_DATA_CLEARED), dataCleared);
        QCOMPARE(g_bChinese, language == "Chinese");
        // The first document is a new one, in the one window.
        QCOMPARE(frame->Children().size(), 1);
        QVERIFY(frame->ActiveChild()->GetDocument().m_bNewDocument);
        QCOMPARE(frame->ActiveChild()->windowTitle(), tree[2]);
        QVERIFY(frame->ActiveChild()->isVisible());
        // Every editor command has its dialog.
        for (int id : {ID_EDIT_OPTIONAL_FEATURES, ID_EDIT_DTMF, ID_EDIT_2TONE, ID_EDIT_MSK,
                       ID_EDIT_KEY_ASSIGNMENT}) {
            QVERIFY(frame->Action(id) != nullptr);
            QVERIFY(frame->Action(id)->isEnabled());
        }
        QCOMPARE(frame->Action(ID_PROGRAM_READ)->statusTip(),
                 language == "Chinese" ? QString::fromUtf8("从对讲机读取数据")
                                       : QString("Read Data From Radio"));
        // Qt's own texts (message box buttons, the file dialog) speak the same language.
        QMessageBox box;
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel | QMessageBox::Retry);
        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        QCOMPARE((QStringList{
                     box.button(QMessageBox::Ok)->text(), box.button(QMessageBox::Cancel)->text(),
                     box.button(QMessageBox::Retry)->text(), files.labelText(QFileDialog::LookIn)}),
                 qtTexts);
        app->ExitInstance();
    }

    void fileNewAsksAndReplacesTheWindow() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        CChildFrame* first = frame->ActiveChild();

        // An unchanged document gets the warning; a changed one is asked about saving (see
        // the unsaved-changes tests).
        m_prompter.m_answers = {EPromptAnswer::Cancel};
        frame->OnCommand(ID_FILE_NEW);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(m_prompter.m_asked[0].m_stringId, static_cast<int>(IDS_DATA_CLEARED));
        QCOMPARE(m_prompter.m_asked[0].m_buttons, EPromptButtons::OkCancel);
        QCOMPARE(m_prompter.m_asked[0].m_caption, std::string("Vornex Communications"));
        QCOMPARE(frame->ActiveChild(), first);

        m_prompter.m_answers = {EPromptAnswer::Ok};
        QPointer<CChildFrame> old = first;
        frame->OnCommand(ID_FILE_NEW);
        QVERIFY(old.isNull());
        QCOMPARE(frame->Children().size(), 1);
        QVERIFY(frame->ActiveChild()->GetDocument().m_image == CMemoryImage::NewDocument());
        app->ExitInstance();
    }

    void openingTheSameFileTwiceReadsItAgain() {
        CAppDir dir("English");
        const QString file = dir.Path("radio.dat");
        WriteImage(file, ImageWithChannels());
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        CChildFrame* newDoc = frame->ActiveChild();

        CChildFrame* first = app->DocManager().OpenDocumentFile("\"" + file + "\"");
        QVERIFY(first != nullptr);
        QVERIFY(!newDoc->isVisible());
        QVERIFY(!first->GetDocument().m_bNewDocument);
        first->GetDocument().m_image.m_bytes[100] = 0x42;  // unsaved change in the first copy

        m_prompter.m_answers = {EPromptAnswer::Discard};
        CChildFrame* second = app->DocManager().OpenDocumentFile(file);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        QCOMPARE(m_prompter.m_asked[0].m_buttons, EPromptButtons::SaveDiscardCancel);
        QVERIFY(second != nullptr && second != first);
        QVERIFY(!first->isVisible());
        QVERIFY(second->isVisible());
        QCOMPARE(frame->ActiveChild(), second);
        QCOMPARE(frame->Children().size(), 3);
        QCOMPARE(second->GetDocument().m_image.m_bytes[100], ImageWithChannels().m_bytes[100]);
        QCOMPARE(frame->RecentFiles().first(), QFileInfo(file).absoluteFilePath());
        app->ExitInstance();
    }

    void failedOpenChangesNothing_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("says");
        QTest::newRow("short file") << 6143 << QByteArray("English") << "unexpected format";
        QTest::newRow("missing file") << -1 << QByteArray("English") << "Cannot open";
        QTest::newRow("short file, Chinese")
            << 6143 << QByteArray("Chinese") << QString::fromUtf8("的格式不对");
        QTest::newRow("missing file, Chinese")
            << -1 << QByteArray("Chinese") << QString::fromUtf8("无法打开");
    }
    void failedOpenChangesNothing() {
        QFETCH(int, size);
        QFETCH(QByteArray, language);
        QFETCH(QString, says);
        CAppDir dir(language);
        const QString file = dir.Path("bad.dat");
        if (size >= 0) {
            WriteImage(file, ImageWithChannels(), size);
        }
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        CChildFrame* before = frame->ActiveChild();
        QVERIFY(app->DocManager().OpenDocumentFile(file) == nullptr);
        QCOMPARE(m_prompter.m_asked.size(), 1);
        const QString text = QString::fromStdString(m_prompter.m_asked[0].m_text);
        QVERIFY2(text.contains("bad.dat") && text.contains(says), qPrintable(text));
        QCOMPARE(frame->ActiveChild(), before);
        QVERIFY(before->isVisible());
        QCOMPARE(frame->Children().size(), 1);
        QVERIFY(before->GetDocument().m_bNewDocument);
        app->ExitInstance();
    }

    void stripFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/a/b.dat"
                               << "/a/b.dat";
        QTest::newRow("quoted") << "\"/a/b.dat\""
                                << "/a/b.dat";
        QTest::newRow("quoted with arguments") << "\"/a/b.dat\" -x"
                                               << "/a/b.dat";
        QTest::newRow("only a leading quote") << "\"/a/b.dat"
                                              << "/a/b.dat";
        QTest::newRow("long") << QString(300, 'x') << QString(259, 'x');
    }
    void stripFileName() {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(CMyDocManager::StripFileName(name), expected);
    }

    void commandLineOpensTheDocument() {
        CAppDir dir("English");
        const QString file = dir.Path("radio.dat");
        WriteImage(file, ImageWithChannels());
        auto app = Start(dir, {file});
        QVERIFY(app != nullptr);
        QCOMPARE(app->MainFrame()->Children().size(), 1);
        QVERIFY(!app->MainFrame()->ActiveChild()->GetDocument().m_bNewDocument);
        QVERIFY(app->MainFrame()->ActiveChild()->GetDocument().m_image == ImageWithChannels());
        app->ExitInstance();
    }

    void closeHidesAndChannelInformationShows() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        CChildFrame* child = frame->ActiveChild();
        child->GetDocument().m_image.m_bytes[5] = 0x55;
        frame->OnCommand(ID_FILE_CLOSE);
        QVERIFY(!child->isVisible());
        QVERIFY(frame->HasDocumentMenus());
        frame->OnCommand(ID_EDIT_CHANNEL_INFO);
        QVERIFY(child->isVisible());
        QCOMPARE(child->GetDocument().m_image.m_bytes[5], 0x55);
        // The window's own close button hides it too.
        child->close();
        QVERIFY(!child->isVisible());
        QCOMPARE(frame->Children().size(), 1);
        app->ExitInstance();
    }

    void treeActsOnTheItemUnderTheMouse() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        CNavigationBar* bar = frame->NavigationBar();
        QTreeWidget* tree = bar->Tree();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        int dtmfOpened = 0;
        frame->SetCommandHandler(ID_EDIT_DTMF, [&] { ++dtmfOpened; });
        QTreeWidgetItem* root = bar->Root();
        QTreeWidgetItem* dtmf = root->child(3);
        QCOMPARE(dtmf->text(0), QString("DTMF"));

        ClickTreeItem(tree, dtmf);
        QCOMPARE(dtmfOpened, 1);
        QCOMPARE(tree->currentItem(), root);
        ClickTreeItem(tree, dtmf);
        QCOMPARE(dtmfOpened, 2);

        ClickTreeItem(tree, root);
        QCOMPARE(dtmfOpened, 2);

        // "Channel Information" brings the hidden window back.
        frame->ActiveChild()->close();
        ClickTreeItem(tree, root->child(1));
        QVERIFY(frame->ActiveChild()->isVisible());
        QCOMPARE(tree->currentItem(), root);

        QCOMPARE(m_prompter.m_asked.size(), 0);
        app->ExitInstance();
    }

    void barCloseButtonAndControlBarCommand() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CNavigationBar* bar = frame->NavigationBar();
        CNavigationPanel* panel = bar->Panel();
        const QPoint button = panel->CloseButtonRect().center();
        QTest::mousePress(panel, Qt::LeftButton, {}, button);
        QVERIFY(panel->IsClosePressed());
        QTest::mouseRelease(panel, Qt::LeftButton, {}, button);
        QVERIFY(bar->isHidden());
        QVERIFY(!frame->Action(ID_VIEW_CONTROLBAR)->isChecked());

        QTest::keyClick(frame, Qt::Key_B, Qt::ControlModifier);
        QVERIFY(!bar->isHidden());
        QVERIFY(frame->Action(ID_VIEW_CONTROLBAR)->isChecked());
        frame->OnCommand(ID_VIEW_CONTROLBAR);
        QVERIFY(bar->isHidden());
        frame->OnCommand(ID_VIEW_CONTROLBAR);
        QVERIFY(!bar->isHidden());

        // Pressing the button and leaving it before the release does not close the bar.
        QTest::mousePress(panel, Qt::LeftButton, {}, button);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(button.x() - 40, button.y()));
        QVERIFY(!bar->isHidden());
        app->ExitInstance();
    }

    // The frame's keys reach their commands while the channel grid has the focus.
    void acceleratorsWorkFromTheGrid_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("command");
        const int ctrl = Qt::ControlModifier;
        QTest::newRow("Ctrl+N") << int(Qt::Key_N) << ctrl << int(ID_FILE_NEW);
        QTest::newRow("Ctrl+O") << int(Qt::Key_O) << ctrl << int(ID_FILE_OPEN);
        QTest::newRow("Ctrl+S") << int(Qt::Key_S) << ctrl << int(ID_FILE_SAVE);
        QTest::newRow("Ctrl+P") << int(Qt::Key_P) << ctrl << int(ID_FILE_PRINT);
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << ctrl << int(ID_PROGRAM_READ);
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << ctrl << int(ID_PROGRAM_WRITE);
        QTest::newRow("Ctrl+B") << int(Qt::Key_B) << ctrl << int(ID_VIEW_CONTROLBAR);
        QTest::newRow("F1") << int(Qt::Key_F1) << 0 << int(ID_HELP);
    }
    void acceleratorsWorkFromTheGrid() {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, command);
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        QHash<int, int> runs;
        for (int id : {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_FILE_PRINT, ID_PROGRAM_READ,
                       ID_PROGRAM_WRITE, ID_VIEW_CONTROLBAR, ID_HELP}) {
            frame->SetCommandHandler(id, [&runs, id] { ++runs[id]; });
        }
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        CMSFlexGrid* grid = frame->ActiveChild()->View()->Grid();
        grid->setFocus();
        QTRY_VERIFY(grid->hasFocus());
        QTest::keyClick(grid, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(runs, (QHash<int, int>{{command, 1}}));
        app->ExitInstance();
    }

    // A bar hidden from the frame's context menu is unchecked in the View menu, and back.
    void viewChecksFollowTheBars_data() {
        QTest::addColumn<int>("command");
        QTest::addColumn<bool>("inMenu");  // the context menu can hide it
        QTest::newRow("toolbar") << int(ID_VIEW_TOOLBAR) << true;
        QTest::newRow("navigation bar") << int(ID_VIEW_CONTROLBAR) << false;
    }
    void viewChecksFollowTheBars() {
        QFETCH(int, command);
        QFETCH(bool, inMenu);
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        QWidget* bar = command == ID_VIEW_TOOLBAR ? static_cast<QWidget*>(frame->ToolBar())
                                                  : frame->NavigationBar();
        QAction* check = frame->Action(command);
        std::unique_ptr<QMenu> menu(frame->createPopupMenu());
        QAction* toggle = nullptr;
        for (QAction* action : menu->actions()) {
            if (action->text() == bar->windowTitle()) {
                toggle = action;
            }
        }
        QVERIFY(toggle != nullptr);
        QCOMPARE(toggle->isEnabled(), inMenu);
        if (inMenu) {
            toggle->trigger();
        } else {
            bar->hide();
        }
        QVERIFY(bar->isHidden());
        QVERIFY(!check->isChecked());
        QVERIFY(frame->OnCommand(command));
        QVERIFY(!bar->isHidden());
        QVERIFY(check->isChecked());
        QVERIFY(toggle->isChecked());
        // The status bar has only its command; it keeps its mark through hiding the window.
        QVERIFY(frame->OnCommand(ID_VIEW_STATUS_BAR));
        QVERIFY(frame->statusBar()->isHidden());
        QVERIFY(!frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
        QVERIFY(frame->OnCommand(ID_VIEW_STATUS_BAR));
        frame->hide();
        QVERIFY(frame->Action(ID_VIEW_STATUS_BAR)->isChecked());
        QVERIFY(check->isChecked());
        app->ExitInstance();
    }

    void barResizeLimits_data() {
        QTest::addColumn<int>("dragTo");
        QTest::addColumn<int>("trackingX");  // -2: half the frame width
        QTest::addColumn<int>("width");      // -2: half the frame width
        QTest::newRow("far right stops at half") << 5000 << -2 << -2;
        QTest::newRow("in between") << 300 << 300 << 300;
        QTest::newRow("line held at 80, bar follows the mouse") << 50 << 80 << 50;
        QTest::newRow("release below 11 gives 11") << 5 << 80 << 11;
        QTest::newRow("release at 10 gives 11") << 10 << 80 << 11;
    }
    void barResizeLimits() {
        QFETCH(int, dragTo);
        QFETCH(int, trackingX);
        QFETCH(int, width);
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->resize(1000, 700);
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CNavigationBar* bar = frame->NavigationBar();
        CNavigationPanel* panel = bar->Panel();
        const int half = frame->width() / 2;
        QCOMPARE(bar->BarWidth(), 185);

        const QPoint handle = panel->HandleRect().center();
        QTest::mousePress(panel, Qt::LeftButton, {}, handle);
        QVERIFY(panel->IsDragging());
        QMouseEvent move(QEvent::MouseMove, QPointF(dragTo, handle.y()),
                         panel->mapToGlobal(QPointF(dragTo, handle.y())), Qt::NoButton,
                         Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(panel, &move);
        QCOMPARE(panel->TrackingX(), trackingX == -2 ? half : trackingX);
        QTest::mouseRelease(panel, Qt::LeftButton, {}, QPoint(dragTo, handle.y()));
        QVERIFY(!panel->IsDragging());
        QCOMPARE(panel->TrackingX(), -1);
        QCOMPARE(bar->BarWidth(), width == -2 ? half : width);
        QCOMPARE(panel->width(), bar->BarWidth());
        app->ExitInstance();
    }

    void closeButtonHasItsToolTip() {
        CAppDir dir("Chinese");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CNavigationPanel* panel = app->MainFrame()->NavigationBar()->Panel();
        const QPoint button = panel->CloseButtonRect().center();
        QHelpEvent help(QEvent::ToolTip, button, panel->mapToGlobal(button));
        QApplication::sendEvent(panel, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QString::fromUtf8("关闭"));
        QToolTip::hideText();
        app->ExitInstance();
    }

    void languageChangeWritesTheSettingsAndRestarts() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QStringList launched;
        SetLauncher([&](const QString& program) {
            launched << program;
            return true;
        });

        // The current language changes nothing.
        {
            CLanguageDlg dialog(frame);
            QVERIFY(dialog.m_pEnglish->isChecked());
            dialog.OnOK();
            QVERIFY(launched.isEmpty());
            QVERIFY(frame->isVisible());
        }
        CLanguageDlg dialog(frame);
        dialog.m_pChinese->setChecked(true);
        dialog.OnOK();
        QCOMPARE(launched, QStringList{QCoreApplication::applicationFilePath()});
        QVERIFY(!frame->isVisible());
        // On disk before the new instance starts.
        CIniFile written;
        QVERIFY(written.LoadPath(dir.Path("Program.ini").toStdString(), false, true));
        QCOMPARE(written.GetString("Setup", "Language", ""), std::string("Chinese"));
        QCOMPARE(written.GetString("Setup", "AppName", ""), std::string("Test Programmer"));
        app->ExitInstance();
    }

    void splashGoesAtTheFirstKeyAndUsesItUp() {
        CAppDir dir("English", true);
        auto app = Start(dir);
        QVERIFY(app->SplashShown());
        QVERIFY(CSplashWnd::Current() != nullptr);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QVERIFY(CSplashWnd::Current() != nullptr);
        // F1 would open the help window; the splash takes the key instead.
        CHelpWindow::Instance()->hide();
        QTest::keyClick(frame, Qt::Key_F1);
        QVERIFY(CSplashWnd::Current() == nullptr);
        QVERIFY(!CHelpWindow::Instance()->isVisible());
        QTest::keyClick(frame, Qt::Key_F1);
        QVERIFY(CHelpWindow::Instance()->isVisible());
        // The page of whatever has the focus (the channel grid here).
        const QString page = CHelpWindow::PageOf(frame->HelpContext());
        QCOMPARE(page, QString("channels.html"));
        QVERIFY(CHelpWindow::Instance()->CurrentSource().toLocalFile().endsWith(page));
        CHelpWindow::Instance()->hide();
        app->ExitInstance();

        QFile::remove(dir.Path("startup.bmp"));
        app = Start(dir);
        QVERIFY(!app->SplashShown());
        QVERIFY(CSplashWnd::Current() == nullptr);
        app->ExitInstance();
    }

    void splashGoesAfterASecond() {
        CAppDir dir("English", true);
        auto app = Start(dir);
        QVERIFY(CSplashWnd::Current() != nullptr);
        QTRY_VERIFY_WITH_TIMEOUT(CSplashWnd::Current() == nullptr, 3000);
        app->ExitInstance();
    }

    // The splash's own second may end while start-up still pauses: it waits for the window.
    void splashStaysUntilTheMainWindowIsShown_data() {
        QTest::addColumn<int>("pause");
        QTest::newRow("no pause") << 0;
        QTest::newRow("pause longer than the splash's second") << 1500;
    }
    void splashStaysUntilTheMainWindowIsShown() {
        QFETCH(int, pause);
        CAppDir dir("English", true);
        bool splashAtShow = false;
        CEventWatch watch([&](QObject* watched, QEvent* event) {
            if (event->type() == QEvent::Show && qobject_cast<CMainFrame*>(watched) != nullptr) {
                splashAtShow = CSplashWnd::Current() != nullptr;
            }
        });
        qApp->installEventFilter(&watch);
        QElapsedTimer clock;
        clock.start();
        auto app = Start(dir, {}, pause);
        qApp->removeEventFilter(&watch);
        QVERIFY(app != nullptr);
        QVERIFY(splashAtShow);
        QTRY_VERIFY_WITH_TIMEOUT(CSplashWnd::Current() == nullptr, 5000);
        QVERIFY(clock.elapsed() >= 1000);
        app->ExitInstance();
    }

    void splashPictureFollowsTheLanguage_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QString>("removed");
        QTest::addColumn<QString>("shown");  // empty: no splash
        QTest::newRow("English") << QByteArray("English") << ""
                                 << "startup.bmp";
        QTest::newRow("Chinese") << QByteArray("Chinese") << ""
                                 << "startup-zh.bmp";
        QTest::newRow("Chinese without its picture") << QByteArray("Chinese") << "startup-zh.bmp"
                                                     << "startup.bmp";
        QTest::newRow("Chinese without startup.bmp") << QByteArray("Chinese") << "startup.bmp"
                                                     << "";
    }
    void splashPictureFollowsTheLanguage() {
        QFETCH(QByteArray, language);
        QFETCH(QString, removed);
        QFETCH(QString, shown);
        CAppDir dir(language, true);
        if (!removed.isEmpty()) {
            QVERIFY(QFile::remove(dir.Path(removed)));
        }
        auto app = Start(dir);
        QCOMPARE(CSplashWnd::Current() != nullptr, !shown.isEmpty());
        if (!shown.isEmpty()) {
            const QImage expected = QImage(dir.Path(shown)).convertToFormat(QImage::Format_RGB32);
            QVERIFY(!expected.isNull());
            QCOMPARE(
                CSplashWnd::Current()->Picture().toImage().convertToFormat(QImage::Format_RGB32),
                expected);
        }
        app->ExitInstance();
    }

    void aboutBoxTakesItsTextsFromTheSettings() {
        {
            CAppDir dir("English", true);
            auto app = Start(dir);
            CAboutDlg about;
            QCOMPARE(about.windowTitle(), QString("About LH-740"));
            QCOMPARE(about.m_pVersion->text(), QString("Version 9"));
            QCOMPARE(about.m_pCopyrights->text(), QString("Copyright 2026"));
            QCOMPARE(about.m_pOwner->text(), QString());  // key missing
            QVERIFY(about.m_bOwnIcon);
            app->ExitInstance();
        }
        CAppDir dir("English", false, "");
        auto app = Start(dir);
        CAboutDlg about;
        QCOMPARE(about.m_pVersion->text(), QString());
        QVERIFY(!about.m_bOwnIcon);
        QVERIFY(!about.m_pIcon->pixmap().isNull());  // the built-in icon instead
        app->ExitInstance();
    }

    void backgroundFallsBackToTheBuiltInPicture() {
        CAppDir dir("English", true);
        auto app = Start(dir);
        bool fromFile = false;
        QVERIFY(!CMdiClientWnd::BackgroundPicture(&fromFile).isNull());
        QVERIFY(fromFile);
        QFile::remove(dir.Path("background.bmp"));
        const QPixmap builtIn = CMdiClientWnd::BackgroundPicture(&fromFile);
        QVERIFY(!fromFile);
        QVERIFY(!builtIn.isNull());
        app->ExitInstance();
    }

    void gridShowsTheDocument() {
        CAppDir dir("English");
        const QString file = dir.Path("radio.dat");
        WriteImage(file, ImageWithChannels());
        auto app = Start(dir, {file});
        CProgramView* view = app->MainFrame()->ActiveChild()->View();
        CMSFlexGrid* grid = view->Grid();
        QCOMPARE(grid->Model()->Rows(), 130);
        QCOMPARE(grid->Model()->Cols(), 13);
        QCOMPARE(grid->TextMatrix(0, 5), QString("Chnnel Name"));
        QCOMPARE(grid->TextMatrix(0, 7), QString(" W/N "));
        QCOMPARE(grid->Model()->headerData(4, Qt::Horizontal, Qt::DisplayRole).toString(),
                 QString("Chnnel Name"));
        QCOMPARE(grid->Model()->headerData(128, Qt::Vertical, Qt::DisplayRole).toString(),
                 QString("Fr"));
        QCOMPARE(grid->TextMatrix(1, 0), QString("1"));
        QCOMPARE(grid->TextMatrix(128, 0), QString("128"));
        QVERIFY(grid->TextMatrix(1, 1).startsWith("146.025"));
        QCOMPARE(grid->TextMatrix(1, 12), QString(">>"));
        // Rx without Tx: the record counts as empty, so only its Rx cell shows.
        QVERIFY(grid->TextMatrix(2, 1).startsWith("146.025"));
        for (int column = 3; column <= 12; ++column) {
            QCOMPARE(grid->TextMatrix(2, column), QString());
            QCOMPARE(grid->TextMatrix(129, column), QString());
        }
        const QColor fixed =
            grid->Model()->headerData(0, Qt::Horizontal, Qt::ForegroundRole).value<QColor>();
        QCOMPARE(fixed, QColor(0x00, 0x32, 0xF0));
        QCOMPARE(
            grid->Model()->data(grid->Model()->index(63, 4), Qt::FontRole).value<QFont>().family(),
            QString("Courier"));
        QVERIFY(!grid->Model()->data(grid->Model()->index(63, 3), Qt::FontRole).isValid());
        QCOMPARE(grid->Model()->data(grid->Model()->index(0, 0), Qt::TextAlignmentRole).toInt(),
                 static_cast<int>(Qt::AlignCenter));
        QCOMPARE(grid->Row(), 1);
        QCOMPARE(grid->Col(), 5);
        // Widths: at least the default width times each factor; together they span the grid.
        int total = 0;
        for (int column = 0; column < 13; ++column) {
            const int least = static_cast<int>(CMSFlexGrid::kDefaultColumnWidth *
                                               CProgramView::kWidthFactors[column]);
            QVERIFY(grid->ColWidth(column) >= least);
            total += grid->ColWidth(column);
        }
        QVERIFY(total >= grid->viewport()->width() + grid->ColWidth(0));
        app->ExitInstance();
    }

    // A disk that fills up: Save says why, the file keeps the bytes saved before and no
    // temporary file is left beside it.
    void fullDiskSaveKeepsTheSavedFile() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        QTemporaryDir holder;
        const QString folder = holder.path() + "/disk";
        QVERIFY(QDir().mkdir(folder));
        CFillingDisk disk(folder);
        const QString file = folder + "/radio.dat";
        SetFileChoosers({}, [&](QWidget*, const QString&) { return file; });
        CProgramView* view = frame->ActiveChild()->View();
        view->Grid()->SetTextMatrix(5, 5, "ABC");
        frame->OnCommand(ID_FILE_SAVE);
        QFile saved(file);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QByteArray before = saved.readAll();
        saved.close();
        QCOMPARE(before.size(), int(kImageSize));

        view->Grid()->SetTextMatrix(5, 5, "XYZ");
        m_prompter.m_asked.clear();
        disk.Fill();
        frame->OnCommand(ID_FILE_SAVE);
        disk.Unfill();
        QCOMPARE(m_prompter.m_asked.size(), 1);
        const QString text = QString::fromStdString(m_prompter.m_asked[0].m_text);
        QVERIFY2(text.startsWith("Cannot save") && text.contains(disk.Reason()), qPrintable(text));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"radio.dat"});
        QVERIFY(CDocumentHistory::Of(*view).IsModified());
        app->ExitInstance();
    }

    void saveWritesTheGridAndProposesTheAppName() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        QString proposed;
        const QString file = dir.Path("saved.dat");
        SetFileChoosers({}, [&](QWidget*, const QString& name) {
            proposed = name;
            return file;
        });
        // Text in the grid reaches the file: StoreGrid runs before the save.
        CProgramView* view = frame->ActiveChild()->View();
        view->Grid()->SetTextMatrix(5, 5, "ABC");
        frame->OnCommand(ID_FILE_SAVE);  // no file of the AppName's name exists: Save As
        QCOMPARE(proposed, QString("Test Programmer"));
        const auto saved = LoadDatFile(file.toStdString());
        QVERIFY(saved.has_value());
        QCOMPARE(saved->m_bytes[4 * 24 + 16], 'A');

        // Now the document has a name: Save writes it without asking.
        proposed.clear();
        view->Grid()->SetTextMatrix(5, 5, "XYZ");
        frame->OnCommand(ID_FILE_SAVE);
        QVERIFY(proposed.isEmpty());
        QCOMPARE(LoadDatFile(file.toStdString())->m_bytes[4 * 24 + 16], 'X');

        // A new document saved and opened again is byte for byte the same.
        m_prompter.m_answers = {EPromptAnswer::Ok};
        frame->OnCommand(ID_FILE_NEW);
        frame->OnCommand(ID_FILE_SAVE_AS);
        QVERIFY(*LoadDatFile(file.toStdString()) == frame->ActiveChild()->GetDocument().m_image);
        app->ExitInstance();
    }

    void recentFilesKeepTheLastFour() {
        CAppDir dir("English");
        auto app = Start(dir);
        QStringList files;
        for (int i = 0; i < 6; ++i) {
            files << dir.Path(QString("r%1.dat").arg(i));
            WriteImage(files.last(), ImageWithChannels());
            QVERIFY(app->DocManager().OpenDocumentFile(files.last()) != nullptr);
        }
        QCOMPARE(app->MainFrame()->RecentFiles(),
                 (QStringList{files[5], files[4], files[3], files[2]}));
        QVERIFY(app->MainFrame()->Action(ID_FILE_MRU_FILE1)->text().endsWith("r5.dat"));
        // A file that has gone leaves the list when it is chosen.
        QFile::remove(files[4]);
        app->MainFrame()->OnCommand(ID_FILE_MRU_FILE1 + 1);
        QCOMPARE(app->MainFrame()->RecentFiles().size(), 3);
        QVERIFY(!app->MainFrame()->RecentFiles().contains(files[4]));
        app->ExitInstance();
    }

    void wheelPagesTheGrid() {
        CAppDir dir("English");
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CMSFlexGrid* grid = frame->ActiveChild()->View()->Grid();
        QScrollBar* bar = grid->verticalScrollBar();
        bar->setValue(0);
        const QPoint centre = grid->viewport()->rect().center();
        QWheelEvent down(centre, grid->viewport()->mapToGlobal(centre), {}, QPoint(0, -120),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &down);
        QCOMPARE(bar->value(), bar->pageStep());
        QWheelEvent up(centre, grid->viewport()->mapToGlobal(centre), {}, QPoint(0, 120),
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid->viewport(), &up);
        QCOMPARE(bar->value(), 0);
        app->ExitInstance();
    }

    void screenScaling_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<double>("factor");
        QTest::newRow("640") << 640 << 1.0;
        QTest::newRow("800") << 800 << 1.0;
        QTest::newRow("1024") << 1024 << 1.0;
        QTest::newRow("1280") << 1280 << 1.25;
        QTest::newRow("1920") << 1920 << 1.875;
    }
    void screenScaling() {
        QFETCH(int, width);
        QFETCH(double, factor);
        QCOMPARE(CProgramView::ScaleForScreenWidth(width), factor);
    }

    void displayChangeRescalesFromTheStoredWidth() {
        CAppDir dir("English");
        auto app = Start(dir);
        CChildFrame* child = app->MainFrame()->ActiveChild();
        CProgramView* view = child->View();
        const int stored = view->StoredScreenWidth();
        child->showNormal();
        const QSize own = child->size();
        view->OnDisplayChange(800);  // not above 800: nothing, not even the stored width
        QCOMPARE(child->size(), own);
        QCOMPARE(view->StoredScreenWidth(), stored);
        view->OnDisplayChange(stored * 2);
        QCOMPARE(child->size(), own * 2);
        QCOMPARE(view->StoredScreenWidth(), stored * 2);
        // A window filling the area keeps filling it; the size it is restored to follows.
        child->showMaximized();
        const QSize filling = child->size();
        view->OnDisplayChange(stored * 4);
        QVERIFY(child->isMaximized());
        QCOMPARE(child->size(), filling);
        child->showNormal();
        QCOMPARE(child->size(), own * 4);
        app->ExitInstance();
    }

    void helpOpensThePageOfTheContext_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("context");
        QTest::addColumn<QString>("page");
        QTest::newRow("topics") << QByteArray("English") << 0 << "enHelp/index.html";
        QTest::newRow("language") << QByteArray("English") << int(ID_SETUP_LANGUAGE)
                                  << "enHelp/language.html";
        QTest::newRow("grid, Chinese")
            << QByteArray("Chinese") << int(IDC_CHANNEL_GRID) << "chHelp/channels.html";
        QTest::newRow("Tx cell") << QByteArray("English") << 2128 << "enHelp/channels.html";
        QTest::newRow("unknown number") << QByteArray("Chinese") << 12345 << "chHelp/index.html";
    }
    void helpOpensThePageOfTheContext() {
        QFETCH(QByteArray, language);
        QFETCH(int, context);
        QFETCH(QString, page);
        CAppDir dir(language);
        auto app = Start(dir);
        QVERIFY(ShowHelp(context));
        QVERIFY(CHelpWindow::Instance()->CurrentSource().toLocalFile().endsWith(page));
        CHelpWindow::Instance()->hide();
        app->ExitInstance();
    }

    // F1 in a modal dialog: the help window takes keys and clicks while the dialog is open.
    // Events go through the window system's path, where a blocked window drops them.
    void helpFromAModalDialogIsUsable_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("openBefore");  // the help window was already open
        QTest::newRow("English") << QByteArray("English") << false;
        QTest::newRow("Chinese, help open before") << QByteArray("Chinese") << true;
    }
    void helpFromAModalDialogIsUsable() {
        QFETCH(QByteArray, language);
        QFETCH(bool, openBefore);
        CAppDir dir(language);
        auto app = Start(dir);
        CMainFrame* frame = app->MainFrame();
        frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame));
        CHelpWindow* help = CHelpWindow::Instance();
        help->hide();
        if (openBefore) {
            QVERIFY(ShowHelp(0));
        }
        auto clickOn = [help](QWidget* button) {
            const QPoint at = button->mapTo(help, button->rect().center());
            QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {}, at);
        };
        auto page = [help] { return help->CurrentSource().fileName(); };
        CLanguageDlg dialog(frame, frame);
        QStringList seen;
        QTimer::singleShot(0, &dialog, [&] {
            if (!QTest::qWaitForWindowActive(&dialog)) {
                seen << "dialog not active";
            }
            dialog.m_pEnglish->setFocus();
            QTest::keyClick(dialog.windowHandle(), Qt::Key_F1);
            seen << (help->isVisible() ? "shown" : "not shown") << page();
            if (!QTest::qWaitForWindowExposed(help)) {
                seen << "help not exposed";
            }
            clickOn(help->ContentsButton());
            seen << page();
            clickOn(help->BackButton());
            seen << page();
            QTest::keyClick(help->windowHandle(), Qt::Key_Escape);
            seen << (help->isVisible() ? "still shown" : "closed");
            dialog.reject();
        });
        dialog.exec();
        QCOMPARE(seen,
                 (QStringList{"shown", "language.html", "index.html", "language.html", "closed"}));
        QCOMPARE(help->BackButton()->text(),
                 language == "Chinese" ? QString::fromUtf8("后退") : QString("Back"));
        QCOMPARE(help->ContentsButton()->text(),
                 language == "Chinese" ? QString::fromUtf8("目录") : QString("Contents"));
        app->ExitInstance();
    }

    void userValuesLiveUnderTheAppName() {
        CQtUserValues first("Programmer A");
        CQtUserValues second("Programmer B");
        QVERIFY(first.GetFilePath().startsWith(m_config.path()));
        QVERIFY(first.SetNumber("com", 3));
        QVERIFY(first.SetString("Type", "\xCD\xA8"));
        QCOMPARE(first.GetNumber("COM"), std::optional<std::uint32_t>(3));
        QCOMPARE(first.GetString("type"), std::optional<std::string>("\xCD\xA8"));
        QVERIFY(!first.GetString("com").has_value());
        QVERIFY(!first.GetNumber("Type").has_value());
        QVERIFY(!second.GetNumber("com").has_value());
        QVERIFY(!first.GetNumber("missing").has_value());
    }
};

QTEST_MAIN(CUiTest)
#include "UiTest.moc"
