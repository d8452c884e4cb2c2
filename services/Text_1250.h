#pragma once
// The program's text files are Windows-1250 with lines ending in CR LF; inside
// the program every text is Unicode. These are the only conversions between them.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>

namespace Misc {

QString Text_z_1250(const QByteArray &bajty);

// Characters that Windows-1250 lacks make `ok` false (and become a substitute).
QByteArray Text_do_1250(const QString &text, bool *ok = nullptr);

// Lines as the file runtime reads them: a line ends at CR, a LF right after
// the CR belongs to that end, and a final CR LF starts no further line.
QStringList Riadky_textu(const QString &text);

// Windows-1250 a byte at a time, both ways, for files converted at every
// save (the results table): a converter costs more than a line.
struct Kod_1250 {
    std::array<char16_t, 256> znak;    // the character of each byte (each has one)
    std::array<qint16, 65536> bajt;    // the byte of each character; -1 where none
};
const Kod_1250 &Kod_1250_bajtov();

// Whether a file that a person may have edited is UTF-8 text: a byte-order
// mark, or bytes that UTF-8 reads whole into likelier names than
// Windows-1250 does (which the program itself writes, and which wins a tie).
bool Text_v_utf8(QByteArrayView bajty);

// Lines of a file that a person may have edited (the marks, the results
// table): lines end at CR LF, CR or LF; UTF-8 text (Text_v_utf8) instead
// of Windows-1250.
QStringList Riadky_suboru(const QByteArray &bajty);

} // namespace Misc
