#include "slika.h"

#include "carddatabase.h"
#include "cardpictures.h"
#include "cardtables.h"
#include "dates.h"
#include "designscale.h"
#include "program.h"
#include "quintessence.h"
#include "recordcursor.h"
#include "reportpicture.h"
#include "rtfviewer.h"
#include "theme.h"
#include "twips.h"
#include "windows.h"

#include <QBuffer>
#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QLocale>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
// The deck's pictures are 700 × 1240.
constexpr double kDeckWidth = 700;
constexpr double kDeckHeight = 1240;

// The card in the report has the size it has in the readings.
QSize reportCardSize()
{
    return Twips::size(1515, 2655);
}

// The short date, in Spanish, and the time with its seconds.
QString now()
{
    return Dates::shortDateTime(QDateTime::currentDateTime());
}
} // namespace

QString slika::headingPrefix()
{
    return QStringLiteral("Quintesencia (Sesión ");
}

slika::slika(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Ondrias Tarot"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(7800, 4500));

    Shape1 = new QWidget(this);
    Shape1->setObjectName(QStringLiteral("Shape1"));
    Shape1->setAttribute(Qt::WA_StyledBackground);
    Shape1->setStyleSheet(QStringLiteral("#Shape1 { %1 }").arg(Theme::cardFrameStyle(8)));
    Image1 = new QLabel(Shape1);
    Image1->setObjectName(QStringLiteral("Image1"));
    placeCard(1.0);
    Image1->setScaledContents(true);
    Image1->setCursor(Qt::PointingHandCursor);
    Image1->installEventFilter(this);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(Twips::px(240), Twips::px(240), Twips::px(240), Twips::px(180));
    grid->setHorizontalSpacing(Twips::px(240));
    grid->setVerticalSpacing(Twips::px(180));
    grid->addWidget(Shape1, 0, 0, Qt::AlignTop);

    QFont body = Theme::textFont(10);
    const auto box = [&](const char *name) {
        auto *b = new QPlainTextEdit(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFont(body);
        b->setReadOnly(true);
        b->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        // Read from the keyboard as well: the arrows move through the text, Tab leaves it.
        b->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        b->setTabChangesFocus(true);
        b->setStyleSheet(Theme::meaningBoxStyle(QStringLiteral("QPlainTextEdit")));
        // All four in one place; the caller shows the one to be read.
        grid->addWidget(b, 0, 1);
        b->hide();
        return b;
    };
    richtextbox1 = box("richtextbox1");
    richtextbox2 = box("richtextbox2");
    richtextbox3 = box("richtextbox3");
    richtextbox5 = box("richtextbox5");
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(0, 1);

    saveButton = new QPushButton(QStringLiteral("&Guardar"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    exitButton = new QPushButton(QStringLiteral("&Salír"), this);
    exitButton->setObjectName(QStringLiteral("exitButton"));
    for (QPushButton *b : {exitButton, saveButton})
        b->setMinimumWidth(Twips::px(1400));
    connect(exitButton, &QPushButton::clicked, this, &slika::closeSheet);
    connect(saveButton, &QPushButton::clicked, this, &slika::save);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addSpacing(Twips::px(240));
    buttons->addWidget(exitButton);
    grid->addLayout(buttons, 1, 0, 1, 2);

    const auto cursor = [this](const char *name) {
        auto *c = new RecordCursor(this);
        c->setObjectName(QString::fromLatin1(name));
        connect(c, &RecordCursor::validate, this, [](int, bool *save) { *save = false; });
        return c;
    };
    Data1 = cursor("Data1");
    Data2 = cursor("Data2");
    Data3 = cursor("Data3");
    Data5 = cursor("Data5");

    Program::adoptIntoMainWindow(this);
}

void slika::Form_Load()
{
    const QSqlDatabase db = CardDatabase::shared();
    const std::array<std::pair<RecordCursor *, QPlainTextEdit *>, 4> bound{
        {{Data1, richtextbox1}, {Data2, richtextbox2}, {Data3, richtextbox3}, {Data5, richtextbox5}}};
    const std::array<QString, 4> tables{QStringLiteral("bezi3"), QStringLiteral("quintent"),
                                        QStringLiteral("quintzig"), QStringLiteral("quintzig")};
    for (size_t i = 0; i < bound.size(); ++i) {
        bound[i].first->openTable(db, tables[i]);
        bound[i].first->bind(bound[i].second, tables[i]);
    }
}

void slika::placeCard(double scale)
{
    // The frame and the card grow and shrink with the sheet; the card keeps the deck's
    // proportion within the design's place.
    const QSize frame(qRound(Twips::px(1785) * scale), qRound(Twips::px(2895) * scale));
    Shape1->setFixedSize(frame);
    const int border = qMax(2, qRound(Twips::px(120) * scale));
    const int height = frame.height() - 2 * border;
    const int width = qMin(frame.width() - 2 * border, qRound(height * kDeckWidth / kDeckHeight));
    Image1->setGeometry((frame.width() - width) / 2, border, width, height);
    if (!m_picture.isNull() && Image1->pixmap().size() != Image1->size())
        setPicture(m_picture);
}

void slika::resizeEvent(QResizeEvent *)
{
    // The sheet's scale, set as it is resized, never more than its height leaves the card
    // beside the text above the buttons.
    if (!saveButton)
        return;
    const DesignScale *design = DesignScale::of(this);
    double scale = design ? design->scale() : 1.0;
    // The margins above and below, the space between card and buttons, the buttons.
    const int room = height() - Twips::px(600) * scale - saveButton->sizeHint().height();
    scale = qMin(scale, room / double(Twips::px(2895)));
    placeCard(qMax(0.3, scale));
}

void slika::setPicture(const QImage &picture)
{
    m_picture = picture;
    Image1->setPixmap(QPixmap::fromImage(CardPictures::framed(picture, Image1->size())));
}

void slika::showQuintessence(int q, const QImage &picture, Kind kind)
{
    // The window the sheet was asked from has the keyboard back when the sheet closes.
    if (QMdiArea *area = Program::mdiArea()) {
        QMdiSubWindow *active = area->activeSubWindow();
        if (active && active->widget() != this)
            m_opener = active;
    }
    Program::showInside(this);
    setPicture(picture);
    m_pictureName = QStringLiteral("Quintesencia: ") +
                    CardDatabase::cardText(QStringLiteral("karten"), Quintessence::cardFor(q));
    Image1->setAccessibleName(m_pictureName);
    RecordCursor *cursor = kind == Kind::Decision ? Data2 : kind == Kind::General ? Data3 : Data1;
    QPlainTextEdit *box = kind == Kind::Decision  ? richtextbox2
                          : kind == Kind::General ? richtextbox3
                                                  : richtextbox1;
    for (QPlainTextEdit *other : {richtextbox1, richtextbox2, richtextbox3, richtextbox5})
        other->setVisible(other == box);
    // Quintessences 1 to 21 are rows 1 to 21; 0 has the table's last row.
    positionAtCard(*cursor, q >= 1 && q <= 21 ? q : CardTables::kQuintRows);
    box->setFocus(Qt::OtherFocusReason);
}

QPlainTextEdit *slika::shownBox() const
{
    for (QPlainTextEdit *box : {richtextbox1, richtextbox2, richtextbox3, richtextbox5})
        if (!box->isHidden())
            return box;
    return nullptr;
}

void slika::save()
{
    rtfViewer *viewer = WindowRegistry::get<rtfViewer>();
    viewer->setInsertionFontSize(14);
    viewer->insertText(QStringLiteral("\r\n") + headingPrefix() + now() + QStringLiteral(")\r\n"));
    viewer->setInsertionFontSize(12);
    viewer->insertText(QStringLiteral("\r\n"));
    if (!m_picture.isNull()) {
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        m_picture.save(&buffer, "JPEG", 90);
        if (!viewer->insertJpegPicture(jpeg, reportCardSize()))
            viewer->insertPicture(m_picture, reportCardSize());
        // Read by its card's name where the picture stands, in the viewer and the saved file.
        ReportPicture::describeBefore(viewer->Box1->textCursor(), m_pictureName);
    }
    // The text shown, if any.
    if (const QPlainTextEdit *box = shownBox())
        viewer->insertText(QStringLiteral("\r\n\r\n") + box->toPlainText());
    viewer->insertText(QStringLiteral("\r\n"));
    viewer->showReport(rtfViewer::Show::Normal);
}

void slika::closeSheet()
{
    QPointer<QMdiSubWindow> opener = m_opener;
    WindowRegistry::unload(this);
    if (opener && opener->isVisible() && Program::mdiArea())
        Program::mdiArea()->setActiveSubWindow(opener);
}

void slika::keyPressEvent(QKeyEvent *e)
{
    // Escape closes the sheet as "Salír" does.
    if (e->key() == Qt::Key_Escape) {
        closeSheet();
        return;
    }
    QWidget::keyPressEvent(e);
}

bool slika::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Image1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        closeSheet();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void slika::paintEvent(QPaintEvent *)
{
    // The sheet is a page of night sky in the reading's colours.
    QPainter p(this);
    p.fillRect(rect(), Theme::night());
}
