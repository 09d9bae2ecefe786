// A saved report in a real word processor: LibreOffice Writer opens it and writes it
// back as RTF, and what it wrote must still hold the report's text, sizes, styles,
// indents and pictures. Skipped where LibreOffice is not installed.

#include "rtftestutil.h"
#include "testenv.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCursor>

using namespace RtfTest;
using namespace Qt::StringLiterals;

class tst_RtfInterop : public QObject
{
    Q_OBJECT
private slots:
    void libreOfficeKeepsTheReport()
    {
        const QString soffice = QStandardPaths::findExecutable(u"soffice"_s);
        if (soffice.isEmpty())
            QSKIP(
                "LibreOffice (soffice) is not installed; install libreoffice-writer-nogui to run this check");

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray jpeg = cardJpeg(22);
        QImage drawn(60, 40, QImage::Format_RGB32);
        drawn.fill(QColor(30, 60, 200));
        for (int x = 0; x < 60; ++x)
            drawn.setPixel(x, x % 40, qRgb(250, 220, 0));
        // A report as the readings write it: a heading, a card, a text, a drawn picture.
        auto doc = load(
            rtf("\\li1000\\ri500{\\fs28\\b Ana y Luis 5/3/24 \\u8212? \\'bf\\{qu\\'e9\\} dir\\'e1 \\\\el "
                "tarot? \\u-10180?\\u-9055?}\\par{\\pict\\jpegblip\\picwgoal1215\\pichgoal2040 " +
                jpeg.toHex() + "}\\par{\\fs24 El Loco: }{\\fs24\\i un comienzo con \\'f1 y \\'80}\\par "));
        QTextCursor c(doc.get());
        c.movePosition(QTextCursor::End);
        ReportPicture::insertImage(c, drawn);
        const QString saved = dir.filePath(u"informe.rtf"_s);
        TestEnv::writeFile(saved, save(*doc));

        QProcess lo;
        lo.setProcessChannelMode(QProcess::MergedChannels);
        lo.start(soffice, {u"-env:UserInstallation=file://"_s + dir.filePath(u"profile"_s), u"--headless"_s,
                           u"--convert-to"_s, u"rtf"_s, u"--outdir"_s, dir.filePath(u"out"_s), saved});
        QVERIFY(lo.waitForFinished(240000));
        const QByteArray written = readFile(dir.filePath(u"out/informe.rtf"_s));
        QVERIFY2(!written.isEmpty(), lo.readAll().constData());
        QVERIFY2(written != readFile(saved), "LibreOffice wrote the file itself");

        auto back = load(written);
        QVERIFY(back);
        QStringList text = blocks(*back);
        while (!text.isEmpty() && text.last().trimmed().isEmpty())
            text.removeLast();
        QCOMPARE(text.size(), 4); // the pictures' paragraphs hold what LibreOffice makes of them
        QCOMPARE((QStringList{text[0], text[2]}), (QStringList{blocks(*doc)[0], blocks(*doc)[2]}));

        const QStringList rs = runs(*back);
        QVERIFY(looksLike(rs, u"Ana y Luis"_s, u"14pt b"_s) && looksLike(rs, u"comienzo"_s, u"i"_s));
        QVERIFY(looksLike(rs, u"El Loco"_s, u"12pt"_s) && !looksLike(rs, u"El Loco"_s, u"i"_s));
        const QTextBlockFormat indents = back->findBlockByNumber(2).blockFormat();
        QCOMPARE(QSizeF(indents.leftMargin(), indents.rightMargin()), QSizeF(1000 / 15.0, 500 / 15.0));

        const auto pics = pictures(*back);
        QCOMPARE(pics.size(), 2);
        // LibreOffice writes the size as the picture's own size and a scale in whole
        // percent, which rounds a scaled-down card by a few percent.
        auto near = [](QSizeF got, QSizeF want) {
            return qAbs(got.width() - want.width()) <= want.width() * 0.06 &&
                   qAbs(got.height() - want.height()) <= want.height() * 0.1;
        };
        QVERIFY(near(ReportPicture::displaySize(back.get(), pics[0]), QSizeF(81, 136)));
        QCOMPARE(ReportPicture::displaySize(back.get(), pics[1]), QSizeF(60, 40));
        QVERIFY(samePixels(ReportPicture::image(back.get(), pics[0]), QImage::fromData(jpeg)));
        QVERIFY(samePixels(ReportPicture::image(back.get(), pics[1]), drawn));
    }
};

ORBELLE_TEST_MAIN(tst_RtfInterop)
#include "tst_rtfinterop.moc"
