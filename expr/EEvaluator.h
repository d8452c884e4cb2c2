#pragma once
// Evaluation of expression texts: compile anew, run at X, Y, Z (T = 0).
// Evaluate() gives the value or the failure as a status, for callers that
// compute; Vypocitej_vyraz() gives the value as Slovak text or the
// compiler's message, for callers that work with texts.
#include "expr/ECompiler.h"

#include <QString>
#include <optional>

struct EValue {
    enum class Status { Ok, CompileFailed, RunFailed };

    Status status = Status::Ok;
    double value = 0;  // 0 unless Ok
    QString message;   // "OK", the compiler's or the run's message

    bool ok() const { return status == Status::Ok; }
};

class cEEvaluator {
public:
    // Arithmetic failures are also left in Misc::Posledni_chyba.
    EValue Evaluate(QStringView vyraz, double X, double Y = 0, double Z = 0);

    // The value as text (FormatNumber), "0" when the run fails, or the
    // compiler's message when the text does not compile.
    QString Vypocitej_vyraz(QStringView vyraz, double X, double Y, double Z);

    // The program of the last evaluation; nothing when its text did not compile.
    const std::optional<cEProgram> &EProgram() const { return m_EProgram; }

private:
    cECompiler m_ECompiler;
    std::optional<cEProgram> m_EProgram;
};
