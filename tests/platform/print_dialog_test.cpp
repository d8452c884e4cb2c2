// The print dialog fed by a printer directory of the test's own: what it
// shows while the printers and their details come, late or never, and what
// the teacher's choice carries.
#include "platform/PrintDialog.h"
#include "platform/Services.h"
#include "support/Adresar_tlaciarni.h"
#include "support/Fixtures.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include <bit>
#include <functional>
#include <optional>
#include <pwd.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace platform;
using lktest::Adresar_tlaciarni;

namespace {

template <class W>
W *Prvok(QDialog &d, const char *meno)
{
    auto *w = d.findChild<W *>(QLatin1String(meno));
    EXPECT_NE(w, nullptr) << meno;
    return w;
}

QString Text(QDialog &d, const char *meno) { return Prvok<QLabel>(d, meno)->text(); }

void Tlac(QDialog &d) { d.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click(); }

// The teacher types the file's name over the one offered.
void Napis_nazov(QDialog &d, const char *meno)
{
    auto *nazov = Prvok<QLineEdit>(d, "fileName");
    nazov->selectAll();
    // QTest types ASCII alone; a Slovak letter comes as a key with its text.
    for (const QChar c : QString::fromUtf8(meno))
        if (c.unicode() < 128)
            QTest::keyClick(nazov, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, nazov, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// A home folder of the test's own (the file offered is made in it) and the
// printer directory and message boxes of the test.
struct Dialog_tlace : ::testing::Test {
    QTemporaryDir domov;
    const QByteArray stary_domov = qgetenv("HOME");
    Adresar_tlaciarni adresar;
    FakeMessageBox box;
    ScopedService<PrinterDirectory> g1{adresar};
    ScopedService<MessageBox> g2{box};
    Dialog_tlace() { qputenv("HOME", domov.path().toUtf8()); }
    ~Dialog_tlace() override { qputenv("HOME", stary_domov); }

    // The teacher's part, once the dialog is open; a dialog still open
    // after it is cancelled.
    static std::optional<PrintDialogChoice> Vyber(const std::function<void(QDialog &)> &ucitel)
    {
        QTimer::singleShot(0, [&] {
            auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr) << "the dialog is open";
            ucitel(*d);
            if (d->isVisible())
                d->reject();
        });
        return AskPrintChoice(QStringLiteral("Tlač pracovného listu"));
    }
};

TEST_F(Dialog_tlace, OpensAtOnceOnTheFileAndTakesThePrintersAsTheyCome)
{
    const QString hladaju = QStringLiteral("Hľadajú sa tlačiarne…");
    const QString nezname = QStringLiteral("Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.");
    const struct {
        const char *nazov;
        PrinterListing zoznam;
        int ms; // the answer this long after the dialog opened
        bool subor_skor; // the teacher chose the file before the answer
        bool na_tlaciaren; // the printer chosen then
        const char *poznamka; // what the dialog says of the printers then; nullptr: nothing
    } pripady[] = {
        {"the default printer chosen when it comes", {{"Kabinet", "Zborovna"}, "Zborovna", {}}, 300, false, true,
         nullptr},
        {"no default printer: said why the file stays chosen", {{"Kabinet", "Zborovna"}, {}, {}}, 0, false, false,
         "Tlačový systém nemá nastavenú predvolenú tlačiareň. Pracovný list sa preto uloží do súboru PDF, ak "
         "nevyberiete tlačiareň."},
        {"the file chosen before the printers came stays chosen", {{"Kabinet"}, "Kabinet", {}}, 300, true, false,
         nullptr},
        {"the default not told in time: said why the file is chosen", {{"Kabinet", "Zborovna"}, {}, nezname}, 300,
         false, false,
         "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená. Pracovný list sa preto uloží do súboru "
         "PDF, ak nevyberiete tlačiareň."},
        {"the default not told, the file the teacher's own choice: only that said",
         {{"Kabinet", "Zborovna"}, {}, nezname}, 300, true, false,
         "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená."},
        {"why there are no printers said, the file chosen",
         {{}, {}, "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas"}, 300, false, false,
         "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas. Pracovný list sa dá uložiť do súboru PDF."},
        {"a print system with no printer", {}, 0, false, false,
         "Tlačový systém nepozná žiadnu tlačiareň. Pracovný list sa dá uložiť do súboru PDF."},
        {"never answered: still awaited, print waits for it", {{"Kabinet"}, "Kabinet", {}}, Adresar_tlaciarni::Nikdy,
         false, false, "Hľadajú sa tlačiarne…"},
    };
    for (const auto &c : pripady) {
        adresar.zoznam = c.zoznam;
        adresar.zoznam_ms = c.ms;
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            if (c.ms != 0) {
                EXPECT_EQ(Text(d, "printersNote"), hladaju) << c.nazov;
                EXPECT_TRUE(Prvok<QLabel>(d, "printersNote")->isVisible()) << c.nazov;
                EXPECT_TRUE(Prvok<QRadioButton>(d, "toFile")->isChecked()) << c.nazov;
                EXPECT_FALSE(Prvok<QComboBox>(d, "printers")->isEnabled()) << c.nazov;
            }
            if (c.subor_skor)
                QTest::mouseClick(Prvok<QRadioButton>(d, "toFile"), Qt::LeftButton);
            if (c.ms == Adresar_tlaciarni::Nikdy)
                QTest::qWait(300);
            else
                EXPECT_TRUE(QTest::qWaitFor([&] { return Text(d, "printersNote") != hladaju; }, c.ms + 5000))
                    << c.nazov;
            auto *tlaciarne = Prvok<QComboBox>(d, "printers");
            QStringList ponuknute;
            for (int i = 0; i < tlaciarne->count(); ++i)
                ponuknute << tlaciarne->itemText(i);
            EXPECT_EQ(ponuknute, c.ms == Adresar_tlaciarni::Nikdy ? QStringList() : c.zoznam.printers) << c.nazov;
            EXPECT_EQ(Prvok<QRadioButton>(d, "toPrinter")->isEnabled(), !ponuknute.isEmpty()) << c.nazov;
            EXPECT_EQ(Prvok<QRadioButton>(d, "toPrinter")->isChecked(), c.na_tlaciaren) << c.nazov;
            const QLabel *poznamka = Prvok<QLabel>(d, "printersNote");
            EXPECT_EQ(poznamka->isVisible() ? poznamka->text() : QString(), QString::fromUtf8(c.poznamka))
                << c.nazov;
            Tlac(d);
        });
        if (c.ms == Adresar_tlaciarni::Nikdy) {
            EXPECT_FALSE(volba.has_value()) << c.nazov << ": a file nobody chose";
            continue;
        }
        ASSERT_TRUE(volba.has_value()) << c.nazov;
        EXPECT_EQ(volba->deviceName, c.na_tlaciaren ? c.zoznam.defaultPrinter : QString()) << c.nazov;
        EXPECT_EQ(volba->fileName.isEmpty(), c.na_tlaciaren) << c.nazov;
        EXPECT_TRUE(c.na_tlaciaren || volba->fileName.endsWith("/pracovny_list.pdf")) << c.nazov;
    }
    EXPECT_EQ(adresar.zoznamy, int(std::size(pripady))) << "the printers asked once a dialog";
    EXPECT_EQ(adresar.opytane, QStringList({"Zborovna", "Kabinet", "Kabinet", "Kabinet", "Kabinet"}))
        << "the details of the printer shown asked for, of no other";
    EXPECT_TRUE(box.AskedBoxes().isEmpty());
}

// Print pressed while the printers or the default one are still being
// asked, the teacher having chosen nothing, is taken when the search ends,
// the dialog answering meanwhile: the sheet goes to the default printer
// told; with none told, the dialog says why and stays, and a file is
// written only when print is pressed again. A file the teacher chose first
// is written at once.
TEST_F(Dialog_tlace, PrintPressedWhileThePrintersAreSearchedIsTakenWhenTheSearchEnds)
{
    const QString subor = QStringLiteral(" Pracovný list sa preto uloží do súboru PDF, ak nevyberiete tlačiareň.");
    const QString nezname = QStringLiteral("Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.");
    const QString vlastna = QStringLiteral("Tlačiareň Chyba, ktorú máte nastavenú ako predvolenú, tlačový systém "
                                           "nepozná. Predvolená tlačiareň tlačového systému je Zborovna.");
    const QString nie_su = QStringLiteral("Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas.");
    const QStringList obe{"Kabinet", "Zborovna"};
    const struct {
        const char *nazov;
        PrinterListing zoznam;
        int zoznam_ms;
        std::optional<int> predvolena_ms; // the default told apart, after the printers
        bool subor_skor;                  // the teacher chose the file before print
        const char *tlaciaren;            // printed on it at the first press; nullptr: a file
        QString poznamka;                 // the dialog stays, saying this
    } pripady[] = {
        {"the default told after the printers: printed on it", {obe, "Zborovna", {}}, 0, 1500, false, "Zborovna",
         {}},
        {"every answer late: printed on the default", {obe, "Zborovna", {}}, 600, {}, false, "Zborovna", {}},
        {"the default not told in time: said, the dialog stays", {obe, {}, nezname}, 0, 1500, false, nullptr,
         nezname + subor},
        {"no default printer: said, the dialog stays", {obe, {}, {}}, 0, 1500, false, nullptr,
         "Tlačový systém nemá nastavenú predvolenú tlačiareň." + subor},
        {"the printers not known: said, the dialog stays", {{}, {}, nie_su}, 600, {}, false, nullptr,
         nie_su + " Pracovný list sa dá uložiť do súboru PDF."},
        {"the teacher's own default not on the server: the server's offered, not taken",
         {obe, "Zborovna", vlastna, true, false}, 0, 1500, false, nullptr, vlastna + subor},
        {"the file chosen before print: written at once", {obe, "Zborovna", {}}, 0, 1500, true, nullptr, {}},
    };
    for (const auto &c : pripady) {
        adresar.zoznam = c.zoznam;
        adresar.zoznam_ms = c.zoznam_ms;
        adresar.predvolena_ms = c.predvolena_ms;
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            if (c.subor_skor)
                QTest::mouseClick(Prvok<QRadioButton>(d, "toFile"), Qt::LeftButton);
            Tlac(d);
            if (c.subor_skor)
                return;
            EXPECT_TRUE(d.isVisible()) << c.nazov << ": taken before the search ended";
            auto *tlaciarne = Prvok<QComboBox>(d, "printers");
            if (c.predvolena_ms) {
                // The printers shown as they come, none chosen for the default.
                EXPECT_TRUE(QTest::qWaitFor([&] { return tlaciarne->count() == 2; }, 5000)) << c.nazov;
                EXPECT_TRUE(d.isVisible() && tlaciarne->currentIndex() < 0
                            && Prvok<QRadioButton>(d, "toFile")->isChecked())
                    << c.nazov;
            }
            EXPECT_TRUE(QTest::qWaitFor([&] { return !d.isVisible() || Text(d, "printersNote") == c.poznamka; },
                                        5000))
                << c.nazov << ": " << Text(d, "printersNote").toStdString();
            if (c.poznamka.isEmpty())
                return;
            QTest::qWait(100);
            EXPECT_TRUE(d.isVisible() && Prvok<QRadioButton>(d, "toFile")->isChecked()) << c.nazov;
            EXPECT_EQ(tlaciarne->currentText(), c.zoznam.defaultPrinter.isEmpty() ? c.zoznam.printers.value(0)
                                                                                 : c.zoznam.defaultPrinter)
                << c.nazov << ": the printer offered";
            Tlac(d); // the dialog said why the file
        });
        ASSERT_TRUE(volba.has_value()) << c.nazov;
        EXPECT_EQ(volba->deviceName, QString::fromUtf8(c.tlaciaren)) << c.nazov;
        EXPECT_EQ(QFileInfo(volba->fileName).fileName(), c.tlaciaren ? "" : "pracovny_list.pdf") << c.nazov;
    }
    EXPECT_TRUE(box.AskedBoxes().isEmpty());
}

// The teacher's acts, in the ways each can be done, and last the printer
// directory's answers: the printers (the default awaited), then the end of
// the search, of a kind.
enum class Krok {
    Tlacidlo, Enter, Klavesy, Mys, Alt_T, Klik_tlaciaren, Alt_D, Klik_subor, Nazov, Vyber_subor, Vyber_zrus, Zoznam,
    Zrus, Tlaciarne, Koniec
};
const char *const Mena_krokov[] = {
    "Tlačiť clicked", "Enter", "a printer picked by keys", "a printer picked with the mouse", "Alt+T",
    "Tlačiareň clicked", "Alt+D", "Súbor PDF clicked", "a name typed", "the chooser opened, a file picked",
    "the chooser opened, cancelled", "the list opened and closed", "Zrušiť", "[the printers come]"};
const std::vector<std::vector<Krok>> Skutky = {
    {Krok::Tlacidlo, Krok::Enter}, {Krok::Klavesy, Krok::Mys}, {Krok::Alt_T, Krok::Klik_tlaciaren},
    {Krok::Alt_D, Krok::Klik_subor, Krok::Nazov}, {Krok::Vyber_subor, Krok::Vyber_zrus}, {Krok::Zoznam}, {Krok::Zrus}};
// The default told; not told by the bound; the teacher's own not on the
// server, the server's told; no printers at all.
enum class Koniec { Predvolena, Neoznamena, Cudzia, Zlyhal };
const char *const Mena_koncov[] = {"[the default told]", "[no default told by the bound]",
                                   "[the own default missing, the server's told]", "[the list failed]"};

// What the dialog shows and does, by the rule alone: a press is taken to
// what is shown when it is taken (the printer selected, or the file the
// teacher chose or the dialog said is all it can write); a press with no
// printer to take waits for the default; any choice after it, or the
// chooser or the list opened, ends the wait and asks for another press; a
// printer the teacher picked stays picked.
struct Model {
    bool tlaciarne = false, koniec = false, na_tlaciaren = false; // "Tlačiareň" checked
    QString vybrana;                                              // the printer selected
    bool ucitel_vybral = false, ucitel_tlaciaren = false;         // a destination, a printer
    bool subor_dovoleny = false; // the teacher chose the file, or was told it is all
    bool caka = false, znova = false;
    QString subor = "pracovny_list.pdf";
    std::optional<std::pair<QString, QString>> koniec_dialogu; // {printer, file}; empty: cancelled

    void Skonci_cakanie() { znova = std::exchange(caka, false) || znova; }
    void Urob(Krok k, Koniec ako)
    {
        if (koniec_dialogu)
            return;
        switch (k) {
        case Krok::Tlacidlo:
        case Krok::Enter:
            znova = false;
            if (na_tlaciaren ? !vybrana.isEmpty() : subor_dovoleny)
                koniec_dialogu = {na_tlaciaren ? vybrana : "", na_tlaciaren ? "" : subor};
            else
                caka = !koniec;
            break;
        case Krok::Klavesy:
        case Krok::Mys:
            if (tlaciarne)
                vybrana = vybrana == "Kabinet" ? "Sklad" : "Kabinet", ucitel_tlaciaren = true;
            [[fallthrough]];
        case Krok::Alt_T:
        case Krok::Klik_tlaciaren:
            if (tlaciarne)
                na_tlaciaren = ucitel_vybral = true, Skonci_cakanie();
            break;
        case Krok::Nazov:
        case Krok::Vyber_subor:
            subor = k == Krok::Nazov ? "Trieda.pdf" : "iny.pdf";
            [[fallthrough]];
        case Krok::Alt_D:
        case Krok::Klik_subor:
            Skonci_cakanie();
            na_tlaciaren = false, ucitel_vybral = subor_dovoleny = true;
            break;
        case Krok::Vyber_zrus:
        case Krok::Zoznam:
            break; // the wait ended as it opened
        case Krok::Zrus:
            koniec_dialogu = std::pair<QString, QString>();
            break;
        case Krok::Tlaciarne:
            tlaciarne = true;
            break;
        case Krok::Koniec:
            koniec = true, tlaciarne = ako != Koniec::Zlyhal;
            if (ako == Koniec::Predvolena) {
                vybrana = ucitel_tlaciaren ? vybrana : "Zborovna";
                na_tlaciaren = na_tlaciaren || !ucitel_vybral;
                if (std::exchange(caka, false))
                    koniec_dialogu = {vybrana, ""};
                break;
            }
            // One offered beside the file, none to a teacher who chose
            // "Tlačiareň"; the file said to be all that is sure.
            if (!ucitel_tlaciaren)
                vybrana = !tlaciarne || na_tlaciaren ? "" : ako == Koniec::Cudzia ? "Zborovna" : "Kabinet";
            subor_dovoleny = subor_dovoleny || !na_tlaciaren, caka = false;
            break;
        }
    }
};

struct Postup {
    Koniec ako;
    std::vector<Krok> kroky;
};

// However the search ends, its steps at every place among the acts: every
// act alone in each of its ways; every two acts, their ways taken in turn
// so that any two ways of two acts meet; and three acts, a press first, at
// one place each, the places taken in turn.
std::vector<Postup> Postupy()
{
    size_t sposob = 0, miesto = 0;
    const auto sposobom = [&](std::initializer_list<size_t> ktore) {
        std::vector<Krok> kroky;
        size_t n = sposob++;
        for (size_t s : ktore)
            kroky.push_back(Skutky[s][n % Skutky[s].size()]), n /= Skutky[s].size();
        return kroky;
    };
    std::vector<Postup> postupy;
    for (Koniec ako : {Koniec::Predvolena, Koniec::Neoznamena, Koniec::Cudzia, Koniec::Zlyhal}) {
        const std::vector<Krok> hladanie = ako == Koniec::Zlyhal ? std::vector{Krok::Koniec}
                                                                 : std::vector{Krok::Tlaciarne, Krok::Koniec};
        // A step is the search's where the place's bit is set.
        const auto miesta = [&](size_t n) {
            std::vector<unsigned> vsetky;
            for (unsigned maska = 0; maska < 1u << (n + hladanie.size()); ++maska)
                if (std::popcount(maska) == int(hladanie.size()))
                    vsetky.push_back(maska);
            return vsetky;
        };
        const auto pridaj = [&](unsigned maska, const std::vector<Krok> &ucitel) {
            Postup p{ako, {}};
            for (size_t i = 0, u = 0, h = 0; u < ucitel.size() || h < hladanie.size(); ++i)
                p.kroky.push_back(maska >> i & 1 ? hladanie[h++] : ucitel[u++]);
            postupy.push_back(p);
        };
        for (const auto &sposoby : Skutky)
            for (Krok a : sposoby)
                for (unsigned m : miesta(1))
                    pridaj(m, {a});
        for (size_t a = 0; a < Skutky.size(); ++a)
            for (size_t b = 0; b < Skutky.size(); ++b) {
                for (unsigned m : miesta(2))
                    pridaj(m, sposobom({a, b}));
                const std::vector<unsigned> troch = miesta(3);
                pridaj(troch[miesto++ % troch.size()], sposobom({0, a, b}));
            }
    }
    return postupy;
}

// Plays a sequence in the open dialog, the printer directory answering at
// its steps, checking what the dialog shows against the model after each
// step; says the first difference.
struct Hra {
    QDialog &d;
    Adresar_tlaciarni &adresar;
    const Postup &p;
    Model &m;
    std::function<void(const QString &)> chyba;
    size_t krok = 0; // the step under way

    void Hraj()
    {
        for (; krok < p.kroky.size() && d.isVisible(); ++krok) {
            // The keys go back to the dialog when the list closes, as on a
            // desktop; the offscreen one gives them to the list late.
            QCoreApplication::processEvents();
            d.activateWindow();
            if (!QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == d.windowHandle(); }))
                return chyba("the dialog never got the keys");
            const Krok k = p.kroky[krok];
            Urob(k); // the search's steps held under it come meanwhile
            m.Urob(k, p.ako);
            if (!Zhoduje())
                return;
        }
    }
    void Urob(Krok k)
    {
        auto *tlaciaren = Prvok<QRadioButton>(d, "toPrinter");
        auto *zoznam = Prvok<QComboBox>(d, "printers");
        auto *tlacidla = d.findChild<QDialogButtonBox *>();
        QWidget *klavesy = nullptr; // the one with the keys
        switch (k) {
        case Krok::Tlacidlo:
            return QTest::mouseClick(tlacidla->button(QDialogButtonBox::Ok), Qt::LeftButton);
        case Krok::Enter:
            return QTest::keyClick(klavesy, Qt::Key_Return);
        case Krok::Klavesy:
            zoznam->setFocus(Qt::TabFocusReason);
            return QTest::keyClick(zoznam, zoznam->currentText() == "Kabinet" ? Qt::Key_Down : Qt::Key_Home);
        case Krok::Mys:
        case Krok::Zoznam: {
            // Pressed at its edge: held open while the search goes on and
            // closed by Escape, or a printer picked by dragging to it.
            const QPoint okraj(4, zoznam->height() / 2);
            const int ina = zoznam->findText(zoznam->currentText() == "Kabinet" ? "Sklad" : "Kabinet");
            QTest::mousePress(zoznam, Qt::LeftButton, {}, okraj);
            QAbstractItemView *riadky = zoznam->view();
            if (!riadky->isVisible())
                return QTest::mouseRelease(zoznam, Qt::LeftButton, {}, okraj);
            m.Skonci_cakanie();
            const QPoint na = riadky->visualRect(riadky->model()->index(ina, 0)).center();
            if (k == Krok::Mys) {
                QTest::mouseMove(riadky->viewport(), na);
                QTest::mouseRelease(riadky->viewport(), Qt::LeftButton, {}, na);
            } else {
                QTest::mouseRelease(zoznam, Qt::LeftButton, {}, okraj);
                if (Drz([&] { return riadky->isVisible(); }))
                    QTest::keyClick(klavesy, Qt::Key_Escape);
            }
            if (!QTest::qWaitFor([&] { return !riadky->isVisible(); }))
                chyba("the list stayed open");
            return;
        }
        case Krok::Alt_T:
            QTest::keyClick(klavesy, Qt::Key_T, Qt::AltModifier);
            // The radio button's shortcut clicks it a moment later.
            (void)QTest::qWaitFor([&] { return !tlaciaren->isDown(); });
            return;
        case Krok::Klik_tlaciaren:
            return QTest::mouseClick(tlaciaren, Qt::LeftButton);
        case Krok::Alt_D:
            return QTest::keyClick(klavesy, Qt::Key_D, Qt::AltModifier);
        case Krok::Klik_subor:
            return QTest::mouseClick(Prvok<QRadioButton>(d, "toFile"), Qt::LeftButton);
        case Krok::Nazov:
            QTest::mouseClick(Prvok<QLineEdit>(d, "fileName"), Qt::LeftButton);
            return Napis_nazov(d, "Trieda");
        case Krok::Vyber_subor:
        case Krok::Vyber_zrus:
            m.Skonci_cakanie();
            QTimer::singleShot(0, [this, k] {
                auto *vyber = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!vyber)
                    return chyba("no file chooser");
                Drz([&] { return vyber->isVisible(); });
                if (k == Krok::Vyber_zrus)
                    return QTest::keyClick(vyber, Qt::Key_Escape);
                vyber->selectFile(QStringLiteral("iny"));
                QMetaObject::invokeMethod(vyber, "accept");
            });
            return QTest::mouseClick(Prvok<QPushButton>(d, "chooseFile"), Qt::LeftButton);
        case Krok::Zrus:
            return QTest::mouseClick(tlacidla->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        case Krok::Tlaciarne:
        case Krok::Koniec:
            adresar.Povedz();
            return;
        }
    }
    // The search's steps that come while the chooser or the list is open
    // over the dialog, which stays under it; whether it is still open.
    bool Drz(const std::function<bool()> &otvorene)
    {
        while (krok + 1 < p.kroky.size() && p.kroky[krok + 1] >= Krok::Tlaciarne) {
            adresar.Povedz();
            m.Urob(p.kroky[++krok], p.ako);
            if (!d.isVisible() || !otvorene()) {
                chyba(d.isVisible() ? "what was open closed" : "the dialog closed under it");
                break;
            }
            if (!Zhoduje())
                break;
        }
        return otvorene();
    }
    bool Zhoduje()
    {
        if (d.isVisible() == m.koniec_dialogu.has_value()) {
            chyba(d.isVisible() ? "the dialog stayed" : "the dialog closed");
            return false;
        }
        if (!d.isVisible())
            return true;
        auto *poznamka = Prvok<QLabel>(d, "printersNote");
        const QString povedane = poznamka->isVisible() ? poznamka->text() : QString();
        const QString vybrana = Prvok<QComboBox>(d, "printers")->currentText();
        QString co;
        if (Prvok<QRadioButton>(d, "toPrinter")->isChecked() != m.na_tlaciaren)
            co = m.na_tlaciaren ? "Súbor PDF checked" : "Tlačiareň checked";
        else if (vybrana != m.vybrana)
            co = "the printer shown is " + vybrana + ", not " + m.vybrana;
        else if (m.caka ? povedane != "Pracovný list sa vytlačí na predvolenej tlačiarni, hneď ako ju tlačový systém "
                                     "oznámi."
                        : povedane.contains("Stlačte „Tlačiť“ znova.") != m.znova)
            co = "the note says: " + povedane;
        if (!co.isEmpty())
            chyba(co);
        return co.isEmpty();
    }
};

// Short sequences of the teacher's acts at each moment of the search (see
// Postupy), each in a dialog of its own, checked against the model after
// each step (what the dialog shows, the note on a press waiting or dropped,
// a chooser or list it never closes under) and at its end (the one choice).
TEST_F(Dialog_tlace, ShortSequencesOfTheTeachersActsEndAsTheRuleSays)
{
    const QStringList tlaciarne{"Kabinet", "Sklad", "Zborovna"};
    const PrinterListing na_konci[] = {
        {tlaciarne, "Zborovna", {}},
        {tlaciarne, {}, "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená."},
        {tlaciarne, "Zborovna",
         "Tlačiareň Chyba, ktorú máte nastavenú ako predvolenú, tlačový systém nepozná. Predvolená tlačiareň "
         "tlačového systému je Zborovna.",
         true},
        {{}, {}, "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas"},
    };
    adresar.zoznam_ms = Adresar_tlaciarni::Na_pokyn;
    const std::vector<Postup> postupy = Postupy();
    QStringList chyby;
    for (const Postup &p : postupy) {
        adresar.zoznam = na_konci[int(p.ako)];
        adresar.predvolena_ms = p.ako == Koniec::Zlyhal ? std::nullopt : std::optional(Adresar_tlaciarni::Na_pokyn);
        QStringList mena;
        for (Krok k : p.kroky)
            mena << (k == Krok::Koniec ? Mena_koncov[int(p.ako)] : Mena_krokov[int(k)]);
        Model m;
        size_t krok = p.kroky.size();
        bool zle = false; // the first difference alone: the rest follow from it
        const auto chyba = [&](const QString &co) {
            if (!std::exchange(zle, true))
                chyby << mena.join(", ") + "; after " + mena.value(qsizetype(krok), "the last") + ": " + co;
        };
        int konce = 0;
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            QObject::connect(&d, &QDialog::finished, [&] { ++konce; });
            Hra hra{d, adresar, p, m, [&](const QString &co) { krok = hra.krok, chyba(co); }};
            hra.Hraj();
        });
        while (adresar.Povedz()) {
        }
        krok = p.kroky.size();
        const auto dal = volba ? std::pair(volba->deviceName, QFileInfo(volba->fileName).fileName())
                               : std::pair<QString, QString>();
        if (dal != m.koniec_dialogu.value_or(std::pair<QString, QString>()))
            chyba("the dialog gave {" + dal.first + ", " + dal.second + "}");
        if (konce != 1)
            chyba(QString("the dialog ended %1 times").arg(konce));
    }
    EXPECT_TRUE(chyby.isEmpty()) << chyby.size() << " of " << postupy.size() << " sequences went astray, among them:\n"
                                 << chyby.mid(0, 40).join("\n").toStdString();
    EXPECT_TRUE(box.AskedBoxes().isEmpty());
}

// A printer's details come as they are told: awaited, then its place,
// model and state, or why they cannot be had, said once in the dialog, a
// late answer for a printer no longer chosen kept for when it is again;
// each printer is asked for once, however often it is chosen meanwhile.
TEST_F(Dialog_tlace, APrintersDetailsComeAsTheyAreToldAndARefusalIsSaidOnce)
{
    adresar.zoznam = {{"Kabinet", "Zborovna", "Sklad"}, "Kabinet", {}};
    adresar.podrobnosti = {
        {"Kabinet", {"Kabinet", "2. poschodie", "Laserová A4", "Pripravená.", true, {}}},
        {"Zborovna",
         {"Zborovna", {}, {}, {}, true, "Údaje o tlačiarni Zborovna sa nedajú zistiť. Vyžaduje sa prihlásenie."}},
        // What the print server said of it and what the dialog says of a
        // printer that takes no jobs, said once.
        {"Sklad", {"Sklad", {}, {}, "zastavená. Tlačiareň neprijíma úlohy.", false, {}}},
    };
    adresar.podrobnosti_ms = 200;
    Vyber([&](QDialog &d) {
        auto *tlaciarne = Prvok<QComboBox>(d, "printers");
        ASSERT_TRUE(QTest::qWaitFor([&] { return tlaciarne->count() == 3; }));
        const auto ukazane = [&] {
            return QStringList{Text(d, "location"), Text(d, "model"), Text(d, "state")};
        };
        const auto vyber = [&](const char *tlaciaren) {
            tlaciarne->setCurrentIndex(tlaciarne->findText(QString::fromUtf8(tlaciaren)));
        };
        const QStringList zistuje{{}, {}, "Zisťuje sa…"};
        EXPECT_EQ(ukazane(), zistuje);
        EXPECT_TRUE(QTest::qWaitFor([&] { return ukazane() != zistuje; }, 5000));
        EXPECT_EQ(ukazane(), QStringList({"2. poschodie", "Laserová A4", "Pripravená."}));
        vyber("Zborovna");
        EXPECT_EQ(ukazane(), zistuje);
        QTest::qWait(100);
        vyber("Kabinet"); // known: shown at once
        EXPECT_EQ(ukazane(), QStringList({"2. poschodie", "Laserová A4", "Pripravená."}));
        vyber("Zborovna"); // its answer still on its way
        emit tlaciarne->activated(tlaciarne->currentIndex()); // chosen again, the same
        EXPECT_EQ(ukazane(), zistuje);
        vyber("Sklad"); // Zborovna's answer comes while Sklad's is awaited
        QTest::qWait(150);
        EXPECT_EQ(ukazane(), zistuje) << "another printer's answer shown for Sklad";
        EXPECT_TRUE(QTest::qWaitFor([&] { return ukazane() != zistuje; }, 5000));
        EXPECT_EQ(ukazane(), QStringList({{}, {}, "Zastavená. Tlačiareň neprijíma úlohy."}));
        vyber("Zborovna");
        EXPECT_EQ(ukazane(), QStringList({{}, {}, "Údaje o tlačiarni Zborovna sa nedajú zistiť. Vyžaduje sa prihlásenie."}));
        vyber("Kabinet");
        vyber("Zborovna");
        QTest::qWait(300);
        EXPECT_EQ(Text(d, "state"), "Údaje o tlačiarni Zborovna sa nedajú zistiť. Vyžaduje sa prihlásenie.");
    });
    EXPECT_EQ(adresar.opytane, QStringList({"Kabinet", "Zborovna", "Sklad"})) << "each printer asked once";
    EXPECT_TRUE(box.AskedBoxes().isEmpty()) << "said in the dialog, and nowhere else";
}

// The printer chosen goes with the copies and the pages; the pages stay a
// range whichever end is moved past the other.
TEST_F(Dialog_tlace, TheChoiceCarriesThePrinterTheCopiesAndThePages)
{
    adresar.zoznam = {{"Kabinet", "Zborovna"}, "Kabinet", {}};
    const struct {
        const char *nazov;
        std::function<void(QSpinBox *od, QSpinBox *po, QRadioButton *vsetky)> strany;
        int od, po;
    } pripady[] = {
        {"every page", [](QSpinBox *, QSpinBox *, QRadioButton *) {}, 0, 0},
        {"pages 2 to 3", [](QSpinBox *od, QSpinBox *po, QRadioButton *) { po->setValue(3), od->setValue(2); }, 2, 3},
        {"from moved past to: to follows", [](QSpinBox *od, QSpinBox *po, QRadioButton *) { po->setValue(2), od->setValue(4); },
         4, 4},
        {"to moved below from: from follows", [](QSpinBox *od, QSpinBox *po, QRadioButton *) { od->setValue(3), po->setValue(2); },
         2, 2},
        {"every page again after a range", [](QSpinBox *od, QSpinBox *, QRadioButton *vsetky) { od->setValue(2), vsetky->click(); },
         0, 0},
    };
    for (const auto &c : pripady) {
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            auto *tlaciarne = Prvok<QComboBox>(d, "printers");
            ASSERT_TRUE(QTest::qWaitFor([&] { return tlaciarne->count() == 2; }));
            tlaciarne->setCurrentIndex(1);
            Prvok<QSpinBox>(d, "copies")->setValue(3);
            c.strany(Prvok<QSpinBox>(d, "fromPage"), Prvok<QSpinBox>(d, "toPage"), Prvok<QRadioButton>(d, "allPages"));
            Tlac(d);
        });
        ASSERT_TRUE(volba.has_value()) << c.nazov;
        EXPECT_EQ(std::tuple(volba->deviceName, volba->fileName, volba->copies, volba->fromPage, volba->toPage),
                  std::tuple(QString("Zborovna"), QString(), 3, c.od, c.po))
            << c.nazov;
    }
    EXPECT_FALSE(Vyber([](QDialog &d) { d.reject(); }).has_value()) << "cancelled";
}

// Alt+D, with a printer chosen, chooses the PDF file and the keys typed
// next go to its name, as after a click in it; the name typed is where the
// sheet goes.
TEST_F(Dialog_tlace, AltDChoosesTheFileAndTheKeysTypedNextNameIt)
{
    adresar.zoznam = {{"Kabinet"}, "Kabinet", {}};
    const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return Prvok<QRadioButton>(d, "toPrinter")->isChecked(); }));
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        QTest::keyClick(&d, Qt::Key_D, Qt::AltModifier);
        EXPECT_TRUE(QTest::qWaitFor([&] { return Prvok<QRadioButton>(d, "toFile")->isChecked(); }));
        QTest::keyClicks(nullptr, QStringLiteral("Trieda")); // to whatever has the keys
        EXPECT_EQ(Prvok<QLineEdit>(d, "fileName")->text(), "Trieda");
        Tlac(d);
    });
    ASSERT_TRUE(volba.has_value());
    EXPECT_EQ(volba->deviceName, QString());
    EXPECT_EQ(volba->fileName, QDir(domov.path()).filePath("Trieda.pdf"));
}

// A name that names no file (a folder not there yet, its dot, the extension
// alone), a hidden one (starting with a dot) or one longer than the file
// system takes, or with a folder's name longer, however many folders are
// not there yet, is said so while the dialog stays, and nothing is made:
// no folder, no hidden file.
TEST_F(Dialog_tlace, ANameWithNoFileInItIsSaidAndNothingIsMade)
{
    const QString nie_je = QStringLiteral("%1 nie je názov súboru.\nNapíšte aj názov súboru.");
    const QString skryty =
        QStringLiteral("%1 by bol skrytý súbor, lebo jeho názov začína bodkou.\nNapíšte názov súboru bez bodky na "
                       "začiatku.");
    const QString dlhy = QStringLiteral("Názov súboru %1 je dlhší, než aký súborový systém dovoľuje.\nNapíšte kratší "
                                        "názov.");
    const QString dlhy_priecinok = QStringLiteral("Názov priečinka %1 je dlhší, než aký súborový systém "
                                                  "dovoľuje.\nNapíšte kratší názov.");
    // One byte past what the file system takes, ".pdf" typed or added.
    const std::string dlhy_nazov = std::string(252, 'x') + ".pdf", dlhe_ascii = "nova/" + dlhy_nazov,
                      dlhe_bez_pdf = std::string(253, 'x'), dlhe_slovenske = [] {
                          std::string s;
                          for (int i = 0; i < 126; ++i)
                              s += "č";
                          return s + ".pdf";
                      }();
    const std::string v_dvoch = "nova/pod/" + dlhy_nazov, v_troch = "nova/pod/dalsia/" + dlhe_bez_pdf,
                      dlhy_pod_novou = "nova/" + std::string(256, 'y'), dlhy_prvy = std::string(256, 'z'),
                      v_dlhom = dlhy_pod_novou + "/list", pod_dlhym = dlhy_prvy + "/pod/" + dlhy_nazov;
    const struct {
        const char *meno;
        const QString &sprava;
        const char *nazvane = nullptr; // what the message names, where not the name typed
    } mena[] = {{"nova/", nie_je},
                {"nova/.", nie_je},
                {"nova/..", nie_je},
                {".pdf", nie_je},
                {"nova/.PDF", nie_je},
                {".x", skryty},
                {"nova/.pdf.pdf", skryty},
                {"~/.x", skryty},
                {dlhe_ascii.c_str(), dlhy},
                {dlhe_bez_pdf.c_str(), dlhy},
                {dlhe_slovenske.c_str(), dlhy},
                {v_dvoch.c_str(), dlhy},
                {v_troch.c_str(), dlhy},
                {v_dlhom.c_str(), dlhy_priecinok, dlhy_pod_novou.c_str()},
                {pod_dlhym.c_str(), dlhy_priecinok, dlhy_prvy.c_str()}};
    for (const auto [meno, sprava, nazvane] : mena) {
        Vyber([&](QDialog &d) {
            Napis_nazov(d, meno);
            Tlac(d);
            EXPECT_TRUE(d.isVisible()) << meno << ": the dialog stays";
        });
        QString napisane = QString::fromUtf8(nazvane ? nazvane : meno).remove(QRegularExpression("^~/"));
        if (&sprava == &dlhy && !napisane.endsWith(".pdf"))
            napisane += ".pdf";
        const QString cesta = QDir::toNativeSeparators(QDir(domov.path()).filePath(napisane));
        const auto okna = box.AskedBoxes();
        ASSERT_FALSE(okna.isEmpty()) << meno << ": nothing said";
        EXPECT_EQ(okna.back().text, sprava.arg(cesta)) << meno;
        const QStringList urobene = QDir(domov.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        EXPECT_TRUE(urobene.isEmpty()) << meno << ": made " << urobene.join(", ").toStdString();
        // Each name from the same home.
        for (const QString &urobeny : urobene)
            QDir(QDir(domov.path()).filePath(urobeny)).removeRecursively();
    }
    EXPECT_EQ(box.AskedBoxes().size(), qsizetype(std::size(mena)));
}

// "~/" at the start of a name is the home folder and "~user/" that user's,
// as in the file chooser; "~" alone is the home folder itself, a user the
// system does not know is said, and elsewhere "~" is a name like any other.
// No folder named "~..." is made in the home folder. A name or a folder's
// name as long as the file system takes goes under folders not there yet.
TEST_F(Dialog_tlace, ANameStartingWithTildeSlashIsInTheHomeFolder)
{
    const passwd *ja = getpwuid(geteuid());
    ASSERT_NE(ja, nullptr);
    const QString u_mna = QDir(domov.path()).filePath("%1"), u_ma = QString::fromLocal8Bit(ja->pw_dir) + "/%1",
                  nikto = QStringLiteral("nikto-taky-nie-je");
    const QString najdlhsi = QString(251, 'x') + ".pdf", najdlhsi_priecinok = QString(255, 'y');
    const struct {
        QString meno, subor, sprava{}; // the file chosen, or what is said instead
    } mena[] = {
        {"~/list", u_mna.arg("list.pdf")},
        {"~/trieda/list.pdf", u_mna.arg("trieda/list.pdf")},
        {"~list", u_mna.arg("~list.pdf")},
        {"t/~/list", u_mna.arg("t/~/list.pdf")},
        {"~/nova/pod/" + najdlhsi, u_mna.arg("nova/pod/" + najdlhsi)},
        {"~/nova/" + najdlhsi_priecinok + "/list", u_mna.arg("nova/" + najdlhsi_priecinok + "/list.pdf")},
        {"~" + QString::fromLocal8Bit(ja->pw_name) + "/list-z-dialogu", u_ma.arg("list-z-dialogu.pdf")},
        {"~", {},
         QStringLiteral("%1 je priečinok.\nNapíšte aj názov súboru.").arg(QDir::toNativeSeparators(domov.path()))},
        {"~" + nikto + "/list", {},
         QStringLiteral("Používateľ %1 neexistuje, preto ~%1/ neoznačuje žiadny domovský priečinok.\nNapíšte iný názov "
                        "súboru.")
             .arg(nikto)},
    };
    qsizetype povedane = 0;
    for (const auto &[meno, subor, sprava] : mena) {
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            Napis_nazov(d, meno.toUtf8().constData());
            Tlac(d);
        });
        if (sprava.isEmpty()) {
            ASSERT_TRUE(volba.has_value()) << meno.toStdString();
            EXPECT_EQ(volba->fileName, subor) << meno.toStdString();
        } else {
            EXPECT_FALSE(volba.has_value()) << meno.toStdString();
            ASSERT_EQ(box.AskedBoxes().size(), ++povedane) << meno.toStdString();
            EXPECT_EQ(box.AskedBoxes().back().text, sprava);
        }
        EXPECT_EQ(QDir(domov.path()).entryList({"~*"}, QDir::AllEntries | QDir::Hidden), QStringList())
            << meno.toStdString() << ": a folder named \"~...\" made";
    }
    EXPECT_EQ(box.AskedBoxes().size(), povedane);
}

// "Vybrať…" opens a file chooser on the folder of the file offered or
// typed, or the nearest that exists however many are not there yet, which
// it does not make; the file chosen there is printed to.
TEST_F(Dialog_tlace, AFileChosenInTheFileChooserIsPrintedTo)
{
    const passwd *ja = getpwuid(geteuid());
    ASSERT_NE(ja, nullptr);
    const QString dlhy(256, 'x');
    // Not the home folder, where the chooser goes when it is given none there.
    const QTemporaryDir iny;
    const struct {
        QString napisane; // empty: the name offered
        QString priecinok;
    } mena[] = {
        {{}, domov.path()},
        {iny.path() + "/nova/pod/list", iny.path()},
        {iny.path() + "/nova/pod/" + dlhy, iny.path()},
        {"~" + QString::fromLocal8Bit(ja->pw_name) + "/nova/pod/list", QString::fromLocal8Bit(ja->pw_dir)},
    };
    for (const auto &[napisane, priecinok] : mena) {
        const std::optional<PrintDialogChoice> volba = Vyber([&](QDialog &d) {
            if (!napisane.isEmpty())
                Prvok<QLineEdit>(d, "fileName")->setText(napisane);
            QTimer::singleShot(0, [&] {
                auto *vyber = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                ASSERT_NE(vyber, nullptr) << "the file chooser is open";
                EXPECT_EQ(QDir(vyber->directory()).canonicalPath(), QDir(priecinok).canonicalPath())
                    << napisane.toStdString();
                vyber->selectFile(QStringLiteral("iny"));
                QMetaObject::invokeMethod(vyber, "accept");
            });
            Prvok<QPushButton>(d, "chooseFile")->click();
            EXPECT_TRUE(Prvok<QRadioButton>(d, "toFile")->isChecked());
            Tlac(d);
        });
        ASSERT_TRUE(volba.has_value()) << napisane.toStdString();
        EXPECT_EQ(QFileInfo(volba->fileName).canonicalFilePath().isEmpty(), true) << "nothing written yet";
        EXPECT_EQ(QFileInfo(volba->fileName).fileName(), "iny.pdf");
        EXPECT_EQ(QFileInfo(QFileInfo(volba->fileName).absolutePath()).canonicalFilePath(),
                  QDir(priecinok).canonicalPath());
        EXPECT_FALSE(QDir(priecinok).exists("nova")) << napisane.toStdString() << ": made for looking";
        EXPECT_FALSE(QDir(domov.path()).exists("Documents")) << "the folder offered is not made for looking";
    }
}

} // namespace
