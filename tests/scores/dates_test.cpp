#include <gtest/gtest.h>

#include "platform/clock.h"
#include "scores/dates.h"

namespace glimmet {
namespace {

class Dates : public testing::Test {
  protected:
    void TearDown() override { SetLocalDateTime("", ""); }
};

TEST_F(Dates, StampAndReadBack) {
    struct Case {
        std::string date, time;
        int64_t stamp; // 0: not pinned
        std::string dateText, timeText;
    };
    const Case cases[] = {
        {"31 Dec 2009", "23:59:59", 64605772799LL, "31-12-2009", "23:59:59"},
        {"01 Jan 2010", "00:00:00", 64605772800LL, "01-01-2010", "00:00:00"},
        {"05 Feb 2010", "07:08:09", 0, "05-02-2010", "07:08:09"},
        {"15 dec 2009", "12:00:00", 0, "15-12-2009", "12:00:00"},
        {"11 Dec 2026", "09:30:05", 0, "11-12-2026", "09:30:05"},
    };
    for (const Case& c : cases) {
        SetLocalDateTime("", c.time);
        int64_t t = DateStamp(c.date);
        if (c.stamp != 0) {
            EXPECT_EQ(t, c.stamp) << c.date;
        }
        EXPECT_EQ(DateText(t), c.dateText) << c.date;
        EXPECT_EQ(TimeText(t), c.timeText) << c.date;
    }
}

TEST_F(Dates, EmptyTextMeansToday) {
    SetLocalDateTime("28 Feb 2011", "13:14:15");
    int64_t t = DateStamp("");
    EXPECT_EQ(t, CalendarSeconds(2011, 2, 28, 13, 14, 15));
    EXPECT_EQ(DateText(t), "28-02-2011");
}

TEST_F(Dates, UnknownMonthCountsAsZero) {
    SetLocalDateTime("", "00:00:00");
    EXPECT_EQ(DateStamp("05 Foo 2009"), CalendarSeconds(2009, 0, 5, 0, 0, 0));
    EXPECT_EQ(DateStamp("garbage"), CalendarSeconds(0, 0, 0, 0, 0, 0));
}

TEST_F(Dates, RealClockTextsHaveTheirShape) {
    std::string date = LocalDateText(), time = LocalTimeText();
    ASSERT_EQ(date.size(), 11u) << date;
    EXPECT_EQ(date[2], ' ');
    EXPECT_NE(DateStamp("") / 86400 % 372, 0); // a real month and day were read
    ASSERT_EQ(time.size(), 8u) << time;
    EXPECT_EQ(time[2], ':');
}

} // namespace
} // namespace glimmet
