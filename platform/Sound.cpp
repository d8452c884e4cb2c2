#include "platform/Sound.h"

#include "platform/KeptForTheRun.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QThread>
#include <QWaveDecoder>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <unistd.h>
#include <vector>

namespace platform {

// A sound is decoded on the caller's thread, not by Qt's sound effect: its
// sample cache decodes on a thread of its own, which the end of the
// program met mid-sound (a crash as the application object went, or a hang
// in exit()).
struct QtSound::Clip {
    QAudioFormat format;
    QByteArray samples; // empty: a file that is no sound stays silent
};

// Qt Multimedia waits on the sound server as it looks up the device and as
// a sound starts and stops: for seconds, or for good where the server hangs
// (on a Bluetooth or HDMI device, or stopped). Here that holds only this
// thread. It plays the newest sound asked for; sounds asked for while it
// is held replace one another, so nothing piles up behind it.
class SoundThread final : public QObject {
public:
    SoundThread();
    // From any thread; returns at once.
    void Play(std::shared_ptr<const QtSound::Clip> clip);
    // Stops the sound and ends the thread, waiting up to bound; whether it
    // ended. Asked again, it only waits.
    bool End(std::chrono::milliseconds bound);

private:
    void PlayWaiting();

    QThread thread_;
    std::mutex mutex_;
    std::shared_ptr<const QtSound::Clip> waiting_;
    bool asked_ = false; // a PlayWaiting is on its way to the thread
    bool ending_ = false;
    // Made and used on the thread only; the sink reads the buffer and goes first.
    std::unique_ptr<QBuffer> playing_;
    std::unique_ptr<QAudioSink> sink_;
};

namespace {

// Resource paths are written with Windows separators throughout the program.
QString LocalPath(const QString &path)
{
    QString local = path;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return local;
}

// Larger than any sound of the program's; more is not read.
constexpr qint64 MaxWaveBytes = 8 << 20;

// How long the end waits for a sound thread, and exit() for one left held.
constexpr std::chrono::milliseconds EndWait{1000};
constexpr std::chrono::milliseconds ExitWait{300};

// The sound threads not yet ended, for the end of the process.
struct RunningThreads {
    std::mutex mutex;
    std::vector<SoundThread *> threads;
};

RunningThreads &running()
{
    static const KeptForTheRun<RunningThreads> instance;
    return *instance;
}

// Whether Qt Multimedia has been asked for the sound device in this process.
std::atomic<bool> multimediaUsed{false};

// exit() destroys Qt Multimedia's statics, the connection to the sound
// server among them, some as they were made and some with the library.
// That teardown is not safe: a sound thread still inside it woke into
// freed memory (libpulse aborted the program), or exit() waited for the
// server on a lock that thread held; and with every sound stopped and the
// thread ended, libpulse still aborted now and then in it on a busy
// machine. The thread-local objects of the thread that calls exit() go
// before all of that: this one, on the screen's thread, ends the sound
// threads for a moment, and once Qt Multimedia has been used, has the
// process end there with exit()'s status. What exit() does after that
// frees what the system frees anyway; streams are flushed.
struct EndSoundThreadsFirstAtExit {
    ~EndSoundThreadsFirstAtExit()
    {
        std::vector<SoundThread *> threads;
        {
            const std::lock_guard lock(running().mutex);
            threads = running().threads;
        }
        for (SoundThread *thread : threads)
            thread->End(ExitWait);
        // Called before every handler registered up to now.
        if (multimediaUsed)
            ::on_exit(
                [](int status, void *) {
                    std::fflush(nullptr);
                    ::_exit(status);
                },
                nullptr);
    }
};

void EndSoundThreadsFirstAtExitOfThisThread()
{
    static thread_local EndSoundThreadsFirstAtExit guard;
    (void)guard;
}

} // namespace

SoundThread::SoundThread()
{
    thread_.setObjectName(QStringLiteral("Zvuky"));
    moveToThread(&thread_);
    {
        const std::lock_guard lock(running().mutex);
        running().threads.push_back(this);
    }
    thread_.start();
}

void SoundThread::Play(std::shared_ptr<const QtSound::Clip> clip)
{
    const std::lock_guard lock(mutex_);
    if (ending_)
        return;
    waiting_ = std::move(clip);
    if (!asked_) {
        asked_ = true;
        QMetaObject::invokeMethod(this, [this] { PlayWaiting(); }, Qt::QueuedConnection);
    }
}

void SoundThread::PlayWaiting()
{
    std::shared_ptr<const QtSound::Clip> clip;
    {
        const std::lock_guard lock(mutex_);
        clip = std::move(waiting_);
        asked_ = false;
    }
    if (!clip)
        return;
    // A sound still playing is cut off.
    if (sink_)
        sink_->stop();
    if (playing_)
        playing_->close();
    if (!sink_ || sink_->format() != clip->format) {
        sink_.reset();
        multimediaUsed = true;
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull() || !output.isFormatSupported(clip->format))
            return;
        sink_ = std::make_unique<QAudioSink>(output, clip->format);
    }
    if (!playing_)
        playing_ = std::make_unique<QBuffer>();
    playing_->setData(clip->samples);
    playing_->open(QIODevice::ReadOnly);
    sink_->start(playing_.get());
}

bool SoundThread::End(std::chrono::milliseconds bound)
{
    {
        const std::lock_guard lock(mutex_);
        waiting_.reset();
        if (!ending_) {
            ending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    sink_.reset();
                    playing_.reset();
                    thread_.quit();
                },
                Qt::QueuedConnection);
        }
    }
    if (!thread_.wait(QDeadlineTimer(bound)))
        return false;
    const std::lock_guard lock(running().mutex);
    std::erase(running().threads, this);
    return true;
}

QtSound::QtSound() = default;

QtSound::~QtSound()
{
    if (!thread_)
        return;
    // One held by the sound server is left to the end of the process.
    if (thread_->End(EndWait))
        delete thread_;
}

std::shared_ptr<const QtSound::Clip> QtSound::Load(const QString &path)
{
    const QString local = LocalPath(path);
    if (auto it = clips_.constFind(local); it != clips_.constEnd())
        return *it;
    const QFileInfo info(local);
    if (!info.isFile() || !info.isReadable())
        return nullptr; // not kept: the file may be put in place later
    auto clip = std::make_shared<Clip>();
    QFile file(info.absoluteFilePath());
    if (info.size() <= MaxWaveBytes && file.open(QIODevice::ReadOnly)) {
        QBuffer whole;
        whole.setData(file.readAll());
        QWaveDecoder wave(&whole);
        whole.open(QIODevice::ReadOnly);
        // The whole file is there, so the header is read as it opens.
        if (wave.open(QIODevice::ReadOnly) && wave.audioFormat().isValid()) {
            clip->format = wave.audioFormat();
            clip->samples = wave.readAll();
        }
    }
    clips_.insert(local, clip);
    return clip;
}

void QtSound::Play(const QString &path)
{
    std::shared_ptr<const Clip> clip = Load(path);
    if (!clip || clip->samples.isEmpty())
        return;
    if (!thread_) {
        EndSoundThreadsFirstAtExitOfThisThread();
        thread_ = new SoundThread;
    }
    thread_->Play(std::move(clip));
}

void QtSound::Preload(const QString &path) { Load(path); }

bool QtSound::IsCached(const QString &path) const
{
    return clips_.contains(LocalPath(path));
}

bool QtSound::IsSound(const QString &path) const
{
    const auto clip = clips_.value(LocalPath(path));
    return clip && !clip->samples.isEmpty();
}

} // namespace platform
