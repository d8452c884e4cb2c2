#include "expr/ECompiler.h"

#include "expr/EMessages.h"

cECompiler::cECompiler()
    : m_errMsg(EMsg::Text(EMsg::OK))
{
}

std::optional<cEProgram> cECompiler::Compile(QStringView ProgString, const QString &ID)
{
    if (ProgString.size() > EOp::MaxSourceLength) {
        m_errMsg = EMsg::Text(EMsg::SourceTooLong);
        return std::nullopt;
    }
    const int length = int(ProgString.size());
    m_source = QString(length + 1, Qt::Uninitialized);
    QChar *out = m_source.data();
    for (int i = 0; i < length; ++i)
        out[i] = QChar(UpperUnit(ProgString[i].unicode()));
    out[length] = QChar(u'\0');
    m_emit = 0;
    m_pool.Reset();
    m_reader.Reset(m_source.constData(), length, &m_pool);
    m_errMsg = EMsg::Text(EMsg::OK);

    // A ")" at the top level has already failed in the reader, so a parse
    // that does not fail ends at the end of the text.
    if (Parse(0) == EOp::Failure)
        return std::nullopt;
    if (m_emit >= EOp::MaxEmitted) { // cannot happen: every emit is checked before the end
        m_errMsg = EMsg::Text(EMsg::ProgramTooLong);
        return std::nullopt;
    }
    m_code[m_emit] = EOp::End;

    std::optional<cEProgram> program(cEProgram{});
    program->SetID(ID);
    program->SetSource(m_source);
    program->SetCode(m_code.data(), m_emit + 1);
    // The pool is handed over with one spare entry after those in use.
    program->SetConstants(m_pool.values.data(), m_pool.count + 1);
    return program;
}

int cECompiler::Fail(QStringView message)
{
    m_errMsg = EMsg::Join({message, EMsg::PositionPrefix, QString::number(m_reader.Position())});
    return EOp::Failure;
}

void cECompiler::Emit(int code)
{
    if (m_emit < EOp::CodeCapacity)
        m_code[m_emit++] = qint16(code);
}

// expression(L) = { operand | "(" expression(0) ")" | function "(" expression(0) ")"
//                 | ("-" | "~") expression(8) | "+" | binary expression(p) while p > L }
// Returns the token that ended it: ")" or the end, or a binary operator of
// precedence L or lower for the caller.
int cECompiler::Parse(int level)
{
    bool operand = false;
    int t = m_reader.Next();
    for (;;) {
        if (t == EOp::Failure) {
            if (m_errMsg == EMsg::OK)
                m_errMsg = m_reader.Message();
            return EOp::Failure;
        }
        if (m_emit >= EOp::MaxEmitted) {
            m_errMsg = EMsg::Text(EMsg::ProgramTooLong);
            return EOp::Failure;
        }
        const int op = EOp::Operation(t);
        if (EOp::IsOperand(op)) {
            Emit(t);
            t = m_reader.Next();
        } else if (op == EOp::LParen) {
            if (ParseBracket() == EOp::Failure)
                return EOp::Failure;
            t = m_reader.Next();
        } else if (op == EOp::RParen || op == EOp::End) {
            return t;
        } else if (op == EOp::Add && !operand) {
            t = m_reader.Next();
            continue;
        } else if ((op == EOp::Sub && !operand) || op == EOp::Not) {
            t = Parse(EOp::UnaryLevel);
            if (t == EOp::Failure)
                return EOp::Failure;
            Emit(op == EOp::Sub ? EOp::Neg : EOp::Not);
        } else if (EOp::IsFunction(op)) {
            if (ParseFunction(t) == EOp::Failure)
                return EOp::Failure;
            t = m_reader.Next();
        } else {
            if (EOp::Precedence[op] <= level)
                return t;
            const int next = Parse(EOp::Precedence[op]);
            if (next == EOp::Failure)
                return EOp::Failure;
            Emit(t);
            t = next;
        }
        operand = true;
    }
}

// bracket = "(" expression(0) ")"; any failure inside becomes this one.
int cECompiler::ParseBracket()
{
    if (Parse(0) != EOp::RParen)
        return Fail(EMsg::UnmatchedParen);
    return EOp::RParen;
}

// function = name "(" expression(0) ")", the name's code emitted last.
int cECompiler::ParseFunction(int function)
{
    if (m_reader.Next() != EOp::LParen || Parse(0) != EOp::RParen)
        return Fail(EMsg::ArglistError);
    Emit(function);
    return function;
}
