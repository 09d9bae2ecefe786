// Fuzz target for the RTF reader. Whatever the bytes, the reader must return (no crash,
// hang or runaway memory under the sanitizers), and a document it accepted must survive
// being written and read again with the same paragraphs.
//
// Built with libFuzzer when configured with clang and -DORBELLE_FUZZ=ON; otherwise the
// same entry point replays the seed corpus as a regression test.

#include "rtfreader.h"
#include "rtfwriter.h"

#include <QBuffer>
#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

QStringList paragraphs(const QTextDocument &doc)
{
    QStringList out;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        out << b.text();
    return out;
}

bool readBytes(const QByteArray &bytes, QTextDocument *doc)
{
    QByteArray data = bytes;
    QBuffer in(&data);
    in.open(QIODevice::ReadOnly);
    RtfReader::Limits limits;
    // Small limits keep each run quick; the limits themselves are tested elsewhere.
    limits.maxBytes = 4 << 20;
    limits.maxItems = 20000;
    limits.maxChars = 1 << 20;
    return RtfReader::read(&in, doc, limits).ok();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_rtfreader";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    QTextDocument doc;
    if (!readBytes(bytes, &doc))
        return 0;

    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!RtfWriter::write(doc, &out).ok())
        std::abort();
    QTextDocument again;
    if (!readBytes(written, &again) || paragraphs(again) != paragraphs(doc)) {
        std::fprintf(stderr, "round trip changed the text\n");
        std::abort();
    }
    return 0;
}

#ifdef ORBELLE_FUZZ_REPLAY
// Runs every file of the folders given on the command line through the target.
int main(int argc, char **argv)
{
    LLVMFuzzerInitialize(&argc, &argv);
    int files = 0;
    for (int i = 1; i < argc; ++i) {
        QDirIterator it(QString::fromLocal8Bit(argv[i]), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile f(it.next());
            if (!f.open(QIODevice::ReadOnly))
                return 2;
            const QByteArray bytes = f.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()),
                                   size_t(bytes.size()));
            ++files;
        }
    }
    std::printf("%d passed, 0 failed\n", files);
    return files > 0 ? 0 : 1;
}
#endif
