#include "picturefile.h"

#include <QFileInfo>
#include <QImageReader>

#include <csetjmp>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// jpeglib.h needs size_t and FILE declared first.
#include <jerror.h>
#include <jpeglib.h>

namespace PictureFile {

namespace {
[[noreturn]] void jumpOut(j_common_ptr cinfo)
{
    std::longjmp(reinterpret_cast<JpegError *>(cinfo->err)->jump, 1);
}

void quiet(j_common_ptr, int) {}
} // namespace

void jpegErrors(jpeg_decompress_struct *cinfo, JpegError *err)
{
    cinfo->err = jpeg_std_error(&err->mgr);
    err->mgr.error_exit = jumpOut;
    err->mgr.emit_message = quiet;
}

namespace {

struct DeviceSource
{
    jpeg_source_mgr pub;
    QIODevice *device;
    JOCTET buffer[64 * 1024];
};

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInput(j_decompress_ptr cinfo)
{
    auto *src = reinterpret_cast<DeviceSource *>(cinfo->src);
    qint64 n = src->device->read(reinterpret_cast<char *>(src->buffer), sizeof src->buffer);
    if (n <= 0) {
        // A file cut short ends as if it were complete; the rows never sent stay grey.
        WARNMS(cinfo, JWRN_JPEG_EOF);
        src->buffer[0] = 0xFF;
        src->buffer[1] = JPEG_EOI;
        n = 2;
    }
    src->pub.next_input_byte = src->buffer;
    src->pub.bytes_in_buffer = size_t(n);
    return TRUE;
}

void skipInput(j_decompress_ptr cinfo, long count)
{
    jpeg_source_mgr *src = cinfo->src;
    if (count <= 0)
        return;
    while (count > long(src->bytes_in_buffer)) {
        count -= long(src->bytes_in_buffer);
        fillInput(cinfo);
    }
    src->next_input_byte += count;
    src->bytes_in_buffer -= size_t(count);
}

qint64 roundUp(qint64 n, qint64 step)
{
    return (n + step - 1) / step * step;
}

// Whether the JPEG holds several scans and, if so, the coefficient store libjpeg makes for
// them: every block of every component, 128 bytes each, at full size whatever the scale.
bool readJpegHeader(QIODevice *device, Header &h)
{
    jpeg_decompress_struct cinfo{};
    JpegError err{};
    jpegErrors(&cinfo, &err);
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpegFromDevice(&cinfo, device);
    jpeg_read_header(&cinfo, TRUE);
    h.multiScan = jpeg_has_multiple_scans(&cinfo);
    if (h.multiScan) {
        for (int c = 0; c < cinfo.num_components; ++c) {
            const jpeg_component_info &comp = cinfo.comp_info[c];
            h.decodeBytes += roundUp(comp.width_in_blocks, comp.h_samp_factor) *
                             roundUp(comp.height_in_blocks, comp.v_samp_factor) * qint64(sizeof(JBLOCK));
        }
    }
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QSize Header::upright() const
{
    return transformation & QImageIOHandler::TransformationRotate90 ? stored.transposed() : stored;
}

bool openRegular(QFile &file, const QString &path)
{
    // Looked at before it is opened (opening a FIFO for reading would wait for a writer),
    // opened without waiting all the same, and looked at again: it may have been swapped.
    const QByteArray name = QFile::encodeName(path);
    struct stat st = {};
    if (::stat(name.constData(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return false;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    file.setFileName(path);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

Header inspect(QFile &file)
{
    Header h;
    {
        QImageReader reader(&file);
        h.stored = reader.size();
        h.transformation = reader.transformation();
        h.jpeg = reader.format() == "jpeg";
    }
    file.seek(0);
    if (!h.stored.isValid())
        return h;
    if (qint64(h.stored.width()) * h.stored.height() > kMaxPixels) {
        h.verdict = Verdict::TooManyPixels;
        return h;
    }
    if (h.jpeg) {
        const bool read = readJpegHeader(&file, h);
        file.seek(0);
        if (!read)
            return h;
    } else {
        // Other formats are decoded whole before they are scaled.
        h.decodeBytes = qint64(h.stored.width()) * h.stored.height() * 4;
    }
    h.verdict = h.decodeBytes > kMaxDecodeBytes ? Verdict::TooMuchMemory : Verdict::Fine;
    return h;
}

Header open(QFile &file, const QString &path)
{
    if (!openRegular(file, path)) {
        Header h;
        h.verdict = QFileInfo::exists(path) ? Verdict::NotAFile : Verdict::Unreadable;
        return h;
    }
    Header h = inspect(file);
    if (!h.fine())
        file.close();
    return h;
}

QString describe(const Header &h)
{
    switch (h.verdict) {
    case Verdict::Fine:
        return QString();
    case Verdict::NotAFile:
        return QStringLiteral("not a regular file");
    case Verdict::Unreadable:
        return QStringLiteral("not a picture that can be read");
    case Verdict::TooManyPixels:
        return QStringLiteral("%1 x %2 pixels, more than %3 megapixels")
            .arg(h.stored.width())
            .arg(h.stored.height())
            .arg(kMaxPixels / 1'000'000);
    case Verdict::TooMuchMemory:
        return QStringLiteral("decoding it would take %1 MB, more than %2 MB")
            .arg(h.decodeBytes >> 20)
            .arg(kMaxDecodeBytes >> 20);
    }
    return QString();
}

void jpegFromDevice(jpeg_decompress_struct *cinfo, QIODevice *device)
{
    auto *src = static_cast<DeviceSource *>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(DeviceSource)));
    src->pub.init_source = initSource;
    src->pub.fill_input_buffer = fillInput;
    src->pub.skip_input_data = skipInput;
    src->pub.resync_to_restart = jpeg_resync_to_restart;
    src->pub.term_source = termSource;
    src->pub.bytes_in_buffer = 0;
    src->pub.next_input_byte = nullptr;
    src->device = device;
    cinfo->src = &src->pub;
}

} // namespace PictureFile
