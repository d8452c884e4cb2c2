// The teacher's acts in the print dialog, in short sequences at every
// moment of the printers' search, against a model of the rule.
#include "Dialog_tlace.h"

#include <QAbstractItemView>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>

#include <bit>
#include <utility>
#include <vector>

using namespace platform;
using namespace lktest;

namespace {

// The teacher's acts, in the ways each can be done, and last the printer
// directory's answers: the printers (the default awaited), then the end of
// the search, of a kind.
enum class Krok {
    Tlacidlo, Enter, Klavesy, Mys, Alt_T, Klik_tlaciaren, Alt_D, Klik_subor, Nazov, Vyber_subor, Vyber_zrus, Zoznam,
    Zrus, Zavri, Tlaciarne, Koniec
};
const char *const Mena_krokov[] = {
    "Tlačiť clicked", "Enter", "a printer picked by keys", "a printer picked with the mouse", "Alt+T",
    "Tlačiareň clicked", "Alt+D", "Súbor PDF clicked", "a name typed", "the chooser opened, a file picked",
    "the chooser opened, cancelled", "the list opened and closed", "Zrušiť", "the window manager's close",
    "[the printers come]"};
const std::vector<std::vector<Krok>> Skutky = {
    {Krok::Tlacidlo, Krok::Enter}, {Krok::Klavesy, Krok::Mys}, {Krok::Alt_T, Krok::Klik_tlaciaren},
    {Krok::Alt_D, Krok::Klik_subor, Krok::Nazov}, {Krok::Vyber_subor, Krok::Vyber_zrus}, {Krok::Zoznam},
    {Krok::Zrus, Krok::Zavri}};
// The default told; not told by the bound; the teacher's own not on the
// server, the server's told; no printers at all.
enum class Koniec { Predvolena, Neoznamena, Cudzia, Zlyhal };
const char *const Mena_koncov[] = {"[the default told]", "[no default told by the bound]",
                                   "[the own default missing, the server's told]", "[the list failed]"};
// Why the search gave no default printer, by its end.
const QString Preco_konca[] = {
    {}, "Tlačový systém zatiaľ neoznámil, ktorá tlačiareň je predvolená.",
    "Tlačiareň Chyba, ktorú máte nastavenú ako predvolenú, tlačový systém nepozná. Predvolená tlačiareň tlačového "
    "systému je Zborovna.",
    "Tlačiarne sa nedajú zistiť: tlačový systém neodpovedal včas."};

// What the dialog shows and does, by the rule alone: a press is taken to
// what is shown when it is taken (the printer selected, or the file the
// teacher chose or the dialog said is all it can write); a press with no
// printer to take waits for the default; any choice after it, or the
// chooser or the list opened, ends the wait and asks for another press,
// saying which; a printer the teacher picked stays picked. The note says
// what the search is at, else why no printer is taken and what a press
// does then; the details show of the printer a press prints on.
struct Model {
    bool tlaciarne = false, koniec = false, na_tlaciaren = false; // "Tlačiareň" checked
    QString vybrana;                                              // the printer selected
    bool ucitel_vybral = false, ucitel_tlaciaren = false;         // a destination, a printer
    bool subor_dovoleny = false; // the teacher chose the file, or was told it is all
    bool caka = false, znova = false;
    // What ended the wait: a choice, or the list or the chooser only opened.
    enum Prerusenie { Volba, Zoznam, Vyber } prerusil = Volba;
    QString subor = "pracovny_list.pdf";
    std::optional<std::pair<QString, QString>> koniec_dialogu; // {printer, file}; empty: cancelled

    void Skonci_cakanie(Prerusenie cim = Volba)
    {
        if (std::exchange(caka, false))
            znova = true, prerusil = cim;
        else if (znova && cim == Volba)
            prerusil = Volba;
    }
    QString Poznamka(Koniec ako) const
    {
        const QString preco = Preco_konca[int(ako)];
        QStringList vety;
        if (caka) {
            vety << "Pracovný list sa vytlačí na predvolenej tlačiarni, hneď ako ju tlačový systém oznámi.";
        } else if (!koniec) {
            if (!tlaciarne)
                vety << "Hľadajú sa tlačiarne…";
            else if (na_tlaciaren ? vybrana.isEmpty() : !subor_dovoleny) // a press would wait
                vety << "Zisťuje sa, ktorá tlačiareň je predvolená…";
        } else if (!tlaciarne)
            vety << preco << "Pracovný list sa dá uložiť do súboru PDF.";
        else if (!na_tlaciaren)
            vety << preco << (ucitel_vybral ? "" : "Pracovný list sa preto uloží do súboru PDF, ak nevyberiete tlačiareň.");
        else if (vybrana.isEmpty())
            vety << preco << "Vyberte tlačiareň v zozname.";
        if (znova)
            vety << QString("Po stlačení tlačidla „Tlačiť“ ste %1, preto sa pracovný list zatiaľ netlačí.")
                        .arg(prerusil == Volba    ? "zmenili výber"
                             : prerusil == Zoznam ? "otvorili zoznam tlačiarní"
                                                  : "otvorili výber súboru")
                 << "Stlačte „Tlačiť“ znova.";
        vety.removeAll(QString());
        return vety.join(' ');
    }
    bool Podrobnosti() const { return na_tlaciaren && !vybrana.isEmpty(); }
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
        case Krok::Zavri:
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
            m.Skonci_cakanie(Model::Zoznam);
            const QPoint na = riadky->visualRect(riadky->model()->index(ina, 0)).center();
            if (k == Krok::Mys) {
                QTest::mouseMove(riadky->viewport(), na);
                QTest::mouseRelease(riadky->viewport(), Qt::LeftButton, {}, na);
            } else {
                QTest::mouseRelease(zoznam, Qt::LeftButton, {}, okraj);
                if (Drz([&] { return riadky->isVisible(); }) && Zavri([&] { return riadky->isVisible(); }))
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
            m.Skonci_cakanie(Model::Vyber);
            QTimer::singleShot(0, [this, k] {
                auto *vyber = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                if (!vyber)
                    return chyba("no file chooser");
                Drz([&] { return vyber->isVisible(); });
                if (k == Krok::Vyber_zrus) {
                    Zavri([&] { return vyber->isVisible(); });
                    return QTest::keyClick(vyber, Qt::Key_Escape);
                }
                vyber->selectFile(QStringLiteral("iny"));
                QMetaObject::invokeMethod(vyber, "accept");
            });
            return QTest::mouseClick(Prvok<QPushButton>(d, "chooseFile"), Qt::LeftButton);
        case Krok::Zrus:
            return QTest::mouseClick(tlacidla->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        case Krok::Zavri:
            return (void)Zavri([] { return false; });
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
    // The window manager's close of the dialog (a taskbar's "Zavrieť"),
    // which leaves it under what is open over it; whether that is still open.
    bool Zavri(const std::function<bool()> &otvorene)
    {
        const bool bolo = otvorene();
        QCloseEvent zavri;
        QCoreApplication::sendEvent(d.windowHandle(), &zavri);
        if (bolo && !(d.isVisible() && otvorene()))
            chyba("the window manager's close closed the dialog or what was open over it");
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
        const QString povedane = poznamka->isVisible() ? poznamka->text().remove(QChar(0x200B)) : QString();
        const QString vybrana = Prvok<QComboBox>(d, "printers")->currentText();
        QString co;
        if (Prvok<QRadioButton>(d, "toPrinter")->isChecked() != m.na_tlaciaren)
            co = m.na_tlaciaren ? "Súbor PDF checked" : "Tlačiareň checked";
        else if (vybrana != m.vybrana)
            co = "the printer shown is " + vybrana + ", not " + m.vybrana;
        else if (povedane != m.Poznamka(p.ako))
            co = "the note says: \"" + povedane + "\", not \"" + m.Poznamka(p.ako) + "\"";
        else if (Prvok<QWidget>(d, "printerDetails")->isVisible() != m.Podrobnosti())
            co = m.Podrobnosti() ? "no details shown" : "details shown";
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
        {tlaciarne, {}, Preco_konca[int(Koniec::Neoznamena)]},
        {tlaciarne, "Zborovna", Preco_konca[int(Koniec::Cudzia)], true},
        {{}, {}, Preco_konca[int(Koniec::Zlyhal)].chopped(1)}, // made a sentence
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

} // namespace
