#pragma once
// Parts of results (a row of the table, an entry of the log) kept in a
// folder of this user's own until they are written to the shared data
// folder: "$XDG_DATA_HOME/loravik-kvantira2/neulozene/".
//
// Each part lies in a file of its own, "<time>-<random>.txt", holding the
// data folder, the kind of part and its text, one per line (the text may
// span lines), in UTF-8. A part is kept before it is written anywhere
// else, so a program ended at any moment leaves it here; the program that
// keeps it holds a lock on its file (as Zamok_priecinka does) until the
// part is written and the file removed, so that no other program of this
// user takes it in meanwhile. A file that nobody holds is a part still
// owed: the next save or start takes it in.
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace Misc {

QString Adresar_uschovanych();

class Uschovana_cast {
public:
    Uschovana_cast() = default;
    // Keeps `text`, part of kind `druh` for the data folder `hd`: written,
    // synced, and held. Not Uschovana() when it cannot be kept whole.
    static Uschovana_cast Uschovaj(const QString &hd, const QString &druh, const QString &text);
    // Lets the part go as it is: it stays kept for the next save or start.
    ~Uschovana_cast();
    Uschovana_cast(Uschovana_cast &&ina) noexcept;
    Uschovana_cast &operator=(Uschovana_cast &&ina) noexcept;

    bool Uschovana() const { return fd_ >= 0; }
    const QString &Text() const { return text_; }
    // The part is written: its file goes.
    void Zabudni();

private:
    friend struct Citanie_uschovanych;
    int fd_ = -1;
    QString meno_, text_;
};

// The kept parts of kind `druh` for data folder `hd` that no running
// program holds, oldest first, each now held by the caller; `cela` tells
// whether a text is a whole part. A file that holds no whole part (empty,
// cut short) is renamed to "….poskodeny", so that it is reported once and
// stays for a person to look at; `poskodene` names the new files.
struct Uschovane {
    std::vector<Uschovana_cast> casti;
    QStringList poskodene;
};
Uschovane Vezmi_uschovane(const QString &hd, const QString &druh, const std::function<bool(const QString &)> &cela);

} // namespace Misc
