// The scale the whole program is drawn at, chosen before the application
// starts: the largest at which the stage fills the screen (Qt's own
// high-DPI scaling, set before the first window exists).
#include "platform/DisplayMode.h"
#include "platform/Stage.h"
#include "platform/X11Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace platform {

namespace {
// Factors are whole 32nds: exact in binary, so the stage covers whole
// screen pixels and the screen's size in stage pixels is never rounded
// below the stage's.
constexpr int kScaleSteps = 32;

// The value of a Qt option given on the command line (-name value or --name value).
QByteArray option(int argc, char **argv, const char *name)
{
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == QByteArray("-") + name || arg == QByteArray("--") + name)
            return argv[i + 1];
    }
    return {};
}

// Whether Qt will start its X platform: asked for, or the default where a
// display is set and no Wayland session may be taken first.
bool startsOnX(int argc, char **argv)
{
    QByteArray platform = option(argc, argv, "platform");
    if (platform.isEmpty())
        platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform.split(':').first() == "xcb";
    return qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("WAYLAND_DISPLAY")
        && qgetenv("XDG_SESSION_TYPE") != "wayland";
}

// Elsewhere a short-lived application asks; the launcher's start-up
// notice stays for the real one, which completes it.
std::optional<x11::PrimaryScreen> askThroughQt(int argc, char **argv)
{
    const char *const notices[] = {"DESKTOP_STARTUP_ID", "XDG_ACTIVATION_TOKEN"};
    std::vector<std::optional<QByteArray>> kept;
    for (const char *name : notices)
        kept.push_back(qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    std::optional<x11::PrimaryScreen> answer;
    {
        // It takes its own copy of the arguments, as it removes those it knows.
        std::vector<char *> args(argv, argv + argc + 1);
        int n = argc;
        const QGuiApplication probe(n, args.data());
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            answer = x11::PrimaryScreen{QRect(QPoint(), (QSizeF(screen->size()) * screen->devicePixelRatio()).toSize()),
                                        screen->devicePixelRatio()};
    }
    for (size_t i = 0; i < kept.size(); ++i)
        if (kept[i])
            qputenv(notices[i], *kept[i]);
    return answer;
}
} // namespace

double stageScaleFor(QSize screenPixels)
{
    const double fits = std::min(screenPixels.width() / double(Stage::kWidth),
                                 screenPixels.height() / double(Stage::kHeight));
    return std::max(1.0, std::floor(fits * kScaleSteps) / kScaleSteps);
}

void scaleToScreen(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR"))
        return;
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    // On X the server is asked directly: Qt's platform started twice would
    // connect twice and cost the start a good part of its time. Factors of
    // the user's own (per screen, from the monitor's size) only Qt knows.
    const bool ownFactors = qEnvironmentVariableIsSet("QT_SCREEN_SCALE_FACTORS")
        || qEnvironmentVariableIsSet("QT_USE_PHYSICAL_DPI");
    const std::optional<x11::PrimaryScreen> screen = startsOnX(argc, argv) && !ownFactors
        ? x11::askPrimaryScreen(option(argc, argv, "display"))
        : askThroughQt(argc, argv);
    if (!screen)
        return;
    // A factor the platform already applies stays; ours comes on top.
    qputenv("QT_SCALE_FACTOR",
            QByteArray::number(stageScaleFor(screen->pixels.size()) / screen->platformFactor, 'g', 17));
}

} // namespace platform
