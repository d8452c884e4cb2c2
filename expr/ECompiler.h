#pragma once
// Expression compiler.
// In: an expression text (at most 1024 characters; letters in any case,
// "." as the decimal point). Out: a cEProgram of postfix codes and
// constants, or nothing with the reason in ErrMsg(). Never raises.
#include "expr/EProgram.h"
#include "expr/ETokenReader.h"

#include <QString>
#include <optional>

class cECompiler {
public:
    cECompiler();

    // "OK" after a successful Compile, else the message of its failure.
    const QString &ErrMsg() const { return m_errMsg; }

    std::optional<cEProgram> Compile(QStringView ProgString, const QString &ID = QString());

private:
    int Parse(int level);
    int ParseBracket();
    int ParseFunction(int function);
    int Fail(QStringView message);
    void Emit(int code);

    QString m_errMsg;
    QString m_source; // upper case, NUL-terminated
    cETokenReader m_reader;
    cEPool m_pool;
    std::array<qint16, EOp::CodeCapacity> m_code{};
    int m_emit = 0;
};
