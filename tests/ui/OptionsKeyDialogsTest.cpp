// Optional Features and Key Assignment, driven with the mouse and keys from the Edit menu and
// the tree, in both languages; the stored bytes are checked against the settings table's store.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <memory>

#include "editors/SettingsFields.h"
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
#include "ui/editors/KeyAssignmentDlg.h"
#include "ui/editors/OptionalFeaturesDlg.h"

// One user step on a control: a key, typed text, or a mouse click (on a list entry when
// `entry` is set).
struct CStep {
    int m_id = 0;
    Qt::Key m_key = Qt::Key_unknown;
    QString m_typed;
    int m_entry = -1;
};
Q_DECLARE_METATYPE(CStep)

namespace {

CStep Key(int id, Qt::Key key) {
    CStep step;
    step.m_id = id;
    step.m_key = key;
    return step;
}
CStep Type(int id, const QString& text) {
    CStep step;
    step.m_id = id;
    step.m_typed = text;
    return step;
}
CStep Pick(int id, int entry) {
    CStep step;
    step.m_id = id;
    step.m_entry = entry;
    return step;
}
CStep Click(int id) {
    CStep step;
    step.m_id = id;
    return step;
}

class CAppDir : public CProgramFolder {
public:
    explicit CAppDir(const QByteArray& language)
        : CProgramFolder("[Setup]\r\nLanguage=" + language +
                         "\r\nAppName=Editors Test\r\n[English]\r\nCompany=Vornex\r\n"
                         "[Chinese]\r\nCompany=Vornex\r\n") {}
};

// Bytes that no dialog writes, so a stray store shows, and values outside the lists.
CMemoryImage OddImage() {
    CMemoryImage image = CMemoryImage::NewDocument();
    image[0x1260] = 0xFF;  // TOT outside its list
    image[0x1262] = 0xFF;  // Vox Gain Level
    image[0x1265] = 0xE1;  // scan pattern 11, bits 0 and 7 set
    image[0x1266] = 0xF1;  // back light and its colour 11
    image[0x12A8] = 0x5B;  // DTMF flags in bits 1..6
    image[0x12AA] = 0xF6;
    const char password[] = {'1', '2', 'x', '3', '\xFF', '\xFF'};
    for (int i = 0; i < 6; ++i) {
        image[kPasswordOffset + i] = static_cast<std::uint8_t>(password[i]);
    }
    return image;
}

}  // namespace

class COptionsKeyDialogsTest : public QObject {
    Q_OBJECT

private:
    CScriptedPrompter m_prompter;
    QTemporaryDir m_config;
    std::unique_ptr<CAppDir> m_dir;
    std::unique_ptr<CProgramApp> m_app;

    CMainFrame* Frame() const { return m_app->MainFrame(); }
    CMemoryImage& Image() const { return Frame()->ActiveChild()->GetDocument().m_image; }

    bool Launch(const CMemoryImage& image, const QByteArray& language) {
        m_dir = std::make_unique<CAppDir>(language);
        return StartOnImage(m_app, *m_dir, image) != nullptr;
    }

    // Opens the command's window from the Edit menu or the tree, with the mouse, and runs
    // `body` on it while it is up; false when no such dialog came up.
    template <typename TDialog>
    bool OnModal(int command, bool fromTree, const std::function<void(TDialog*)>& body) {
        bool seen = false;
        QTimer timer;
        timer.setSingleShot(true);
        connect(&timer, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget())) {
                seen = true;
                body(dialog);
                if (dialog->isVisible()) {
                    dialog->reject();
                }
            }
        });
        QAction* action = Frame()->Action(command);
        if (fromTree) {
            QTreeWidget* tree = Frame()->NavigationBar()->Tree();
            const auto items =
                tree->findItems(action->text(), Qt::MatchExactly | Qt::MatchRecursive);
            if (items.size() != 1) {
                return false;
            }
            const QPoint pos = tree->visualItemRect(items.first()).center();
            QCursor::setPos(tree->viewport()->mapToGlobal(pos));
            timer.start(0);
            QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pos);
        } else {
            QMenu* edit = Frame()->VisibleMenus().at(1);
            edit->popup(Frame()->mapToGlobal(QPoint(20, 20)));
            if (!QTest::qWaitForWindowExposed(edit)) {
                return false;
            }
            timer.start(0);
            QTest::mouseClick(edit, Qt::LeftButton, {}, edit->actionGeometry(action).center());
        }
        timer.stop();
        return seen;
    }

    static void Perform(QWidget* control, const CStep& step) {
        if (step.m_entry >= 0) {
            auto* list = static_cast<QComboBox*>(control);
            QTest::mouseClick(list, Qt::LeftButton);
            QAbstractItemView* view = list->view();
            QTRY_VERIFY(view->isVisible());
            // The list ignores a release that comes as fast as the opening click's own.
            QTest::qWait(QApplication::doubleClickInterval() + 50);
            const QRect rect = view->visualRect(list->model()->index(step.m_entry, 0));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        } else if (!step.m_typed.isEmpty()) {
            QTest::mouseClick(control, Qt::LeftButton);
            QTest::keyClick(control, Qt::Key_End);
            QTest::keyClicks(control, step.m_typed);
        } else if (step.m_key != Qt::Key_unknown) {
            control->setFocus();
            QTest::keyClick(control, step.m_key);
        } else {
            QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(6, control->height() / 2));
        }
    }

    // What each control shows, by the table's own load; every field of the page has one.
    static void CompareShown(COptionalFeaturesDlg* dialog, const CMemoryImage& image) {
        const CFieldContext context(g_bChinese);
        const int ids[] = {1115, 1116, 1117, 1118, 1119, 1120, 1121, 1122, 1123, 1124,
                           1125, 1126, 1127, 1128, 1129, 1131, 1132, 1133, 1134, 1135};
        QCOMPARE(std::size(ids), PageFields(EPage::kOptions).size());
        for (int id : ids) {
            const CField* field = dialog->FieldOf(id);
            QVERIFY2(field != nullptr, qPrintable(QString::number(id)));
            const QString loaded = QString::fromStdString(LoadField(*field, image, context));
            QWidget* control = dialog->Control(id);
            if (auto* list = qobject_cast<QComboBox*>(control)) {
                QCOMPARE(list->count(), static_cast<int>(field->m_entries.size()));
                QCOMPARE(list->currentText(), loaded);
            } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                QCOMPARE(edit->text(), loaded);
            } else {
                const bool on = LoadField(*field, image, CFieldContext(false)) == "On";
                QCOMPARE(static_cast<QCheckBox*>(control)->isChecked(), on);
            }
        }
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

    void optionalFeaturesStoresAsTheTable_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("fromTree");
        QTest::addColumn<bool>("odd");
        QTest::addColumn<QList<CStep>>("steps");
        QTest::addColumn<QList<QStringList>>("changes");  // key, value as `set` takes them
        const QList<CStep> steps = {
            Key(1125, Qt::Key_Down),  // TOT one further
            Key(1118, Qt::Key_Home),  // Key Lock "Auto"
            Key(1122, Qt::Key_End),   // Scan Mode "SE"
            Pick(1117, 0),            // Display Mode "CHANNEL" by mouse
            Click(1134),              // Keypad Lock checked
            Click(1135),              // Repeater Msk Invert checked
            Type(1133, "4a5b67890"),  // letters refused, six digits at most
            Key(1119, Qt::Key_End),   // Priority Channel 128
        };
        const QList<QStringList> changesNew = {
            {"options.tot", "60"},          {"options.key_lock", "Auto"},
            {"options.scan_mode", "SE"},    {"options.display_mode", "CHANNEL"},
            {"options.keypad_lock", "On"},  {"options.repeater_msk_invert", "On"},
            {"options.password", "456789"}, {"options.priority", "128"}};
        QList<QStringList> changesOdd = changesNew;
        changesOdd[0] = {"options.tot", "30"};           // 0xFF showed "Off"
        changesOdd[4] = {"options.keypad_lock", "Off"};  // bit 7 clear showed it checked
        changesOdd[6] = {"options.password", "124567"};  // only "12" was shown
        for (const QByteArray language : {"English", "Chinese"}) {
            QTest::addRow("%s new from menu", language.data())
                << language << false << false << steps << changesNew;
            QTest::addRow("%s odd bytes from tree", language.data())
                << language << true << true << steps << changesOdd;
        }
    }
    void optionalFeaturesStoresAsTheTable() {
        QFETCH(QByteArray, language);
        QFETCH(bool, fromTree);
        QFETCH(bool, odd);
        QFETCH(QList<CStep>, steps);
        QFETCH(QList<QStringList>, changes);
        const CMemoryImage before = odd ? OddImage() : CMemoryImage::NewDocument();
        QVERIFY(Launch(before, language));
        const bool seen = OnModal<COptionalFeaturesDlg>(
            ID_EDIT_OPTIONAL_FEATURES, fromTree, [&](COptionalFeaturesDlg* dialog) {
                CompareShown(dialog, before);
                for (const CStep& step : steps) {
                    Perform(dialog->Control(step.m_id), step);
                }
                QTest::mouseClick(static_cast<QPushButton*>(dialog->Control(1)), Qt::LeftButton);
            });
        QVERIFY(seen);
        CMemoryImage expected = before;
        std::vector<CSettingChange> settings;
        for (const QStringList& change : changes) {
            settings.push_back({change[0].toStdString(), change[1].toStdString()});
        }
        QVERIFY(ApplySettings(expected, settings).has_value());
        for (std::size_t offset = 0; offset < kImageSize; ++offset) {
            QVERIFY2(Image()[offset] == expected[offset],
                     qPrintable(QString("offset 0x%1: %2, expected %3")
                                    .arg(offset, 0, 16)
                                    .arg(Image()[offset])
                                    .arg(expected[offset])));
        }
        QVERIFY(m_prompter.m_asked.isEmpty());
    }

    // Cancel keeps the image; the frame's one dialog shows the image anew at every opening.
    void optionalFeaturesCancelAndReload() {
        QVERIFY(Launch(CMemoryImage::NewDocument(), "English"));
        const CMemoryImage before = Image();
        COptionalFeaturesDlg* first = nullptr;
        QVERIFY(OnModal<COptionalFeaturesDlg>(ID_EDIT_OPTIONAL_FEATURES, false, [&](auto* dialog) {
            first = dialog;
            Perform(dialog->Control(1125), Key(1125, Qt::Key_Down));
            Perform(dialog->Control(1134), Click(1134));
            Perform(dialog->Control(1133), Type(1133, "12"));
            QTest::mouseClick(static_cast<QPushButton*>(dialog->Control(2)), Qt::LeftButton);
        }));
        QVERIFY(Image().m_bytes == before.m_bytes);
        Image()[0x1260] = 5;
        Image()[0x12A8] &= 0x7F;
        QVERIFY(OnModal<COptionalFeaturesDlg>(ID_EDIT_OPTIONAL_FEATURES, true, [&](auto* dialog) {
            QCOMPARE(dialog, first);
            QCOMPARE(static_cast<QComboBox*>(dialog->Control(1125))->currentText(), "150");
            QVERIFY(static_cast<QCheckBox*>(dialog->Control(1134))->isChecked());
            QCOMPARE(static_cast<QLineEdit*>(dialog->Control(1133))->text(), QString());
            QTest::keyClick(dialog, Qt::Key_Escape);
        }));
    }

    void keyAssignment_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<bool>("fromTree");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("shown");
        QTest::addColumn<int>("click");  // -1: keys only
        QTest::addColumn<bool>("ok");
        for (const QByteArray language : {"English", "Chinese"}) {
            const char* l = language.data();
            QTest::addRow("%s 0xFF kept", l) << language << false << 0xFF << 0 << -1 << true;
            QTest::addRow("%s squelch off", l) << language << true << 0xFF << 0 << 3 << true;
            QTest::addRow("%s emergency", l) << language << false << 0x02 << 1 << 2 << true;
            QTest::addRow("%s cancel", l) << language << true << 0x02 << 1 << 0 << false;
        }
    }
    void keyAssignment() {
        QFETCH(QByteArray, language);
        QFETCH(bool, fromTree);
        QFETCH(int, byte);
        QFETCH(int, shown);
        QFETCH(int, click);
        QFETCH(bool, ok);
        CMemoryImage image = CMemoryImage::NewDocument();
        image[0x12AA] = static_cast<std::uint8_t>(byte);
        QVERIFY(Launch(image, language));
        QPointer<CKeyAssignmentDlg> first;
        QVERIFY(OnModal<CKeyAssignmentDlg>(ID_EDIT_KEY_ASSIGNMENT, fromTree, [&](auto* dialog) {
            first = dialog;
            QCOMPARE(dialog->Index(), shown);
            QVERIFY(static_cast<QRadioButton*>(dialog->Control(1076 + shown))->isChecked());
            if (click >= 0) {
                QWidget* button = dialog->Control(1076 + click);
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
            }
            QTest::mouseClick(static_cast<QPushButton*>(dialog->Control(ok ? 1 : 2)),
                              Qt::LeftButton);
        }));
        const CField& field = *FindField("key.side");
        if (ok) {
            StoreField(field, image, field.m_entries[click >= 0 ? click : shown].m_en);
        }
        QVERIFY(Image().m_bytes == image.m_bytes);
        QVERIFY(first.isNull());  // made anew for every opening
    }

    // F1 opens the control's topic in the language's pages; Key Assignment's only in English.
    void helpFromTheDialogs_data() {
        QTest::addColumn<QByteArray>("language");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("control");
        QTest::addColumn<QString>("page");
        for (const QByteArray language : {"English", "Chinese"}) {
            const QString folder = language == "Chinese" ? "chHelp" : "enHelp";
            QTest::addRow("%s back light", language.data())
                << language << int(ID_EDIT_OPTIONAL_FEATURES) << 1115
                << folder + "/optional.html#light";
            QTest::addRow("%s password", language.data())
                << language << int(ID_EDIT_OPTIONAL_FEATURES) << 1133
                << folder + "/optional.html#password";
            QTest::addRow("%s side key", language.data())
                << language << int(ID_EDIT_KEY_ASSIGNMENT) << 1078 << "enHelp/keyassign.html";
            QTest::addRow("%s side key OK", language.data())
                << language << int(ID_EDIT_KEY_ASSIGNMENT) << 1 << "enHelp/keyassign.html";
        }
    }
    void helpFromTheDialogs() {
        QFETCH(QByteArray, language);
        QFETCH(int, command);
        QFETCH(int, control);
        QFETCH(QString, page);
        QVERIFY(Launch(CMemoryImage::NewDocument(), language));
        auto press = [&](auto* dialog) {
            dialog->Control(control)->setFocus();
            QTest::keyClick(dialog->Control(control), Qt::Key_F1);
            const QUrl source = CHelpWindow::Instance()->CurrentSource();
            const QString shown =
                source.toLocalFile() + (source.hasFragment() ? "#" + source.fragment() : "");
            QVERIFY2(shown.endsWith(page), qPrintable(shown));
            QVERIFY(QFile::exists(source.toLocalFile()));
            CHelpWindow::Instance()->close();
        };
        const bool seen = command == ID_EDIT_KEY_ASSIGNMENT
                              ? OnModal<CKeyAssignmentDlg>(command, false, press)
                              : OnModal<COptionalFeaturesDlg>(command, false, press);
        QVERIFY(seen);
    }

    // An item stands in the tree exactly while its command has a window, in the tree's order;
    // an editor joins with one registration; without a document its command does nothing.
    void registeredEditorJoinsMenuAndTree() {
        QVERIFY(Launch(CMemoryImage::NewDocument(), "English"));
        const std::pair<const char*, int> order[] = {
            {"Product Information", ID_EDIT_PRODUCT_INFO},
            {"Channel Information", ID_EDIT_CHANNEL_INFO},
            {"Optional Features", ID_EDIT_OPTIONAL_FEATURES},
            {"DTMF", ID_EDIT_DTMF},
            {"2-Tone", ID_EDIT_2TONE},
            {"MSK", ID_EDIT_MSK},
            {"Key Assignment", ID_EDIT_KEY_ASSIGNMENT},
            {"Squelch Tuning", ID_EDIT_SQUELCH_TUNING}};
        auto treeTexts = [this] {
            QTreeWidgetItem* root = Frame()->NavigationBar()->Root();
            QStringList texts;
            for (int i = 0; i < root->childCount(); ++i) {
                texts << root->child(i)->text(0);
            }
            return texts;
        };
        auto enabledTexts = [&] {
            QStringList texts;
            for (const auto& [text, id] : order) {
                if (Frame()->Action(id)->isEnabled()) {
                    texts << text;
                }
            }
            return texts;
        };
        QCOMPARE(treeTexts(), enabledTexts());
        for (const char* mine : {"Optional Features", "Key Assignment"}) {
            QVERIFY(treeTexts().contains(mine));
        }
        int opened = 0;
        Frame()->RegisterEditorDialog(ID_EDIT_MSK, [&] { ++opened; });
        QVERIFY(Frame()->Action(ID_EDIT_MSK)->isEnabled());
        QCOMPARE(treeTexts(), enabledTexts());
        QTreeWidget* tree = Frame()->NavigationBar()->Tree();
        QTreeWidgetItem* msk = tree->findItems("MSK", Qt::MatchExactly | Qt::MatchRecursive).at(0);
        const QPoint pos = tree->visualItemRect(msk).center();
        QCursor::setPos(tree->viewport()->mapToGlobal(pos));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, pos);
        QCOMPARE(opened, 1);
        QVERIFY(Frame()->OnCommand(ID_EDIT_MSK));
        QCOMPARE(opened, 2);
        Frame()->DestroyActiveChild();
        QVERIFY(Frame()->OnCommand(ID_EDIT_MSK));
        QVERIFY(Frame()->OnCommand(ID_EDIT_OPTIONAL_FEATURES));  // no document: no dialog
        QCOMPARE(opened, 2);
    }
};

QTEST_MAIN(COptionsKeyDialogsTest)
#include "OptionsKeyDialogsTest.moc"
