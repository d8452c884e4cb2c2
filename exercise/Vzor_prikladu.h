#pragma once
// Example templates of one task, as read from the task data file.
//
// A record keeps only the pieces that its line gave; every other piece reads
// as empty text, so asking for any index is safe. Indices are those of the
// generators' tables:
//   Zadani(i)              assignment piece i (1..Max_zadani)
//   Zadani_strany(s, i)    tasks 13, 14: piece i of side s
//   Vysledek(i)            result piece i; tasks 11, 15-18: verification piece i
//   Vysledek2(i, j)        task 10: (1, piece); tasks 11, 15-18: (piece, column)
//   Vysledek3(i, j)        alternative / second result table, (piece, column)
//   Vysledek4(i, j)        third result table, (piece, column)
#include <QString>

#include <vector>

namespace Misc {

inline constexpr int Max_zadani = 90;  // highest index of Zadani
inline constexpr int Max_kusu = 50;    // highest index of every other table
inline constexpr int Max_vzoru = 1000; // templates of one task

class Vzor_prikladu {
public:
    enum class Pole : quint8 { Zadani, Zadani_strany, Vysledek, Vysledek2, Vysledek3, Vysledek4 };

    const QString &Druh() const { return druh; }
    const QString &Zadani_radek() const { return zadani_radek; }
    QString Zadani(int i) const { return Kus(Pole::Zadani, i, 0); }
    QString Zadani_strany(int strana, int i) const { return Kus(Pole::Zadani_strany, strana, i); }
    QString Vysledek(int i) const { return Kus(Pole::Vysledek, i, 0); }
    QString Vysledek2(int i, int j) const { return Kus(Pole::Vysledek2, i, j); }
    QString Vysledek3(int i, int j) const { return Kus(Pole::Vysledek3, i, j); }
    QString Vysledek4(int i, int j) const { return Kus(Pole::Vysledek4, i, j); }
    QString Kus(Pole pole, int i, int j) const;

    // Number of non-empty pieces in the tables (Druh and Zadani_radek aside).
    int Pocet_kusu() const { return int(kusy.size()); }

    // For the loader. Pridaj is false when an index lies beyond the tables.
    void Pridaj_do_druhu(QChar znak) { druh.append(znak); }
    void Pridaj_do_zadani_radku(QChar znak) { zadani_radek.append(znak); }
    bool Pridaj(Pole pole, int i, int j, QChar znak);

private:
    struct Kus_textu {
        Pole pole;
        quint8 i, j;
        QString text;
    };
    QString druh;
    QString zadani_radek;
    std::vector<Kus_textu> kusy;
};

// The templates of the current task, numbered from 1.
class Sada_vzoru {
public:
    int Pocet() const { return int(vzory.size()); }
    // Records outside 1..Pocet() read as empty records.
    const Vzor_prikladu &operator[](int k) const;
    void Pridaj(Vzor_prikladu vzor) { vzory.push_back(std::move(vzor)); }
    void Vyprazdni() { vzory.clear(); }

private:
    std::vector<Vzor_prikladu> vzory;
};

} // namespace Misc
