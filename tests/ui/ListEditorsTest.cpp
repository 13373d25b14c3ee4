#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QWindow>
#include <functional>
#include <memory>

#include "editors/SettingsFields.h"
#include "image/MemoryImage.h"
#include "image/ProgramDoc.h"
#include "ui/ModalScript.h"
#include "ui/ProgramFolder.h"
#include "ui/app/ChildFrame.h"
#include "ui/app/Commands.h"
#include "ui/app/MainFrame.h"
#include "ui/app/NavigationBar.h"
#include "ui/app/ProgramApp.h"
#include "ui/app/UiGlobals.h"
#include "ui/editors/DtmfDlg.h"
#include "ui/editors/ListGrid.h"
#include "ui/editors/MskDlg.h"

namespace {

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Lists Test\r\nType1=LH-740A\r\n"
                         "[English]\r\nCompany=Vornex Communications\r\n"
                         "[Chinese]\r\nCompany=Vornex\r\n") {}
};

// What the core's own store makes of `image` after the user's changes.
CMemoryImage Applied(CMemoryImage image, const std::vector<CSettingChange>& changes) {
    const auto result = ApplySettings(image, changes, CFieldContext(g_bChinese));
    if (!result) {
        qWarning("ApplySettings refused: %s", result.error().Text(false).c_str());
    }
    return image;
}

void ClickCell(CListGrid* grid, int row) {
    const QModelIndex index = grid->Model()->index(row - 1, 0);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(index).center());
}

void ClickTab(QTabWidget* tabs, int index) {
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(index).center());
}

void ClickArrow(QWidget* spin, int delta) {
    for (auto* button : spin->findChildren<QToolButton*>()) {
        if (button->property("delta").toInt() == delta) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }
}

// On the box itself: the widget is wider than its box and label.
void ClickCheck(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

template <typename T>
T* Get(QWidget* dialog, int id) {
    T* control = nullptr;
    if (auto* dtmf = qobject_cast<CDtmfDlg*>(dialog)) {
        control = qobject_cast<T*>(dtmf->Control(id));
    } else if (auto* msk = qobject_cast<CMskDlg*>(dialog)) {
        control = qobject_cast<T*>(msk->Control(id));
    }
    if (control == nullptr) {
        qFatal("no control %d", id);
    }
    return control;
}

void Retype(QLineEdit* edit, const QString& keys) {
    QTest::mouseClick(edit, Qt::LeftButton);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, keys);
}

}  // namespace

class CListEditorsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_config;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Launch(const CMemoryImage& image, const QByteArray& language) {
        m_dir = std::make_unique<CAppDir>(language);
        return StartOnImage(m_app, *m_dir, image);
    }

    CMemoryImage& Image() { return m_app->MainFrame()->ActiveChild()->GetDocument().m_image; }

    static void AddLanguages() {
        QTest::addColumn<QByteArray>("language");
        QTest::newRow("English") << QByteArray("English");
        QTest::newRow("Chinese") << QByteArray("Chinese");
    }

private slots:
    void initTestCase() {
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
        qputenv("XDG_DATA_HOME", m_config.path().toUtf8());
    }
    void cleanup() {
        if (m_app) {
            m_app->ExitInstance();
        }
        m_app.reset();
        m_dir.reset();
    }

    void dtmfStoresEachPageWhenItIsHidden_data() { AddLanguages(); }
    void dtmfStoresEachPageWhenItIsHidden() {
        QFETCH(QByteArray, language);
        CMainFrame* frame = Launch(CMemoryImage::NewDocument(), language);
        QVERIFY(frame != nullptr);
        QVERIFY(frame->Action(ID_EDIT_DTMF)->isEnabled());
        const CMemoryImage original = Image();
        CMemoryImage afterEncode, afterDecode;
        QStringList shown;
        const bool opened = OnModal<CDtmfDlg>(
            [&] { frame->OnCommand(ID_EDIT_DTMF); },
            [&](CDtmfDlg* dlg) {
                QTabWidget* tabs = dlg->Tabs();
                for (int i = 0; i < 3; ++i) {
                    shown << tabs->tabText(i);
                }
                for (int id : {1084, 1085, 1086, 1087}) {
                    shown << Get<QLineEdit>(dlg, id)->text();
                }
                Retype(Get<QLineEdit>(dlg, 1084), "1x2");  // the letter is swallowed
                ClickArrow(Get<QWidget>(dlg, 1242), 1);    // 200 -> 250
                ClickArrow(Get<QWidget>(dlg, 1243), -1);   // 0 -> 1000
                auto* sideTone = Get<QCheckBox>(dlg, 1088);
                QVERIFY(sideTone->isChecked());
                ClickCheck(sideTone);
                ClickTab(tabs, 1);
                afterEncode = Image();

                // Decode: the list over the group code edit, the stun code filter, stun enabling.
                auto* group = Get<QLineEdit>(dlg, 1081);
                auto* stunType = Get<QLineEdit>(dlg, 1083);
                shown << group->text() << stunType->text();
                Retype(Get<QLineEdit>(dlg, 1080), "12ab");
                QTest::mouseClick(group, Qt::LeftButton);
                auto* list = Get<QComboBox>(dlg, 1124);
                QVERIFY(list->isVisible() && group->isHidden());
                QCOMPARE(list->currentIndex(), 1);   // "A"
                QTest::keyClick(list, Qt::Key_End);  // "#"
                auto* stunCode = Get<QLineEdit>(dlg, 1082);
                QTest::mouseClick(stunCode, Qt::LeftButton);
                QVERIFY(list->isHidden() && group->isVisible());
                QTest::keyClicks(stunCode, "1ae");
                QTest::keyClick(stunCode, Qt::Key_A, Qt::ShiftModifier);
                QTest::keyClick(stunCode, '*');
                QTest::keyClick(stunCode, '#');
                auto* stun = Get<QCheckBox>(dlg, 1103);
                ClickCheck(stun);
                QVERIFY(!stunCode->isEnabled() && !stunType->isEnabled());
                ClickTab(tabs, 2);
                afterDecode = Image();

                // Call list: the in-place editor, its filter, Up/Down, and the close box.
                CListGrid* grid = dlg->CallListPage()->Grid();
                QCOMPARE(grid->ListColor(), QColor(0x00, 0x46, 0xD5));
                ClickCell(grid, 1);
                CCellEditor* editor = grid->Editor();
                QVERIFY(editor->isVisible() && editor->hasFocus());
                QCOMPARE(editor->property("controlId").toInt(), 1123);
                QTest::keyClicks(editor, "12abe");
                QTest::keyClick(editor, Qt::Key_A, Qt::ShiftModifier);
                QTest::keyClick(editor, '#');
                QTest::keyClick(editor, Qt::Key_Down);
                QCOMPARE(grid->Row(), 2);
                QTest::keyClicks(editor, "0123456789ABCD*#99");  // 16 at most
                dlg->close();                                    // the cell is still open
            });
        QVERIFY(opened);
        const bool zh = language == "Chinese";
        QCOMPARE(shown, (QStringList{zh ? "编码" : "Encode", zh ? "解码" : "Decode",
                                     zh ? "呼叫列表" : "CallList", "6", "200", "0", "0", "A",
                                     zh ? "禁止发射" : "Tx inhibit"}));
        const CMemoryImage encode = Applied(original, {{"dtmf.speed", "12"},
                                                       {"dtmf.first_delay", "250"},
                                                       {"dtmf.first_time", "1000"},
                                                       {"dtmf.side_tone", "Off"}});
        QVERIFY(afterEncode.m_bytes == encode.m_bytes);
        const CMemoryImage decode = Applied(encode, {{"dtmf.id_code", "12AB"},
                                                     {"dtmf.group_code", "#"},
                                                     {"dtmf.stun_code", "1A*#"},
                                                     {"dtmf.stun", "Off"}});
        QVERIFY(afterDecode.m_bytes == decode.m_bytes);
        const CMemoryImage calls =
            Applied(decode, {{"dtmf.call.1", "12AB#"}, {"dtmf.call.2", "0123456789ABCD*#"}});
        QVERIFY(Image().m_bytes == calls.m_bytes);
    }

    // Bytes no entry stands for, and the group code cleared.
    void dtmfGroupCodeList_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("byte");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("pick");  // an entry to choose, or -1 to leave the list alone
        QTest::addColumn<int>("stored");
        QTest::newRow("E from a radio")
            << QByteArray("English") << int('E') << "E" << -1 << -1 << int('E');
        QTest::newRow("E, Chinese")
            << QByteArray("Chinese") << int('E') << "E" << -1 << -1 << int('E');
        QTest::newRow("cleared") << QByteArray("English") << int('B') << "B" << 2 << 0 << 0xFF;
        QTest::newRow("cleared, Chinese")
            << QByteArray("Chinese") << int('B') << "B" << 2 << 0 << 0xFF;
        QTest::newRow("off to star") << QByteArray("Chinese") << 0xFF << "关" << 0 << 5 << int('*');
    }
    void dtmfGroupCodeList() {
        QFETCH(QByteArray, language);
        QFETCH(int, byte);
        QFETCH(QString, shown);
        QFETCH(int, selected);
        QFETCH(int, pick);
        QFETCH(int, stored);
        CMemoryImage image = CMemoryImage::NewDocument();
        image.m_bytes[0x132F] = static_cast<std::uint8_t>(byte);
        image.m_bytes[0x1309] = 0xFF;  // an unwritten delay byte reads 1550
        CMainFrame* frame = Launch(image, language);
        QVERIFY(frame != nullptr);
        QString text, delay;
        int listIndex = -2;
        const bool opened = OnModal<CDtmfDlg>(
            [&] { emit frame->NavigationBar()->ItemChosen("DTMF"); },  // the tree's item
            [&](CDtmfDlg* dlg) {
                delay = Get<QLineEdit>(dlg, 1085)->text();
                ClickTab(dlg->Tabs(), 1);
                auto* group = Get<QLineEdit>(dlg, 1081);
                text = group->text();
                QTest::mouseClick(group, Qt::LeftButton);
                auto* list = Get<QComboBox>(dlg, 1124);
                listIndex = list->currentIndex();
                if (pick >= 0) {
                    list->setCurrentIndex(pick);
                }
                QTest::mouseClick(Get<QLineEdit>(dlg, 1080), Qt::LeftButton);
                dlg->close();
            });
        QVERIFY(opened);
        QCOMPARE(delay, QString("1550"));
        QCOMPARE(text, shown);
        QCOMPARE(listIndex, selected);
        QCOMPARE(int(Image().m_bytes[0x132F]), stored);
        CMemoryImage expected = image;
        expected.m_bytes[0x132F] = Image().m_bytes[0x132F];
        StoreField(*FindField("dtmf.first_delay"), expected, "1550");
        QVERIFY(Image().m_bytes == expected.m_bytes);
    }

    void mskOkStoresCancelDoesNot_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("ok");
        QTest::newRow("English OK") << QByteArray("English") << true;
        QTest::newRow("Chinese OK") << QByteArray("Chinese") << true;
        QTest::newRow("English Cancel") << QByteArray("English") << false;
        QTest::newRow("Chinese Cancel") << QByteArray("Chinese") << false;
    }
    void mskOkStoresCancelDoesNot() {
        QFETCH(QByteArray, language);
        QFETCH(bool, ok);
        CMainFrame* frame = Launch(CMemoryImage::NewDocument(), language);
        QVERIFY(frame != nullptr);
        QVERIFY(frame->Action(ID_EDIT_MSK)->isEnabled());
        const CMemoryImage original = Image();
        QStringList shown;
        const bool opened = OnModal<CMskDlg>(
            [&] { frame->OnCommand(ID_EDIT_MSK); },
            [&](CMskDlg* dlg) {
                CListGrid* grid = dlg->Grid();
                shown << grid->TextMatrix(0, 1) << grid->TextMatrix(4, 1);
                auto* id = Get<QLineEdit>(dlg, 1048);
                QTest::keyClicks(id, "1g2a");
                QTest::keyClick(id, Qt::Key_3, Qt::ShiftModifier);  // Shift swallows all
                QTest::keyClicks(id, "bc");                         // 4 at most
                ClickCell(grid, 4);
                QTest::keyClicks(grid->Editor(), "abcfe9");
                ClickCell(grid, 9);
                QTest::keyClicks(grid->Editor(), "7");
                QTest::mouseClick(id, Qt::LeftButton);  // the ID edit commits the cell
                QVERIFY(grid->Editor()->isHidden());
                QCOMPARE(grid->TextMatrix(9, 1), QString("7"));
                ClickCell(grid, 1);
                QTest::keyClicks(grid->Editor(), "f");
                grid->Editor()->insert(QString::fromUtf8("x!中"));  // as a paste does: all dropped
                QTest::mouseClick(Get<QPushButton>(dlg, ok ? 1 : 2), Qt::LeftButton);
            });
        QVERIFY(opened);
        QCOMPARE(shown, (QStringList{language == "Chinese" ? "呼叫列表" : "Call List", ""}));
        if (!ok) {
            QVERIFY(Image().m_bytes == original.m_bytes);
            return;
        }
        const CMemoryImage expected = Applied(
            original,
            {{"msk.id", "12AB"}, {"msk.call.1", "F"}, {"msk.call.4", "ABCF"}, {"msk.call.9", "7"}});
        QVERIFY(Image().m_bytes == expected.m_bytes);
        // Entry 4 begins the second row: the rows carry 16 bytes of entries each.
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&Image().m_bytes[0x12D8]), 4),
                 QByteArray("ABCF"));
        QCOMPARE(int(Image().m_bytes[0x12D4]), 0xFF);
    }

    // Every opening shows the image as it is now.
    void mskReloadsOnEveryOpening() {
        CMainFrame* frame = Launch(CMemoryImage::NewDocument(), "English");
        QVERIFY(frame != nullptr);
        QStringList seen;
        for (const char* id : {"A1", "B2"}) {
            StoreField(*FindField("msk.id"), Image(), id);
            StoreField(*FindField("msk.call.8"), Image(), id);
            QVERIFY(OnModal<CMskDlg>([&] { emit frame->NavigationBar()->ItemChosen("MSK"); },
                                     [&](CMskDlg* dlg) {
                                         seen << Get<QLineEdit>(dlg, 1048)->text()
                                              << dlg->Grid()->TextMatrix(8, 1);
                                         QTest::keyClick(dlg, Qt::Key_Escape);
                                     }));
        }
        QCOMPARE(seen, (QStringList{"A1", "A1", "B2", "B2"}));
    }
};

QTEST_MAIN(CListEditorsTest)
#include "ListEditorsTest.moc"
