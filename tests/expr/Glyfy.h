#pragma once
// Tables write superscripts as the Unicode ones ("x²", "x⁻¹"); the program
// uses the glyph characters of its maths font instead.
#include "expr/Zapis_vyrazu.h"

#include <QString>

inline QString Glyfy(const char *utf8)
{
    static const QString horne = QString::fromUtf8("⁰¹²³⁴⁵⁶⁷⁸⁹⁻");
    QString s = QString::fromUtf8(utf8);
    QString vysledok;
    for (const QChar c : s) {
        const qsizetype k = horne.indexOf(c);
        vysledok += k < 0 ? QString(c) : Misc::Preved_na_exponent(QString(k < 10 ? QChar(char16_t(u'0' + k)) : QChar(u'-')));
    }
    return vysledok;
}
