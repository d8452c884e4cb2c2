#pragma once
// A complete installation in a temporary directory: the user's configuration
// directory with "Loravik.ini", a resource directory and a data directory.
// The configuration directory is made the user's one for the fixture's life.
#include "platform/Services.h"
#include "support/Datove_subory.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "platform/Fixtures.h"

// Writes the file, making its directory first.
inline void Zapis(const QString &cesta, const QByteArray &bajty)
{
    QDir().mkpath(cesta.section(QLatin1Char('/'), 0, -2));
    ASSERT_TRUE(Zapis_subor(cesta, bajty)) << cesta.toStdString();
}

// Lines as the program's text files hold them: Windows-1250, CR LF.
inline QByteArray V_1250(const QStringList &riadky)
{
    QByteArray bajty;
    for (const QString &r : riadky)
        bajty += Misc::Text_do_1250(r) + "\r\n";
    return bajty;
}

class Instalacia {
public:
    Instalacia()
        : stary_config_(qgetenv("XDG_CONFIG_HOME")),
          mal_config_(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", config().toUtf8());
        QDir().mkpath(config());
        Zapis_ini(QStringLiteral("[KVR4]\nCD=%1\nHD=%2\n").arg(cd().chopped(1), hd().chopped(1)));
        for (const char *zdroj : {"Bitmap/Games/bg_01.bmp", "Bitmap/Tab/01.bmp", "Sound/click.wav"})
            Zapis(cd() + zdroj, "x");
        Zapis(hd() + "Vysledky.dat", "");
        Zapis(hd() + "Znamky.dat", V_1250({"0|49|5", "50|64|4", "65|79|3", "80|89|2", "90|100|1"}));
        Zapis_texty({QStringLiteral("Koniec?"), QStringLiteral("Chcete skončiť?")});
    }
    ~Instalacia()
    {
        if (mal_config_)
            qputenv("XDG_CONFIG_HOME", stary_config_);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    QString config() const { return koren_.filePath("config"); }
    QString ini() const { return config() + "/Loravik.ini"; }
    // The two directories, with a closing separator; the INI names them without.
    QString cd() const { return koren_.path() + "/cd/"; }
    QString hd() const { return koren_.path() + "/hd/"; }

    void Zapis_ini(const QString &text) { Zapis(ini(), text.toUtf8()); }
    void Zapis_texty(const QStringList &riadky)
    {
        ASSERT_TRUE(Zapis_prekodovany(hd() + "Texty.dat", riadky));
    }

    platform::FakeKeyboardLayout klavesnica{{QStringLiteral("0000041B"), platform::UsKeyboardLayout}};
    platform::FakeMessageBox box;
    platform::FakeSound zvuk;

private:
    QTemporaryDir koren_;
    QByteArray stary_config_;
    bool mal_config_;
    platform::ScopedService<platform::KeyboardLayout> klavesnica_guard_{klavesnica};
    platform::ScopedService<platform::MessageBox> box_guard_{box};
    platform::ScopedService<platform::Sound> zvuk_guard_{zvuk};
};
