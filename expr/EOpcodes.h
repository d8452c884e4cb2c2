#pragma once
// Operation codes of compiled programs. A code is 16 bits: the low byte is the
// operation; for Literal and Variable the high byte is a constant-pool index.
#include <array>

namespace EOp {

enum Code : int {
    End = 0,
    Pow = 1,
    Neg = 2,
    Mul = 3,
    Div = 4,
    IntDiv = 5,
    Mod = 6,
    Add = 7,
    Sub = 8,
    Shl = 9,
    Shr = 10,
    Gt = 11,
    Ge = 12,
    Lt = 13,
    Le = 14,
    Eq = 15,
    Ne = 16,
    And = 17,
    Xor = 18,
    Or = 19,
    Not = 20,
    Cos = 21,
    Exp = 22,
    Fix = 23,
    Int = 24,
    Log = 25,
    Rnd = 26,
    Sgn = 27,
    Sin = 28,
    Sqr = 29,
    Tan = 30,
    Rd = 248,
    Dr = 249,
    ConstE = 250,
    ConstPi = 251,
    Literal = 252,
    Variable = 253,
    LParen = 254,
    RParen = 255,
};

// A token or code that failed to read.
inline constexpr int Failure = -1;

// Binary precedence by code 0..20; higher binds tighter.
inline constexpr std::array<int, 21> Precedence = {
    0, 9, 8, 7, 7, 7, 7, 6, 6, 5, 5, 4, 4, 4, 4, 3, 3, 2, 2, 1, 1};

// The unary minus (and complement) take their operand at this level.
inline constexpr int UnaryLevel = 8;

inline constexpr int PoolIndex(int code) { return (code >> 8) & 0xFF; }
inline constexpr int Operation(int code) { return code & 0xFF; }
inline constexpr int MakeCode(int op, int poolIndex) { return op + 256 * poolIndex; }

inline constexpr bool IsFunction(int op) { return (op >= Cos && op <= Tan) || op == Rd || op == Dr; }
inline constexpr bool IsOperand(int op) { return op >= ConstE && op <= Variable; }

// Sizes of the program format.
inline constexpr int CodeCapacity = 256;  // code buffer entries
inline constexpr int MaxEmitted = 255;    // a parse step finding this many codes fails
inline constexpr int PoolCapacity = 128;  // constant entries; 0..3 are X, Y, Z, T
inline constexpr int FirstLiteral = 4;
inline constexpr int StackSize = 31;      // highest stack index
inline constexpr int MaxSourceLength = 1024;

} // namespace EOp
