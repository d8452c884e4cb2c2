// How the worksheets of tasks 1 to 15 print one example: the numbered
// assignment from the labels of the answer sheet and the blank places for
// the answer, as a table per task read by one small interpreter.
#include "printing/Pracovni_list.h"

#include "printing/Stranka.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

namespace Misc {

namespace {

using Harok::Pole;
using D = Kus_textu::Druh;

Kus_textu T(const QString &text) { return {D::Text, text}; }
const Kus_textu N{D::Cislo, QString()};
// Caption of pole(nasobok * C + posun).
Kus_textu P(Pole pole, int nasobok, int posun) { return {D::Popisek, QString(), pole, nasobok, posun}; }
// A run of underscores: an answer line, or the bar of a fraction.
Kus_textu U(int dlzka) { return T(QString(dlzka, QLatin1Char('_'))); }
Kus_textu U(int pred, int za)
{
    return T(QString(pred, QLatin1Char('_')) + QStringLiteral(" = ") + QString(za, QLatin1Char('_')));
}

const QString rovna_sa = QStringLiteral(" = ");

// The assignment is printed over the start of its answer line, which keeps
// its own " = " and the underscores after it.
const Blok_ulohy Blok_1_2{8, {
    {20, 0, {U(48, 21)}},
    {20, 0, {N, T(QStringLiteral(")  ")), P(Pole::TZ1, 2, -1), T(rovna_sa)}},
}};

const Blok_ulohy Blok_4_az_10{8, {
    {20, 0, {U(49, 20)}},
    {20, 0, {N, T(QStringLiteral(")  ")), P(Pole::TZ1, 1, 0), T(rovna_sa)}},
}};

// A fraction: the bar 2 mm below the numerator's top, the denominator 8 mm.
const Blok_ulohy Blok_3_12{18, {
    {27, 2, {U(13)}},
    {65, 2, {U(55)}},
    {20, 4, {N, T(QStringLiteral(") "))}},
    {60, 4, {T(rovna_sa)}},
    {135, 4, {T(rovna_sa)}},
    {30, 0, {P(Pole::TZ1, 2, -1)}},
    {30, 8, {P(Pole::TZ1, 2, 0)}},
}};

const Blok_ulohy Blok_11{25, {
    {27, 2, {U(13)}},
    {20, 4, {N, T(QStringLiteral(") "))}},
    {30, 0, {P(Pole::TZ1, 3, -2)}},
    {30, 8, {P(Pole::TZ1, 3, -1)}},
    {80, 0, {U(45)}},
    {80, 7, {U(45)}},
    {80, 14, {U(45)}},
}};

const Blok_ulohy Blok_13_14{18, {
    {20, 4, {N, T(QStringLiteral(") "))}},
    {27, 2, {U(7)}},
    {29, 0, {P(Pole::TZ1, 2, -1)}},
    {29, 8, {P(Pole::TZ1, 2, 0)}},
    {45, 4, {P(Pole::TZR, 2, -1)}},
    {48, 2, {U(7)}},
    {50, 0, {P(Pole::TZ2, 2, -1)}},
    {50, 8, {P(Pole::TZ2, 2, 0)}},
    {65, 4, {T(rovna_sa)}},
    {70, 2, {U(33, 19)}},
}};

// One equation a screen: its labels are always those of row 1.
const Blok_ulohy Blok_15{40, {
    {20, -16, {N, T(QStringLiteral(") "))}},
    {40, -16, {P(Pole::TZ1, 0, 1), T(QStringLiteral(" ")), P(Pole::TZR, 0, 1), T(QStringLiteral(" ")),
               P(Pole::TZ2, 0, 1)}},
    {20, -9, {U(55)}},
    {20, -2, {U(55)}},
    {20, 5, {U(55)}},
    {20, 12, {U(55)}},
}};

const std::map<QString, const Blok_ulohy *> &Bloky()
{
    static const std::map<QString, const Blok_ulohy *> bloky = [] {
        std::map<QString, const Blok_ulohy *> m;
        for (int u : {1, 2})
            m[QString::number(u)] = &Blok_1_2;
        for (int u = 4; u <= 10; ++u)
            m[QString::number(u)] = &Blok_4_az_10;
        for (int u : {3, 12})
            m[QString::number(u)] = &Blok_3_12;
        m[QStringLiteral("11")] = &Blok_11;
        for (int u : {13, 14})
            m[QString::number(u)] = &Blok_13_14;
        m[QStringLiteral("15")] = &Blok_15;
        return m;
    }();
    return bloky;
}

} // namespace

const Blok_ulohy *Blok_pre_ulohu(const QString &uloha)
{
    const auto it = Bloky().find(uloha);
    return it == Bloky().end() ? nullptr : it->second;
}

namespace {

// One text of an example, built; a bar is a text of underscores alone.
struct Kus {
    float x;
    qint16 dy;
    QString text;
    bool Ciara() const { return !text.isEmpty() && text.count(QLatin1Char('_')) == text.size(); }
    // A bar, or a line to write on that starts with one.
    bool Zacina_ciarou() const { return text.startsWith(QLatin1Char('_')); }
    float Koniec() const { return x + Sirka_mm(text); }
    // Where its ink begins, after any leading blanks.
    float Atrament() const
    {
        qsizetype pred = 0;
        while (pred < text.size() && text[pred].isSpace())
            ++pred;
        return x + Sirka_mm(text.left(pred));
    }
};

// The maths font is wider than the blocks were drawn for. A bar grows to
// cover what stands over and under it and stops short of a sign on its
// middle line (2 mm lower); a sign that would touch the bar or the answer
// line after it moves into the gap between that and the bar before it.
void Prisposob_ciary(std::vector<Kus> &kusy)
{
    for (Kus &b : kusy) {
        if (!b.Ciara())
            continue;
        float koniec = b.Koniec(), rez = std::numeric_limits<float>::max();
        for (const Kus &t : kusy) {
            if (t.Ciara() || t.text.trimmed().isEmpty() || t.x < b.x || t.x >= b.Koniec())
                continue;
            if (t.dy == b.dy + 2)
                rez = std::min(rez, t.Atrament() - 1);
            else if (std::abs(t.dy - b.dy) <= 6)
                koniec = std::max(koniec, t.Koniec());
        }
        if (rez < koniec)
            b.text = Ciara_mm(rez - b.x, true);
        else if (koniec > b.Koniec())
            b.text = Ciara_mm(koniec - b.x);
    }
    for (Kus &t : kusy) {
        for (const Kus &b : kusy) {
            if (!b.Zacina_ciarou() || t.dy != b.dy + 2 || t.x >= b.x
                || t.Atrament() + Sirka_mm(t.text.trimmed()) < b.x - 0.5f)
                continue;
            // Without a bar before it, it just steps back from this one.
            float pred = b.x - 1 - 2 * Sirka_mm(t.text);
            for (const Kus &a : kusy)
                if (a.Ciara() && a.dy == b.dy && a.x < t.x)
                    pred = std::max(pred, a.Koniec());
            t.x = std::floor((pred + b.x - Sirka_mm(t.text)) / 2);
        }
    }
}

} // namespace

void Vytiskni_blok(const Blok_ulohy &blok, int cislo, int slot, qint16 Y_zacatku, const Citac_popisku &popisek)
{
    const qint16 y = qint16(Y_zacatku + slot * blok.vyska_slotu);
    std::vector<Kus> kusy;
    for (const Riadok_bloku &r : blok.riadky) {
        QString text;
        for (const Kus_textu &k : r.text) {
            switch (k.druh) {
            case D::Text: text += k.text; break;
            case D::Cislo: text += QString::number(cislo); break;
            case D::Popisek: text += popisek(k.pole, k.nasobok * Cislo_tisteneho_prikladu + k.posun); break;
            }
        }
        // An example number alone: "9)" and "10)" end one under the other.
        const bool cislo = r.text.size() == 2 && r.text[0].druh == D::Cislo && r.text[1].druh == D::Text;
        kusy.push_back({cislo ? Zaciatok_cisla(r.x, text) : float(r.x), r.dy, text});
    }
    Prisposob_ciary(kusy);
    for (const Kus &k : kusy)
        Vytiskni_radek(k.x, qint16(y + k.dy), k.text, QStringLiteral("Ruvo"));
}

} // namespace Misc
