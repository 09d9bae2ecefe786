#include "lookcheck.h"

#include "accesskeys.h"
#include "program.h"
#include "readingdriver.h"
#include "textbutton.h"
#include "theme.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QShortcutEvent>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QToolButton>

namespace LookCheck {

namespace {

// The deck's pictures are 700 × 1240.
constexpr double kDeckProportion = 700.0 / 1240.0;

QString visibleText(const QString &text)
{
    QString t = text;
    return t.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&')).replace(QChar(1), QLatin1Char('&'));
}

// The access key of a caption, lower case, or a null character.
QChar mnemonicOf(const QString &text)
{
    for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0 && at + 1 < text.size();
         at = text.indexOf(QLatin1Char('&'), at + 2)) {
        if (text.at(at + 1) != QLatin1Char('&'))
            return text.at(at + 1).toLower();
    }
    return {};
}

// The main window's menu bar, when `w` is shown in the main window or is it.
QMenuBar *mainMenuBar(QWidget *w)
{
    auto *mw = qobject_cast<QMainWindow *>(w->window());
    if (!mw)
        return nullptr;
    return mw->findChild<QMenuBar *>(QString(), Qt::FindDirectChildrenOnly);
}

bool belongsTo(const QWidget *c, const QWidget *window)
{
    // Controls of windows shown inside the main window are their own window's.
    for (const QWidget *p = c->parentWidget(); p && p != window; p = p->parentWidget())
        if (qobject_cast<const QMdiSubWindow *>(p))
            return false;
    return true;
}

struct Key
{
    QChar letter;
    QObject *owner;
    QString who;
};

// The entries of the menu bars of `owner`'s own.
void addBarKeys(QList<Key> &keys, QWidget *owner, const QString &prefix)
{
    for (QMenuBar *bar : owner->findChildren<QMenuBar *>())
        if (bar->isVisibleTo(owner) && belongsTo(bar, owner))
            for (QAction *a : bar->actions())
                if (a->isVisible() && a->isEnabled() && !mnemonicOf(a->text()).isNull())
                    keys.append({mnemonicOf(a->text()), bar, prefix + visibleText(a->text())});
}

QList<Key> keysOf(QWidget *window)
{
    QList<Key> keys;
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->isVisibleTo(window) && b->isEnabled() && belongsTo(b, window) && !mnemonicOf(b->text()).isNull())
            keys.append({mnemonicOf(b->text()), b, nameOf(b)});
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->isVisibleTo(window) && l->buddy() && belongsTo(l, window) && !mnemonicOf(l->text()).isNull())
            keys.append({mnemonicOf(l->text()), l, nameOf(l)});
    addBarKeys(keys, window, QString());
    return keys;
}

// Catches every shortcut event and keeps who it went to; the shortcut does nothing.
class ShortcutCatcher : public QObject
{
public:
    ShortcutCatcher() { qApp->installEventFilter(this); }
    ~ShortcutCatcher() override { qApp->removeEventFilter(this); }
    QList<QObject *> receivers;
    bool ambiguous = false;

protected:
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() == QEvent::Shortcut) {
            receivers << o;
            ambiguous = ambiguous || static_cast<QShortcutEvent *>(e)->isAmbiguous();
            return true;
        }
        return false;
    }
};

} // namespace

QString nameOf(const QWidget *w)
{
    return QStringLiteral("%1 (%2)").arg(w->objectName(), QString::fromLatin1(w->metaObject()->className()));
}

QString rectText(const QRect &r)
{
    return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

double smallestPixels(const QWidget *w)
{
    return 9.0 * w->logicalDpiY() / 72.0 - 0.5;
}

QStringList faultsOf(QWidget *window)
{
    // As the user sees it: the layouts that wait for the event loop are done before any
    // painting, so they are done here too.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    QStringList faults;
    const QRect inside = window->rect();
    for (QWidget *c : window->findChildren<QWidget *>()) {
        // Disabled controls are left out: the designed panel's German captions that stay off
        // in this build are shrunk into their tiny places.
        if (!c->isVisibleTo(window) || !c->isEnabled() || c->isWindow() || !belongsTo(c, window))
            continue;
        if (qobject_cast<QMdiSubWindow *>(c) || c->inherits("QScrollBar"))
            continue;
        const QRect r(c->mapTo(window, QPoint(0, 0)), c->size());
        // What a scrolling page holds may lie beyond the window: it is scrolled to.
        bool scrolled = false;
        for (QWidget *p = c->parentWidget(); p && p != window && !scrolled; p = p->parentWidget())
            scrolled = qobject_cast<QScrollArea *>(p);
        if (!scrolled && !inside.contains(r) && !r.isEmpty())
            faults << nameOf(c) + QStringLiteral(" outside its window: ") + rectText(r);
        if (auto *bar = qobject_cast<QMenuBar *>(c)) {
            faults << menuFaults(bar);
            continue;
        }
        QString text;
        if (auto *l = qobject_cast<QLabel *>(c); l && l->pixmap().isNull())
            text = l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text())
                       ? QTextDocumentFragment::fromHtml(l->text()).toPlainText()
                       : visibleText(l->text());
        else if (auto *b = qobject_cast<QAbstractButton *>(c))
            text = visibleText(b->text());
        if (text.isEmpty())
            continue;
        if (text.contains(QChar(0x2026)) && !c->property("endsInEllipsis").toBool())
            faults << nameOf(c) + QStringLiteral(" elided: ") + text;
        if (auto *tb = qobject_cast<TextButton *>(c)) {
            if (tb->fittedPixelSize() < smallestPixels(c))
                faults << nameOf(c) + QStringLiteral(" caption at %1 px").arg(tb->fittedPixelSize());
            continue;
        }
        const QFontMetrics fm(c->font());
        if (fm.height() < smallestPixels(c))
            faults << nameOf(c) + QStringLiteral(" text at %1 pt").arg(c->font().pointSizeF());
        if (auto *l = qobject_cast<QLabel *>(c)) {
            const QRect area = l->contentsRect().marginsRemoved(QMargins(l->margin(), l->margin(), l->margin(), l->margin()));
            const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect need = fm.boundingRect(area, flags, text);
            if (!l->wordWrap() && need.width() > area.width() + 1)
                faults << nameOf(c) + QStringLiteral(" cut in width: ") + text;
            if (need.height() > area.height() + 1)
                faults << nameOf(c) + QStringLiteral(" cut in height: ") + text;
            if (l->wordWrap())
                for (const QString &word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                    if (fm.horizontalAdvance(word) > area.width() + 1)
                        faults << nameOf(c) + QStringLiteral(" breaks inside \"%1\"").arg(word);
        } else if (auto *b = qobject_cast<QAbstractButton *>(c)) {
            const QSize hint = b->sizeHint();
            const bool plain = qobject_cast<QPushButton *>(c) || qobject_cast<QCheckBox *>(c) ||
                               qobject_cast<QRadioButton *>(c) || qobject_cast<QToolButton *>(c);
            if (plain && (hint.width() > b->width() + 1 || fm.height() > b->height()))
                faults << nameOf(c) + QStringLiteral(" caption cut: needs %1x%2, has %3x%4")
                                          .arg(hint.width())
                                          .arg(hint.height())
                                          .arg(b->width())
                                          .arg(b->height());
        }
    }
    // The text boxes do not overlap one another or the buttons.
    QList<QWidget *> solid;
    for (QWidget *c : window->findChildren<QWidget *>()) {
        if (c->isVisibleTo(window) && !c->isWindow() && c->parentWidget() == window &&
            (qobject_cast<QPlainTextEdit *>(c) || qobject_cast<QTextEdit *>(c) || qobject_cast<QPushButton *>(c)))
            solid << c;
    }
    for (int i = 0; i < solid.size(); ++i)
        for (int j = i + 1; j < solid.size(); ++j)
            if (solid[i]->geometry().intersects(solid[j]->geometry()))
                faults << nameOf(solid[i]) + QStringLiteral(" overlaps ") + nameOf(solid[j]);
    if (auto *mw = qobject_cast<QMainWindow *>(window))
        if (QMenuBar *bar = mainMenuBar(mw))
            faults << menuFaults(bar);
    return faults;
}

QStringList placementOf(QWidget *w)
{
    QStringList faults;
    if (auto *frame = qobject_cast<QMdiSubWindow *>(w->parentWidget())) {
        const QRect area = Program::mdiArea()->viewport()->rect();
        if (!area.contains(frame->geometry()))
            faults << nameOf(w) + QStringLiteral(" leaves the main window's area: ") + rectText(frame->geometry());
        if (w->width() < 100 || w->height() < 100)
            faults << nameOf(w) + QStringLiteral(" shrunk to %1x%2").arg(w->width()).arg(w->height());
    } else if (w->isWindow()) {
        if (!w->screen()->availableGeometry().contains(w->frameGeometry()))
            faults << nameOf(w) + QStringLiteral(" leaves the screen: ") + rectText(w->frameGeometry());
    }
    return faults;
}

QStringList menuFaults(QMenuBar *bar)
{
    QStringList faults;
    if (!bar->isVisible())
        return faults;
    // (Asking for an entry's place lays the bar out as it stands now.)
    for (QAction *a : bar->actions()) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        const QRect r = bar->actionGeometry(a);
        if (r.isEmpty() || !bar->rect().contains(r))
            faults << nameOf(bar) + QStringLiteral(" entry \"%1\" not shown whole").arg(visibleText(a->text()));
    }
    if (auto *more = bar->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button")); more && more->isVisible())
        faults << nameOf(bar) + QStringLiteral(" hides entries behind its extension");
    return faults;
}

QStringList cardRectFaults(const QString &who, const QSize &shown, QSize designSize, double scale)
{
    QStringList faults;
    if (shown.isEmpty())
        return {who + QStringLiteral(" shows no card")};
    const double proportion = shown.width() / double(shown.height());
    if (qAbs(proportion / kDeckProportion - 1.0) > 0.03)
        faults << who + QStringLiteral(" card drawn at %1x%2, not in the deck's proportion").arg(shown.width()).arg(shown.height());
    if (!designSize.isEmpty() && scale > 0 && shown.height() < 0.97 * designSize.height() * scale)
        faults << who + QStringLiteral(" card %1x%2 smaller than its design %3x%4 scaled by %5")
                            .arg(shown.width())
                            .arg(shown.height())
                            .arg(designSize.width())
                            .arg(designSize.height())
                            .arg(scale);
    return faults;
}

QStringList cardFaults(const QLabel *label, QSize designSize, double scale)
{
    const QString who = nameOf(label);
    const QPixmap p = label->pixmap();
    if (p.isNull())
        return {who + QStringLiteral(" shows no card")};
    const QSizeF picture = p.deviceIndependentSize();
    const QSizeF place = label->hasScaledContents() ? QSizeF(label->contentsRect().size()) : picture;
    // A picture stretched to a place of another proportion is distorted.
    const double stretch = (place.width() / picture.width()) / (place.height() / picture.height());
    QStringList faults;
    if (qAbs(stretch - 1.0) > 0.03)
        faults << who + QStringLiteral(" stretches its picture %1x%2 to %3x%4")
                            .arg(picture.width())
                            .arg(picture.height())
                            .arg(place.width())
                            .arg(place.height());
    // The card within it: the deck's proportion fitted into the place.
    QSizeF card(kDeckProportion, 1.0);
    card.scale(place, Qt::KeepAspectRatio);
    return faults + cardRectFaults(who, card.toSize(), designSize, scale);
}

QStringList mnemonicClashes(QWidget *window)
{
    // The main menu bar's letters as they stand once the focus has settled.
    QCoreApplication::processEvents();
    AccessKeys::update();
    QList<Key> keys = keysOf(window);
    // The main window's own menu bars: the menu bar and the row its entries wrap onto.
    if (QWidget *main = window->window(); main != window && qobject_cast<QMainWindow *>(main))
        addBarKeys(keys, main, QStringLiteral("main menu "));
    QMultiMap<QChar, QString> byLetter;
    for (const Key &k : keys)
        byLetter.insert(k.letter, k.who);
    QStringList clashes;
    for (const QChar &letter : byLetter.uniqueKeys())
        if (byLetter.count(letter) > 1)
            clashes << QStringLiteral("Alt+%1: %2").arg(letter).arg(byLetter.values(letter).join(QStringLiteral(", ")));
    return clashes;
}

QStringList mnemonicRouting(QWidget *window)
{
    QCoreApplication::processEvents();
    AccessKeys::update();
    QStringList faults;
    for (const Key &k : keysOf(window)) {
        ShortcutCatcher catcher;
        QWidget *target = keyTarget();
        if (!target)
            return {QStringLiteral("no window takes the keys")};
        QTest::keyClick(target, k.letter.toLatin1(), Qt::AltModifier);
        if (catcher.receivers.isEmpty())
            faults << QStringLiteral("Alt+%1 (%2) does nothing").arg(k.letter).arg(k.who);
        else if (catcher.receivers.first() != k.owner || catcher.ambiguous)
            faults << QStringLiteral("Alt+%1 (%2) goes to %3%4")
                          .arg(k.letter)
                          .arg(k.who)
                          .arg(catcher.receivers.first()->objectName(),
                               catcher.ambiguous ? QStringLiteral(" (ambiguous)") : QString());
    }
    return faults;
}

QWidget *keyTarget()
{
    if (QWidget *f = QApplication::focusWidget())
        return f;
    return QApplication::activeWindow();
}

void typeKeys(const QString &keys)
{
    for (const QString &stroke : keys.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QKeySequence seq(stroke == QLatin1String("Space") ? QStringLiteral("Space") : stroke);
        QWidget *target = keyTarget();
        if (!target || seq.isEmpty())
            continue;
        const QKeyCombination combo = seq[0];
        AccessKeys::update();
        QTest::keyClick(target, combo.key(), combo.keyboardModifiers());
        QCoreApplication::processEvents();
    }
}

void keepShot(QWidget *w)
{
    const QString folder = qEnvironmentVariable("ORBELLE_LOOK_SHOTS");
    if (folder.isEmpty() || !w)
        return;
    // As the user sees it: laid out before it is painted.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    const QSize screen = w->screen()->size();
    const QString name = QStringLiteral("%1/%2x%3@%4-%5-%6.png")
                             .arg(folder)
                             .arg(screen.width())
                             .arg(screen.height())
                             .arg(w->devicePixelRatioF())
                             .arg(QString::fromLatin1(QTest::currentTestFunction()), w->objectName());
    w->window()->grab().save(name);
}

bool walkKeys(const QList<KeyStep> &steps, const std::function<void()> &beforeKeys)
{
    for (const KeyStep &s : steps) {
        bool brought = false;
        for (int n = 0; n < s.tries && !brought; ++n) {
            if (beforeKeys)
                beforeKeys();
            typeKeys(s.keys);
            brought = QTest::qWaitFor(s.brings, s.tries > 1 ? 50 : 10000);
        }
        if (!brought) {
            const QString where = keyTarget() ? nameOf(keyTarget()) : QStringLiteral("nothing");
            QTest::qFail(qPrintable(QStringLiteral("\"%1\" did not bring %2; the keys went to %3")
                                        .arg(s.keys, s.what, where)),
                         __FILE__, __LINE__);
            return false;
        }
    }
    return true;
}

} // namespace LookCheck

void LookTest::initTestCase()
{
    ReadingDriver::setUpRun();
    qApp->setStyleSheet(Theme::styleSheet());
}

void LookTest::init()
{
    QVERIFY(ReadingDriver::freshRun());
}

void LookTest::cleanup()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog *>(w) || qobject_cast<QMenu *>(w))
            w->close();
}
