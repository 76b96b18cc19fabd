// String utilities over NUL-terminated text: bounded copies, case-insensitive comparison,
// stripping, insertion, hexadecimal conversion, the shortening join, the time-based number and
// the quoted tokenizer that splits a text into a string list.
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "core/fail.hpp"
#include "core/memory.hpp"
#include "platform/clock.hpp"

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

// True when `c` is one of the characters of `set` (the terminator never is).
bool is_one_of(char c, const char* set) { return c != '\0' && std::strchr(set, c) != nullptr; }

// Turns every token delimiter of `str` that stands outside a quoted section into a terminator of
// `work`, its copy. A section opens at a quote character, passes over doubled quote characters,
// and closes at the next quote character that is not doubled, or runs to the end.
void mark_delimiters(const char* str, std::size_t len, const char* token_delims, const char* quote_delims,
                     char* work)
{
    std::size_t i = 0;
    while (i < len) {
        if (is_one_of(str[i], quote_delims)) {
            for (++i; i < len; ++i) {
                if (!is_one_of(str[i], quote_delims)) continue;
                if (i + 1 < len && str[i + 1] == str[i]) {
                    ++i;
                    continue;
                }
                break;
            }
            ++i;
            continue;
        }
        if (is_one_of(str[i], token_delims)) work[i] = '\0';
        ++i;
    }
}

// The text of a token of `len` characters that opens with a quote character q, into `out`: from
// the second character on, a doubled q gives one q and every other q is dropped.
void unquote(const char* token, std::size_t len, char* out)
{
    const char q = token[0];
    for (std::size_t i = 1; i < len; ++i) {
        if (token[i] != q) {
            *out++ = token[i];
        } else if (i + 1 < len && token[i + 1] == q) {
            *out++ = q;
            ++i;
        }
    }
    *out = '\0';
}

// Appends one token of `len` characters: as it stands, or unquoted when it opens with a quote.
int add_token(const char* token, std::size_t len, const char* quote_delims, Rk_ListStruct* tokens)
{
    if (!is_one_of(token[0], quote_delims)) return Rk_StrListAdd(tokens, token);
    char* text = rk::alloc_array<char>(len);
    if (!text) return RK_FAIL(RK_ERR_NO_MEMORY);
    unquote(token, len, text);
    const int status = Rk_StrListAdd(tokens, text);
    Rkos_Free(text);
    return status;
}

// Appends every maximal run of characters between the terminators of the marked copy.
int collect_tokens(const char* work, std::size_t len, const char* quote_delims, Rk_ListStruct* tokens)
{
    std::size_t i = 0;
    while (i < len) {
        if (work[i] == '\0') {
            ++i;
            continue;
        }
        const std::size_t token_len = std::strlen(work + i);
        RK_TRY(add_token(work + i, token_len, quote_delims, tokens));
        i += token_len;
    }
    return 0;
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
        if (!rk::os::shows_current_time()) return 1;
    }
}

// The working copy is released on every path; tokens appended before a failure stay in the list.
extern "C" RK_API int rk_strtok(const char* str, const char* token_delims, const char* quote_delims,
                                Rk_ListStruct* tokens)
{
    RK_TRY(Rk_StrListInit(tokens, 1));
    if (!str) return 0;
    char* work = rk_strdup(str);
    if (!work) return RK_FAIL(RK_ERR_NO_MEMORY);
    const std::size_t len = std::strlen(str);
    mark_delimiters(str, len, token_delims, quote_delims, work);
    const int status = collect_tokens(work, len, quote_delims, tokens);
    Rkos_Free(work);
    return status;
}
