#include "schedule/ScheduleClockWin32.h"

#include <windows.h>

#include "settings/Codecs.h"

namespace pilotune {

ClockReading LocalScheduleClock::Read() {
    SYSTEMTIME t{};
    GetLocalTime(&t);
    ClockReading r;
    r.today = DayFromCivil({t.wYear, t.wMonth, t.wDay});
    r.now = t.wHour * 3600 + t.wMinute * 60 + t.wSecond;
    r.weekday = t.wDayOfWeek == 0 ? 7 : t.wDayOfWeek; // Windows counts from Sunday = 0
    return r;
}

} // namespace pilotune
