// The INI reader behaves like the Windows profile call on the files a user
// or the installer may write.
#include "services/Ini_subor.h"

#include "Instalacia.h"

TEST(Hodnota_z_ini, FindsValuesAsTheProfileCallDoes)
{
    struct Riadok {
        const char *nazov;
        QByteArray obsah;
        QString hodnota;
    } riadky[] = {
        {"backslashes kept as they stand", "[KVR4]\nCD=C:\\new\\table\\\\x\\\n", "C:\\new\\table\\\\x\\"},
        {"CR LF lines, names without case", "[kvr4]\r\ncd=/opt/lk\r\n", "/opt/lk"},
        {"blanks around trimmed, inside kept", "[ KVR4 ]\n  CD  = /home/žiak/Moje dáta  \n", "/home/žiak/Moje dáta"},
        {"first of two keys wins", "[KVR4]\nCD=/prvy\nCD=/druhy\n", "/prvy"},
        {"key of another section ignored", "[Ine]\nCD=/ine\n[KVR4]\n;CD=/nie\nCD=/moje\n", "/moje"},
        {"empty value counts as missing", "[KVR4]\nCD=   \n", "Chyba"},
        {"section missing", "CD=/x\n[KVR4\nCD=/y\n", "Chyba"},
        {"byte order mark in front", "\xEF\xBB\xBF[KVR4]\nCD=/x\n", "/x"},
    };
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("Loravik.ini");
    for (const Riadok &r : riadky) {
        Zapis(cesta, r.obsah);
        EXPECT_EQ(Misc::Hodnota_z_ini(cesta, "KVR4", "CD", "Chyba"), r.hodnota) << r.nazov;
    }
    EXPECT_EQ(Misc::Hodnota_z_ini(adresar.filePath("nie.ini"), "KVR4", "CD", "Chyba"), "Chyba");
}
