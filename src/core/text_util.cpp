#include "core/text_util.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace kravelo {

std::string_view TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsBlank(s[b])) ++b;
    return s.substr(b);
}

std::string_view Trim(std::string_view s) {
    s = TrimLeft(s);
    std::size_t e = s.size();
    while (e > 0 && IsBlank(s[e - 1])) --e;
    return s.substr(0, e);
}

static char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

std::optional<long long> ParseWholeInt(std::string_view s) {
    s = TrimLeft(s);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    if (i >= s.size()) return std::nullopt;
    long long value = 0;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > 2147483648LL) return std::nullopt;
    }
    value = negative ? -value : value;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return value;
}

long long ParseLeadingInt(std::string_view s) {
    s = TrimLeft(s);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
    constexpr long long kMax = std::numeric_limits<int>::max();
    long long value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        value = value * 10 + (s[i] - '0');
        if (value > kMax) value = kMax + 1;  // saturate, like strtol clamps
    }
    if (negative) return value > kMax ? std::numeric_limits<int>::min() : -value;
    return value > kMax ? kMax : value;
}

double ParseLeadingDouble(std::string_view s) {
    s = TrimLeft(s);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    // from_chars does not depend on the process locale.
    double value = 0.0;
    const char* begin = s.data();
    const char* end = s.data() + s.size();
    auto res = std::from_chars(begin, end, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small: keep the sign, like strtod gives HUGE_VAL or 0.
        bool neg = !s.empty() && s[0] == '-';
        // Tell overflow from underflow by the exponent's sign, if any.
        std::string_view rest(begin, static_cast<std::size_t>(res.ptr - begin));
        auto e = rest.find_first_of("eE");
        bool underflow = e != std::string_view::npos && e + 1 < rest.size() && rest[e + 1] == '-';
        if (underflow) return neg ? -0.0 : 0.0;
        return neg ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    if (res.ec != std::errc()) return 0.0;
    return value;
}

std::string FormatGeneral(double value) {
    if (value == 0.0) return "0";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", value);
    std::string out(buf);
    // snprintf follows LC_NUMERIC; the program always writes a point.
    for (char& c : out)
        if (c == ',') c = '.';
    return out;
}

std::size_t CharLengthAt(std::string_view utf8, std::size_t i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    std::size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    if (i + len > utf8.size()) return 1;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80) return 1;
    return len;
}

std::size_t CountChars(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); i += CharLengthAt(utf8, i)) ++n;
    return n;
}

std::size_t ByteOffsetOfChar(std::string_view utf8, long index) {
    std::size_t i = 0;
    for (long n = 0; n < index && i < utf8.size(); ++n) i += CharLengthAt(utf8, i);
    return i;
}

}  // namespace kravelo
