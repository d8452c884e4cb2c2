#include "expr/Prevedeni_vstupu.h"

#include "expr/EEvaluator.h"
#include "expr/ETokenReader.h"
#include "expr/NumberText.h"
#include "expr/Zapis_vyrazu.h"

namespace {

bool Je_cifra(QChar c) { return c >= u'0' && c <= u'9'; }

bool Je_premenna(QChar c) { return c == u'x' || c == u'y' || c == u'z'; }

bool Je_exponent(QChar c) { return !Misc::Preved_z_exponentu(c).isNull(); }

// The answer cells show "*" as "·" and "." as ","; mapping them back first
// keeps the look-back below seeing an operator before a variable.
QChar Zo_zobrazenia(QChar c)
{
    if (c == u'\u00B7')
        return u'*';
    if (c == u',')
        return u'.';
    return c;
}

// A decimal point with no digit on either side is no number, though the
// evaluator reads it as 0: "," alone or ",·x" is not 0.
bool Ma_osamotenu_bodku(QStringView vyraz)
{
    for (qsizetype i = 0; i < vyraz.size(); ++i) {
        const bool pred = i > 0 && Je_cifra(vyraz[i - 1]), za = i + 1 < vyraz.size() && Je_cifra(vyraz[i + 1]);
        if (vyraz[i] == u'.' && !pred && !za)
            return true;
    }
    return false;
}

// What a token of the evaluator's language is, for the look at its neighbours.
enum class Druh { Nic, Zatvorka, Operand, Operator };

Druh Druh_tokenu(int t)
{
    const int op = EOp::Operation(t);
    if (EOp::IsOperand(op) || op == EOp::RParen)
        return Druh::Operand;
    if (op == EOp::LParen || EOp::IsFunction(op))
        return Druh::Zatvorka; // a function's name is read with its "("
    return op == EOp::End ? Druh::Nic : Druh::Operator;
}

// An operator that stands beside nothing: one that joins two operands with
// none before it (at the start, after "(" or after another operator), any
// with none after it (at the end or before ")"), or an empty bracket. The
// compiler checks neither, so a garbled line has the value that the order
// of its pieces gives: "·x3" and "x3·" read as 3x, "x(·x3)" as 3x².
bool Ma_operator_bez_operandu(QStringView vyraz)
{
    QString zdroj(vyraz.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < vyraz.size(); ++i)
        zdroj[i] = QChar(UpperUnit(vyraz[i].unicode()));
    cEPool pool;
    cETokenReader citac;
    citac.Reset(zdroj.constData(), int(zdroj.size()), &pool);
    Druh pred = Druh::Nic;
    for (;;) {
        const int t = citac.Next();
        if (t == EOp::Failure)
            return false; // not after a compilation that succeeded
        const int op = EOp::Operation(t);
        const Druh druh = Druh_tokenu(t);
        const bool jednoclenny = op == EOp::Add || op == EOp::Sub || op == EOp::Not || op == EOp::Or;
        if (druh == Druh::Operator && !jednoclenny && pred != Druh::Operand)
            return true;
        if ((op == EOp::RParen || op == EOp::End) && pred != Druh::Operand)
            return pred == Druh::Operator || (op == EOp::RParen && pred == Druh::Zatvorka);
        if (op == EOp::End)
            return false;
        pred = druh;
    }
}

} // namespace

QString Riadok_na_posudenie(QStringView riadok)
{
    QString vysledok;
    vysledok.reserve(riadok.size());
    for (const QChar c : riadok)
        if (!c.isSpace())
            vysledok += c == u'\u2212' ? QChar(u'-') : c;
    return vysledok;
}

QString Preved_vstup_na_vyraz(QStringView vstup)
{
    QString vyraz;
    vyraz.reserve(vstup.size() * 2);
    const QString riadok = Riadok_na_posudenie(vstup);
    QChar p; // the previous character; null at the start
    bool za_zatvorkou = false; // p is ")" or a superscript of a bracket's power
    for (qsizetype i = 0; i < riadok.size(); ++i) {
        const QChar c = Zo_zobrazenia(riadok[i]);
        // A number right after a bracket (or its power) is a factor, as the
        // terms read it: "(x-2)5x³" is not "(x-2)" and a stray "5x³".
        if (za_zatvorkou && (Je_cifra(c) || c == u'.'))
            vyraz += u'*';
        za_zatvorkou = c == u')' || (za_zatvorkou && Je_exponent(c));
        if (const int funkcia = FunctionNameLength(QStringView(riadok).sliced(i))) {
            // A function's name and its bracket stay whole.
            vyraz += QStringView(riadok).sliced(i, funkcia + 1);
            i += funkcia;
            p = u'(';
            continue;
        }
        if (Je_premenna(c)) {
            if (!p.isNull() && !QStringView(u"+-*/(").contains(p))
                vyraz += u'*';
            vyraz += c;
        } else if (c == u'(') {
            // Juxtaposition before a bracket is a product, as before a letter.
            if (p == u')' || Je_cifra(p) || Je_premenna(p) || Je_exponent(p))
                vyraz += u'*';
            vyraz += c;
        } else if (const QChar s = Misc::Preved_z_exponentu(c); !s.isNull()) {
            if (p.isNull())
                vyraz += c; // nothing to raise; the compiler rejects it
            else if (Je_exponent(p))
                vyraz += s;
            else
                vyraz += QString(u'^') + s;
        } else {
            vyraz += c;
        }
        p = c;
    }
    return vyraz;
}

std::optional<double> Prevedeni_vstupu_na_vysledek(cEEvaluator &vypocet, QStringView vstup,
                                                   double Promenna_X, double Promenna_Y, double Promenna_Z)
{
    const QString vyraz = Preved_vstup_na_vyraz(vstup);
    if (Ma_osamotenu_bodku(vyraz))
        return std::nullopt;
    const EValue v = vypocet.Evaluate(vyraz, Promenna_X, Promenna_Y, Promenna_Z);
    if (!v.ok() || Ma_operator_bez_operandu(vyraz))
        return std::nullopt;
    // Values are compared as they would be shown, so that 0,1+0,2 equals 0,3.
    return ParseNumber(FormatNumber(v.value));
}
