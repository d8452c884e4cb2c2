#pragma once
// The setup screen of an installation of the test's own, with an exercise
// screen that stands in for the real one, and printing on paper onto a
// print server of the test's own.
#include "Program.h"

#include "platform/PrinterDevice.h"
#include "platform/PrinterDirectory.h"
#include "platform/Runtime.h"
#include "support/PrintServer.h"

#include <QTemporaryDir>

namespace lktest {

// Stands in for the exercise screen: records how it was loaded.
struct Cvicenie : platform::Form {
    static inline int nacitani = 0;
    static inline bool tisk = false;
    static inline int kopie = 0;
    static inline QString strany; // of pages 1 to 4, those to be printed
    static inline bool zlyhaj = false;
    void Form_Load() override
    {
        ++nacitani;
        tisk = Misc::Tisk;
        kopie = platform::services().printer().Copies();
        strany.clear();
        for (int strana = 1; strana <= 4; ++strana)
            if (platform::services().printer().PageInRange(strana))
                strany += QString::number(strana);
        platform::services().printer().Print(QStringLiteral("Pracovný list"));
        if (zlyhaj)
            throw std::runtime_error("the worksheet could not be printed");
    }
};
inline platform::DefaultInstance<Cvicenie> cvicenie;

struct Nastavenie : ::testing::Test {
    Program p;
    Shell::frm_Setup *s = nullptr;

    void SetUp() override
    {
        Cvicenie::nacitani = 0;
        Cvicenie::zlyhaj = false;
        Formulare::frm_Game01 = [] { return cvicenie.get(); };
        p.Prejdi_titulok();
    }
    void TearDown() override
    {
        if (auto *f = cvicenie.existing())
            f->Unload();
    }
    void Otvor(int uloha)
    {
        for (int g = 1; g <= 6; ++g)
            for (int k = 1; k <= 4; ++k)
                if (Shell::Skupiny[g].ulohy[k - 1] == uloha) {
                    Klik(Formulare::frm_Select->LI(g));
                    Klik(Formulare::frm_Select->RI(k));
                }
        s = Formulare::frm_Setup.get();
        ASSERT_EQ(Vpredu(), s);
        ASSERT_EQ(Misc::Cislo_ulohy, QString::number(uloha));
    }
    int Vysunutia() const { return int(p.hodiny.WaitsWithEvents().count(15)); }
};

// Printing on paper: a print server of the test's own, the real printer
// and printer directory, and a home folder of its own, for nothing must be
// written there.
struct Na_papier {
    lktest::PrintServer server;
    QTemporaryDir domov;
    const QByteArray stary_domov = qgetenv("HOME");
    platform::PrinterDevice zariadenie;
    platform::ScopedService<platform::Printer> g{zariadenie};
    std::unique_ptr<platform::PrinterDirectory> tlaciarne = platform::MakeSystemPrinterDirectory();
    platform::ScopedService<platform::PrinterDirectory> g2{*tlaciarne};
    explicit Na_papier(const lktest::PrintServerOptions &moznosti = {}) : server(moznosti)
    {
        platform::InstallTranslations();
        qputenv("HOME", domov.path().toUtf8());
    }
    ~Na_papier() { qputenv("HOME", stary_domov); }
};

} // namespace lktest
