#include "expr/EEvaluator.h"

#include "expr/EMessages.h"
#include "expr/NumberText.h"

EValue cEEvaluator::Evaluate(QStringView vyraz, double X, double Y, double Z)
{
    static const QString id = QStringLiteral("EP");
    m_EProgram = m_ECompiler.Compile(vyraz, id);
    if (!m_EProgram)
        return {EValue::Status::CompileFailed, 0, m_ECompiler.ErrMsg()};
    const double value = m_EProgram->Execute(X, Y, Z, 0);
    if (m_EProgram->ErrMsg() != EMsg::OK)
        return {EValue::Status::RunFailed, 0, m_EProgram->ErrMsg()};
    return {EValue::Status::Ok, value, m_EProgram->ErrMsg()};
}

QString cEEvaluator::Vypocitej_vyraz(QStringView vyraz, double X, double Y, double Z)
{
    const EValue v = Evaluate(vyraz, X, Y, Z);
    return v.status == EValue::Status::CompileFailed ? v.message : FormatNumber(v.value);
}
