#pragma once
// Usage statistics: calendar arithmetic over local date-times and the texts the statistics
// window shows. Qt-free; the counters themselves are settings ("Statistics" section).
//
//     StatisticsInput in{settings.DateFrom, settings.ExecuteCount, ...};
//     StatisticsTexts t = StatisticsFor(in, LocalNow());
//     editDaysCount->setText(t.daysCount);

#include <optional>
#include <string>
#include <string_view>

namespace kravelo {

// A local calendar date and time of day.
struct DateTime {
    int year = 2000;
    int month = 1;   // 1..12
    int day = 1;     // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const DateTime&) const = default;
};

DateTime LocalNow();

bool IsLeapYear(int year);
// Whole calendar days from `earlier` to `later` (negative when `later` comes first); the times of
// day do not count.
long long CalendarDaysBetween(const DateTime& later, const DateTime& earlier);
// Whole seconds from `earlier` to `later`: the difference of the times of day plus 86400 for each
// calendar day between the dates. 23:59:50 to 00:00:10 of the next day is 20.
long long ElapsedSeconds(const DateTime& later, const DateTime& earlier);

// The short date "yy-mm-dd". Reading takes the two-digit year in the century of `today` unless
// that would lie after `today`'s year, then in the century before; nothing for a text that is
// not a real date.
std::string ShortDateText(const DateTime& date);
std::optional<DateTime> ParseShortDate(std::string_view text, const DateTime& today);

// What the statistics window is computed from.
struct StatisticsInput {
    std::string dateFrom;       // "yy-mm-dd"
    long long executeCount = 0;
    long long movieCount = 0;
    long long subtitleCount = 0;
    double runningSeconds = 0;  // earlier runs and this one
    double totalMovieHours = 0;
    double totalMovieBytes = 0;
    double totalSubtitleBytes = 0;
};

// The texts of the window's fields. A start date that is not a date, or lies after today,
// gives no day count: "?" days, and the per-day averages are shown as for 0 days.
struct StatisticsTexts {
    std::string dateFrom, dateTo, daysCount, executeCount;
    std::string timeDays, timeHours, timeMinutes, timeSeconds, minutesPerDay;
    std::string movieCount, subtitleCount, totalMovieSize, totalSubtitleSize;
    std::string totalMovieHours, movieHoursPerDay;
};

StatisticsTexts StatisticsFor(const StatisticsInput& in, const DateTime& now);

}  // namespace kravelo
