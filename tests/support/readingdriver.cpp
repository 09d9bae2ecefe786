#include "readingdriver.h"

#include "allwindows.h"
#include "carddatabase.h"
#include "eingabe.h"
#include "interpretation.h"
#include "layingtable.h"
#include "readingcatalogue.h"

#include <QLineEdit>
#include <QTest>

namespace ReadingDriver {

bool PromptLog::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Show) {
        shown << o->objectName();
        if (auto *panel = qobject_cast<meld *>(o))
            prompts << panel->messageLabel->text();
    }
    return false;
}

void setUpRun(std::function<void(int)> onEnd)
{
    Program::setEndHandler(std::move(onEnd));
    registerAllWindows();
}

bool freshRun()
{
    TestEnv::freshStart();
    return CardDatabase::openShared(CardDatabase::pristinePath());
}

QString cardName(const Spread &spread, int k)
{
    const QString name = TestEnv::rowText(QStringLiteral("karten"), spread.card(k));
    return spread.isReversed(k) ? name + QStringLiteral(" (carta invertida)") : name;
}

void unloadAll()
{
    WindowRegistry::unloadAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void checkHiddenSpread(LayingTable *table, const Spread &spread)
{
    QSet<int> cards;
    for (int k = 1; k <= spread.size(); ++k) {
        cards.insert(spread.card(k));
        QVERIFY(modOrbelle::state().cardTaken.isTaken(spread.card(k)));
        QCOMPARE(table->slotImage(k), CardPictures::load(spread.card(k), spread.isReversed(k)));
        QVERIFY(!table->slotVisible(k));
    }
    QCOMPARE(cards.size(), spread.size());
}

void drawEvery(LayingTable *table, PromptLog *log)
{
    QTRY_VERIFY(table->mayDraw());
    for (int k = 1; k <= table->cardCount(); ++k) {
        if (log)
            QTRY_COMPARE(log->prompts.size(), k);
        QTRY_VERIFY(table->takesMouse());
        if (log)
            WindowRegistry::unload<meld>();
        table->drawNext();
        QCOMPARE(table->drawCount(), k);
    }
}

namespace {
// The shown window of the reading of that class.
template <class W>
W *shown(const ReadingEntry &reading)
{
    for (WindowId id : reading.windows)
        if (auto *w = qobject_cast<W *>(WindowRegistry::ifLoaded(id)); w && w->isVisible())
            return w;
    return nullptr;
}

QWidget *failed(const char *what)
{
    QTest::qFail(what, __FILE__, __LINE__);
    return nullptr;
}
} // namespace

QWidget *layReading(const QString &button, Stage stage, PromptLog *log, const QStringList &names)
{
    const ReadingEntry *reading = ReadingCatalogue::byName(button);
    if (!reading || !reading->laid())
        return failed("no reading of that button");
    const auto firstShown = [&] {
        QWidget *first = WindowRegistry::ifLoaded(*reading->first);
        return first && first->isVisible() ? first : nullptr;
    };
    LayingTable *table = shown<LayingTable>(*reading);
    QWidget *first = table ? table : firstShown();
    if (!first) {
        shownMain()->readingButton(button)->click();
        if (!QTest::qWaitFor([&] { return (first = firstShown()) != nullptr; }))
            return failed("the reading's first window did not show");
    }
    if (stage == Opened)
        return first;
    if (auto *prompt = qobject_cast<einfF *>(first)) {
        QTest::mouseClick(prompt->messageLabel, Qt::LeftButton);
    } else if (auto *input = qobject_cast<eingabe *>(first)) {
        for (const QString &name : names) {
            input->Text1->setText(name);
            QTest::keyClick(input->Text1, Qt::Key_Return);
        }
    }
    if (!QTest::qWaitFor([&] { return (table = shown<LayingTable>(*reading)) != nullptr; }))
        return failed("the laying did not show");
    if (stage == Dealing)
        return QTest::qWaitFor([&] { return table->dealCount() > 5; }) ? table : failed("no deal");
    drawEvery(table, log);
    if (QTest::currentTestFailed())
        return nullptr;
    InterpretationWindow *laid = nullptr;
    if (!QTest::qWaitFor([&] {
            laid = shown<InterpretationWindow>(*reading);
            return !shown<LayingTable>(*reading) && laid && laid->backButton;
        }, 20000))
        return failed("the interpretation did not show");
    return laid;
}

} // namespace ReadingDriver
