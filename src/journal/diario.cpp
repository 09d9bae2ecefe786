#include "diario.h"

#include "carddatabase.h"
#include "cardpictures.h"
#include "dates.h"
#include "designscale.h"
#include "dialogs.h"
#include "statscharts.h"
#include "journalio.h"
#include "program.h"
#include "report.h"
#include "theme.h"
#include "twips.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QScrollArea>
#include <QTextBrowser>
#include <QUrl>
#include <QTextImageFormat>
#include <QTextDocument>
#include <QTextCursor>
#include <QTextCharFormat>
#include <QVBoxLayout>

#include <memory>

namespace {
constexpr int kWidth = 11400;
constexpr int kHeight = 8100;

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    // "…": the button asks something first.
    b->setProperty("endsInEllipsis", caption.endsWith(QChar(0x2026)));
    return b;
}

QLabel *label(QWidget *parent, const QString &text, QWidget *buddy)
{
    auto *l = new QLabel(text, parent);
    l->setBuddy(buddy);
    return l;
}

QString cardNameOf(int card, bool reversed)
{
    const QString name = CardDatabase::cardText(QStringLiteral("karten"), card);
    return reversed ? name + QStringLiteral(" (carta invertida)") : name;
}

// What the list says of a reading: when, what, and its title or question or names.
QString lineOf(const JournalEntry &e)
{
    QString about = e.title;
    if (about.isEmpty())
        about = e.spread.question;
    if (about.isEmpty() && !e.spread.firstName.isEmpty())
        about = e.spread.firstName + QStringLiteral(" y ") + e.spread.secondName;
    QString line = Dates::shortDateTime(e.at) + QStringLiteral(" · ") + Journal::kindLabel(e.kind);
    if (!about.isEmpty())
        line += QStringLiteral(" · ") + about.simplified();
    if (e.byHand)
        line += QStringLiteral(" · a mano");
    return line;
}

QString headingOf(const JournalEntry &e)
{
    QString heading = Journal::kindLabel(e.kind);
    if (!e.title.isEmpty())
        heading += QStringLiteral(": ") + e.title;
    else if (!e.spread.question.isEmpty())
        heading += QStringLiteral(": ") + e.spread.question;
    else if (!e.spread.firstName.isEmpty())
        heading += QStringLiteral(": ") + e.spread.firstName + QStringLiteral(" y ") + e.spread.secondName;
    return heading + QStringLiteral(" (") + Dates::shortDateTime(e.at) + QLatin1Char(')');
}

// Today's text of a position: the day card's meaning, every other card's keywords.
QString textOf(const JournalEntry &e, int k)
{
    if (e.kind == QLatin1String("dia") && e.spread.meaningSet >= 1 && e.spread.meaningSet <= 3)
        return CardDatabase::cardText(QStringLiteral("tag%1").arg(e.spread.meaningSet), e.spread.card(k));
    return CardDatabase::cardText(QStringLiteral("stichwörter"), e.spread.card(k));
}
} // namespace

diario::diario(QWidget *parent) : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Diario de lecturas"));
    setWindowIcon(QIcon(CardPictures::programFile(QStringLiteral("orbelle.png"))));
    resize(Twips::size(kWidth, kHeight));

    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    auto *readingsPage = new QWidget;
    auto *statsPage = new QWidget;
    // Where the window is smaller than a page needs, the page scrolls instead of squeezing
    // its controls.
    const auto scrolling = [](QWidget *page) {
        auto *area = new QScrollArea;
        area->setWidget(page);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        return area;
    };
    tabs->addTab(scrolling(readingsPage), QStringLiteral("&Lecturas"));
    tabs->addTab(scrolling(statsPage), QStringLiteral("&Estadísticas"));

    // The readings page: the calendar and the filters, the list, the chosen reading.
    calendar = new QCalendarWidget(readingsPage);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setLocale(QLocale(QLocale::Spanish));
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calendar->setAccessibleName(QStringLiteral("Calendario de lecturas"));
    dayOnlyBox = new QCheckBox(QStringLiteral("Solo el &día elegido"), readingsPage);
    dayOnlyBox->setObjectName(QStringLiteral("dayOnlyBox"));
    searchEdit = new QLineEdit(readingsPage);
    searchEdit->setObjectName(QStringLiteral("searchEdit"));
    searchEdit->setClearButtonEnabled(true);
    searchEdit->setPlaceholderText(QStringLiteral("pregunta, nombres, notas…"));
    kindBox = new QComboBox(readingsPage);
    kindBox->setObjectName(QStringLiteral("kindBox"));
    kindBox->addItem(QStringLiteral("Todas"), QString());
    for (const QString &kind : Journal::kinds())
        kindBox->addItem(Journal::kindLabel(kind), kind);
    cardBox = new QComboBox(readingsPage);
    cardBox->setObjectName(QStringLiteral("cardBox"));
    cardBox->setEditable(true); // typed, the names are searched
    cardBox->setInsertPolicy(QComboBox::NoInsert);
    entryList = new QListWidget(readingsPage);
    entryList->setObjectName(QStringLiteral("entryList"));
    entryList->setAccessibleName(QStringLiteral("Lecturas"));
    titleEdit = new QLineEdit(readingsPage);
    titleEdit->setObjectName(QStringLiteral("titleEdit"));
    cardsView = new QTextBrowser(readingsPage);
    cardsView->setObjectName(QStringLiteral("cardsView"));
    cardsView->setAccessibleName(QStringLiteral("Cartas de la lectura"));
    cardsView->setTabChangesFocus(true);
    notesEdit = new QPlainTextEdit(readingsPage);
    notesEdit->setObjectName(QStringLiteral("notesEdit"));
    notesEdit->setTabChangesFocus(true);
    notesEdit->setPlaceholderText(QStringLiteral("Tus notas se guardan mientras escribes."));
    toViewerButton = button(readingsPage, "toViewerButton", QStringLiteral("Al &visualizador"));
    deleteButton = button(readingsPage, "deleteButton", QStringLiteral("Bo&rrar"));
    undoButton = button(readingsPage, "undoButton", QStringLiteral("Des&hacer borrado"));
    exportButton = button(readingsPage, "exportButton", QStringLiteral("E&xportar…"));
    importButton = button(readingsPage, "importButton", QStringLiteral("I&mportar…"));
    undoButton->setEnabled(false);

    auto *filters = new QGridLayout;
    filters->addWidget(label(readingsPage, QStringLiteral("&Buscar:"), searchEdit), 0, 0);
    filters->addWidget(searchEdit, 0, 1);
    filters->addWidget(label(readingsPage, QStringLiteral("T&ipo:"), kindBox), 1, 0);
    filters->addWidget(kindBox, 1, 1);
    filters->addWidget(label(readingsPage, QStringLiteral("C&arta:"), cardBox), 2, 0);
    filters->addWidget(cardBox, 2, 1);
    auto *left = new QVBoxLayout;
    left->addWidget(label(readingsPage, QStringLiteral("Cale&ndario:"), calendar));
    left->addWidget(calendar);
    left->addWidget(dayOnlyBox);
    left->addLayout(filters);
    left->addWidget(label(readingsPage, QStringLiteral("Li&sta:"), entryList));
    left->addWidget(entryList, 1);
    auto *right = new QVBoxLayout;
    right->addWidget(label(readingsPage, QStringLiteral("Tít&ulo:"), titleEdit));
    right->addWidget(titleEdit);
    right->addWidget(cardsView, 3);
    right->addWidget(label(readingsPage, QStringLiteral("No&tas:"), notesEdit));
    right->addWidget(notesEdit, 2);
    // What is done with the reading, and below it with the whole journal.
    auto *entryButtons = new QHBoxLayout;
    for (QPushButton *b : {toViewerButton, deleteButton, undoButton})
        entryButtons->addWidget(b);
    right->addLayout(entryButtons);
    auto *journalButtons = new QHBoxLayout;
    journalButtons->addStretch(1);
    journalButtons->addWidget(exportButton);
    journalButtons->addWidget(importButton);
    right->addLayout(journalButtons);
    auto *page = new QHBoxLayout(readingsPage);
    page->addLayout(left, 2);
    page->addLayout(right, 3);

    // The statistics page.
    periodBox = new QComboBox(statsPage);
    periodBox->setObjectName(QStringLiteral("periodBox"));
    periodBox->addItems({QStringLiteral("Todas las lecturas"), QStringLiteral("Este mes"),
                         QStringLiteral("Los últimos 12 meses"), QStringLiteral("Este año"),
                         QStringLiteral("Entre dos fechas")});
    fromEdit = new QDateEdit(QDate::currentDate().addMonths(-1), statsPage);
    fromEdit->setObjectName(QStringLiteral("fromEdit"));
    toEdit = new QDateEdit(QDate::currentDate(), statsPage);
    toEdit->setObjectName(QStringLiteral("toEdit"));
    for (QDateEdit *edit : {fromEdit, toEdit}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("d/M/yyyy"));
        edit->setEnabled(false);
    }
    printButton = button(statsPage, "printButton", QStringLiteral("Im&primir…"));
    chartsToViewerButton = button(statsPage, "chartsToViewerButton", QStringLiteral("Gráficos al visuali&zador"));
    // The charts are made when their page first shows: the journal opens without them.
    auto *statsTop = new QHBoxLayout;
    statsTop->addWidget(label(statsPage, QStringLiteral("Peri&odo:"), periodBox));
    statsTop->addWidget(periodBox);
    statsTop->addWidget(label(statsPage, QStringLiteral("desde"), fromEdit));
    statsTop->addWidget(fromEdit);
    statsTop->addWidget(label(statsPage, QStringLiteral("hasta"), toEdit));
    statsTop->addWidget(toEdit);
    statsTop->addStretch(1);
    statsTop->addWidget(printButton);
    statsTop->addWidget(chartsToViewerButton);
    m_statsLayout = new QVBoxLayout(statsPage);
    m_statsLayout->addLayout(statsTop);

    closeButton = button(this, "closeButton", QStringLiteral("&Cerrar"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(tabs, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(closeButton);
    layout->addLayout(bottom);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QShortcut::activated, this, [this] { WindowRegistry::unload(this); });

    connect(closeButton, &QPushButton::clicked, this, [this] { WindowRegistry::unload(this); });
    connect(searchEdit, &QLineEdit::textChanged, this, &diario::refresh);
    connect(kindBox, &QComboBox::currentIndexChanged, this, &diario::refresh);
    connect(cardBox, &QComboBox::currentIndexChanged, this, &diario::refresh);
    connect(dayOnlyBox, &QCheckBox::toggled, this, &diario::refresh);
    connect(calendar, &QCalendarWidget::selectionChanged, this, [this] {
        if (dayOnlyBox->isChecked())
            refresh();
    });
    // A day chosen with Enter or a click shows that day's readings.
    connect(calendar, &QCalendarWidget::activated, this, [this] { dayOnlyBox->setChecked(true); });
    connect(calendar, &QCalendarWidget::clicked, this, [this] { dayOnlyBox->setChecked(true); });
    connect(entryList, &QListWidget::currentRowChanged, this, [this] { showEntry(); });
    connect(titleEdit, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (m_current.id && !JournalStore::instance().setTitle(m_current.id, text))
            tellFailure(QStringLiteral("el título"));
        m_current.title = text;
        if (QListWidgetItem *item = entryList->currentItem())
            item->setText(lineOf(m_current));
    });
    connect(notesEdit, &QPlainTextEdit::textChanged, this, [this] {
        if (m_filling || !m_current.id)
            return;
        m_current.notes = notesEdit->toPlainText();
        if (!JournalStore::instance().setNotes(m_current.id, m_current.notes))
            tellFailure(QStringLiteral("las notas"));
    });
    connect(toViewerButton, &QPushButton::clicked, this, &diario::toViewer);
    connect(deleteButton, &QPushButton::clicked, this, &diario::deleteCurrent);
    connect(undoButton, &QPushButton::clicked, this, &diario::undoDelete);
    connect(exportButton, &QPushButton::clicked, this, &diario::exportJournal);
    connect(importButton, &QPushButton::clicked, this, &diario::importJournal);
    connect(periodBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        fromEdit->setEnabled(index == 4);
        toEdit->setEnabled(index == 4);
        refreshStats();
    });
    for (QDateEdit *edit : {fromEdit, toEdit})
        connect(edit, &QDateEdit::dateChanged, this, [this] {
            if (periodBox->currentIndex() == 4)
                refreshStats();
        });
    connect(printButton, &QPushButton::clicked, this, &diario::printCharts);
    connect(chartsToViewerButton, &QPushButton::clicked, this, &diario::chartsToViewer);
    connect(tabs, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 1)
            refreshStats();
    });
    // Delete in the list deletes the chosen reading, asked first as "Borrar" does.
    entryList->installEventFilter(this);

    DesignScale::install(this, size(), DesignScale::Layout::Managed);
    Program::adoptIntoMainWindow(this);
}

void diario::Form_Load()
{
    m_background = Sky(QStringLiteral("nebo3.jpg"));
    m_filling = true;
    cardBox->addItem(QStringLiteral("Todas"), 0);
    for (int card = 1; card <= 78; ++card)
        cardBox->addItem(CardDatabase::cardText(QStringLiteral("karten"), card), card);
    m_filling = false;
    if (!JournalStore::instance().isAvailable())
        Dialogs::message(this, JournalStore::instance().lastError(), QMessageBox::Ok, QMessageBox::Warning);
    refresh();
}

void diario::closedByFrame()
{
    WindowRegistry::unload(this);
}

void diario::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!isAncestorOf(QApplication::focusWidget()))
        entryList->setFocus(Qt::OtherFocusReason);
}

JournalFilter diario::filter() const
{
    JournalFilter f;
    f.text = searchEdit->text();
    f.kind = kindBox->currentData().toString();
    // A typed name that matches no card leaves the card filter off.
    f.card = cardBox->currentText() == cardBox->itemText(cardBox->currentIndex()) ? cardBox->currentData().toInt() : 0;
    if (dayOnlyBox->isChecked()) {
        f.from = calendar->selectedDate();
        f.to = calendar->selectedDate();
    }
    return f;
}

void diario::refresh()
{
    if (m_filling)
        return;
    const qint64 keep = currentId();
    m_shown = JournalStore::instance().list(filter());
    m_filling = true;
    entryList->clear();
    int row = m_shown.isEmpty() ? -1 : 0;
    QStringList lines;
    lines.reserve(m_shown.size());
    for (qsizetype i = 0; i < m_shown.size(); ++i) {
        lines << lineOf(m_shown[i]);
        if (m_shown[i].id == keep)
            row = int(i);
    }
    entryList->addItems(lines);
    m_filling = false;
    entryList->setCurrentRow(row);
    showEntry();
    markDays();
}

void diario::markDays()
{
    // Only the days with readings stand out.
    calendar->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat marked;
    marked.setFontWeight(QFont::Bold);
    marked.setBackground(QColor(255, 214, 120));
    marked.setForeground(Qt::black);
    marked.setToolTip(QStringLiteral("Hay lecturas este día"));
    for (const QDate &day : JournalStore::instance().days())
        calendar->setDateTextFormat(day, marked);
}

qint64 diario::currentId() const
{
    const int row = entryList->currentRow();
    return row >= 0 && row < m_shown.size() ? m_shown[row].id : 0;
}

void diario::selectEntry(qint64 id)
{
    for (qsizetype i = 0; i < m_shown.size(); ++i) {
        if (m_shown[i].id == id)
            entryList->setCurrentRow(int(i));
    }
}

QString diario::describe(const JournalEntry &e)
{
    QStringList parts{headingOf(e)};
    if (!e.spread.question.isEmpty())
        parts << QStringLiteral("Pregunta: ") + e.spread.question;
    if (!e.spread.firstName.isEmpty() || !e.spread.secondName.isEmpty())
        parts << QStringLiteral("Personas: %1 y %2").arg(e.spread.firstName, e.spread.secondName);
    if (e.byHand)
        parts << QStringLiteral("Cartas de tu propia baraja, anotadas a mano.");
    for (int k = 1; k <= e.spread.size(); ++k)
        parts << QStringLiteral("%1. %2\n%3").arg(k).arg(cardNameOf(e.spread.card(k), e.spread.isReversed(k)),
                                                     textOf(e, k));
    return parts.join(QStringLiteral("\n\n"));
}

void diario::showEntry()
{
    if (m_filling)
        return;
    const int row = entryList->currentRow();
    // Read anew with its cards: the list holds none.
    m_current = row >= 0 && row < m_shown.size() ? JournalStore::instance().entry(m_shown[row].id) : JournalEntry();
    const bool any = m_current.id != 0;
    const bool writable = any && JournalStore::instance().isWritable();
    m_filling = true;
    titleEdit->setText(m_current.title);
    notesEdit->setPlainText(m_current.notes);
    showCards(m_current);
    m_filling = false;
    titleEdit->setEnabled(writable);
    notesEdit->setEnabled(writable);
    toViewerButton->setEnabled(any);
    deleteButton->setEnabled(writable);
}

void diario::showCards(const JournalEntry &e)
{
    // The cards as they lay, small, in a row above what they say.
    cardsView->clear();
    QTextCursor cursor(cardsView->document());
    if (e.id == 0) {
        cursor.insertText(QStringLiteral("No hay ninguna lectura elegida."));
        return;
    }
    const int width = qMax(24, cardsView->fontMetrics().height() * 3);
    const QSize shown(width, width * 1240 / 700);
    for (int k = 1; k <= e.spread.size(); ++k) {
        QImage picture = CardPictures::loadScaled(e.spread.card(k), shown * cardsView->devicePixelRatioF());
        if (e.spread.isReversed(k))
            picture = CardPictures::halfTurn(picture);
        const QUrl name(QStringLiteral("carta:%1").arg(k));
        cardsView->document()->addResource(QTextDocument::ImageResource, name, picture);
        QTextImageFormat f;
        f.setName(name.toString());
        f.setWidth(shown.width());
        f.setHeight(shown.height());
        cursor.insertImage(f);
        cursor.insertText(QStringLiteral(" "));
    }
    cursor.insertBlock();
    cursor.insertText(describe(e));
    cardsView->moveCursor(QTextCursor::Start);
}

void diario::tellFailure(const QString &what)
{
    // Once per failure kind a session: typing goes on, what was stored stays.
    static QString told;
    const QString text = QStringLiteral("No se pudo guardar %1 de la lectura.\n\n%2")
                             .arg(what, JournalStore::instance().lastError());
    if (told == text)
        return;
    told = text;
    Dialogs::message(this, text, QMessageBox::Ok, QMessageBox::Warning);
}

void diario::deleteCurrent()
{
    if (!m_current.id)
        return;
    if (Dialogs::message(this,
                         QStringLiteral("¿Borrar esta lectura del diario?\n\n%1\n\nPuedes deshacerlo mientras "
                                        "el diario siga abierto.")
                             .arg(headingOf(m_current)),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Question) != QMessageBox::Yes)
        return;
    const JournalEntry gone = m_current;
    if (!JournalStore::instance().remove(m_current.id)) {
        Dialogs::message(this, QStringLiteral("No se pudo borrar la lectura.\n\n") + JournalStore::instance().lastError(),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    m_deleted.append(gone);
    undoButton->setEnabled(true);
    refresh();
}

void diario::undoDelete()
{
    if (m_deleted.isEmpty())
        return;
    if (!JournalStore::instance().restore(m_deleted.last())) {
        Dialogs::message(this, QStringLiteral("No se pudo recuperar la lectura.\n\n") + JournalStore::instance().lastError(),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    const qint64 id = m_deleted.takeLast().id;
    undoButton->setEnabled(!m_deleted.isEmpty());
    refresh();
    selectEntry(id);
}

void diario::toViewer()
{
    if (!m_current.id)
        return;
    const JournalEntry &e = m_current;
    Report::setFontSize(14);
    Report::insertText(QStringLiteral("\r\n") + headingOf(e) + QStringLiteral("\r\n"));
    Report::setFontSize(12);
    for (int k = 1; k <= e.spread.size(); ++k) {
        Report::insertText(QStringLiteral("\r\n"));
        Report::insertCard(QImage(), e.spread.card(k), e.spread.isReversed(k));
        Report::insertText(QStringLiteral("\r\n\r\n%1. %2: %3\r\n")
                               .arg(k)
                               .arg(cardNameOf(e.spread.card(k), e.spread.isReversed(k)), textOf(e, k)));
    }
    if (!e.notes.isEmpty())
        Report::insertText(QStringLiteral("\r\nNotas: ") + e.notes + QStringLiteral("\r\n"));
    Report::show(false);
}

void diario::exportJournal()
{
    const QString path = Dialogs::saveFileName(this, QStringLiteral("Exportar el diario"),
                                               QStringLiteral("Diario JSON (*.json);;Tabla CSV (*.csv)"));
    if (path.isEmpty())
        return;
    const QVector<JournalEntry> all = JournalStore::instance().list({}, true);
    const bool csv = path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(csv ? JournalIO::toCsv(all) : JournalIO::toJson(all)) < 0 ||
        !out.commit()) {
        Dialogs::message(this, QStringLiteral("No se pudo exportar el diario.\n\n") + Dialogs::fileProblem(out),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    Dialogs::message(this, QStringLiteral("Diario exportado: %1 lecturas.").arg(all.size()));
}

void diario::importJournal()
{
    const QString path = Dialogs::openFileName(this, QStringLiteral("Importar un diario"),
                                               QStringLiteral("Diario (*.json *.csv)"));
    if (path.isEmpty())
        return;
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
        Dialogs::message(this, QStringLiteral("No se pudo leer el archivo.\n\n") + Dialogs::fileProblem(in),
                         QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    const QByteArray bytes = in.readAll();
    const JournalIO::Imported read = path.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive)
                                         ? JournalIO::fromCsv(bytes)
                                         : JournalIO::fromJson(bytes);
    if (!read.error.isEmpty()) {
        Dialogs::message(this, read.error, QMessageBox::Ok, QMessageBox::Warning);
        return;
    }
    const int added = JournalIO::addNew(read.entries);
    refresh();
    if (added < 0)
        Dialogs::message(this, QStringLiteral("No se pudo importar todo el diario.\n\n") + JournalStore::instance().lastError(),
                         QMessageBox::Ok, QMessageBox::Warning);
    else
        Dialogs::message(this, QStringLiteral("Se han añadido %1 lecturas; %2 ya estaban en tu diario.")
                                   .arg(added)
                                   .arg(read.entries.size() - added));
}

QPair<QDate, QDate> diario::period() const
{
    const QDate today = QDate::currentDate();
    switch (periodBox->currentIndex()) {
    case 4:
        // The two days in either order.
        return {qMin(fromEdit->date(), toEdit->date()), qMax(fromEdit->date(), toEdit->date())};
    case 1:
        return {QDate(today.year(), today.month(), 1), today};
    case 2:
        return {today.addMonths(-12).addDays(1), today};
    case 3:
        return {QDate(today.year(), 1, 1), today};
    default:
        return {};
    }
}

void diario::refreshStats()
{
    if (!charts) {
        charts = StatsCharts::make(m_statsLayout->parentWidget());
        if (!charts) {
            // Without the charts the figures are still said, in words.
            m_chartsMissing = new QLabel(m_statsLayout->parentWidget());
            m_chartsMissing->setObjectName(QStringLiteral("summaryLabel"));
            m_chartsMissing->setWordWrap(true);
            m_statsLayout->addWidget(m_chartsMissing, 1, Qt::AlignTop);
            printButton->setEnabled(false);
            chartsToViewerButton->setEnabled(false);
        } else {
            m_statsLayout->addWidget(charts, 1);
        }
    }
    const auto [from, to] = period();
    const StatsCharts::Figures figures = StatsCharts::figuresOf(JournalStore::instance().stats(from, to));
    if (charts)
        charts->showFigures(figures);
    else
        m_chartsMissing->setText(figures.summary + QStringLiteral("\n\nLos gráficos no se pueden mostrar: falta "
                                                                  "una parte del programa (orbelle_charts.so)."));
}

void diario::printCharts()
{
    refreshStats();
    if (!charts)
        return;
    auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
    printer->setPageOrientation(QPageLayout::Landscape);
    auto *dialog = new QPrintDialog(printer.get(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, printer] {
        QPainter p;
        if (!p.begin(printer.get())) {
            Dialogs::message(this, QStringLiteral("No se pudo imprimir."), QMessageBox::Ok, QMessageBox::Warning);
            return;
        }
        const QRect page = p.viewport();
        const QImage picture = charts->picture(QSize(1400, 1000));
        const QSize fitted = picture.size().scaled(page.size(), Qt::KeepAspectRatio);
        p.drawImage(QRect(page.topLeft(), fitted), picture);
        p.end();
    });
    connect(dialog, &QObject::destroyed, dialog, [printer] {});
    dialog->open();
}

QString diario::periodText() const
{
    if (periodBox->currentIndex() != 4)
        return periodBox->currentText();
    const auto [from, to] = period();
    return QStringLiteral("del %1 al %2").arg(from.toString(QStringLiteral("d/M/yyyy")),
                                             to.toString(QStringLiteral("d/M/yyyy")));
}

void diario::chartsToViewer()
{
    refreshStats();
    if (!charts)
        return;
    Report::setFontSize(14);
    Report::insertText(QStringLiteral("\r\nEstadísticas del diario: %1 (%2)\r\n\r\n")
                           .arg(periodText(), Report::today()));
    Report::setFontSize(12);
    Report::insertPicture(charts->picture(QSize(1400, 1000)));
    Report::insertText(QStringLiteral("\r\n"));
    Report::show(false);
}

bool diario::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == entryList && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        deleteCurrent();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void diario::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paintCovering(p, rect(), m_background);
}

namespace Journal {
void registerWindows()
{
    WindowRegistry::registerWindow<diario>();
}
} // namespace Journal
