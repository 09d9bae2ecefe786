// The RTF writer and reader without a window.

#include "rtftestutil.h"
#include "testenv.h"

#include <QElapsedTimer>
#include <QTextCursor>

#include <algorithm>

using namespace RtfTest;

namespace {

// A device that accepts `room` bytes and then fails, like a full disk.
class FailingDevice : public QIODevice
{
public:
    explicit FailingDevice(qint64 room) : m_room(room) {}
    qint64 written = 0;

protected:
    qint64 readData(char *, qint64) override
    {
        setErrorString(QStringLiteral("read error"));
        return -1;
    }
    qint64 writeData(const char *, qint64 len) override
    {
        if (written + len > m_room) {
            setErrorString(QStringLiteral("No space left on device"));
            return -1;
        }
        written += len;
        return len;
    }

private:
    qint64 m_room;
};

QTextCharFormat format(qreal points, bool bold = false, bool italic = false, bool underline = false)
{
    QTextCharFormat f;
    f.setFontPointSize(points);
    f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(italic);
    f.setFontUnderline(underline);
    return f;
}

QImage testImage(int w, int h, bool alpha)
{
    QImage img(w, h, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(
                x, y, qRgba((x * 37) & 255, (y * 59) & 255, (x * y) & 255, alpha ? (x + y) * 9 & 255 : 255));
    return img;
}

QByteArray rtf(const QByteArray &body, const QByteArray &codePage = "\\ansicpg1252")
{
    return "{\\rtf1\\ansi" + codePage + "\\deff0{\\fonttbl{\\f0 Arial;}}" + body + "}";
}

} // namespace

class tst_RtfCodec : public QObject
{
    Q_OBJECT
private slots:
    void textSurvivesTheRoundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("spanish") << QStringLiteral("Señor Ñandú, ¿qué tal? ¡Olé! ü ç");
        QTest::newRow("code page 1252 extras") << QStringLiteral("5 € – “comillas” … ‘x’ • ™ Œ š");
        QTest::newRow("outside the code page") << QStringLiteral("塔罗 Ωμέγα ★ ♥ Ж");
        QTest::newRow("beyond U+FFFF") << QStringLiteral("🂡 🃏 𝄞 end");
        QTest::newRow("rtf syntax typed by a user") << QStringLiteral("{\\rtf1 \\par} \\' \\u233 }{ ;\\");
        QTest::newRow("tab, line break, nbsp") << QStringLiteral("a\tb\u2028c\u00A0d");
        QTest::newRow("blanks kept") << QStringLiteral("  two leading, trailing  ");
        QTest::newRow("long paragraph") << QString(QStringLiteral("palabra ")).repeated(2000);
    }
    void textSurvivesTheRoundTrip()
    {
        QFETCH(QString, text);
        QTextDocument doc;
        QTextCursor(&doc).insertText(text);
        const QByteArray bytes = save(doc);
        for (char c : bytes)
            QVERIFY2(uchar(c) < 0x80, "RTF is 7-bit text");
        RtfResult r;
        auto back = load(bytes, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(blocks(*back), blocks(doc));
    }

    void formattingSurvivesTheRoundTrip()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Arial"), 10));
        QTextCursor c(&doc);
        QTextBlockFormat indented;
        indented.setLeftMargin(1000 / 15.0);
        indented.setRightMargin(500 / 15.0);
        c.setBlockFormat(indented);
        c.insertText(QStringLiteral("Encabezado"), format(14, true));
        c.insertBlock();
        c.insertText(QStringLiteral("normal "), format(12));
        c.insertText(QStringLiteral("negrita "), format(12, true));
        c.insertText(QStringLiteral("cursiva "), format(12, false, true));
        c.insertText(QStringLiteral("subrayado"), format(12, false, false, true));
        QTextCharFormat mixed = format(9.5, true, true, true);
        mixed.setFontStrikeOut(true);
        mixed.setForeground(QColor(200, 10, 20));
        mixed.setFontFamilies({QStringLiteral("Liberation Serif")});
        c.insertText(QStringLiteral(" todo"), mixed);

        QTextBlockFormat other;
        other.setAlignment(Qt::AlignHCenter);
        other.setTextIndent(-300 / 15.0);
        other.setTopMargin(120 / 15.0);
        other.setBottomMargin(240 / 15.0);
        c.insertBlock(other, format(20));
        c.insertBlock(); // an empty 20 pt line
        QTextBlockFormat right;
        right.setAlignment(Qt::AlignRight);
        c.insertBlock(right, format(12));
        c.insertText(QStringLiteral("derecha"));
        QTextBlockFormat justified;
        justified.setAlignment(Qt::AlignJustify);
        c.insertBlock(justified);
        c.insertText(QStringLiteral("justificado"));

        RtfResult r;
        auto back = load(save(doc), &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        back->setDefaultFont(QFont(QStringLiteral("Times"), 30)); // every run names its own
        QCOMPARE(runs(*back), runs(doc));

        QCOMPARE(back->blockCount(), doc.blockCount());
        for (int i = 0; i < doc.blockCount(); ++i) {
            const QTextBlockFormat want = doc.findBlockByNumber(i).blockFormat();
            const QTextBlockFormat got = back->findBlockByNumber(i).blockFormat();
            QCOMPARE(got.leftMargin(), want.leftMargin());
            QCOMPARE(got.rightMargin(), want.rightMargin());
            QCOMPARE(got.textIndent(), want.textIndent());
            QCOMPARE(got.topMargin(), want.topMargin());
            QCOMPARE(got.bottomMargin(), want.bottomMargin());
            QCOMPARE(got.alignment() & Qt::AlignHorizontal_Mask,
                     (want.alignment() & Qt::AlignHorizontal_Mask)
                         ? want.alignment() & Qt::AlignHorizontal_Mask
                         : Qt::AlignLeft);
        }
        // The empty line keeps its height.
        QCOMPARE(back->findBlockByNumber(2).charFormat().fontPointSize(), 20.0);
    }

    void picturesSurviveTheRoundTrip()
    {
        const QByteArray jpeg = readFile(fixture(QStringLiteral("tiny.jpg")));
        QVERIFY(!jpeg.isEmpty());
        const QImage opaque = testImage(7, 5, false);
        const QImage translucent = testImage(4, 9, true);

        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("antes "));
        QVERIFY(ReportPicture::insertEncoded(c, jpeg, QSizeF(81, 136)));
        QVERIFY(ReportPicture::insertImage(c, opaque));
        c.insertText(QStringLiteral(" medio "));
        QVERIFY(ReportPicture::insertImage(c, translucent, QSizeF(40, 0)));
        c.insertBlock();
        // The same picture twice in a row is one fragment of the document.
        QTextImageFormat twice = pictures(doc).constFirst();
        c.insertImage(twice);
        c.insertImage(twice);
        QVERIFY(!ReportPicture::insertEncoded(c, "not a picture"));
        QVERIFY(!ReportPicture::insertImage(c, QImage()));

        const QByteArray bytes = save(doc);
        RtfResult r;
        auto back = load(bytes, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(blocks(*back), blocks(doc));
        const auto got = pictures(*back);
        const auto want = pictures(doc);
        QCOMPARE(got.size(), 5);
        for (int i = 0; i < got.size(); ++i) {
            QCOMPARE(ReportPicture::displaySize(back.get(), got[i]),
                     ReportPicture::displaySize(&doc, want[i]));
            QVERIFY(
                samePixels(ReportPicture::image(back.get(), got[i]), ReportPicture::image(&doc, want[i])));
        }
        QCOMPARE(ReportPicture::displaySize(&doc, want[2]), QSizeF(40, 90));

        // The JPEG comes back byte for byte, so a saved report stays as small as its
        // pictures' files, and it is written only once per occurrence.
        ReportPicture::Encoding enc;
        QCOMPARE(ReportPicture::encodedBytes(back.get(), got[0], &enc), jpeg);
        QCOMPARE(enc, ReportPicture::Encoding::Jpeg);
        QCOMPARE(bytes.count("\\jpegblip"), 3);
        QCOMPARE(bytes.count("\\pngblip"), 2);
        QVERIFY(bytes.contains("\\picwgoal1215\\pichgoal2040"));
        // Saving what was read writes the same file again.
        QCOMPARE(save(*back), bytes);
    }

    void writerEmitsPortableRtf()
    {
        QTextDocument doc;
        doc.setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("é€★🂡{}\\"), format(14));
        const QByteArray bytes = save(doc);
        QVERIFY(bytes.startsWith("{\\rtf1\\ansi\\ansicpg1252"));
        // \uN with the code page fallback, "?" where the code page has none, U+1F0A1 as
        // its two surrogates (0xD83C, 0xDCA1 written as signed 16-bit numbers).
        QVERIFY2(bytes.contains("\\u233\\'e9\\u8364\\'80\\u9733?\\u-10180?\\u-9055?\\{\\}\\\\"),
                 bytes.constData());
        QVERIFY(bytes.trimmed().endsWith('}'));
    }

    void readsWhatWordProcessorsWrite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QSizeF>("pictureSize");

        const QString pic(QChar::ObjectReplacementCharacter);
        QTest::newRow("word") << QStringLiteral("word.rtf")
                              << QStringList{QStringLiteral("Lectura de la mañana"),
                                             QStringLiteral("La carta El Loco habla de un comienzo: ¿qué "
                                                            "camino elegirás? Confía en tu intuición."),
                                             QStringLiteral("“Estrella” ★\tverde\u2028segunda línea"),
                                             pic + QStringLiteral("enlace"), QString()}
                              << 1 << QSizeF(3, 2);
        QTest::newRow("libreoffice") << QStringLiteral("libreoffice.rtf")
                                     << QStringList{QStringLiteral("Tirada del día"),
                                                    QStringLiteral(
                                                        "Hoy sale El Mago: «habilidad» y “voluntad”, 5€."),
                                                    pic + QStringLiteral(" "),
                                                    QStringLiteral("subrayado y normal\ttabulado"), QString()}
                                     << 1 << QSizeF(16, 16);
        QTest::newRow("wordpad") << QStringLiteral("wordpad.rtf")
                                 << QStringList{QStringLiteral("Señor árbol ¿por qué? ¡Olé! € 100 ♥"),
                                                QStringLiteral("Rojo grande"),
                                                QStringLiteral("Tahoma itálica"), QString()}
                                 << 0 << QSizeF();
    }
    void readsWhatWordProcessorsWrite()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, text);
        QFETCH(int, pictures);
        QFETCH(QSizeF, pictureSize);
        const QByteArray bytes = readFile(fixture(file));
        QVERIFY(!bytes.isEmpty());
        RtfResult r;
        auto doc = load(bytes, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(blocks(*doc), text);
        const auto pics = RtfTest::pictures(*doc);
        QCOMPARE(pics.size(), pictures);
        if (pictures) {
            QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), pictureSize);
            QCOMPARE(ReportPicture::image(doc.get(), pics[0]).size(), pictureSize.toSize());
        }
    }

    void readsTheFormatsWordProcessorsWrite()
    {
        auto doc = load(readFile(fixture(QStringLiteral("word.rtf"))));
        auto lo = load(readFile(fixture(QStringLiteral("libreoffice.rtf"))));
        auto wp = load(readFile(fixture(QStringLiteral("wordpad.rtf"))));
        const QList<Run> word = runs(*doc), office = runs(*lo), pad = runs(*wp);
        auto find = [](const QList<Run> &rs, const QString &text) {
            for (const Run &r : rs) {
                if (r.text.contains(text))
                    return r;
            }
            return Run{QStringLiteral("<missing %1>").arg(text)};
        };
        Run heading = find(word, QStringLiteral("Lectura"));
        QCOMPARE(heading.points, 14.0);
        QVERIFY(heading.bold);
        QCOMPARE(heading.family, QStringLiteral("Calibri"));
        QVERIFY(find(word, QStringLiteral("El Loco")).italic);
        QVERIFY(!find(word, QStringLiteral("habla")).italic);
        QVERIFY(find(word, QStringLiteral("Confía")).underline);
        QCOMPARE(find(word, QStringLiteral("Estrella")).color, QColor(192, 0, 0));
        QCOMPARE(find(word, QStringLiteral("verde")).points, 11.0);
        QCOMPARE(doc->findBlockByNumber(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask,
                 Qt::AlignHCenter);
        QCOMPARE(doc->findBlockByNumber(1).blockFormat().leftMargin(), 1000 / 15.0);
        QCOMPARE(doc->findBlockByNumber(1).blockFormat().rightMargin(), 500 / 15.0);
        QCOMPARE(doc->findBlockByNumber(1).blockFormat().bottomMargin(), 160 / 15.0);

        QCOMPARE(find(office, QStringLiteral("Tirada")).family, QStringLiteral("Liberation Serif"));
        QCOMPARE(find(office, QStringLiteral("Tirada")).points, 14.0);
        QVERIFY(find(office, QStringLiteral("subrayado")).underline);
        QVERIFY(!find(office, QStringLiteral("y normal")).underline);
        QCOMPARE(lo->findBlockByNumber(0).blockFormat().leftMargin(), 1000 / 15.0);

        const Run red = find(pad, QStringLiteral("Rojo"));
        QVERIFY(red.bold && red.points == 16.0 && red.color == QColor(255, 0, 0));
        QCOMPARE(find(pad, QStringLiteral("Tahoma")).family, QStringLiteral("Tahoma"));
        QVERIFY(find(pad, QStringLiteral("itálica")).italic);
        QVERIFY(!find(pad, QStringLiteral("Tahoma")).bold);
    }

    void readsControlWords_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QStringList>("text");

        QTest::newRow("\\uN with a \\'hh fallback")
            << rtf("caf\\u233\\'e9 y \\u-3850?x") << QStringList{QStringLiteral("café y \uF0F6x")};
        QTest::newRow("\\uc0: no fallback") << rtf("\\uc0 a\\u8364 b") << QStringList{QStringLiteral("a€b")};
        QTest::newRow("\\uc2: two fallback characters")
            << rtf("\\uc2 \\u8364\\'80\\'80 x\\u241 nyz") << QStringList{QStringLiteral("€ xñz")};
        QTest::newRow("\\uc in a group ends with it")
            << rtf("{\\uc3 \\u241 abcd}\\u241 ef") << QStringList{QStringLiteral("ñdñf")};
        QTest::newRow("fallback cut by a brace")
            << rtf("\\uc4{\\u241 a}b") << QStringList{QStringLiteral("ñb")};
        QTest::newRow("surrogate pair") << rtf("\\u-10180?\\u-9055?.") << QStringList{QStringLiteral("🂡.")};
        QTest::newRow("\\u outside 16 bits") << rtf("a\\u70000?b\\u-40000?c\\u65535?d\\u-1?e")
                                             << QStringList{QStringLiteral("a\uFFFDb\uFFFDc\uFFFDd\uFFFDe")};
        QTest::newRow("lone surrogate") << rtf("a\\u-10180?b") << QStringList{QStringLiteral("a\uFFFDb")};
        QTest::newRow("code page 1252")
            << rtf("\\'e1\\'e9\\'ed\\'f3\\'fa\\'f1\\'d1\\'bf\\'a1\\'80\\'85\\'93\\'94")
            << QStringList{QStringLiteral("áéíóúñÑ¿¡€…“”")};
        QTest::newRow("raw 8-bit bytes") << rtf("ni\xf1o") << QStringList{QStringLiteral("niño")};
        QTest::newRow("1251 as \\'hh")
            << rtf("\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2, \\'ec\\'e8\\'f0", "\\ansicpg1251")
            << QStringList{QStringLiteral("Привет, мир")};
        QTest::newRow("1251 as raw bytes") << rtf("\xc4\xe0 \xe8 \xed\xe5\xf2 \xb9", "\\ansicpg1251")
                                           << QStringList{QStringLiteral("Да и нет №")};
        QTest::newRow("Mac Roman") << rtf("\\'c0Qu\\'8e tal, se\\'96or? \\'c1S\\'92! \\'a5", "\\ansicpg10000")
                                   << QStringList{QStringLiteral("¿Qué tal, señor? ¡Sí! •")};
        QTest::newRow("1250") << rtf("\\'e8e\\'9atina \\'b3\\'f3d\\'9f", "\\ansicpg1250")
                              << QStringList{QStringLiteral("čeština łódź")};
        QTest::newRow("1253") << rtf("\\'d4\\'e1\\'f1\\'fe", "\\ansicpg1253")
                              << QStringList{QStringLiteral("Ταρώ")};
        QTest::newRow("437") << rtf("ma\\'a4ana \\'82", "\\ansicpg437")
                             << QStringList{QStringLiteral("mañana é")};
        QTest::newRow("850") << rtf("\\'b5rbol \\'d6", "\\ansicpg850")
                             << QStringList{QStringLiteral("Árbol Í")};
        QTest::newRow("no code page: 1252")
            << rtf("\\'80 \\'e9 \\'9c", "") << QStringList{QStringLiteral("€ é œ")};
        QTest::newRow("unknown code page: 1252")
            << rtf("\\'e9", "\\ansicpg99999") << QStringList{QStringLiteral("é")};
        QTest::newRow("undefined byte")
            << rtf("a\\'98b", "\\ansicpg1251") << QStringList{QStringLiteral("a\uFFFDb")};
        // Word gives a Cyrillic font its character set and leaves \ansicpg at 1252.
        QTest::newRow("font character set")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial "
                          "Cyr;}}\\'e4 {\\f1\\'e4\\'e0} \\'e4}")
            << QStringList{QStringLiteral("ä да ä")};
        QTest::newRow("\\u wins over the code page")
            << rtf("\\u1046\\'c6\\uc0\\u1046", "\\ansicpg1251") << QStringList{QStringLiteral("ЖЖ")};
        QTest::newRow("escapes") << rtf("\\{a\\}\\\\b\\~c\\_d")
                                 << QStringList{QStringLiteral("{a}\\b\u00A0c\u2011d")};
        QTest::newRow("paragraphs, line, tab")
            << rtf("a\\par b\\line c\\tab d\\\ne")
            << QStringList{QStringLiteral("a"), QStringLiteral("b\u2028c\td"), QStringLiteral("e")};
        QTest::newRow("line ends are not text") << rtf("a\r\nb\rc\nd") << QStringList{QStringLiteral("abcd")};
        QTest::newRow("named characters")
            << rtf("\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote")
            << QStringList{QStringLiteral("—–•‘’“”")};
        QTest::newRow("unknown words ignored")
            << rtf("\\foo a\\barbaz12 b\\qux-5 c") << QStringList{QStringLiteral("abc")};
        QTest::newRow("\\* destinations skipped")
            << rtf("a{\\*\\unknown x{y}z}b{\\*\\bkmkstart m}c") << QStringList{QStringLiteral("abc")};
        QTest::newRow("tables skipped") << rtf("{\\stylesheet{\\s1 Normal;}}{\\info{\\title T}{\\author "
                                               "A}}{\\colortbl;\\red1\\green2\\blue3;}x")
                                        << QStringList{QStringLiteral("x")};
        QTest::newRow("field result shown") << rtf("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt ver}}")
                                            << QStringList{QStringLiteral("ver")};
        QTest::newRow("old field instruction")
            << rtf("{\\field{\\fldinst PAGE}{\\fldrslt 3}}") << QStringList{QStringLiteral("3")};
        QTest::newRow("\\upr takes \\ud")
            << rtf("{\\upr{ansi}{\\*\\ud{\\u241 u}}}") << QStringList{QStringLiteral("ñ")};
        QTest::newRow("hidden text") << rtf("a{\\v oculto}b\\v c\\v0 d")
                                     << QStringList{QStringLiteral("abd")};
        QTest::newRow("\\bin data is not text")
            << rtf("a{\\*\\x\\bin5 }{\\a}}b") << QStringList{QStringLiteral("ab")};
        QTest::newRow("header and footer skipped")
            << rtf("{\\header cabeza\\par}{\\footer pie}cuerpo") << QStringList{QStringLiteral("cuerpo")};
        QTest::newRow("controls never reach the text")
            << rtf("\\uc0 a\\u0 \\u7 \\u8233 b\\u-4 c\\u64976 d")
            << QStringList{QStringLiteral("a\u2028b\uFFFDc\uFFFDd")};
        QTest::newRow("table cells") << rtf("\\trowd\\cellx100\\cellx200 uno\\cell dos\\cell\\row tres")
                                     << QStringList{QStringLiteral("uno\tdos\t"), QStringLiteral("tres")};
    }
    void readsControlWords()
    {
        QFETCH(QByteArray, input);
        QFETCH(QStringList, text);
        RtfResult r;
        auto doc = load(input, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(blocks(*doc), text);
    }

    void resetsFormattingAsWordProcessorsExpect()
    {
        auto doc = load(rtf("\\li600\\fs40\\b\\i\\ul bold\\b0 \\i0 \\ulnone plain\\par "
                            "second\\plain  reset\\par\\pard last"));
        const QList<Run> rs = runs(*doc);
        QCOMPARE(rs.size(), 7);
        QCOMPARE(rs[0].text, QStringLiteral("bold"));
        QVERIFY(rs[0].bold && rs[0].italic && rs[0].underline);
        QCOMPARE(rs[0].points, 20.0);
        QCOMPARE(rs[1].text, QStringLiteral("plain"));
        QVERIFY(!rs[1].bold && !rs[1].italic && !rs[1].underline);
        QCOMPARE(rs[3].text, QStringLiteral("second"));
        QCOMPARE(rs[3].points, 20.0);
        QCOMPARE(rs[4].text, QStringLiteral(" reset"));
        QCOMPARE(rs[4].points, 12.0); // \plain: the 12 pt default of RTF
        QCOMPARE(rs[4].family, QStringLiteral("Arial"));
        QCOMPARE(doc->findBlockByNumber(0).blockFormat().leftMargin(), 40.0);
        QCOMPARE(doc->findBlockByNumber(1).blockFormat().leftMargin(), 40.0);
        QCOMPARE(doc->findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
    }

    void picturesInTheirVariousForms_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("count");
        QTest::addColumn<QSizeF>("size");

        const QByteArray png = readFile(fixture(QStringLiteral("tiny.png")));
        const QByteArray hex = png.toHex();
        QTest::newRow("goal size") << rtf("{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + hex + "}") << 1
                                   << QSizeF(20, 10);
        QTest::newRow("scaled")
            << rtf("{\\pict\\pngblip\\picscalex50\\picscaley200\\picwgoal300\\pichgoal150 " + hex + "}") << 1
            << QSizeF(10, 20);
        QTest::newRow("own size without goal") << rtf("{\\pict\\pngblip " + hex + "}") << 1 << QSizeF(3, 2);
        QTest::newRow("upper-case hex, spaced")
            << rtf("{\\pict\\pngblip\n" + hex.toUpper().replace("0", "0 ") + "}") << 1 << QSizeF(3, 2);
        QTest::newRow("binary") << rtf("{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png +
                                       "}")
                                << 1 << QSizeF(3, 2);
        QTest::newRow("inside shppict")
            << rtf("{\\*\\shppict{\\pict\\pngblip " + hex + "}}{\\nonshppict{\\pict\\pngblip " + hex + "}}")
            << 1 << QSizeF(3, 2);
        QTest::newRow("labelled jpeg, really png")
            << rtf("{\\pict\\jpegblip " + hex + "}") << 1 << QSizeF(3, 2);
        // Kept in its place as a placeholder: by the goal size, else the metafile's own
        // size in hundredths of a millimetre.
        QTest::newRow("metafile only")
            << rtf("{\\pict\\wmetafile8\\picwgoal600\\pichgoal300 0100090000}") << 1 << QSizeF(40, 20);
        QTest::newRow("metafile without goal")
            << rtf("{\\pict\\emfblip\\picw2540\\pich1270 0100090000}") << 1 << QSizeF(96, 48);
        QTest::newRow("bitmap without goal")
            << rtf("{\\pict\\dibitmap0\\picw30\\pich20 28000000}") << 1 << QSizeF(30, 20);
        QTest::newRow("garbage data") << rtf("{\\pict\\pngblip 0123456789abcdef}") << 0 << QSizeF();
        QTest::newRow("truncated data")
            << rtf("{\\pict\\pngblip " + hex.left(hex.size() / 2) + "}") << 0 << QSizeF();
        QTest::newRow("huge goal") << rtf("{\\pict\\pngblip\\picwgoal99999999999\\pichgoal-5 " + hex + "}")
                                   << 1 << QSizeF(3, 2);
        QTest::newRow("nested pict") << rtf("{\\pict\\pngblip{\\pict\\pngblip " + hex + "} " + hex + "}") << 1
                                     << QSizeF(3, 2);
    }
    void picturesInTheirVariousForms()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, count);
        QFETCH(QSizeF, size);
        RtfResult r;
        auto doc = load(input, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), count);
        if (!count)
            return;
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), size);
        const QByteArray group = ReportPicture::foreignRtf(pics[0]);
        const bool drawable = input.contains("\\pngblip") || input.contains("\\jpegblip");
        if (!drawable) {
            // The whole group, exactly as the file had it, for the writer to put back.
            QVERIFY(group.startsWith("{\\pict\\"));
            QVERIFY(input.contains(group));
            QCOMPARE(group.count('{'), group.count('}'));
        } else {
            QVERIFY(group.isEmpty());
            QVERIFY(samePixels(ReportPicture::image(doc.get(), pics[0]),
                               QImage(fixture(QStringLiteral("tiny.png")))));
        }
    }

    void aPictureAfterTextInItsGroupKeepsOnlyThePicture_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QByteArray>("kept");
        QTest::newRow("text") << rtf("{antes\\pict\\wmetafile8 0100}despu\\'e9s")
                              << QByteArray("{\\pict\\wmetafile8 0100}");
        QTest::newRow("escaped brace") << rtf("{\\{x\\pict\\wmetafile8\\picw20 0100}fin")
                                       << QByteArray("{\\pict\\wmetafile8\\picw20 0100}");
        // Only control words before it: the group is kept exactly as it stood.
        QTest::newRow("control words only") << rtf("{\\b\\fs24\r\n\\pict\\wmetafile8 0100}fin")
                                            << QByteArray("{\\b\\fs24\r\n\\pict\\wmetafile8 0100}");
    }
    void aPictureAfterTextInItsGroupKeepsOnlyThePicture()
    {
        QFETCH(QByteArray, input);
        QFETCH(QByteArray, kept);
        auto doc = load(input);
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), 1);
        QCOMPARE(ReportPicture::foreignRtf(pics[0]), kept);
        // Saved and read again, the text is there once (the kept group once held it too).
        auto again = load(save(*doc));
        QCOMPARE(blocks(*again), blocks(*doc));
        QCOMPARE(pictures(*again).size(), 1);
    }

    void malformedInputNeverBreaksTheReader_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");

        const int ok = int(RtfResult::Error::None);
        QTest::newRow("missing closing braces")
            << QByteArray("{\\rtf1 {\\b uno {\\i dos") << ok << QStringLiteral("uno dos");
        QTest::newRow("extra closing braces") << QByteArray("{\\rtf1 a}}}b") << ok << QStringLiteral("a");
        QTest::newRow("truncated \\'h") << QByteArray("{\\rtf1 a\\'e") << ok << QStringLiteral("a");
        QTest::newRow("bad \\'hh") << QByteArray("{\\rtf1 a\\'zzb}") << ok << QStringLiteral("azzb");
        QTest::newRow("backslash at the end") << QByteArray("{\\rtf1 a\\") << ok << QStringLiteral("a");
        QTest::newRow("odd hex digit")
            << QByteArray("{\\rtf1 {\\pict\\pngblip abc}x}") << ok << QStringLiteral("x");
        QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999999\\li-99999999999999 "
                                                    "a\\f-2147483648 b\\cf77777777777 c\\u99999999999 ?}")
                                      << ok << QStringLiteral("abc\uFFFD");
        QTest::newRow("huge \\uc") << QByteArray("{\\rtf1{\\uc99999999999 \\u241 abc}d}") << ok
                                   << QStringLiteral("ñd");
        QTest::newRow("huge \\bin") << QByteArray("{\\rtf1 a\\bin99999999999 xyz") << ok
                                    << QStringLiteral("a");
        QTest::newRow("negative \\bin") << QByteArray("{\\rtf1 a\\bin-5 b}") << ok << QStringLiteral("ab");
        QTest::newRow("word of 1000 letters")
            << QByteArray("{\\rtf1 \\" + QByteArray(1000, 'x') + " a}") << ok << QStringLiteral("a");
        QTest::newRow("font table without end")
            << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial") << ok << QString();
        QTest::newRow("nested 3000 deep")
            << QByteArray("{\\rtf1 " + QByteArray(3000, '{') + "hondo" + QByteArray(3000, '}') + "}") << ok
            << QStringLiteral("hondo");
        QTest::newRow("nested 200000 deep") << QByteArray("{\\rtf1 " + QByteArray(200000, '{') + "x")
                                            << int(RtfResult::Error::TooDeep) << QString();
        QTest::newRow("not rtf") << QByteArray("Hola, esto es texto.") << int(RtfResult::Error::NotRtf)
                                 << QString();
        QTest::newRow("html") << QByteArray("<html><body>{\\rtf1}</body></html>")
                              << int(RtfResult::Error::NotRtf) << QString();
        QTest::newRow("empty") << QByteArray() << int(RtfResult::Error::NotRtf) << QString();
        QTest::newRow("only the start") << QByteArray("{\\rtf") << ok << QString();
        QTest::newRow("NUL bytes") << QByteArray("{\\rtf1 a\0b\0\\\0c}", 15) << ok << QStringLiteral("abc");
    }
    void malformedInputNeverBreaksTheReader()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, error);
        QFETCH(QString, text);
        RtfResult r;
        auto doc = load(input, &r);
        QCOMPARE(int(r.error), error);
        if (r.ok())
            QCOMPARE(doc->toPlainText(), text);
    }

    void everyPrefixOfAReportReads()
    {
        // A file cut off anywhere (a full disk, a broken copy) still reads without harm.
        const QByteArray whole = readFile(fixture(QStringLiteral("word.rtf")));
        for (qsizetype n = 0; n < whole.size(); n += 7) {
            RtfResult r;
            load(whole.left(n), &r);
            QVERIFY(r.ok() || r.error == RtfResult::Error::NotRtf);
        }
    }

    void picturesItCannotDrawGoBackUnchanged()
    {
        // A WMF, an EMF alone in \shppict (its \nonshppict twin is not taken), and a WMF
        // stored as \bin, whose bytes may hold braces.
        const QByteArray wmf =
            "{\\pict\\wmetafile8\\picw2117\\pich1058\\picwgoal1200\\pichgoal600\\bliptag-1\n"
            "010009000003500000000000270000000000040000000301080005000000\n"
            "0b0200000000050000000c02e803e803}";
        const QByteArray emf = "{\\pict\\emfblip\\picwgoal300\\pichgoal450 0100000064000000}";
        const QByteArray bin = "{\\pict\\wmetafile8\\picwgoal150\\pichgoal150\\bin6 {}\\}{}}";
        const QByteArray input = rtf("antes " + wmf + " medio{\\*\\shppict" + emf +
                                     "}{\\nonshppict{\\pict\\wmetafile8 0100}} " + bin + "despu\\'e9s");
        RtfResult r;
        auto doc = load(input, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        const QChar obj = QChar::ObjectReplacementCharacter;
        QCOMPARE(doc->toPlainText(), QStringLiteral("antes %1 medio%1 %1después").arg(obj));
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), 3);
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), QSizeF(80, 40));
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[1]), QSizeF(20, 30));
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[2]), QSizeF(10, 10));
        // Printing draws the placeholder, in the picture's proportions.
        const QImage printed = ReportPicture::image(doc.get(), pics[0]);
        QVERIFY(!printed.isNull());
        QCOMPARE(printed.width(), 2 * printed.height());

        const QByteArray saved = save(*doc);
        QVERIFY2(saved.contains(wmf), saved.constData());
        QVERIFY2(saved.contains(emf), saved.constData());
        QVERIFY2(saved.contains(bin), saved.constData());
        QVERIFY(!saved.contains("\\pict\\wmetafile8 0100"));
        // ...and again, byte for byte, however often the report is saved.
        auto again = load(saved, &r);
        QVERIFY(r.ok());
        QCOMPARE(save(*again), saved);

        // Text typed right behind a placeholder is text, not another copy of it.
        QTextCursor c(again.get());
        c.setPosition(QStringLiteral("antes ").size() + 1);
        c.insertText(QStringLiteral("X"));
        QCOMPARE(pictures(*again).size(), 3);
        const QByteArray edited = save(*again);
        QCOMPARE(edited.count(wmf), 1);
        QVERIFY(blocks(*load(edited)).first().startsWith(QStringLiteral("antes %1X").arg(obj)));
    }

    void picturesAreFittedToThePrintedWidth()
    {
        // A picture that asks for 10000 pixels in an indented paragraph, one that fits,
        // and a placeholder that asks for 2000.
        const QByteArray png = readFile(fixture(QStringLiteral("tiny.png")));
        auto doc = load(rtf("\\li750\\ri300 {\\pict\\pngblip\\picwgoal150000\\pichgoal75000 " + png.toHex() +
                            "}\\par\\pard {\\pict\\pngblip\\picwgoal1215\\pichgoal2040 " + png.toHex() +
                            "}{\\pict\\wmetafile8\\picwgoal30000\\pichgoal15000 0100}"));
        QCOMPARE(ReportPicture::fitToWidth(doc.get(), 600), 2);
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), 3);
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), QSizeF(530, 265)); // 600 - 50 - 20
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[1]), QSizeF(81, 136));
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[2]), QSizeF(600, 300));
        QVERIFY(!ReportPicture::foreignRtf(pics[2]).isEmpty());
        QVERIFY(samePixels(ReportPicture::image(doc.get(), pics[0]),
                           QImage(fixture(QStringLiteral("tiny.png")))));
        QCOMPARE(ReportPicture::fitToWidth(doc.get(), 600), 0);
    }

    void longParagraphsReadInLinearTime()
    {
        // One paragraph of 1, 2, 4 and 8 MB: a reader quadratic in its length takes 4 times
        // as long per doubling; at most 3 times is allowed.
        auto paragraph = [](qsizetype bytes) {
            QByteArray out = rtf("\\fs24 ");
            out.chop(1);
            const QByteArray words = "La carta del d\\'eda habla de un camino {\\b nuevo} que se abre; ";
            out.reserve(bytes + 64);
            while (out.size() < bytes)
                out += words;
            return out + "}";
        };
        // The sizes take turns so that a moment of load falls on all alike; the best round counts.
        const QList<int> megabytes{1, 2, 4, 8};
        QList<QByteArray> data;
        for (int mb : megabytes)
            data << paragraph(qsizetype(mb) << 20);
        QList<double> best(megabytes.size(), 1e9);
        QList<qsizetype> sizes(megabytes.size(), 0);
        for (int run = 0; run < 5; ++run) {
            for (int i = 0; i < megabytes.size(); ++i) {
                QElapsedTimer t;
                t.start();
                RtfResult r;
                auto doc = load(data[i], &r);
                best[i] = std::min(best[i], t.nsecsElapsed() / 1e6);
                QVERIFY2(r.ok(), qPrintable(r.detail));
                QCOMPARE(doc->blockCount(), 1);
                sizes[i] = doc->characterCount();
            }
        }
        for (int i = 1; i < best.size(); ++i) {
            QVERIFY(sizes[i] > sizes[i - 1] * 19 / 10);
            QVERIFY2(best[i] <= 3.0 * best[i - 1], qPrintable(QStringLiteral("%1 MB: %2 ms, %3 MB: %4 ms")
                                                                  .arg(1 << (i - 1))
                                                                  .arg(best[i - 1])
                                                                  .arg(1 << i)
                                                                  .arg(best[i])));
        }
    }

    void readingReportsProgressAndStopsWhenAsked()
    {
        const QByteArray data = rtf(QByteArray("palabra ").repeated(200000));
        QList<qint64> seen;
        RtfResult r;
        QTextDocument doc;
        QByteArray copy = data;
        QBuffer buffer(&copy);
        buffer.open(QIODevice::ReadOnly);
        r = RtfReader::read(&buffer, &doc, {}, [&seen, &data](qint64 done, qint64 total) {
            if (total != data.size())
                return false;
            seen << done;
            return true;
        });
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QVERIFY(seen.size() >= data.size() / (1 << 16));
        QVERIFY(std::is_sorted(seen.begin(), seen.end()));
        QVERIFY(seen.last() <= data.size());

        int calls = 0;
        buffer.seek(0);
        r = RtfReader::read(&buffer, &doc, {}, [&calls](qint64, qint64) { return ++calls < 3; });
        QCOMPARE(r.error, RtfResult::Error::Cancelled);
        QCOMPARE(calls, 3);
        QVERIFY(doc.characterCount() < data.size() / 4);
    }

    void limitsBoundTimeAndMemory()
    {
        RtfResult r;
        // 100 MB of picture data that is no picture.
        QByteArray big = "{\\rtf1 a{\\pict\\pngblip ";
        big += QByteArray(100 << 20, 'f');
        big += "}b}";
        auto doc = load(big, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(doc->toPlainText(), QStringLiteral("ab"));
        QCOMPARE(pictures(*doc).size(), 0);

        // 100 MB of paragraphs end at the paragraph limit instead of taking gigabytes.
        big = "{\\rtf1 ";
        big += QByteArray("x\\par ").repeated((100 << 20) / 6);
        doc = load(big, &r);
        QCOMPARE(r.error, RtfResult::Error::TooLarge);
        big.clear();
        doc.reset();

        RtfReader::Limits small;
        small.maxBytes = 1000;
        load(rtf(QByteArray(2000, 'a')), &r, small);
        QCOMPARE(r.error, RtfResult::Error::TooLarge);

        small = {};
        small.maxChars = 100;
        load(rtf(QByteArray(101, 'a')), &r, small);
        QCOMPARE(r.error, RtfResult::Error::TooLarge);
        load(rtf(QByteArray(100, 'a')), &r, small);
        QVERIFY(r.ok());
    }

    void failingDevicesAreReported()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QString(QStringLiteral("texto ")).repeated(100));
        ReportPicture::insertImage(c, testImage(300, 300, false));
        FailingDevice full(200);
        full.open(QIODevice::WriteOnly);
        RtfResult r = RtfWriter::write(doc, &full);
        QCOMPARE(r.error, RtfResult::Error::Device);
        QCOMPARE(r.detail, QStringLiteral("No space left on device"));

        FailingDevice broken(0);
        broken.open(QIODevice::ReadOnly);
        r = RtfReader::read(&broken, &doc);
        QCOMPARE(r.error, RtfResult::Error::Device);
        QCOMPARE(r.detail, QStringLiteral("read error"));

        QBuffer closed;
        QCOMPARE(RtfWriter::write(doc, &closed).error, RtfResult::Error::Device);
        QCOMPARE(RtfReader::read(&closed, &doc).error, RtfResult::Error::Device);
    }
};

ORBELLE_TEST_MAIN(tst_RtfCodec)
#include "tst_rtfcodec.moc"
