#include <QApplication>
#include <QCheckBox>
#include <QCursor>
#include <QFile>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "editors/EditorRules.h"
#include "editors/SettingsFields.h"
#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/HelpWindow.h"
#include "ui/app/MainFrame.h"
#include "ui/app/NavigationBar.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/channels/ChannelEditDlg.h"
#include "ui/editors/ListGrid.h"
#include "ui/editors/TwoToneDlg.h"

namespace {

// The offsets where two images differ, for a readable failure.
QString Diff(const CMemoryImage& actual, const CMemoryImage& expected) {
    QStringList places;
    for (std::size_t i = 0; i < actual.m_bytes.size(); ++i) {
        if (actual.m_bytes[i] != expected.m_bytes[i]) {
            places << QString::asprintf("0x%04zX: %02X not %02X", i, actual.m_bytes[i],
                                        expected.m_bytes[i]);
        }
    }
    return places.mid(0, 6).join(", ");
}

CMemoryImage& Image(CMainFrame* frame) {
    return frame->ActiveChild()->GetDocument().m_image;
}

// Types `keys` into `edit` after clearing it with the keys the page lets through. In `keys`,
// 'k' is the keypad's decimal point, 'S' holds Shift for the next key, anything else is typed
// as it is (the full stop from the main keyboard).
void Type(QLineEdit* edit, const QString& keys) {
    QTest::mouseClick(edit, Qt::LeftButton);
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(edit, Qt::Key_Right);
    }
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(edit, Qt::Key_Backspace);
    }
    Qt::KeyboardModifiers modifiers;
    for (const QChar ch : keys) {
        if (ch == 'S') {
            modifiers = Qt::ShiftModifier;
        } else if (ch == 'k') {
            QTest::keyClick(edit, Qt::Key_Period, Qt::KeypadModifier);
        } else {
            QTest::keyClick(edit, ch.toLatin1(), modifiers);
            modifiers = {};
        }
    }
}

// The page where a step of the tables acts: 0 the encode page, 1..8 a decode code.
CTwoTonePage* PageOf(CTwoToneDlg* dialog, int page) {
    if (page == 0) {
        return dialog->EncodePage();
    }
    return dialog->DecodeSheet()->Page(page);
}

void ClickTab(QTabWidget* tabs, int index) {
    QTabBar* bar = tabs->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

// Brings `page` to the front with mouse clicks on the tabs.
void ShowPage(CTwoToneDlg* dialog, int page) {
    ClickTab(dialog->Tabs(), page == 0 ? 0 : 1);
    if (page > 0) {
        ClickTab(dialog->DecodeSheet()->Tabs(), page - 1);
    }
}

// A click on a cell of the encode list, as the user makes it.
void ClickCell(CListGrid* grid, int row, int column) {
    const QModelIndex index = grid->Model()->index(row - 1, column - 1);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

QLineEdit* Edit(CTwoToneDlg* dialog, int page, int id) {
    return qobject_cast<QLineEdit*>(PageOf(dialog, page)->Control(id));
}

}  // namespace

class CTwoToneTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CProgramFolder> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Launch(const QByteArray& language,
                       const CMemoryImage& image = CMemoryImage::NewDocument()) {
        m_dir = std::make_unique<CProgramFolder>("[Setup]\r\nLanguage=" + language +
                                                 "\r\nType1=LH-740A\r\n");
        return StartOnImage(m_app, *m_dir, image);
    }

    // Runs `body` on the 2-Tone dialog that `open` brings up, then closes it with Escape.
    static bool OnDialog(const std::function<void()>& open,
                         const std::function<void(CTwoToneDlg*)>& body) {
        bool seen = false;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<CTwoToneDlg*>(QApplication::activeModalWidget())) {
                // Keys and focus changes need the dialog to be the active window.
                dialog->activateWindow();
                seen = QTest::qWaitFor([&] { return QApplication::activeWindow() == dialog; });
                body(dialog);
                if (dialog->isVisible()) {
                    QTest::keyClick(dialog, Qt::Key_Escape);
                }
            }
        });
        timer.start(0);
        open();
        timer.stop();
        return seen;
    }

    // `image` after the core stores the given pages with the given entries, as leaving them
    // does; a page given as a key without a value is stored as it loads.
    static CMemoryImage CoreStore(CMemoryImage image, const QStringList& changes) {
        std::vector<CSettingChange> list;
        for (const QString& change : changes) {
            const QStringList parts = change.split('=');
            const CField* field = FindField(parts[0].toStdString());
            const std::string value =
                parts.size() > 1 ? parts[1].toStdString() : LoadField(*field, image, false);
            list.push_back({parts[0].toStdString(), value});
        }
        const auto applied = ApplySettings(image, list);
        if (!applied) {
            qWarning("%s", applied.error().Text(false).c_str());
        }
        return image;
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
        SetPrompter(&m_prompter);
    }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
        }
        m_app.reset();
        m_dir.reset();
    }
    void cleanupTestCase() { SetPrompter(nullptr); }

    void opensFromMenuAndTreeWithTheNewDocument_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("fromTree");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("English, menu")
            << QByteArray("English") << false << QStringList{"Encode", "Decode"};
        QTest::newRow("Chinese, tree")
            << QByteArray("Chinese") << true << QStringList{"编码", "解码"};
    }
    void opensFromMenuAndTreeWithTheNewDocument() {
        QFETCH(QByteArray, language);
        QFETCH(bool, fromTree);
        QFETCH(QStringList, tabs);
        CMainFrame* frame = Launch(language);
        QVERIFY(frame != nullptr);
        QVERIFY(frame->Action(ID_EDIT_2TONE)->isEnabled());
        const CMemoryImage before = Image(frame);
        QStringList encode;
        QStringList decode;
        QStringList shownTabs;
        bool beep = true;
        QString help;
        auto open = [&] {
            if (!fromTree) {
                frame->OnCommand(ID_EDIT_2TONE);
                return;
            }
            QTreeWidget* tree = frame->NavigationBar()->Tree();
            const auto items = tree->findItems("2-Tone", Qt::MatchExactly | Qt::MatchRecursive);
            // The tree takes the item under the cursor, as a user's click has it.
            const QPoint pos = tree->visualItemRect(items.value(0)).center();
            QCursor::setPos(tree->viewport()->mapToGlobal(pos));
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pos);
        };
        const bool opened = OnDialog(open, [&](CTwoToneDlg* dialog) {
            shownTabs << dialog->Tabs()->tabText(0) << dialog->Tabs()->tabText(1);
            for (int id : {1250, 1251, 1252, 1253, 1054}) {
                encode << Edit(dialog, 0, id)->text();
            }
            beep = qobject_cast<QCheckBox*>(dialog->EncodePage()->Control(1061))->isChecked();
            // F1 passes the key filter and opens the 2-Tone section in the program's language.
            QTest::keyClick(Edit(dialog, 0, 1253), Qt::Key_F1);
            help = CHelpWindow::Instance()->CurrentSource().toString();
            CHelpWindow::Instance()->close();
            ShowPage(dialog, 5);
            for (int id = 1037; id <= 1042; ++id) {
                decode << Edit(dialog, 5, id)->text();
            }
        });
        QVERIFY(opened);
        QCOMPARE(shownTabs, tabs);
        QCOMPARE(encode, (QStringList{"0.5", "0.5", "1.0", "1.0", "0.10"}));
        QVERIFY(!beep);
        QVERIFY2(help.endsWith((language == "Chinese" ? "chHelp" : "enHelp") +
                               QString("/editors.html#twotone")),
                 qPrintable(help));
        QCOMPARE(decode, (QStringList{"2000.0", "1000.0", "0.5", "0.5", "1.0", "0.5"}));
        // Shown pages wrote both copies as they were hidden; the others were left alone.
        const CMemoryImage expected =
            CoreStore(before, {"2tone.first_delay", "2tone.decode.1.a", "2tone.decode.5.a"});
        QCOMPARE(Diff(Image(frame), expected), QString());
        QCOMPARE(Image(frame)[0x17A0], std::uint8_t(10));
        QCOMPARE(Image(frame)[0x1748], std::uint8_t(0xFF));
    }

    void arrowsStepWrapAndClamp_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("editId");
        QTest::addColumn<int>("arrowId");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("delta");
        QTest::addColumn<QString>("shown");
        QTest::newRow("first delay up past 10") << 0 << 1250 << 1055 << "10k0" << 1 << "0.5";
        QTest::newRow("long delay down past 0.5") << 0 << 1252 << 1057 << "0k5" << -1 << "10.0";
        QTest::newRow("interval up past 2") << 0 << 1253 << 1058 << "2k0" << 1 << "0.0";
        QTest::newRow("interval down past 0") << 0 << 1253 << 1058 << "0" << -1 << "2.0";
        QTest::newRow("rise snaps up") << 0 << 1054 << 1059 << "0k12" << 1 << "0.15";
        QTest::newRow("rise snaps down") << 0 << 1054 << 1059 << "0k12" << -1 << "0.10";
        QTest::newRow("rise steps") << 0 << 1054 << 1059 << "0k35" << 1 << "0.40";
        QTest::newRow("rise up past 1") << 0 << 1054 << 1059 << "1k00" << 1 << "0.10";
        QTest::newRow("rise down past 0.1") << 0 << 1054 << 1059 << "0k10" << -1 << "1.00";
        QTest::newRow("A tone up past top") << 3 << 1037 << 1068 << "3106k0" << 1 << "288.5";
        QTest::newRow("B tone down past bottom") << 8 << 1038 << 1069 << "288k5" << -1 << "3106.0";
        QTest::newRow("A tone steps") << 1 << 1037 << 1068 << "1000" << 1 << "1000.1";
        QTest::newRow("decode interval wraps") << 2 << 1041 << 1072 << "2" << 1 << "0.0";
        QTest::newRow("second delay down past 0.5") << 6 << 1040 << 1071 << "0k5" << -1 << "10.0";
    }
    void arrowsStepWrapAndClamp() {
        QFETCH(int, page);
        QFETCH(int, editId);
        QFETCH(int, arrowId);
        QFETCH(QString, typed);
        QFETCH(int, delta);
        QFETCH(QString, shown);
        CMainFrame* frame = Launch("English");
        QVERIFY(frame != nullptr);
        QString text;
        QVERIFY(OnDialog([&] { frame->OnCommand(ID_EDIT_2TONE); },
                         [&](CTwoToneDlg* dialog) {
                             ShowPage(dialog, page);
                             QLineEdit* edit = Edit(dialog, page, editId);
                             Type(edit, typed);
                             auto* spin =
                                 qobject_cast<CSpinButton*>(PageOf(dialog, page)->Control(arrowId));
                             QTest::mouseClick(delta > 0 ? spin->UpButton() : spin->DownButton(),
                                               Qt::LeftButton);
                             text = edit->text();
                         }));
        QCOMPARE(text, shown);
    }

    // What the keys make of an edit once it is left, and what that stores.
    void typedTextIsFilteredAndClampedOnLeaving_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("editId");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("key");
        QTest::newRow("tone below range") << 4 << 1037 << "250"
                                          << "288.5"
                                          << "2tone.decode.4.a";
        QTest::newRow("tone above range") << 4 << 1038 << "4000"
                                          << "3106.0"
                                          << "2tone.decode.4.b";
        QTest::newRow("keypad point") << 0 << 1250 << "3k5"
                                      << "3.5"
                                      << "2tone.first_delay";
        QTest::newRow("main full stop swallowed") << 0 << 1251 << "3.5"
                                                  << "10.0"
                                                  << "2tone.second_delay";
        QTest::newRow("shifted digit swallowed") << 0 << 1252 << "2S5"
                                                 << "2.0"
                                                 << "2tone.long_delay";
        QTest::newRow("letters swallowed") << 8 << 1039 << "1ak5x"
                                           << "1.5"
                                           << "2tone.decode.8.first_delay";
        QTest::newRow("second delay of code 8") << 8 << 1040 << "7"
                                                << "7.0"
                                                << "2tone.decode.8.second_delay";
        QTest::newRow("rise snaps") << 0 << 1054 << "0k57"
                                    << "0.55"
                                    << "2tone.rise_delay";
        QTest::newRow("interval clamps") << 0 << 1253 << "9"
                                         << "2.0"
                                         << "2tone.interval";
        QTest::newRow("emptied delay") << 7 << 1042 << ""
                                       << "0.5"
                                       << "2tone.decode.7.long_delay";
    }
    void typedTextIsFilteredAndClampedOnLeaving() {
        QFETCH(int, page);
        QFETCH(int, editId);
        QFETCH(QString, keys);
        QFETCH(QString, shown);
        QFETCH(QString, key);
        CMainFrame* frame = Launch("English");
        QVERIFY(frame != nullptr);
        const CMemoryImage before = Image(frame);
        QString text;
        QVERIFY(OnDialog([&] { frame->OnCommand(ID_EDIT_2TONE); },
                         [&](CTwoToneDlg* dialog) {
                             ShowPage(dialog, page);
                             QLineEdit* edit = Edit(dialog, page, editId);
                             Type(edit, keys);
                             QTest::keyClick(edit, Qt::Key_Tab);
                             text = edit->text();
                         }));
        QCOMPARE(text, shown);
        // Every page shown on the way was stored as it was left.
        QStringList pages = {"2tone.first_delay", key + "=" + shown};
        if (page > 0) {
            pages << "2tone.decode.1.a";
        }
        QCOMPARE(Diff(Image(frame), CoreStore(before, pages)), QString());
    }

    // Bytes no edit would produce (from a radio, say) show as they are and, unless edited, are
    // written back unchanged; an edited neighbour is still clamped when the page stores.
    void outOfRangeBytesSurviveUnedited() {
        CMemoryImage image = CMemoryImage::NewDocument();
        WriteBe16(image, 0x15C8, 0xFFFF);  // code 2, A tone
        image[0x1620] = 200;               // first delay 20.0 s
        CMainFrame* frame = Launch("Chinese", image);
        QVERIFY(frame != nullptr);
        QStringList shown;
        QVERIFY(OnDialog([&] { frame->OnCommand(ID_EDIT_2TONE); },
                         [&](CTwoToneDlg* dialog) {
                             shown << Edit(dialog, 0, 1250)->text();
                             ShowPage(dialog, 2);
                             shown << Edit(dialog, 2, 1037)->text();
                             // Still in the edit when the dialog closes.
                             Type(Edit(dialog, 2, 1038), "99");
                         }));
        QCOMPARE(shown, (QStringList{"20.0", "6553.5"}));
        QCOMPARE(ReadBe16(Image(frame), 0x15C8), std::uint16_t(0xFFFF));
        QCOMPARE(Image(frame)[0x1620], std::uint8_t(200));
        QCOMPARE(Diff(Image(frame), CoreStore(image, {"2tone.short_beep", "2tone.decode.1.a",
                                                      "2tone.decode.2.b=288.5"})),
                 QString());
    }

    // Each row: steps, then the entries the image must hold as the core stores them. A step is
    // "page:id=keys" (type), "page:id" (click), "tab:page" (mouse on the tabs), "cell:row,col"
    // (click a list cell), "cell:row,col=keys" (click and type) or "close".
    void pagesStoreWhenHiddenAndOnClose_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("stored");
        QTest::newRow("encode page stored on the Decode tab")
            << QByteArray("English") << QStringList{"0:1250=2k5", "tab:1"}
            << QStringList{"2tone.first_delay=2.5"};
        QTest::newRow("decode code stored on another code's tab")
            << QByteArray("Chinese") << QStringList{"tab:8", "8:1039=1k5", "8:1040=2k5", "tab:2"}
            << QStringList{"2tone.first_delay", "2tone.decode.1.a",
                           "2tone.decode.8.first_delay=1.5", "2tone.decode.8.second_delay=2.5"};
        QTest::newRow("check box stored on closing")
            << QByteArray("Chinese") << QStringList{"0:1061", "close"}
            << QStringList{"2tone.short_beep=On"};
        QTest::newRow("visible decode code stored on closing")
            << QByteArray("English") << QStringList{"tab:3", "3:1041=0k3", "close"}
            << QStringList{"2tone.first_delay", "2tone.decode.1.a", "2tone.decode.3.interval=0.3"};
        QTest::newRow("list cells committed by moving on and stored on the Decode tab")
            << QByteArray("English")
            << QStringList{"cell:3,1=250", "cell:5,2=", "cell:32,2=1234k5", "cell:1,1", "tab:1"}
            << QStringList{"2tone.encode.3.tone1=288.5",
                           "2tone.encode.5.tone2=", "2tone.encode.32.tone2=1234.5"};
        QTest::newRow("list cell still open is stored on closing")
            << QByteArray("Chinese") << QStringList{"cell:7,1=4000", "close"}
            << QStringList{"2tone.encode.7.tone1=3106.0"};
        QTest::newRow("selected code stored with the sheet hidden")
            << QByteArray("English") << QStringList{"tab:2", "2:1037=1500", "tab:0", "close"}
            << QStringList{"2tone.first_delay", "2tone.decode.1.a", "2tone.decode.2.a=1500"};
    }
    void pagesStoreWhenHiddenAndOnClose() {
        QFETCH(QByteArray, language);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, stored);
        CMainFrame* frame = Launch(language);
        QVERIFY(frame != nullptr);
        const CMemoryImage before = Image(frame);
        QVERIFY(OnDialog([&] { frame->OnCommand(ID_EDIT_2TONE); },
                         [&](CTwoToneDlg* dialog) {
                             for (const QString& step : steps) {
                                 if (step == "close") {
                                     QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
                                     continue;
                                 }
                                 const QStringList parts = step.split(':');
                                 if (parts[0] == "tab") {
                                     ShowPage(dialog, parts[1].toInt());
                                     continue;
                                 }
                                 if (parts[0] == "cell") {
                                     const QStringList what = parts[1].split('=');
                                     const QStringList cell = what[0].split(',');
                                     CListGrid* grid = dialog->EncodePage()->Grid();
                                     ClickCell(grid, cell[0].toInt(), cell[1].toInt());
                                     if (what.size() > 1) {
                                         Type(grid->Editor(), what[1]);
                                     }
                                     continue;
                                 }
                                 const int page = parts[0].toInt();
                                 const QStringList what = parts[1].split('=');
                                 QWidget* control = PageOf(dialog, page)->Control(what[0].toInt());
                                 if (what.size() > 1) {
                                     Type(qobject_cast<QLineEdit*>(control), what[1]);
                                 } else {
                                     // On the box itself, not the empty rest of its row.
                                     QTest::mouseClick(control, Qt::LeftButton, {},
                                                       QPoint(8, control->height() / 2));
                                 }
                             }
                             // Before the test's own closing: what the steps stored so far.
                             QCOMPARE(Diff(Image(frame), CoreStore(before, stored)), QString());
                         }));
        QVERIFY(Image(frame).m_bytes != before.m_bytes);
    }
};

QTEST_MAIN(CTwoToneTest)
#include "TwoToneTest.moc"
