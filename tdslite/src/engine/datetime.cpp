#include "datetime.h"

#include <cmath>
#include <ctime>
#include <sys/time.h>

namespace tdslite {

namespace {

// Days from 1970-01-01 to a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void civilFromDays(std::int64_t z, int* year, unsigned* month, unsigned* day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    *day = doy - (153 * mp + 2) / 5 + 1;
    *month = mp < 10 ? mp + 3 : mp - 9;
    *year = static_cast<int>(y + (*month <= 2));
}

const std::int64_t kDays1900 = daysFromCivil(1900, 1, 1);

bool validDate(int y, int m, int d) {
    static const int kMonthDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1753 || y > 9999 || m < 1 || m > 12 || d < 1) {
        return false;
    }
    bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    int limit = kMonthDays[m - 1] + (m == 2 && leap ? 1 : 0);
    return d <= limit;
}

class Reader {
public:
    explicit Reader(std::u16string_view text) : text_(text) {}
    bool atEnd() const { return pos_ >= text_.size(); }
    char16_t peek() const { return atEnd() ? u'\0' : text_[pos_]; }
    bool take(char16_t c) {
        if (peek() == c) {
            ++pos_;
            return true;
        }
        return false;
    }
    void skipSpaces() {
        while (!atEnd() && text_[pos_] == u' ') {
            ++pos_;
        }
    }
    // Reads up to `maxDigits` digits; returns the number of digits read.
    int number(int maxDigits, int* value) {
        int count = 0;
        *value = 0;
        while (count < maxDigits && !atEnd() && text_[pos_] >= u'0' && text_[pos_] <= u'9') {
            *value = *value * 10 + (text_[pos_] - u'0');
            ++pos_;
            ++count;
        }
        return count;
    }

private:
    std::u16string_view text_;
    std::size_t pos_ = 0;
};

bool readDate(Reader& in, int* y, int* m, int* d) {
    int first = 0;
    int digits = in.number(8, &first);
    if (digits == 8) {
        *y = first / 10000;
        *m = first / 100 % 100;
        *d = first % 100;
        return true;
    }
    if (digits != 4) {
        return false;
    }
    *y = first;
    char16_t separator = in.peek();
    if (separator != u'-' && separator != u'/' && separator != u'.') {
        return false;
    }
    in.take(separator);
    if (in.number(2, m) == 0 || !in.take(separator) || in.number(2, d) == 0) {
        return false;
    }
    return true;
}

bool readTime(Reader& in, int* hour, int* minute, int* second, double* millis) {
    if (in.number(2, hour) == 0 || !in.take(u':') || in.number(2, minute) == 0) {
        return false;
    }
    *second = 0;
    *millis = 0;
    if (in.take(u':')) {
        if (in.number(2, second) == 0) {
            return false;
        }
        if (in.take(u'.')) {
            double scale = 100;
            int digit = 0;
            while (in.number(1, &digit) == 1) {
                *millis += digit * scale;
                scale /= 10;
            }
        }
    }
    in.skipSpaces();
    bool pm = false;
    bool am = false;
    if (in.peek() == u'P' || in.peek() == u'p') {
        pm = true;
    } else if (in.peek() == u'A' || in.peek() == u'a') {
        am = true;
    }
    if (pm || am) {
        in.take(in.peek());
        if (!in.take(u'M') && !in.take(u'm')) {
            return false;
        }
        if (*hour < 1 || *hour > 12) {
            return false;
        }
        *hour = (*hour % 12) + (pm ? 12 : 0);
    }
    return *hour < 24 && *minute < 60 && *second < 60;
}

} // namespace

std::int64_t toStored(DateTime value) {
    return static_cast<std::int64_t>(value.days) * kTicksPerDay + value.ticks;
}

DateTime fromStored(std::int64_t stored) {
    std::int64_t days =
        stored >= 0 ? stored / kTicksPerDay : -((-stored + kTicksPerDay - 1) / kTicksPerDay);
    return {static_cast<std::int32_t>(days),
            static_cast<std::uint32_t>(stored - days * kTicksPerDay)};
}

DateTime localNow() {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm local{};
    localtime_r(&now.tv_sec, &local);
    std::int64_t days = daysFromCivil(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                                      static_cast<unsigned>(local.tm_mday)) -
                        kDays1900;
    double millis = (local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec) * 1000.0 +
                    static_cast<double>(now.tv_usec) / 1000.0;
    auto ticks = static_cast<std::int64_t>(std::llround(millis * 0.3));
    if (ticks >= kTicksPerDay) {
        ticks = kTicksPerDay - 1;
    }
    return {static_cast<std::int32_t>(days), static_cast<std::uint32_t>(ticks)};
}

std::optional<DateTime> parseDateTime(std::u16string_view text) {
    Reader in(text);
    in.skipSpaces();
    int y = 1900;
    int m = 1;
    int d = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    double millis = 0;
    bool timeOnly = false;
    {
        Reader probe = in;
        int ignored = 0;
        timeOnly = probe.number(2, &ignored) > 0 && probe.peek() == u':';
    }
    if (!timeOnly) {
        if (!readDate(in, &y, &m, &d)) {
            return std::nullopt;
        }
        if (!in.take(u'T')) {
            in.skipSpaces();
        }
    }
    if (!in.atEnd() && !readTime(in, &hour, &minute, &second, &millis)) {
        return std::nullopt;
    }
    in.skipSpaces();
    if (!in.atEnd() || !validDate(y, m, d)) {
        return std::nullopt;
    }
    std::int64_t days =
        daysFromCivil(y, static_cast<unsigned>(m), static_cast<unsigned>(d)) - kDays1900;
    double totalMillis = (hour * 3600.0 + minute * 60.0 + second) * 1000.0 + millis;
    auto ticks = static_cast<std::int64_t>(std::llround(totalMillis * 0.3));
    if (ticks >= kTicksPerDay) {
        ticks -= kTicksPerDay;
        ++days;
    }
    return DateTime{static_cast<std::int32_t>(days), static_cast<std::uint32_t>(ticks)};
}

std::u16string formatDateTime(DateTime value) {
    static const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                    "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    int year = 0;
    unsigned month = 0;
    unsigned day = 0;
    civilFromDays(value.days + kDays1900, &year, &month, &day);
    std::int64_t minutes = value.ticks / 300 / 60;
    int hour = static_cast<int>(minutes / 60);
    int minute = static_cast<int>(minutes % 60);
    int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s %2u %d %2d:%02d%s", kMonths[month - 1], day, year,
                  hour12, minute, hour < 12 ? "AM" : "PM");
    std::string text(buffer);
    return {text.begin(), text.end()};
}

} // namespace tdslite
