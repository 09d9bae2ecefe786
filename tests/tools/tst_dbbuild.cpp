// The database builder: the text format, the checks on the texts, and the builder program.

#include "cardtables.h"
#include "testenv.h"
#include "textsource.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>

namespace {
const CardTables::Table &table(const QString &name)
{
    for (const auto &t : CardTables::all)
        if (t.name == name.toStdString())
            return t;
    qFatal("no table");
}

// Distinct words, so texts built from different seeds share no trigrams.
QString words(int n, const QString &seed)
{
    QStringList w;
    for (int i = 0; i < n; ++i)
        w << seed + QString::number(i);
    return w.join(QLatin1Char(' '));
}

int runBuilder(const QString &dataDir, const QString &out, bool requireAll, QString *output)
{
    QProcess p;
    QStringList args{QStringLiteral("--data"), dataDir, QStringLiteral("--out"), out};
    if (requireAll)
        args << QStringLiteral("--require-all");
    p.start(QStringLiteral(ORBELLE_DBBUILD), args);
    p.waitForFinished(60000);
    *output = QString::fromUtf8(p.readAllStandardError());
    return p.exitCode();
}
} // namespace

class tst_DbBuild : public QObject
{
    Q_OBJECT
private slots:
    void parsesEntriesLabelsAndParagraphs()
    {
        const auto p = TextSource::parse(
            QStringLiteral(
                "# comentario\n\n[2] La Sacerdotisa\n\nUno.   \nDos.\n\n\n[1]\r\nEl Mago\r\nY más\r\n"),
            QStringLiteral("t.txt"), 78);
        QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join('\n')));
        QCOMPARE(p.entries.size(), 2);
        QCOMPARE(p.entries.value(2).text, QStringLiteral("Uno.\nDos."));
        QCOMPARE(p.entries.value(1).text, QStringLiteral("El Mago\nY más")); // Windows line ends too
        QCOMPARE(p.entries.value(2).line, 3);
    }

    void refusesBadSources_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("duplicate") << QStringLiteral("[1]\na\n[1]\nb\n") << QStringLiteral("appears twice");
        QTest::newRow("too high") << QStringLiteral("[79]\na\n") << QStringLiteral("outside 1..78");
        QTest::newRow("not a number") << QStringLiteral("[uno]\na\n") << QStringLiteral("malformed");
        QTest::newRow("empty entry") << QStringLiteral("[1]\n\n[2]\nb\n") << QStringLiteral("empty");
        QTest::newRow("text before first")
            << QStringLiteral("hola\n[1]\na\n") << QStringLiteral("before the first");
    }
    void refusesBadSources()
    {
        QFETCH(QString, source);
        QFETCH(QString, complaint);
        const auto p = TextSource::parse(source, QStringLiteral("t.txt"), 78);
        QCOMPARE(p.errors.size(), 1);
        QVERIFY2(p.errors.first().startsWith(QStringLiteral("t.txt:")) &&
                     p.errors.first().contains(complaint),
                 qPrintable(p.errors.first()));
    }

    // One entry (card 4, line 12) of a table: refused with a message that holds `quote`, or
    // passed when the quote is empty.
    void checksRefuseFaultyTexts_data()
    {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quote");
        // Length bounds (tag1: 60 to 120 words); separators between keywords are no words.
        QTest::newRow("too short") << "tag1" << words(59, QStringLiteral("a")) << "has 59 words";
        QTest::newRow("longest") << "tag1" << words(118, QStringLiteral("a")) + QStringLiteral(" · b · c")
                                 << "";
        QTest::newRow("too long") << "tag1" << words(121, QStringLiteral("a")) << "has 121 words";
        // Texts after a person's name read on from it.
        const QString more = QLatin1Char(' ') + words(70, QStringLiteral("x"));
        QTest::newRow("capital after a name") << "bezi1" << QStringLiteral("Irradia") + more << "lower case";
        QTest::newRow("both genders") << "bezi1" << QStringLiteral("se muestra cansado/a") + more << "ending";
        QTest::newRow("y/o is no gender") << "bezi1" << QStringLiteral("ofrece calma y/o apoyo") + more << "";
        // The reader is "tú", "hoy" is for the day card only, cards are named as in the deck.
        // clang-format off
        const char *rows[][4] = {
            {"ustedes", "bezi3", "Hablen ustedes de lo que sienten.", "ustedes"},
            {"vosotros verb", "tag2", "Si queréis, salid a caminar.", "queréis"},
            {"os", "bezi2", "La carta os invita a hablar.", "os"},
            {"third person", "bezi3", "Los dos pueden hablar de lo que sienten.", ""},
            {"plural noun in -ais", "tag1", "Viajas a países lejanos con calma.", ""},
            {"estás", "tag3", "Quizá estás agotado y sigues.", "estás agotado"},
            {"sé, sentence start", "kreuz4", "Sé honesto contigo.", "Sé honesto"},
            {"neutral wording", "kreuz4", "Habla con honestidad y sin miedo a la soledad.", ""},
            {"hoy in the cross", "kreuz2", "Hoy no hace falta correr.", "Hoy"},
            {"hoy in the day card", "tag1", "Hoy no hace falta correr.", ""},
            {"page", "kreuz4", "Llega el paje de Copas con su pez.", "paje de Copas"},
            {"title in lower case", "tag3", "La reina de Espadas corta.", "reina de Espadas"},
            {"deck names", "bezi2", "La Sota de Copas, el Caballo de Oros y el As de Bastos.", ""},
            // Any word in -o aimed at the reader, not a closed list of adjectives.
            {"adjective in -o", "tag3", "Sé franco contigo.", "Sé franco"},
            {"after a degree word", "tag2", "Quizá eres muy tímido.", "eres muy tímido"},
            {"no adjective there", "kreuz4", "Sé lo que sientes cuando estás bajo presión o estás pasando frío.", ""},
            {"state after an infinitive", "tag3", "Puedes seguir encerrado.", "seguir encerrado"},
            {"reflexive infinitive", "tag2", "Para sentirte seguro, respira.", "sentirte seguro"},
            {"someone else's infinitive", "tag1", "Algo puede ser mágico, un ser querido llama y los dos quieren estar juntos.", ""},
            {"is a figure after a name", "bezi1", "es la reina de la tierra.", "es la reina"},
            {"resembles a figure", "bezi4", "recuerda al Caballo de Espadas.", ""},
            {"couple words", "bezi2", "Hay coqueteo entre los dos.", "coqueteo"},
            {"card named Enamorados", "bezi3", "Los Enamorados hablan de elegir.", ""},
            {"couple outside the bond", "tag1", "Una pareja pasea junto al río.", ""},
        };
        // clang-format on
        for (const auto &r : rows) {
            QString body = QString::fromUtf8(r[2]) + QLatin1Char(' ') + words(65, QStringLiteral("relleno"));
            if (table(QString::fromUtf8(r[1])).followsName)
                body[0] = body[0].toLower();
            const QString quote = QString::fromUtf8(r[3]);
            QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << body
                                << (quote.isEmpty() ? quote : QLatin1Char('"') + quote + QLatin1Char('"'));
        }
    }
    void checksRefuseFaultyTexts()
    {
        QFETCH(QString, tableName);
        QFETCH(QString, text);
        QFETCH(QString, quote);
        const QStringList errors =
            TextSource::check(table(tableName), {{4, {4, text, 12}}}, QStringLiteral("t.txt"));
        if (quote.isEmpty()) {
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
            return;
        }
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("t.txt:12: entry 4 ")) && errors[0].contains(quote),
                 qPrintable(errors[0]));
    }

    void nearCopiesAreRefused()
    {
        const QString mago = QStringLiteral(
            "Hoy El Mago te recuerda que tienes en tus manos todo lo necesario para empezar algo nuevo. "
            "Las herramientas están sobre la mesa y solo falta que decidas usarlas con intención clara.");
        // Another card's name and a few words changed do not make a new text.
        QString copy = mago;
        copy.replace(QStringLiteral("El Mago"), QStringLiteral("La Emperatriz"))
            .replace(QStringLiteral("todo lo necesario"), QStringLiteral("lo que hace falta"))
            .replace(QStringLiteral("algo nuevo"), QStringLiteral("un proyecto"));
        const QString other = QStringLiteral(
            "La Emperatriz trae una jornada fértil: cuida tu cuerpo, cocina algo rico, deja que la "
            "belleza de lo cotidiano te alimente. Lo que siembras con paciencia crece sin que lo fuerces.");
        const CardTables::Table loose{"t", "t.txt", 78, 1, 200, true, false};
        const QStringList errors = TextSource::check(
            loose, {{1, {1, mago, 1}}, {3, {3, copy, 4}}, {5, {5, other, 7}}}, QStringLiteral("t.txt"));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(QStringLiteral("entries 1 and 3 are near-copies")));
    }

    // Openings that differ only in an article or in the name of the bond read as one
    // formula: six of a 78-row table pass, the seventh is refused; a 22-row table allows two.
    // Openings of function words only stay free.
    void repeatedOpeningsAreRefused()
    {
        const char *openings[] = {"La relación necesita", "Lo que este lazo necesita", "Esta unión necesita",
                                  "El vínculo necesita",  "Su relación necesita",      "La unión necesita",
                                  "Lo que la relación necesita"};
        QMap<int, TextSource::Entry> entries;
        for (int i = 0; i < 7; ++i)
            entries.insert(i + 1, {i + 1,
                                   QStringLiteral("A veces llueve. %1 %2.")
                                       .arg(QString::fromUtf8(openings[i]), words(65, QStringLiteral("r%1x").arg(i))),
                                   i + 1});
        QStringList errors = TextSource::check(table(QStringLiteral("tag1")), entries, QStringLiteral("t.txt"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QStringLiteral("7 entries open a sentence with \"vínculo necesita\", at most 6")),
                 qPrintable(errors[0]));
        entries.remove(7);
        errors = TextSource::check(table(QStringLiteral("tag1")), entries, QStringLiteral("t.txt"));
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));

        while (entries.size() > 3)
            entries.remove(entries.lastKey());
        errors = TextSource::check(table(QStringLiteral("bezi3")), entries, QStringLiteral("t.txt"));
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].contains(QStringLiteral("at most 2 may: 1 2 3")), qPrintable(errors[0]));
    }

    // A faulty source stops the build, which writes nothing. Without --require-all a missing
    // text becomes the placeholder and the build goes on; with it the build stops and leaves
    // the database already there as it was.
    void builderStopsOnFaultsAndGaps()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("o.sqlite"));
        QString said;
        TestEnv::writeFile(dir.filePath(QStringLiteral("karten.txt")),
                           QByteArray("[1]\nEl Mago\n[1]\nOtra vez\n"));
        TestEnv::writeFile(dir.filePath(QStringLiteral("tag1.txt")), QByteArray("[3]\n\xc3\x28 roto\n"));
        QCOMPARE(runBuilder(dir.path(), out, false, &said), 1);
        QVERIFY2(said.contains(QStringLiteral("appears twice")) &&
                     said.contains(QStringLiteral("not valid UTF-8")),
                 qPrintable(said));
        QVERIFY(!QFile::exists(out));

        QString karten;
        for (int n = 1; n <= 78; ++n)
            karten += QStringLiteral("[%1]\nCarta %1\n\n").arg(n);
        TestEnv::writeFile(dir.filePath(QStringLiteral("karten.txt")), karten.toUtf8());
        TestEnv::writeFile(dir.filePath(QStringLiteral("tag1.txt")),
                           QStringLiteral("[7]\n%1\n").arg(words(80, QStringLiteral("siete"))).toUtf8());
        QCOMPARE(runBuilder(dir.path(), out, false, &said), 0);
        QVERIFY2(said.contains(QStringLiteral("tag1: 77 of 78 entries missing")), qPrintable(said));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("b"));
            db.setDatabaseName(out);
            QVERIFY(db.open());
            QSqlQuery q(db);
            // Rows 1 to 78, all but the seventh holding the placeholder.
            QVERIFY(q.exec(QStringLiteral(
                               "SELECT count(*) || ' ' || max(rowid) || ' ' || sum(tag1 = '%1'), (SELECT "
                               "tag1 FROM tag1 WHERE rowid = 7) FROM tag1")
                               .arg(TextSource::kPending)) &&
                    q.next());
            QCOMPARE(q.value(0).toString(), QStringLiteral("78 78 77"));
            QVERIFY(q.value(1).toString().startsWith(QStringLiteral("siete0 siete1")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("b"));

        QFile db(out);
        QVERIFY(db.open(QIODevice::ReadOnly));
        const QByteArray before = db.readAll();
        db.close();
        QCOMPARE(runBuilder(dir.path(), out, true, &said), 1);
        QVERIFY2(said.contains(QStringLiteral("missing entries 1 2 3 4 5 6 8")), qPrintable(said));
        QVERIFY(db.open(QIODevice::ReadOnly));
        QCOMPARE(db.readAll(), before);
    }
};

ORBELLE_TEST_MAIN(tst_DbBuild)
#include "tst_dbbuild.moc"
