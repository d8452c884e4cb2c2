#include "services/Text_1250.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <bitset>

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

bool Text_v_utf8(QByteArrayView bajty)
{
    if (bajty.startsWith("\xEF\xBB\xBF"))
        return true;
    // Our own files are Windows-1250, and its Slovak and Czech letters can
    // be whole UTF-8 too ("ÚŠ" is one Arabic letter, "ÄŤ" is "č"). So UTF-8
    // needs a byte past ASCII that is no such letter in Windows-1250, as
    // every UTF-8 "á", "í", "š" or "ý" has; text without any byte past
    // ASCII is the same in both.
    static const std::bitset<256> pismena = [] {
        std::bitset<256> b;
        for (const char c : Text_do_1250(QStringLiteral("áäčďéěíĺľňóôŕřšťúůýžÁÄČĎÉĚÍĹĽŇÓÔŔŘŠŤÚŮÝŽ")))
            b.set(uchar(c));
        return b;
    }();
    const auto prvy = std::find_if(bajty.begin(), bajty.end(), [](char c) { return uchar(c) >= 0x80; });
    if (prvy == bajty.end() || !bajty.sliced(prvy - bajty.begin()).isValidUtf8())
        return false;
    return std::any_of(prvy, bajty.end(), [](char c) { return uchar(c) >= 0x80 && !pismena[uchar(c)]; });
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
