#include "readingcatalogue.h"

#include <QRegularExpression>

#include <algorithm>

bool ReadingEntry::contains(WindowId id) const
{
    return std::find(windows.begin(), windows.end(), id) != windows.end();
}

namespace ReadingCatalogue {

namespace {
std::vector<ReadingEntry> &table()
{
    static std::vector<ReadingEntry> t;
    return t;
}
} // namespace

void add(ReadingEntry entry)
{
    auto &t = table();
    auto same = std::find_if(t.begin(), t.end(), [&](const ReadingEntry &e) { return e.menu.name == entry.menu.name; });
    if (same != t.end())
        *same = std::move(entry);
    else
        t.push_back(std::move(entry));
}

const std::vector<ReadingEntry> &entries()
{
    return table();
}

const ReadingEntry *readingOf(WindowId window)
{
    for (const ReadingEntry &e : table()) {
        if (e.contains(window))
            return &e;
    }
    return nullptr;
}

const ReadingEntry *byName(const QString &name)
{
    for (const ReadingEntry &e : table()) {
        if (e.menu.name == name || e.button.name == name)
            return &e;
    }
    return nullptr;
}

QString heading(const ReadingEntry &entry, const QString &question, const QString &firstName,
                const QString &secondName, const QString &date)
{
    // One pass over the pattern, so that a field's own text is never read as a field.
    const auto fill = [&](const QString &pattern, bool *anyEmpty) {
        static const QRegularExpression field(QStringLiteral("\\{(question|first|second|date)\\}"));
        QString text;
        qsizetype at = 0;
        for (auto it = field.globalMatch(pattern); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            const QString name = m.captured(1);
            QString value = name == QLatin1String("question") ? question
                            : name == QLatin1String("first")  ? firstName
                            : name == QLatin1String("second") ? secondName
                                                              : date;
            if (anyEmpty) {
                value = value.trimmed();
                *anyEmpty = *anyEmpty || value.isEmpty();
            }
            text += pattern.mid(at, m.capturedStart() - at) + value;
            at = m.capturedEnd();
        }
        return text + pattern.mid(at);
    };
    // Optional parts first: each stands only when every field in it has a value.
    QString text = entry.reportHeading;
    static const QRegularExpression optional(QStringLiteral("\\[([^\\]]*)\\]"));
    QString out;
    qsizetype last = 0;
    for (auto it = optional.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        out += fill(text.mid(last, m.capturedStart() - last), nullptr);
        bool empty = false;
        const QString part = fill(m.captured(1), &empty);
        if (!empty)
            out += part;
        last = m.capturedEnd();
    }
    out += fill(text.mid(last), nullptr);
    return out;
}

} // namespace ReadingCatalogue
