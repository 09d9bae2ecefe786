#pragma once

#include "backdrop.h"
#include "journalstore.h"
#include "windows.h"

#include <QWidget>

namespace StatsCharts {
class Pane;
}
class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QVBoxLayout;

// The reading journal: every reading recorded, newest first, with a calendar that marks
// the days with readings, a search in questions, names, titles and notes, and filters by
// kind and card. The chosen reading shows its cards with today's texts; its title and
// notes are stored as they are typed. A deleted reading can be brought back while the
// window is open. The second page charts the readings of a period.
class diario : public QWidget, public Loadable
{
    Q_OBJECT
public:
    explicit diario(QWidget *parent = nullptr);

    QTabWidget *tabs = nullptr;
    QCalendarWidget *calendar = nullptr;
    QCheckBox *dayOnlyBox = nullptr; // "Solo el día elegido"
    QLineEdit *searchEdit = nullptr;
    QComboBox *kindBox = nullptr; // "Todas" and the kinds
    QComboBox *cardBox = nullptr; // "Todas" and the 78 cards
    QListWidget *entryList = nullptr;
    QLineEdit *titleEdit = nullptr;
    QTextBrowser *cardsView = nullptr;
    QPlainTextEdit *notesEdit = nullptr;
    QPushButton *toViewerButton = nullptr;
    QPushButton *deleteButton = nullptr;
    QPushButton *undoButton = nullptr;
    QPushButton *exportButton = nullptr;
    QPushButton *importButton = nullptr;
    QPushButton *closeButton = nullptr;
    QComboBox *periodBox = nullptr;
    QDateEdit *fromEdit = nullptr; // the period's first and last day, "Entre dos fechas"
    QDateEdit *toEdit = nullptr;
    QPushButton *printButton = nullptr;
    QPushButton *chartsToViewerButton = nullptr;
    StatsCharts::Pane *charts = nullptr; // made when the statistics first show

    void Form_Load() override;
    void closedByFrame() override;

    // The readings the list shows, newest first.
    const QVector<JournalEntry> &shown() const { return m_shown; }
    qint64 currentId() const;
    void selectEntry(qint64 id);
    // What the cards pane says of a reading: each position with its card and today's text.
    static QString describe(const JournalEntry &entry);
    // The filter the controls set.
    JournalFilter filter() const;

public slots:
    void refresh();
    void refreshStats();
    void deleteCurrent();
    void undoDelete();
    void toViewer();
    void exportJournal();
    void importJournal();
    void printCharts();
    void chartsToViewer();

protected:
    void paintEvent(QPaintEvent *) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showEntry();
    // The entry's cards, small and turned as they lay, above what describe() says of them.
    void showCards(const JournalEntry &entry);
    void markDays();
    void tellFailure(const QString &what);
    QPair<QDate, QDate> period() const;
    // The period in words, for the report: "Este mes", "del 1/3/2026 al 31/3/2026".
    QString periodText() const;

    QVector<JournalEntry> m_shown;
    QVector<JournalEntry> m_deleted; // this session's, last on top
    JournalEntry m_current;
    bool m_filling = false;
    QVBoxLayout *m_statsLayout = nullptr;
    QLabel *m_chartsMissing = nullptr; // in the charts' place when their module cannot be loaded
    Sky m_background;
};

namespace Journal {
// Makes the journal's window known to the registry.
void registerWindows();
} // namespace Journal
