#include "platform/Sound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QWaveDecoder>

namespace platform {

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

} // namespace

// A sound is decoded here, on the screen's thread, not by Qt's sound effect:
// its sample cache decodes on a thread of its own, which the end of the
// program met mid-sound (a crash as the application object went, or a hang
// in exit()).
struct QtSound::Clip {
    QAudioFormat format;
    QByteArray samples; // empty: a file that is no sound stays silent
};

QtSound::QtSound() = default;

QtSound::~QtSound()
{
    if (sink_)
        sink_->stop();
}

const QtSound::Clip *QtSound::Load(const QString &path)
{
    const QString local = LocalPath(path);
    if (auto it = clips_.constFind(local); it != clips_.constEnd())
        return it->get();
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
    return clip.get();
}

void QtSound::Play(const QString &path)
{
    const Clip *clip = Load(path);
    if (!clip || clip->samples.isEmpty())
        return;
    // A sound still playing is cut off.
    if (sink_)
        sink_->stop();
    playing_.close();
    if (!sink_ || sink_->format() != clip->format) {
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull() || !output.isFormatSupported(clip->format))
            return;
        sink_ = std::make_unique<QAudioSink>(output, clip->format);
    }
    playing_.setData(clip->samples);
    playing_.open(QIODevice::ReadOnly);
    sink_->start(&playing_);
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
