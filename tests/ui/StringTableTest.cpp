#include <QFile>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

#include "settings/Messages.h"

// The string table has one source, the core's Messages: both language packs must carry exactly
// its texts, keyed by its English, or the desktop program and lh740ctl would word a message
// differently.
class CStringTableTest : public QObject {
    Q_OBJECT

private:
    // The ids of the string table: those the core has a text for.
    static QList<int> Ids() {
        QList<int> ids;
        for (int id = 61446; id <= 61456; ++id) {
            if (*LoadString(id, false) != '\0') {
                ids << id;
            }
        }
        return ids;
    }

    // The StringTable context of a pack's source: source text -> translation.
    static QMap<QString, QString> PackEntries(const QString& path, int& count) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            return {};
        }
        QMap<QString, QString> entries;
        QXmlStreamReader xml(&file);
        QString context;
        QString source;
        count = 0;
        while (!xml.atEnd()) {
            if (!xml.readNextStartElement()) {
                continue;
            }
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                source = xml.readElementText();
            } else if (xml.name() == QLatin1String("translation") &&
                       context == QLatin1String("StringTable")) {
                entries.insert(source, xml.readElementText());
                ++count;
            }
        }
        return entries;
    }

private slots:
    void packsCarryTheCoreTexts_data() {
        QTest::addColumn<QString>("pack");
        QTest::addColumn<bool>("chinese");
        QTest::newRow("English") << "English" << false;
        QTest::newRow("Chinese") << "Chinese" << true;
    }
    void packsCarryTheCoreTexts() {
        QFETCH(QString, pack);
        QFETCH(bool, chinese);
        const QList<int> ids = Ids();
        QCOMPARE(ids.size(), 9);

        // The pack's source: one entry per id, nothing else in the context.
        int count = -1;
        const QMap<QString, QString> entries =
            PackEntries(QStringLiteral(LH740_LANG_DIR "/") + pack + ".ts", count);
        QCOMPARE(count, ids.size());
        // The pack the program loads, built from that source.
        QTranslator translator;
        QVERIFY(translator.load(QStringLiteral(LH740_BIN_DIR "/") + pack + ".qm"));
        for (int id : ids) {
            const QString english = QString::fromUtf8(LoadString(id, false));
            const QString expected = QString::fromUtf8(LoadString(id, chinese));
            QVERIFY2(entries.contains(english), qPrintable(QString::number(id)));
            QCOMPARE(entries.value(english), expected);
            QCOMPARE(translator.translate("StringTable", english.toUtf8().constData()), expected);
        }
    }
};

QTEST_GUILESS_MAIN(CStringTableTest)
#include "StringTableTest.moc"
