#include "cardpictures.h"
#include "picturefile.h"

#include <QFile>
#include <QImageReader>

#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <vector>

// jpeglib.h needs size_t and FILE declared first.
#include <jpeglib.h>

namespace CardPictures {

namespace {

// The general way: decoded whole (scaled while decoding where JPEG allows), scaled to
// cover and cut. Holds the decoded picture for a moment; used for what the direct way
// does not read (PNG, CMYK JPEG, a cover larger than the picture).
QImage coverByReader(QFile &file, const QSize &cover)
{
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (!full.isValid())
        return QImage();
    const QSize s = full.scaled(cover, Qt::KeepAspectRatioByExpanding);
    if (s.width() < full.width())
        reader.setScaledSize(s);
    QImage img = reader.read();
    if (img.isNull())
        return img;
    if (img.size() != s)
        img = img.scaled(s, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return img.copy(QRect(QPoint((s.width() - cover.width()) / 2, (s.height() - cover.height()) / 2), cover))
        .convertToFormat(QImage::Format_RGB888);
}

// One output pixel's share of the input pixels along one axis: input `first` on, with
// these weights (summing to 1).
struct Span
{
    int first = 0;
    std::vector<float> weights;
};

// Area averaging from `in` input pixels onto `out` output pixels that show the input's
// centred window of out * step pixels.
std::vector<Span> spans(int in, int out, double step)
{
    std::vector<Span> result(static_cast<size_t>(out));
    const double origin = (in - out * step) / 2;
    for (int o = 0; o < out; ++o) {
        const double a = origin + o * step, b = a + step;
        Span &s = result[size_t(o)];
        s.first = qMax(0, int(std::floor(a)));
        const int last = qMin(in - 1, int(std::ceil(b)) - 1);
        float total = 0;
        for (int i = s.first; i <= last; ++i) {
            const float w = float(qMin(b, i + 1.0) - qMax(a, double(i)));
            s.weights.push_back(qMax(0.0f, w));
            total += s.weights.back();
        }
        if (s.weights.empty()) { // rounding at the very edge
            s.first = qBound(0, s.first, in - 1);
            s.weights = {1.0f};
            total = 1;
        }
        for (float &w : s.weights)
            w /= total;
    }
    return result;
}

// The direct way for a baseline or progressive RGB/grey JPEG shown smaller than it is:
// libjpeg scales by a whole number of eighths while decoding, then each decoded row is
// averaged into the rows of the cover as it arrives. Nothing larger than the cover is
// ever held. Null when this way cannot read the file (the caller then tries the other).
QImage coverByRows(QFile &file, const QSize &cover)
{
    jpeg_decompress_struct cinfo{};
    PictureFile::JpegError err{};
    PictureFile::jpegErrors(&cinfo, &err);
    // Everything the jump may skip is set up before it: no C++ object is created after
    // setjmp and before the last libjpeg call.
    QImage out;
    std::vector<Span> across, down;
    std::vector<float> row, acc;
    std::vector<JSAMPLE> line;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    jpeg_create_decompress(&cinfo);
    // The header was judged before; this holds libjpeg to the same bound.
    cinfo.mem->max_memory_to_use = long(PictureFile::kMaxDecodeBytes);
    PictureFile::jpegFromDevice(&cinfo, &file);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK || cinfo.image_width == 0 ||
        cinfo.image_height == 0) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    const double grow =
        qMax(cover.width() / double(cinfo.image_width), cover.height() / double(cinfo.image_height));
    if (grow >= 1.0) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    cinfo.scale_num = unsigned(qBound(1, int(std::ceil(grow * 8 - 1e-9)), 8));
    cinfo.scale_denom = 8;
    cinfo.out_color_space = JCS_RGB;
    jpeg_calc_output_dimensions(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    // The decoded picture's pixels per cover pixel: at least 1, as the cover is smaller.
    const double step = qMin(w / double(cover.width()), h / double(cover.height()));
    across = spans(w, cover.width(), step);
    down = spans(h, cover.height(), step);
    out = QImage(cover, QImage::Format_RGB888);
    if (out.isNull()) {
        jpeg_destroy_decompress(&cinfo);
        return QImage();
    }
    row.assign(size_t(cover.width()) * 3, 0.0f);
    acc.assign(size_t(cover.width()) * 3, 0.0f);
    line.resize(size_t(w) * 3);
    jpeg_start_decompress(&cinfo);

    int next = 0; // the cover row being gathered
    while (int(cinfo.output_scanline) < h && next < cover.height()) {
        JSAMPROW rows[1] = {line.data()};
        const int y = int(cinfo.output_scanline);
        jpeg_read_scanlines(&cinfo, rows, 1);
        if (y < down[size_t(next)].first)
            continue;
        // This row, averaged across.
        for (size_t x = 0; x < across.size(); ++x) {
            const Span &s = across[x];
            float r = 0, g = 0, b = 0;
            const JSAMPLE *px = line.data() + size_t(s.first) * 3;
            for (float wgt : s.weights) {
                r += wgt * px[0];
                g += wgt * px[1];
                b += wgt * px[2];
                px += 3;
            }
            row[x * 3] = r;
            row[x * 3 + 1] = g;
            row[x * 3 + 2] = b;
        }
        // Added into every cover row it has a share of (one, or two at a boundary).
        while (next < cover.height()) {
            const Span &s = down[size_t(next)];
            const int k = y - s.first;
            if (k < 0 || k >= int(s.weights.size()))
                break;
            const float wgt = s.weights[size_t(k)];
            for (size_t i = 0; i < acc.size(); ++i)
                acc[i] += wgt * row[i];
            if (k + 1 < int(s.weights.size()))
                break; // more input rows belong to this cover row
            uchar *dst = out.scanLine(next);
            for (size_t i = 0; i < acc.size(); ++i)
                dst[i] = uchar(qBound(0, int(acc[i] + 0.5f), 255));
            std::fill(acc.begin(), acc.end(), 0.0f);
            ++next;
        }
    }
    // The rows below the cover are not needed.
    jpeg_abort_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return next == cover.height() ? out : QImage();
}

} // namespace

QImage decodeCovering(const QString &file, const QSize &cover)
{
    if (cover.isEmpty())
        return QImage();
    QFile f;
    const PictureFile::Header h = PictureFile::open(f, file);
    if (!h.fine()) {
        if (h.verdict != PictureFile::Verdict::Unreadable)
            qWarning("orbelle: background %s is not shown: %s", qPrintable(file),
                     qPrintable(PictureFile::describe(h)));
        return QImage();
    }
    QImage img = h.jpeg ? coverByRows(f, cover) : QImage();
    if (img.isNull() && f.seek(0))
        img = coverByReader(f, cover);
    return img;
}

} // namespace CardPictures
