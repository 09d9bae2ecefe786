#include "start.h"

#include "accesskeys.h"
#include "anima.h"
#include "backdrop.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "info.h"
#include "menurows.h"
#include "modOrbelle.h"
#include "music.h"
#include "panels.h"
#include "popup.h"
#include "program.h"
#include "reportrecovery.h"
#include "rtfviewer.h"
#include "settings.h"
#include "textbutton.h"
#include "timing.h"
#include "twips.h"
#include "windows.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// The panel's own buttons (the readings' come from the catalogue), in twips on the panel.
const QRect kBoardButton(3240, 4560, 5535, 615);
const QRect kSchoolButton(3480, 5400, 5175, 615);
const QRect kExitButton(5040, 6480, 1695, 735);

// The main window's size and place, beside the described keys.
const QString kGeometryKey = QStringLiteral("VentanaPrincipal");

const QString kWaiting = QStringLiteral("¡Un momento, por favór! Las cartas están barajadas!");

// The document area as a screen reader sees it: Qt shows only the windows inside it, not
// what lies on its surface; the panel's buttons lie there. Read as a plain widget, the area
// shows all its children: the panel with its buttons and the windows.
QAccessibleInterface *documentAreaAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String("QMdiArea") || !object || object->objectName() != QLatin1String("mdiArea"))
        return nullptr;
    return new QAccessibleWidget(static_cast<QWidget *>(object), QAccessible::LayeredPane);
}

// Shows a window wherever it lives: inside the main window or on its own.
void showWindow(QWidget *w)
{
    if (!w)
        return;
    if (qobject_cast<QMdiSubWindow *>(w->parentWidget())) {
        Program::showInside(w);
        return;
    }
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace

Start::Start(QWidget *parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Orbelle"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));

    // The document area, under a second row of menus that shows only when the window is
    // too narrow for the menu bar's entries on one row.
    auto *central = new QWidget(this);
    auto *column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    m_moreMenus = new QMenuBar(central);
    m_moreMenus->setObjectName(QStringLiteral("moreMenus"));
    m_moreMenus->hide();
    column->addWidget(m_moreMenus);
    m_mdi = new QMdiArea(central);
    static const bool readable = (QAccessible::installFactory(documentAreaAccessible), true);
    Q_UNUSED(readable);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setBackground(Qt::NoBrush);
    m_mdi->viewport()->installEventFilter(this);
    column->addWidget(m_mdi, 1);
    setCentralWidget(central);
    AccessKeys::install();
    Program::setMdiArea(m_mdi);

    // Load: the window and its button panel both show the night sky of the program folder.
    // The panel lies on the document area's own surface, under the windows shown there:
    // the info window and the report viewer open over it.
    Picture1 = new Backdrop(m_mdi->viewport());
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setAccessibleName(QStringLiteral("Tiradas de tarot"));
    Picture1->setBackground(QStringLiteral("nebo3.jpg"));
    Picture1->installEventFilter(this);

    shuffleTimer = new Timer(this, 1000);
    shuffleTimer->setObjectName(QStringLiteral("shuffleTimer"));
    connect(shuffleTimer, &QTimer::timeout, this, [this] {
        shuffleTimer->setEnabled(false);
        WindowRegistry::unload<anima>();
        if (m_shuffled)
            showWindow(WindowRegistry::get(*m_shuffled));
    });

    buildMenus();
    // Each button gives the command of its menu entry.
    for (const ReadingEntry &r : ReadingCatalogue::entries())
        addButton(r.button.name, r.button.text, r.button.twips, m_readingActions.at(r.menu.name));
    boardButton = addButton(QStringLiteral("boardButton"), QStringLiteral("Sacar solo las cartas"), kBoardButton, solo);
    schoolButton = addButton(QStringLiteral("schoolButton"), QStringLiteral("Estudiar tarot"), kSchoolButton, mnuLern);
    exitButton = addButton(QStringLiteral("exitButton"), QStringLiteral("Salír"), kExitButton, mnuKraj);
    // Keyboard order: the buttons from the top of the panel down, exit last.
    const QList<TextButton *> order = panelButtons();
    for (qsizetype i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    switchOffMissingWindows();

    menuBar()->adjustSize();
    placeOnScreen();
    layoutPanel();
    // After a restart, the readings the last main window left unsaved.
    QTimer::singleShot(0, this, &Start::takeOverReport);
}

void Start::buildMenus()
{
    QMenuBar *bar = menuBar();
    const auto action = [this](const char *name, const QString &caption, void (Start::*slot)()) {
        auto *a = new QAction(caption, this);
        a->setObjectName(QString::fromLatin1(name));
        if (slot)
            connect(a, &QAction::triggered, this, slot);
        return a;
    };

    mnuSpiel = bar->addMenu(QStringLiteral("&Tiradas de tarot"));
    mnuSpiel->setObjectName(QStringLiteral("mnuSpiel"));
    for (const ReadingEntry &r : ReadingCatalogue::entries()) {
        auto *a = new QAction(r.menu.text, this);
        a->setObjectName(r.menu.name);
        a->setShortcut(r.menu.shortcut);
        const QString name = r.menu.name;
        connect(a, &QAction::triggered, this, [this, name] {
            if (const ReadingEntry *reading = ReadingCatalogue::byName(name))
                openReading(*reading);
        });
        mnuSpiel->addAction(a);
        m_readingActions[name] = a;
    }
    mnuLern = action("mnuLern", QStringLiteral("Escuela de t&arot"), &Start::school_Click);
    mnuSpiel->addAction(mnuLern);
    auto *journal = new QAction(QStringLiteral("&Diario de lecturas"), this);
    journal->setObjectName(QStringLiteral("mnuDiario"));
    connect(journal, &QAction::triggered, this, [] { Program::showFillingArea(WindowRegistry::get(WindowId::diario)); });
    mnuSpiel->addAction(journal);
    auto *reversed = new QAction(QStringLiteral("Cartas &invertidas"), this);
    reversed->setObjectName(QStringLiteral("mnuInvertidas"));
    reversed->setCheckable(true);
    reversed->setChecked(Settings::get(QStringLiteral("invertidas")) != QLatin1String("no"));
    connect(reversed, &QAction::toggled, this,
            [](bool on) { Settings::set(QStringLiteral("invertidas"), on ? QStringLiteral("si") : QStringLiteral("no")); });
    mnuSpiel->addAction(reversed);
    auto *ownDeck = new QAction(QStringLiteral("Cartas de mi &propia baraja"), this);
    ownDeck->setObjectName(QStringLiteral("mnuPropia"));
    ownDeck->setCheckable(true);
    ownDeck->setChecked(Settings::get(QStringLiteral("baraja-propia")) == QLatin1String("si"));
    connect(ownDeck, &QAction::toggled, this,
            [](bool on) { Settings::set(QStringLiteral("baraja-propia"), on ? QStringLiteral("si") : QStringLiteral("no")); });
    mnuSpiel->addAction(ownDeck);

    mnuTar = action("mnuTar", QStringLiteral("Sobre ta&rot"), &Start::mnuTar_Click);
    mnuProg = action("mnuProg", QStringLiteral("Sobre este &programa"), &Start::mnuProg_Click);
    solo = action("solo", QStringLiteral("&Sacar solo"), &Start::solo_Click);
    barajas = action("barajas", QStringLiteral("&Barajas"), &Start::barajas_Click);
    mnuMusik = action("mnuMusik", QStringLiteral("&Musíca en el fondo"), &Start::mnuMusik_Click);
    mnuView = action("mnuView", QStringLiteral("Tarot-&Visualizador"), &Start::mnuView_Click);
    bar->addAction(mnuTar);
    bar->addAction(mnuProg);
    bar->addAction(solo);
    bar->addAction(barajas);
    bar->addAction(mnuMusik);
    bar->addAction(mnuView);

    mnuInfo = bar->addMenu(QStringLiteral("&Info"));
    mnuInfo->setObjectName(QStringLiteral("mnuInfo"));
    contacTo =
        action("contacTo", QStringLiteral("Información, &contacto, pagina web"), &Start::contacTo_Click);
    mnuVers = action("mnuVers", QStringLiteral("&Version"), &Start::mnuVers_Click);
    mnuInfo->addActions({contacTo, mnuVers});

    mnuKraj = action("mnuKraj", QStringLiteral("Sa&lir"), &Start::mnuKraj_Click);
    bar->addAction(mnuKraj);
    m_menuRows = new MenuRows(bar, m_moreMenus);
}

void Start::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    fitMenus();
}

void Start::fitMenus()
{
    if (m_menuRows)
        m_menuRows->fit(width() - 8);
}

void Start::placeOnScreen()
{
    // Where the user left it, when that is still on a screen; otherwise as large as the
    // design's proportion allows within 85 % of the screen, centred.
    const QByteArray saved = QByteArray::fromBase64(Settings::get(kGeometryKey).toLatin1());
    if (!saved.isEmpty() && restoreGeometry(saved))
        return;
    const double s = Program::desktopScale(this);
    const QSize design = Program::areaDesign();
    resize(int(design.width() * s), int(design.height() * s) + menuBar()->sizeHint().height());
    if (QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void Start::keepPlace()
{
    Settings::set(kGeometryKey, QString::fromLatin1(saveGeometry().toBase64()));
}

QString Start::versionText()
{
    return QStringLiteral("Orbelle.1.0.16");
}

void Start::layoutPanel()
{
    QRect area = m_mdi->viewport()->rect();
    Picture1->setGeometry(area);
    Picture1->lower();
    // A window minimized inside the main window lies along the area's bottom: the panel
    // keeps clear of it, so its lowest button stays whole.
    for (QMdiSubWindow *f : m_mdi->subWindowList())
        if (f->isVisible() && f->isMinimized())
            area.setBottom(qMin(area.bottom(), f->geometry().top() - 1));
    // The panel keeps its proportions: the designed area is scaled to fit and centred.
    // The panel was laid out for the area's design size.
    const QSize design = Program::areaDesign();
    const double s = qMin(area.width() / double(design.width()), area.height() / double(design.height()));
    const QPointF origin((area.width() - design.width() * s) / 2, (area.height() - design.height() * s) / 2);
    const double designRight = design.width() * s + origin.x();
    for (const auto &[button, d] : m_buttons) {
        QRectF r(origin.x() + d.left() / double(Twips::perPixel) * s,
                 origin.y() + d.top() / double(Twips::perPixel) * s, d.width() / double(Twips::perPixel) * s,
                 d.height() / double(Twips::perPixel) * s);
        // A caption that runs past the panel's edge is cut there, as on the designed panel.
        r.setRight(qMin(r.right(), designRight));
        button->setGeometry(r.toRect());
        button->setMaxPixelSize(int(qMin(r.height() * 0.62, 44.0 * s)));
    }
}

TextButton *Start::addButton(const QString &name, const QString &text, const QRect &twips, QAction *action)
{
    auto *b = new TextButton(text, Picture1);
    b->setObjectName(name);
    b->setAction(action);
    m_buttons.emplace_back(b, twips);
    return b;
}

TextButton *Start::readingButton(const QString &name) const
{
    for (const auto &[button, twips] : m_buttons) {
        if (button->objectName() == name)
            return button;
    }
    return nullptr;
}

QAction *Start::readingAction(const QString &name) const
{
    const auto it = m_readingActions.find(name);
    return it == m_readingActions.end() ? nullptr : it->second;
}

QList<TextButton *> Start::panelButtons() const
{
    std::vector<std::pair<TextButton *, QRect>> sorted = m_buttons;
    std::stable_sort(sorted.begin(), sorted.end(), [this](const auto &x, const auto &y) {
        const bool xExit = x.first == exitButton;
        const bool yExit = y.first == exitButton;
        if (xExit != yExit)
            return yExit;
        return std::pair(x.second.top(), x.second.left()) < std::pair(y.second.top(), y.second.left());
    });
    QList<TextButton *> order;
    for (const auto &[button, twips] : sorted)
        order << button;
    return order;
}

bool Start::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mdi->viewport() && event->type() == QEvent::Paint) {
        QPainter p(m_mdi->viewport());
        paintCovering(p, m_mdi->viewport()->rect(), Picture1->sky());
        return false;
    }
    if (watched == m_mdi->viewport() && event->type() == QEvent::MouseButtonRelease) {
        // With the panel hidden and no reading window left, the popup still leads
        // back to the main menu.
        auto *me = static_cast<QMouseEvent *>(event);
        if (me->button() == Qt::RightButton && !Picture1->isVisible()) {
            Popup::open(me->globalPosition().toPoint());
            return true;
        }
    }
    if (event->type() == QEvent::Resize && watched == m_mdi->viewport())
        layoutPanel();
    // The windows shown inside: the panel makes room when one is minimized.
    // (A child is announced while it is being made, before it is a frame: watch every one.)
    if (watched == m_mdi->viewport() && event->type() == QEvent::ChildAdded)
        if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            child->installEventFilter(this);
    if (qobject_cast<QMdiSubWindow *>(watched) &&
        (event->type() == QEvent::WindowStateChange || event->type() == QEvent::Hide ||
         event->type() == QEvent::Show || event->type() == QEvent::Move))
        QTimer::singleShot(0, this, &Start::layoutPanel);
    return QMainWindow::eventFilter(watched, event);
}

void Start::showIdle()
{
    Picture1->show();
    mnuSpiel->setEnabled(true);
    solo->setEnabled(true);
    setWindowTitle(QStringLiteral("Orbelle"));
    mnuMusik->setEnabled(true);
    switchOffMissingWindows();
    showNormal();
    // The keyboard comes back to the first reading, never to "Salír".
    activateWindow();
    for (TextButton *b : panelButtons()) {
        if (b->isEnabled()) {
            b->setFocus(Qt::OtherFocusReason);
            break;
        }
    }
}

void Start::leaveSchool()
{
    Picture1->show();
    setWindowTitle(QStringLiteral("Orbelle"));
    mnuMusik->setEnabled(true);
    switchOffMissingWindows();
}

void Start::switchOffMissingWindows()
{
    for (const ReadingEntry &r : ReadingCatalogue::entries()) {
        if (!r.laid() || !WindowRegistry::isKnown(*r.first))
            m_readingActions.at(r.menu.name)->setEnabled(false);
    }
    const auto need = [](WindowId window, QAction *action) {
        if (!WindowRegistry::isKnown(window))
            action->setEnabled(false);
    };
    need(WindowId::frmDrag, solo);
    need(WindowId::lernen, mnuLern);
    need(WindowId::ordnerSuchen, barajas);
    need(WindowId::mojCorvin, mnuMusik);
}

void Start::closeIntro()
{
    // The intro's unload stops its timers and closes its music.
    WindowRegistry::unload<anima>();
}

void Start::openReading(const ReadingEntry &reading)
{
    if (!reading.laid())
        return;
    if (reading.closesIntro)
        closeIntro();
    Picture1->hide();
    mnuMusik->setEnabled(false);
    if (reading.locksMenus) {
        mnuSpiel->setEnabled(false);
        solo->setEnabled(false);
    }
    setWindowTitle(reading.caption);
    QWidget *first = nullptr;
    switch (reading.opening) {
    case ReadingEntry::Opening::Shuffle:
        WindowRegistry::get<meld>()->showMessageAsDesigned(kWaiting);
        break;
    case ReadingEntry::Opening::ShuffleBriefly:
        // The panel closes after two seconds.
        WindowRegistry::get<meld>()->showMessage(kWaiting, meld::kShortMs);
        break;
    case ReadingEntry::Opening::Directly:
    case ReadingEntry::Opening::Minimized:
        first = WindowRegistry::get(*reading.first);
        showWindow(first);
        break;
    }
    if (!first) {
        // Pressed again, the same timer starts over.
        m_shuffled = reading.first;
        shuffleTimer->setEnabled(false);
        shuffleTimer->setEnabled(true);
        return;
    }
    if (reading.opening == ReadingEntry::Opening::Minimized)
        showMinimized();
}

void Start::school_Click()
{
    Music::startIfWanted();
    Picture1->hide();
    setWindowTitle(QStringLiteral("Orbelle: Escuela de Tarot"));
    mnuMusik->setEnabled(false);
    closeIntro();
    if (QWidget *school = WindowRegistry::get(WindowId::lernen)) {
        showWindow(school);
        Program::placeInside(school, 1000, 500);
    }
}

void Start::solo_Click()
{
    closeIntro();
    showWindow(WindowRegistry::get(WindowId::frmDrag));
}

void Start::barajas_Click()
{
    showWindow(WindowRegistry::get(WindowId::ordnerSuchen));
}

void Start::mnuMusik_Click()
{
    showWindow(WindowRegistry::get(WindowId::mojCorvin));
}

void Start::mnuView_Click()
{
    // Also brings a minimized viewer back.
    WindowRegistry::get<rtfViewer>()->showReport();
}

void Start::contacTo_Click()
{
    WindowRegistry::get<info>()->showContact();
}

void Start::mnuProg_Click()
{
    // The article shows even when the contact page hid it before.
    WindowRegistry::get<info>()->showArticle(info::kProgramArticle);
}

void Start::mnuTar_Click()
{
    WindowRegistry::get<info>()->showArticle(info::kTarotArticle);
}

void Start::mnuVers_Click()
{
    Dialogs::message(this, versionText());
}

bool Start::mayEnd()
{
    if (auto *viewer = WindowRegistry::ifLoaded<rtfViewer>())
        return viewer->mayDiscard();
    return true;
}

void Start::mnuKraj_Click()
{
    if (!mayEnd())
        return;
    // Unloading ends the program already, unless a restart was asked for; the exit
    // entries end it in any case.
    const int before = Program::endRequests();
    WindowRegistry::unload(this);
    if (Program::endRequests() == before)
        Program::end();
}

void Start::closedByFrame()
{
    // The frame's close is the exit, also after a restart with another deck (which leaves
    // keepRunning set): otherwise the program would go on without any window.
    mnuKraj_Click();
}

void Start::Form_Unload()
{
    if (m_unloaded)
        return;
    m_unloaded = true;
    keepPlace();
    WindowRegistry::unload(WindowId::mojCorvin);
    if (!modOrbelle::state().keepRunning) {
        Program::end();
        return;
    }
    // A restart with another deck: the report viewer goes with this window, its unsaved
    // readings do not. They wait in the recovery file for the next main window.
    if (rtfViewer *viewer = WindowRegistry::ifLoaded<rtfViewer>()) {
        s_carriedReport = ReportRecovery::stash();
        s_reportShown = viewer->isVisible();
        WindowRegistry::unload(viewer);
    }
}

void Start::takeOverReport()
{
    // A main window already gone again leaves them to the next one.
    if (!s_carriedReport || m_unloaded)
        return;
    s_carriedReport = false;
    if (ReportRecovery::restore() && s_reportShown)
        WindowRegistry::get<rtfViewer>()->showReport();
}
