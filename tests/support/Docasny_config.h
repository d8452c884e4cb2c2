#pragma once
// A temporary directory whose "config" and "data" folders are the user's
// configuration and data directories (XDG_CONFIG_HOME, XDG_DATA_HOME) for
// the object's life; or a given directory, which stays.
#include <QDir>
#include <QTemporaryDir>

#include <optional>

class Docasny_config {
public:
    explicit Docasny_config(const QString &koren = {})
    {
        if (koren.isEmpty())
            koren_ = novy_.emplace().path();
        else
            koren_ = koren;
        for (Premenna &p : premenne_) {
            p.stara = qgetenv(p.meno), p.mala = qEnvironmentVariableIsSet(p.meno);
            const QString cesta = QDir(koren_).filePath(QString::fromLatin1(p.adresar));
            QDir().mkpath(cesta);
            qputenv(p.meno, cesta.toUtf8());
        }
    }
    ~Docasny_config()
    {
        for (const Premenna &p : premenne_)
            p.mala ? qputenv(p.meno, p.stara) : qunsetenv(p.meno);
    }
    Docasny_config(const Docasny_config &) = delete;
    Docasny_config &operator=(const Docasny_config &) = delete;

    QString koren() const { return koren_; }
    QString config() const { return QDir(koren_).filePath("config"); }
    QString data() const { return QDir(koren_).filePath("data"); }

private:
    struct Premenna {
        const char *meno, *adresar;
        QByteArray stara = {};
        bool mala = false;
    };
    std::optional<QTemporaryDir> novy_;
    QString koren_;
    Premenna premenne_[2] = {{"XDG_CONFIG_HOME", "config"}, {"XDG_DATA_HOME", "data"}};
};
