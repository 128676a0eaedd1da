#include <gtest/gtest.h>

#include "core/statistics.h"

namespace kravelo {
namespace {

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return {y, mo, d, h, mi, s}; }

TEST(Statistics, ElapsedSecondsCountTheCalendarDays) {
    // Over midnight, into a leap day, over a year's end, and a century that is no leap year.
    EXPECT_EQ(ElapsedSeconds(At(2024, 3, 1, 0, 0, 10), At(2024, 2, 28, 23, 59, 50)), 86400 + 20);
    EXPECT_EQ(ElapsedSeconds(At(2027, 1, 1, 1, 0, 0), At(2026, 12, 31, 23, 0, 0)), 7200);
    EXPECT_EQ(CalendarDaysBetween(At(1900, 3, 1), At(1900, 2, 28)), 1);
    EXPECT_EQ(CalendarDaysBetween(At(2000, 3, 1), At(2000, 2, 28)), 2);
    EXPECT_EQ(CalendarDaysBetween(At(2001, 10, 6), At(2026, 12, 6)), -9192);
}

TEST(Statistics, ShortDatesReadInTheCenturyBeforeToday) {
    const DateTime today = At(2026, 12, 6, 22, 0, 0);
    EXPECT_EQ(ShortDateText(today), "26-12-06");
    EXPECT_EQ(ParseShortDate(" 26-12-06 ", today), At(2026, 12, 6));
    EXPECT_EQ(ParseShortDate("99-01-31", today), At(1999, 1, 31));
    EXPECT_EQ(ParseShortDate("24-02-29", today), At(2024, 2, 29));
    for (const char* bad : {"", "23-02-29", "01-13-01", "01-00-10", "01-10", "01-10-06-07", "01/10/06", "a-b-c",
                            "01--06", "1-10-32"})
        EXPECT_FALSE(ParseShortDate(bad, today)) << bad;
}

// The window's fields in their order, joined by "|".
std::string Fields(const StatisticsTexts& t) {
    std::string out;
    for (const std::string* f : {&t.dateFrom, &t.dateTo, &t.daysCount, &t.executeCount, &t.timeDays, &t.timeHours,
                                 &t.timeMinutes, &t.timeSeconds, &t.minutesPerDay, &t.movieCount, &t.subtitleCount,
                                 &t.totalMovieSize, &t.totalSubtitleSize, &t.totalMovieHours, &t.movieHoursPerDay})
        out += (out.empty() ? "" : "|") + *f;
    return out;
}

TEST(Statistics, FieldsOfTheWindowAfterDaysOnTheFirstAndFromNoDate) {
    StatisticsInput in{"26-12-01", 7, 3, 11, 2 * 86400 + 3 * 3600 + 4 * 60 + 5, 4.123456789, 1.5 * (1 << 30),
                       2048 + 512};
    // Six days counting the first; 183845 s / 60 / 6 = 510.7 minutes a day; hours cut to 9 characters.
    EXPECT_EQ(Fields(StatisticsFor(in, At(2026, 12, 6, 12, 0, 0))),
              "26-12-01|26-12-06|6|7|2|3|4|5|511|3|11|1.5 GB|2.5 kB|4.1234567|0.6872427");

    // The first day.
    StatisticsInput first{"26-12-06", 1, 0, 0, 90, 1.5, 0, 0};
    EXPECT_EQ(Fields(StatisticsFor(first, At(2026, 12, 6, 23, 59, 59))),
              "26-12-06|26-12-06|1|1|0|0|1|30|2|0|0|0 B|0 B|1.5|1.5");
    // No day count for a start that is not a date or lies ahead: the averages as for no days.
    first.dateFrom = "garbage";
    EXPECT_EQ(Fields(StatisticsFor(first, At(2026, 12, 6, 12, 0, 0))),
              "garbage|26-12-06|?|1|0|0|1|30|0|0|0|0 B|0 B|1.5|1.5");
    first.dateFrom = "26-12-07";
    EXPECT_EQ(Fields(StatisticsFor(first, At(2026, 12, 6, 12, 0, 0))).substr(0, 20), "26-12-07|26-12-06|?|");
}

}  // namespace
}  // namespace kravelo
