#pragma once
// Numbers as text in the Slovak form (decimal comma), whatever the machine's
// locale: the one conversion pair that every layer uses, so that a text
// written here reads back as the value it shows.
#include <QString>
#include <QStringView>
#include <optional>
#include <string_view>

// At most `significant` significant digits, rounded; no trailing zeros, no
// grouping, "-" for negatives, "0" for minus zero. Plain notation while the
// whole part has at most `significant` digits and the magnitude is 0,0001 or
// more; otherwise the mantissa, "E", the sign and at least two exponent
// digits ("1E+15", "1,5E-05"). A value that would round past the largest
// double is cut to its digits instead. Use 15 for doubles, 7 for single
// precision.
QString FormatNumber(double value, int significant = 15);

// The inverse of FormatNumber: optional blanks, optional sign, digits with at
// most one ",", optional exponent ("E" or "e", optional sign, digits).
// Anything else, or a value beyond the range of a double, is no number.
std::optional<double> ParseNumber(QStringView text);

// Reads an ASCII decimal text (digits, optional ".", optional "e", sign and
// digits; at least one digit) correctly rounded. A value too large for a
// double gives nothing; one too small gives 0.
std::optional<double> DecimalToDouble(std::string_view ascii);
