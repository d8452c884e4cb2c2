// The setup screen: name, count dial, variants, the revealed buttons, the
// help pages, continue and print.
#include "Program.h"

#include <QPrintDialog>
#include <QSpinBox>
#include <QTimer>

using namespace lktest;

namespace {

// Stands in for the exercise screen: records how it was loaded.
struct Cvicenie : platform::Form {
    static inline int nacitani = 0;
    static inline bool tisk = false;
    static inline int kopie = 0;
    static inline bool zlyhaj = false;
    void Form_Load() override
    {
        ++nacitani;
        tisk = Misc::Tisk;
        kopie = platform::services().printer().Copies();
        if (zlyhaj)
            throw std::runtime_error("the worksheet could not be printed");
    }
};
platform::DefaultInstance<Cvicenie> cvicenie;

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

TEST_F(Nastavenie, CountsFollowTheDialAndTheVariant)
{
    // kliky: count buttons 1..5, variants as 11 (a) and 12 (b)
    struct Pripad { const char *nazov; QList<int> kliky; int pocet; } pripady[] = {
        {"task 19 before a variant counts by five", {2}, 10},
        {"task 19: button 2, then b", {2, 12}, 8},
        {"task 19: button 2, b, then a", {2, 12, 11}, 10},
    };
    for (const Pripad &c : pripady) {
        Otvor(19);
        for (int k : c.kliky)
            Klik(k > 10 ? s->ICisloUloha(k - 10) : s->ICislo(k));
        EXPECT_EQ(Misc::Zvoleny_pocet_prikladu, c.pocet) << c.nazov;
        Klik(s->IKonec);
    }
}

TEST_F(Nastavenie, ContinueRisesOnceWhenTheChoicesAreComplete)
{
    Otvor(7);
    Napis(s->TJmeno, "  Ľubo š");
    EXPECT_EQ(QString(s->TJmeno->Text), "Ľubo š") << "leading blanks vanish, blanks inside stay";
    EXPECT_FALSE(s->picPokracuj->Visible) << "no count yet";
    Klik(s->ICislo(2));
    EXPECT_TRUE(s->picPokracuj->Visible);
    EXPECT_TRUE(s->picTiskni->Visible);
    EXPECT_EQ(Vysunutia(), 2 * 25) << "both buttons rose in 25 steps";
    Napis(s->TJmeno, "ko");
    EXPECT_EQ(Vysunutia(), 50) << "further letters do not repeat it";
    s->TJmeno->Text = "   ";
    EXPECT_FALSE(s->picPokracuj->Visible) << "a name of blanks is no name";
    EXPECT_TRUE(s->picTiskni->Visible) << "print needs no name";
    Napis(s->TJmeno, "Eva");
    EXPECT_EQ(Vysunutia(), 75);
}

TEST_F(Nastavenie, VariantTasksOfferContinueAndPrintOnlyWithAVariant)
{
    for (int uloha : {19, 21}) {
        Otvor(uloha);
        Napis(s->TJmeno, "Ivana");
        Klik(s->ICislo(1));
        EXPECT_FALSE(s->picPokracuj->Visible) << uloha;
        EXPECT_FALSE(s->picTiskni->Visible) << uloha << ": no worksheet without a variant";
        Klik(s->ICisloUloha(2));
        EXPECT_TRUE(s->picPokracuj->Visible) << uloha;
        EXPECT_TRUE(s->picTiskni->Visible) << uloha;
        Klik(s->IKonec);
    }
}

// The count first, then the name typed at once: its first letter while the
// count's wait runs, the rest while continue rises. No letter is lost, but
// a click on back meanwhile is.
TEST_F(Nastavenie, ClicksDuringTheRiseAreIgnoredTypingIsKept)
{
    Otvor(7);
    const QString meno = QStringLiteral("Ľubica Šťastná");
    const QPoint stred = s->IKonec->widget()->rect().center();
    QApplication::postEvent(s->IKonec->widget(), new QMouseEvent(QEvent::MouseButtonPress, stred,
        s->IKonec->widget()->mapToGlobal(stred), Qt::LeftButton, Qt::LeftButton, {}));
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [&] { Napis(s->TJmeno, meno.mid(1)); });
        Napis(s->TJmeno, meno.left(1));
    });
    Klik(s->ICislo(2));
    ASSERT_EQ(Vpredu(), s);
    EXPECT_EQ(QString(s->TJmeno->Text), meno);
    EXPECT_TRUE(s->picPokracuj->Visible && s->picTiskni->Visible);
    Klik(s->picPokracuj);
    EXPECT_EQ(Misc::Jmeno_zaka, meno);
}

TEST_F(Nastavenie, ContinueOpensTheExerciseOrFirstTheTasksHelpPage)
{
    Otvor(21);
    Napis(s->TJmeno, "Žofia");
    Klik(s->ICisloUloha(2));
    Klik(s->ICislo(1));
    Klik(s->INapoveda);
    EXPECT_TRUE(Misc::Zobrazit_napovedu);
    Klik(s->picPokracuj);
    auto *intro = Formulare::frm_Intro.existing();
    ASSERT_EQ(Vpredu(), intro);
    EXPECT_TRUE(Rovnaky_obrazok(intro->Picture, "Bitmap/Help/21b.bmp"));
    EXPECT_EQ(Cvicenie::nacitani, 0);
    Klik(intro, {200, 200});
    EXPECT_EQ(Misc::Aktualni_formular, cvicenie.get());
    EXPECT_FALSE(Formulare::frm_Intro.existing() || Cvicenie::tisk);

    // Back from the exercise: the choices are kept; without help, straight on.
    cvicenie->Hide();
    s->Show();
    Klik(s->INapoveda);
    Klik(s->picPokracuj);
    EXPECT_EQ(Vpredu(), cvicenie.get());
    EXPECT_FALSE(s->isVisible());
}

// Answers the printer dialog once it is open.
void Odpovedz_dialogu(bool prijmi)
{
    QTimer::singleShot(0, [prijmi] {
        auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr) << "the printer dialog is open";
        EXPECT_EQ(d->windowTitle(), Misc::Texty[30]);
        if (auto *kopie = d->findChild<QSpinBox *>(QStringLiteral("copies")))
            kopie->setValue(3);
        prijmi ? d->accept() : d->reject();
    });
}

TEST_F(Nastavenie, PrintLoadsTheExerciseInPrintModeAndEndsTheDocument)
{
    struct Pripad { const char *nazov; bool prijmi, zlyhaj; int nacitani; QList<platform::PrintOp::Kind> koniec;
                    bool chyba_oznamena; } pripady[] = {
        {"printed", true, false, 1, {platform::PrintOp::EndDoc}, false},
        {"cancelled: nothing happens", false, false, 0, {}, false},
        {"failed part-way: the document is dropped and the pupil told", true, true, 1, {platform::PrintOp::KillDoc},
         true},
    };
    Otvor(4);
    Klik(s->ICislo(1));
    for (const Pripad &c : pripady) {
        Cvicenie::nacitani = 0;
        Cvicenie::zlyhaj = c.zlyhaj;
        const qsizetype pred = p.tlaciaren.Ops().size();
        const qsizetype okien = p.box.AskedBoxes().size();
        Odpovedz_dialogu(c.prijmi);
        Klik(s->picTiskni);
        EXPECT_EQ(Cvicenie::nacitani, c.nacitani) << c.nazov;
        EXPECT_TRUE(!c.nacitani || (Cvicenie::tisk && Cvicenie::kopie == 3)) << c.nazov << ": a sheet per copy";
        QList<platform::PrintOp::Kind> koniec;
        for (qsizetype i = pred; i < p.tlaciaren.Ops().size(); ++i)
            koniec.append(p.tlaciaren.Ops()[i].kind);
        EXPECT_EQ(koniec, c.koniec) << c.nazov;
        EXPECT_EQ(p.box.AskedBoxes().size() - okien, c.chyba_oznamena ? 1 : 0) << c.nazov;
        EXPECT_EQ(cvicenie.existing(), nullptr) << c.nazov << ": the exercise screen is unloaded";
        EXPECT_FALSE(Misc::Tisk) << c.nazov;
        EXPECT_EQ(Vpredu(), s) << c.nazov << ": the setup screen stays";
    }
    EXPECT_EQ(p.tlaciaren.PaperSize(), platform::PaperA4);
}

} // namespace
