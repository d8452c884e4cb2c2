#pragma once
// A temporary directory whose "config" folder is the user's configuration
// directory (XDG_CONFIG_HOME) for the object's life.
#include <QDir>
#include <QTemporaryDir>

class Docasny_config {
public:
    Docasny_config()
        : stary_(qgetenv("XDG_CONFIG_HOME")), mal_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        QDir().mkpath(config());
        qputenv("XDG_CONFIG_HOME", config().toUtf8());
    }
    ~Docasny_config()
    {
        if (mal_)
            qputenv("XDG_CONFIG_HOME", stary_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    Docasny_config(const Docasny_config &) = delete;
    Docasny_config &operator=(const Docasny_config &) = delete;

    QString koren() const { return koren_.path(); }
    QString config() const { return koren_.filePath("config"); }

private:
    QTemporaryDir koren_;
    QByteArray stary_;
    bool mal_;
};
