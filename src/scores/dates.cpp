#include "scores/dates.h"

#include "platform/clock.h"
#include "scores/fields.h"

namespace glimmet {

namespace {

int64_t ReadPart(const std::string& text, int start, int length) {
    return AbsInt64(ReadInt64(Mid(text, start, length)));
}

int64_t MonthNumber(const std::string& abbrev) {
    static const char* const Months[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                           "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    for (int m = 0; m < 12; m++)
        if (abbrev == Months[m]) return m + 1;
    return 0;
}

} // namespace

int64_t CalendarSeconds(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                        int64_t second) {
    return year * 12 * 31 * 24 * 3600 + month * 31 * 24 * 3600 + day * 24 * 3600 + hour * 3600 + minute * 60 +
           second;
}

int64_t DateStamp(const std::string& dateText) {
    std::string d = UpperCase(dateText.empty() ? LocalDateText() : dateText);
    std::string tm = LocalTimeText();
    return CalendarSeconds(ReadPart(d, 8, 4), MonthNumber(Mid(d, 4, 3)), ReadPart(d, 1, 2),
                           ReadPart(tm, 1, 2), ReadPart(tm, 4, 2), ReadPart(tm, 7, 2));
}

std::string TimeText(int64_t t) {
    return PadNumber(t / 3600 % 24, 2) + ":" + PadNumber(t / 60 % 60, 2) + ":" + PadNumber(t % 60, 2);
}

std::string DateText(int64_t t) {
    int64_t u = t / 86400 - 32;
    return PadNumber(u % 31 + 1, 2) + "-" + PadNumber(u / 31 % 12 + 1, 2) + "-" + PadNumber(u / 372, 4);
}

} // namespace glimmet
