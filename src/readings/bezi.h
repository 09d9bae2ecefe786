#pragma once

#include "interpretation.h"
#include "spread.h"

#include <QImage>
#include <QLabel>
#include <QRect>
#include <QWidget>

#include <array>
#include <functional>
#include <optional>

class QPlainTextEdit;
class QPushButton;
class RecordCursor;
class Timer;

// A heading on the sky: centred, wrapped between words, with a shadow; elided on its last
// line only when names far longer than any person's are too long for its place, so the
// columns keep their layout whatever was typed.
class HeadingLabel : public QLabel
{
    Q_OBJECT
public:
    explicit HeadingLabel(QWidget *parent = nullptr);
    void setText(const QString &text);
    QString text() const { return m_text; }
    // The lines as painted at the present size (the last one elided when cut).
    QStringList shownLines() const;
    // The height its text takes wrapped at `width` with its font.
    int heightFor(int width) const;

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QString m_text;
};

// The relationship interpretation. Its load, run hidden while the laying deals, decides
// the six cards and how each lies, puts them into the laying's slots and binds the six
// boxes to the meaning tables; a moment later each box stands on its card and four of
// them begin with a person's name. Positions 1, 2 and 5 are the first person's view,
// 3, 4 and 6 the second's.
class bezi : public InterpretationWindow
{
    Q_OBJECT
public:
    explicit bezi(QWidget *parent = nullptr);

    // By position k (1 … 6) at index k − 1: the picture Imag(k − 1), its work picture
    // im1(k − 1), its frame, its box and cursor.
    std::array<QLabel *, 6> Imag{};
    std::array<QImage, 6> im1;
    std::array<QWidget *, 6> Shape1{};
    std::array<QPlainTextEdit *, 6> Box{};
    std::array<RecordCursor *, 6> Data{};
    // By the headings' design number (see labelOf): headingLabels[0] is the first.
    std::array<HeadingLabel *, 6> headingLabels{};
    // By position: the card's name under its heading, " (carta invertida)" where it lies reversed.
    std::array<QLabel *, 6> cardNameLabels{};
    Timer *Timer1 = nullptr;                     // 55 ms: stands the cursors on their cards once
    QPushButton *quintessenceButton = nullptr; // "Quintesencía"

    const Spread &spread() const { return m_spread; }
    HeadingLabel *headingOf(int k) const { return headingLabels[size_t(labelOf(k) - 1)]; }

    // The reading's draw: the six orientations first, then six cards no reading of this
    // run has drawn.
    static Spread draw(const QString &firstName, const QString &secondName);
    // The heading label of position k: 1, 2, 4, 5, 3, 6.
    static int labelOf(int k);
    static QString heading(const Spread &spread, int k);
    // The meaning table of position k: the views of a person read "bezi1", or "bezi4"
    // when the card lies reversed; the views of the relationship always "bezi2".
    static QString tableOf(const Spread &spread, int k);
    // Whose name stands in front of the meaning of position k (empty for 5 and 6).
    static QString nameBefore(const Spread &spread, int k);
    // The text of position k as the box shows it and the report keeps it.
    static QString textOf(const Spread &spread, int k);
    // The name of the card of position k, followed by " (carta invertida)" when it lies reversed.
    static QString cardName(const Spread &spread, int k);

    // Whether the window shows the design's columns (heading left of the picture, the text
    // below both) or, where the headings do not fit them, each text beside its picture.
    bool designedLayout() const { return m_designed; }
    // Shown inside the main window when the laying is done, with the keyboard on the first
    // text.
    void showReading();

    void Form_Load() override;

public slots:
    // The quintessence sheet with the spread's number; the same spread gives the same
    // quintessence however often it is asked.
    void showQuintessence();

protected:
    // The positions in the order 1, 3, 2, 4, 5, 6: each person's view of the other, of
    // himself, of the relationship.
    void save() override;
    void resizeEvent(QResizeEvent *) override;

private:
    void positionRecords();
    void layOut();
    bool layOutDesigned();
    // The largest heading size, in points, at which `fits(heading, name, k)` holds for
    // every place k; none when even the smallest does not fit. The headings and names are
    // left at the last size tried.
    std::optional<double> headingPoints(const std::function<bool(const HeadingLabel *, const QLabel *, int)> &fits);
    void layOutCompact();
    void placeButtonsAsDesigned();
    void frameCards();
    void setCompactBoxes(bool compact);
    QRect scaled(const QRect &twips) const;

    Spread m_spread;
    double m_scale = 1.0;
    QPointF m_origin;
    bool m_designed = true;
    bool m_compactBoxes = false;
};
