#include "info.h"

#include "carddatabase.h"
#include "openurl.h"
#include "program.h"
#include "recordcursor.h"
#include "start.h"
#include "theme.h"
#include "twips.h"
#include "windows.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

#ifndef ORBELLE_CONTACT_URL
#define ORBELLE_CONTACT_URL ""
#endif
#ifndef ORBELLE_WEB_URL
#define ORBELLE_WEB_URL ""
#endif

namespace {
QPlainTextEdit *textBox(const char *name, QWidget *parent)
{
    auto *t = new QPlainTextEdit(parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setReadOnly(true);
    QFont f(QStringLiteral("Tahoma"));
    f.setStyleHint(QFont::SansSerif);
    f.setPointSize(11);
    t->setFont(f);
    return t;
}
} // namespace

QString info::contactAddress()
{
    return QStringLiteral(ORBELLE_CONTACT_URL);
}

QString info::webAddress()
{
    return QStringLiteral(ORBELLE_WEB_URL);
}

QStringList info::playerHelpLines()
{
    return {
        QStringLiteral("Ayuda para Tarot-Player "),
        QString(),
        QStringLiteral("Hay algunas cosas que usted tiene que saber.  "),
        QStringLiteral("Si usted pulsa en Musica si-no, puede escojer si quiere que la musica toca "),
        QStringLiteral("mientras programa es abierto o no. "),
        QStringLiteral("Si usted pulsa sobre Wave, Midi,CD-Player, usted puede fijar a un jugador "),
        QStringLiteral("(player), que debe tocar.  "),
        QStringLiteral("Usted debe encontrar luego su carpeta de la música donde usted guardó sus "),
        QStringLiteral("archivos de la música (en MIDI o Wave-formato).  Si quiere escuchar al "),
        QStringLiteral("CD-Player, entonces tiene que pulsar sobre CD-Player. "),
        QStringLiteral("En la carpeta Sonidos encuentre algunos archivos en MIDI-formato."),
        QStringLiteral("Cada player toca todos los archivos de la carpeta que usted tomó. "),
        QStringLiteral("Usted no oye ninguna música?  Probablemente usted hizo activo a un player "),
        QStringLiteral("incorrecto. Si es activo CD-Player, entonces usted no puede oír MIDI, si "),
        QStringLiteral("usted fija MIDI-Player activo, entonces usted no puede jugar archivos de "),
        QStringLiteral("Wave con él. Es importante fijar un jugador correcto y una carpeta no vacía."),
        QString(),
    };
}

QString info::creditsText()
{
    QStringList lines{
        QStringLiteral("Orbelle, versión 1.0.16"),
        QStringLiteral("Tarot para el escritorio: la carta del día, la cruz, el juego de relación con su "
                       "quintesencia, la cruz celta, sacar solo las cartas, la escuela de tarot y el "
                       "Visualizador."),
        QString(),
        QStringLiteral("Las cartas, los textos de las cartas, los fondos, los sonidos y la música fueron "
                       "creados para Orbelle."),
        QString(),
        QStringLiteral("Orbelle usa:"),
        QStringLiteral("• Qt 6 (The Qt Company y colaboradores), bajo la licencia LGPL versión 3."),
        QStringLiteral("• SQLite, de dominio público."),
        QStringLiteral("• FluidSynth (Peter Hanappe y colaboradores), bajo la licencia LGPL versión 2.1 o "
                       "posterior."),
        QStringLiteral("• La SoundFont TimGM6mb (Tim Brechbill), bajo la licencia GPL versión 2; "
                       "orbelle.sf2 contiene sus instrumentos sin cambios."),
        QStringLiteral("• Las fuentes Liberation (licencia SIL Open Font) y DejaVu (licencia libre de "
                       "Bitstream Vera)."),
    };
    if (!contactAddress().isEmpty() || !webAddress().isEmpty()) {
        lines << QString() << QStringLiteral("Contacto:");
        if (!contactAddress().isEmpty())
            lines << QStringLiteral("• Escríbenos: ") + contactAddress();
        if (!webAddress().isEmpty())
            lines << QStringLiteral("• Página web de Orbelle, con novedades y otras barajas: ") + webAddress();
    }
    return lines.join(QLatin1Char('\n'));
}

info::info(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Orbelle"));
    Data1 = new RecordCursor(this);
    Data1->setObjectName(QStringLiteral("Data1"));
    Text1 = new QTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text2 = textBox("Text2", this);
    Text3 = textBox("Text3", this);
    Text1->setFont(Text2->font());
    connect(Text1, &QTextEdit::textChanged, this, &info::setArticleLayout);
    Text2->setPlainText(creditsText());
    Text3->setPlainText(playerHelpLines().join(QLatin1Char('\n')));
    // Errors ignored: without the table the window still opens, Text1 empty.
    if (Data1->openTable(CardDatabase::shared(), QStringLiteral("stichwörter")))
        Data1->bind(Text1, QStringLiteral("stichwörter"));

    exitButton = new QPushButton(QStringLiteral("Salír"), this);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    mailButton = new QPushButton(QStringLiteral("Mandar una mail"), this);
    mailButton->setObjectName(QStringLiteral("mailButton"));
    webButton = new QPushButton(QStringLiteral("Visitar la pagina web de Orbelle"), this);
    webButton->setObjectName(QStringLiteral("webButton"));
    connect(exitButton, &QPushButton::clicked, this, [this] { WindowRegistry::unload(this); });
    connect(mailButton, &QPushButton::clicked, this, [] { Platform::openUrl(QUrl(contactAddress())); });
    connect(webButton, &QPushButton::clicked, this, [] { Platform::openUrl(QUrl(webAddress())); });
    exitButton->setShortcut(QKeySequence(Qt::Key_Escape));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(mailButton);
    buttons->addWidget(webButton);
    buttons->addStretch();
    buttons->addWidget(exitButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Text1, 1);
    layout->addWidget(Text2, 1);
    layout->addWidget(Text3, 1);
    layout->addLayout(buttons);
    keepButtonsWithoutAddressHidden();

    resize(Twips::size(10500, 7200));
    Program::adoptIntoMainWindow(this);
    Program::placeInside(this, 600, 300);
}

void info::showPage(QWidget *page)
{
    for (QWidget *t : std::initializer_list<QWidget *>{Text1, Text2, Text3})
        t->setVisible(t == page);
    Program::showInside(this);
    // Laid out now for the fonts of its size, not at the next turn of the event loop.
    layout()->activate();
    // The keys go to the page shown: it scrolls, and Escape leaves.
    page->setFocus(Qt::OtherFocusReason);
}

void info::showArticle(int record)
{
    showPage(Text1);
    Data1->moveNext();
    Data1->setAbsolutePosition(record);
    mailButton->hide();
    webButton->hide();
}

void info::showContact()
{
    showPage(Text2);
    // The contact page offers every address there is, whatever page showed before.
    mailButton->setVisible(!contactAddress().isEmpty());
    webButton->setVisible(!webAddress().isEmpty());
}

void info::showPlayerHelp()
{
    showPage(Text3);
    mailButton->hide();
    webButton->hide();
}

QDialog *info::showPlayerHelpOver(QWidget *owner)
{
    // A window of its own in front of the player, which stands outside the main window:
    // the info window inside it would open behind the player.
    if (auto *open = owner->findChild<QDialog *>(QStringLiteral("playerHelp"), Qt::FindDirectChildrenOnly)) {
        open->raise();
        open->activateWindow();
        return open;
    }
    auto *help = new QDialog(owner);
    help->setObjectName(QStringLiteral("playerHelp"));
    help->setAttribute(Qt::WA_DeleteOnClose);
    help->setWindowTitle(playerHelpLines().constFirst().trimmed());
    help->setAutoFillBackground(true);
    QPalette pal = help->palette();
    pal.setColor(QPalette::Window, Theme::backFrame());
    help->setPalette(pal);
    auto *text = textBox("helpText", help);
    // The title, then the text as one paragraph that wraps at the window's width.
    QStringList body = playerHelpLines().mid(1);
    for (QString &line : body)
        line = line.trimmed();
    body.removeAll(QString());
    text->setPlainText(playerHelpLines().constFirst().trimmed() + QStringLiteral("\n\n") +
                       body.join(QLatin1Char(' ')));
    text->setTabChangesFocus(true);
    auto *close = new QPushButton(QStringLiteral("Cerrar"), help);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setDefault(true);
    QObject::connect(close, &QPushButton::clicked, help, &QDialog::close);
    auto *layout = new QVBoxLayout(help);
    layout->addWidget(text, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    // As wide as the lines want, within the screen; the box scrolls what does not fit.
    const QFontMetrics fm(text->font());
    const QRect screen = owner->screen()->availableGeometry();
    help->resize(qMin(fm.averageCharWidth() * 70 + 60, int(screen.width() * 0.9)),
                 qMin(fm.lineSpacing() * int(playerHelpLines().size()) + 110, int(screen.height() * 0.85)));
    help->move(screen.center() - help->rect().center());
    help->show();
    help->raise();
    help->activateWindow();
    close->setFocus();
    return help;
}

void info::setArticleLayout()
{
    // An article reads as a title and paragraphs: the first line set larger, space
    // between the paragraphs. The text itself stays as stored.
    if (m_laying)
        return;
    m_laying = true;
    QTextCursor c(Text1->document());
    c.beginEditBlock();
    for (QTextBlock b = Text1->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor bc(b);
        QTextBlockFormat f = b.blockFormat();
        f.setBottomMargin(b == Text1->document()->begin() ? 10 : 7);
        bc.setBlockFormat(f);
        if (b == Text1->document()->begin()) {
            bc.select(QTextCursor::BlockUnderCursor);
            QTextCharFormat title;
            title.setFontWeight(QFont::Bold);
            title.setFontPointSize(Text1->font().pointSizeF() * 1.35);
            bc.mergeCharFormat(title);
        }
    }
    c.endEditBlock();
    m_laying = false;
}

void info::keepButtonsWithoutAddressHidden()
{
    if (contactAddress().isEmpty())
        mailButton->setVisible(false);
    if (webAddress().isEmpty())
        webButton->setVisible(false);
}

void info::showEvent(QShowEvent *)
{
    keepButtonsWithoutAddressHidden();
}
