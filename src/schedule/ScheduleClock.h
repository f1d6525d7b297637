#pragma once
// The clock the scheduler reads: today's date, the time of day and the
// weekday, taken together so that one pass sees one instant. The program uses
// the local clock (ScheduleClockWin32.h); tests set the time themselves.
namespace pilotune {

struct ClockReading {
    int today = 0;   // whole days since 30 Dec 1899
    int now = 0;     // seconds since midnight, 0 to 86 399
    int weekday = 1; // 1 Monday to 7 Sunday
};

class ScheduleClock {
  public:
    virtual ~ScheduleClock() = default;
    virtual ClockReading Read() = 0;
};

// The weekday of a day number (day 2, 1 Jan 1900, is a Monday).
int WeekdayOfDay(int day);

} // namespace pilotune
