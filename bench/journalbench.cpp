// Times the reading journal with 10,000 recorded readings: recording one more (what
// showing an interpretation adds), opening the journal window until it has painted, a
// search, and the statistics of all of them. Targets: recording 5 ms, opening 300 ms,
// search 100 ms, statistics 200 ms.
//
//   journalbench [runs]     default 7 runs of each; medians are printed
//   journalbench show [page]  a journal of 300 readings in the window, left open on its
//                             readings (0) or statistics (1) page, for screenshots
//
// Run with QT_QPA_PLATFORM=offscreen, or on a display.

#include "allwindows.h"
#include "benchenv.h"
#include "carddatabase.h"
#include "diario.h"
#include "journalstore.h"
#include "modOrbelle.h"
#include "paths.h"
#include "random.h"
#include "start.h"
#include "windows.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

JournalEntry someReading(int i)
{
    static const int sizes[] = {1, 4, 6, 10, 7};
    JournalEntry e;
    e.kind = Journal::kinds().at(i % 5);
    e.at = QDateTime(QDate(2020, 1, 1), QTime(9, 0)).addSecs(qint64(i) * 4 * 3600);
    QVector<int> cards;
    for (int k = 0; k < sizes[i % 5]; ++k)
        cards << (i * 7 + k * 11) % 78 + 1;
    e.spread = Spread::of(cards);
    for (int k = 0; k < e.spread.size(); ++k)
        e.spread.positions[k].reversed = (i + k) % 3 == 0;
    e.spread.question = i % 3 ? QStringLiteral("¿Qué me trae el trabajo en la semana %1?").arg(i % 52) : QStringLiteral("");
    e.notes = i % 4 ? QStringLiteral("") : QStringLiteral("Nota número %1 sobre la lectura.").arg(i);
    return e;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    // "show" leaves the journal on the screen the environment gives.
    BenchEnv::useHome(home, argc > 1 && QByteArray(argv[1]) == "show");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 7;
    BenchEnv::setUpProgram(false);
    const CardDatabase::Prepared p = CardDatabase::prepare();
    if (!p.fatal.isEmpty() || p.own.isEmpty() || !CardDatabase::openShared(p.path)) {
        std::fprintf(stderr, "cannot prepare the databases\n");
        return 1;
    }
    modOrbelle::state().dbPath = p.own;

    JournalStore &store = JournalStore::instance();
    if (argc > 1 && QByteArray(argv[1]) == "show") {
        const QDateTime now = QDateTime::currentDateTime();
        for (int i = 0; i < 300; ++i) {
            JournalEntry e = someReading(i);
            e.at = now.addSecs(-qint64(i) * 31 * 3600);
            // A card that keeps coming back, as the chart should show.
            if (i % 3 == 0 && !e.spread.cards().contains(16))
                e.spread.positions[0].card = 16;
            if (i % 9 == 0)
                e.title = QStringLiteral("La semana del viaje");
            if (e.kind == QLatin1String("relacion"))
                e.spread.firstName = QStringLiteral("Ana"), e.spread.secondName = QStringLiteral("Luis");
            store.add(e);
        }
        // As the program shows it: inside the main window, from its menu.
        Start *main = WindowRegistry::get<Start>();
        main->show();
        main->findChild<QAction *>(QStringLiteral("mnuDiario"))->trigger();
        WindowRegistry::get<diario>()->tabs->setCurrentIndex(argc > 2 ? atoi(argv[2]) : 0);
        return app.exec();
    }
    {
        QSqlDatabase db = CardDatabase::openOwn(QStringLiteral("fill"), p.own);
        db.transaction();
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < 10000; ++i) {
            const JournalEntry e = someReading(i);
            QSqlQuery q(db);
            q.prepare(QStringLiteral("INSERT INTO readings (at, kind, question, notes) VALUES (?, ?, ?, ?)"));
            q.addBindValue(e.at.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
            q.addBindValue(e.kind);
            q.addBindValue(e.spread.question);
            q.addBindValue(e.notes);
            q.exec();
            const qint64 id = q.lastInsertId().toLongLong();
            for (int k = 1; k <= e.spread.size(); ++k) {
                q.prepare(QStringLiteral("INSERT INTO reading_cards VALUES (?, ?, ?, ?)"));
                q.addBindValue(id);
                q.addBindValue(k);
                q.addBindValue(e.spread.card(k));
                q.addBindValue(e.spread.isReversed(k) ? 1 : 0);
                q.exec();
            }
        }
        db.commit();
        std::printf("10,000 readings written in %.0f ms\n", t.nsecsElapsed() / 1e6);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("fill"));
    std::printf("readings in the journal: %d\n", store.count());

    std::vector<double> record, listing, open, search, stats;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        JournalRecorder::laid(nullptr, QStringLiteral("celta"), someReading(20000 + i).spread);
        record.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        const int all = int(store.list().size());
        listing.push_back(t.nsecsElapsed() / 1e6);
        if (i == 0)
            std::printf("the whole list: %d readings\n", all);

        t.restart();
        auto *w = WindowRegistry::get<diario>();
        w->show();
        w->repaint();
        QCoreApplication::processEvents();
        open.push_back(t.nsecsElapsed() / 1e6);

        t.restart();
        JournalFilter f;
        f.text = QStringLiteral("semana 1%1").arg(i);
        const int found = int(store.list(f).size());
        search.push_back(t.nsecsElapsed() / 1e6);
        if (i == 0)
            std::printf("a search finds %d readings\n", found);

        t.restart();
        const JournalStats s = store.stats();
        stats.push_back(t.nsecsElapsed() / 1e6);
        if (i == 0)
            std::printf("statistics over %d readings, %d cards\n", s.readings, s.cards);

        WindowRegistry::unload<diario>();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    std::printf("%d runs, medians:\n", runs);
    std::printf("  recording a reading   %7.2f ms   (target 5)\n", median(record));
    std::printf("  reading the whole list%7.1f ms   (part of opening)\n", median(listing));
    std::printf("  opening the journal   %7.1f ms   (target 300)\n", median(open));
    std::printf("  a search              %7.1f ms   (target 100)\n", median(search));
    std::printf("  statistics of all     %7.1f ms   (target 200)\n", median(stats));
    return 0;
}
