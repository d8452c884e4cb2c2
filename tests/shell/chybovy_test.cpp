// The hint windows as the exercise screen fills them: every line within its
// label on one line, a fraction's bar under the numerator of each showing;
// filled windows saved under build/screens/ for a person to look at.
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"

#include "expr/Zapis_vyrazu.h"
#include "platform/Fonts.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"

#include <QDir>
#include <QPixmap>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;
using namespace Shell;

namespace {

const QString Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");

struct Napoveda : ::testing::Test {
    // The module's variables that the load reads, put back afterwards.
    const QString stare_cd = std::exchange(Misc::Cesta_CD, Cesta_CD), stara_uloha = Misc::Cislo_ulohy;
    const quint8 stara_varianta = Misc::Varianta_ulohy;
    ~Napoveda() override { Misc::Cesta_CD = stare_cd, Misc::Cislo_ulohy = stara_uloha, Misc::Varianta_ulohy = stara_varianta; }
    Form hra; // stands for the exercise screen
    // Smaller than every hint picture, as the exercise screen's design has it.
    PictureBox *PicMain = new PictureBox(&hra);

    std::unique_ptr<Okno_napovedy> Nacitaj(int okno, const char *uloha, int varianta = 0)
    {
        std::unique_ptr<Okno_napovedy> o(okno == 1 ? static_cast<Okno_napovedy *>(new frm_Chybovy) : new frm_Chybovy2);
        Misc::Cislo_ulohy = uloha;
        Misc::Varianta_ulohy = quint8(varianta);
        o->Plocha_obrazku = PicMain;
        o->Load();
        return o;
    }
};

// Each line lies inside the window and shows its text whole, or cut short
// with "…" at the smallest size, in both cases on one line of its label.
void Riadky_sa_zmestia(const Okno_napovedy &o, const QStringList &texty, const std::string &kde)
{
    for (int k = 1; k <= o.Label1.UBound() && k <= texty.size(); ++k) {
        const Label *l = o.Label1(k);
        const QString t = l->Caption;
        EXPECT_TRUE(t == texty[k - 1] || (t.endsWith(u'…') && texty[k - 1].startsWith(t.chopped(1))
                                          && l->FontSize < Okno_napovedy::Nejmensi_pismo + 1))
            << kde << ", line " << k << ": " << t.toStdString();
        EXPECT_LE(QFontMetrics(makeFont(l->FontName, l->FontSize, false)).horizontalAdvance(t), l->Width)
            << kde << ", line " << k << ": " << t.toStdString();
        EXPECT_TRUE(o.rect().contains(l->widget()->geometry())) << kde << ", line " << k << " lies outside the window";
    }
}

// Rows of the window's image, in the column through the middle of line 1,
// that differ from its picture: the bar.
QList<int> Ciara(const Okno_napovedy &o)
{
    const QImage obraz = o.persistentImage(), vzor = o.Obrazek_napovedy.image();
    const int x = o.Label1(1)->Left + o.Label1(1)->Width / 2;
    QList<int> riadky;
    for (int y = 0; y < vzor.height(); ++y)
        if (obraz.pixel(x, y) != vzor.pixel(x, y))
            riadky << y;
    return riadky;
}

// Each window filled and saved as the pupil sees it; then ever longer
// answers shrink its lines and finally cut them short, and the bar follows
// the numerator without leaving the old one behind.
TEST_F(Napoveda, FilledWindows)
{
    registerFontFile(Cesta_CD + "Data/Ruvo.ttf");
    struct Riadok { const char *subor; int okno; const char *uloha; int varianta; bool zlomok; QStringList riadky; };
    const Riadok riadky[] = {
        {"chybovy_riadok", 1, "4", 0, false, {Preved_na_zobrazeni(u"3*x^(2)-2*x+1"), " "}},
        {"chybovy_zlomok", 1, "13", 0, true, {Preved_na_zobrazeni(u"x^(2)+2*x+1"), "x - 1"}},
        {"chybovy_tabulka", 1, "21", 2, false, {"x", "y", "-2", "-5", "-1", "-2,5", "0", "0", "1", "2,5", "2", "5", "3", "7,5"}},
        {"chybovy_tabulka_a", 1, "21", 1, false, {"x", "y", "11", "21,23", "16", "30,88", "19", "36,67", "14", "27,02", "17", "32,81", "18", "34,74"}},
        {"chybovy_tabulka_b", 1, "21", 2, false, {"x", "y", "8", "0,124", "17", "0,059", "26", "0,038", "35", "0,029", "44", "0,023", "53", "0,019"}},
        {"chybovy2_rovnica", 2, "17", 0, true, {"3x + 1", "2", "x ="}},
        {"chybovy2_bez_menovatela", 2, "16", 0, false, {"x = 4", " "}},
    };
    QDir().mkpath(LK_BUILD_DIR "/screens");
    for (const Riadok &r : riadky) {
        auto o = Nacitaj(r.okno, r.uloha, r.varianta);
        o->Label1(1)->FontName = "Ruvo";
        for (int k = 1; k <= 2 && r.zlomok; ++k)
            o->Label1(k)->Alignment = vbCenter;
        const QStringList &t = r.riadky;
        o->Vloz_Text(t[0], t.value(1), t.value(2), t.value(3), t.value(4), t.value(5), t.value(6),
                     t.value(7), t.value(8), t.value(9), t.value(10), t.value(11), t.value(12), t.value(13));
        o->Show();
        Riadky_sa_zmestia(*o, t, r.subor);
        // The columns of a value table keep a clear gap between their texts.
        for (int k = 1; k + 2 <= o->Label1.UBound() && QByteArray(r.uloha) == "21"; ++k) {
            const auto text = [&](int i) {
                const Label *l = o->Label1(i);
                const int w = QFontMetrics(makeFont(l->FontName, l->FontSize, false)).horizontalAdvance(l->Caption);
                return std::pair{l->Left + (l->Width - w) / 2, l->Left + (l->Width + w) / 2};
            };
            EXPECT_GE(text(k + 2).first - text(k).second, 6) << r.subor << ", lines " << k << " and " << k + 2;
        }
        EXPECT_EQ(Ciara(*o).isEmpty(), !r.zlomok) << r.subor;
        EXPECT_TRUE(!o->mask().contains(QPoint(1, 1)) && o->mask().contains(o->Label1(1)->widget()->geometry().center()))
            << r.subor << ": the key colour is cut out of the window's shape";
        QPixmap tvar(o->size());
        tvar.fill(Qt::transparent);
        o->render(&tvar, {}, o->mask());
        EXPECT_TRUE(tvar.save(QStringLiteral(LK_BUILD_DIR "/screens/%1.png").arg(r.subor)));

        const QList<int> ciara = Ciara(*o);
        for (int dlzka = 20; dlzka <= 120 && o->Label1.UBound() <= 3; dlzka += 6) {
            const QString dlhy = QStringLiteral("(2x+1)(x-3)").repeated(12).left(dlzka);
            o->Hide();
            o->Vloz_Text(dlhy, dlhy, dlhy);
            o->Show();
            Riadky_sa_zmestia(*o, {dlhy, dlhy, dlhy}, r.subor + (", " + std::to_string(dlzka)));
        }
        EXPECT_TRUE(!r.zlomok || (Ciara(*o).size() == ciara.size() && Ciara(*o) != ciara)) << r.subor << ": the bar moved";
    }
}

} // namespace
