// The RTF writer and reader without a window.

#include "rtftestutil.h"
#include "testenv.h"

#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocumentFragment>

#include <algorithm>
#include <sys/stat.h>

using namespace RtfTest;
using namespace Qt::StringLiterals;

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
    void textSurvivesTheRoundTrip()
    {
        // Spanish, the code page's extras, beyond it and beyond U+FFFF, RTF typed by a
        // user, tabs, line breaks, blanks, a long paragraph: one paragraph each.
        const QStringList text{u"Señor Ñandú, ¿qué tal? ¡Olé! ü ç"_s, u"5 € – “comillas” … ‘x’ • ™ Œ š"_s,
                               u"塔罗 Ωμέγα ★ ♥ Ж 🂡 🃏 𝄞 end"_s,       u"{\\rtf1 \\par} \\' \\u233 }{ ;\\"_s,
                               u"  a\tb\u2028c\u00A0d  "_s,           QString(u"palabra "_s).repeated(2000)};
        QTextDocument doc;
        QTextCursor(&doc).insertText(text.join(u'\n'));
        const QByteArray bytes = save(doc);
        QVERIFY2(std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }),
                 "RTF is 7-bit text");
        QCOMPARE(blocks(*load(bytes)), text);
        // The long one read in parts is written back as one.
        QCOMPARE(save(*load(bytes)).count("\\par}"), text.size() - 1);
    }

    void formattingSurvivesTheRoundTrip()
    {
        // As the viewer formats its pieces, and as word processors do.
        QTextDocument doc;
        doc.setDefaultFont(QFont(u"Arial"_s, 10));
        QTextCursor c(&doc);
        QTextBlockFormat indented;
        indented.setLeftMargin(1000 / 15.0);
        indented.setRightMargin(500 / 15.0);
        c.setBlockFormat(indented);
        c.insertText(u"Encabezado"_s, format(14, true));
        c.insertBlock();
        c.insertText(u"normal "_s, format(12));
        c.insertText(u"cursiva "_s, format(12, false, true));
        c.insertText(u"subrayado"_s, format(12, false, false, true));
        QTextCursor(&doc).insertFragment(QTextDocumentFragment(
            load(rtf("{\\colortbl;\\red200\\green10\\blue20;}\\pard\\qc\\fi-300\\sb120\\sa240{"
                     "\\fs19\\b\\i\\ul\\strike"
                     "\\cf1 todo}\\par\\fs40\\par\\pard\\qr\\fs24 derecha\\par\\pard\\qj justificado\\par"))
                .get()));
        auto back = load(save(doc));
        back->setDefaultFont(QFont(u"Times"_s, 30)); // every run names its own
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
        QCOMPARE(back->findBlockByNumber(1).charFormat().fontPointSize(), 20.0);
    }

    void picturesSurviveTheRoundTrip()
    {
        const QByteArray jpeg = readFile(fixture(u"tiny.jpg"_s));
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(u"antes "_s);
        QVERIFY(ReportPicture::insertEncoded(c, jpeg, QSizeF(81, 136)));
        QVERIFY(ReportPicture::insertImage(c, testImage(7, 5, false)));
        c.insertText(u" medio "_s);
        QVERIFY(ReportPicture::insertImage(c, testImage(4, 9, true), QSizeF(40, 0)));
        c.insertBlock();
        // The same picture twice in a row is one fragment of the document.
        const QTextImageFormat twice = pictures(doc).constFirst();
        c.insertImage(twice);
        c.insertImage(twice);

        const QByteArray bytes = save(doc);
        auto back = load(bytes);
        QVERIFY(back);
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
        // The JPEG comes back byte for byte, so a saved report stays as small as its
        // pictures' files; saving what was read writes the same file again.
        ReportPicture::Encoding enc;
        QCOMPARE(ReportPicture::encodedBytes(back.get(), got[0], &enc), jpeg);
        QCOMPARE(save(*back), bytes);
    }

    void pictureDescriptionsSurviveTheRoundTrip()
    {
        // As a word processor writes it: among other properties, with escapes; a
        // metafile kept as a placeholder; a property outside any picture; and a picture
        // without one.
        const QByteArray hex = readFile(fixture(u"tiny.png"_s)).toHex();
        auto doc = load(rtf("{\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}"
                            "{\\sp{\\sn wzDescription}{\\sv Sota de Copas \\u8212\\'97 \\{\\u209\\'d1\\}}}"
                            "{\\sp{\\sn wzName}{\\sv Imagen 1}}}\\pngblip " +
                            hex +
                            "}}{\\sp{\\sn wzDescription}{\\sv texto}}"
                            "{\\pict{\\*\\picprop{\\sp{\\sn wzDescription}{\\sv La Torre (invertida)}}}"
                            "\\wmetafile8\\picwgoal300\\pichgoal300 0100}{\\pict\\pngblip " +
                            hex + "}"));
        QVERIFY(doc);
        const QStringList want{u"Sota de Copas — {Ñ}"_s, u"La Torre (invertida)"_s, QString()};
        const auto descriptions = [](const QTextDocument &d) {
            QStringList out;
            for (const QTextImageFormat &f : pictures(d))
                out << ReportPicture::description(f);
            return out;
        };
        QCOMPARE(descriptions(*doc), want);
        QCOMPARE(doc->toPlainText().count(u"texto"_s), 0);
        // Written back where word processors look for it, and read again.
        const QByteArray saved = save(*doc);
        QCOMPARE(saved.count("{\\*\\picprop{\\sp{\\sn wzDescription}{\\sv "), 2);
        auto back = load(saved);
        QCOMPARE(descriptions(*back), want);
        QCOMPARE(save(*back), saved);
    }

    void readsWhatWordProcessorsWrite_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("text");
        QTest::addColumn<QSizeF>("picture");
        QTest::addColumn<QStringList>("looks"); // "text: what its run looks like"

        const QString pic(QChar::ObjectReplacementCharacter);
        QTest::newRow("word") << u"word.rtf"_s
                              << QStringList{u"Lectura de la mañana"_s,
                                             QStringLiteral("La carta El Loco habla de un comienzo: ¿qué "
                                                            "camino elegirás? Confía en tu intuición."),
                                             u"“Estrella” ★\tverde\u2028segunda línea"_s, pic + u"enlace"_s,
                                             QString()}
                              << QSizeF(3, 2)
                              << QStringList{u"Lectura:14pt b Calibri"_s, u"El Loco:i"_s, u"Confía:u"_s,
                                             u"Estrella:#c00000"_s, u"verde:11pt"_s};
        QTest::newRow("libreoffice") << u"libreoffice.rtf"_s
                                     << QStringList{u"Tirada del día"_s,
                                                    u"Hoy sale El Mago: «habilidad» y “voluntad”, 5€."_s,
                                                    pic + u" "_s, u"subrayado y normal\ttabulado"_s,
                                                    QString()}
                                     << QSizeF(16, 16)
                                     << QStringList{u"Tirada:14pt Liberation Serif"_s, u"subrayado:u"_s};
        QTest::newRow("wordpad") << u"wordpad.rtf"_s
                                 << QStringList{u"Señor árbol ¿por qué? ¡Olé! € 100 ♥"_s, u"Rojo grande"_s,
                                                u"Tahoma itálica"_s, QString()}
                                 << QSizeF() << QStringList{u"Rojo:16pt b #ff0000"_s, u"itálica:i Tahoma"_s};
    }
    void readsWhatWordProcessorsWrite()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, text);
        QFETCH(QSizeF, picture);
        QFETCH(QStringList, looks);
        auto doc = load(readFile(fixture(file)));
        QVERIFY(doc);
        QCOMPARE(blocks(*doc), text);
        const auto pics = pictures(*doc);
        QCOMPARE(pics.isEmpty() ? QSizeF() : ReportPicture::displaySize(doc.get(), pics[0]), picture);
        QCOMPARE(ReportPicture::image(doc.get(), pics.value(0)).size(), picture.toSize().expandedTo({0, 0}));
        const QStringList rs = runs(*doc);
        for (const QString &want : looks)
            QVERIFY2(looksLike(rs, want.section(u':', 0, 0), want.section(u':', 1)), qPrintable(want));
        // The indents the fixtures give their report paragraph.
        QCOMPARE(doc->findBlockByNumber(file == u"word.rtf"_s ? 1 : 0).blockFormat().leftMargin(),
                 file == u"wordpad.rtf"_s ? 0 : 1000 / 15.0);
    }

    void readsWhatItCanOfAnyInput_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("text"); // paragraphs joined by "|"
        // A document body, in code page 1252 unless another (or none, "") is named.
        const struct
        {
            const char *tag, *body, *codePage;
            QString text;
        } bodies[] = {
            {"\\uN, \\'hh fallback", "caf\\u233\\'e9 y \\u-3850?x", nullptr, u"café y \uF0F6x"_s},
            {"\\uc2", "\\uc2 \\u8364\\'80\\'80 x\\u241 nyz", nullptr, u"€ xñz"_s},
            {"\\uc ends with its group", "{\\uc3 \\u241 abcd}\\u241 ef", nullptr, u"ñdñf"_s},
            {"fallback cut by a brace", "\\uc4{\\u241 a}b", nullptr, u"ñb"_s},
            {"surrogates", "\\u-10180?\\u-9055?.a\\u-10180?b", nullptr, u"🂡.a\uFFFDb"_s},
            {"\\u beyond 16 bits", "a\\u70000?b\\u-40000?c\\u65535?d\\u-1?e", nullptr,
             u"a\uFFFDb\uFFFDc\uFFFDd\uFFFDe"_s},
            {"code page 1252", "\\'e1\\'f1\\'d1\\'bf\\'a1\\'80\\'85\\'93 ni\xf1o", nullptr,
             u"áñÑ¿¡€…“ niño"_s},
            {"1251", "\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 \xc4\xe0 \\'98", "\\ansicpg1251", u"Привет Да \uFFFD"_s},
            {"unknown code page", "\\'e9", "\\ansicpg99999", u"é"_s},
            {"\\u over the code page", "\\u1046\\'c6\\uc0\\u1046", "\\ansicpg1251", u"ЖЖ"_s},
            {"escapes", "\\{a\\}\\\\b\\~c\\_d", nullptr, u"{a}\\b\u00A0c\u2011d"_s},
            {"breaks", "a\\par b\\line c\\tab d\\\ne\r\nf\rg", nullptr, u"a|b\u2028c\td|efg"_s},
            {"unknown words and destinations", "\\foo a\\qux-5 b{\\*\\unknown x{y}z}c{\\*\\bkmkstart m}d",
             nullptr, u"abcd"_s},
            {"tables, header, footer",
             "{\\stylesheet{\\s1 N;}}{\\info{\\title T}}{\\header h\\par}{\\footer f}x", nullptr, u"x"_s},
            {"field result", "{\\field{\\*\\fldinst HYPERLINK \"u\"}{\\fldrslt ver}}", nullptr, u"ver"_s},
            {"hidden text", "a{\\v oculto}b\\v c\\v0 d", nullptr, u"abd"_s},
            {"\\bin data", "a{\\*\\x\\bin5 }{\\a}}b\\bin-5 c", nullptr, u"abc"_s},
            {"controls", "\\uc0 a\\u0 \\u7 \\u8233 b\\u-4 c\\u64976 d", nullptr, u"a\u2028b\uFFFDc\uFFFDd"_s},
            {"table cells", "\\trowd\\cellx100 uno\\cell dos\\cell\\row tres", nullptr, u"uno\tdos\t|tres"_s},
            {"huge numbers",
             "\\fs99999999999999999999\\li-99999999999 a\\f-2147483648 b\\cf7777777777 c\\u9999999999 ?",
             nullptr, u"abc\uFFFD"_s},
            {"bad \\'hh, odd hex digit", "a\\'zzb{\\pict\\pngblip abc}x", nullptr, u"azzbx"_s},
        };
        for (const auto &b : bodies)
            QTest::newRow(b.tag) << rtf(b.body, b.codePage ? b.codePage : "\\ansicpg1252") << 0 << b.text;
        // Word gives a Cyrillic font its character set and leaves \ansicpg at 1252.
        QTest::newRow("font character set")
            << QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}{\\f1"
                          "\\fcharset204 Arial Cyr;}}\\'e4 {\\f1\\'e4\\'e0} \\'e4}")
            << 0 << u"ä да ä"_s;
        const struct
        {
            const char *tag;
            QByteArray input;
            RtfResult::Error error;
            QString text;
        } files[] = {
            {"missing closing braces", "{\\rtf1 {\\b uno {\\i dos", RtfResult::Error::None, u"uno dos"_s},
            {"extra closing braces", "{\\rtf1 a}}}b", RtfResult::Error::None, u"a"_s},
            {"cut off in \\bin", "{\\rtf1 a\\bin99999999999 xyz", RtfResult::Error::None, u"a"_s},
            {"a word of 1000 letters", "{\\rtf1 \\" + QByteArray(1000, 'x') + " a}", RtfResult::Error::None,
             u"a"_s},
            {"font table without end", "{\\rtf1{\\fonttbl{\\f0 Arial", RtfResult::Error::None, QString()},
            {"NUL bytes", QByteArray("{\\rtf1 a\0b\0\\\0c}", 15), RtfResult::Error::None, u"abc"_s},
            {"nested 3000 deep", "{\\rtf1 " + QByteArray(3000, '{') + "hondo" + QByteArray(3000, '}') + "}",
             RtfResult::Error::None, u"hondo"_s},
            {"nested 200000 deep", "{\\rtf1 " + QByteArray(200000, '{') + "x", RtfResult::Error::TooDeep,
             QString()},
            {"not rtf", "Hola, esto es texto.", RtfResult::Error::NotRtf, QString()},
            {"empty", QByteArray(), RtfResult::Error::NotRtf, QString()},
        };
        for (const auto &f : files)
            QTest::newRow(f.tag) << f.input << int(f.error) << f.text;
    }
    void readsWhatItCanOfAnyInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(int, error);
        QFETCH(QString, text);
        RtfResult r;
        auto doc = load(input, &r);
        QVERIFY2(int(r.error) == error, qPrintable(r.detail));
        if (r.ok())
            QCOMPARE(blocks(*doc).join(u'|'), text);
        // A file cut off anywhere (a full disk, a broken copy) still reads without harm.
        if (QTest::currentDataTag() == QLatin1String("empty")) {
            const QByteArray whole = readFile(fixture(u"word.rtf"_s));
            for (qsizetype n = 0; n < whole.size(); n += 7) {
                load(whole.left(n), &r);
                QVERIFY(r.ok() || r.error == RtfResult::Error::NotRtf);
            }
        }
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
        const QByteArray png = readFile(fixture(u"tiny.png"_s));
        const QByteArray hex = png.toHex();
        const QByteArray bin = "\\bin" + QByteArray::number(png.size()) + " " + png;
        // Drawn: what is nested in a picture's group is nobody's to see, so a link around
        // it is dropped, and its letters are not taken for picture data.
        const struct
        {
            const char *tag;
            QByteArray group;
            QSizeF size;
        } drawn[] = {
            {"goal size", "{\\pict\\pngblip\\picwgoal300\\pichgoal150 " + hex + "}", QSizeF(20, 10)},
            {"scaled", "{\\pict\\pngblip\\picscalex50\\picscaley200\\picwgoal300\\pichgoal150 " + hex + "}",
             QSizeF(10, 20)},
            {"upper-case hex, spaced", "{\\pict\\pngblip\n" + hex.toUpper().replace("0", "0 ") + "}",
             QSizeF(3, 2)},
            {"binary", "{\\pict\\pngblip" + bin + "}", QSizeF(3, 2)},
            {"shppict",
             "{\\*\\shppict{\\pict\\pngblip " + hex + "}}{\\nonshppict{\\pict\\pngblip " + hex + "}}",
             QSizeF(3, 2)},
            {"labelled jpeg, really png", "{\\pict\\jpegblip " + hex + "}", QSizeF(3, 2)},
            {"huge goal", "{\\pict\\pngblip\\picwgoal99999999999\\pichgoal-5 " + hex + "}", QSizeF(3, 2)},
            {"link inside",
             "{\\pict\\pngblip{\\field{\\*\\fldinst HYPERLINK \"http://a.example\"}{\\fldrslt ab}} " + hex +
                 "}",
             QSizeF(3, 2)},
            {"nested pict", "{\\pict\\pngblip{\\pict\\pngblip " + hex + "} " + hex + "}", QSizeF(3, 2)},
            {"garbage data", "{\\pict\\pngblip 0123456789abcdef}", QSizeF()},
            {"truncated data", "{\\pict\\pngblip " + hex.left(hex.size() / 2) + "}", QSizeF()},
        };
        for (const auto &d : drawn)
            QTest::newRow(d.tag) << rtf(d.group) << d.size << QByteArray();
        // Placeholders: by the goal size, else the metafile's own size in hundredths of a
        // millimetre. They keep their bytes, sizes and format, and nothing else.
        const QByteArray wmf = "{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\n0100\n}";
        const struct
        {
            const char *tag;
            QByteArray group;
            QSizeF size;
            QByteArray kept;
        } placeholders[] = {
            {"metafile", "{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\\bliptag5 0100}", QSizeF(20, 20),
             wmf},
            {"emf without goal",
             "{\\*\\shppict{\\pict\\emfblip\\picw2540\\pich1270 0100}}{\\nonshppict{\\pict 02}}",
             QSizeF(96, 48), "{\\pict\\emfblip\\picw2540\\pich1270\n0100\n}"},
            {"bitmap", "{\\pict\\wbitmap0\\wbmbitspixel24\\wbmplanes1\\picw30\\pich20 28000000}",
             QSizeF(30, 20), "{\\pict\\wbitmap0\\wbmbitspixel24\\wbmplanes1\\picw30\\pich20\n28000000\n}"},
            {"binary braces", "{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\\bin2 {}}", QSizeF(20, 20),
             "{\\pict\\wmetafile8\\picwgoal300\\pichgoal300\n7b7d\n}"},
            {"remote include",
             "{\\pict\\wmetafile8{\\field{\\*\\fldinst INCLUDEPICTURE \"http://a.example/x.png\" "
             "\\\\d}{\\fldrslt}}\\picwgoal300\\pichgoal300 0100}",
             QSizeF(20, 20), wmf},
            {"object",
             "{\\pict\\wmetafile8{\\object\\objemb{\\*\\objclass Paint}{\\*\\objdata d0cf11e0}}"
             "\\picwgoal300\\pichgoal300 0100}",
             QSizeF(20, 20), wmf},
            {"link in its properties",
             "{\\pict{\\*\\picprop{\\sp{\\sn pihlShape}{\\sv {\\*\\hl{\\hlfr "
             "http://a.example}}}}}\\wmetafile8\\picwgoal300\\pichgoal300 0100}",
             QSizeF(20, 20), wmf},
            {"text before it", "{antes\\pict\\wmetafile8\\picwgoal300\\pichgoal300 0100}fin", QSizeF(20, 20),
             wmf},
        };
        for (const auto &p : placeholders)
            QTest::newRow(p.tag) << rtf(p.group) << p.size << p.kept;
    }
    void picturesInTheirVariousForms()
    {
        QFETCH(QByteArray, input);
        QFETCH(QSizeF, size);
        QFETCH(QByteArray, kept);
        auto doc = load(input);
        QVERIFY(doc);
        const auto pics = pictures(*doc);
        QCOMPARE(pics.size(), size.isValid() ? 1 : 0);
        if (pics.isEmpty())
            return;
        QCOMPARE(ReportPicture::displaySize(doc.get(), pics[0]), size);
        QCOMPARE(ReportPicture::foreignRtf(pics[0]), kept);
        if (kept.isEmpty())
            QVERIFY(samePixels(ReportPicture::image(doc.get(), pics[0]), QImage(fixture(u"tiny.png"_s))));
        // Saved: no trace of what was hidden in the group; saved again, the same file.
        const QByteArray saved = save(*doc);
        for (const char *hidden : {"http", "field", "object", "objdata", "picprop", "bliptag", "nonshppict"})
            QVERIFY2(!saved.contains(hidden), hidden);
        QCOMPARE(save(*load(saved)), saved);
    }

    void picturesAreFittedToThePrintedWidth()
    {
        // A picture that asks for 10000 pixels in an indented paragraph, one that fits,
        // and a placeholder that asks for 2000.
        const QByteArray hex = readFile(fixture(u"tiny.png"_s)).toHex();
        auto doc = load(rtf("\\li750\\ri300 {\\pict\\pngblip\\picwgoal150000\\pichgoal75000 " + hex +
                            "}\\par\\pard {\\pict\\pngblip\\picwgoal1215\\pichgoal2040 " + hex +
                            "}{\\pict\\wmetafile8\\picwgoal30000\\pichgoal15000 0100}"));
        QCOMPARE(ReportPicture::fitToWidth(doc.get(), 600), 2);
        QList<QSizeF> sizes;
        for (const QTextImageFormat &pic : pictures(*doc))
            sizes << ReportPicture::displaySize(doc.get(), pic);
        QCOMPARE(sizes, (QList<QSizeF>{{530, 265}, {81, 136}, {600, 300}})); // 530: 600 - 50 - 20
        QCOMPARE(ReportPicture::fitToWidth(doc.get(), 600), 0);
    }

    void coloursBeyondAByteKeepTheirOwn()
    {
        // Each run its own colour, through a round trip (the time many take is rtfbench's).
        auto doc = load(save(*load(manyColours(1000))));
        QVERIFY(doc);
        QCOMPARE(doc->toPlainText(), QString(1000, u'x'));
        const QStringList rs = runs(*doc);
        QCOMPARE(rs.size(), 1000);
        QCOMPARE(rs.last(), u"x|12pt Arial "_s + QColor(999 % 256, 999 / 256, 7).name());
    }

    void picturesAreDecodedWithinBounds()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        QVERIFY(ReportPicture::insertEncoded(c, hugeJpeg(), QSizeF(100, 100)));
        QVERIFY(ReportPicture::insertEncoded(c, readFile(fixture(u"tiny.jpg"_s)), QSizeF(8, 8)));
        const auto pics = pictures(doc);
        // Beyond the budget it is never decoded, whatever size is asked for; within it, at
        // the size asked for. Its bytes are kept all the same.
        QCOMPARE(ReportPicture::pixelSize(&doc, pics[0]), QSize(20000, 20000));
        QVERIFY(ReportPicture::image(&doc, pics[0], QSize(100, 100)).isNull());
        QCOMPARE(ReportPicture::image(&doc, pics[1], QSize(8, 8)).size(), QSize(8, 8));
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
        const QString fifo = dir.filePath(u"tubo"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QFile sparse(dir.filePath(u"enorme.png"_s));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(ReportPicture::kMaxFileBytes + 1));
        QByteArray bytes;
        for (const QString &refused :
             {u"/dev/zero"_s, fifo, dir.path(), sparse.fileName(), dir.filePath(u"falta.png"_s)}) {
            QString why;
            QVERIFY2(!ReportPicture::readFile(refused, &bytes, &why) && !why.isEmpty(), qPrintable(refused));
        }
        QVERIFY(ReportPicture::readFile(fixture(u"tiny.png"_s), &bytes));
        QCOMPARE(bytes, readFile(fixture(u"tiny.png"_s)));
    }

    void limitsBoundTimeAndMemory()
    {
        // 100 MB of picture data that is no picture.
        auto doc = load("{\\rtf1 a{\\pict\\pngblip " + QByteArray(100 << 20, 'f') + "}b}");
        QVERIFY(doc);
        QCOMPARE(doc->toPlainText(), u"ab"_s);
        QCOMPARE(pictures(*doc).size(), 0);
        // 100 MB of paragraphs end at the paragraph limit instead of taking gigabytes.
        doc = load("{\\rtf1 " + QByteArray("x\\par ").repeated((100 << 20) / 6));
        QVERIFY(!doc);
        RtfReader::Limits bytes, chars;
        bytes.maxBytes = 1000;
        chars.maxChars = 100;
        RtfResult r;
        for (const auto &[input, limits, ok] :
             {std::tuple{QByteArray(2000, 'a'), bytes, false}, std::tuple{QByteArray(101, 'a'), chars, false},
              std::tuple{QByteArray(100, 'a'), chars, true}}) {
            load(rtf(input), &r, limits);
            QCOMPARE(r.error, ok ? RtfResult::Error::None : RtfResult::Error::TooLarge);
        }
    }

    void failingDevicesAreReported()
    {
        QTextDocument doc;
        QTextCursor c(&doc);
        c.insertText(QString(u"texto "_s).repeated(100));
        ReportPicture::insertImage(c, testImage(300, 300, false));
        QFile full(u"/dev/full"_s);
        QVERIFY(full.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const RtfResult r = RtfWriter::write(doc, &full);
        QCOMPARE(r.error, RtfResult::Error::Device);
        QVERIFY2(r.detail.contains(u"space"_s), qPrintable(r.detail));

        // Stopped from another thread (a recovery file given up while it is written).
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const std::atomic<bool> stop{true};
        QCOMPARE(RtfWriter::write(*RtfWriter::snapshot(doc), &buffer, &stop).error,
                 RtfResult::Error::Cancelled);
    }
};

ORBELLE_TEST_MAIN(tst_RtfCodec)
#include "tst_rtfcodec.moc"
