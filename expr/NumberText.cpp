#include "expr/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Decimal exponent of the first significant digit of an out-of-range text,
// enough to tell overflow from underflow.
long Magnitude(std::string_view t)
{
    long digitsBeforePoint = -1; // -1 while no point has been seen
    long digitCount = 0;
    long firstSignificant = -1;
    size_t i = 0;
    for (; i < t.size() && t[i] != 'e' && t[i] != 'E'; ++i) {
        if (t[i] == '.') {
            digitsBeforePoint = digitCount;
        } else if (t[i] >= '0' && t[i] <= '9') {
            if (firstSignificant < 0 && t[i] != '0') firstSignificant = digitCount;
            ++digitCount;
        }
    }
    if (firstSignificant < 0) return -(1L << 30);
    if (digitsBeforePoint < 0) digitsBeforePoint = digitCount;
    long exponent = 0;
    const bool negative = i + 1 < t.size() && t[i + 1] == '-';
    for (size_t j = i + 1; j < t.size(); ++j)
        if (t[j] >= '0' && t[j] <= '9') exponent = std::min(exponent * 10 + (t[j] - '0'), 1L << 30);
    return digitsBeforePoint - firstSignificant - 1 + (negative ? -exponent : exponent);
}

} // namespace

std::optional<double> DecimalToDouble(std::string_view ascii)
{
    // Short whole numbers, most literals of templates, are exact as integers.
    if (!ascii.empty() && ascii.size() <= 15
        && std::all_of(ascii.begin(), ascii.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        qint64 whole = 0;
        for (char c : ascii)
            whole = whole * 10 + (c - '0');
        return double(whole);
    }
    double value = 0;
    const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    if (ec == std::errc::result_out_of_range)
        return Magnitude(ascii) > 0 ? std::nullopt : std::optional<double>(0.0);
    if (ec != std::errc() || end != ascii.data() + ascii.size())
        return std::nullopt;
    return value;
}

QString FormatNumber(double value, int significant)
{
    if (value == 0)
        return QStringLiteral("0"); // also minus zero
    if (!std::isfinite(value))
        return QString::number(value);
    const int cifry = std::clamp(significant, 1, 17);
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, cifry);
    if (!DecimalToDouble(std::string_view(buf, size_t(res.ptr - buf)))) {
        // Rounded up past the largest double: cut the digits instead, so
        // that the text still reads back.
        res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 16);
        const std::string_view cele(buf, size_t(res.ptr - buf));
        const size_t e = cele.find('e'), bodka = cele.find('.');
        size_t koniec = std::min(bodka + size_t(cifry), e);
        while (buf[koniec - 1] == '0')
            --koniec;
        if (buf[koniec - 1] == '.')
            --koniec;
        const std::string text = std::string(cele.substr(0, koniec)) + std::string(cele.substr(e));
        std::copy(text.begin(), text.end(), buf);
        res.ptr = buf + text.size();
    }
    QString text(res.ptr - buf, Qt::Uninitialized);
    QChar *out = text.data();
    for (const char *p = buf; p != res.ptr; ++p, ++out)
        *out = QLatin1Char(*p == '.' ? ',' : *p == 'e' ? 'E' : *p);
    return text;
}

std::optional<double> ParseNumber(QStringView text)
{
    text = text.trimmed();
    std::string ascii;
    ascii.reserve(text.size());
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        if (text[i] == u'-') ascii += '-';
        ++i;
    }
    bool digits = false;
    for (; i < text.size() && IsDigit(text[i]); ++i, digits = true)
        ascii += char(text[i].unicode());
    if (i < text.size() && text[i] == u',') {
        ascii += '.';
        for (++i; i < text.size() && IsDigit(text[i]); ++i, digits = true)
            ascii += char(text[i].unicode());
    }
    if (!digits)
        return std::nullopt;
    if (i < text.size() && (text[i] == u'E' || text[i] == u'e')) {
        ascii += 'e';
        ++i;
        if (i < text.size() && (text[i] == u'-' || text[i] == u'+'))
            ascii += char(text[i++].unicode());
        if (i == text.size() || !IsDigit(text[i]))
            return std::nullopt;
        for (; i < text.size() && IsDigit(text[i]); ++i)
            ascii += char(text[i].unicode());
    }
    if (i != text.size())
        return std::nullopt;
    return DecimalToDouble(ascii);
}
