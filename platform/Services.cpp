#include "platform/Services.h"

#include "platform/KeptForTheRun.h"
#include "platform/PrinterDevice.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace platform {

Services::Services() = default;
Services::~Services() = default;

template <>
std::unique_ptr<Clock> Services::MakeReal<Clock>() { return std::make_unique<SystemClock>(); }

template <>
std::unique_ptr<Sound> Services::MakeReal<Sound>() { return std::make_unique<QtSound>(); }

template <>
std::unique_ptr<MessageBox> Services::MakeReal<MessageBox>()
{
    return std::make_unique<QtMessageBox>();
}

template <>
std::unique_ptr<RandomSource> Services::MakeReal<RandomSource>()
{
    return std::make_unique<EngineRandom>();
}

template <>
std::unique_ptr<DisplayMode> Services::MakeReal<DisplayMode>()
{
    return std::make_unique<ScreenDisplayMode>();
}

template <>
std::unique_ptr<KeyboardLayout> Services::MakeReal<KeyboardLayout>()
{
    return std::make_unique<RememberedKeyboardLayout>();
}

template <>
std::unique_ptr<Printer> Services::MakeReal<Printer>()
{
    return std::make_unique<PrinterDevice>();
}

template <>
std::unique_ptr<PrinterDirectory> Services::MakeReal<PrinterDirectory>()
{
    return MakeSystemPrinterDirectory();
}

void Services::ReleaseRealAtExit()
{
    static bool registered = false;
    if (registered || !QCoreApplication::instance())
        return;
    registered = true;
    qAddPostRoutine([] { services().ReleaseReal(); });
}

Services &services()
{
    static const KeptForTheRun<Services> instance;
    return *instance;
}

QString DefaultPdfPath()
{
    // Many desktops name a documents folder that was never made: it is made
    // when a file is written there, not for offering one.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    const QDir dir(folder);
    QString name = QStringLiteral("pracovny_list.pdf");
    for (int n = 2; dir.exists(name); ++n)
        name = QStringLiteral("pracovny_list_%1.pdf").arg(n);
    return dir.filePath(name);
}

} // namespace platform
