// The scratch text and the plain writes the diagnostic dumps share.
#include "core/dump.hpp"

#include <cstdio>
#include <cstring>

#include "core/memory.hpp"

namespace rk::dump {

Text::~Text()
{
    if (data_ != local_) Rkos_Free(data_);
}

// Room for `size` characters with the terminator; the text is kept.
bool Text::reserve(std::size_t size)
{
    if (size <= capacity_) return true;
    char* block = alloc_array<char>(size);
    if (!block) return false;
    std::memcpy(block, data_, length_ + 1);
    if (data_ != local_) Rkos_Free(data_);
    data_ = block;
    capacity_ = size;
    return true;
}

int Text::append(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int status = append_v(fmt, args);
    va_end(args);
    return status;
}

// Formats once into the room there is; when that was too little, makes room and formats again.
int Text::append_v(const char* fmt, va_list args)
{
    va_list again;
    va_copy(again, args);
    const int added = std::vsnprintf(data_ + length_, capacity_ - length_, fmt, args);
    int status = 0;
    if (added < 0) {
        status = fail(RK_ERR_GENERAL, module_, __LINE__);
    } else if (length_ + static_cast<std::size_t>(added) >= capacity_) {
        if (reserve(length_ + static_cast<std::size_t>(added) + 1))
            std::vsnprintf(data_ + length_, capacity_ - length_, fmt, again);
        else
            status = fail(RK_ERR_NO_MEMORY, module_, __LINE__);
    }
    va_end(again);
    if (status == 0)
        length_ += static_cast<std::size_t>(added);
    else
        data_[length_] = '\0';
    return status;
}

void Text::clear()
{
    length_ = 0;
    data_[0] = '\0';
}

namespace {

int write_line(Rk_ReportStruct* report, const char* module, bool checked, const char* fmt, va_list args)
{
    Text text(module);
    RK_TRY(text.append_v(fmt, args));
    const int written = Rk_ReportWrite(report, text.c_str());
    return checked ? written : 0;
}

}  // namespace

int line(Rk_ReportStruct* report, const char* module, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int status = write_line(report, module, false, fmt, args);
    va_end(args);
    return status;
}

int checked_line(Rk_ReportStruct* report, const char* module, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const int status = write_line(report, module, true, fmt, args);
    va_end(args);
    return status;
}

void title(Rk_ReportStruct* report, const char* title) { Rk_ReportWriteAndUnderline(report, title, '-'); }

int text_lines(Rk_ReportStruct* report, Rk_StrArrayStruct* lines)
{
    int count = 0;
    int status = Rk_StrArrayGetSize(lines, &count);
    for (int i = 0; i < count && status == 0; ++i) {
        char* text = nullptr;
        status = Rk_StrArrayGetStr(lines, i, &text);
        if (status == 0) Rk_ReportWrite(report, text);
    }
    Rk_StrArrayFree(lines);
    return status;
}

}  // namespace rk::dump
