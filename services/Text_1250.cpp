#include "services/Text_1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

namespace Misc {

namespace {
constexpr char kodovanie[] = "windows-1250";
}

// Opening a converter costs far more than converting a name: one per thread,
// its state reset for every text. An encoder's error count survives a reset,
// so a text whose every character is asked about gets an encoder of its own.
QString Text_z_1250(const QByteArray &bajty)
{
    thread_local QStringDecoder dekoder(kodovanie);
    dekoder.resetState();
    return dekoder(bajty);
}

QByteArray Text_do_1250(const QString &text, bool *ok)
{
    if (ok) {
        QStringEncoder koder(kodovanie);
        QByteArray bajty = koder(text);
        *ok = !koder.hasError();
        return bajty;
    }
    thread_local QStringEncoder koder(kodovanie);
    koder.resetState();
    return koder(text);
}

QStringList Riadky_textu(const QString &text)
{
    QStringList riadky;
    qsizetype zaciatok = 0;
    const qsizetype n = text.size();
    while (zaciatok < n) {
        qsizetype cr = text.indexOf(QLatin1Char('\r'), zaciatok);
        if (cr < 0)
            cr = n;
        riadky.append(text.mid(zaciatok, cr - zaciatok));
        zaciatok = cr + 1;
        if (zaciatok < n && text.at(zaciatok) == QLatin1Char('\n'))
            ++zaciatok;
    }
    return riadky;
}

const Kod_1250 &Kod_1250_bajtov()
{
    static const Kod_1250 kod = [] {
        Kod_1250 k;
        k.bajt.fill(-1);
        for (int b = 0; b < 256; ++b) {
            const QString znak = Text_z_1250(QByteArray(1, char(b)));
            k.znak[b] = znak.size() == 1 ? znak[0].unicode() : char16_t(QChar::ReplacementCharacter);
            if (znak.size() == 1 && k.bajt[znak[0].unicode()] < 0)
                k.bajt[znak[0].unicode()] = qint16(b);
        }
        return k;
    }();
    return kod;
}

namespace {

// How unlike names typed by Slovak and Czech pupils a text is, in points:
// what the two readings of bytes that are whole UTF-8 and Windows-1250 alike
// are weighed by. The UTF-8 reading of the program's own names ("ÚŠ", "ÓŽ")
// is a letter of another script amid Latin ones; the Windows-1250 reading
// of UTF-8 "č" is "ÄŤ", a capital after a small letter ("KuÄŤera"), a capital
// before small ones ("ÄŤech"), an "Ä" no Slovak word has there ("VÄŽAKA"),
// a word that starts with "Ĺ" ("Ĺšliwa"), a Slovak letter beside a foreign
// one ("ĂĽ" is "ü"). Only what touches a character past ASCII is
// weighed: the rest reads alike both ways.
int Nepravdepodobnost(QStringView text)
{
    static const QString nase = QStringLiteral("áäčďéěíĺľňóôŕřšťúůýžÁÄČĎÉĚÍĹĽŇÓÔŔŘŠŤÚŮÝŽ");
    static const QString samohlasky = QStringLiteral("aeiouyáäéěíóôúůýAEIOUYÁÄÉĚÍÓÔÚŮÝ");
    const auto je = [](const QString &znaky, uint c) { return c <= 0xFFFF && znaky.contains(QChar(char16_t(c))); };
    const auto latinske = [](uint c) { return QChar::isLetter(c) && QChar::script(c) == QChar::Script_Latin; };
    const QList<uint> znaky = text.toUcs4();
    int body = 0;
    for (qsizetype i = 0; i < znaky.size(); ++i) {
        const uint c = znaky[i], p = i > 0 ? znaky[i - 1] : 0, pp = i > 1 ? znaky[i - 2] : 0;
        const uint n = i + 1 < znaky.size() ? znaky[i + 1] : 0;
        if (c < 0x80 && p < 0x80 && pp < 0x80)
            continue;
        if (c >= 0x80 && !je(nase, c)) {
            if (latinske(c))
                body += 1; // a Latin letter of another language
            else if (QChar::isLetter(c) || QChar::isMark(c))
                body += 1 + 3 * (latinske(p) + latinske(n)); // another script, amid Latin letters the more
            else
                body += 3; // no letter
        }
        // "ä" follows only b, m, p, v and comes before no "ž"; "ĺ" follows a
        // consonant, so no capitalised word starts with it.
        if ((c == u'ä' || c == u'Ä') && (!je(QStringLiteral("bmpvBMPV"), p) || n == u'ž' || n == u'Ž'))
            body += 1;
        if ((c == u'ĺ' || c == u'Ĺ') && !(latinske(p) && !je(samohlasky, p)))
            body += 1 + (c == u'Ĺ' && !latinske(p) && QChar::isLower(n));
        if (p >= 0x80 && c >= 0x80 && latinske(p) && latinske(c) && je(nase, p) != je(nase, c))
            body += 1; // "ĂĽ"
        if (QChar::isLower(p) && QChar::isUpper(c))
            body += 3; // "KuÄŤera"
        if (QChar::isLower(c) && QChar::isUpper(p) && QChar::isUpper(pp))
            body += 3; // "ÄŤech"
    }
    return body;
}

} // namespace

bool Text_v_utf8(QByteArrayView bajty)
{
    if (bajty.startsWith("\xEF\xBB\xBF"))
        return true;
    // Text without any byte past ASCII is the same both ways, and bytes
    // UTF-8 cannot read are Windows-1250 (the program's own).
    const auto prvy = std::find_if(bajty.begin(), bajty.end(), [](char c) { return uchar(c) >= 0x80; });
    if (prvy == bajty.end() || !bajty.sliced(prvy - bajty.begin()).isValidUtf8())
        return false;
    // Both readings are text: the likelier names win, Windows-1250 when
    // they are alike.
    return Nepravdepodobnost(QString::fromUtf8(bajty)) < Nepravdepodobnost(Text_z_1250(bajty.toByteArray()));
}

QStringList Riadky_suboru(const QByteArray &bajty)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    QString text;
    if (bajty.startsWith(bom))
        text = QString::fromUtf8(bajty.mid(bom.size()));
    else if (Text_v_utf8(bajty))
        text = QString::fromUtf8(bajty);
    else
        text = Text_z_1250(bajty);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QLatin1Char('\n'), QLatin1Char('\r'));
    return Riadky_textu(text);
}

} // namespace Misc
