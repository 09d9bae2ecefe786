#pragma once

#include <QFile>
#include <QImageIOHandler>
#include <QSize>
#include <QString>

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// Reading picture files without trusting them. Only regular files are opened: a FIFO or a
// device named like a card would block the read for ever. A picture is judged by its header
// before anything decodes it: one above the pixel budget, or one whose decoding would take
// more memory than the bound (a progressive JPEG holds all its coefficients, about 3 bytes
// per pixel whatever size it is shown at), is refused.
namespace PictureFile {

inline constexpr qint64 kMaxPixels = 100'000'000;
inline constexpr qint64 kMaxDecodeBytes = qint64(256) << 20;

// Opens `path` read-only when it is a regular file, without ever waiting on it.
bool openRegular(QFile &file, const QString &path);

enum class Verdict { Fine, NotAFile, Unreadable, TooManyPixels, TooMuchMemory };

struct Header
{
    Verdict verdict = Verdict::Unreadable;
    QSize stored; // as stored, before the EXIF turn
    QImageIOHandler::Transformations transformation = QImageIOHandler::TransformationNone;
    bool jpeg = false;
    bool multiScan = false; // progressive (or several scans): decoded only whole
    qint64 decodeBytes = 0; // what decoding takes beyond the picture it makes
    QSize upright() const;
    bool fine() const { return verdict == Verdict::Fine; }
};

// Reads the header of an open file (and leaves it at its start again).
Header inspect(QFile &file);
// Opens and inspects; `file` stays open when the verdict is Fine.
Header open(QFile &file, const QString &path);
// Why a picture is not shown, for the log.
QString describe(const Header &header);

// libjpeg's errors as a jump back to the caller's setjmp(err.jump), its warnings unsaid.
struct JpegError
{
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};
void jpegErrors(jpeg_decompress_struct *cinfo, JpegError *err);

// A libjpeg source reading from the device as the decoder asks for data.
void jpegFromDevice(jpeg_decompress_struct *cinfo, QIODevice *device);

} // namespace PictureFile
