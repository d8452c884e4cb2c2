#pragma once
// The exercise screen under test: the program's resources and data, fake OS
// services, and a screen that writes down its calls to the other forms.
#include "exercise/frm_Game01.h"
#include "support/Fixtures.h"
#include "support/Nahradne_sluzby.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

namespace hra_test {

class Hra : public frm_Game01 {
public:
    QStringList zaznam; // the calls out, in order
    template <class... A> void Pis(const A &...a) { zaznam << QStringList{QVariant(a).toString()...}.join(' '); }

    void Nacti_chybova_okna() override { Pis("hints loaded"); }
    void Uvolni_chybova_okna() override { Pis("hints unloaded"); }
    void Nacti_tabulku() override { Pis("table loaded"); }
    QString Tabulka_Vlozeni_znamky(int s, int c) override { return Pis("mark", s, c), QStringLiteral("2"); }
    void Tabulka_Vloz_novy_zaznam(int u, const QString &j, const QString &s, const QString &z, const QString &m,
                                  int id) override { Pis("Hra.res", u, j, s, z, m, id); }
    void Tabulka_Vloz_zaznam_do_souboru_vysledky_dat(const QString &j, const QString &g, const QString &u,
                                                     const QString &s, const QString &z, const QString &m) override
    {
        Pis("Vysledky.dat", j, g, u, s, z, m);
    }
    void Zobraz_tabulku_nad_nastavenim() override { Pis("table shown"); }
    void Vytiskni_pracovni_list(const QString &g, const QString &u, const QString &z, const std::array<int, 5> &st,
                                int n, int p) override
    {
        Pis("sheet", g, u, z, st[0], st[1], st[2], st[3], st[4], n, p, Misc::Tisk);
    }
    // Stands for the task's generator, whose calls it writes down.
    void Generator(bool Prvni_generovani) { Pis("generated", Prvni_generovani); }
    void Sleduj_generator() { Nastavenie_obrazovky.Generator = static_cast<void (frm_Game01::*)(bool)>(&Hra::Generator); }
};

// The module as the setup screen leaves it, the OS services faked.
class Obrazovka : public ::testing::Test, public lktest::Nahradne_sluzby {
protected:
    Obrazovka()
    {
        Misc::Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");
        Misc::Cesta_HD = QStringLiteral(LK_DEFAULT_DATA_DIR "/");
        for (int i = 1; i <= 70; ++i)
            Misc::Texty[i] = QStringLiteral("T%1").arg(i);
        Misc::Jmeno_zaka = QStringLiteral("Jano");
        Misc::Nazev_skupiny = QStringLiteral("Skupina");
        Misc::Nazev_ulohy = QStringLiteral("Uloha");
    }
    // A fresh screen loaded for the task, as the setup screen opens it.
    Hra &Nacitaj(const char *uloha, int varianta, int pocet)
    {
        Misc::Cislo_ulohy = QString::fromLatin1(uloha);
        Misc::Varianta_ulohy = quint8(varianta);
        Misc::Zvoleny_pocet_prikladu = quint8(pocet);
        hra = std::make_unique<Hra>();
        hra->Load();
        return *hra;
    }
    // Resources of plain one-colour pictures "Bitmap/Games/<meno>.bmp".
    void Vlastne_obrazky(std::initializer_list<std::tuple<const char *, QSize, QRgb>> obrazky)
    {
        QDir().mkpath(zdroje.filePath(QStringLiteral("Bitmap/Games")));
        for (auto [meno, velkost, farba] : obrazky) {
            QImage obraz(velkost, QImage::Format_RGB32);
            obraz.fill(farba);
            ASSERT_TRUE(obraz.save(zdroje.filePath(QStringLiteral("Bitmap/Games/%1.bmp").arg(meno)), "BMP"));
        }
        Misc::Cesta_CD = zdroje.path() + QLatin1Char('/');
    }
    QWidget *Fokus() const { return QApplication::focusWidget(); }

    QTemporaryDir zdroje;
    std::unique_ptr<Hra> hra;
};

} // namespace hra_test
