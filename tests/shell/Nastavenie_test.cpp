// The setup screen: the name, the revealed buttons, the variant's help page
// before the exercise, and print.
#include "Program.h"

#include "platform/PrinterDevice.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
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
        platform::services().printer().Print(QStringLiteral("Pracovný list"));
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

TEST_F(Nastavenie, TheNameIsCleanedContinueRisesOnceAndLeadsThroughTheVariantsHelpPage)
{
    Otvor(21);
    const struct { const char *nazov; QString vlozene, meno; } pripady[] = {
        {"leading blanks vanish, blanks inside stay", "  Ľubo š", "Ľubo š"},
        {"pasted line break", "Ján\r\nKováč", "Ján Kováč"},
        {"field separator", " A|B", "A/B"},
        {"control character", "Ev\x01" "a", "Eva"},
        {"outside Windows-1250", "Zoë 漢😀", "Zoë ??"},
    };
    for (const auto &c : pripady) {
        s->TJmeno->Text = QString();
        QApplication::clipboard()->setText(c.vlozene);
        QTest::keyClick(s->TJmeno->editor(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(QString(s->TJmeno->Text), c.meno) << c.nazov;
    }
    s->TJmeno->SelStart = 3;
    Napis(s->TJmeno, "漢x");
    EXPECT_EQ(QString(s->TJmeno->Text), "Zoë?x ??") << "typing goes on where it was";

    // Continue rises for a name, a count and a variant, once; a rise that a
    // letter starts takes no click either.
    Klik(s->ICislo(2));
    Klik(s->ICisloUloha(2));
    const int vysunutia = Vysunutia();
    s->TJmeno->Text = "   ";
    EXPECT_FALSE(s->picPokracuj->Visible) << "a name of blanks is no name";
    Stlac_neskor(s->IKonec);
    Napis(s->TJmeno, "E");
    ASSERT_EQ(Vpredu(), s);
    EXPECT_TRUE(s->picPokracuj->Visible && Vysunutia() > vysunutia);
    const int znova = Vysunutia();
    Napis(s->TJmeno, "va");
    EXPECT_EQ(Vysunutia(), znova);

    // With help ticked, the variant's help page comes before the exercise.
    Klik(s->INapoveda);
    Klik(s->picPokracuj);
    auto *intro = Formulare::frm_Intro.existing();
    ASSERT_EQ(Vpredu(), intro);
    EXPECT_TRUE(Rovnaky_obrazok(intro->Picture, "Bitmap/Help/21b.bmp"));
    EXPECT_EQ(Cvicenie::nacitani, 0);
    Klik(intro, {200, 200});
    EXPECT_EQ(Misc::Aktualni_formular, cvicenie.get());
    EXPECT_FALSE(Formulare::frm_Intro.existing() || Cvicenie::tisk);
}

// Answers the printer dialog once it is open: three copies, to a PDF file.
void Odpovedz_dialogu(bool prijmi, const QString &subor)
{
    QTimer::singleShot(0, [prijmi, subor] {
        auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr) << "the printer dialog is open";
        EXPECT_EQ(d->windowTitle(), Misc::Texty[30]);
        if (auto *kopie = d->findChild<QSpinBox *>(QStringLiteral("copies")))
            kopie->setValue(3);
        auto *tlaciarne = d->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *nazov = d->findChild<QLineEdit *>(QStringLiteral("filename"));
        ASSERT_TRUE(tlaciarne && nazov);
        tlaciarne->setCurrentIndex(tlaciarne->count() - 1);
        nazov->setText(subor);
        prijmi ? d->accept() : d->reject();
    });
}

TEST_F(Nastavenie, PrintWritesTheChosenFileOrSaysWhyNot)
{
    // Files relative to a home folder of its own, which holds a plain file.
    QTemporaryDir domov;
    const QByteArray stary_domov = qgetenv("HOME");
    QFile(domov.filePath("subor")).open(QIODevice::WriteOnly);
    platform::PrinterDevice zariadenie(false);
    platform::ScopedService<platform::Printer> g(zariadenie);
    struct Pripad { const char *nazov, *domov, *subor; bool prijmi, zlyhaj; const char *vysledok; } pripady[] = {
        {"the file named in the dialog is written, and the teacher told where", "", "list.pdf", true, false,
         "list.pdf"},
        {"no name, only a folder: a new file in the documents folder", "", "", true, false,
         "Documents/pracovny_list.pdf"},
        {"and the next one beside it", "", "", true, false, "Documents/pracovny_list_2.pdf"},
        {"cancelled: nothing happens", "", "zrusene.pdf", false, false, nullptr},
        {"failed part-way: the file dropped, the teacher told", "", "zlyhane.pdf", true, true, nullptr},
        {"a folder that is missing", "", "chyba/list.pdf", true, false, nullptr},
        {"no documents folder nor home can be made", "subor/domov", "", true, false, nullptr},
    };
    Otvor(4);
    Klik(s->ICislo(1));
    ASSERT_TRUE(s->picTiskni->Visible) << "print needs no name";
    for (const Pripad &c : pripady) {
        const QString home = domov.filePath(c.domov);
        qputenv("HOME", home.toUtf8());
        Cvicenie::nacitani = 0;
        Cvicenie::zlyhaj = c.zlyhaj;
        const qsizetype okien = p.box.AskedBoxes().size();
        const QString subor = *c.subor ? QDir(home).filePath(c.subor) : home + '/';
        const QString zapisany = c.vysledok ? QDir(home).filePath(c.vysledok) : subor;
        Odpovedz_dialogu(c.prijmi, subor);
        Klik(s->picTiskni);
        EXPECT_EQ(Cvicenie::nacitani, c.prijmi ? 1 : 0) << c.nazov;
        EXPECT_TRUE(!c.prijmi || (Cvicenie::tisk && Cvicenie::kopie == 3)) << c.nazov << ": a sheet per copy";
        EXPECT_EQ(QFileInfo(zapisany).isFile(), c.vysledok != nullptr) << c.nazov;
        const auto okna = p.box.AskedBoxes().mid(okien);
        ASSERT_EQ(okna.size(), c.prijmi ? 1 : 0) << c.nazov;
        EXPECT_TRUE(!c.prijmi
                    || (c.vysledok ? okna[0].text.contains(zapisany) && !(okna[0].style & platform::MessageStyle::Critical)
                                   : okna[0].title == "Chyba" && okna[0].text.startsWith("Pracovný list sa nepodarilo vytlačiť.")))
            << c.nazov << ": " << okna[0].text.toStdString();
        EXPECT_EQ(cvicenie.existing(), nullptr) << c.nazov << ": the exercise screen is unloaded";
        EXPECT_FALSE(Misc::Tisk) << c.nazov;
        EXPECT_EQ(Vpredu(), s) << c.nazov << ": the setup screen stays";
    }
    qputenv("HOME", stary_domov);
}

} // namespace
