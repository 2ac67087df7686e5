#pragma once
// Calendar seconds: a moment as one 64-bit number on a calendar of 12 months of 31 days, which sorts
// like real time and reads back into the day, month and year it was made from.

#include <cstdint>
#include <string>

namespace glimmet {

int64_t CalendarSeconds(int64_t year, int64_t month, int64_t day, int64_t hour, int64_t minute,
                        int64_t second);
// Calendar seconds of the date text ("05 Dec 2009"; empty = today) at the current local time of day.
int64_t DateStamp(const std::string& dateText);
std::string TimeText(int64_t t); // HH:MM:SS
std::string DateText(int64_t t); // DD-MM-YYYY

} // namespace glimmet
