// The setup screen: the name, the revealed buttons, the variant's help page
// before the exercise, and print.
#include "Program.h"

#include "platform/PrinterDevice.h"
#include "platform/Runtime.h"

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
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

// Answers the printer dialog once it is open: its PDF file (null: the file
// it offers), three copies, then print or cancel as a teacher would. A
// dialog still open after print is cancelled; a question on the way is
// answered yes, its buttons' texts kept in otazka (a warning: its text).
void Odpovedz_dialogu(bool prijmi, const QString &subor, QStringList &otazka)
{
    QTimer::singleShot(0, [prijmi, subor, &otazka] {
        auto *d = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr) << "the printer dialog is open";
        EXPECT_EQ(d->windowTitle(), Misc::Texty[30]);
        auto *tlaciarne = d->findChild<QComboBox *>(QStringLiteral("printers"));
        auto *nazov = d->findChild<QLineEdit *>(QStringLiteral("filename"));
        auto *tlacidla = d->findChild<QDialogButtonBox *>();
        ASSERT_TRUE(tlaciarne && nazov && tlacidla);
        EXPECT_EQ(tlaciarne->count(), 1) << "no machine's printer in the test's dialog";
        tlaciarne->setCurrentIndex(tlaciarne->count() - 1);
        if (auto *kopie = d->findChild<QSpinBox *>(QStringLiteral("copies")))
            kopie->setValue(3);
        EXPECT_EQ(tlacidla->button(QDialogButtonBox::Cancel)->text(), "Zrušiť");
        if (!subor.isNull())
            nazov->setText(subor);
        if (!prijmi)
            return d->reject();
        QTimer::singleShot(0, [&otazka] {
            auto *q = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!q)
                return;
            auto *ano = q->button(QMessageBox::Yes), *nie = q->button(QMessageBox::No);
            if (!ano || !nie) {
                otazka = {q->text()};
                return q->reject();
            }
            otazka = {ano->text(), nie->text()};
            ano->click();
        });
        tlacidla->button(QDialogButtonBox::Ok)->click();
        if (d->isVisible())
            d->reject();
    });
}

TEST_F(Nastavenie, PrintWritesTheChosenFileOrSaysWhyNot)
{
    platform::InstallTranslations();
    // Files relative to a home folder of its own, which holds a plain file.
    QTemporaryDir domov;
    const QByteArray stary_domov = qgetenv("HOME");
    QFile(domov.filePath("subor")).open(QIODevice::WriteOnly);
    platform::PrinterDevice zariadenie(false);
    struct Pripad {
        const char *nazov, *domov, *subor; // subor nullptr: the file the dialog offers
        bool prijmi, zlyhaj;
        const char *odmietne; // the reason a printer that refuses the job gives
        bool po_odoslani;
        const char *vysledok, *hlasenie; // the file written; the start of the message
    } pripady[] = {
        {"the file named in the dialog is written, and the teacher told where", "", "list.pdf", true, false,
         nullptr, false, "list.pdf", "Pracovný list je uložený"},
        {"an existing file: asked in Slovak, then written over", "", "list.pdf", true, false, nullptr, false,
         "list.pdf", "Pracovný list je uložený"},
        {"the dialog offers a new file in the documents folder, made for it", "", nullptr, true, false, nullptr,
         false, "Documents/pracovny_list.pdf", "Pracovný list je uložený"},
        {"and next time the one beside it", "", nullptr, true, false, nullptr, false,
         "Documents/pracovny_list_2.pdf", "Pracovný list je uložený"},
        {"a missing folder typed in the dialog is made", "", "nova/list.pdf", true, false, nullptr, false,
         "nova/list.pdf", "Pracovný list je uložený"},
        {"cancelled: nothing happens", "", "zrusene.pdf", false, false, nullptr, false, nullptr, nullptr},
        {"failed part-way: the file dropped, the teacher told", "", "zlyhane.pdf", true, true, nullptr, false,
         nullptr, "Pracovný list sa nepodarilo vytlačiť.\n"},
        {"a printer that takes no jobs: said with why", "", "a.pdf", true, false,
         "Tlačiareň Kabinet neprijíma úlohy.", false, nullptr,
         "Pracovný list sa nepodarilo vytlačiť.\nTlačiareň Kabinet neprijíma úlohy."},
        {"a job the print system refused: said with why", "", "a.pdf", true, false,
         "Tlačový systém úlohu odmietol: Destination \"Kabinet\" is not accepting jobs.", true, nullptr,
         "Pracovný list sa nepodarilo vytlačiť.\nTlačový systém úlohu odmietol: Destination"},
        {"no home to make the offered file's folder in: said, and the dialog stays", "subor/domov", nullptr,
         true, false, nullptr, false, nullptr, "Priečinok "},
    };
    Otvor(4);
    Klik(s->ICislo(1));
    ASSERT_TRUE(s->picTiskni->Visible) << "print needs no name";
    for (const Pripad &c : pripady) {
        const QString home = domov.filePath(c.domov);
        qputenv("HOME", home.toUtf8());
        platform::FakePrinter odmietajuca;
        odmietajuca.Refuse(c.odmietne, c.po_odoslani);
        platform::ScopedService<platform::Printer> g(c.odmietne ? static_cast<platform::Printer &>(odmietajuca)
                                                                : zariadenie);
        Cvicenie::nacitani = 0;
        Cvicenie::zlyhaj = c.zlyhaj;
        const qsizetype okien = p.box.AskedBoxes().size();
        const QString zapisany = c.vysledok ? QDir(home).filePath(c.vysledok) : QString();
        QStringList otazka;
        Odpovedz_dialogu(c.prijmi, c.subor ? QDir(home).filePath(c.subor) : QString(), otazka);
        Klik(s->picTiskni);
        const bool nacitane = c.prijmi && !QString(c.hlasenie).startsWith("Priečinok");
        EXPECT_EQ(Cvicenie::nacitani, nacitane ? 1 : 0) << c.nazov;
        EXPECT_TRUE(!nacitane || (Cvicenie::tisk && Cvicenie::kopie == 3)) << c.nazov << ": a sheet per copy";
        EXPECT_TRUE(!c.vysledok || QFileInfo(zapisany).isFile()) << c.nazov;
        const QStringList ano_nie{"Án&o", "&Nie"};
        EXPECT_EQ(otazka, &c == &pripady[1] ? ano_nie : QStringList()) << c.nazov;
        const auto okna = p.box.AskedBoxes().mid(okien);
        ASSERT_EQ(okna.size(), c.hlasenie ? 1 : 0) << c.nazov;
        EXPECT_TRUE(!c.hlasenie
                    || (okna[0].text.startsWith(c.hlasenie) && okna[0].text.contains(zapisany)
                        && bool(okna[0].style & platform::MessageStyle::Critical) == !c.vysledok))
            << c.nazov << ": " << okna[0].text.toStdString();
        EXPECT_EQ(cvicenie.existing(), nullptr) << c.nazov << ": the exercise screen is unloaded";
        EXPECT_FALSE(Misc::Tisk) << c.nazov;
        EXPECT_EQ(Vpredu(), s) << c.nazov << ": the setup screen stays";
    }
    EXPECT_FALSE(QFile::exists(domov.filePath("zlyhane.pdf")));
    qputenv("HOME", stary_domov);
}

} // namespace
