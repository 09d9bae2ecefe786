#pragma once

#include "spread.h"
#include "backdrop.h"
#include "windows.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class RecordCursor;
class Timer;

// A heading on the sky: centred, wrapped, and elided on its last line when the names
// are too long for its place, so the columns keep their layout whatever was typed.
class HeadingLabel : public QWidget
{
    Q_OBJECT
public:
    explicit HeadingLabel(QWidget *parent = nullptr);
    void setText(const QString &text);
    QString text() const { return m_text; }
    // The lines as painted at the present size (the last one elided when cut).
    QStringList shownLines() const;

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
class bezi : public QWidget, public Loadable
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
    // By label number: Label[0] is Label1 … Label[5] is Label6 (see labelOf).
    std::array<HeadingLabel *, 6> Label{};
    Timer *Timer1 = nullptr;         // 55 ms: stands the cursors on their cards once
    QPushButton *Command1 = nullptr; // "Quintesencía"
    QPushButton *Command2 = nullptr; // "Atrás"
    QPushButton *Command3 = nullptr; // "Guardar"

    const Spread &spread() const { return m_spread; }
    HeadingLabel *headingOf(int k) const { return Label[size_t(labelOf(k) - 1)]; }

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

    void Form_Load() override;
    void Form_Unload() override;
    // Closing the window is "Atrás".
    void closedByFrame() override { Command2_Click(); }

public slots:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();

protected:
    void paintEvent(QPaintEvent *) override;
    void resizeEvent(QResizeEvent *) override;

private:
    void positionRecords();
    void place(QWidget *w, const QRect &twips);

    Sky m_background;
    Spread m_spread;
    double m_scale = 1.0;
    QPointF m_origin;
};
