#pragma once
// An X server of a test's own: Xvfb on a display it picks itself, with
// openbox or icewm on it when asked or a window manager of the test's own
// that keeps windows at a size it chooses, and what a test needs to look at
// it and to give it real input (xdotool, as a pupil's mouse and keys would).
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QImage>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QThread>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <optional>
#include <set>
#include <poll.h>
#include <thread>
#include <utility>
#include <xcb/xcb.h>
#include <xcb/xfixes.h>

namespace lktest {

// The window manager on a test's server: none, openbox (true) or another
// by its program's name.
struct Spravca_okien {
    const char *program = nullptr;
    Spravca_okien(bool openbox = false) : program(openbox ? "openbox" : nullptr) {}
    Spravca_okien(const char *meno) : program(meno) {}
    explicit operator bool() const { return program; }
};

class Xvfb {
public:
    // The programs a run needs that this machine lacks, for a skip's message.
    static QStringList Chybajuce(Spravca_okien spravca)
    {
        QStringList chybaju;
        for (const char *program : {"Xvfb", "xdotool", spravca.program})
            if (program && QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
                chybaju << QString::fromLatin1(program);
        return chybaju;
    }

    Xvfb(QSize obrazovka, Spravca_okien spravca)
    {
        // -displayfd 1: the display's number comes on standard output.
        // -noreset: a server whose last client leaves resets, and a window
        // manager connecting in that moment fails to open the display.
        server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                                               QStringLiteral("-screen"), QStringLiteral("0"),
                                               QStringLiteral("%1x%2x24").arg(obrazovka.width()).arg(obrazovka.height()),
                                               QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        const QDeadlineTimer koniec_servera(Cas_servera);
        while (!server_.canReadLine() && server_.waitForReadyRead(int(koniec_servera.remainingTime())))
            ;
        const QByteArray cislo = server_.readLine().trimmed();
        if (cislo.isEmpty()) {
            chyba_ = QStringLiteral("Xvfb gave no display within %1 s: %2")
                         .arg(Cas_servera / 1000)
                         .arg(QString::fromLocal8Bit(server_.readAllStandardError()));
            return;
        }
        const QByteArray displej = ":" + cislo;
        if (spravca && !Spusti_spravcu(displej, QString::fromLatin1(spravca.program)))
            return;
        displej_ = displej;
    }
    ~Xvfb()
    {
        for (QProcess *p : {&spravca_, &server_}) {
            p->terminate();
            if (!p->waitForFinished(3000))
                p->kill(), p->waitForFinished();
        }
    }
    Xvfb(const Xvfb &) = delete;
    Xvfb &operator=(const Xvfb &) = delete;

    bool bezi() const { return !displej_.isEmpty(); }
    QByteArray displej() const { return displej_; }

    // The window manager stops answering for a while, as on a busy machine:
    // stopped once it has framed a window of the test's own, so that it is
    // past its start and waits for what comes (stopped in its start, it
    // could hold the whole server).
    void Zastav_spravcu()
    {
        xcb_connection_t *c = xcb_connect(displej_.constData(), nullptr);
        Oramuje(c);
        xcb_disconnect(c);
        Signal_spravcovi(SIGSTOP);
    }
    void Pusti_spravcu() { Signal_spravcovi(SIGCONT); }
    // Only to a window manager that runs: pid 0 would stop the whole process
    // group, ctest and the tests beside this one too.
    void Signal_spravcovi(int signal)
    {
        if (const qint64 pid = spravca_.processId(); pid > 0 && spravca_.state() == QProcess::Running)
            ::kill(pid_t(pid), signal);
    }

    // The server goes away under its clients, as a crashed desktop's or a
    // dropped remote display's does.
    void Zhod()
    {
        server_.kill();
        server_.waitForFinished();
    }

    // What a program on this server that does not end is doing: the stacks
    // of its threads and the server's windows (which of them is mapped,
    // where, whose box waits for the focus), for a test's failure message.
    QString Co_robi(qint64 pid) const
    {
        const auto spusti = [](const QString &program, const QStringList &argumenty, const QByteArray &displej) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(displej));
            p.setProcessEnvironment(env);
            p.setProcessChannelMode(QProcess::MergedChannels);
            p.start(program, argumenty);
            if (!p.waitForStarted())
                return QStringLiteral("(%1 did not start: scripts/deps.sh installs it)\n").arg(program);
            if (!p.waitForFinished(60000))
                p.kill(), p.waitForFinished();
            return QString::fromLocal8Bit(p.readAll());
        };
        return QStringLiteral("---- its threads:\n")
            + spusti(QStringLiteral("gdb"), {QStringLiteral("-p"), QString::number(pid), QStringLiteral("-batch"),
                                             QStringLiteral("-ex"), QStringLiteral("thread apply all bt")}, displej_)
            + QStringLiteral("---- the server's windows, and the one with the focus:\n")
            + spusti(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-tree")}, displej_)
            + spusti(QStringLiteral("xdotool"), {QStringLiteral("getwindowfocus"), QStringLiteral("getwindowname")},
                     displej_);
    }

    // Why the server is not there for the test, for its failure message.
    QString chyba() const { return chyba_; }

private:
    // Each on a busy machine: Xvfb takes a second or two there, a window manager as long.
    static constexpr int Cas_servera = 20000, Cas_spravcu = 20000;
    QProcess server_, spravca_;
    QByteArray displej_;
    QString chyba_;

    // The window manager, ready once it names itself on the root window;
    // one that ended (it could not open the display) is started once more.
    bool Spusti_spravcu(const QByteArray &displej, const QString &program)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(displej));
        spravca_.setProcessEnvironment(env);
        spravca_.setProcessChannelMode(QProcess::MergedChannels); // its messages come on standard output
        // One connection for every look: each client leaving could reset a
        // server started without -noreset.
        xcb_connection_t *c = xcb_connect(displej.constData(), nullptr);
        bool ma = false;
        for (int pokus = 1; pokus <= 2 && !ma; ++pokus) {
            spravca_.start(program, program == QLatin1String("openbox") ? QStringList{QStringLiteral("--sm-disable")}
                                                                        : QStringList{});
            const QDeadlineTimer koniec(Cas_spravcu);
            bool skoncil = false;
            while (!(ma = Ma_spravcu(c)) && !koniec.hasExpired() && !(skoncil = spravca_.waitForFinished(20)))
                ;
            // Named, it may still be starting: a window mapped then is left
            // unframed, never shown. Ready once it frames one.
            ma = ma && Oramuje(c);
            if (ma)
                break;
            chyba_ += QStringLiteral("%1, try %2: %3\n%4\n")
                          .arg(program)
                          .arg(pokus)
                          .arg(skoncil ? QStringLiteral("ended with %1").arg(spravca_.exitCode())
                                       : QStringLiteral("not ready within %1 s").arg(Cas_spravcu / 1000))
                          .arg(QString::fromLocal8Bit(spravca_.readAll()));
            if (!skoncil)
                break;
        }
        xcb_disconnect(c);
        return ma;
    }

    // Whether the window manager frames a window of the test's own within
    // its time. A window mapped as it starts may be left unframed for good,
    // so each try maps a new one.
    static bool Oramuje(xcb_connection_t *c)
    {
        const xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const QDeadlineTimer koniec(Cas_spravcu);
        bool oramovane = false;
        while (!oramovane && !koniec.hasExpired()) {
            const xcb_window_t okno = xcb_generate_id(c);
            xcb_create_window(c, XCB_COPY_FROM_PARENT, okno, s->root, 0, 0, 10, 10, 0,
                              XCB_WINDOW_CLASS_INPUT_OUTPUT, s->root_visual, 0, nullptr);
            xcb_map_window(c, okno);
            xcb_flush(c);
            const QDeadlineTimer pokus(1000);
            for (; !oramovane && !pokus.hasExpired(); QThread::msleep(10)) {
                auto *t = xcb_query_tree_reply(c, xcb_query_tree(c, okno), nullptr);
                oramovane = t && t->parent != s->root;
                free(t);
            }
            xcb_destroy_window(c, okno);
            xcb_flush(c);
        }
        return oramovane;
    }

    static bool Ma_spravcu(xcb_connection_t *c)
    {
        if (xcb_connection_has_error(c))
            return false;
        bool ma = false;
        const xcb_screen_t *s = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        const char meno[] = "_NET_SUPPORTING_WM_CHECK";
        auto *atom = xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof meno - 1, meno), nullptr);
        if (atom && atom->atom != XCB_ATOM_NONE) {
            auto *p = xcb_get_property_reply(c, xcb_get_property(c, 0, s->root, atom->atom, XCB_ATOM_WINDOW, 0, 1),
                                             nullptr);
            ma = p && xcb_get_property_value_length(p) > 0;
            free(p);
        }
        free(atom);
        return ma;
    }
};

// Something acting as a window manager, on a connection and a thread of
// its own: it takes the redirect of the root's children, so windows are
// placed only as it says. Each window it maps it keeps at `velkost`,
// telling the window so by the synthetic ConfigureNotify a reparenting
// window manager sends; a window not yet mapped gets what it asks. One
// window may instead get what it asks and `velkost` back a while later
// (Vracaj), its requests counted.
class Spravca_velkosti {
public:
    explicit Spravca_velkosti(QSize velkost) : c_(xcb_connect(nullptr, nullptr)), velkost_(velkost)
    {
        if (xcb_connection_has_error(c_))
            return;
        const xcb_window_t koren = xcb_setup_roots_iterator(xcb_get_setup(c_)).data->root;
        const uint32_t maska[] = {XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT};
        xcb_generic_error_t *chyba =
            xcb_request_check(c_, xcb_change_window_attributes_checked(c_, koren, XCB_CW_EVENT_MASK, maska));
        bezi_ = !chyba; // another window manager has it
        free(chyba);
        if (bezi_)
            vlakno_ = std::thread([this] { Beh(); });
    }
    ~Spravca_velkosti()
    {
        koniec_ = true;
        if (vlakno_.joinable())
            vlakno_.join();
        xcb_disconnect(c_);
    }
    Spravca_velkosti(const Spravca_velkosti &) = delete;
    Spravca_velkosti &operator=(const Spravca_velkosti &) = delete;

    bool bezi() const { return bezi_; }
    // From now on the window gets its place and size as it asks for them
    // and `velkost` back `po` later (0: it keeps `velkost` at once).
    void Vracaj(unsigned okno, std::chrono::milliseconds po)
    {
        ziadosti_ = 0;
        vracane_ = okno, vracaj_po_ = po;
    }
    // Requests of that window's place or size since.
    int Ziadosti() const { return ziadosti_; }

private:
    using Hodiny = std::chrono::steady_clock;
    xcb_connection_t *c_;
    QSize velkost_;
    bool bezi_ = false;
    std::atomic<bool> koniec_{false};
    std::set<xcb_window_t> zobrazene_;
    std::atomic<unsigned> vracane_{0};
    std::atomic<std::chrono::milliseconds> vracaj_po_{};
    std::atomic<int> ziadosti_{0};
    std::optional<Hodiny::time_point> vrat_; // when `velkost` goes back to that window
    std::thread vlakno_;

    void Beh()
    {
        while (!koniec_) {
            pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
            poll(&p, 1, 20);
            while (xcb_generic_event_t *e = xcb_poll_for_event(c_)) {
                if ((e->response_type & 0x7f) == XCB_MAP_REQUEST) {
                    const xcb_window_t okno = reinterpret_cast<const xcb_map_request_event_t *>(e)->window;
                    zobrazene_.insert(okno);
                    Daj(okno, QRect(QPoint(), velkost_));
                    xcb_map_window(c_, okno);
                } else if ((e->response_type & 0x7f) == XCB_CONFIGURE_REQUEST) {
                    const auto *z = reinterpret_cast<const xcb_configure_request_event_t *>(e);
                    const bool vracane = z->window == vracane_ && vracaj_po_.load().count() > 0;
                    ziadosti_ += z->window == vracane_;
                    if (vracane && zobrazene_.count(z->window))
                        vrat_ = Hodiny::now() + vracaj_po_.load();
                    Daj(z->window, zobrazene_.count(z->window) && !vracane ? QRect(QPoint(), velkost_)
                                                                           : QRect(z->x, z->y, z->width, z->height));
                }
                free(e);
            }
            if (vrat_ && Hodiny::now() >= *vrat_)
                vrat_.reset(), Daj(vracane_, QRect(QPoint(), velkost_));
            xcb_flush(c_);
        }
    }
    void Daj(xcb_window_t okno, QRect kde)
    {
        const uint32_t hodnoty[] = {uint32_t(kde.x()), uint32_t(kde.y()), uint32_t(kde.width()), uint32_t(kde.height())};
        xcb_configure_window(c_, okno,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                             hodnoty);
        xcb_configure_notify_event_t oznam{};
        oznam.response_type = XCB_CONFIGURE_NOTIFY;
        oznam.event = oznam.window = okno;
        oznam.x = int16_t(kde.x()), oznam.y = int16_t(kde.y());
        oznam.width = uint16_t(kde.width()), oznam.height = uint16_t(kde.height());
        xcb_send_event(c_, 0, okno, XCB_EVENT_MASK_STRUCTURE_NOTIFY, reinterpret_cast<const char *>(&oznam));
    }
};

// A look at the X server the program runs on ($DISPLAY), over a connection
// of its own.
class Pohlad_na_x {
public:
    explicit Pohlad_na_x(const char *displej = nullptr) : c_(xcb_connect(displej, nullptr))
    {
        if (!xcb_connection_has_error(c_))
            obrazovka_ = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
    }
    ~Pohlad_na_x() { xcb_disconnect(c_); }
    Pohlad_na_x(const Pohlad_na_x &) = delete;
    Pohlad_na_x &operator=(const Pohlad_na_x &) = delete;

    QSize Velkost() const { return {obrazovka_->width_in_pixels, obrazovka_->height_in_pixels}; }
    // The screen's own colour, seen wherever no window paints.
    void Natri_koren(QRgb farba)
    {
        const uint32_t hodnota[] = {farba & 0xffffff};
        xcb_change_window_attributes(c_, obrazovka_->root, XCB_CW_BACK_PIXEL, hodnota);
        xcb_clear_area(c_, 0, obrazovka_->root, 0, 0, 0, 0);
        xcb_flush(c_);
    }
    // The desktop's X resources: Xft.dpi, the scale the desktop asks of
    // programs. Kept while this connection lasts (a server left without
    // clients resets and forgets them).
    void Nastav_xft_dpi(int dpi)
    {
        const QByteArray zdroje = "Xft.dpi:\t" + QByteArray::number(dpi) + "\n";
        xcb_change_property(c_, XCB_PROP_MODE_REPLACE, obrazovka_->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 8,
                            uint32_t(zdroje.size()), zdroje.constData());
        xcb_flush(c_);
    }
    // A window's rectangle on the screen, in screen pixels.
    QRect Okno(unsigned id) const
    {
        auto *g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, id), nullptr);
        auto *t = xcb_translate_coordinates_reply(c_, xcb_translate_coordinates(c_, id, obrazovka_->root, 0, 0), nullptr);
        const QRect r = g && t ? QRect(t->dst_x, t->dst_y, g->width, g->height) : QRect();
        free(g), free(t);
        return r;
    }
    // What a window manager does to a window: gives it a place and a size,
    // any, done once the server answers.
    void Umiestni(unsigned okno, QRect kde)
    {
        const uint32_t hodnoty[] = {uint32_t(kde.x()), uint32_t(kde.y()), uint32_t(kde.width()), uint32_t(kde.height())};
        xcb_configure_window(c_, okno,
                             XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                             hodnoty);
        free(xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr));
    }
    // Whether the server shows a window: it and its ancestors mapped.
    bool Ukazane(unsigned okno) const
    {
        auto *a = xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, okno), nullptr);
        const bool ukazane = a && a->map_state == XCB_MAP_STATE_VIEWABLE;
        free(a);
        return ukazane;
    }
    // A window with the frame a window manager put around it, in screen
    // pixels: its ancestor just below the root (the window itself with no
    // window manager).
    QRect Okno_s_ramom(unsigned id) const
    {
        for (;;) {
            auto *t = xcb_query_tree_reply(c_, xcb_query_tree(c_, id), nullptr);
            const unsigned rodic = t ? t->parent : 0;
            free(t);
            if (!rodic || rodic == obrazovka_->root)
                return Okno(id);
            id = rodic;
        }
    }
    // What the screen shows, all of it or within `kde`.
    QImage Obrazovka(QRect kde = {}) const
    {
        if (kde.isNull())
            kde = QRect(QPoint(), Velkost());
        auto *r = xcb_get_image_reply(c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, obrazovka_->root, int16_t(kde.x()),
                                                         int16_t(kde.y()), uint16_t(kde.width()), uint16_t(kde.height()), ~0u),
                                      nullptr);
        QImage obraz;
        if (r && xcb_get_image_data_length(r) == kde.width() * kde.height() * 4)
            obraz = QImage(xcb_get_image_data(r), kde.width(), kde.height(), QImage::Format_RGB32).copy();
        free(r);
        return obraz;
    }
    // What the close button on a window's frame does: the window manager is
    // asked to close the window, and asks the program (WM_DELETE_WINDOW).
    void Zatvor(unsigned okno)
    {
        xcb_client_message_event_t e{};
        e.response_type = XCB_CLIENT_MESSAGE;
        e.format = 32;
        e.window = okno;
        e.type = Atom("_NET_CLOSE_WINDOW");
        e.data.data32[0] = XCB_CURRENT_TIME;
        e.data.data32[1] = 2; // from a pager or a taskbar, as the pupil's hand
        xcb_send_event(c_, 0, obrazovka_->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char *>(&e));
        xcb_flush(c_);
    }
    // The window the server sends the keys to.
    unsigned Fokus() const
    {
        auto *f = xcb_get_input_focus_reply(c_, xcb_get_input_focus(c_), nullptr);
        const unsigned okno = f ? f->focus : 0;
        free(f);
        return okno;
    }
    // The pointer's picture as the server shows it.
    QSize Kurzor() const
    {
        free(xcb_xfixes_query_version_reply(c_, xcb_xfixes_query_version(c_, 4, 0), nullptr));
        auto *k = xcb_xfixes_get_cursor_image_reply(c_, xcb_xfixes_get_cursor_image(c_), nullptr);
        const QSize v = k ? QSize(k->width, k->height) : QSize();
        free(k);
        return v;
    }

    // Start-up notices sent from now on: a launcher's busy pointer ends
    // when the started program's "remove: ID=..." comes.
    void Pocuvaj_oznamenia()
    {
        const uint32_t maska[] = {XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_change_window_attributes(c_, obrazovka_->root, XCB_CW_EVENT_MASK, maska);
        zaciatok_ = Atom("_NET_STARTUP_INFO_BEGIN"), pokracovanie_ = Atom("_NET_STARTUP_INFO");
    }
    QStringList Oznamenia()
    {
        xcb_flush(c_);
        while (xcb_generic_event_t *e = xcb_poll_for_event(c_)) {
            const auto *z = reinterpret_cast<const xcb_client_message_event_t *>(e);
            if ((e->response_type & 0x7f) == XCB_CLIENT_MESSAGE && (z->type == zaciatok_ || z->type == pokracovanie_)) {
                if (z->type == zaciatok_)
                    rozpisane_.clear();
                const QByteArray kus(reinterpret_cast<const char *>(z->data.data8), 20);
                const qsizetype koniec = kus.indexOf('\0');
                rozpisane_ += kus.left(koniec < 0 ? 20 : koniec);
                if (koniec >= 0)
                    oznamenia_ << QString::fromUtf8(std::exchange(rozpisane_, {}));
            }
            free(e);
        }
        return oznamenia_;
    }

private:
    xcb_connection_t *c_;
    xcb_screen_t *obrazovka_ = nullptr;
    xcb_atom_t zaciatok_ = 0, pokracovanie_ = 0;
    QByteArray rozpisane_;
    QStringList oznamenia_;

    xcb_atom_t Atom(const char *meno) const
    {
        auto *r = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, uint16_t(strlen(meno)), meno), nullptr);
        const xcb_atom_t a = r ? r->atom : 0;
        free(r);
        return a;
    }
};

// Real input through the X server, as a pupil gives it.
inline bool Xdotool(const QStringList &prikaz)
{
    return QProcess::execute(QStringLiteral("xdotool"), prikaz) == 0;
}
inline bool Klikni_na_obrazovke(QPoint bod)
{
    return Xdotool({QStringLiteral("mousemove"), QString::number(bod.x()), QString::number(bod.y()),
                    QStringLiteral("click"), QStringLiteral("1")});
}
inline bool Napis_na_obrazovke(const QString &text)
{
    return Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("5"), text});
}

} // namespace lktest
