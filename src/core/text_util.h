#pragma once
// Small text helpers shared by the line formats, SSA and SubRip readers.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kravelo {

// Blank = any character up to and including space (control characters too).
inline bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

std::string_view Trim(std::string_view s);
std::string_view TrimLeft(std::string_view s);

// Case-insensitive (ASCII) equality.
bool EqualsNoCase(std::string_view a, std::string_view b);

// A whole decimal integer: leading blanks, an optional sign, at least one digit, nothing after.
// Values beyond the 32-bit range do not fit and are rejected.
std::optional<long long> ParseWholeInt(std::string_view s);

// The C library's string-to-integer reading: leading blanks, optional sign, digits up to the
// first non-digit; no digits gives 0. Saturates instead of overflowing.
long long ParseLeadingInt(std::string_view s);

// The C library's decimal string-to-double reading with "." as separator whatever the locale;
// leading blanks skipped, reading stops at the first character that does not fit, no number
// gives 0.
double ParseLeadingDouble(std::string_view s);

// General number format: up to 15 significant digits, no trailing zeros, "." as separator
// (2.5 -> "2.5", 2.0 -> "2").
std::string FormatGeneral(double value);

// Length in bytes of the character starting at byte i of UTF-8 text (1 for each byte of an
// invalid sequence).
std::size_t CharLengthAt(std::string_view utf8, std::size_t i);

// Number of Unicode code points in UTF-8 text (each byte of an invalid sequence counts as one).
std::size_t CountChars(std::string_view utf8);

// Byte offset of the character with number `index` (the text's size when it has fewer).
std::size_t ByteOffsetOfChar(std::string_view utf8, long index);

}  // namespace kravelo
