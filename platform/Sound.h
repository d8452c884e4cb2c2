#pragma once
// Asynchronous playback of short WAV files (hover and click feedback).
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

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

class SoundThread;

// Sounds are read and decoded here, on the caller's thread, and played on a
// thread of their own (SoundThread): the sound device is looked up and a
// sound started and stopped there, so a sound server that does not answer
// only silences the sounds. At the end that thread is waited for a moment;
// one still held by the sound server is left to the end of the process.
class QtSound final : public Sound {
public:
    QtSound();
    ~QtSound() override;
    void Play(const QString &path) override;
    void Preload(const QString &path) override;

    // Whether the file is loaded and kept for later plays, and whether it
    // was a sound that can be played.
    bool IsCached(const QString &path) const;
    bool IsSound(const QString &path) const;

    struct Clip;

private:
    // The file's sound, read once and kept.
    std::shared_ptr<const Clip> Load(const QString &path);

    QHash<QString, std::shared_ptr<const Clip>> clips_;
    SoundThread *thread_ = nullptr; // made at the first sound
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
