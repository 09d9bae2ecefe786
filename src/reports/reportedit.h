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
//
// A paragraph read in parts (see RtfReader::continuesParagraph) stays one paragraph
// through undo and redo and through copy and paste within the program, while a paragraph
// break typed, pasted or added into one of its parts begins a paragraph of its own.
class ReportEdit : public QTextEdit
{
    Q_OBJECT
public:
    explicit ReportEdit(QWidget *parent = nullptr);

    // The documents the editor shows fetch nothing they name (see ClosedDocument).
    QVariant loadResource(int type, const QUrl &name) override;
    // Shows `doc` (as setDocument, which is not to be called directly).
    void showDocument(QTextDocument *doc);

protected:
    QMimeData *createMimeDataFromSelection() const override;
    bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;
    void keyPressEvent(QKeyEvent *e) override;
    void contextMenuEvent(QContextMenuEvent *e) override;

private:
    void watch(QTextDocument *doc);
    // The blocks begun by a change of `added` characters at `pos` begin paragraphs.
    void paragraphsBegun(int pos, int added);
    void replay(bool undo);
    bool insertPictureData(const QMimeData *source);
    bool insertPictureFiles(const QList<QUrl> &urls);
    bool insertPicture(const QByteArray &bytes, const QString &name);
    void refuse(const QString &why);

    bool m_replaying = false;    // an undo or redo is under way: its blocks are as they were
    bool m_keepingParts = false; // what is pasted from within the program keeps its parts
};
