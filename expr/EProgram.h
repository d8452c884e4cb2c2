#pragma once
// One compiled expression and the stack machine that runs it.
// In: the postfix codes and constants that cECompiler produced; values of
// X, Y, Z, T per run. Out: a double, 0 on failure with the reason in ErrMsg().
// Only cECompiler builds programs.
#include "expr/EOpcodes.h"

#include <QString>
#include <array>
#include <span>

namespace Misc {
// Description of the last arithmetic failure of any run ("Division by zero",
// "Invalid procedure call or argument", "Overflow"). Runs only write it;
// its reader clears it.
extern QString Posledni_chyba;
} // namespace Misc

class cEProgram {
public:
    cEProgram(const cEProgram &other) { *this = other; }
    cEProgram &operator=(const cEProgram &other);

    const QString &ID() const { return m_id; }
    const QString &Source() const { return m_source; }
    const QString &ErrMsg() const { return m_errMsg; }

    // Codes including the end mark, and the constants (0..3 are X, Y, Z, T).
    std::span<const qint16> Code() const { return {m_code.data(), size_t(m_codeCount)}; }
    std::span<const double> Constants() const { return {m_const.data(), size_t(m_constCount)}; }

    // Runs the program; never raises. Failures return 0 and set ErrMsg().
    double Execute(double X, double Y = 0, double z = 0, double t = 0);

private:
    friend class cECompiler;
    cEProgram() = default;

    enum class Stop { End, Underflow, Overflow, Missing };

    void SetID(const QString &id) { m_id = id; }
    void SetSource(const QString &source) { m_source = source; }
    void SetCode(const qint16 *code, int count);
    void SetConstants(const double *values, int count);

    void FindStop();
    void Decode();
    double FailStop(int code, int pc);
    double FailArithmetic(int fault, int code, int pc);
    double Finish(int sp, const double *stack);

    QString m_id;
    QString m_source;
    QString m_errMsg;
    bool m_ok = false; // m_errMsg is "OK": spares resetting it on every run
    int m_codeCount = 0;
    int m_constCount = 0;
    // The stack depth before every code is fixed by the codes alone, so stack
    // failures are found once, when the code is set: runs stop at m_stopPc.
    int m_stopPc = 0;
    Stop m_stop = Stop::End;
    int m_finalSp = -1;
    struct Step {
        quint16 op;    // operation, or PushThen + operation
        quint8 index;  // pool index of a push
        qint16 pc;     // code index of the operation, for messages
    };
    int m_stepCount = 0;
    std::array<Step, EOp::CodeCapacity> m_steps;
    std::array<qint16, EOp::CodeCapacity> m_code;
    std::array<double, EOp::PoolCapacity + 1> m_const;
};
