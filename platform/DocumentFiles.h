#pragma once
// Where a finished document goes on disk, every byte of it written with its
// result looked at: the PDF file chosen, replaced the safe way (a new file
// beside it, written, synced and renamed over the name), or a temporary
// file for the print system that has no name at all, so that nothing of it
// stays behind however the program ends. A document that could not be
// written whole is never left, nor passed on, cut short.
#include <QByteArray>
#include <QString>

namespace platform {

// Writes the document to the file; why not, for the teacher ("Súbor … sa
// nepodarilo uložiť: disk je plný."), else empty. A file that was there
// stays as it was when the new one cannot be written whole.
QString SaveDocument(const QString &path, const QByteArray &pdf);

// The document in a file of the temporary folder, open for reading from
// its start, which the caller closes; -1 with why (after a colon: "disk je
// plný.") when it could not be written whole.
int TemporaryDocument(const QByteArray &pdf, QString &why);

} // namespace platform
