#include "start.h"

#include "anima.h"
#include "backdrop.h"
#include "cardpictures.h"
#include "dialogs.h"
#include "info.h"
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
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace {

struct ButtonDesign
{
    const char *caption;
    int left, top, width, height;
};

constexpr std::array<ButtonDesign, 9> kButtons{{
    {"El juego de relacíon", 2040, 3360, 7815, 975},
    {"Sacar solo las cartas", 3240, 4560, 5535, 615},
    {"Cruz", 720, 2160, 3495, 735},
    {"Salír", 5040, 6480, 1695, 735},
    {"Der Zauberspruch der Zigeuner", 10440, 3600, 3375, 1095},
    {"Das Entscheidungsspiel", 6360, 0, 1335, 615},
    {"Das Keltische Kreuz", 1200, 7440, 4575, 735},
    {"Estudiar tarot", 3480, 5400, 5175, 615},
    {"¡Su carta para hoy!", 6120, 2040, 4935, 735},
}};

// The main window's size and place, beside the described keys.
const QString kGeometryKey = QStringLiteral("VentanaPrincipal");

const QString kWaiting = QStringLiteral("¡Un momento, por favór! Las cartas están barajadas!");

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

    m_mdi = new QMdiArea(this);
    m_mdi->setObjectName(QStringLiteral("mdiArea"));
    m_mdi->setBackground(Qt::NoBrush);
    m_mdi->viewport()->installEventFilter(this);
    setCentralWidget(m_mdi);
    Program::setMdiArea(m_mdi);

    // Load: the window and its button panel both show the night sky of the program folder.
    // The panel lies on the document area's own surface, under the windows shown there:
    // the info window and the report viewer open over it.
    Picture1 = new Backdrop(m_mdi->viewport());
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setBackground(QStringLiteral("nebo3.jpg"));
    Picture1->installEventFilter(this);

    for (size_t i = 0; i < kButtons.size(); ++i) {
        auto *b = new TextButton(QString::fromUtf8(kButtons[i].caption), Picture1);
        b->setObjectName(QStringLiteral("Label%1").arg(i + 1));
        m_buttons[i] = b;
    }
    Label1 = m_buttons[0];
    Label2 = m_buttons[1];
    Label3 = m_buttons[2];
    Label4 = m_buttons[3];
    Label5 = m_buttons[4];
    Label6 = m_buttons[5];
    Label7 = m_buttons[6];
    Label8 = m_buttons[7];
    Label9 = m_buttons[8];
    // Keyboard order: the readings from the top of the panel down, exit last.
    QWidget::setTabOrder(Label9, Label3);
    QWidget::setTabOrder(Label3, Label1);
    QWidget::setTabOrder(Label1, Label2);
    QWidget::setTabOrder(Label2, Label8);
    QWidget::setTabOrder(Label8, Label4);

    Timer1 = new Timer(this, 1000);
    Timer2 = new Timer(this, 1000);
    Timer3 = new Timer(this, 1000);
    Timer4 = new Timer(this, 1000);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer2->setObjectName(QStringLiteral("Timer2"));
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer4->setObjectName(QStringLiteral("Timer4"));
    // The Celtic cross opens its laying; the readings of Timer2 and Timer3 have no window,
    // the intro still goes.
    connect(Timer1, &QTimer::timeout, this, [this] {
        WindowRegistry::unload<anima>();
        showWindow(WindowRegistry::get(WindowId::legKelt));
        Timer1->setEnabled(false);
    });
    for (Timer *t : {Timer2, Timer3}) {
        connect(t, &QTimer::timeout, this, [t] {
            WindowRegistry::unload<anima>();
            t->setEnabled(false);
        });
    }
    connect(Timer4, &QTimer::timeout, this, [this] {
        showWindow(WindowRegistry::get(WindowId::legTag));
        Timer4->setEnabled(false);
    });

    buildMenus();
    // Each button gives the command of its menu entry.
    const std::array<QAction *, 9> commands{mnuBezi, solo,    mnukreuz, mnuKraj, mnuZig,
                                            mnuEnt,  mnuKelt, mnuLern,  mnuTag};
    for (size_t i = 0; i < m_buttons.size(); ++i)
        m_buttons[i]->setAction(commands[i]);
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
    mnukreuz = action("mnukreuz", QStringLiteral("&Cruz"), &Start::Label3_Click);
    mnuBezi = action("mnuBezi", QStringLiteral("&Relación"), &Start::Label1_Click);
    mnuKelt = action("mnuKelt", QStringLiteral("Das &Keltische Kreuz"), &Start::Label7_Click);
    mnuZig = action("mnuZig", QStringLiteral("&Zigeunerspruch"), &Start::Label5_Click);
    mnuEnt = action("mnuEnt", QStringLiteral("&Entscheidungsspiel"), &Start::Label6_Click);
    mnuTag = action("mnuTag", QStringLiteral("Carta de &hoy"), &Start::Label9_Click);
    mnuLern = action("mnuLern", QStringLiteral("Escuela de t&arot"), &Start::Label8_Click);
    mnuTag->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    mnukreuz->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
    mnuSpiel->addActions({mnukreuz, mnuBezi, mnuKelt, mnuZig, mnuEnt, mnuTag, mnuLern});
    for (QAction *a : {mnuZig, mnuEnt})
        a->setEnabled(false);

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
    // The readings without a window of their own stay switched off, as designed.
    bar->addAction(mnuKraj);
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
    const QRect area = m_mdi->viewport()->rect();
    Picture1->setGeometry(area);
    Picture1->lower();
    // The panel keeps its proportions: the designed area is scaled to fit and centred.
    // The panel was laid out for the area's design size.
    const QSize design = Program::areaDesign();
    const double s = qMin(area.width() / double(design.width()), area.height() / double(design.height()));
    const QPointF origin((area.width() - design.width() * s) / 2, (area.height() - design.height() * s) / 2);
    const double designRight = design.width() * s + origin.x();
    for (size_t i = 0; i < kButtons.size(); ++i) {
        const ButtonDesign &d = kButtons[i];
        QRectF r(origin.x() + d.left / double(Twips::perPixel) * s,
                 origin.y() + d.top / double(Twips::perPixel) * s, d.width / double(Twips::perPixel) * s,
                 d.height / double(Twips::perPixel) * s);
        // A caption that runs past the panel's edge is cut there, as on the designed panel.
        r.setRight(qMin(r.right(), designRight));
        m_buttons[i]->setGeometry(r.toRect());
        m_buttons[i]->setMaxPixelSize(int(qMin(r.height() * 0.62, 44.0 * s)));
    }
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
    return QMainWindow::eventFilter(watched, event);
}

void Start::enterReading(const QString &caption)
{
    Picture1->hide();
    mnuSpiel->setEnabled(false);
    solo->setEnabled(false);
    mnuMusik->setEnabled(false);
    setWindowTitle(caption);
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
    Label9->setFocus(Qt::OtherFocusReason);
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
    const auto need = [](WindowId window, std::initializer_list<QObject *> controls) {
        if (WindowRegistry::isKnown(window))
            return;
        for (QObject *c : controls) {
            if (auto *a = qobject_cast<QAction *>(c))
                a->setEnabled(false);
            else if (auto *w = qobject_cast<QWidget *>(c))
                w->setEnabled(false);
        }
    };
    need(WindowId::eingabe, {Label1, mnuBezi});
    need(WindowId::frmDrag, {Label2, solo});
    need(WindowId::lernen, {Label8, mnuLern});
    need(WindowId::legKelt, {Label7, mnuKelt});
    need(WindowId::ordnerSuchen, {barajas});
    need(WindowId::mojCorvin, {mnuMusik});
}

void Start::closeIntro()
{
    // The intro's unload stops its timers and closes its music.
    WindowRegistry::unload<anima>();
}

void Start::Label1_Click()
{
    setWindowTitle(QStringLiteral("Orbelle: Relación"));
    mnuMusik->setEnabled(false);
    // The names input asks for the first person as it opens.
    showWindow(WindowRegistry::get(WindowId::eingabe));
    Picture1->hide();
    showMinimized();
}

void Start::Label2_Click()
{
    solo_Click();
}

void Start::Label3_Click()
{
    enterReading(QStringLiteral("Orbelle: Cruz"));
    einfF *prompt = WindowRegistry::get<einfF>();
    showWindow(prompt);
    // Centred left to right on the main window, its lower edge at the middle.
    const QRect frame = frameGeometry();
    prompt->move(frame.left() + frame.width() / 2 - Twips::px(2500),
                 frame.top() + frame.height() / 2 - prompt->frameGeometry().height());
    closeIntro();
}

void Start::Label4_Click()
{
    mnuKraj_Click();
}

void Start::shuffleReading(const QString &caption, Timer *timer)
{
    // The panel closes after two seconds.
    WindowRegistry::get<meld>()->showMessage(kWaiting, meld::kShortMs);
    Picture1->hide();
    setWindowTitle(caption);
    mnuMusik->setEnabled(false);
    timer->setEnabled(true);
}

void Start::Label5_Click()
{
    shuffleReading(QStringLiteral("Orbelle: Zigeunerspruch"), Timer2);
}

void Start::Label6_Click()
{
    shuffleReading(QStringLiteral("Orbelle: Entscheidungsspiel"), Timer3);
}

void Start::Label7_Click()
{
    shuffleReading(QStringLiteral("Orbelle: Das Keltische Kreuz"), Timer1);
}

void Start::Label8_Click()
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

void Start::Label9_Click()
{
    closeIntro();
    enterReading(QStringLiteral("Orbelle: La carta de hoy"));
    WindowRegistry::get<meld>()->showMessageAsDesigned(kWaiting);
    Timer4->setEnabled(true);
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
