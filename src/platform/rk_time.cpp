// The platform's clock: the only code of the library that reads the time. While
// Rkos_DisplayTimeDate is 0 it reports a fixed time, so that time-stamped output is reproducible.
// The switch is an exported int that any thread may read while another changes it, so the library
// loads and stores it whole (relaxed atomic operations on the plain int).
#include <cstring>
#include <ctime>

#include "platform/clock.hpp"

extern "C" {
RK_API int Rkos_DisplayTimeDate = 1;
}

namespace {

// The fixed time, in both forms. The two forms need not describe the same calendar day.
constexpr int kFixedFields[9] = {0, 30, 3, 7, 7, 93, 5, 180, 1};

struct AsciiFields {
    const char* sec;
    const char* min;
    const char* hour;
    const char* mday;
    const char* mon;
    const char* year;
    const char* wday;
};
constexpr AsciiFields kFixedTexts = {"00", "30", "03", "07", "Jul", "1993", "Thu"};

// Copies `len` characters of `text` from `from` into `out` and terminates it.
void slice(const char* text, int from, int len, char* out)
{
    std::memcpy(out, text + from, static_cast<std::size_t>(len));
    out[len] = '\0';
}

}  // namespace

bool rk::os::shows_current_time() { return __atomic_load_n(&Rkos_DisplayTimeDate, __ATOMIC_RELAXED) != 0; }

extern "C" RK_API void Rkos_LocalTime(int* sec, int* min, int* hour, int* mday, int* mon, int* year,
                                      int* wday, int* yday, int* isdst)
{
    int fields[9];
    if (rk::os::shows_current_time()) {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        const int read[9] = {local.tm_sec,  local.tm_min,  local.tm_hour,
                             local.tm_mday, local.tm_mon,  local.tm_year,
                             local.tm_wday, local.tm_yday, local.tm_isdst};
        std::memcpy(fields, read, sizeof fields);
    } else {
        std::memcpy(fields, kFixedFields, sizeof fields);
    }
    *sec = fields[0];
    *min = fields[1];
    *hour = fields[2];
    *mday = fields[3];
    *mon = fields[4];
    *year = fields[5];
    *wday = fields[6];
    *yday = fields[7];
    *isdst = fields[8];
}

extern "C" RK_API void Rkos_AsciiTime(char* sec, char* min, char* hour, char* mday, char* mon,
                                      char* year, char* wday)
{
    if (!rk::os::shows_current_time()) {
        std::strcpy(sec, kFixedTexts.sec);
        std::strcpy(min, kFixedTexts.min);
        std::strcpy(hour, kFixedTexts.hour);
        std::strcpy(mday, kFixedTexts.mday);
        std::strcpy(mon, kFixedTexts.mon);
        std::strcpy(year, kFixedTexts.year);
        std::strcpy(wday, kFixedTexts.wday);
        return;
    }
    // ctime's layout: "Www Mmm dd hh:mm:ss yyyy\n".
    const std::time_t now = std::time(nullptr);
    char text[64] = "";
    if (!ctime_r(&now, text) || std::strlen(text) < 24) std::strcpy(text, "??? ??? ?? ??:??:?? ????");
    slice(text, 0, 3, wday);
    slice(text, 4, 3, mon);
    slice(text, 8, 2, mday);
    slice(text, 11, 2, hour);
    slice(text, 14, 2, min);
    slice(text, 17, 2, sec);
    slice(text, 20, 4, year);
}

extern "C" RK_API void Rkos_TimeShowCurrent(void) { __atomic_store_n(&Rkos_DisplayTimeDate, 1, __ATOMIC_RELAXED); }

extern "C" RK_API void Rkos_TimeShowFixed(void) { __atomic_store_n(&Rkos_DisplayTimeDate, 0, __ATOMIC_RELAXED); }
