#include "expr/ETokenReader.h"

#include "expr/EMessages.h"
#include "expr/NumberText.h"

namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) { return IsDigit(c) || (c >= u'A' && c <= u'F'); }

struct Name {
    std::u16string_view text;
    int code;
};

// Tried in this order; a name counts only when "(" follows it directly.
constexpr Name Functions[] = {
    {u"COS", EOp::Cos}, {u"EXP", EOp::Exp}, {u"FIX", EOp::Fix}, {u"INT", EOp::Int},
    {u"LOG", EOp::Log}, {u"RND", EOp::Rnd}, {u"SGN", EOp::Sgn}, {u"SIN", EOp::Sin},
    {u"SQR", EOp::Sqr}, {u"TAN", EOp::Tan}, {u"RD", EOp::Rd},   {u"DR", EOp::Dr},
};

// Hexadecimal literals are read as non-negative 32-bit values.
constexpr quint64 MaxHex = 0xFFFFFFFFu;

} // namespace

char16_t UpperUnit(char16_t c)
{
    if (c < 0x80)
        return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c;
    // One unit for one unit: positions must stay those of the input.
    const char32_t upper = QChar::isSurrogate(c) ? c : QChar::toUpper(char32_t(c));
    return upper <= 0xFFFF ? char16_t(upper) : c;
}

int FunctionNameLength(QStringView text)
{
    for (const Name &name : Functions) {
        const QStringView jmeno(name.text.data(), qsizetype(name.text.size()));
        if (text.size() > jmeno.size() && text.startsWith(jmeno, Qt::CaseInsensitive) && text[jmeno.size()] == u'(')
            return int(jmeno.size());
    }
    return 0;
}

void cEPool::Reset()
{
    values.fill(0);
    count = EOp::FirstLiteral;
}

int cEPool::Lookup(double v)
{
    for (int k = EOp::FirstLiteral; k < count; ++k)
        if (values[k] == v)
            return k;
    if (count >= EOp::PoolCapacity)
        return -1;
    values[count] = v;
    return count++;
}

void cETokenReader::Reset(const QChar *source, int length, cEPool *pool)
{
    m_source = source;
    m_length = length;
    m_read = 1;
    m_start = 1;
    m_depth = 0;
    m_pool = pool;
}

int cETokenReader::Fail(QStringView message)
{
    m_message = EMsg::Join({message, EMsg::PositionPrefix, QString::number(Position())});
    return EOp::Failure;
}

int cETokenReader::FailInvalidChar(int pos)
{
    // Characters that cannot be shown inside quotes are named by code point;
    // the others as the upper-cased source holds them ("ß" has no single
    // upper-case letter and stays).
    const char16_t c = At(pos);
    QString shown;
    if (QChar::isHighSurrogate(c) && QChar::isLowSurrogate(At(pos + 1)))
        shown = QStringLiteral("U+%1").arg(QChar::surrogateToUcs4(c, At(pos + 1)), 4, 16, QLatin1Char('0')).toUpper();
    else if (c < 0x20 || (c >= 0x7F && c < 0xA0) || QChar::isSurrogate(c))
        shown = QStringLiteral("U+%1").arg(int(c), 4, 16, QLatin1Char('0')).toUpper();
    else
        shown = QChar(c);
    return Fail(EMsg::Join({EMsg::InvalidCharOpen, shown, EMsg::InvalidCharClose}));
}

int cETokenReader::Next()
{
    while (At(m_read) == u' ')
        ++m_read;
    m_start = m_read;
    if (m_read > m_length)
        return EOp::End; // stays on the terminator
    const char16_t c = At(m_read++);
    const char16_t n = At(m_read);
    if (IsDigit(c) || c == u'.')
        return ReadDecimal();
    if (c == u'&' && n == u'H')
        return ReadHex();
    if (c >= u'A' && c <= u'Z')
        return ReadName(c);
    return ReadOperator(c, n);
}

int cETokenReader::ReadOperator(char16_t c, char16_t n)
{
    switch (c) {
    case u'+': return EOp::Add;
    case u'-': return EOp::Sub;
    case u'*': return EOp::Mul;
    case u'/': return EOp::Div;
    case u'\\': return EOp::IntDiv;
    case u'%': return EOp::Mod;
    case u'^': return EOp::Pow;
    case u'#': return EOp::Xor;
    case u'=': return EOp::Eq;
    case u'&': return EOp::And;
    case u'|': return EOp::Or;
    case u'~':
    case u'!': return EOp::Not;
    case u'(':
        ++m_depth;
        return EOp::LParen;
    case u')':
        if (--m_depth < 0)
            return Fail(EMsg::TooManyParens);
        return EOp::RParen;
    case u'<':
        if (n == u'>' || n == u'<' || n == u'=') {
            ++m_read;
            return n == u'>' ? EOp::Ne : n == u'<' ? EOp::Shl : EOp::Le;
        }
        return EOp::Lt;
    case u'>':
        if (n == u'=' || n == u'>') {
            ++m_read;
            return n == u'=' ? EOp::Ge : EOp::Shr;
        }
        return EOp::Gt;
    default:
        return FailInvalidChar(m_start);
    }
}

int cETokenReader::ReadName(char16_t c)
{
    for (const Name &name : Functions) {
        const int len = int(name.text.size());
        bool match = name.text[0] == c && At(m_start + len) == u'(';
        for (int i = 0; match && i < len; ++i)
            match = At(m_start + i) == name.text[i];
        if (match) {
            m_read = m_start + len; // the "(" is the next token
            return name.code;
        }
    }
    switch (c) {
    case u'X': return EOp::MakeCode(EOp::Variable, 0);
    case u'Y': return EOp::MakeCode(EOp::Variable, 1);
    case u'Z': return EOp::MakeCode(EOp::Variable, 2);
    case u'T': return EOp::MakeCode(EOp::Variable, 3);
    case u'E': return EOp::ConstE;
    case u'P':
        if (At(m_read) == u'I') {
            ++m_read;
            return EOp::ConstPi;
        }
        break;
    }
    return FailInvalidChar(m_start);
}

// number = digit-or-"." { digit | "." | "E" | sign right after the E }
int cETokenReader::ReadDecimal()
{
    bool point = At(m_start) == u'.';
    bool exponent = false;
    bool takenAfterE = false; // a character other than "." taken after the E
    for (;; ++m_read) {
        const char16_t ch = At(m_read);
        if (ch == u'.') {
            if (point)
                return Fail(EMsg::InvalidNumber);
            point = true;
        } else if (ch == u'E') {
            if (exponent)
                return Fail(EMsg::InvalidNumber);
            exponent = true;
        } else if (ch == u'+' || ch == u'-') {
            if (!exponent || takenAfterE)
                break;
            takenAfterE = true;
        } else if (IsDigit(ch)) {
            takenAfterE = exponent;
        } else {
            break;
        }
    }

    // The value is that of the longest leading part shaped like a number.
    char ascii[EOp::MaxSourceLength + 8];
    int n = 0;
    int pos = m_start;
    bool digits = false;
    for (bool seenPoint = false; pos < m_read && (IsDigit(At(pos)) || (At(pos) == u'.' && !seenPoint)); ++pos) {
        seenPoint = seenPoint || At(pos) == u'.';
        digits = digits || At(pos) != u'.';
        ascii[n++] = char(At(pos));
    }
    if (!digits)
        return Pooled(0);
    if (At(pos) == u'E' && pos < m_read) {
        int p = pos + 1;
        if (At(p) == u'+' || At(p) == u'-')
            ++p;
        if (IsDigit(At(p)) && p < m_read) {
            ascii[n++] = 'e';
            for (int q = pos + 1; q < m_read && (q == pos + 1 || IsDigit(At(q))); ++q)
                ascii[n++] = char(At(q));
        }
    }
    const std::optional<double> v = DecimalToDouble(std::string_view(ascii, size_t(n)));
    return v ? Pooled(*v) : Fail(EMsg::InvalidNumber);
}

// hex = "&H" { 0-9 | A-F }
int cETokenReader::ReadHex()
{
    m_read = m_start + 2;
    quint64 value = 0;
    bool overflow = false;
    for (; IsHexDigit(At(m_read)); ++m_read) {
        const char16_t ch = At(m_read);
        if (!overflow)
            value = value * 16 + (IsDigit(ch) ? ch - u'0' : ch - u'A' + 10);
        overflow = value > MaxHex;
    }
    return overflow ? Fail(EMsg::InvalidNumber) : Pooled(double(value));
}

int cETokenReader::Pooled(double v)
{
    const int k = m_pool->Lookup(v);
    return k < 0 ? Fail(EMsg::InvalidNumber) : EOp::MakeCode(EOp::Literal, k);
}
