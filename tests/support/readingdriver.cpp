#include "readingdriver.h"

#include "allwindows.h"
#include "carddatabase.h"
#include "layingtable.h"
#include "panels.h"
#include "program.h"
#include "rtfviewer.h"
#include "testenv.h"
#include "windows.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTextEdit>

namespace ReadingDriver {

PromptLog::PromptLog()
{
    qApp->installEventFilter(this);
}

PromptLog::~PromptLog()
{
    qApp->removeEventFilter(this);
}

bool PromptLog::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::Show)
        if (auto *panel = qobject_cast<meld *>(o))
            prompts << panel->messageLabel->text();
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

QString stillLoaded(std::initializer_list<const char *> names)
{
    for (const char *name : names)
        if (TestEnv::isLoaded(QString::fromLatin1(name)))
            return QString::fromLatin1(name);
    return QString();
}

QStringList pictureBlock(const QString &text)
{
    return {QString(), QString(QChar::ObjectReplacementCharacter), QString(), text};
}

QString reportText()
{
    return WindowRegistry::get<rtfViewer>()->Box1->document()->toPlainText();
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

} // namespace ReadingDriver
