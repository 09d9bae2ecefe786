#include "codepage.h"

#include <QByteArray>
#include <QMutex>

#include <iconv.h>

#include <map>
#include <memory>

namespace {
// 0x80..0x9F; the rest of the upper half is Latin-1.
constexpr char16_t kHigh[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, //
    0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178, //
};

// The C library's name of a code page, or nullptr for one we do not decode.
const char *iconvName(int codePage)
{
    switch (codePage) {
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1253:
        return "CP1253";
    case 1254:
        return "CP1254";
    case 1255:
        return "CP1255";
    case 1256:
        return "CP1256";
    case 1257:
        return "CP1257";
    case 1258:
        return "CP1258";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 10000:
        return "MACINTOSH";
    default:
        return nullptr;
    }
}

// Decodes each byte on its own, so a file costs one table look-up per byte whatever
// its code page. The converters of 1255 and 1258 hold a base letter back to combine it
// with an accent that may follow; the flush after each byte lets it out.
std::unique_ptr<CodePage::Table> build(const char *name)
{
    iconv_t cd = iconv_open("UTF-16LE", name);
    if (cd == iconv_t(-1))
        return nullptr;
    auto t = std::make_unique<CodePage::Table>();
    for (int b = 0; b < 256; ++b) {
        char in = char(b);
        char out[16];
        char *ip = &in;
        char *op = out;
        size_t inLeft = 1;
        size_t outLeft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        const size_t r = iconv(cd, &ip, &inLeft, &op, &outLeft);
        iconv(cd, nullptr, nullptr, &op, &outLeft);
        const size_t n = sizeof out - outLeft;
        // Exactly one UTF-16 unit, or the byte has no character of its own.
        if (r == size_t(-1) || inLeft != 0 || n != 2)
            t->chars[b] = 0xFFFD;
        else
            t->chars[b] = char16_t(uchar(out[0]) | uchar(out[1]) << 8);
    }
    iconv_close(cd);
    return t;
}

} // namespace

namespace Cp1252 {

char16_t toUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return kHigh[byte - 0x80];
    return byte;
}

unsigned char fromUnicode(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<unsigned char>(ch);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == ch && ch != 0xFFFD)
            return static_cast<unsigned char>(0x80 + i);
    }
    return 0;
}

} // namespace Cp1252

namespace CodePage {

const Table *table(int codePage)
{
    static QMutex mutex;
    static std::map<int, std::unique_ptr<Table>> tables;
    const QMutexLocker lock(&mutex);
    const auto found = tables.find(codePage);
    if (found != tables.end())
        return found->second.get();

    std::unique_ptr<Table> t;
    if (codePage == 1252) {
        t = std::make_unique<Table>();
        for (int b = 0; b < 256; ++b)
            t->chars[b] = Cp1252::toUnicode(uchar(b));
    } else if (const char *name = iconvName(codePage)) {
        t = build(name);
    }
    // A code page that cannot be had is remembered too, so it is not tried again.
    return tables.emplace(codePage, std::move(t)).first->second.get();
}

int forCharset(int charset)
{
    switch (charset) {
    case 77:
        return 10000; // Mac Roman
    case 161:
        return 1253; // Greek
    case 162:
        return 1254; // Turkish
    case 163:
        return 1258; // Vietnamese
    case 177:
        return 1255; // Hebrew
    case 178:
        return 1256; // Arabic
    case 186:
        return 1257; // Baltic
    case 204:
        return 1251; // Cyrillic
    case 238:
        return 1250; // Central European
    case 255:
        return 437; // OEM
    default:
        return 0;
    }
}

} // namespace CodePage
