#pragma once
// The exercise screen under test: the program's resources and default data,
// fakes for the OS services, and a screen whose calls to the other forms
// (hint windows, results table, worksheet printing) are written down.
#include "exercise/frm_Game01.h"
#include "platform/Fixtures.h"
#include "platform/PrinterFake.h"
#include "platform/Services.h"
#include "services/Konfigurace.h"
#include "services/Promenne_cviceni.h"
#include "services/Tabulky.h"

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace hra_test {

class Hra : public frm_Game01 {
public:
    QStringList zaznam; // the calls out, in order
    bool Nacitana() const { return isLoaded(); }

    void Nacti_chybova_okna() override { zaznam << QStringLiteral("Load frm_Chybovy, frm_Chybovy2"); }
    void Uvolni_chybova_okna() override { zaznam << QStringLiteral("Unload frm_Chybovy, frm_Chybovy2"); }
    void Nacti_tabulku() override { zaznam << QStringLiteral("Load frm_Tabulka"); }
    QString Tabulka_Vlozeni_znamky(int spravne, int celkove) override
    {
        zaznam << QStringLiteral("Vlozeni_znamky %1 %2").arg(spravne).arg(celkove);
        return QStringLiteral("2");
    }
    void Tabulka_Vloz_novy_zaznam(int uloha, const QString &jmeno, const QString &spravne, const QString &spatne,
                                  const QString &znamka, int ID) override
    {
        zaznam << QStringLiteral("Vloz_novy_zaznam %1 %2 %3 %4 %5 %6").arg(uloha).arg(jmeno, spravne, spatne, znamka).arg(ID);
    }
    void Tabulka_Vloz_zaznam_do_souboru_vysledky_dat(const QString &jmeno, const QString &skupina,
                                                     const QString &uloha, const QString &spravne,
                                                     const QString &spatne, const QString &znamka) override
    {
        zaznam << QStringLiteral("Vysledky.dat %1 %2 %3 %4 %5 %6").arg(jmeno, skupina, uloha, spravne, spatne, znamka);
    }
    void Zobraz_tabulku_nad_nastavenim() override { zaznam << QStringLiteral("Show frm_Tabulka"); }
    void Vytiskni_pracovni_list(const QString &skupina, const QString &uloha, const QString &zadani,
                                const std::array<int, 5> &strany, int na_stranu, int priklady) override
    {
        QStringList s;
        for (int k : strany)
            s << QString::number(k);
        zaznam << QStringLiteral("list %1 %2 %3 [%4] %5 %6 tisk=%7")
                      .arg(skupina, uloha, zadani, s.join(' '))
                      .arg(na_stranu)
                      .arg(priklady)
                      .arg(Misc::Tisk);
    }
};

// A resource directory of plain pictures, "Bitmap/Games/<meno>.bmp" each of
// one colour, for tests that must tell pictures apart on the screen.
class Vlastne_obrazky {
public:
    QString Cesta() const { return adresar_.path() + QLatin1Char('/'); }
    void Uloz(const QString &meno, QSize velkost, QRgb farba)
    {
        QDir().mkpath(adresar_.filePath(QStringLiteral("Bitmap/Games")));
        QImage obraz(velkost, QImage::Format_RGB32);
        obraz.fill(farba);
        ASSERT_TRUE(obraz.save(adresar_.filePath(QStringLiteral("Bitmap/Games/%1.bmp").arg(meno)), "BMP"));
    }

private:
    QTemporaryDir adresar_;
};

// The module as the setup screen leaves it, the services faked.
class Obrazovka : public ::testing::Test {
protected:
    Obrazovka()
    {
        Misc::Cesta_CD = QStringLiteral(LK_RESOURCE_DIR "/");
        Misc::Cesta_HD = QStringLiteral(LK_DEFAULT_DATA_DIR "/");
        Misc::Kurzor_sipka = platform::LoadPicture(Misc::Cesta_CD + QStringLiteral("Cur/Arrow.cur"));
        Misc::Kurzor_ruka = platform::LoadPicture(Misc::Cesta_CD + QStringLiteral("Cur/Hand.cur"));
        for (int i = 1; i <= 70; ++i)
            Misc::Texty[i] = QStringLiteral("T%1").arg(i);
        Misc::Jmeno_zaka = QStringLiteral("Jano");
        Misc::Nazev_skupiny = QStringLiteral("Skupina");
        Misc::Nazev_ulohy = QStringLiteral("Uloha");
        Misc::Tisk = false;
    }
    ~Obrazovka() override
    {
        if (hra && hra->isLoaded())
            hra->Unload();
        Misc::Varianta_ulohy = 0;
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
    // The sounds played so far by name ("click enter"), then forgotten.
    QString Zvuky()
    {
        QStringList mena;
        for (const QString &cesta : zvuk.Played())
            mena << cesta.section(QLatin1Char('/'), -1).section(QLatin1Char('.'), 0, 0);
        const QString r = mena.mid(odohrane_).join(' ');
        odohrane_ = int(mena.size());
        return r;
    }
    void Zobraz()
    {
        lktest::showAndActivate(hra.get());
    }

    platform::FakeClock hodiny;
    platform::FakeSound zvuk;
    platform::FakeKeyboardLayout klavesnica{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::FakeMessageBox box;
    platform::FakePrinter tlaciaren;
    std::unique_ptr<Hra> hra;

private:
    int odohrane_ = 0;
    platform::ScopedService<platform::Clock> g1{hodiny};
    platform::ScopedService<platform::Sound> g2{zvuk};
    platform::ScopedService<platform::KeyboardLayout> g3{klavesnica};
    platform::ScopedService<platform::MessageBox> g4{box};
    platform::ScopedService<platform::Printer> g5{tlaciaren};
};

} // namespace hra_test
