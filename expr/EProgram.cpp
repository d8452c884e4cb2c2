#include "expr/EProgram.h"

#include "expr/EMessages.h"
#include "expr/Random.h"

#include <algorithm>
#include <cmath>

QString Misc::Posledni_chyba;

namespace {

enum Fault : int { Ok, DivisionByZero, InvalidArgument, Overflow };

// The rounded constants the system has always used, not full precision.
constexpr double ValueE = 2.71828182845905;
constexpr double ValuePi = 3.14159265358979;
constexpr double DegreesPerRadian = 57.2957795130824;

QStringView Description(int f)
{
    return f == DivisionByZero ? EMsg::DivisionByZero
         : f == InvalidArgument ? EMsg::InvalidArgument
                                : EMsg::Overflow;
}

QString Hex(int code) { return QString::number(code, 16).toUpper(); }

Fault Finite(double r) { return std::isfinite(r) ? Ok : Overflow; }

// v rounded to a 32-bit whole number, halves to the even neighbour.
bool Whole(double v, qint64 &out)
{
    const double r = std::nearbyint(v);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        return false;
    out = qint64(r);
    return true;
}

Fault Power(double b, double a, double &r)
{
    if (b < 0 && a != std::trunc(a))
        return InvalidArgument;
    if (b == 0 && a < 0)
        return DivisionByZero;
    // Squares are the common case in templates; b * b is the exact square rounded once.
    r = a == 2 ? b * b : std::pow(b, a);
    return Finite(r);
}

Fault Divide(double b, double a, double &r)
{
    if (a == 0)
        return DivisionByZero;
    r = b / a;
    return Finite(r);
}

// Shifts are products and quotients by a power of two.
Fault Shift(int op, double b, double a, double &r)
{
    const double p = std::pow(2.0, std::floor(a));
    if (!std::isfinite(p))
        return Overflow;
    return op == EOp::Shl ? (r = b * p, Finite(r)) : Divide(b, p, r);
}

Fault Bitwise(int op, double b, double a, double &r)
{
    qint64 wb = 0, wa = 0;
    if (!Whole(b, wb) || !Whole(a, wa))
        return Overflow;
    switch (op) {
    case EOp::IntDiv:
        if (wa == 0) return DivisionByZero;
        r = double(wb / wa);
        return r > 2147483647.0 ? Overflow : Ok; // -2^31 \ -1
    case EOp::Mod:
        if (wa == 0) return DivisionByZero;
        r = double(wb % wa);
        return Ok;
    case EOp::And: r = double(qint32(wb & wa)); return Ok;
    case EOp::Xor: r = double(qint32(wb ^ wa)); return Ok;
    default: r = double(qint32(wb | wa)); return Ok;
    }
}

Fault Binary(int op, double b, double a, double &r)
{
    switch (op) {
    case EOp::Pow: return Power(b, a, r);
    case EOp::Mul: r = b * a; return Finite(r);
    case EOp::Div: return Divide(b, a, r);
    case EOp::Add: r = b + a; return Finite(r);
    case EOp::Sub: r = b - a; return Finite(r);
    case EOp::Shl:
    case EOp::Shr: return Shift(op, b, a, r);
    case EOp::Gt: r = b > a; return Ok;
    case EOp::Ge: r = b >= a; return Ok;
    case EOp::Lt: r = b < a; return Ok;
    case EOp::Le: r = b <= a; return Ok;
    case EOp::Eq: r = b == a; return Ok;
    case EOp::Ne: r = b != a; return Ok;
    default: return Bitwise(op, b, a, r);
    }
}

Fault Unary(int op, double a, double &r)
{
    qint64 w = 0;
    switch (op) {
    case EOp::Neg: r = -a; return Ok;
    case EOp::Not:
        if (!Whole(a, w)) return Overflow;
        r = double(~qint32(w));
        return Ok;
    case EOp::Cos: r = std::cos(a); return Ok;
    case EOp::Exp: r = std::exp(a); return Finite(r);
    case EOp::Fix: r = std::trunc(a); return Ok;
    case EOp::Int: r = std::floor(a); return Ok;
    case EOp::Log:
        if (a <= 0) return InvalidArgument;
        r = std::log(a);
        return Ok;
    case EOp::Rnd: r = Rnd(a); return Ok;
    case EOp::Sgn: r = (a > 0) - (a < 0); return Ok;
    case EOp::Sin: r = std::sin(a); return Ok;
    case EOp::Sqr:
        if (a < 0) return InvalidArgument;
        r = std::sqrt(a);
        return Ok;
    case EOp::Tan: r = std::tan(a); return Ok;
    case EOp::Rd: r = a * DegreesPerRadian; return Finite(r);
    default: r = a / DegreesPerRadian; return Ok; // Dr
    }
}

// Step code of a pool push joined with the arithmetic operation after it.
constexpr int PushThen = 256;

enum class Kind { Push, Replace, PopPush, End, Missing };

Kind KindOf(int op)
{
    if (op == EOp::End) return Kind::End;
    if (op >= EOp::ConstE && op <= EOp::Variable) return Kind::Push;
    if (op == EOp::Neg || op == EOp::Not || EOp::IsFunction(op)) return Kind::Replace;
    if (op >= EOp::Pow && op <= EOp::Or) return Kind::PopPush;
    return Kind::Missing;
}

} // namespace

cEProgram &cEProgram::operator=(const cEProgram &other)
{
    // Copies only the entries in use: programs are copied on every evaluation.
    m_id = other.m_id;
    m_source = other.m_source;
    m_errMsg = other.m_errMsg;
    m_ok = other.m_ok;
    m_codeCount = other.m_codeCount;
    m_constCount = other.m_constCount;
    m_stopPc = other.m_stopPc;
    m_stop = other.m_stop;
    m_finalSp = other.m_finalSp;
    std::copy_n(other.m_code.begin(), m_codeCount, m_code.begin());
    std::copy_n(other.m_const.begin(), m_constCount, m_const.begin());
    m_stepCount = other.m_stepCount;
    std::copy_n(other.m_steps.begin(), m_stepCount, m_steps.begin());
    return *this;
}

void cEProgram::SetCode(const qint16 *code, int count)
{
    m_codeCount = std::clamp(count, 0, EOp::CodeCapacity);
    std::copy_n(code, m_codeCount, m_code.begin());
    FindStop();
}

void cEProgram::SetConstants(const double *values, int count)
{
    m_constCount = std::clamp(count, EOp::FirstLiteral, int(m_const.size()));
    std::copy_n(values, std::min(count, EOp::PoolCapacity), m_const.begin());
    std::fill(m_const.begin() + std::min(count, EOp::PoolCapacity), m_const.begin() + m_constCount, 0.0);
    FindStop();
}

// The steps that a run takes: the codes up to the stop, each value pushed
// from the pool joined with an arithmetic operation right after it, so that
// one dispatch does both.
void cEProgram::Decode()
{
    m_stepCount = 0;
    for (int pc = 0; pc < m_stopPc; ++pc) {
        const int c = m_code[pc];
        int op = EOp::Operation(c);
        if (op == EOp::Variable)
            op = EOp::Literal;
        const int next = pc + 1 < m_stopPc ? EOp::Operation(m_code[pc + 1]) : EOp::End;
        const bool join = op == EOp::Literal
                       && (next == EOp::Add || next == EOp::Sub || next == EOp::Mul || next == EOp::Div
                           || next == EOp::Pow);
        if (join)
            ++pc;
        m_steps[m_stepCount++] = {quint16(join ? PushThen + next : op), quint8(EOp::PoolIndex(c)), qint16(pc)};
    }
}

void cEProgram::FindStop()
{
    int sp = -1;
    for (int pc = 0; pc < m_codeCount; ++pc) {
        const int c = m_code[pc];
        Stop stop = Stop::End;
        switch (KindOf(EOp::Operation(c))) {
        case Kind::Push:
            if (EOp::PoolIndex(c) >= m_constCount) stop = Stop::Missing;
            else if (++sp > EOp::StackSize) stop = Stop::Overflow;
            break;
        case Kind::Replace:
            if (sp < 0) stop = Stop::Underflow;
            break;
        case Kind::PopPush:
            if (--sp < 0) stop = Stop::Underflow;
            break;
        case Kind::Missing: stop = Stop::Missing; break;
        case Kind::End:
            m_stopPc = pc;
            m_stop = Stop::End;
            m_finalSp = sp;
            Decode();
            return;
        }
        if (stop != Stop::End) {
            m_stopPc = pc;
            m_stop = stop;
            Decode();
            return;
        }
    }
    // Without an end mark the run stops where the codes end.
    m_stopPc = m_codeCount;
    m_stop = Stop::Missing;
    Decode();
}

double cEProgram::Execute(double X, double Y, double z, double t)
{
    m_const[0] = X;
    m_const[1] = Y;
    m_const[2] = z;
    m_const[3] = t;
    if (!m_ok) {
        m_errMsg = EMsg::Text(EMsg::OK);
        m_ok = true;
    }
    double stack[EOp::StackSize + 1];
    int sp = -1;
    // Stack depths were checked when the code was set: no bounds tests here.
    for (int i = 0; i < m_stepCount; ++i) {
        const Step step = m_steps[i];
        double r = 0;
        Fault f = Ok;
        switch (step.op) {
        case EOp::Literal: stack[++sp] = m_const[step.index]; continue;
        case EOp::ConstE: stack[++sp] = ValueE; continue;
        case EOp::ConstPi: stack[++sp] = ValuePi; continue;
        case PushThen + EOp::Add: stack[++sp] = m_const[step.index]; [[fallthrough]];
        case EOp::Add: r = stack[sp - 1] + stack[sp]; f = Finite(r); --sp; break;
        case PushThen + EOp::Sub: stack[++sp] = m_const[step.index]; [[fallthrough]];
        case EOp::Sub: r = stack[sp - 1] - stack[sp]; f = Finite(r); --sp; break;
        case PushThen + EOp::Mul: stack[++sp] = m_const[step.index]; [[fallthrough]];
        case EOp::Mul: r = stack[sp - 1] * stack[sp]; f = Finite(r); --sp; break;
        case PushThen + EOp::Div: stack[++sp] = m_const[step.index]; [[fallthrough]];
        case EOp::Div: f = Divide(stack[sp - 1], stack[sp], r); --sp; break;
        case PushThen + EOp::Pow: stack[++sp] = m_const[step.index]; [[fallthrough]];
        case EOp::Pow: f = Power(stack[sp - 1], stack[sp], r); --sp; break;
        case EOp::Neg: r = -stack[sp]; break;
        default:
            if (KindOf(step.op) == Kind::Replace) {
                f = Unary(step.op, stack[sp], r);
            } else {
                f = Binary(step.op, stack[sp - 1], stack[sp], r);
                --sp;
            }
        }
        if (f != Ok) [[unlikely]]
            return FailArithmetic(f, m_code[step.pc], step.pc);
        stack[sp] = r;
    }
    if (m_stop != Stop::End)
        return FailStop(m_stopPc < m_codeCount ? m_code[m_stopPc] : 0, m_stopPc);
    return Finish(sp, stack);
}

double cEProgram::FailStop(int code, int pc)
{
    m_ok = false;
    const QString hex = Hex(code);
    const QString at = QString::number(pc);
    if (m_stop == Stop::Missing)
        m_errMsg = EMsg::Join({EMsg::OpcodeMissing, hex, EMsg::PcPrefix, at});
    else
        m_errMsg = EMsg::Join({m_stop == Stop::Underflow ? EMsg::StackUnderflow : EMsg::StackOverflow,
                               EMsg::CodePrefix, hex, EMsg::PcPrefix, at});
    return 0;
}

double cEProgram::FailArithmetic(int fault, int code, int pc)
{
    m_ok = false;
    Misc::Posledni_chyba = Description(fault).toString();
    m_errMsg = EMsg::Join({EMsg::ArithPrefix, Misc::Posledni_chyba, u" ", EMsg::CodePrefix, Hex(code),
                           EMsg::PcPrefix, QString::number(pc)});
    return 0;
}

double cEProgram::Finish(int sp, const double *stack)
{
    if (sp == 0)
        return stack[0];
    m_ok = false;
    m_errMsg = EMsg::Join({EMsg::NotEmptyOpen, QString::number(sp), EMsg::NotEmptyClose});
    return 0;
}
