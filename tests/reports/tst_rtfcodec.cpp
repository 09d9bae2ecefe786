// The RTF writer and reader without a window.

#include "rtftestutil.h"
#include "testenv.h"

#include <QTemporaryDir>
#include <QTextCursor>

#include <algorithm>
#include <sys/stat.h>

using namespace RtfTest;

namespace {

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
            img.setPixel(x, y,
                         qRgba(x * 37 & 255, y * 59 & 255, x * y & 255, alpha ? (x + y) * 9 & 255 : 255));
    return img;
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
        QTest::newRow("tab, line break, nbsp, blanks") << QStringLiteral("  a\tb\u2028c\u00A0d  ");
        QTest::newRow("long paragraph") << QString(QStringLiteral("palabra ")).repeated(2000);
    }
    void textSurvivesTheRoundTrip()
    {
        QFETCH(QString, text);
        QTextDocument doc;
        QTextCursor(&doc).insertText(text);
        const QByteArray bytes = save(doc);
        QVERIFY2(std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }),
                 "RTF is 7-bit text");
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
        for (const Qt::Alignment a : {Qt::AlignRight, Qt::AlignJustify}) {
            QTextBlockFormat aligned;
            aligned.setAlignment(a);
            c.insertBlock(aligned, format(12));
            c.insertText(QStringLiteral("alineado"));
        }

        RtfResult r;
        auto back = load(save(doc), &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        back->setDefaultFont(QFont(QStringLiteral("Times"), 30)); // every run names its own
        QCOMPARE(runs(*back), runs(doc));
        QCOMPARE(back->blockCount(), doc.blockCount());
        const auto layout = [](const QTextBlockFormat &f) {
            const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
            return QList<qreal>{f.leftMargin(), f.rightMargin(),  f.textIndent(),
                                f.topMargin(),  f.bottomMargin(), qreal(a ? a : Qt::AlignLeft)};
        };
        for (int i = 0; i < doc.blockCount(); ++i)
            QCOMPARE(layout(back->findBlockByNumber(i).blockFormat()),
                     layout(doc.findBlockByNumber(i).blockFormat()));
        // The empty line keeps its height.
        QCOMPARE(back->findBlockByNumber(2).charFormat().fontPointSize(), 20.0);
    }

    void picturesSurviveTheRoundTrip()
    {
        const QByteArray jpeg = readFile(fixture(QStringLiteral("tiny.jpg")));
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QStringLiteral("antes "));
        QVERIFY(ReportPicture::insertEncoded(c, jpeg, QSizeF(81, 136)));
        QVERIFY(ReportPicture::insertImage(c, testImage(7, 5, false)));
        c.insertText(QStringLiteral(" medio "));
        QVERIFY(ReportPicture::insertImage(c, testImage(4, 9, true), QSizeF(40, 0)));
        c.insertBlock();
        // The same picture twice in a row is one fragment of the document.
        const QTextImageFormat twice = pictures(doc).constFirst();
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
        // pictures' files; saving what was read writes the same file again.
        ReportPicture::Encoding enc;
        QCOMPARE(ReportPicture::encodedBytes(back.get(), got[0], &enc), jpeg);
        QCOMPARE(bytes.count("\\jpegblip"), 3);
        QCOMPARE(save(*back), bytes);
    }

    void readsWhatWordProcessorsWrite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QStringList>("looks"); // "text: what its run looks like"

        const QString pic(QChar::ObjectReplacementCharacter);
        QTest::newRow("word") << QStringLiteral("word.rtf")
                              << QStringList{QStringLiteral("Lectura de la mañana"),
                                             QStringLiteral("La carta El Loco habla de un comienzo: ¿qué "
                                                            "camino elegirás? Confía en tu intuición."),
                                             QStringLiteral("“Estrella” ★\tverde\u2028segunda línea"),
                                             pic + QStringLiteral("enlace"), QString()}
                              << QSizeF(3, 2)
                              << QStringList{QStringLiteral("Lectura:14pt b Calibri"),
                                             QStringLiteral("El Loco:i"), QStringLiteral("Confía:u"),
                                             QStringLiteral("Estrella:#c00000"),
                                             QStringLiteral("verde:11pt")};
        QTest::newRow("libreoffice")
            << QStringLiteral("libreoffice.rtf")
            << QStringList{QStringLiteral("Tirada del día"),
                           QStringLiteral("Hoy sale El Mago: «habilidad» y “voluntad”, 5€."),
                           pic + QStringLiteral(" "), QStringLiteral("subrayado y normal\ttabulado"),
                           QString()}
            << QSizeF(16, 16)
            << QStringList{QStringLiteral("Tirada:14pt Liberation Serif"), QStringLiteral("subrayado:u")};
        QTest::newRow("wordpad") << QStringLiteral("wordpad.rtf")
                                 << QStringList{QStringLiteral("Señor árbol ¿por qué? ¡Olé! € 100 ♥"),
                                                QStringLiteral("Rojo grande"),
                                                QStringLiteral("Tahoma itálica"), QString()}
                                 << QSizeF()
                                 << QStringList{QStringLiteral("Rojo:16pt b #ff0000"),
                                                QStringLiteral("itálica:i Tahoma")};
    }
    void readsWhatWordProcessorsWrite()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, text);
        QFETCH(QSizeF, picture);
        QFETCH(QStringList, looks);
        RtfResult r;
        auto doc = load(readFile(fixture(file)), &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(blocks(*doc), text);
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), picture.isValid() ? 1 : 0);
        if (picture.isValid()) {
            QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), picture);
            QCOMPARE(ReportPicture::image(doc.get(), pics[0]).size(), picture.toSize());
        }
        const QStringList rs = runs(*doc);
        for (const QString &want : looks)
            QVERIFY2(looksLike(rs, want.section(QLatin1Char(':'), 0, 0), want.section(QLatin1Char(':'), 1)),
                     qPrintable(want));
        // The indents the fixtures give their report paragraph.
        QCOMPARE(
            doc->findBlockByNumber(file == QStringLiteral("word.rtf") ? 1 : 0).blockFormat().leftMargin(),
            file == QStringLiteral("wordpad.rtf") ? 0 : 1000 / 15.0);
    }

    void readsControlWords_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("text"); // paragraphs joined by "|"

        QTest::newRow("\\uN with a \\'hh fallback")
            << rtf("caf\\u233\\'e9 y \\u-3850?x") << QStringLiteral("café y \uF0F6x");
        QTest::newRow("\\uc0: no fallback") << rtf("\\uc0 a\\u8364 b") << QStringLiteral("a€b");
        QTest::newRow("\\uc2: two fallback characters")
            << rtf("\\uc2 \\u8364\\'80\\'80 x\\u241 nyz") << QStringLiteral("€ xñz");
        QTest::newRow("\\uc in a group ends with it")
            << rtf("{\\uc3 \\u241 abcd}\\u241 ef") << QStringLiteral("ñdñf");
        QTest::newRow("fallback cut by a brace") << rtf("\\uc4{\\u241 a}b") << QStringLiteral("ñb");
        QTest::newRow("surrogate pair") << rtf("\\u-10180?\\u-9055?.") << QStringLiteral("🂡.");
        QTest::newRow("\\u outside 16 bits") << rtf("a\\u70000?b\\u-40000?c\\u65535?d\\u-1?e")
                                             << QStringLiteral("a\uFFFDb\uFFFDc\uFFFDd\uFFFDe");
        QTest::newRow("lone surrogate") << rtf("a\\u-10180?b") << QStringLiteral("a\uFFFDb");
        QTest::newRow("code page 1252")
            << rtf("\\'e1\\'f1\\'d1\\'bf\\'a1\\'80\\'85\\'93\\'94") << QStringLiteral("áñÑ¿¡€…“”");
        QTest::newRow("raw 8-bit bytes") << rtf("ni\xf1o") << QStringLiteral("niño");
        QTest::newRow("1251 as \\'hh")
            << rtf("\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2", "\\ansicpg1251") << QStringLiteral("Привет");
        QTest::newRow("1251 as raw bytes") << rtf("\xc4\xe0 \xb9", "\\ansicpg1251") << QStringLiteral("Да №");
        QTest::newRow("Mac Roman") << rtf("\\'c0Qu\\'8e tal? \\'a5", "\\ansicpg10000")
                                   << QStringLiteral("¿Qué tal? •");
        QTest::newRow("850") << rtf("\\'b5rbol \\'d6", "\\ansicpg850") << QStringLiteral("Árbol Í");
        QTest::newRow("no code page: 1252") << rtf("\\'80 \\'e9 \\'9c", "") << QStringLiteral("€ é œ");
        QTest::newRow("unknown code page: 1252") << rtf("\\'e9", "\\ansicpg99999") << QStringLiteral("é");
        QTest::newRow("undefined byte") << rtf("a\\'98b", "\\ansicpg1251") << QStringLiteral("a\uFFFDb");
        // Word gives a Cyrillic font its character set and leaves \ansicpg at 1252.
        QTest::newRow("font character set")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 Arial "
                          "Cyr;}}\\'e4 {\\f1\\'e4\\'e0} \\'e4}")
            << QStringLiteral("ä да ä");
        QTest::newRow("\\u wins over the code page")
            << rtf("\\u1046\\'c6\\uc0\\u1046", "\\ansicpg1251") << QStringLiteral("ЖЖ");
        QTest::newRow("escapes") << rtf("\\{a\\}\\\\b\\~c\\_d") << QStringLiteral("{a}\\b\u00A0c\u2011d");
        QTest::newRow("paragraphs, line, tab, line ends")
            << rtf("a\\par b\\line c\\tab d\\\ne\r\nf\rg") << QStringLiteral("a|b\u2028c\td|efg");
        QTest::newRow("named characters")
            << rtf("\\emdash\\endash\\bullet\\lquote\\rdblquote") << QStringLiteral("—–•‘”");
        QTest::newRow("unknown words ignored")
            << rtf("\\foo a\\barbaz12 b\\qux-5 c") << QStringLiteral("abc");
        QTest::newRow("\\* destinations skipped")
            << rtf("a{\\*\\unknown x{y}z}b{\\*\\bkmkstart m}c") << QStringLiteral("abc");
        QTest::newRow("tables, header, footer skipped")
            << rtf("{\\stylesheet{\\s1 Normal;}}{\\info{\\title T}}{\\colortbl;\\red1;}{\\header "
                   "h\\par}{\\footer f}x")
            << QStringLiteral("x");
        QTest::newRow("field result shown")
            << rtf("{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt ver}}") << QStringLiteral("ver");
        QTest::newRow("\\upr takes \\ud") << rtf("{\\upr{ansi}{\\*\\ud{\\u241 u}}}") << QStringLiteral("ñ");
        QTest::newRow("hidden text") << rtf("a{\\v oculto}b\\v c\\v0 d") << QStringLiteral("abd");
        QTest::newRow("\\bin data is not text") << rtf("a{\\*\\x\\bin5 }{\\a}}b") << QStringLiteral("ab");
        QTest::newRow("controls never reach the text")
            << rtf("\\uc0 a\\u0 \\u7 \\u8233 b\\u-4 c\\u64976 d") << QStringLiteral("a\u2028b\uFFFDc\uFFFDd");
        QTest::newRow("table cells") << rtf("\\trowd\\cellx100\\cellx200 uno\\cell dos\\cell\\row tres")
                                     << QStringLiteral("uno\tdos\t|tres");
    }
    void readsControlWords()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, text);
        RtfResult r;
        auto doc = load(input, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(blocks(*doc).join(QLatin1Char('|')), text);
    }

    void resetsFormattingAsWordProcessorsExpect()
    {
        auto doc = load(rtf("\\li600\\fs40\\b\\i\\ul bold\\b0 \\i0 \\ulnone plain\\par second\\plain  "
                            "reset\\par\\pard last"));
        // \plain: the 12 pt default of RTF in the document's default font.
        QCOMPARE(runs(*doc),
                 (QStringList{"bold|20pt b i u Arial", "plain|20pt Arial", "\n|", "second|20pt Arial",
                              " reset|12pt Arial", "\n|", "last|12pt Arial"}));
        QCOMPARE(doc->findBlockByNumber(1).blockFormat().leftMargin(), 40.0);
        QCOMPARE(doc->findBlockByNumber(2).blockFormat().leftMargin(), 0.0);
    }

    void picturesInTheirVariousForms_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QSizeF>("size");     // invalid: no picture
        QTest::addColumn<QByteArray>("kept"); // the group a placeholder writes back

        const QByteArray png = readFile(fixture(QStringLiteral("tiny.png")));
        const QByteArray hex = png.toHex();
        const QSizeF own(3, 2);
        const QByteArray none;
        QTest::newRow("goal size") << rtf("{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + hex + "}")
                                   << QSizeF(20, 10) << none;
        QTest::newRow("scaled")
            << rtf("{\\pict\\pngblip\\picscalex50\\picscaley200\\picwgoal300\\pichgoal150 " + hex + "}")
            << QSizeF(10, 20) << none;
        QTest::newRow("upper-case hex, spaced")
            << rtf("{\\pict\\pngblip\n" + hex.toUpper().replace("0", "0 ") + "}") << own << none;
        QTest::newRow("binary") << rtf("{\\pict\\pngblip\\bin" + QByteArray::number(png.size()) + " " + png +
                                       "}")
                                << own << none;
        QTest::newRow("inside shppict")
            << rtf("{\\*\\shppict{\\pict\\pngblip " + hex + "}}{\\nonshppict{\\pict\\pngblip " + hex + "}}")
            << own << none;
        QTest::newRow("labelled jpeg, really png") << rtf("{\\pict\\jpegblip " + hex + "}") << own << none;
        QTest::newRow("garbage data") << rtf("{\\pict\\pngblip 0123456789abcdef}") << QSizeF() << none;
        QTest::newRow("truncated data")
            << rtf("{\\pict\\pngblip " + hex.left(hex.size() / 2) + "}") << QSizeF() << none;
        QTest::newRow("huge goal") << rtf("{\\pict\\pngblip\\picwgoal99999999999\\pichgoal-5 " + hex + "}")
                                   << own << none;
        // What is nested in a picture's group is nobody's to see: a link around a drawn
        // picture is dropped, and its letters are not taken for picture data.
        QTest::newRow("link inside a png")
            << rtf("{\\pict\\pngblip{\\field{\\*\\fldinst HYPERLINK \"http://a.example\"}{\\fldrslt ab}} " +
                   hex + "}")
            << own << none;
        QTest::newRow("nested pict") << rtf("{\\pict\\pngblip{\\pict\\pngblip " + hex + "} " + hex + "}")
                                     << own << none;
        // Placeholders: by the goal size, else the metafile's own size in hundredths of a
        // millimetre. They keep their bytes, sizes and format, and nothing else.
        const QByteArray wmf = "{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\n0100\n}";
        QTest::newRow("metafile") << rtf("{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\\bliptag5 0100}")
                                  << QSizeF(20, 20) << wmf;
        QTest::newRow("emf without goal")
            << rtf("{\\*\\shppict{\\pict\\emfblip\\picw2540\\pich1270 0100}}{\\nonshppict{\\pict\\wmetafile8 "
                   "02}}")
            << QSizeF(96, 48) << QByteArray("{\\pict\\emfblip\\picw2540\\pich1270\n0100\n}");
        QTest::newRow("bitmap")
            << rtf("{\\pict\\wbitmap0\\wbmbitspixel24\\wbmplanes1\\picw30\\pich20 28000000}")
            << QSizeF(30, 20)
            << QByteArray("{\\pict\\wbitmap0\\wbmbitspixel24\\wbmplanes1\\picw30\\pich20\n28000000\n}");
        QTest::newRow("binary braces")
            << rtf("{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\\bin2 {}}") << QSizeF(20, 20)
            << QByteArray("{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\n7b7d\n}");
        QTest::newRow("remote include")
            << rtf("{\\pict\\wmetafile8{\\field{\\*\\fldinst INCLUDEPICTURE "
                   "\"http://a.example/x.png\" \\\\d}{\\fldrslt}}\\picwgoal300\\pichgoal300 0100}")
            << QSizeF(20, 20) << wmf;
        QTest::newRow("object")
            << rtf("{\\pict\\wmetafile8{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata d0cf11e0}}"
                   "\\picwgoal300\\pichgoal300 0100}")
            << QSizeF(20, 20) << wmf;
        QTest::newRow("link in its properties")
            << rtf("{\\pict{\\*\\picprop{\\sp{\\sn pihlShape}{\\sv {\\*\\hl{\\hlfr "
                   "http://a.example}}}}}\\wmetafile8\\picwgoal300\\pichgoal300 0100}")
            << QSizeF(20, 20) << wmf;
        QTest::newRow("text before it")
            << rtf("{antes\\pict\\wmetafile8\\picwgoal300\\pichgoal300 0100}fin") << QSizeF(20, 20) << wmf;
    }
    void picturesInTheirVariousForms()
    {
        QFETCH(QByteArray, input);
        QFETCH(QSizeF, size);
        QFETCH(QByteArray, kept);
        RtfResult r;
        auto doc = load(input, &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), size.isValid() ? 1 : 0);
        if (pics.isEmpty())
            return;
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), size);
        QCOMPARE(ReportPicture::foreignRtf(pics[0]), kept);
        if (kept.isEmpty())
            QVERIFY(samePixels(ReportPicture::image(doc.get(), pics[0]),
                               QImage(fixture(QStringLiteral("tiny.png")))));
        // Saved: no trace of what was hidden in the group; saved again, the same file.
        const QByteArray saved = save(*doc);
        for (const char *hidden : {"http", "field", "object", "objdata", "picprop", "bliptag", "nonshppict"})
            QVERIFY2(!saved.contains(hidden), hidden);
        auto again = load(saved);
        QCOMPARE(blocks(*again), blocks(*doc));
        QCOMPARE(ReportPicture::displaySize(again.get(), pictures(*again).value(0)), size);
        QCOMPARE(save(*again), saved);
    }

    void malformedInputNeverBreaksTheReader_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text");

        const int ok = int(RtfResult::Error::None);
        const int notRtf = int(RtfResult::Error::NotRtf);
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
        QTest::newRow("not rtf") << QByteArray("Hola, esto es texto.") << notRtf << QString();
        QTest::newRow("html") << QByteArray("<html><body>{\\rtf1}</body></html>") << notRtf << QString();
        QTest::newRow("empty") << QByteArray() << notRtf << QString();
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
        // A file cut off anywhere (a full disk, a broken copy) still reads without harm.
        if (QTest::currentDataTag() == QLatin1String("empty")) {
            const QByteArray whole = readFile(fixture(QStringLiteral("word.rtf")));
            for (qsizetype n = 0; n < whole.size(); n += 7) {
                load(whole.left(n), &r);
                QVERIFY(r.ok() || r.error == RtfResult::Error::NotRtf);
            }
        }
    }

    void picturesAreFittedToThePrintedWidth()
    {
        // A picture that asks for 10000 pixels in an indented paragraph, one that fits,
        // and a placeholder that asks for 2000.
        const QByteArray hex = readFile(fixture(QStringLiteral("tiny.png"))).toHex();
        auto doc = load(rtf("\\li750\\ri300 {\\pict\\pngblip\\picwgoal150000\\pichgoal75000 " + hex +
                            "}\\par\\pard {\\pict\\pngblip\\picwgoal1215\\pichgoal2040 " + hex +
                            "}{\\pict\\wmetafile8\\picwgoal30000\\pichgoal15000 0100}"));
        QCOMPARE(ReportPicture::fitToWidth(doc.get(), 600), 2);
        const auto pics = pictures(*doc);
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), QSizeF(530, 265)); // 600 - 50 - 20
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[1]), QSizeF(81, 136));
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[2]), QSizeF(600, 300));
        QCOMPARE(ReportPicture::fitToWidth(doc.get(), 600), 0);
    }

    void manyFontsAndColoursComeThrough()
    {
        // 40000 fonts took minutes to read and then to save. The text comes through whole,
        // the first fonts keep their names through a round trip, every colour its own.
        for (const bool fonts : {true, false}) {
            RtfResult r;
            auto doc = load(manyEntries(40000, fonts), &r);
            QVERIFY2(r.ok(), qPrintable(r.detail));
            QCOMPARE(doc->toPlainText(), QString(40000, u'x'));
            auto again = load(save(*doc), &r);
            QVERIFY2(r.ok(), qPrintable(r.detail));
            const QStringList rs = runs(*again);
            if (fonts)
                QCOMPARE(rs.mid(0, 2), (QStringList{"x|12pt F0", "x|12pt F1"}));
            else
                QCOMPARE(rs.size(), 40000);
            if (!fonts)
                QCOMPARE(rs.last(),
                         QStringLiteral("x|12pt Arial ") + QColor(39999 % 256, 39999 / 256, 7).name());
        }
    }

    void picturesAreDecodedWithinBounds()
    {
        QImage photo(800, 600, QImage::Format_RGB32);
        photo.fill(Qt::darkCyan);
        QByteArray jpeg;
        QBuffer buffer(&jpeg);
        buffer.open(QIODevice::WriteOnly);
        QVERIFY(photo.save(&buffer, "JPEG"));
        QTextDocument doc;
        QTextCursor c(&doc);
        QVERIFY(ReportPicture::insertEncoded(c, hugeJpeg(), QSizeF(100, 100)));
        QVERIFY(ReportPicture::insertEncoded(c, jpeg, QSizeF(80, 60)));
        const auto pics = pictures(doc);
        // Beyond the budget it is never decoded, whatever size is asked for; within it, at
        // the size asked for. Its bytes are kept all the same.
        QCOMPARE(ReportPicture::pixelSize(&doc, pics[0]), QSize(20000, 20000));
        QVERIFY(ReportPicture::image(&doc, pics[0], QSize(100, 100)).isNull());
        QVERIFY(ReportPicture::image(&doc, pics[0]).isNull());
        QCOMPARE(ReportPicture::image(&doc, pics[1], QSize(80, 60)).size(), QSize(80, 60));
        QVERIFY(save(doc).contains(hugeJpeg().toHex().left(120)));
        // Printed: each decoded once at the printed size, the huge one as the placeholder.
        ReportPicture::decodeForPrinting(&doc, 2);
        for (const auto &pic : pics) {
            const QVariant printed = doc.resource(QTextDocument::ImageResource, QUrl(pic.name()));
            QCOMPARE(printed.userType(), QMetaType::QImage);
            QVERIFY(printed.value<QImage>().width() <= 200);
        }
    }

    void pictureFilesAreReadOnlyFromRegularFiles()
    {
        QTemporaryDir dir;
        const QString fifo = dir.filePath(QStringLiteral("tubo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QFile sparse(dir.filePath(QStringLiteral("enorme.png")));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(ReportPicture::kMaxFileBytes + 1));
        sparse.close();
        QByteArray bytes;
        for (const QString &refused : {QStringLiteral("/dev/zero"), fifo, dir.path(), sparse.fileName(),
                                       dir.filePath(QStringLiteral("falta.png"))}) {
            QString why;
            QVERIFY2(!ReportPicture::readFile(refused, &bytes, &why) && !why.isEmpty(), qPrintable(refused));
        }
        QVERIFY(ReportPicture::readFile(fixture(QStringLiteral("tiny.png")), &bytes));
        QCOMPARE(bytes, readFile(fixture(QStringLiteral("tiny.png"))));
    }

    void readingReportsProgressAndStopsWhenAsked()
    {
        QByteArray data = rtf(QByteArray("palabra ").repeated(200000));
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QList<qint64> seen;
        QTextDocument doc;
        RtfResult r = RtfReader::read(&buffer, &doc, {}, [&seen, &data](qint64 done, qint64 total) {
            seen << done;
            return total == data.size();
        });
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QVERIFY(seen.size() >= data.size() / (1 << 16));
        QVERIFY(std::is_sorted(seen.begin(), seen.end()) && seen.last() <= data.size());

        int calls = 0;
        buffer.seek(0);
        r = RtfReader::read(&buffer, &doc, {}, [&calls](qint64, qint64) { return ++calls < 3; });
        QCOMPARE(r.error, RtfResult::Error::Cancelled);
        QCOMPARE(calls, 3);
        QVERIFY(doc.characterCount() < data.size() / 4);
    }

    void limitsBoundTimeAndMemory()
    {
        // 100 MB of picture data that is no picture.
        RtfResult r;
        auto doc = load("{\\rtf1 a{\\pict\\pngblip " + QByteArray(100 << 20, 'f') + "}b}", &r);
        QVERIFY2(r.ok(), qPrintable(r.detail));
        QCOMPARE(doc->toPlainText(), QStringLiteral("ab"));
        QCOMPARE(pictures(*doc).size(), 0);
        // 100 MB of paragraphs end at the paragraph limit instead of taking gigabytes.
        doc = load("{\\rtf1 " + QByteArray("x\\par ").repeated((100 << 20) / 6), &r);
        QCOMPARE(r.error, RtfResult::Error::TooLarge);
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
        QFile full(QStringLiteral("/dev/full"));
        QVERIFY(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const RtfResult r = RtfWriter::write(doc, &full);
        QCOMPARE(r.error, RtfResult::Error::Device);
        QVERIFY2(r.detail.contains(QStringLiteral("space")), qPrintable(r.detail));

        // Stopped from another thread (a recovery file given up while it is written).
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const std::atomic<bool> stop{true};
        QCOMPARE(RtfWriter::write(*RtfWriter::snapshot(doc), &buffer, &stop).error,
                 RtfResult::Error::Cancelled);

        QBuffer closed;
        QCOMPARE(RtfWriter::write(doc, &closed).error, RtfResult::Error::Device);
        QCOMPARE(RtfReader::read(&closed, &doc).error, RtfResult::Error::Device);
    }
};

ORBELLE_TEST_MAIN(tst_RtfCodec)
#include "tst_rtfcodec.moc"
