#pragma once
// Token reader of the expression compiler.
// In: an upper-cased source text (its terminator is the position after the
// last character) and the constant pool. Out: one 16-bit token code per call
// (see EOp), literals entered into the pool; EOp::Failure with a message.
#include "expr/EOpcodes.h"

#include <QString>
#include <array>

// One UTF-16 unit of a source text as the reader takes it: in upper case,
// unless that takes more than one unit.
char16_t UpperUnit(char16_t c);

// The length of the function name ("SIN", "EXP", ... in either case) that
// begins `text` with its "(" right after it; 0 when none does.
int FunctionNameLength(QStringView text);

// Numeric literals of one compilation, each distinct value once.
struct cEPool {
    std::array<double, EOp::PoolCapacity> values{};
    int count = EOp::FirstLiteral;

    void Reset();
    // Pool index of v, entering it when new; -1 when the pool is full.
    int Lookup(double v);
};

class cETokenReader {
public:
    void Reset(const QChar *source, int length, cEPool *pool);

    // The next token, or EOp::Failure with Message() set. At the end of the
    // text it keeps giving EOp::End.
    int Next();

    // Read position minus one: the number that messages show after "posn=".
    int Position() const { return m_read - 1; }
    const QString &Message() const { return m_message; }

private:
    // The character at a 1-based position; NUL on the terminator and beyond.
    char16_t At(int pos) const
    {
        return unsigned(pos - 1) < unsigned(m_length) ? m_source[pos - 1].unicode() : u'\0';
    }
    int Fail(QStringView message);
    int FailInvalidChar(int pos);
    int ReadOperator(char16_t c, char16_t n);
    int ReadName(char16_t c);
    int ReadDecimal();
    int ReadHex();
    int Pooled(double v);

    const QChar *m_source = nullptr;
    int m_length = 0;
    int m_read = 1;       // 1-based
    int m_start = 1;      // first character of the current token
    int m_depth = 0;      // bracket depth
    cEPool *m_pool = nullptr;
    QString m_message;
};
