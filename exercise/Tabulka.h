#pragma once
// A two-dimensional table indexed from 0 in both directions, as the
// generators' example tables (0 to 50 by 0 to 50). An index outside the
// table is a fault of the caller and throws instead of reading stray memory.
#include <QString>

#include <stdexcept>
#include <string>
#include <vector>

template <class T> class Tabulka {
public:
    Tabulka(int horny_riadok, int horny_stlpec)
        : riadkov_(horny_riadok + 1), stlpcov_(horny_stlpec + 1), hodnoty_(size_t(riadkov_ * stlpcov_))
    {
    }

    T &operator()(int i, int j) { return hodnoty_[miesto(i, j)]; }
    const T &operator()(int i, int j) const { return hodnoty_[miesto(i, j)]; }

    int Horny_riadok() const { return riadkov_ - 1; }
    int Horny_stlpec() const { return stlpcov_ - 1; }

    // Every element back to its empty value.
    void Vymaz() { std::fill(hodnoty_.begin(), hodnoty_.end(), T{}); }

private:
    int riadkov_, stlpcov_;
    std::vector<T> hodnoty_;

    size_t miesto(int i, int j) const
    {
        if (i < 0 || i >= riadkov_ || j < 0 || j >= stlpcov_)
            throw std::out_of_range("Index (" + std::to_string(i) + ", " + std::to_string(j) + ") outside the table");
        return size_t(i * stlpcov_ + j);
    }
};

// The example tables of the exercise screen: 0..50 by 0..50 texts.
class Tabulka_prikladov : public Tabulka<QString> {
public:
    Tabulka_prikladov() : Tabulka(50, 50) {}
};
