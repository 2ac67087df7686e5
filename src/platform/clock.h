#pragma once
// The millisecond clock, sleeping, and the local date and time as text.
//
// In the test mode the clock is virtual: it starts at a fixed reading and moves only when the program
// sleeps or a test advances it, so timed loops run at full speed and every run is the same.

#include <string>

namespace glimmet {

int Millis();         // milliseconds since the clock was first read (wraps after about 24 days)
void SleepMs(int ms); // sleeps at least ms milliseconds (ms <= 0 only yields)

// Local date as "%d %b %Y" (05 Dec 2009) and time as "%H:%M:%S", in English whatever the locale.
std::string LocalDateText();
std::string LocalTimeText();

// Test mode: a virtual clock, and a fixed local date and time (empty texts mean the real ones).
void UseVirtualClock(bool on);
bool VirtualClockOn();
void AdvanceClock(int ms);
void SetLocalDateTime(const std::string& date, const std::string& time);

} // namespace glimmet
