#pragma once

#include <QObject>
#include <QPointer>
#include <QSqlDatabase>
#include <QSqlRecord>
#include <QString>
#include <QVariantList>
#include <QVector>

#include <vector>

class QWidget;

// A cursor over the rows of one table (or of a query) in stored order, with controls
// bound to its fields: a bound text box or label always shows its field of the current
// row. It stands in for the windows' data controls, so positions are 0-based and a
// freshly opened cursor stands on its first row.
class RecordCursor : public QObject
{
    Q_OBJECT
public:
    enum Action { MoveFirst = 1, MovePrevious, MoveNext, MoveLast, Bookmark, Unload = 11 };
    Q_ENUM(Action)
    // The data engine's own error numbers, so handlers can tell the cases apart.
    enum ErrorCode {
        InvalidArgument = 3001,
        NoCurrentRecord = 3021,
        UpdateFailed = 3027,
        TableNotFound = 3078,
        WriteConflict = 3197, // the row changed since this cursor read it
        FieldNotFound = 3265,
    };
    Q_ENUM(ErrorCode)
    enum class Store { UnlessChanged, Overwrite };

    explicit RecordCursor(QObject *parent = nullptr);
    ~RecordCursor() override;

    // A whole table by name (letter case does not matter). Returns false, and
    // reports an error, when the table does not exist.
    bool openTable(const QSqlDatabase &db, const QString &table);
    // A read-only snapshot of a query; values are bound, never pasted into the text.
    bool openQuery(const QSqlDatabase &db, const QString &sql, const QVariantList &params = {});
    void close();

    bool isOpen() const { return m_open; }
    QString table() const { return m_table; }
    int recordCount() const { return int(m_rows.size()); }
    // 0-based; -1 before the first row (BOF), recordCount() after the last (EOF).
    int absolutePosition() const { return m_pos; }
    bool setAbsolutePosition(int pos);
    bool bof() const { return m_rows.empty() || m_pos < 0; }
    bool eof() const { return m_rows.empty() || m_pos >= recordCount(); }

    void moveFirst();
    void moveLast();
    void moveNext();
    void movePrevious();

    // A field of the current row; an invalid variant off the rows.
    QVariant value(const QString &field) const;

    // Binding: QLabel, QLineEdit, QTextEdit and QPlainTextEdit. The field name may be
    // changed at any time; the control shows the new field at once.
    void bind(QWidget *control, const QString &field);
    void setBoundField(QWidget *control, const QString &field);
    QString boundField(QWidget *control) const;

    // Whether a bound editor holds text the row does not have.
    bool dataChanged() const;
    // Stores the bound editors' text into the current row. False (and an error signal)
    // when it cannot: a read-only connection, a field the table lacks, nothing stored. A
    // row whose stored text is no longer the one this cursor read (another program wrote
    // it meanwhile) is never overwritten unless asked: WriteConflict.
    bool update(Store how = Store::UnlessChanged);
    // Shows the current row again in every bound control, dropping edits.
    void updateControls();
    // Reads the current row anew from the database and shows it, dropping edits.
    bool refreshRow();

signals:
    // After the cursor moved to another row (or stands on its first row when opened).
    void reposition();
    // Before the cursor leaves a row or closes while a bound editor was changed; the
    // handler may store or reload. Clearing *save drops the edit without asking again.
    void validate(int action, bool *save);
    // A failed operation. The handler may clear *show to stay silent; otherwise the
    // error is written to the log.
    void error(int code, const QString &description, bool *show);

private:
    struct Binding
    {
        QPointer<QWidget> control;
        QString field;
        bool changed = false; // edited since the cursor last showed its row
    };

    bool load(const QSqlDatabase &db, const QString &sql, const QVariantList &params, bool hasRowId);
    void leaveRow(int action);
    void moveTo(int pos);
    bool readRow(int pos);
    void show(Binding &b);
    QString editorText(QWidget *control) const;
    void reportError(int code, const QString &text);
    void watchEdits(QWidget *control);
    void markChanged(QWidget *control);
    int fieldIndex(const QString &field) const;

    QSqlDatabase m_db;
    QString m_table;
    bool m_open = false;
    std::vector<QSqlRecord> m_rows;
    std::vector<qint64> m_rowIds;
    int m_pos = -1;
    QVector<Binding> m_bindings;
    bool m_showing = false;
};

// Positions a cursor on card n the way every window does it: one row forward, then
// the 0-based absolute position n − 1.
void positionAtCard(RecordCursor &cursor, int card);

// The keywords of one card: the query the free board opens.
bool openKeywordQuery(RecordCursor &cursor, const QSqlDatabase &db, int card);
