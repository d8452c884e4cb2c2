#include "platform/Sound.h"

#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

namespace platform {

namespace {

// Resource paths are written with Windows separators throughout the program.
QString LocalPath(const QString &path)
{
    QString local = path;
    local.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return local;
}

} // namespace

QtSound::QtSound() = default;

QtSound::~QtSound() { qDeleteAll(effects_); }

QSoundEffect *QtSound::Effect(const QString &path)
{
    const QString local = LocalPath(path);
    if (auto it = effects_.constFind(local); it != effects_.constEnd())
        return *it;
    const QFileInfo file(local);
    if (!file.isFile() || !file.isReadable())
        return nullptr; // not cached: the file may be put in place later
    auto *effect = new QSoundEffect;
    effect->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    effects_.insert(local, effect);
    return effect;
}

void QtSound::Play(const QString &path)
{
    QSoundEffect *effect = Effect(path);
    if (!effect || effect->status() == QSoundEffect::Error)
        return;
    if (playing_ && playing_ != effect)
        playing_->stop();
    playing_ = effect;
    effect->stop(); // restarts a sound that is still playing
    effect->play();
}

void QtSound::Preload(const QString &path) { Effect(path); }

bool QtSound::IsCached(const QString &path) const
{
    return effects_.contains(LocalPath(path));
}

} // namespace platform
