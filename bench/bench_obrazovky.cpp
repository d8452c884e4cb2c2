// The exercise screen as the pupil meets it, offscreen with faked OS
// services over the generated resources and a fresh copy of the data:
// opening it for every task and variant (setup's continue to the painted
// screen) first after the program's start and again in one process; the
// change to the next screen after a check, on a screen that the stage
// fills; one key typed in an answer cell against a plain QLineEdit; "=" on
// the calculator after a long tape; the print dialog opened from "Tlač";
// and the peak resident memory of every task variant played one after
// another with the real OS services.
//
// A first open and the memory run each need a fresh process: the program
// runs itself with --prve-otvorenie=N, --dialog-tlace or --hranie and reads the figure
// from its output; so do the screen changes (--zmeny=N,K) unless this
// process fills the screen already. With --cela-obrazovka every figure is
// taken on a 1920 x 1080 screen that the stage fills, the children's too;
// with QT_QPA_PLATFORM=xcb on the X server's own screen instead.
#include "exercise/frm_Game01.h"
#include "shell/Formulare.h"
#include "shell/frm_Intro.h"
#include "shell/frm_Select.h"
#include "shell/frm_Setup.h"
#include "shell/frm_Tabulka.h"
#include "platform/DisplayMode.h"
#include "services/Promenne_cviceni.h"
#include "support/Nahradne_sluzby.h"
#include "support/PrintServer.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QLineEdit>
#include <QPointer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

struct Varianta {
    int uloha, varianta;
};
constexpr Varianta Varianty[] = {{1, 1},  {2, 1},  {3, 1},  {4, 1},  {5, 1},  {6, 1},  {7, 1},  {8, 1},
                                 {9, 1},  {10, 1}, {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}, {16, 1},
                                 {17, 1}, {18, 1}, {19, 1}, {19, 2}, {20, 1}, {21, 1}, {21, 2}};
constexpr int Pocet_variant = int(std::size(Varianty));
// Tasks in the chooser's groups.
constexpr int Ulohy_skupiny[] = {3, 3, 4, 4, 4, 3};

constexpr char Cela_obrazovka[] = "--cela-obrazovka";
bool cela_obrazovka = false;

// A whole installation: "Loravik.ini" naming the generated resources and a
// fresh copy of the default data, every OS service faked, so that waits
// end at once and nothing sounds; or, with `skutocne_sluzby`, the program's
// own services, as the pupil's program has them.
class Instalacia {
public:
    explicit Instalacia(bool skutocne_sluzby)
    {
        if (!skutocne_sluzby)
            sluzby_.emplace();
        const QString config = koren_.filePath(QStringLiteral("config"));
        const QString hd = koren_.filePath(QStringLiteral("hd/"));
        QDir().mkpath(config);
        QDir().mkpath(hd);
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        QFile ini(config + QStringLiteral("/Loravik.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write(QStringLiteral("[KVR4]\r\nCD=%1\r\nHD=%2\r\n").arg(LK_RESOURCE_DIR, hd).toUtf8());
        ini.close();
        const QDir vzor(QStringLiteral(LK_DEFAULT_DATA_DIR));
        for (const QString &subor : vzor.entryList(QDir::Files))
            QFile::copy(vzor.filePath(subor), hd + subor);
        if (cela_obrazovka && !skutocne_sluzby)
            platform::services().Install<platform::DisplayMode>(&obrazovka_);
        // The program's start: the chooser's load, then the title's wait.
        Formulare::frm_Select->Load();
        Formulare::frm_Intro->Timer1->OnTimer();
        QApplication::processEvents();
    }

private:
    QTemporaryDir koren_;
    std::optional<lktest::Nahradne_sluzby> sluzby_;
    platform::ScreenDisplayMode obrazovka_;
};

Instalacia &Program(bool skutocne_sluzby = false)
{
    static Instalacia p(skutocne_sluzby);
    return p;
}

// A press may unload the button's form: then there is nothing to release.
void Klik(platform::Control *c)
{
    QPointer<QWidget> w = c->widget();
    QTest::mousePress(w, Qt::LeftButton, {}, w->rect().center());
    if (w)
        QTest::mouseRelease(w, Qt::LeftButton, {}, w->rect().center());
}

// Events posted so far run, the paint included, and unloaded forms go.
void Dobehni()
{
    QApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// From the chooser to the setup screen of the variant, ready to continue.
Shell::frm_Setup *Nastav(const Varianta &v)
{
    int skupina = 1, k = v.uloha;
    while (k > Ulohy_skupiny[skupina - 1])
        k -= Ulohy_skupiny[skupina++ - 1];
    Klik(Formulare::frm_Select->LI(skupina));
    Klik(Formulare::frm_Select->RI(k));
    Shell::frm_Setup *s = Formulare::frm_Setup.get();
    s->TJmeno->SetFocus();
    QTest::keyClicks(s->TJmeno->editor(), QStringLiteral("Jano"));
    Klik(s->ICisloUloha(v.varianta));
    Klik(s->ICislo(2));
    Dobehni();
    return s;
}

frm_Game01 *Hra()
{
    return dynamic_cast<frm_Game01 *>(platform::Stage::instance()->frontPage());
}

frm_Game01 *Otvor(Shell::frm_Setup *s)
{
    Klik(s->picPokracuj);
    QApplication::processEvents();
    return Hra();
}

void Spat(frm_Game01 *h)
{
    Klik(h->PicTop(4));
    Dobehni();
}

void Odid(Shell::frm_Setup *s)
{
    Klik(s->IKonec);
    Dobehni();
}

// ---- in a child process ----

int Prve_otvorenie(int index)
{
    Program();
    Shell::frm_Setup *s = Nastav(Varianty[index]);
    QElapsedTimer t;
    t.start();
    const bool otvorena = Otvor(s) != nullptr;
    const qint64 ns = t.nsecsElapsed();
    std::printf("%lld\n", static_cast<long long>(ns));
    return otvorena ? 0 : 1;
}

// "Tlač" clicked until the print dialog is painted; cancelled untimed.
qint64 Dialog_tlace(Shell::frm_Setup *s)
{
    QElapsedTimer t;
    qint64 ns = -1;
    QTimer::singleShot(0, [&] {
        if (auto *d = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
            d->repaint();
            ns = t.nsecsElapsed();
            d->reject();
        }
    });
    t.start();
    Klik(s->picTiskni);
    Dobehni();
    return ns;
}

int Prvy_dialog_tlace()
{
    Program();
    const qint64 ns = Dialog_tlace(Nastav(Varianty[0]));
    std::printf("%lld\n", static_cast<long long>(ns));
    return ns < 0 ? 1 : 0;
}

qint64 VmHWM_KiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &riadok : f.readAll().split('\n'))
        if (riadok.startsWith("VmHWM:"))
            return riadok.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// Every variant: a whole series, each screen checked unanswered and
// continued, then the results table closed, back to the chooser.
int Hranie()
{
    Program(true);
    QElapsedTimer t;
    t.start();
    for (const Varianta &v : Varianty) {
        Shell::frm_Setup *s = Nastav(v);
        if (!Otvor(s))
            return 1;
        while (frm_Game01 *h = Hra()) {
            Klik(h->PicTop(1));
            Klik(h->picPokracuj);
            Dobehni();
        }
        if (auto *tabulka = Formulare::frm_Tabulka.existing()) {
            Klik(tabulka->picKonec);
            Dobehni();
        }
        Odid(s);
    }
    std::printf("%lld %lld\n", static_cast<long long>(VmHWM_KiB()), static_cast<long long>(t.nsecsElapsed()));
    return 0;
}

// The change the pupil sees: the screen checked unanswered and continue
// risen (untimed), then continue clicked until the next screen is painted
// and, on a real X server, on the screen. The series never ends: two
// screens always remain, as before the last but one.
qint64 Zmena_obrazovky(frm_Game01 *h)
{
    Klik(h->PicTop(1));
    Dobehni();
    Misc::Pocet_zbyvajicich_prikladu = 2 * Misc::Pocet_prikladu;
    QElapsedTimer t;
    t.start();
    Klik(h->picPokracuj);
    Dobehni();
    QGuiApplication::sync();
    return t.nsecsElapsed();
}

// `pocet` changes of the variant at `index`, from its setup screen and back.
QList<qint64> Zmeny_obrazovky(int index, int pocet)
{
    Program();
    Shell::frm_Setup *s = Nastav(Varianty[index]);
    frm_Game01 *h = Otvor(s);
    QList<qint64> casy;
    if (!h)
        return casy;
    Dobehni();
    for (int i = 0; i < pocet && Hra() == h; ++i)
        casy << Zmena_obrazovky(h);
    Spat(h);
    Odid(s);
    return casy;
}

int Vypis_zmeny(int index, int pocet)
{
    const QList<qint64> casy = Zmeny_obrazovky(index, pocet);
    for (qint64 ns : casy)
        std::printf("%lld ", static_cast<long long>(ns));
    std::printf("\n");
    return casy.size() == pocet ? 0 : 1;
}

// The child's figures, or none when it failed.
QList<QByteArray> Spusti_seba(const QString &argument, bool na_celej_obrazovke = false)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList argumenty{argument};
    if (cela_obrazovka || na_celej_obrazovke)
        argumenty << QString::fromLatin1(Cela_obrazovka);
    p.start(QCoreApplication::applicationFilePath(), argumenty);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return p.readAllStandardOutput().trimmed().split(' ');
}

void Pomenuj(benchmark::State &state)
{
    const Varianta &v = Varianty[state.range(0)];
    state.SetLabel(QStringLiteral("task %1 variant %2").arg(v.uloha).arg(v.varianta).toStdString());
}

// ---- benchmarks ----

void BM_Prve_otvorenie(benchmark::State &state)
{
    Pomenuj(state);
    for (auto _ : state) {
        const QList<QByteArray> cisla = Spusti_seba(QStringLiteral("--prve-otvorenie=%1").arg(state.range(0)));
        if (cisla.isEmpty())
            return state.SkipWithError("the child process failed");
        state.SetIterationTime(cisla[0].toDouble() * 1e-9);
    }
}
BENCHMARK(BM_Prve_otvorenie)->DenseRange(0, Pocet_variant - 1)->UseManualTime()->Iterations(1)
    ->Repetitions(5)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// Construct, load and show, the pupil's way back to the setup screen untimed.
void BM_Opakovane_otvorenie(benchmark::State &state)
{
    Program();
    Pomenuj(state);
    Shell::frm_Setup *s = Nastav(Varianty[state.range(0)]);
    for (auto _ : state) {
        frm_Game01 *h = Otvor(s);
        state.PauseTiming();
        if (!h)
            return state.SkipWithError("no exercise screen");
        Spat(h);
        state.ResumeTiming();
    }
    Odid(s);
}
BENCHMARK(BM_Opakovane_otvorenie)->DenseRange(0, Pocet_variant - 1)->Unit(benchmark::kMillisecond);

// Continue after a check to the next screen painted, on a screen that the
// stage fills: one change a repetition, its median the figure. Taken in a
// child that fills the screen unless this process does.
void BM_Zmena_obrazovky(benchmark::State &state)
{
    Pomenuj(state);
    static QHash<int, QList<qint64>> zasoba;
    QList<qint64> &casy = zasoba[int(state.range(0))];
    for (auto _ : state) {
        if (casy.isEmpty()) {
            constexpr int Naraz = 25;
            if (cela_obrazovka) {
                casy = Zmeny_obrazovky(int(state.range(0)), Naraz);
            } else {
                for (const QByteArray &ns : Spusti_seba(QStringLiteral("--zmeny=%1,%2").arg(state.range(0)).arg(Naraz),
                                                        true))
                    casy << ns.toLongLong();
            }
        }
        if (casy.isEmpty())
            return state.SkipWithError("no screen change");
        state.SetIterationTime(double(casy.takeFirst()) * 1e-9);
    }
}
BENCHMARK(BM_Zmena_obrazovky)->DenseRange(0, Pocet_variant - 1)->UseManualTime()->Iterations(1)
    ->Repetitions(15)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// One digit typed into the focused box and painted; the box is emptied
// (untimed) every few keys.
void Pisanie(benchmark::State &state, QWidget *editor, const std::function<void()> &vymaz)
{
    editor->setFocus();
    int znaky = 0;
    for (auto _ : state) {
        QTest::keyClick(editor, Qt::Key_1);
        QApplication::processEvents();
        if (++znaky % 16 == 0) {
            state.PauseTiming();
            vymaz();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
}

// Runs `f` on the first task's exercise screen, opened from the setup
// screen and left again.
void Na_obrazovke(benchmark::State &state, const std::function<void(frm_Game01 &)> &f)
{
    Program();
    Shell::frm_Setup *s = Nastav(Varianty[0]);
    frm_Game01 *h = Otvor(s);
    if (!h)
        return state.SkipWithError("no exercise screen");
    f(*h);
    Spat(h);
    Odid(s);
}

void BM_Klaves_v_bunke(benchmark::State &state)
{
    Na_obrazovke(state, [&](frm_Game01 &h) {
        platform::TextBox *bunka = h.TV2(1);
        Pisanie(state, bunka->editor(), [bunka] { bunka->Text = QString(); });
    });
}
BENCHMARK(BM_Klaves_v_bunke)->Unit(benchmark::kMicrosecond);

// The same key in a QLineEdit of the cell's size on the same screen.
void BM_Klaves_v_QLineEdit(benchmark::State &state)
{
    Na_obrazovke(state, [&](frm_Game01 &h) {
        QLineEdit pole(&h);
        pole.setGeometry(h.TV2(1)->widget()->geometry());
        pole.show();
        Pisanie(state, &pole, [&pole] { pole.clear(); });
    });
}
BENCHMARK(BM_Klaves_v_QLineEdit)->Unit(benchmark::kMicrosecond);

// "=" typed on the calculator's display after range(0) evaluations.
void BM_Kalkulacka_rovna_sa(benchmark::State &state)
{
    Na_obrazovke(state, [&](frm_Game01 &h) {
        const auto rovna_sa = [&h] {
            h.TKalk->Text = QStringLiteral("12+3");
            QTest::keyClick(h.TKalk->editor(), Qt::Key_Return);
        };
        for (int i = 0; i < state.range(0); ++i)
            rovna_sa();
        for (auto _ : state)
            rovna_sa();
    });
}
BENCHMARK(BM_Kalkulacka_rovna_sa)->Arg(0)->Arg(1000)->Iterations(200)->Unit(benchmark::kMicrosecond);

// The print dialog: first after the start, in a fresh process, and again;
// a print server of the bench's own with one printer, when there is cupsd.
void BM_Dialog_tlace(benchmark::State &state)
{
    lktest::PrintServer server;
    const bool tlaciaren =
        server.Running() && server.AddQueue(QStringLiteral("Kabinet"), QStringLiteral("file:///dev/null"));
    const bool prvy = state.range(0) == 0;
    state.SetLabel(std::string(prvy ? "first" : "again") + (tlaciaren ? ", one printer" : ", no print server"));
    Shell::frm_Setup *s = nullptr;
    if (!prvy) {
        Program();
        s = Nastav(Varianty[0]);
    }
    for (auto _ : state) {
        const QList<QByteArray> cisla = prvy ? Spusti_seba(QStringLiteral("--dialog-tlace")) : QList<QByteArray>();
        const qint64 ns = prvy ? (cisla.isEmpty() ? -1 : cisla[0].toLongLong()) : Dialog_tlace(s);
        if (ns < 0)
            return state.SkipWithError("no print dialog");
        state.SetIterationTime(double(ns) * 1e-9);
    }
    if (s)
        Odid(s);
}
BENCHMARK(BM_Dialog_tlace)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Repetitions(10)
    ->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

// Peak resident memory of one process that plays every variant.
void BM_Pamat_vsetkych_variant(benchmark::State &state)
{
    for (auto _ : state) {
        const QList<QByteArray> cisla = Spusti_seba(QStringLiteral("--hranie"));
        if (cisla.size() < 2)
            return state.SkipWithError("the child process failed");
        state.counters["VmHWM_MiB"] = cisla[0].toDouble() / 1024;
        state.SetIterationTime(cisla[1].toDouble() * 1e-9);
    }
}
BENCHMARK(BM_Pamat_vsetkych_variant)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The full-screen flag is ours alone: taken out before anyone else reads
    // the arguments.
    QTemporaryFile obrazovka(QDir::tempPath() + QStringLiteral("/obrazovka-XXXXXX.json"));
    if (argc > 1 && std::strcmp(argv[argc - 1], Cela_obrazovka) == 0) {
        cela_obrazovka = true;
        argv[--argc] = nullptr;
        // A real window system keeps its own screen.
        if (qgetenv("QT_QPA_PLATFORM").startsWith("offscreen")) {
            if (obrazovka.open())
                obrazovka.write(R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                                R"( "logicalDpi": 96, "dpr": 1}]})");
            obrazovka.close();
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + obrazovka.fileName().toLocal8Bit());
        }
        platform::scaleToScreen(argc, argv);
    }
    QApplication app(argc, argv);
    const QString prve = QStringLiteral("--prve-otvorenie=");
    if (argc == 2 && QString::fromLocal8Bit(argv[1]).startsWith(prve))
        return Prve_otvorenie(std::clamp(QString::fromLocal8Bit(argv[1]).mid(prve.size()).toInt(), 0,
                                         Pocet_variant - 1));
    if (argc == 2 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--hranie"))
        return Hranie();
    if (argc == 2 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--dialog-tlace"))
        return Prvy_dialog_tlace();
    const QString zmeny = QStringLiteral("--zmeny=");
    if (argc == 2 && QString::fromLocal8Bit(argv[1]).startsWith(zmeny)) {
        const QStringList n = QString::fromLocal8Bit(argv[1]).mid(zmeny.size()).split(QLatin1Char(','));
        return Vypis_zmeny(std::clamp(n.value(0).toInt(), 0, Pocet_variant - 1), std::max(1, n.value(1).toInt()));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
