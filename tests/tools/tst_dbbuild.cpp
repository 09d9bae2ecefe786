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
const CardTables::Table &table(std::string_view name)
{
    for (const auto &t : CardTables::all)
        if (t.name == name)
            return t;
    qFatal("no table");
}

QString words(int n, const QString &seed)
{
    // Distinct words, so texts built from different seeds share no trigrams.
    QStringList w;
    for (int i = 0; i < n; ++i)
        w << seed + QString::number(i);
    return w.join(QLatin1Char(' '));
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

struct Run
{
    int code;
    QString output;
};

Run runBuilder(const QString &dataDir, const QString &out, bool requireAll)
{
    QProcess p;
    QStringList args{QStringLiteral("--data"), dataDir, QStringLiteral("--out"), out};
    if (requireAll)
        args << QStringLiteral("--require-all");
    p.start(QStringLiteral(ORBELLE_DBBUILD), args);
    p.waitForFinished(60000);
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

QString entryFile(int rows, const std::function<QString(int)> &text)
{
    QString s = QStringLiteral("# test table\n\n");
    for (int n = 1; n <= rows; ++n)
        s += QStringLiteral("[%1] Carta %1\n%2\n\n").arg(n).arg(text(n));
    return s;
}
} // namespace

class tst_DbBuild : public QObject
{
    Q_OBJECT
private slots:
    void parsesEntriesLabelsAndParagraphs()
    {
        const auto p = TextSource::parse(
            QStringLiteral("# comentario\n\n[2] La Sacerdotisa\n\nUno.   \nDos.\n\n\n[1]\nEl Mago\n"),
            QStringLiteral("t.txt"), 78);
        QVERIFY2(p.errors.isEmpty(), qPrintable(p.errors.join('\n')));
        QCOMPARE(p.entries.size(), 2);
        QCOMPARE(p.entries.value(2).text, QStringLiteral("Uno.\nDos."));
        QCOMPARE(p.entries.value(1).text, QStringLiteral("El Mago"));
        QCOMPARE(p.entries.value(2).line, 3);
        // Windows line ends read the same.
        const auto crlf = TextSource::parse(QStringLiteral("[1]\r\nA\r\nB\r\n"), QStringLiteral("t"), 78);
        QCOMPARE(crlf.entries.value(1).text, QStringLiteral("A\nB"));
    }

    void refusesBadSources_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("complaint");
        QTest::newRow("duplicate") << QStringLiteral("[1]\na\n[1]\nb\n") << QStringLiteral("appears twice");
        QTest::newRow("zero") << QStringLiteral("[0]\na\n") << QStringLiteral("outside 1..78");
        QTest::newRow("too high") << QStringLiteral("[79]\na\n") << QStringLiteral("outside 1..78");
        QTest::newRow("not a number") << QStringLiteral("[uno]\na\n") << QStringLiteral("malformed");
        QTest::newRow("blank in number") << QStringLiteral("[ 1]\na\n") << QStringLiteral("malformed");
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
        QVERIFY2(p.errors.first().contains(complaint), qPrintable(p.errors.first()));
        QVERIFY(p.errors.first().startsWith(QStringLiteral("t.txt:")));
    }

    void lengthBoundsPerTable()
    {
        QMap<int, TextSource::Entry> entries;
        entries.insert(1, {1, words(59, QStringLiteral("a")), 1});
        entries.insert(2, {2, words(60, QStringLiteral("b")), 5});
        entries.insert(3, {3, words(121, QStringLiteral("c")), 9});
        const QStringList errors = TextSource::check(table("tag1"), entries, QStringLiteral("tag1.txt"));
        QCOMPARE(errors.size(), 2);
        QVERIFY(errors[0].contains(QStringLiteral("entry 1 has 59 words")));
        QVERIFY(errors[1].contains(QStringLiteral("entry 3 has 121 words")));
        // The two info articles of the keyword table have bounds of their own.
        QMap<int, TextSource::Entry> info;
        info.insert(79, {79, words(70, QStringLiteral("d")), 1});
        info.insert(80, {80, words(400, QStringLiteral("e")), 2});
        const QStringList infoErrors = TextSource::check(table("stichwörter"), info, QStringLiteral("s"));
        QCOMPARE(infoErrors.size(), 1);
        QVERIFY(infoErrors[0].contains(QStringLiteral("entry 79")));
        // Separators between keywords are not words.
        QCOMPARE(TextSource::wordCount(QStringLiteral("Voluntad · habilidad · comienzo")), 3);
    }

    void nearCopiesAreRefused()
    {
        const QString mago = QStringLiteral(
            "Hoy El Mago te recuerda que tienes en tus manos todo lo necesario para empezar algo nuevo. "
            "Las herramientas están sobre la mesa y solo falta que decidas usarlas con intención clara. "
            "Da el primer paso aunque sea pequeño y confía en tu capacidad de convertir ideas en hechos.");
        QString copy = mago;
        copy.replace(QStringLiteral("El Mago"), QStringLiteral("La Emperatriz"));
        QVERIFY(TextSource::similarity(mago, copy) > TextSource::kMaxSimilarity);
        QString reworded = mago;
        reworded.replace(QStringLiteral("todo lo necesario"), QStringLiteral("lo que hace falta"))
            .replace(QStringLiteral("algo nuevo"), QStringLiteral("un proyecto"));
        QVERIFY(TextSource::similarity(mago, reworded) > TextSource::kMaxSimilarity);
        const QString other = QStringLiteral(
            "La Emperatriz trae una jornada fértil: cuida tu cuerpo, cocina algo rico, deja que la "
            "belleza de lo cotidiano te alimente. Lo que siembras con paciencia crece sin que lo fuerces.");
        QVERIFY(TextSource::similarity(mago, other) < 0.05);

        QMap<int, TextSource::Entry> entries;
        entries.insert(1, {1, mago, 1});
        entries.insert(3, {3, copy, 4});
        entries.insert(5, {5, other, 7});
        const CardTables::Table loose{"t", "t.txt", 78, 1, 200, true, false};
        const QStringList errors = TextSource::check(loose, entries, QStringLiteral("t.txt"));
        QCOMPARE(errors.size(), 1);
        QVERIFY(errors[0].contains(QStringLiteral("entries 1 and 3 are near-copies")));
    }

    void textsAfterANameMustReadAfterOne()
    {
        QMap<int, TextSource::Entry> entries;
        entries.insert(1, {1, QStringLiteral("Irradia ") + words(70, QStringLiteral("x")), 1});
        entries.insert(2, {2, QStringLiteral("se muestra cansado/a ") + words(70, QStringLiteral("y")), 2});
        entries.insert(3, {3, QStringLiteral("vive sereno(a) ") + words(70, QStringLiteral("z")), 3});
        entries.insert(4, {4, QStringLiteral("ofrece calma y/o apoyo ") + words(70, QStringLiteral("w")), 4});
        const QStringList errors = TextSource::check(table("bezi1"), entries, QStringLiteral("bezi1.txt"));
        QCOMPARE(errors.size(), 3);
        QVERIFY(errors[0].contains(QStringLiteral("entry 1 must begin in lower case")));
        QVERIFY(errors[1].contains(QStringLiteral("entry 2")));
        QVERIFY(errors[2].contains(QStringLiteral("entry 3")));
        // Other tables may begin however they like.
        QVERIFY(TextSource::check(table("bezi2"), {{1, entries.value(1)}}, QStringLiteral("b")).isEmpty());
    }

    void wordingFaultsAreRefused_data()
    {
        QTest::addColumn<QString>("tableName");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("quote"); // empty: the text passes
        // clang-format off
        const char *rows[][4] = {
            {"ustedes", "bezi3", "Hablen ustedes de lo que sienten.", "ustedes"},
            {"usted", "kelt", "Es aquello en lo que usted piensa.", "usted"},
            {"vosotros", "tag2", "Vosotros ya lo veis.", "Vosotros"},
            {"vosotros verb", "tag2", "Si queréis, salid a caminar.", "queréis"},
            {"sois", "tag2", "Sois libres de elegir.", "Sois"},
            {"os", "bezi2", "La carta os invita a hablar.", "os"},
            {"third person", "bezi3", "Los dos pueden hablar de lo que sienten.", ""},
            {"plural noun in -ais", "tag1", "Viajas a países lejanos con calma.", ""},
            {"estás", "tag3", "Quizá estás agotado y sigues.", "estás agotado"},
            {"te sientas, intensified", "kreuz1", "Es posible que te sientas algo solo ahora.", "te sientas algo solo"},
            {"sé, sentence start", "kreuz4", "Sé honesto contigo.", "Sé honesto"},
            {"neutral wording", "kreuz4", "Habla con honestidad y sin miedo a la soledad.", ""},
            {"adjective of a thing", "tag1", "El camino está abierto y el día es claro.", ""},
            {"hoy in the cross", "kreuz2", "Hoy no hace falta correr.", "Hoy"},
            {"hoy in the day card", "tag1", "Hoy no hace falta correr.", ""},
            {"hoy inside a word", "kreuz3", "Los hoyos del camino se rellenan.", ""},
            {"page", "kreuz4", "Llega el paje de Copas con su pez.", "paje de Copas"},
            {"knight", "kreuz4", "El caballero de Oros avanza.", "caballero de Oros"},
            {"title in lower case", "tag3", "La reina de Espadas corta.", "reina de Espadas"},
            {"suit in lower case", "tag3", "La Reina de espadas corta.", "Reina de espadas"},
            {"number in lower case", "tag1", "El tres de Copas brinda.", "tres de Copas"},
            {"deck names", "bezi2", "La Sota de Copas, el Caballo de Oros y el As de Bastos.", ""},
            {"suit as a word", "bezi2", "Las cartas de Oros hablan del cuerpo.", ""},
        };
        // clang-format on
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2])
                                << QString::fromUtf8(r[3]);
    }
    void wordingFaultsAreRefused()
    {
        QFETCH(QString, tableName);
        QFETCH(QString, text);
        QFETCH(QString, quote);
        const auto &t = table(tableName.toStdString());
        // Padded into the table's length bounds; texts after a name begin in lower case.
        QString body = text + QLatin1Char(' ') + words(65, QStringLiteral("relleno"));
        if (t.followsName)
            body[0] = body[0].toLower();
        QMap<int, TextSource::Entry> entries;
        entries.insert(4, {4, body, 12});
        const QStringList errors = TextSource::check(t, entries, QStringLiteral("t.txt"));
        if (quote.isEmpty()) {
            QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
            return;
        }
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors[0].startsWith(QStringLiteral("t.txt:12: entry 4 ")), qPrintable(errors[0]));
        QVERIFY2(errors[0].endsWith(QLatin1Char('"') + quote + QLatin1Char('"')), qPrintable(errors[0]));
    }

    void builderFillsGapsOrRefusesThem()
    {
        QTemporaryDir dir;
        const QString data = dir.filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        TestEnv::writeFile(data + QStringLiteral("/karten.txt"),
                           entryFile(78, [](int n) { return QStringLiteral("Carta %1").arg(n); }).toUtf8());
        TestEnv::writeFile(data + QStringLiteral("/tag1.txt"),
                           QStringLiteral("[7]\n%1\n").arg(words(80, QStringLiteral("siete"))).toUtf8());
        const QString out = dir.filePath(QStringLiteral("o.sqlite"));

        const Run lenient = runBuilder(data, out, false);
        QCOMPARE(lenient.code, 0);
        QVERIFY(lenient.output.contains(QStringLiteral("tag1: 77 of 78 entries missing")));
        QCOMPARE(lenient.output.count(QStringLiteral("warning")), int(CardTables::all.size()) - 1);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("b"));
            db.setDatabaseName(out);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("SELECT rowid, tag1 FROM tag1 ORDER BY rowid")));
            int rows = 0;
            while (q.next()) {
                ++rows;
                QCOMPARE(q.value(0).toInt(), rows);
                if (rows == 7)
                    QVERIFY(q.value(1).toString().startsWith(QStringLiteral("siete0 siete1")));
                else
                    QCOMPARE(q.value(1).toString(), QStringLiteral("Texto pendiente"));
            }
            QCOMPARE(rows, 78);
            QVERIFY(q.exec(QStringLiteral("SELECT id, stichwörter FROM stichwörter WHERE rowid = 80")) &&
                    q.next());
            QCOMPARE(q.value(0).toInt(), 80);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("b"));

        // Strict: a gap is an error, and the database already there is left as it was.
        const QByteArray before = readAll(out);
        QVERIFY(!before.isEmpty());
        const Run strict = runBuilder(data, out, true);
        QCOMPARE(strict.code, 1);
        QVERIFY(strict.output.contains(QStringLiteral("missing entries 1 2 3 4 5 6 8")));
        QCOMPARE(readAll(out), before);
        QVERIFY(!QFile::exists(out + QStringLiteral(".tmp")));
    }

    void builderStopsOnAFaultySource()
    {
        QTemporaryDir dir;
        TestEnv::writeFile(dir.filePath(QStringLiteral("karten.txt")),
                           QByteArray("[1]\nEl Mago\n[1]\nOtra vez\n"));
        TestEnv::writeFile(dir.filePath(QStringLiteral("tag2.txt")), QByteArray("[3]\n\xc3\x28 roto\n"));
        const QString out = dir.filePath(QStringLiteral("o.sqlite"));
        const Run r = runBuilder(dir.path(), out, false);
        QCOMPARE(r.code, 1);
        QVERIFY(r.output.contains(QStringLiteral("appears twice")));
        QVERIFY(r.output.contains(QStringLiteral("not valid UTF-8")));
        QVERIFY(!QFile::exists(out));
    }
};

ORBELLE_TEST_MAIN(tst_DbBuild)
#include "tst_dbbuild.moc"
