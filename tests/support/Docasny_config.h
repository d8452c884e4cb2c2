#pragma once
// A temporary directory whose "config" and "data" folders are the user's
// configuration and data directories (XDG_CONFIG_HOME, XDG_DATA_HOME) for
// the object's life.
#include <QDir>
#include <QTemporaryDir>

class Docasny_config {
public:
    Docasny_config()
    {
        for (Premenna &p : premenne_) {
            p.stara = qgetenv(p.meno), p.mala = qEnvironmentVariableIsSet(p.meno);
            const QString cesta = koren_.filePath(QString::fromLatin1(p.adresar));
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

    QString koren() const { return koren_.path(); }
    QString config() const { return koren_.filePath("config"); }
    QString data() const { return koren_.filePath("data"); }

private:
    struct Premenna {
        const char *meno, *adresar;
        QByteArray stara = {};
        bool mala = false;
    };
    QTemporaryDir koren_;
    Premenna premenne_[2] = {{"XDG_CONFIG_HOME", "config"}, {"XDG_DATA_HOME", "data"}};
};
