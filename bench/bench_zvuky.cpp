// The hover sound as the screen's thread meets it: what QtSound::Play
// costs there, the file loaded already, with a sound server of the bench's
// own that answers and with that server stopped (SIGSTOP), as a server
// hanging on a Bluetooth or HDMI device is. A frame is 16 ms. Without
// pulseaudio the bench says so and measures nothing.
#include "platform/Sound.h"
#include "support/Zvukovy_server.h"

#include <QApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

lktest::Zvukovy_server *server;
platform::QtSound *zvuk;
const QString Subor = QStringLiteral(LK_RESOURCE_DIR "/Sound/enter.wav");

void Hraj(benchmark::State &state)
{
    for (auto _ : state) {
        zvuk->Play(Subor);
        QCoreApplication::processEvents();
    }
}

void BM_Zvuk_server_odpoveda(benchmark::State &state) { Hraj(state); }
BENCHMARK(BM_Zvuk_server_odpoveda)->UseRealTime()->Unit(benchmark::kMicrosecond);

void BM_Zvuk_server_zastaveny(benchmark::State &state)
{
    server->Zastav();
    Hraj(state);
    server->Pusti();
}
BENCHMARK(BM_Zvuk_server_zastaveny)->UseRealTime()->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    server = new lktest::Zvukovy_server;
    if (!server->bezi()) {
        std::fprintf(stderr, "PulseAudio did not start: %s\n", qPrintable(server->chyba()));
        return 0;
    }
    // Before Qt Multimedia first looks for the server.
    QTemporaryDir dir;
    const QProcessEnvironment env = lktest::Zvukovy_server::Prostredie(dir.path(), server->Socket());
    for (const QString &name : env.keys())
        qputenv(name.toLocal8Bit().constData(), env.value(name).toLocal8Bit());
    QApplication app(argc, argv);
    // As the program's, kept to its end.
    zvuk = new platform::QtSound;
    zvuk->Preload(Subor);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    delete server;
    return 0;
}
