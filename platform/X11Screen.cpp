#include "platform/X11Screen.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMetaObject>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>
#include <xcb/randr.h>
#include <xcb/xcb.h>

namespace platform::x11 {

namespace {

template <class T> using Reply = std::unique_ptr<T, decltype(&free)>;
template <class T> Reply<T> reply(T *r) { return Reply<T>(r, &free); }

xcb_screen_t *screenOf(xcb_connection_t *c, int number)
{
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem && i < number; ++i)
        xcb_screen_next(&it);
    return it.rem ? it.data : nullptr;
}

// Qt takes the primary monitor, else the first; without monitors (RandR
// before 1.5) the whole root window.
QRect primaryMonitor(xcb_connection_t *c, xcb_screen_t *screen)
{
    const QRect root(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    const xcb_query_extension_reply_t *randr = xcb_get_extension_data(c, &xcb_randr_id);
    if (!randr || !randr->present)
        return root;
    const auto version = reply(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 5), nullptr));
    if (!version || (version->major_version == 1 && version->minor_version < 5))
        return root;
    const auto monitors = reply(xcb_randr_get_monitors_reply(c, xcb_randr_get_monitors(c, screen->root, 1), nullptr));
    if (!monitors)
        return root;
    std::optional<QRect> first;
    for (auto it = xcb_randr_get_monitors_monitors_iterator(monitors.get()); it.rem; xcb_randr_monitor_info_next(&it)) {
        const QRect r(it.data->x, it.data->y, it.data->width, it.data->height);
        if (it.data->primary)
            return r;
        if (!first)
            first = r;
    }
    return first.value_or(root);
}

// Qt's xcb platform scales by the X resources' Xft.dpi over 96.
double platformFactor(xcb_connection_t *c, xcb_screen_t *screen)
{
    if (qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING") && qEnvironmentVariableIntValue("QT_ENABLE_HIGHDPI_SCALING") == 0)
        return 1;
    const auto resources = reply(xcb_get_property_reply(
        c, xcb_get_property(c, false, screen->root, XCB_ATOM_RESOURCE_MANAGER, XCB_ATOM_STRING, 0, 1 << 16), nullptr));
    if (!resources)
        return 1;
    const QByteArray text(static_cast<const char *>(xcb_get_property_value(resources.get())),
                          xcb_get_property_value_length(resources.get()));
    for (const QByteArray &line : text.split('\n'))
        if (line.startsWith("Xft.dpi:")) {
            const int dpi = line.mid(8).trimmed().toInt();
            return dpi > 0 ? dpi / 96.0 : 1;
        }
    return 1;
}

xcb_connection_t *qtConnection()
{
    auto *x = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x ? x->connection() : nullptr;
}

// An atom of Qt's connection, 0 if none.
xcb_atom_t atom(const char *name)
{
    xcb_connection_t *c = qtConnection();
    if (!c)
        return 0;
    const auto r = reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr));
    return r ? r->atom : 0;
}

// The screen of the display the application connected to.
int displayScreen()
{
    char *host = nullptr;
    int display = 0, screen = 0;
    const bool parsed = xcb_parse_display(qgetenv("DISPLAY").constData(), &host, &display, &screen);
    free(host);
    return parsed ? screen : 0;
}

} // namespace

std::optional<PrimaryScreen> askPrimaryScreen(const QByteArray &display)
{
    int number = 0;
    static xcb_connection_t *c = nullptr;
    xcb_disconnect(c);
    // A server whose last client has just left resets and refuses
    // connections meanwhile: asked again for a while. Held open, this
    // connection keeps it from resetting before Qt's own is made.
    const QDeadlineTimer patience(2000);
    for (;;) {
        c = xcb_connect(display.isEmpty() ? nullptr : display.constData(), &number);
        if (!xcb_connection_has_error(c) || patience.hasExpired())
            break;
        xcb_disconnect(c);
        QThread::msleep(20);
    }
    std::optional<PrimaryScreen> answer;
    if (!xcb_connection_has_error(c))
        if (xcb_screen_t *screen = screenOf(c, number))
            answer = PrimaryScreen{primaryMonitor(c, screen), platformFactor(c, screen)};
    // Closed once the application has its own connection.
    qAddPreRoutine([] {
        QMetaObject::invokeMethod(QCoreApplication::instance(), [] { xcb_disconnect(std::exchange(c, nullptr)); },
                                  Qt::QueuedConnection);
    });
    return answer;
}

bool running()
{
    return qtConnection() && QGuiApplication::platformName() == QLatin1String("xcb");
}

std::optional<QRect> primaryScreenPixels()
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    xcb_screen_t *screen = c ? screenOf(c, displayScreen()) : nullptr;
    if (!screen)
        return std::nullopt;
    return primaryMonitor(c, screen);
}

bool withoutWindowManager()
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    xcb_screen_t *screen = c ? screenOf(c, displayScreen()) : nullptr;
    if (!screen)
        return false;
    // A window manager is the client that redirects the root's children.
    const auto attributes =
        reply(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, screen->root), nullptr));
    return attributes && !(attributes->all_event_masks & XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT);
}

void placeWindow(QWidget *w, QRect pixels)
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    if (!c)
        return;
    const uint32_t values[] = {uint32_t(pixels.x()), uint32_t(pixels.y()), uint32_t(pixels.width()),
                               uint32_t(pixels.height())};
    xcb_configure_window(c, xcb_window_t(w->winId()),
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(c);
}

void moveWindow(QWidget *w, QPoint pixels)
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    if (!c)
        return;
    const uint32_t values[] = {uint32_t(pixels.x()), uint32_t(pixels.y())};
    xcb_configure_window(c, xcb_window_t(w->winId()), XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
    xcb_flush(c);
}

void putImage(QWidget *w, const QImage &image, QPoint offset, const std::vector<QRect> &rects)
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    if (!c || image.depth() != 32 || xcb_get_setup(c)->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return;
    const auto window = xcb_window_t(w->winId());
    // A window's depth is asked once: the visual Qt gave it stays.
    static xcb_window_t known = 0;
    static uint8_t depth = 0;
    if (known != window) {
        const auto geometry = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
        if (!geometry)
            return;
        known = window, depth = geometry->depth;
    }
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, window, 0, nullptr);
    std::vector<uint32_t> pixels;
    for (const QRect &r : rects) {
        const QRect from = r.translated(offset) & image.rect();
        if (from.isEmpty())
            continue;
        pixels.resize(size_t(from.width()) * from.height());
        for (int y = 0; y < from.height(); ++y)
            std::memcpy(&pixels[size_t(y) * from.width()],
                        reinterpret_cast<const uint32_t *>(image.constScanLine(from.top() + y)) + from.left(),
                        size_t(from.width()) * 4);
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc, uint16_t(from.width()), uint16_t(from.height()),
                      int16_t(from.left() - offset.x()), int16_t(from.top() - offset.y()), 0, depth,
                      uint32_t(pixels.size() * 4), reinterpret_cast<const uint8_t *>(pixels.data()));
    }
    xcb_free_gc(c, gc);
    xcb_flush(c);
}

unsigned coverWithBlack(QWidget *parent, QSize pixels)
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    xcb_screen_t *screen = c ? screenOf(c, displayScreen()) : nullptr;
    if (!screen)
        return 0;
    const xcb_window_t id = xcb_generate_id(c);
    const uint32_t background[] = {screen->black_pixel};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, id, xcb_window_t(parent->winId()), 0, 0, uint16_t(pixels.width()),
                      uint16_t(pixels.height()), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                      XCB_CW_BACK_PIXEL, background);
    const uint32_t below[] = {XCB_STACK_MODE_BELOW};
    xcb_configure_window(c, id, XCB_CONFIG_WINDOW_STACK_MODE, below);
    xcb_map_window(c, id);
    xcb_flush(c);
    return id;
}

namespace {

// The X screen a window is on, as large as it is now: the screen may have
// been resized since the program connected.
std::optional<QSize> screenOfWindow(xcb_connection_t *c, xcb_window_t window)
{
    // A window destroyed meanwhile has none: said here, not in Qt's log.
    xcb_generic_error_t *gone = nullptr;
    const auto own = reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), &gone));
    free(gone);
    const auto root = own ? reply(xcb_get_geometry_reply(c, xcb_get_geometry(c, own->root), nullptr))
                          : Reply<xcb_get_geometry_reply_t>(nullptr, &free);
    if (!root)
        return std::nullopt;
    return QSize(root->width, root->height);
}

} // namespace

unsigned configuredWindowOf(const QByteArray &eventType, const void *message)
{
    if (eventType != "xcb_generic_event_t")
        return 0;
    const auto *e = static_cast<const xcb_configure_notify_event_t *>(message);
    return (e->response_type & 0x7f) == XCB_CONFIGURE_NOTIFY ? e->event : 0;
}

unsigned cutToScreen(const QByteArray &eventType, void *message, const std::function<bool(unsigned)> &ours)
{
    const unsigned window = configuredWindowOf(eventType, message);
    if (!window || !ours(window))
        return 0;
    auto *e = static_cast<xcb_configure_notify_event_t *>(message);
    xcb_connection_t *c = qtConnection();
    const std::optional<QSize> screen = c ? screenOfWindow(c, e->window) : std::nullopt;
    if (!screen || (e->width <= screen->width() && e->height <= screen->height()))
        return 0;
    e->width = uint16_t(std::min<int>(e->width, screen->width()));
    e->height = uint16_t(std::min<int>(e->height, screen->height()));
    return e->event;
}

void placeAsQtHasIt(QWidget *w)
{
    xcb_connection_t *c = running() ? qtConnection() : nullptr;
    const std::optional<QSize> screen = c ? screenOfWindow(c, xcb_window_t(w->winId())) : std::nullopt;
    if (!screen)
        return;
    // Qt rounds a logical size at a fractional scale, to a pixel beyond the
    // screen where it took the screen's size.
    const qreal s = w->devicePixelRatioF();
    placeWindow(w, QRect(w->geometry().topLeft() * s, w->size() * s) & QRect(QPoint(), *screen));
}

unsigned closeRequestOf(const QByteArray &eventType, const void *message)
{
    if (eventType != "xcb_generic_event_t")
        return 0;
    const auto *e = static_cast<const xcb_client_message_event_t *>(message);
    if ((e->response_type & 0x7f) != XCB_CLIENT_MESSAGE || e->format != 32)
        return 0;
    static const xcb_atom_t protocols = atom("WM_PROTOCOLS"), deleteWindow = atom("WM_DELETE_WINDOW");
    return e->type == protocols && e->data.data32[0] == deleteWindow ? e->window : 0;
}

std::optional<unsigned> serverTime()
{
    // Qt's reader thread takes every event of Qt's own connection: the
    // time comes with a change of a property of a window of this one.
    static xcb_connection_t *c = nullptr;
    static xcb_window_t window = 0;
    if (!c && running()) {
        int number = 0;
        c = xcb_connect(qgetenv("DISPLAY").constData(), &number);
        const xcb_screen_t *screen = xcb_connection_has_error(c) ? nullptr : screenOf(c, number);
        if (!screen) {
            xcb_disconnect(std::exchange(c, nullptr));
            return std::nullopt;
        }
        window = xcb_generate_id(c);
        const uint32_t events[] = {XCB_EVENT_MASK_PROPERTY_CHANGE};
        xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, events);
    }
    if (!c)
        return std::nullopt;
    xcb_change_property(c, XCB_PROP_MODE_APPEND, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8, 0, nullptr);
    xcb_flush(c);
    while (xcb_generic_event_t *e = xcb_wait_for_event(c)) {
        const bool told = (e->response_type & 0x7f) == XCB_PROPERTY_NOTIFY;
        const unsigned time = told ? reinterpret_cast<xcb_property_notify_event_t *>(e)->time : 0;
        free(e);
        if (told)
            return time;
    }
    xcb_disconnect(std::exchange(c, nullptr)); // the server went away
    return std::nullopt;
}

} // namespace platform::x11
