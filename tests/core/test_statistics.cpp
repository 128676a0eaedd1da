#include <gtest/gtest.h>

#include "core/statistics.h"

namespace kravelo {
namespace {

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return {y, mo, d, h, mi, s}; }

TEST(Statistics, ElapsedSecondsCountTheCalendarDays) {
    // Over midnight, into a leap day, over a year's end, and a century that is no leap year.
    EXPECT_EQ(ElapsedSeconds(At(2026, 3, 1, 0, 0, 10), At(2026, 2, 28, 23, 59, 50)), 20);
    EXPECT_EQ(ElapsedSeconds(At(2024, 3, 1, 0, 0, 10), At(2024, 2, 28, 23, 59, 50)), 86400 + 20);
    EXPECT_EQ(ElapsedSeconds(At(2027, 1, 1, 1, 0, 0), At(2026, 12, 31, 23, 0, 0)), 7200);
    EXPECT_EQ(CalendarDaysBetween(At(1900, 3, 1), At(1900, 2, 28)), 1);
    EXPECT_EQ(CalendarDaysBetween(At(2000, 3, 1), At(2000, 2, 28)), 2);
    EXPECT_EQ(CalendarDaysBetween(At(2001, 10, 6), At(2026, 12, 6)), -9192);
    EXPECT_EQ(ElapsedSeconds(At(2026, 12, 6, 10, 0, 0), At(2026, 12, 6, 10, 0, 0)), 0);
}

TEST(Statistics, ShortDatesReadInTheCenturyBeforeToday) {
    const DateTime today = At(2026, 12, 6, 22, 0, 0);
    EXPECT_EQ(ShortDateText(today), "26-12-06");
    EXPECT_EQ(ShortDateText(At(2001, 10, 6)), "01-10-06");
    EXPECT_EQ(ParseShortDate("01-10-06", today), At(2001, 10, 6));
    EXPECT_EQ(ParseShortDate(" 26-12-06 ", today), At(2026, 12, 6));
    EXPECT_EQ(ParseShortDate("99-01-31", today), At(1999, 1, 31));
    EXPECT_EQ(ParseShortDate("24-02-29", today), At(2024, 2, 29));
    for (const char* bad : {"", "23-02-29", "01-13-01", "01-00-10", "01-10", "01-10-06-07", "01/10/06", "a-b-c",
                            "01--06", "1-10-32"})
        EXPECT_FALSE(ParseShortDate(bad, today)) << bad;
}

TEST(Statistics, FieldsOfTheWindow) {
    StatisticsInput in;
    in.dateFrom = "26-12-01";
    in.executeCount = 7;
    in.movieCount = 3;
    in.subtitleCount = 11;
    in.runningSeconds = 2 * 86400 + 3 * 3600 + 4 * 60 + 5;  // 2 d 3 h 4 m 5 s
    in.totalMovieHours = 4.123456789;
    in.totalMovieBytes = 1.5 * 1024 * 1024 * 1024;
    in.totalSubtitleBytes = 2048 + 512;
    const StatisticsTexts t = StatisticsFor(in, At(2026, 12, 6, 12, 0, 0));
    EXPECT_EQ(t.dateFrom, "26-12-01");
    EXPECT_EQ(t.dateTo, "26-12-06");
    EXPECT_EQ(t.daysCount, "6");  // the first day counts
    EXPECT_EQ(t.executeCount, "7");
    EXPECT_EQ(t.movieCount, "3");
    EXPECT_EQ(t.subtitleCount, "11");
    EXPECT_EQ(t.timeDays, "2");
    EXPECT_EQ(t.timeHours, "3");
    EXPECT_EQ(t.timeMinutes, "4");
    EXPECT_EQ(t.timeSeconds, "5");
    EXPECT_EQ(t.minutesPerDay, "511");  // 183845 s / 60 / 6 days = 510.7
    EXPECT_EQ(t.totalMovieHours, "4.1234567");
    EXPECT_EQ(t.movieHoursPerDay, "0.6872427");
    EXPECT_EQ(t.totalMovieSize, "1.5 GB");
    EXPECT_EQ(t.totalSubtitleSize, "2.5 kB");
}

TEST(Statistics, FirstDayAndAStartDateThatIsNoDate) {
    StatisticsInput first;
    first.dateFrom = "26-12-06";
    first.executeCount = 1;
    first.runningSeconds = 90;
    first.totalMovieHours = 1.5;
    StatisticsTexts t = StatisticsFor(first, At(2026, 12, 6, 23, 59, 59));
    EXPECT_EQ(t.daysCount, "1");
    EXPECT_EQ(t.minutesPerDay, "2");  // 1.5 minutes rounds up
    EXPECT_EQ(t.timeSeconds, "30");
    EXPECT_EQ(t.movieHoursPerDay, "1.5");
    EXPECT_EQ(t.totalMovieSize, "0 B");

    // No day count for a start that is not a date or lies ahead: the averages as for no days.
    for (const char* from : {"garbage", "26-12-07"}) {
        first.dateFrom = from;
        t = StatisticsFor(first, At(2026, 12, 6, 12, 0, 0));
        EXPECT_EQ(t.daysCount, "?") << from;
        EXPECT_EQ(t.minutesPerDay, "0") << from;
        EXPECT_EQ(t.movieHoursPerDay, "1.5") << from;
        EXPECT_EQ(t.dateFrom, from);
    }
}

}  // namespace
}  // namespace kravelo
