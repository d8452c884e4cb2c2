#pragma once
// Ink on a picture of the stage: where the pixels of one kind lie, measured
// in the picture the pupil sees, at whatever scale the stage is drawn; and
// what task 20's lines must keep to.
#include "exercise/frm_Game01.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

namespace priklady_test {

// Where ink of one kind lies within a rectangle of stage pixels, on a
// picture of the stage drawn at scale `s`; in the picture's pixels.
struct Atrament {
    int vlavo = INT_MAX, vpravo = -1, hore = INT_MAX, dole = -1;
    bool prazdny() const { return vpravo < 0; }
};

inline Atrament Atrament_v(const QImage &obraz, double s, const QRect &oblast, bool (*je)(QRgb))
{
    Atrament a;
    const QRect v_obraze = QRect(QPoint(int(std::floor(oblast.left() * s)), int(std::floor(oblast.top() * s))),
                                 QPoint(int(std::ceil((oblast.right() + 1) * s)) - 1,
                                        int(std::ceil((oblast.bottom() + 1) * s)) - 1)) & obraz.rect();
    for (int y = v_obraze.top(); y <= v_obraze.bottom(); ++y)
        for (int x = v_obraze.left(); x <= v_obraze.right(); ++x)
            if (je(obraz.pixel(x, y))) {
                a.vlavo = std::min(a.vlavo, x);
                a.vpravo = std::max(a.vpravo, x);
                a.hore = std::min(a.hore, y);
                a.dole = std::max(a.dole, y);
            }
    return a;
}

inline bool Je_oranzova(QRgb p) { return qRed(p) > 180 && qBlue(p) < 150 && qRed(p) - qBlue(p) > 90; }
inline bool Je_tmava(QRgb p) { return qGray(p) < 110; }

// Task 20's lines on a picture of the stage at scale `s`: each stands clear
// of the arrows on both sides, and every line of the screen is set in one
// size, its digits as tall as those of the others.
inline void Over_riadky_20(const frm_Game01 &h, int pocet, const QImage &javisko, double s)
{
    constexpr int Volno = 4; // stage pixels between a line's ink and an arrow's
    int najnizsie = INT_MAX, najvyssie = 0;
    for (int r = 1; r <= 2 * pocet; ++r) {
        SCOPED_TRACE(QStringLiteral("line %1: %2").arg(r).arg(h.TZ1(r)->Caption()).toStdString());
        const platform::Label *riadok = h.TZ1(r), *prvy = h.TZ1(r % 2 ? r : r - 1);
        const QRect pas(riadok->Left, riadok->Top, riadok->Width, riadok->Height);
        const Atrament cisla = Atrament_v(javisko, s, pas, Je_tmava);
        // The arrows stand beside the pair of lines, from its upper line down.
        const QRect pri_sipkach(pas.left() - 12, prvy->Top, pas.width() + 24, pas.bottom() + 1 - prvy->Top);
        const Atrament vlavo = Atrament_v(javisko, s, pri_sipkach.adjusted(0, 0, -pas.width() - 12, 0), Je_oranzova);
        const Atrament vpravo = Atrament_v(javisko, s, pri_sipkach.adjusted(pas.width() + 12, 0, 0, 0), Je_oranzova);
        ASSERT_FALSE(cisla.prazdny() || vlavo.prazdny() || vpravo.prazdny());
        EXPECT_GE((cisla.vlavo - vlavo.vpravo - 1) / s, Volno) << "clear of the left arrow";
        EXPECT_GE((vpravo.vlavo - cisla.vpravo - 1) / s, Volno) << "clear of the right arrow";
        EXPECT_EQ(riadok->FontSize(), h.TZ1(1)->FontSize()) << "one size for the screen";
        const int vyska = cisla.dole - cisla.hore + 1;
        najnizsie = std::min(najnizsie, vyska);
        najvyssie = std::max(najvyssie, vyska);
    }
    EXPECT_LE(najvyssie - najnizsie, int(std::ceil(s))) << "digits of one height on every line";
}

inline bool Je_kremova(QRgb p) { return qAbs(qRed(p) - 255) + qAbs(qGreen(p) - 236) + qAbs(qBlue(p) - 182) < 24; }

// The cream that a cell after "/" stands in, in the band from 10 stage
// pixels above the cell to 10 below, outside the cell and its frame: as
// beside the cells of the working lines, none.
inline int Kremova_okolo(const platform::TextBox *bunka, const QImage &javisko, double s)
{
    const QRect r(bunka->Left, bunka->Top, bunka->Width, bunka->Height);
    int pocet = 0;
    for (const QRect &pas : {QRect(r.left(), r.top() - 10, r.width(), 9), QRect(r.left(), r.bottom() + 2, r.width(), 9)}) {
        const QRect v_obraze = QRect(QPoint(int(std::ceil(pas.left() * s)), int(std::ceil(pas.top() * s))),
                                     QPoint(int(std::floor((pas.right() + 1) * s)) - 1,
                                            int(std::floor((pas.bottom() + 1) * s)) - 1)) & javisko.rect();
        for (int y = v_obraze.top(); y <= v_obraze.bottom(); ++y)
            for (int x = v_obraze.left(); x <= v_obraze.right(); ++x)
                pocet += Je_kremova(javisko.pixel(x, y));
    }
    return pocet;
}

} // namespace priklady_test
