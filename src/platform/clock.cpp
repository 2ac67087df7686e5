#include "platform/clock.h"

#include <chrono>
#include <ctime>
#include <thread>

namespace glimmet {

namespace {

const char* const MonthAbbrev[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool VirtualOn = false;
long long VirtualMs = 1000; // a non-zero start, so "time 0" is never mistaken for a reading
std::string FixedDate;
std::string FixedTime;

long long RealMs() {
    static const auto start = std::chrono::steady_clock::now();
    auto elapsed = std::chrono::steady_clock::now() - start;
    return std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
}

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return parts;
}

std::string TwoDigits(int v) {
    return std::string{char('0' + v / 10 % 10), char('0' + v % 10)};
}

} // namespace

int Millis() {
    return static_cast<int>(static_cast<unsigned>(VirtualOn ? VirtualMs : RealMs()));
}

void SleepMs(int ms) {
    if (VirtualOn) {
        VirtualMs += ms > 0 ? ms : 0;
        return;
    }
    if (ms <= 0) {
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

std::string LocalDateText() {
    if (!FixedDate.empty()) return FixedDate;
    std::tm now = LocalNow();
    return TwoDigits(now.tm_mday) + " " + MonthAbbrev[now.tm_mon % 12] + " " +
           std::to_string(now.tm_year + 1900);
}

std::string LocalTimeText() {
    if (!FixedTime.empty()) return FixedTime;
    std::tm now = LocalNow();
    return TwoDigits(now.tm_hour) + ":" + TwoDigits(now.tm_min) + ":" + TwoDigits(now.tm_sec);
}

void UseVirtualClock(bool on) {
    VirtualOn = on;
}
bool VirtualClockOn() {
    return VirtualOn;
}
void AdvanceClock(int ms) {
    VirtualMs += ms > 0 ? ms : 0;
}

void SetLocalDateTime(const std::string& date, const std::string& time) {
    FixedDate = date;
    FixedTime = time;
}

} // namespace glimmet
