#pragma once
// Asynchronous playback of short WAV files (hover and click feedback).
#include <QBuffer>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class QAudioSink;

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

    // Whether the file is loaded and kept for later plays, and whether it
    // was a sound that can be played.
    bool IsCached(const QString &path) const;
    bool IsSound(const QString &path) const;

private:
    struct Clip;
    // The file's sound, read once and kept.
    const Clip *Load(const QString &path);

    QHash<QString, std::shared_ptr<Clip>> clips_;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer playing_;
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
