#include "core/statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/format_size.h"
#include "core/text_util.h"

namespace kravelo {
namespace {

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days since 1 March of year 0 of the proleptic Gregorian calendar: the same count as stepping
// through the month lengths day by day, without the loop.
long long DayNumber(const DateTime& d) {
    const long long y = d.month <= 2 ? d.year - 1 : d.year;
    const long long m = d.month <= 2 ? d.month + 9 : d.month - 3;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * m + 2) / 5 + d.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

std::string Number(long long n) { return std::to_string(n); }

// A decimal number's text cut to its first nine characters.
std::string Cut9(double value) { return FormatGeneral(value).substr(0, 9); }

std::uint64_t Bytes(double value) {
    return std::isfinite(value) && value > 0 ? static_cast<std::uint64_t>(value) : 0;
}

}  // namespace

DateTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

long long CalendarDaysBetween(const DateTime& later, const DateTime& earlier) {
    return DayNumber(later) - DayNumber(earlier);
}

long long ElapsedSeconds(const DateTime& later, const DateTime& earlier) {
    const auto secondsOfDay = [](const DateTime& t) { return t.hour * 3600LL + t.minute * 60LL + t.second; };
    return secondsOfDay(later) - secondsOfDay(earlier) + CalendarDaysBetween(later, earlier) * 86400;
}

std::string ShortDateText(const DateTime& date) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%02d-%02d-%02d", ((date.year % 100) + 100) % 100, date.month, date.day);
    return buf;
}

std::optional<DateTime> ParseShortDate(std::string_view text, const DateTime& today) {
    text = Trim(text);
    int parts[3] = {0, 0, 0};
    int part = 0;
    int digits = 0;
    for (char c : text) {
        if (c == '-') {
            if (digits == 0 || ++part > 2) return std::nullopt;
            digits = 0;
        } else if (c >= '0' && c <= '9' && digits < 4) {
            parts[part] = parts[part] * 10 + (c - '0');
            ++digits;
        } else {
            return std::nullopt;
        }
    }
    if (part != 2 || digits == 0) return std::nullopt;
    DateTime d;
    d.year = parts[0];
    if (d.year < 100) {
        d.year += today.year - today.year % 100;
        if (d.year > today.year) d.year -= 100;
    }
    d.month = parts[1];
    d.day = parts[2];
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > DaysInMonth(d.year, d.month)) return std::nullopt;
    return d;
}

StatisticsTexts StatisticsFor(const StatisticsInput& in, const DateTime& now) {
    StatisticsTexts t;
    t.dateFrom = in.dateFrom;
    t.dateTo = ShortDateText(now);
    long long days = 0;
    if (std::optional<DateTime> from = ParseShortDate(in.dateFrom, now))
        days = std::max(0LL, CalendarDaysBetween(now, *from) + 1);
    t.daysCount = days > 0 ? Number(days) : "?";
    t.executeCount = Number(in.executeCount);
    t.movieCount = Number(in.movieCount);
    t.subtitleCount = Number(in.subtitleCount);

    const double total = std::isfinite(in.runningSeconds) ? std::max(0.0, in.runningSeconds) : 0.0;
    t.minutesPerDay = days > 0 ? Number(static_cast<long long>(total / 60.0 / static_cast<double>(days) + 0.5)) : "0";
    const auto d = static_cast<long long>(total / 86400.0);
    const auto h = static_cast<long long>((total - d * 86400.0) / 3600.0);
    const auto m = static_cast<long long>((total - d * 86400.0 - h * 3600.0) / 60.0);
    t.timeDays = Number(d);
    t.timeHours = Number(h);
    t.timeMinutes = Number(m);
    t.timeSeconds = FormatGeneral(total - d * 86400.0 - h * 3600.0 - m * 60.0);

    t.totalMovieHours = Cut9(in.totalMovieHours);
    t.movieHoursPerDay = days > 0 ? Cut9(in.totalMovieHours / static_cast<double>(days)) : t.totalMovieHours;
    t.totalMovieSize = FormatSize(Bytes(in.totalMovieBytes));
    t.totalSubtitleSize = FormatSize(Bytes(in.totalSubtitleBytes));
    return t;
}

}  // namespace kravelo
