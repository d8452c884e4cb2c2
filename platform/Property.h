#pragma once
// A named property that reads and writes through its owner's getter and
// setter, so screens can write `TV1(i)->Top = TV1(1)->Top + 35;`.
#include <QString>
#include <type_traits>

namespace platform {

template <class Owner, class T, auto Get, auto Set>
class Prop {
public:
    explicit Prop(Owner *owner) : owner_(owner) {}
    Prop(const Prop &) = delete;

    operator T() const { return (owner_->*Get)(); }
    T operator()() const { return (owner_->*Get)(); }

    Prop &operator=(T value)
    {
        (owner_->*Set)(std::move(value));
        return *this;
    }
    // Copies the value, never the binding.
    Prop &operator=(const Prop &other) { return *this = T(other); }
    template <class U>
        requires(std::is_convertible_v<const U &, T> && !std::is_same_v<U, T>)
    Prop &operator=(const U &value)
    {
        return *this = T(value);
    }

    template <class U> Prop &operator+=(const U &v) { return *this = T((*this)() + v); }
    template <class U> Prop &operator-=(const U &v) { return *this = T((*this)() - v); }

private:
    Owner *owner_;
};

// Text properties join with plain strings on either side.
template <class O, auto G, auto S>
QString operator+(const Prop<O, QString, G, S> &p, const QString &s) { return p() + s; }
template <class O, auto G, auto S>
QString operator+(const QString &s, const Prop<O, QString, G, S> &p) { return s + p(); }
template <class O, auto G, auto S>
QString operator+(const Prop<O, QString, G, S> &p, const char *s) { return p() + QString::fromUtf8(s); }
template <class O, auto G, auto S>
QString operator+(const char *s, const Prop<O, QString, G, S> &p) { return QString::fromUtf8(s) + p(); }

} // namespace platform

// Declares `Name` bound to `getter` / `setter` of the enclosing class `Cls`.
#define LK_PROP(Cls, Type, Name, getter, setter) \
    ::platform::Prop<Cls, Type, &Cls::getter, &Cls::setter> Name{this}
