#include "readingdriver.h"

#include "layingtable.h"
#include "panels.h"
#include "rtfviewer.h"
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
            prompts << panel->Label1->text();
    return false;
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
