#pragma once
// The program on a real X server, for the real-X tests. In a child process
// (RealXChild.*): the program's full-screen window on the server in
// $DISPLAY, the pupil's way to task 1's setup and exercise screens, and the
// pupil at its message boxes. In the parent (RealX.*): a child started on
// an Xvfb of its own, with a window manager or with none, and its end
// awaited.
#include "Program.h"

#include "exercise/frm_Game01.h"
#include "platform/Runtime.h"
#include "shell/frm_Chybovy.h"
#include "shell/frm_Chybovy2.h"
#include "support/Xvfb.h"

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <optional>
#include <thread>

namespace lktest {

inline platform::DefaultInstance<frm_Game01> hra;

inline constexpr QRgb Farba_korena = 0x3060c0; // the bare screen, wherever no window paints

inline bool V_detskom_procese() { return qEnvironmentVariableIsSet("LK_REALNE_X"); }

// The program in front of the pupil: its real full-screen window on the
// server in $DISPLAY.
struct Program_na_x : Program_na_celej_obrazovke {
    Pohlad_na_x x;

    // The title at the start: ended at once by the test (Tik_titulku), kept
    // until the test ends it, or left to its own timer on the real clock,
    // the timer ticking at every turn of events, and the chooser awaited.
    enum class Titulok { Skonceny, Drzany, Sam };
    platform::SystemClock skutocne_hodiny;
    std::optional<platform::ScopedService<platform::Clock>> hodiny;
    explicit Program_na_x(Titulok titulok = Titulok::Skonceny)
        : Program_na_celej_obrazovke(qEnvironmentVariable("LK_KOREN"))
    {
        x.Natri_koren(Farba_korena);
        x.Pocuvaj_oznamenia();
        // A blinking caret would differ from itself a moment later.
        QApplication::setCursorFlashTime(0);
        platform::InstallTranslations();
        Formulare::frm_Game01 = [] { return static_cast<platform::Form *>(hra.get()); };
        if (titulok == Titulok::Sam)
            hodiny.emplace(skutocne_hodiny);
        if (titulok != Titulok::Skonceny)
            Formulare::frm_Intro->Timer1->Interval = titulok == Titulok::Drzany ? 60000 : 1;
        p.Spusti();
        if (titulok == Titulok::Skonceny)
            p.Tik_titulku();
        else if (titulok == Titulok::Sam)
            Cakaj([] { return Vpredu() == Formulare::frm_Select.existing(); }, 15000);
        Cakaj([&] { return Okno()->windowHandle() && Okno()->windowHandle()->isExposed(); });
        Cakaj([&] { return Klavesy_do_okna(); });
    }
    QWidget *Okno() const { return stage->window(); }
    // Keys typed now reach the program's window: the server sends them
    // there, not to a box that has just closed.
    bool Klavesy_do_okna() const
    {
        return QGuiApplication::focusWindow() == Okno()->windowHandle() && x.Fokus() == unsigned(Okno()->winId());
    }
    // Until `splnene` holds, polled: a step takes a moment, several on a
    // busy machine, and the bound is only for one that never comes.
    static bool Cakaj(const std::function<bool()> &splnene, int ms = 10000) { return QTest::qWaitFor(splnene, ms); }

    // Where a stage pixel is on the screen, as Qt knows it.
    QPoint Na_obrazovke(const QWidget *w, QPoint bod) const
    {
        const QPointF logicky = w->mapToGlobal(QPointF(bod) + QPointF(0.5, 0.5));
        return (logicky * stage->devicePixelRatioF()).toPoint();
    }
    void Klik(platform::Control *c) const
    {
        ASSERT_TRUE(Klikni_na_obrazovke(Na_obrazovke(c->widget(), c->widget()->rect().center())));
        QTest::qWait(50);
    }
    // Where the stage should be: centred, the odd pixel right and below.
    QRect Miesto_javiska() const
    {
        const QSize v = x.Velkost();
        const QSize javisko = (QSizeF(platform::Stage::kWidth, platform::Stage::kHeight) * stage->scale()).toSize();
        return QRect(QPoint((v.width() - javisko.width()) / 2, (v.height() - javisko.height()) / 2), javisko);
    }
    // The stage's pixels where the server shows other than the stage drawn
    // afresh, at the same place in a buffer where every pixel not drawn
    // stays magenta: what a change left of the screen before it, once the
    // change's paints have had about a second to reach the screen.
    QString Neprekreslene() const
    {
        QString rozdiel;
        Cakaj([&] { return (rozdiel = Rozdiel_javiska()).isEmpty(); }, 2000);
        return rozdiel;
    }
    // The same for a window the stage stays: its part on the screen where
    // it shows other than the stage drawn afresh, or everything one colour.
    QString Neprekreslene_okno() const
    {
        QString rozdiel;
        Cakaj([&] { return (rozdiel = Rozdiel_okna()).isEmpty(); }, 2000);
        return rozdiel;
    }
    QString Rozdiel_okna() const
    {
        QGuiApplication::sync();
        const QRect okno = x.Okno(unsigned(Okno()->winId()));
        const QRect vidno = okno & QRect(QPoint(), x.Velkost());
        const QImage ukazane = x.Obrazovka(vidno);
        const QImage nove = Okno()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (vidno.isEmpty() || ukazane.size() != vidno.size())
            return QStringLiteral("no picture of the window");
        int pixelov = 0;
        QRect kde;
        QSet<QRgb> farby;
        for (int y = 0; y < ukazane.height(); ++y)
            for (int x = 0; x < ukazane.width(); ++x) {
                const QPoint v_okne = vidno.topLeft() - okno.topLeft() + QPoint(x, y);
                farby.insert(ukazane.pixel(x, y));
                if (!nove.rect().contains(v_okne) || ukazane.pixel(x, y) != nove.pixel(v_okne))
                    ++pixelov, kde |= QRect(vidno.x() + x, vidno.y() + y, 1, 1);
            }
        if (farby.size() < 2)
            return QStringLiteral("all of it %1").arg(*farby.begin(), 6, 16, QLatin1Char('0'));
        if (!pixelov)
            return {};
        return QStringLiteral("%1 pixels within x %2-%3, y %4-%5")
            .arg(pixelov).arg(kde.left()).arg(kde.right()).arg(kde.top()).arg(kde.bottom());
    }
    QString Rozdiel_javiska() const
    {
        QGuiApplication::sync();
        const QRect javisko = Miesto_javiska();
        const QImage ukazane = x.Obrazovka(javisko);
        const double s = stage->scale();
        // A picture of a window beyond the screen would be as large.
        if (const QSize okno = Okno()->size(); okno != okno.boundedTo(QGuiApplication::primaryScreen()->size()))
            return QStringLiteral("a window of %1x%2, larger than the screen").arg(okno.width()).arg(okno.height());
        QImage nove((QSizeF(Okno()->size()) * s).toSize() + QSize(1, 1), QImage::Format_RGB32);
        nove.setDevicePixelRatio(s);
        nove.fill(Qt::magenta);
        Okno()->render(&nove);
        // The stage's own window shows the window's buffer from the screen
        // pixel nearest to where Qt has the stage.
        const QPoint v_bufferi = (QPointF(stage->mapTo(Okno(), QPoint())) * s).toPoint();
        if (ukazane.size() != javisko.size())
            return QStringLiteral("no picture of the stage");
        int pixelov = 0;
        QRect kde;
        for (int y = 0; y < ukazane.height(); ++y)
            for (int x = 0; x < ukazane.width(); ++x)
                if (ukazane.pixel(x, y) != nove.pixel(v_bufferi + QPoint(x, y)))
                    ++pixelov, kde |= QRect(javisko.x() + x, javisko.y() + y, 1, 1);
        if (!pixelov)
            return {};
        return QStringLiteral("%1 pixels within x %2-%3, y %4-%5")
            .arg(pixelov).arg(kde.left()).arg(kde.right()).arg(kde.top()).arg(kde.bottom());
    }
};

// How many places and sizes the server has told the program of a window
// (ConfigureNotify), and the sizes, each seen before the program's own
// handling of it (Qt hands on only the last of those that came together).
struct Oznamenia_miesta final : QAbstractNativeEventFilter {
    unsigned okno = 0;
    int pocet = 0;
    QList<QSize> velkosti;
    Oznamenia_miesta() { qApp->installNativeEventFilter(this); }
    ~Oznamenia_miesta() override { qApp->removeNativeEventFilter(this); }
    bool nativeEventFilter(const QByteArray &typ, void *sprava, qintptr *) override
    {
        const auto *e = static_cast<const xcb_configure_notify_event_t *>(sprava);
        if (typ == "xcb_generic_event_t" && (e->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY && okno
            && e->window == okno)
            ++pocet, velkosti << QSize(e->width, e->height);
        return false;
    }
};

// A hint window with a wrong example's answer is on the screen.
inline bool Napoveda_ukazana()
{
    auto *o = Formulare::frm_Chybovy.existing();
    auto *o2 = Formulare::frm_Chybovy2.existing();
    return (o && o->isVisible()) || (o2 && o2->isVisible());
}

// From the chooser to the setup screen of task 1, "Ema" typed into the name.
inline Shell::frm_Setup *Nastavenie_s_menom(Program_na_x &n)
{
    n.Klik(Formulare::frm_Select->LI(1));
    n.Klik(Formulare::frm_Select->RI(1));
    Shell::frm_Setup *s = nullptr;
    if (!n.Cakaj([&] { return (s = Formulare::frm_Setup.existing()) && Vpredu() == s; }))
        return nullptr;
    Napis_na_obrazovke(QStringLiteral("Ema"));
    n.Cakaj([&] { return QString(s->TJmeno->Text) == QLatin1String("Ema"); });
    n.Klik(s->ICislo(1));
    n.Cakaj([&] { return bool(s->picTiskni->Visible); });
    return s;
}

// The exercise screen of task 1, five examples, begun by "Ema".
inline frm_Game01 *Seria(Program_na_x &n)
{
    Shell::frm_Setup *s = Nastavenie_s_menom(n);
    if (!s)
        return nullptr;
    n.Klik(s->picPokracuj);
    return n.Cakaj([] { return Vpredu() == hra.get(); }) ? hra.get() : nullptr;
}

// The pupil at the message boxes: each new one, once it has the focus,
// is noted ("title: text") and answered by a click on what `odpoved` says,
// after `pred` has run.
struct Ziak_pri_spravach {
    QStringList spravy;
    QTimer hodiny;
    QPointer<QMessageBox> posledna;

    Ziak_pri_spravach(Program_na_x &n, std::function<QMessageBox::StandardButton(QMessageBox *)> odpoved,
                      std::function<void(QMessageBox *)> pred = {})
    {
        QObject::connect(&hodiny, &QTimer::timeout, [this, &n, odpoved, pred] {
            auto *m = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!m || m == posledna || !m->windowHandle()->isExposed()
                || QGuiApplication::focusWindow() != m->windowHandle())
                return;
            posledna = m;
            spravy << m->windowTitle() + ": " + m->text();
            hodiny.stop(); // not again from the loops below
            if (pred)
                pred(m);
            QAbstractButton *b = m->button(odpoved(m));
            Klikni_na_obrazovke(n.Na_obrazovke(b, b->rect().center()));
            hodiny.start();
        });
        hodiny.start(50);
    }
    int otazok() const { return spravy.filter(QStringLiteral("Naozaj chceš ukončiť program?")).size(); }
};

// One case of RealXChild in a child process on a server of its own;
// `koren` the child's configuration and data, kept past its end, or a new
// one of its own.
class Dieta_na_x {
public:
    // `spravca_spi`: the window manager answers nothing for that long as
    // the child starts; Kym_nepusti: until server.Pusti_spravcu().
    static constexpr int Kym_nepusti = -1;
    Dieta_na_x(const char *pripad, QSize obrazovka, Spravca_okien so_spravcom, int xft_dpi = 0,
               const QString &koren = {}, int spravca_spi = 0)
        : server(obrazovka, so_spravcom)
    {
        if (!server.bezi())
            return;
        if (spravca_spi)
            server.Zastav_spravcu(), drzany_ = spravca_spi == Kym_nepusti;
        if (spravca_spi > 0) {
            budik_ = std::thread([this, spravca_spi] {
                std::this_thread::sleep_for(std::chrono::milliseconds(spravca_spi));
                server.Pusti_spravcu();
            });
        }
        plocha_ = std::make_unique<Pohlad_na_x>(server.displej().constData());
        if (xft_dpi)
            plocha_->Nastav_xft_dpi(xft_dpi);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(server.displej()));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("LK_REALNE_X"), QStringLiteral("1"));
        if (so_spravcom)
            env.insert(QStringLiteral("LK_SO_SPRAVCOM"), QStringLiteral("1"));
        env.insert(QStringLiteral("HOME"), domov_.path());
        env.insert(QStringLiteral("TMP"), docasny.path());
        // As a desktop session has it; else the sound library makes its
        // runtime folder in the temporary one.
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), beh_.path());
        if (!koren.isEmpty())
            env.insert(QStringLiteral("LK_KOREN"), koren);
        // As a desktop launcher starts it, waiting for its notice.
        const QString id = QStringLiteral("kvantira2-test-%1").arg(QCoreApplication::applicationPid());
        env.insert(QStringLiteral("DESKTOP_STARTUP_ID"), id);
        env.insert(QStringLiteral("LK_START_ID"), id);
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        dieta.setProcessEnvironment(env);
        dieta.setProcessChannelMode(QProcess::MergedChannels);
        dieta.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=RealXChild.") + QString::fromLatin1(pripad)});
    }
    ~Dieta_na_x()
    {
        if (dieta.state() != QProcess::NotRunning)
            dieta.kill(), dieta.waitForFinished();
        if (budik_.joinable())
            budik_.join();
        if (drzany_)
            server.Pusti_spravcu();
    }

    // Until the child has printed the line `riadok`, at most `ms`.
    bool Cakaj_na(const QByteArray &riadok, int ms)
    {
        const QDeadlineTimer koniec(ms);
        while (!vystup_.contains(riadok + '\n') && dieta.state() != QProcess::NotRunning && !koniec.hasExpired())
            if (dieta.waitForReadyRead(int(koniec.remainingTime())))
                vystup_ += dieta.readAll();
        vystup_ += dieta.readAll();
        return vystup_.contains(riadok + '\n');
    }

    // The child's end, within `ms`. One that is stuck (a message box no one
    // answers, a window the window manager never gave the focus) has what it
    // was doing put in the output before it is ended.
    bool Skonci(int ms = Najdlhsie)
    {
        const bool skoncilo = dieta.waitForFinished(ms);
        if (!skoncilo) {
            vystup_ += dieta.readAll();
            vystup_ += "\n==== stuck for " + QByteArray::number(ms / 1000) + " s ====\n"
                + server.Co_robi(dieta.processId()).toLocal8Bit();
            dieta.kill(), dieta.waitForFinished();
        }
        vystup_ += dieta.readAll();
        return skoncilo;
    }
    std::string vystup() const { return vystup_.toStdString(); }

    // A case takes a second or two, several on a busy machine.
    static constexpr int Najdlhsie = 30000;
    Xvfb server;
    QProcess dieta;
    // The child's temporary folder (TMP).
    QTemporaryDir docasny;

private:
    std::unique_ptr<Pohlad_na_x> plocha_; // what it set on the server lasts while it is connected
    std::thread budik_;                   // wakes the window manager
    bool drzany_ = false;                 // held until the test lets it go
    QTemporaryDir domov_, beh_;
    QByteArray vystup_;
};

// `spravca_spi`: the window manager answers nothing for that long from the start.
inline void Na_vlastnom_x(const char *pripad, QSize obrazovka, Spravca_okien so_spravcom, int xft_dpi = 0,
                         int spravca_spi = 0)
{
    Dieta_na_x d(pripad, obrazovka, so_spravcom, xft_dpi, {}, spravca_spi);
    ASSERT_TRUE(d.server.bezi()) << "Xvfb with " << (so_spravcom ? so_spravcom.program : "no window manager")
                                 << " did not start\n"
                                 << d.server.chyba().toStdString();
    ASSERT_TRUE(d.Skonci()) << d.vystup();
    EXPECT_TRUE(d.dieta.exitCode() == 0 && d.vystup().find("[       OK ]") != std::string::npos) << d.vystup();
}

#define LK_VYZADUJ_X(so_spravcom)                                                                                     \
    if (const QStringList chybaju = Xvfb::Chybajuce(so_spravcom); !chybaju.isEmpty())                                  \
    GTEST_SKIP() << "needs " << chybaju.join(", ").toStdString() << " (scripts/deps.sh installs them)"

} // namespace lktest
