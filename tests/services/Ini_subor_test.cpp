// The INI reader behaves like the Windows profile call on the files a user
// or the installer may write.
#include "services/Ini_subor.h"

#include "Instalacia.h"

using Misc::Hodnota_z_ini;

TEST(Hodnota_z_ini, FindsValuesAsTheProfileCallDoes)
{
    struct Riadok {
        const char *nazov;
        QByteArray obsah;
        QString hodnota;
    } riadky[] = {
        {"plain key", "[KVR4]\nCD=D:\\Loravik\\\n", "D:\\Loravik\\"},
        {"backslashes kept as they stand", "[KVR4]\nCD=C:\\new\\table\\\\x\n", "C:\\new\\table\\\\x"},
        {"CR LF lines", "[KVR4]\r\nCD=/opt/lk\r\n", "/opt/lk"},
        {"section and key without case", "[kvr4]\ncd=/opt/lk\n", "/opt/lk"},
        {"blanks around names and value", "[ KVR4 ]\n  CD  =  /opt/lk  \n", "/opt/lk"},
        {"blanks inside value kept", "[KVR4]\nCD=/home/žiak/Moje dáta\n", "/home/žiak/Moje dáta"},
        {"equals sign inside value", "[KVR4]\nCD=/a=b\n", "/a=b"},
        {"first of two keys wins", "[KVR4]\nCD=/prvy\nCD=/druhy\n", "/prvy"},
        {"key of another section ignored", "[Ine]\nCD=/ine\n[KVR4]\nCD=/moje\n", "/moje"},
        {"only the first section of the name", "[KVR4]\nHD=/x\n[Ine]\n[KVR4]\nCD=/neskor\n", "Chyba"},
        {"comment line skipped", "[KVR4]\n;CD=/nie\nCD=/ano\n", "/ano"},
        {"empty value is missing", "[KVR4]\nCD=\n", "Chyba"},
        {"blank value is missing", "[KVR4]\nCD=   \n", "Chyba"},
        {"key missing", "[KVR4]\nHD=/x\n", "Chyba"},
        {"section missing", "CD=/x\n", "Chyba"},
        {"line without equals ignored", "[KVR4]\nCD\nCD=/x\n", "/x"},
        {"byte order mark in front", "\xEF\xBB\xBF[KVR4]\nCD=/x\n", "/x"},
        {"unterminated section header", "[KVR4\nCD=/x\n", "Chyba"},
    };
    QTemporaryDir adresar;
    const QString cesta = adresar.filePath("Loravik.ini");
    for (const Riadok &r : riadky) {
        Zapis(cesta, r.obsah);
        EXPECT_EQ(Hodnota_z_ini(cesta, "KVR4", "CD", "Chyba"), r.hodnota) << r.nazov;
    }
}

TEST(Hodnota_z_ini, MissingFileGivesTheDefault)
{
    QTemporaryDir adresar;
    EXPECT_EQ(Hodnota_z_ini(adresar.filePath("nie.ini"), "KVR4", "CD", "Chyba"), "Chyba");
    EXPECT_EQ(Hodnota_z_ini(adresar.path(), "KVR4", "CD", "Chyba"), "Chyba");
}
