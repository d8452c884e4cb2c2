#pragma once
// Tables write superscripts as the Unicode ones ("x²", "x⁻¹"); the program
// uses the glyph characters of its maths font instead.
#include "expr/Zapis_vyrazu.h"

#include <QString>

inline const QString Horne_indexy = QString::fromUtf8("⁰¹²³⁴⁵⁶⁷⁸⁹⁻");

inline QString Glyfy(const char *utf8)
{
    const QString &horne = Horne_indexy;
    QString s = QString::fromUtf8(utf8);
    QString vysledok;
    for (const QChar c : s) {
        const qsizetype k = horne.indexOf(c);
        vysledok += k < 0 ? QString(c) : Misc::Preved_na_exponent(QString(k < 10 ? QChar(char16_t(u'0' + k)) : QChar(u'-')));
    }
    return vysledok;
}

// The inverse: a caption as the tables write it.
inline QString Bez_glyfov(const QString &text)
{
    QString vysledok;
    for (const QChar c : text) {
        const QChar p = Misc::Preved_z_exponentu(c);
        vysledok += p.isNull() ? c : Horne_indexy[p == u'-' ? 10 : p.digitValue()];
    }
    return vysledok;
}
