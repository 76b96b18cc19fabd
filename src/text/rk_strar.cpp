// String arrays: a fixed number of owned string slots, resizable on request, and the packed form
// that cuts every string into pieces of bounded length (with an index of each string's first piece).
// The dump shows at most 80 characters of a string, as the header states.
#include <algorithm>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "core/memory.hpp"

namespace {

constexpr char kModule[] = "src/rk_strar";

// Handed out for every unset slot. It lives in read-only storage, so a caller that writes to it
// faults at once instead of changing what every unset slot reads as.
const char rk_empty_str[] = "";

bool is_allocated(const Rk_StrArrayStruct* str_array)
{
    return str_array->array != nullptr && str_array->array_size != 0;
}

bool is_valid_slot(const Rk_StrArrayStruct* str_array, int pos)
{
    return is_allocated(str_array) && pos >= 0 && pos < str_array->array_size;
}

// Slot pointers and capacities for `count` unset slots, or false (nothing allocated).
bool alloc_slots(int count, char**& slots, int*& sizes)
{
    slots = rk::alloc_array<char*>(static_cast<std::size_t>(count));
    sizes = rk::alloc_array<int>(static_cast<std::size_t>(count));
    if (!slots || !sizes) {
        rk::release(slots);
        rk::release(sizes);
        return false;
    }
    for (int i = 0; i < count; ++i) {
        slots[i] = nullptr;
        sizes[i] = 0;
    }
    return true;
}

void release_slot(Rk_StrArrayStruct* str_array, int pos)
{
    rk::release(str_array->array[pos]);
    str_array->str_size[pos] = 0;
}

// Pieces of at most `max_size` characters for a string of `length`: an empty string makes one
// empty piece, except with `max_size` 1 where it makes none (the division truncates toward zero).
int piece_count(int length, int max_size) { return (length - 1) / max_size + 1; }

int text_length(const Rk_StrArrayStruct* str_array, int pos)
{
    char* text = nullptr;
    Rk_StrArrayGetStr(str_array, pos, &text);
    return static_cast<int>(std::strlen(text));
}

// Fills `packed` (already initialised to the total number of pieces) and the index array.
int pack_pieces(const Rk_StrArrayStruct* str_array, int count, int max_size, Rk_StrArrayStruct* packed,
                int* index)
{
    char* piece = rk::alloc_array<char>(static_cast<std::size_t>(max_size) + 1);
    if (!piece) return RK_FAIL(RK_ERR_NO_MEMORY);
    index[0] = 0;
    int status = 0;
    for (int i = 0; i < count && status == 0; ++i) {
        char* text = nullptr;
        Rk_StrArrayGetStr(str_array, i, &text);
        const std::size_t length = std::strlen(text);
        const int pieces = piece_count(static_cast<int>(length), max_size);
        if (i + 1 < count) index[i + 1] = index[i] + pieces;
        for (int j = 0; j < pieces && status == 0; ++j) {
            const std::size_t from = static_cast<std::size_t>(j) * static_cast<std::size_t>(max_size);
            const std::size_t taken = std::min(length - from, static_cast<std::size_t>(max_size));
            std::memcpy(piece, text + from, taken);
            piece[taken] = '\0';
            status = Rk_StrArraySetStr(packed, index[i] + j, piece);
        }
    }
    rk::release(piece);
    return status;
}

// The concatenation of pieces `first` .. `last` of `packed` into slot `slot` of `unpacked`.
int join_pieces(const Rk_StrArrayStruct* packed, int first, int last, Rk_StrArrayStruct* unpacked, int slot)
{
    std::size_t total = 0;
    for (int k = first; k <= last; ++k) {
        char* text = nullptr;
        RK_TRY(Rk_StrArrayGetStr(packed, k, &text));
        total += std::strlen(text);
    }
    char* joined = rk::alloc_array<char>(total + 1);
    if (!joined) return RK_FAIL(RK_ERR_NO_MEMORY);
    char* end = joined;
    for (int k = first; k <= last; ++k) {
        char* text = nullptr;
        Rk_StrArrayGetStr(packed, k, &text);
        const std::size_t length = std::strlen(text);
        std::memcpy(end, text, length);
        end += length;
    }
    *end = '\0';
    const int status = Rk_StrArraySetStr(unpacked, slot, joined);
    rk::release(joined);
    return status;
}

}  // namespace

extern "C" RK_API int Rk_StrArrayInit(Rk_StrArrayStruct* str_array, int num_strings)
{
    if (num_strings < 1) return RK_FAIL(RK_ERR_GENERAL);
    char** slots = nullptr;
    int* sizes = nullptr;
    if (!alloc_slots(num_strings, slots, sizes)) return RK_FAIL(RK_ERR_NO_MEMORY);
    str_array->array = slots;
    str_array->str_size = sizes;
    str_array->array_size = num_strings;
    return 0;
}

// A slot shrinks in place and is reallocated only to grow. The new copy is made before the old
// text is released, so a failed growth leaves the slot as it was.
extern "C" RK_API int Rk_StrArraySetStr(Rk_StrArrayStruct* str_array, int pos, const char* str)
{
    if (!is_valid_slot(str_array, pos)) return RK_FAIL(RK_ERR_GENERAL);
    const std::size_t length = std::strlen(str);
    char*& slot = str_array->array[pos];
    if (slot && length <= static_cast<std::size_t>(str_array->str_size[pos])) {
        std::memmove(slot, str, length + 1);  // `str` may lie inside the slot's own text
        return 0;
    }
    char* copy = rk_strdup(str);
    if (!copy) return RK_FAIL(RK_ERR_NO_MEMORY);
    release_slot(str_array, pos);
    slot = copy;
    str_array->str_size[pos] = static_cast<int>(length);
    return 0;
}

extern "C" RK_API int Rk_StrArrayGetStr(const Rk_StrArrayStruct* str_array, int pos, char** str)
{
    if (!is_valid_slot(str_array, pos)) return RK_FAIL(RK_ERR_GENERAL);
    char* slot = str_array->array[pos];
    *str = slot ? slot : const_cast<char*>(rk_empty_str);
    return 0;
}

extern "C" RK_API int Rk_StrArrayGetSize(const Rk_StrArrayStruct* str_array, int* size)
{
    if (!is_allocated(str_array)) return RK_FAIL(RK_ERR_GENERAL);
    *size = str_array->array_size;
    return 0;
}

// Shrinking keeps the arrays at their length; only growing allocates.
extern "C" RK_API int Rk_StrArrayResetSize(Rk_StrArrayStruct* str_array, int new_size)
{
    if (!is_allocated(str_array) || new_size < 1) return RK_FAIL(RK_ERR_GENERAL);
    const int old_size = str_array->array_size;
    if (new_size < old_size) {
        for (int i = new_size; i < old_size; ++i) release_slot(str_array, i);
    } else if (new_size > old_size) {
        char** slots = nullptr;
        int* sizes = nullptr;
        if (!alloc_slots(new_size, slots, sizes)) return RK_FAIL(RK_ERR_NO_MEMORY);
        std::memcpy(slots, str_array->array, sizeof(char*) * static_cast<std::size_t>(old_size));
        std::memcpy(sizes, str_array->str_size, sizeof(int) * static_cast<std::size_t>(old_size));
        rk::release(str_array->array);
        rk::release(str_array->str_size);
        str_array->array = slots;
        str_array->str_size = sizes;
    }
    str_array->array_size = new_size;
    return 0;
}

// The caller cannot tell how far a failing Pack got, so it takes back everything it made: the
// index array (the caller's pointer is nulled) and the packed array.
extern "C" RK_API int Rk_StrArrayPack(const Rk_StrArrayStruct* str_array, int max_size,
                                      Rk_StrArrayStruct* packed_array, int** index_array,
                                      int* index_array_size)
{
    if (max_size < 1 || packed_array == str_array) return RK_FAIL(RK_ERR_GENERAL);
    int count = 0;
    RK_TRY(Rk_StrArrayGetSize(str_array, &count));
    int* index = rk::alloc_array<int>(static_cast<std::size_t>(count));
    if (!index) return RK_FAIL(RK_ERR_NO_MEMORY);
    *index_array = index;
    *index_array_size = count;

    int total = 0;
    for (int i = 0; i < count; ++i) total += piece_count(text_length(str_array, i), max_size);
    int status = Rk_StrArrayInit(packed_array, total);
    if (status == 0) {
        status = pack_pieces(str_array, count, max_size, packed_array, index);
        if (status != 0) Rk_StrArrayFree(packed_array);
    }
    if (status != 0) {
        rk::release(*index_array);
        *index_array_size = 0;
    }
    return status;
}

// String i is made of pieces index_array[i] .. index_array[i + 1] - 1, the last string of the
// pieces from its first to the end. A failing Unpack frees what it has built.
extern "C" RK_API int Rk_StrArrayUnpack(const Rk_StrArrayStruct* packed_array, const int* index_array,
                                        int index_array_size, Rk_StrArrayStruct* unpacked_array)
{
    if (unpacked_array == packed_array) return RK_FAIL(RK_ERR_GENERAL);
    int pieces = 0;
    RK_TRY(Rk_StrArrayGetSize(packed_array, &pieces));
    RK_TRY(Rk_StrArrayInit(unpacked_array, index_array_size));
    for (int i = 0; i < index_array_size; ++i) {
        const int last = i + 1 < index_array_size ? index_array[i + 1] - 1 : pieces - 1;
        if (join_pieces(packed_array, index_array[i], last, unpacked_array, i) != 0) {
            Rk_StrArrayFree(unpacked_array);
            return 1;
        }
    }
    return 0;
}

// `array_size` is left as it was; the null `array` marks the record as no longer allocated.
extern "C" RK_API int Rk_StrArrayFree(Rk_StrArrayStruct* str_array)
{
    if (!str_array->array) return 0;
    for (int i = 0; i < str_array->array_size; ++i) rk::release(str_array->array[i]);
    rk::release(str_array->array);
    rk::release(str_array->str_size);
    return 0;
}

// Each string shows at most its first 80 characters; the first is labelled, the others line up under it.
extern "C" RK_API int Rk_StrArrayDebugRpt(const Rk_StrArrayStruct* str_array, Rk_ReportStruct* report)
{
    return rk::dump::titled(report, "String Array", [str_array, report] {
        if (!is_allocated(str_array)) {
            Rk_ReportWrite(report, "String array NOT allocated");
            return 0;
        }
        int size = 0;
        RK_TRY(Rk_StrArrayGetSize(str_array, &size));
        RK_TRY(rk::dump::line(report, kModule, "String array can hold %d strings", size));
        for (int i = 0; i < size; ++i) {
            char* text = nullptr;
            RK_TRY(Rk_StrArrayGetStr(str_array, i, &text));
            RK_TRY(rk::dump::line(report, kModule, "%s%.80s", i == 0 ? "Strings : " : "          ", text));
        }
        return 0;
    });
}

extern "C" RK_API int Rk_StrArrayDebug(const Rk_StrArrayStruct* str_array)
{
    return rk::dump::to_console(Rk_StrArrayDebugRpt, str_array);
}
