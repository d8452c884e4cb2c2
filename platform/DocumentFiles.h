#pragma once
// Where a finished document goes on disk, every byte of it written with its
// result looked at: the PDF file chosen, replaced the safe way (a new file
// beside it, written, synced and renamed over the name), or a temporary
// file for the print system that has no name at all, so that nothing of it
// stays behind however the program ends. A document that could not be
// written whole is never left, nor passed on, cut short.
//
// The writing itself is the system's own safe write, which the program
// hands to this layer before anything is printed (UseDocumentWriter), for
// the layer stands below the system's services and never reaches up to them.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace platform {

class DocumentWriter {
public:
    virtual ~DocumentWriter() = default;
    // Replaces the file `path` (no link: the name itself) with `pdf`: a
    // file written over keeps its permissions, a new one gets its folder's.
    // Why not, in words that end a sentence ("disk je plný."), else empty;
    // a file that was there then stays as it was.
    virtual QString Replace(const QString &path, const QByteArray &pdf) = 0;
    // Writes all of `pdf` to the open file and syncs it; false with errno
    // kept.
    virtual bool WriteWhole(int fd, const QByteArray &pdf) = 0;
    // An errno in the words Replace uses.
    virtual QString Why(int error) const = 0;
};

// The writer of every later document, kept for the run; the caller keeps
// it alive.
void UseDocumentWriter(DocumentWriter &writer);

// The file a document saved as `path` goes to: the one a link there
// names (which need not be there yet), else `path` itself.
QString DocumentTarget(const QString &path);

// Writes the document to the file, or to the file it names when it is a
// link, which stays; why not, for the teacher ("Súbor … sa nepodarilo
// uložiť: disk je plný."), else empty. A file that was there stays as it
// was when the new one cannot be written whole.
QString SaveDocument(const QString &path, const QByteArray &pdf);

// Removes the folders, deepest first, each only while it is empty: those
// made for a file that was then not written.
void RemoveEmptyFolders(const QStringList &folders);

// The document in a file of the temporary folder, open for reading from
// its start, which the caller closes; -1 with why (after a colon: "disk je
// plný.") when it could not be written whole.
int TemporaryDocument(const QByteArray &pdf, QString &why);

} // namespace platform
