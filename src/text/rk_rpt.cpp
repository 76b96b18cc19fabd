// The report writer: a caller-owned record that sends each line, after its indent, to the console,
// a file it owns, the caller's line function and the caller's string list, in that order; with the
// centred, underlined, prefixed, from-file and message-text writes built on it. A file's lines are
// copied in pieces of at most 1,024 characters, a limit the header states.
#include <cstdio>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "core/memory.hpp"

namespace {

constexpr char kModule[] = "src/rk_rpt";

// Lines of a file copied into a report are read in pieces of at most this many characters.
constexpr int kFileLineLimit = 1024;

void reset(Rk_ReportStruct* report)
{
    report->destination = 0;
    report->file_ptr = nullptr;
    rk_strncpy(report->filename, " ", RK_TEXT_MAX);
    report->func_name = nullptr;
    report->strlist = nullptr;
    report->indent = 0;
    report->print_blank_lines = 1;
}

void close_file(Rk_ReportStruct* report)
{
    if (report->file_ptr) std::fclose(report->file_ptr);
    report->file_ptr = nullptr;
    rk_strncpy(report->filename, " ", RK_TEXT_MAX);
}

bool has(const Rk_ReportStruct* report, int bit) { return (report->destination & bit) != 0; }

// One line as a write hands it out: the text, an optional prefix before it (after the indent),
// and whether the console and the file end it with a newline.
struct OutLine {
    const char* text;
    const char* prefix;
    bool newline;
};

void print_line(std::FILE* out, int indent, const OutLine& line)
{
    std::fprintf(out, "%*s", indent, "");
    if (line.prefix) std::fputs(line.prefix, out);
    std::fputs(line.text, out);
    if (line.newline) std::fputc('\n', out);
}

// `indent` blanks, `prefix` and `text` in a new block (null when memory is exhausted).
char* compose(int indent, const char* prefix, const char* text)
{
    const std::size_t blanks = static_cast<std::size_t>(indent);
    const std::size_t prefix_length = std::strlen(prefix);
    const std::size_t text_length = std::strlen(text);
    char* out = rk::alloc_array<char>(blanks + prefix_length + text_length + 1);
    if (!out) return nullptr;
    std::memset(out, ' ', blanks);
    std::memcpy(out + blanks, prefix, prefix_length);
    std::memcpy(out + blanks + prefix_length, text, text_length + 1);
    return out;
}

// Hands the line to `take` as the function and the string list receive it: the caller's text
// itself when there is neither indent nor prefix, else a new text built for this one call.
template <class Take>
int hand_over(const Rk_ReportStruct* report, const OutLine& line, Take take)
{
    if (report->indent == 0 && !line.prefix) return take(const_cast<char*>(line.text));
    char* text = compose(report->indent, line.prefix ? line.prefix : "", line.text);
    if (!text) return RK_FAIL(RK_ERR_NO_MEMORY);
    const int status = take(text);
    rk::release(text);
    return status;
}

// A function or string-list bit set through Rk_ReportSetDestination without a function or list
// to go with it serves nothing: there is nothing to call or add to.
int write_line(Rk_ReportStruct* report, const OutLine& line)
{
    if (!report->print_blank_lines && rk_strisblank(line.text)) return 0;
    if (has(report, RK_REPORT_CONSOLE)) print_line(stdout, report->indent, line);
    if (has(report, RK_REPORT_FILE) && report->file_ptr) print_line(report->file_ptr, report->indent, line);
    if (has(report, RK_REPORT_FUNCTION) && report->func_name) {
        RK_TRY(hand_over(report, line, [report](char* text) {
            report->func_name(text);
            return 0;
        }));
    }
    if (has(report, RK_REPORT_STRLIST) && report->strlist) {
        RK_TRY(hand_over(report, line, [report](char* text) { return Rk_StrListAdd(report->strlist, text); }));
    }
    return 0;
}

// Opens the report file unless the file of that name is open already.
int open_file(Rk_ReportStruct* report, int old_mask, const char* filename, int file_mode)
{
    if (report->file_ptr) {
        if ((old_mask & RK_REPORT_FILE) && std::strcmp(filename, report->filename) == 0) return 0;
        close_file(report);
    }
    if (file_mode != 0 && file_mode != 1) return RK_FAIL(RK_ERR_GENERAL);
    std::FILE* file = std::fopen(filename, file_mode == 0 ? "a" : "w");
    if (!file) return RK_FAIL(RK_ERR_FILE_OPEN);
    report->file_ptr = file;
    rk_strncpy(report->filename, filename, RK_TEXT_MAX);
    return 0;
}

// Writes every line of the detailed text of `message` with `write`, then frees the text.
template <class Write>
int write_detailed(const Rk_MessageStruct* message, Write write)
{
    Rk_StrArrayStruct lines;
    RK_TRY(Rk_MessageGetDetailedText(message, &lines));
    int count = 0;
    int status = Rk_StrArrayGetSize(&lines, &count);
    for (int i = 0; i < count && status == 0; ++i) {
        char* line = nullptr;
        status = Rk_StrArrayGetStr(&lines, i, &line);
        if (status == 0) status = write(line);
    }
    Rk_StrArrayFree(&lines);
    return status;
}

}  // namespace

extern "C" RK_API int Rk_ReportInit(Rk_ReportStruct* report)
{
    reset(report);
    return 0;
}

extern "C" RK_API int Rk_ReportConsoleInit(Rk_ReportStruct* report)
{
    reset(report);
    report->destination = RK_REPORT_CONSOLE;
    return 0;
}

extern "C" RK_API int Rk_ReportFileInit(Rk_ReportStruct* report, const char* filename, int file_mode)
{
    reset(report);
    return Rk_ReportSetDestination(report, RK_REPORT_FILE, filename, file_mode, nullptr);
}

extern "C" RK_API int Rk_ReportStrListInit(Rk_ReportStruct* report, Rk_ListStruct* strlist)
{
    reset(report);
    report->destination = RK_REPORT_STRLIST;
    report->strlist = strlist;
    return 0;
}

// On failure `destination` keeps its former value, though a file closed on the way stays closed.
extern "C" RK_API int Rk_ReportSetDestination(Rk_ReportStruct* report, int destin_mask, const char* filename,
                                              int file_mode, Rk_ReportFunc func_name)
{
    const int old_mask = report->destination;
    if (destin_mask & RK_REPORT_FILE)
        RK_TRY(open_file(report, old_mask, filename, file_mode));
    else if (report->file_ptr)
        close_file(report);
    if (destin_mask & RK_REPORT_FUNCTION) report->func_name = func_name;
    report->destination = destin_mask;
    return 0;
}

extern "C" RK_API int Rk_ReportGetDestination(const Rk_ReportStruct* report, int* destin_mask)
{
    *destin_mask = report->destination;
    return 0;
}

extern "C" RK_API int Rk_ReportGetFilename(const Rk_ReportStruct* report, char* filename)
{
    const bool open = has(report, RK_REPORT_FILE) && report->file_ptr;
    rk_strncpy(filename, open ? report->filename : " ", RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_ReportSetIndent(Rk_ReportStruct* report, int indent)
{
    if (indent < 0) return RK_FAIL(RK_ERR_GENERAL);
    report->indent = indent;
    return 0;
}

extern "C" RK_API int Rk_ReportGetIndent(const Rk_ReportStruct* report, int* indent)
{
    *indent = report->indent;
    return 0;
}

extern "C" RK_API int Rk_ReportIgnoreBlankLinesOn(Rk_ReportStruct* report)
{
    report->print_blank_lines = 0;
    return 0;
}

extern "C" RK_API int Rk_ReportIgnoreBlankLinesOff(Rk_ReportStruct* report)
{
    report->print_blank_lines = 1;
    return 0;
}

// Each skipped line is a single blank, so it vanishes while blank lines are ignored.
extern "C" RK_API int Rk_ReportSkipLines(Rk_ReportStruct* report, int num_lines)
{
    for (int i = 0; i < num_lines; ++i) RK_TRY(Rk_ReportWrite(report, " "));
    return 0;
}

extern "C" RK_API int Rk_ReportClose(Rk_ReportStruct* report)
{
    close_file(report);
    reset(report);
    return 0;
}

extern "C" RK_API int Rk_ReportWrite(Rk_ReportStruct* report, const char* line)
{
    return write_line(report, {line, nullptr, true});
}

extern "C" RK_API int Rk_ReportWriteNoNewline(Rk_ReportStruct* report, const char* line)
{
    return write_line(report, {line, nullptr, false});
}

extern "C" RK_API int Rk_ReportWriteWithPrefix(Rk_ReportStruct* report, const char* line, const char* prefix)
{
    return write_line(report, {line, prefix, true});
}

// An underline that cannot be allocated is left out; the line itself is written all the same.
extern "C" RK_API int Rk_ReportWriteAndUnderline(Rk_ReportStruct* report, const char* line, char symbol)
{
    RK_TRY(Rk_ReportWrite(report, line));
    char* underline = rk_strdup(line);
    if (!underline) return 0;
    std::memset(underline, symbol, std::strlen(underline));
    const int status = Rk_ReportWrite(report, underline);
    rk::release(underline);
    return status;
}

extern "C" RK_API int Rk_ReportWriteCentered(Rk_ReportStruct* report, const char* line, int page_width)
{
    if (page_width < 1) return RK_FAIL(RK_ERR_GENERAL);
    const std::size_t width = static_cast<std::size_t>(page_width);
    char* centred = rk::alloc_array<char>(width + 1);
    if (!centred) return RK_FAIL(RK_ERR_NO_MEMORY);
    std::memset(centred, ' ', width);
    centred[width] = '\0';
    const long start = page_width / 2 - static_cast<long>(std::strlen(line) / 2);
    std::size_t at = start < 1 ? 0 : static_cast<std::size_t>(start);
    for (const char* c = line; *c && at < width; ++c, ++at) centred[at] = *c;
    const int status = Rk_ReportWrite(report, centred);
    rk::release(centred);
    return status;
}

extern "C" RK_API int Rk_ReportWriteFromFile(Rk_ReportStruct* rpt, const char* filename)
{
    std::FILE* file = std::fopen(filename, "r");
    if (!file) return 0;
    char line[kFileLineLimit + 1];
    while (std::fgets(line, sizeof line, file)) {
        rk_strstriptail(line, line);
        Rk_ReportWrite(rpt, line);
    }
    std::fclose(file);
    return 0;
}

extern "C" RK_API int Rk_ReportWriteShortMessage(Rk_ReportStruct* rpt, const Rk_MessageStruct* message)
{
    char summary[RK_TEXT_MAX + 1];
    Rk_MessageGetSummaryText(message, summary);
    return Rk_ReportWrite(rpt, summary);
}

extern "C" RK_API int Rk_ReportWriteShortMessagePfx(Rk_ReportStruct* rpt, const Rk_MessageStruct* message,
                                                    const char* prefix)
{
    char summary[RK_TEXT_MAX + 1];
    Rk_MessageGetSummaryText(message, summary);
    return Rk_ReportWriteWithPrefix(rpt, summary, prefix);
}

extern "C" RK_API int Rk_ReportWriteLongMessage(Rk_ReportStruct* rpt, const Rk_MessageStruct* message)
{
    return write_detailed(message, [rpt](const char* line) { return Rk_ReportWrite(rpt, line); });
}

extern "C" RK_API int Rk_ReportWriteLongMessageCent(Rk_ReportStruct* rpt, const Rk_MessageStruct* message,
                                                    int page_width)
{
    return write_detailed(message,
                          [rpt, page_width](const char* line) { return Rk_ReportWriteCentered(rpt, line, page_width); });
}

extern "C" RK_API int Rk_ReportWriteLongMessagePfx(Rk_ReportStruct* rpt, const Rk_MessageStruct* message,
                                                   const char* prefix)
{
    return write_detailed(message,
                          [rpt, prefix](const char* line) { return Rk_ReportWriteWithPrefix(rpt, line, prefix); });
}

extern "C" RK_API int Rk_ReportWriteShortMsgById(Rk_ReportStruct* report, long message_id, const char* message_file)
{
    Rk_MessageStruct message;
    Rk_MessageSet(&message, message_id, message_file);
    return Rk_ReportWriteShortMessage(report, &message);
}

extern "C" RK_API int Rk_ReportWriteLongMsgById(Rk_ReportStruct* report, long message_id, const char* message_file)
{
    Rk_MessageStruct message;
    Rk_MessageSet(&message, message_id, message_file);
    return Rk_ReportWriteLongMessage(report, &message);
}

// The described report is read in full before anything is written, so it may be `to_report` itself.
extern "C" RK_API int Rk_ReportDebugRpt(const Rk_ReportStruct* report, Rk_ReportStruct* to_report)
{
    int mask = 0;
    int indent = 0;
    char filename[RK_TEXT_MAX + 1];
    Rk_ReportGetDestination(report, &mask);
    Rk_ReportGetIndent(report, &indent);
    Rk_ReportGetFilename(report, filename);

    rk::dump::Text line(kModule);
    RK_TRY(line.append("Destination: "));
    if (mask == 0) RK_TRY(line.append(" (none), "));
    if (mask & RK_REPORT_CONSOLE) RK_TRY(line.append("Console, "));
    if (mask & RK_REPORT_FILE) RK_TRY(line.append("File (%s), ", filename));
    if (mask & RK_REPORT_FUNCTION) RK_TRY(line.append("Function, "));
    if (mask & RK_REPORT_STRLIST) RK_TRY(line.append("Rk_StrList, "));
    RK_TRY(line.append(" (indenting %2d chars)", indent));
    return rk::dump::titled(to_report, "Report",
                            [to_report, &line] { return Rk_ReportWrite(to_report, line.c_str()); });
}

extern "C" RK_API int Rk_ReportDebug(const Rk_ReportStruct* report)
{
    return rk::dump::to_console(Rk_ReportDebugRpt, report);
}
