#include "recordcursor.h"

#include "carddatabase.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QTextEdit>

namespace {
QString quoted(const QString &identifier)
{
    QString s = identifier;
    s.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + s + QLatin1Char('"');
}
} // namespace

RecordCursor::RecordCursor(QObject *parent) : QObject(parent) {}

RecordCursor::~RecordCursor() = default;

bool RecordCursor::openTable(const QSqlDatabase &db, const QString &table)
{
    const QString stored = CardDatabase::resolveTable(db, table);
    if (stored.isEmpty()) {
        close();
        reportError(TableNotFound, QStringLiteral("no table %1").arg(table));
        return false;
    }
    const bool ok =
        load(db, QStringLiteral("SELECT rowid, * FROM %1 ORDER BY rowid").arg(quoted(stored)), {}, true);
    m_table = ok ? stored : QString();
    return ok;
}

bool RecordCursor::openQuery(const QSqlDatabase &db, const QString &sql, const QVariantList &params)
{
    m_table.clear();
    return load(db, sql, params, false);
}

bool RecordCursor::load(const QSqlDatabase &db, const QString &sql, const QVariantList &params, bool hasRowId)
{
    if (m_open)
        leaveRow(Unload);
    m_db = db;
    m_rows.clear();
    m_rowIds.clear();
    m_open = false;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        reportError(InvalidArgument, q.lastError().text());
        return false;
    }
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec()) {
        reportError(InvalidArgument, q.lastError().text());
        return false;
    }
    while (q.next()) {
        QSqlRecord r = q.record();
        if (hasRowId) {
            m_rowIds.push_back(r.value(0).toLongLong());
            r.remove(0);
        }
        m_rows.push_back(r);
    }
    m_open = true;
    m_pos = m_rows.empty() ? -1 : 0;
    for (Binding &b : m_bindings)
        show(b);
    emit reposition();
    return true;
}

void RecordCursor::close()
{
    if (m_open)
        leaveRow(Unload);
    m_open = false;
    m_rows.clear();
    m_rowIds.clear();
    m_pos = -1;
    m_table.clear();
    // A closed cursor holds no connection, so the connection can be removed.
    m_db = QSqlDatabase();
}

bool RecordCursor::setAbsolutePosition(int pos)
{
    if (pos < 0 || pos >= recordCount()) {
        reportError(InvalidArgument,
                    QStringLiteral("position %1 outside 0..%2").arg(pos).arg(recordCount() - 1));
        return false;
    }
    moveTo(pos);
    return true;
}

void RecordCursor::moveFirst()
{
    if (!m_rows.empty())
        moveTo(0);
}

void RecordCursor::moveLast()
{
    if (!m_rows.empty())
        moveTo(recordCount() - 1);
}

void RecordCursor::moveNext()
{
    if (m_rows.empty())
        return;
    if (m_pos >= recordCount()) {
        reportError(NoCurrentRecord, QStringLiteral("move past the end"));
        return;
    }
    moveTo(m_pos + 1);
}

void RecordCursor::movePrevious()
{
    if (m_rows.empty())
        return;
    if (m_pos < 0) {
        reportError(NoCurrentRecord, QStringLiteral("move before the start"));
        return;
    }
    moveTo(m_pos - 1);
}

void RecordCursor::moveTo(int pos)
{
    if (pos == m_pos)
        return;
    leaveRow(pos == 0 ? MoveFirst : pos > m_pos ? MoveNext : MovePrevious);
    m_pos = pos;
    // The row as it is now: another program may have written it since the table was read.
    readRow(pos);
    for (Binding &b : m_bindings)
        show(b);
    emit reposition();
}

void RecordCursor::leaveRow(int action)
{
    if (!dataChanged())
        return;
    bool save = true;
    emit validate(action, &save);
    // The handler may have stored or reloaded already; what is still changed is stored
    // unless the handler said not to.
    if (save && dataChanged())
        update();
}

QVariant RecordCursor::value(const QString &field) const
{
    if (bof() || eof())
        return QVariant();
    return m_rows[size_t(m_pos)].value(field);
}

int RecordCursor::fieldIndex(const QString &field) const
{
    if (m_rows.empty())
        return -1;
    // QSqlRecord compares names without regard to case for ASCII only; match by
    // Unicode case folding so "Stichwörter" finds "stichwörter".
    const QSqlRecord &r = m_rows.front();
    for (int i = 0; i < r.count(); ++i) {
        if (r.fieldName(i).compare(field, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

void RecordCursor::bind(QWidget *control, const QString &field)
{
    for (Binding &b : m_bindings) {
        if (b.control == control) {
            b.field = field;
            show(b);
            return;
        }
    }
    m_bindings.append({control, field, false});
    watchEdits(control);
    show(m_bindings.last());
}

void RecordCursor::setBoundField(QWidget *control, const QString &field)
{
    bind(control, field);
}

QString RecordCursor::boundField(QWidget *control) const
{
    for (const Binding &b : m_bindings) {
        if (b.control == control)
            return b.field;
    }
    return QString();
}

void RecordCursor::show(Binding &b)
{
    if (!b.control)
        return;
    QString text;
    if (!bof() && !eof()) {
        const int i = fieldIndex(b.field);
        if (i >= 0)
            text = m_rows[size_t(m_pos)].value(i).toString();
    }
    m_showing = true;
    if (auto *l = qobject_cast<QLabel *>(b.control)) {
        l->setText(text);
    } else if (auto *e = qobject_cast<QLineEdit *>(b.control)) {
        e->setText(text);
    } else if (auto *t = qobject_cast<QTextEdit *>(b.control)) {
        t->setPlainText(text);
    } else if (auto *p = qobject_cast<QPlainTextEdit *>(b.control)) {
        p->setPlainText(text);
    }
    m_showing = false;
    b.changed = false;
}

QString RecordCursor::editorText(QWidget *control) const
{
    if (auto *e = qobject_cast<QLineEdit *>(control))
        return e->text();
    if (auto *t = qobject_cast<QTextEdit *>(control))
        return t->toPlainText();
    if (auto *p = qobject_cast<QPlainTextEdit *>(control))
        return p->toPlainText();
    return QString();
}

bool RecordCursor::dataChanged() const
{
    for (const Binding &b : m_bindings) {
        if (b.control && b.changed)
            return true;
    }
    return false;
}

void RecordCursor::watchEdits(QWidget *control)
{
    // Any change of an editor's text that the cursor did not make itself counts as an
    // edit, whether typed or set by the window.
    if (auto *e = qobject_cast<QLineEdit *>(control))
        connect(e, &QLineEdit::textChanged, this, [this, control] { markChanged(control); });
    else if (auto *t = qobject_cast<QTextEdit *>(control))
        connect(t, &QTextEdit::textChanged, this, [this, control] { markChanged(control); });
    else if (auto *p = qobject_cast<QPlainTextEdit *>(control))
        connect(p, &QPlainTextEdit::textChanged, this, [this, control] { markChanged(control); });
}

void RecordCursor::markChanged(QWidget *control)
{
    if (m_showing)
        return;
    for (Binding &b : m_bindings) {
        if (b.control == control)
            b.changed = true;
    }
}

bool RecordCursor::update(Store how)
{
    if (bof() || eof()) {
        reportError(NoCurrentRecord, QStringLiteral("no current row"));
        return false;
    }
    if (m_table.isEmpty()) {
        reportError(UpdateFailed, QStringLiteral("a query cannot be updated"));
        return false;
    }
    QSqlRecord &row = m_rows[size_t(m_pos)];
    const qint64 rowId = m_rowIds[size_t(m_pos)];
    int stored = 0;
    for (Binding &b : m_bindings) {
        if (!b.control || qobject_cast<QLabel *>(b.control.data()))
            continue;
        const int i = fieldIndex(b.field);
        if (i < 0) {
            reportError(FieldNotFound, QStringLiteral("no field %1 in %2").arg(b.field, m_table));
            return false;
        }
        const QString text = editorText(b.control);
        const QString column = quoted(row.fieldName(i));
        QSqlQuery q(m_db);
        // Only over the text this cursor read, unless told to overwrite.
        q.prepare(QStringLiteral("UPDATE %1 SET %2 = ? WHERE rowid = ?%3")
                      .arg(quoted(m_table), column,
                           how == Store::Overwrite ? QString() : QStringLiteral(" AND %1 IS ?").arg(column)));
        q.addBindValue(text);
        q.addBindValue(rowId);
        if (how != Store::Overwrite)
            q.addBindValue(row.value(i));
        if (!q.exec()) {
            reportError(UpdateFailed, q.lastError().text());
            return false;
        }
        if (q.numRowsAffected() != 1) {
            QSqlQuery now(m_db);
            now.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
            now.addBindValue(rowId);
            if (how != Store::Overwrite && now.exec() && now.next())
                reportError(WriteConflict,
                            QStringLiteral("row %1 of %2 changed since it was read").arg(rowId).arg(m_table));
            else
                reportError(UpdateFailed, QStringLiteral("row %1 of %2 is gone").arg(rowId).arg(m_table));
            return false;
        }
        row.setValue(i, text);
        ++stored;
    }
    if (stored == 0) {
        reportError(UpdateFailed, QStringLiteral("no bound editor to store"));
        return false;
    }
    // The stored text is now the row's own: the editors count as unchanged.
    for (Binding &b : m_bindings)
        b.changed = false;
    return true;
}

bool RecordCursor::readRow(int pos)
{
    if (m_table.isEmpty() || pos < 0 || pos >= recordCount())
        return false;
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("SELECT * FROM %1 WHERE rowid = ?").arg(quoted(m_table)));
    q.addBindValue(m_rowIds[size_t(pos)]);
    if (!q.exec() || !q.next())
        return false;
    m_rows[size_t(pos)] = q.record();
    return true;
}

bool RecordCursor::refreshRow()
{
    if (!readRow(m_pos))
        return false;
    updateControls();
    return true;
}

void RecordCursor::updateControls()
{
    for (Binding &b : m_bindings)
        show(b);
}

void RecordCursor::reportError(int code, const QString &text)
{
    bool showIt = true;
    emit error(code, text, &showIt);
    if (showIt)
        qWarning("orbelle: data error %d on %s: %s", code, qPrintable(m_table), qPrintable(text));
}

void positionAtCard(RecordCursor &cursor, int card)
{
    cursor.moveNext();
    cursor.setAbsolutePosition(card - 1);
}

bool openKeywordQuery(RecordCursor &cursor, const QSqlDatabase &db, int card)
{
    return cursor.openQuery(db, QStringLiteral("SELECT stichwörter FROM stichwörter WHERE id = ?"), {card});
}
