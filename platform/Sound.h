#pragma once
// Asynchronous playback of short WAV files (hover and click feedback).
#include <QHash>
#include <QString>
#include <QStringList>

class QSoundEffect;

namespace platform {

class Sound {
public:
    virtual ~Sound() = default;

    // Starts the file and returns at once; a sound still playing is cut
    // off. A missing or unreadable file stays silent.
    virtual void Play(const QString &path) = 0;

    // Loads the file ahead of its first Play, so the first hover is not late.
    virtual void Preload(const QString &path) = 0;
};

class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void Play(const QString &path) override;
    void Preload(const QString &path) override;

    // Whether the file is loaded and kept for later plays.
    bool IsCached(const QString &path) const;

private:
    QSoundEffect *Effect(const QString &path);

    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *playing_ = nullptr;
};

class FakeSound final : public Sound {
public:
    void Play(const QString &path) override { played_.append(path); }
    void Preload(const QString &path) override { preloaded_.append(path); }

    const QStringList &Played() const { return played_; }
    const QStringList &Preloaded() const { return preloaded_; }

private:
    QStringList played_;
    QStringList preloaded_;
};

} // namespace platform
