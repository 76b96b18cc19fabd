// String utilities over NUL-terminated text: bounded copies, case-insensitive comparison,
// stripping, insertion, hexadecimal conversion, the shortening join and the time-based number.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/fail.h"
#include "core/memory.hpp"

namespace {

constexpr char kModule[] = "src/rk_str";

// The characters stripping removes: blank, tab and newline (a carriage return stays).
bool is_strippable(char c) { return c == ' ' || c == '\t' || c == '\n'; }

int to_upper(char c) { return std::toupper(static_cast<unsigned char>(c)); }

// Value of a hexadecimal digit, or -1.
int hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Copies `len` characters of `src` starting at `from` to the start of `dst`, and terminates it.
char* move_span(const char* src, std::size_t from, std::size_t len, char* dst)
{
    std::memmove(dst, src + from, len);
    dst[len] = '\0';
    return dst;
}

// Appends the first `len` characters of `src` (no more than it has) at `out`; returns the new end.
char* append_prefix(char* out, const char* src, int len, int src_len)
{
    if (len > src_len) len = src_len;
    if (len <= 0) return out;
    std::memcpy(out, src, static_cast<std::size_t>(len));
    return out + len;
}

}  // namespace

extern "C" RK_API int rk_strlen(const char* string) { return static_cast<int>(std::strlen(string)); }

extern "C" RK_API char* rk_strncpy(char* string1, const char* string2, int num)
{
    if (num < 0) num = 0;
    string1[num] = '\0';
    std::strncpy(string1, string2, static_cast<std::size_t>(num));
    return string1;
}

extern "C" RK_API char* rk_strdup(const char* string1)
{
    const std::size_t len = std::strlen(string1);
    char* copy = rk::alloc_array<char>(len + 1);
    if (copy) std::memcpy(copy, string1, len + 1);
    return copy;
}

// Compares as signed characters after toupper, terminators included, so a proper prefix is smaller.
extern "C" RK_API int rk_stricmp(const char* string1, const char* string2)
{
    for (;; ++string1, ++string2) {
        const auto a = static_cast<signed char>(to_upper(*string1));
        const auto b = static_cast<signed char>(to_upper(*string2));
        if (a < b) return -1;
        if (a > b) return 1;
        if (*string1 == '\0') return 0;
    }
}

extern "C" RK_API int rk_strisblank(const char* string1)
{
    for (; *string1; ++string1)
        if (!std::isspace(static_cast<unsigned char>(*string1))) return 0;
    return 1;
}

extern "C" RK_API char* rk_strtoup(const char* string, char* upstring)
{
    std::size_t i = 0;
    for (; string[i]; ++i) upstring[i] = static_cast<char>(to_upper(string[i]));
    upstring[i] = '\0';
    return upstring;
}

extern "C" RK_API char* rk_strcharswap(char* str, char old_char, char new_char)
{
    const std::size_t len = std::strlen(str);
    for (std::size_t i = 0; i < len; ++i)
        if (str[i] == old_char) str[i] = new_char;
    return str;
}

extern "C" RK_API char* rk_strstrip(const char* string1, char* string2)
{
    std::size_t from = 0;
    std::size_t end = std::strlen(string1);
    while (from < end && is_strippable(string1[from])) ++from;
    while (end > from && is_strippable(string1[end - 1])) --end;
    return move_span(string1, from, end - from, string2);
}

extern "C" RK_API char* rk_strstripfront(const char* string1, char* string2)
{
    std::size_t from = 0;
    const std::size_t end = std::strlen(string1);
    while (from < end && is_strippable(string1[from])) ++from;
    return move_span(string1, from, end - from, string2);
}

extern "C" RK_API char* rk_strstriptail(const char* string1, char* string2)
{
    std::size_t end = std::strlen(string1);
    while (end > 0 && is_strippable(string1[end - 1])) --end;
    return move_span(string1, 0, end, string2);
}

// A position outside 0 .. length is taken as the nearer end.
extern "C" RK_API char* rk_strinsert(char* str, int pos, const char* insert_str)
{
    const std::size_t len = std::strlen(str);
    const std::size_t ins = std::strlen(insert_str);
    const std::size_t at = pos < 0 ? 0 : (static_cast<std::size_t>(pos) > len ? len : static_cast<std::size_t>(pos));
    std::memmove(str + at + ins, str + at, len - at + 1);
    std::memcpy(str + at, insert_str, ins);
    return str;
}

extern "C" RK_API int rk_strhexfromint(char* hex_string, int initial_int)
{
    std::snprintf(hex_string, 9, "%X", static_cast<unsigned int>(initial_int));
    return 0;
}

// Walks from the last character to the first in unsigned 32-bit arithmetic; a '-' negates what
// has been read so far and takes a digit position.
extern "C" RK_API int rk_strhextoint(const char* hex_string, int* result_int)
{
    std::uint32_t value = 0;
    std::uint32_t place = 1;
    *result_int = 0;
    for (std::size_t i = std::strlen(hex_string); i-- > 0;) {
        const char c = hex_string[i];
        const int digit = hex_digit(c);
        if (digit >= 0) {
            value += static_cast<std::uint32_t>(digit) * place;
        } else if (c == '-') {
            value = 0u - value;
        } else {
            *result_int = static_cast<std::int32_t>(value);
            return RK_FAIL(RK_ERR_GENERAL);
        }
        place *= 16u;
    }
    *result_int = static_cast<std::int32_t>(value);
    return 0;
}

// The first string gives way first, then (below min_str1_chars) the second, then the delimiter.
// When the second string alone is longer than the room left, it is cut to fit, keeping its start.
extern "C" RK_API int rk_strcombine(const char* str1, const char* str2, const char* delimiter,
                                    int max_combined_size, int min_str1_chars, char* combined)
{
    if (max_combined_size < 1 || min_str1_chars < 0) return RK_FAIL(RK_ERR_GENERAL);

    const int a = rk_strlen(str1);
    const int d = rk_strlen(delimiter);
    const int b = rk_strlen(str2);
    const int max = max_combined_size;
    int la = a;
    int ld = d;
    int lb = b;
    if (a + d + b > max) {
        la = a - (a + d + b - max);
        if (la < 0) la = 0;
        if (la < min_str1_chars) {
            la = min_str1_chars;
            lb = max - d - la;
            if (lb < 0) lb = 0;
        }
        if (la + ld + lb > max) {
            ld -= la + ld + lb - max;
            if (ld < 0) ld = 0;
        }
        if (la + ld + lb > max) {
            if (la > max) {
                la = max;
                ld = 0;
                lb = 0;
            } else {
                lb = max - la - ld;
            }
        }
    }
    char* out = combined;
    out = append_prefix(out, str1, la, a);
    out = append_prefix(out, delimiter, ld, d);
    out = append_prefix(out, str2, lb, b);
    *out = '\0';
    return 0;
}

extern "C" RK_API long rk_strgenlong(const char* str)
{
    const std::size_t groups = std::strlen(str) / 4;
    for (;;) {
        int sec, min, hour, mday, mon, year, wday, yday, isdst;
        Rkos_LocalTime(&sec, &min, &hour, &mday, &mon, &year, &wday, &yday, &isdst);
        std::uint32_t value = static_cast<std::uint32_t>(year % 2) * 1000000000u +
                              static_cast<std::uint32_t>(yday) * 1000000u +
                              static_cast<std::uint32_t>(hour) * 10000u +
                              static_cast<std::uint32_t>(min) * 100u + static_cast<std::uint32_t>(sec);
        for (std::size_t g = 0; g < groups; ++g) {
            const auto c = [&](int k) { return static_cast<std::uint32_t>(static_cast<signed char>(str[4 * g + k])); };
            value += c(0) * 10000000u + c(1) * 10000u + c(2) * 10u + c(3);
        }
        if (value != 0) return static_cast<std::int32_t>(value);
        // Under the fixed time another pass would give the same zero: never loop on it.
        if (!Rkos_DisplayTimeDate) return 1;
    }
}
