#pragma once

#include <QTextEdit>

class QTextDocument;

// The report viewer's editor. What is pasted or dropped into it comes in as text and
// pictures only, and nothing it names is fetched:
// - HTML (from a browser or a word processor) brings its text and formats; its
//   pictures, links and style sheets are left out, so no file it names is ever read.
// - Picture data (a copied picture) comes in as a picture, unless it is larger than
//   ReportPicture::kMaxPixels, which is refused with a message before it is decoded.
// - Picture files (copied in a file manager) are read as ReportPicture::readFile reads
//   them: regular files of a bounded size only.
// What is copied within the program keeps its pictures.
class ReportEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit ReportEdit(QWidget *parent = nullptr);

    // The documents the editor shows fetch nothing they name (see ClosedDocument).
    QVariant loadResource(int type, const QUrl &name) override;

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    bool insertPictureData(const QMimeData *source);
    bool insertPictureFiles(const QList<QUrl> &urls);
    bool insertPicture(const QByteArray &bytes, const QString &name);
    void refuse(const QString &why);
};
