#pragma once
// Every text the engine reports, in one place. Callers compare some of them
// (the calculator looks for "Unmatched" and for the two failure descriptions),
// so they must not change.
#include <QString>
#include <QStringView>
#include <initializer_list>

namespace EMsg {

inline constexpr QStringView OK = u"OK";

// Compiler
inline constexpr QStringView SourceTooLong = u"EProgram source is too long";
inline constexpr QStringView ProgramTooLong = u"Program is too long";
inline constexpr QStringView UnmatchedParen = u"Unmatched '('";
inline constexpr QStringView ArglistError = u"Function arglist error";
inline constexpr QStringView TooManyParens = u"Too many ')'s";
inline constexpr QStringView InvalidCharOpen = u"Invalid char '";
inline constexpr QStringView InvalidCharClose = u"'";
inline constexpr QStringView InvalidNumber = u"Invalid number (overflow?)";
inline constexpr QStringView PositionPrefix = u" @ posn=";

// Stack machine
inline constexpr QStringView StackUnderflow = u"Stack Underflow: ";
inline constexpr QStringView StackOverflow = u"Stack Overflow: ";
inline constexpr QStringView ArithPrefix = u"VBErr=";
inline constexpr QStringView CodePrefix = u"oc=&H";
inline constexpr QStringView PcPrefix = u" @ PC=";
inline constexpr QStringView OpcodeMissing = u"Compiled Opcode Missing: ";
inline constexpr QStringView NotEmptyOpen = u"Stack not Empty, ";
inline constexpr QStringView NotEmptyClose = u" items still on stack";

// Descriptions of arithmetic failures, as kept in Misc::Posledni_chyba.
inline constexpr QStringView DivisionByZero = u"Division by zero";
inline constexpr QStringView InvalidArgument = u"Invalid procedure call or argument";
inline constexpr QStringView Overflow = u"Overflow";

// A constant text as a QString without copying it.
inline QString Text(QStringView constant)
{
    return QString::fromRawData(constant.constData(), constant.size());
}

// A message built from its parts.
inline QString Join(std::initializer_list<QStringView> parts)
{
    qsizetype size = 0;
    for (QStringView part : parts)
        size += part.size();
    QString text;
    text.reserve(size);
    for (QStringView part : parts)
        text.append(part);
    return text;
}

} // namespace EMsg
