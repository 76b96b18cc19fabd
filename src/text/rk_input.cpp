// The input reader: a caller-owned record that delivers lines from the console, a file it owns or
// the caller's line function, cutting comments and skipping blank lines on request; and the reads
// built on it: stripped lines, statements spanning lines, skips to tokens or over lines, the rest
// of the input copied into a report. A read delivers at most 256 characters (RK_INPUT_LINE_MAX), so
// a longer line arrives in pieces, as the header states.
#include <cstdio>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "core/memory.hpp"

namespace {

constexpr char kModule[] = "src/rk_input";

// Every read fills a buffer of this many bytes: a line of at most 256 characters and its terminator.
constexpr int kLineBuffer = RK_INPUT_LINE_MAX + 1;

void close_file(Rk_InputStruct* input)
{
    if (input->file_ptr) std::fclose(input->file_ptr);
    input->file_ptr = nullptr;
    input->filename[0] = '\0';
}

// True when the first read of `file` fails, as it does for a directory on hosts whose fopen
// accepts one. What the peek took is put back.
bool unreadable(std::FILE* file)
{
    const int c = std::fgetc(file);
    if (c == EOF) {
        const bool failed = std::ferror(file) != 0;
        std::clearerr(file);
        return failed;
    }
    std::ungetc(c, file);
    return false;
}

// Makes `filename` the source. A file that cannot be opened or read leaves the reader without
// a source, so no later read can reach a stale stream.
int open_file(Rk_InputStruct* input, const char* filename)
{
    input->source = RK_INPUT_NONE;
    std::FILE* file = filename ? std::fopen(filename, "r") : nullptr;
    if (file && unreadable(file)) {
        std::fclose(file);
        file = nullptr;
    }
    if (!file) return RK_FAIL(RK_ERR_FILE_OPEN);
    input->file_ptr = file;
    rk_strncpy(input->filename, filename, RK_TEXT_MAX);
    input->source = RK_INPUT_FILE;
    return 0;
}

// Reads one line of at most 256 characters from `stream`; a failing stream is an error, not the
// end of the input.
int read_stream(std::FILE* stream, char* line, bool* got)
{
    *got = std::fgets(line, kLineBuffer, stream) != nullptr;
    if (!*got && std::ferror(stream)) return RK_FAIL(RK_ERR_FILE_OPEN);
    return 0;
}

// One raw line from the source; `got` false at the end of the input. A file source without its
// file, or a function source without a function, is no source at all.
int read_raw(const Rk_InputStruct* input, char* line, bool* got)
{
    switch (input->source) {
    case RK_INPUT_CONSOLE:
        return read_stream(stdin, line, got);
    case RK_INPUT_FILE:
        if (!input->file_ptr) break;
        return read_stream(input->file_ptr, line, got);
    case RK_INPUT_FUNCTION:
        if (!input->func_name) break;
        *got = input->func_name(line) != nullptr;
        return 0;
    default:
        break;
    }
    return RK_FAIL(RK_ERR_GENERAL);
}

// Cuts `line` at the first `delim`: a comment at the start leaves nothing, one further on leaves
// the text before it and the line's newline, if it had one.
void cut_comment(char* line, const char* delim)
{
    char* at = std::strstr(line, delim);
    if (!at) return;
    const std::size_t length = std::strlen(line);
    const bool had_newline = length > 0 && line[length - 1] == '\n';
    if (at == line || !had_newline) {
        *at = '\0';
        return;
    }
    at[0] = '\n';
    at[1] = '\0';
}

// Removes one trailing newline.
void drop_newline(char* line)
{
    const std::size_t length = std::strlen(line);
    if (length > 0 && line[length - 1] == '\n') line[length - 1] = '\0';
}

// Adds the non-blank lines, stripped, to `lines` up to one that ends in a semicolon (which is
// dropped) or the end of the input.
int collect_statement(Rk_InputStruct* input, Rk_StrList* lines, int* eof)
{
    char line[kLineBuffer];
    for (;;) {
        RK_TRY(Rk_InputRead(input, line, eof));
        if (*eof) return 0;
        if (rk_strisblank(line)) continue;
        rk_strstrip(line, line);
        const std::size_t length = std::strlen(line);
        const bool last = length > 0 && line[length - 1] == ';';
        if (last) line[length - 1] = '\0';
        RK_TRY(Rk_StrListAdd(lines, line));
        if (last) return 0;
    }
}

// The `count` texts of `lines` joined with one blank between neighbours, in a new block.
int join_lines(const Rk_StrList* lines, int count, char** text)
{
    std::size_t total = 0;
    for (int i = 0; i < count; ++i) {
        char* line = nullptr;
        RK_TRY(Rk_StrListGet(lines, i, &line));
        total += std::strlen(line) + 1;
    }
    char* joined = rk::alloc_array<char>(total);
    if (!joined) return RK_FAIL(RK_ERR_NO_MEMORY);
    char* end = joined;
    for (int i = 0; i < count; ++i) {
        char* line = nullptr;
        Rk_StrListGet(lines, i, &line);
        if (i > 0) *end++ = ' ';
        const std::size_t length = std::strlen(line);
        std::memcpy(end, line, length);
        end += length;
    }
    *end = '\0';
    *text = joined;
    return 0;
}

// Reads until a line contains `token`; that line is left in `line` (257 places).
int read_to_token(Rk_InputStruct* input, const char* token, char* line, int* eof)
{
    for (;;) {
        RK_TRY(Rk_InputRead(input, line, eof));
        if (*eof || std::strstr(line, token)) return 0;
    }
}

// Records in `tokens_found`, token by token, whether `line` contains it; `matched` tells whether any does.
int mark_tokens(const Rk_StrTable* tokens, int num_tokens, const char* line, Rk_IntTable* tokens_found,
                bool* matched)
{
    RK_TRY(Rk_IntTableClear(tokens_found));
    if (tokens_found->num_cols != 1) return RK_FAIL(RK_ERR_GENERAL);
    *matched = false;
    for (int i = 0; i < num_tokens; ++i) {
        char* token = nullptr;
        RK_TRY(Rk_StrTableGetValue(tokens, 0, i, &token));
        const int found = std::strstr(line, token) != nullptr;
        RK_TRY(Rk_IntTableAddRow(tokens_found, &found));
        *matched = *matched || found;
    }
    return 0;
}

// Hands every remaining line to `write`.
template <class Write>
int copy_rest(Rk_InputStruct* input, Write write)
{
    char line[kLineBuffer];
    for (;;) {
        int eof = 0;
        RK_TRY(Rk_InputRead(input, line, &eof));
        if (eof) return 0;
        RK_TRY(write(line));
    }
}

}  // namespace

extern "C" RK_API int Rk_InputInit(Rk_InputStruct* input)
{
    input->source = RK_INPUT_NONE;
    input->file_ptr = nullptr;
    input->filename[0] = '\0';
    input->func_name = nullptr;
    input->ignore_blank_lines = 0;
    input->ignore_comments = 0;
    input->comment_delim[0] = '\0';
    return 0;
}

extern "C" RK_API int Rk_InputFileInit(Rk_InputStruct* input, const char* filename)
{
    Rk_InputInit(input);
    return open_file(input, filename);
}

// The code is checked only after a file being read is closed, so even a refused code leaves
// that file closed (and the reader then without a source).
extern "C" RK_API int Rk_InputSetSource(Rk_InputStruct* input, int source_mask, const char* filename,
                                        Rk_InputFunc func_name)
{
    if (input->source == RK_INPUT_FILE) {
        close_file(input);
        input->source = RK_INPUT_NONE;
    }
    switch (source_mask) {
    case RK_INPUT_CONSOLE:
        input->source = RK_INPUT_CONSOLE;
        return 0;
    case RK_INPUT_FILE:
        return open_file(input, filename);
    case RK_INPUT_FUNCTION:
        input->func_name = func_name;
        input->source = RK_INPUT_FUNCTION;
        return 0;
    default:
        return RK_FAIL(RK_ERR_GENERAL);
    }
}

extern "C" RK_API int Rk_InputGetSource(const Rk_InputStruct* input, int* source)
{
    *source = input->source;
    return 0;
}

extern "C" RK_API int Rk_InputGetFilename(const Rk_InputStruct* input, char* file_name)
{
    file_name[0] = '\0';
    if (input->source == RK_INPUT_FILE && input->file_ptr) rk_strncpy(file_name, input->filename, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_InputIgnoreBlankLinesOn(Rk_InputStruct* input)
{
    input->ignore_blank_lines = 1;
    return 0;
}

extern "C" RK_API int Rk_InputIgnoreBlankLinesOff(Rk_InputStruct* input)
{
    input->ignore_blank_lines = 0;
    return 0;
}

extern "C" RK_API int Rk_InputIgnoreCommentsOn(Rk_InputStruct* input, const char* delim)
{
    input->ignore_comments = 1;
    rk_strncpy(input->comment_delim, delim, RK_INPUT_DELIM_MAX);
    return 0;
}

extern "C" RK_API int Rk_InputIgnoreCommentsOff(Rk_InputStruct* input)
{
    input->ignore_comments = 0;
    return 0;
}

// Comment lines are skipped only while blank lines are: cutting a whole-line comment leaves an
// empty line, which is otherwise delivered like any other.
extern "C" RK_API int Rk_InputRead(Rk_InputStruct* input, char* text_line, int* eof)
{
    *eof = 0;
    for (;;) {
        bool got = false;
        RK_TRY(read_raw(input, text_line, &got));
        if (!got) {
            *eof = 1;
            return 0;
        }
        if (input->ignore_comments) cut_comment(text_line, input->comment_delim);
        if (!input->ignore_blank_lines || !rk_strisblank(text_line)) return 0;
    }
}

extern "C" RK_API int Rk_InputReadAndStrip(Rk_InputStruct* input, char* text_line, int* eof)
{
    RK_TRY(Rk_InputRead(input, text_line, eof));
    if (!*eof) drop_newline(text_line);
    return 0;
}

// A semicolon ends a statement only as the last character of a stripped line. Input that ends
// before one still gives the lines collected so far, with `eof` 1 at the same time.
extern "C" RK_API int Rk_InputReadSpanningLines(Rk_InputStruct* input, char** text, int* eof)
{
    *eof = 0;
    *text = nullptr;
    Rk_StrList lines{};
    RK_TRY(Rk_StrListInit(&lines, 1));
    int count = 0;
    int status = collect_statement(input, &lines, eof);
    if (status == 0) status = Rk_StrListGetSize(&lines, &count);
    if (status == 0) {
        if (count == 0)
            *eof = 1;
        else
            status = join_lines(&lines, count, text);
    }
    Rk_StrListFree(&lines);
    return status;
}

extern "C" RK_API int Rk_InputReadToToken(Rk_InputStruct* input, const char* token, int* eof)
{
    char line[kLineBuffer];
    return read_to_token(input, token, line, eof);
}

// The line is read into a buffer of the reader's own and copied out only when it matches, so at
// the end of the input `text_line` keeps what it held.
extern "C" RK_API int Rk_InputReadToTokenReturn(Rk_InputStruct* input, const char* token, char* text_line,
                                                int* eof)
{
    char line[kLineBuffer];
    RK_TRY(read_to_token(input, token, line, eof));
    if (!*eof) rk_strncpy(text_line, line, RK_INPUT_LINE_MAX);
    return 0;
}

extern "C" RK_API int Rk_InputReadToTokensReturn(Rk_InputStruct* input, const Rk_StrTable* tokens,
                                                 Rk_IntTable* tokens_found, char* text_line, int* eof)
{
    int num_cols = 0;
    int num_tokens = 0;
    RK_TRY(Rk_StrTableGetSize(tokens, &num_cols, &num_tokens));
    if (num_tokens < 1) return RK_FAIL(RK_ERR_GENERAL);
    char line[kLineBuffer];
    for (;;) {
        RK_TRY(Rk_InputRead(input, line, eof));
        if (*eof) return 0;
        bool matched = false;
        RK_TRY(mark_tokens(tokens, num_tokens, line, tokens_found, &matched));
        if (matched) {
            rk_strncpy(text_line, line, RK_INPUT_LINE_MAX);
            return 0;
        }
    }
}

extern "C" RK_API int Rk_InputSkipLines(Rk_InputStruct* input, int num_lines, int* eof)
{
    *eof = 0;
    char line[kLineBuffer];
    for (int i = 0; i < num_lines && !*eof; ++i) RK_TRY(Rk_InputRead(input, line, eof));
    return 0;
}

extern "C" RK_API int Rk_InputWriteToReport(Rk_InputStruct* input, Rk_ReportStruct* rpt)
{
    return copy_rest(input, [rpt](const char* line) { return Rk_ReportWrite(rpt, line); });
}

extern "C" RK_API int Rk_InputWriteToReportNoNewline(Rk_InputStruct* input, Rk_ReportStruct* rpt)
{
    return copy_rest(input, [rpt](const char* line) { return Rk_ReportWriteNoNewline(rpt, line); });
}

extern "C" RK_API int Rk_InputClose(Rk_InputStruct* input)
{
    if (input->source == RK_INPUT_FILE && input->file_ptr) std::fclose(input->file_ptr);
    return Rk_InputInit(input);
}

// A title but no indent of its own; the one line says where the reader reads from.
extern "C" RK_API int Rk_InputDebugRpt(const Rk_InputStruct* input, Rk_ReportStruct* report)
{
    int source = 0;
    char file_name[RK_TEXT_MAX + 1];
    Rk_InputGetSource(input, &source);
    Rk_InputGetFilename(input, file_name);
    rk::dump::title(report, "Input");
    switch (source) {
    case RK_INPUT_CONSOLE:
        return Rk_ReportWrite(report, "Source: Console.");
    case RK_INPUT_FILE:
        return rk::dump::checked_line(report, kModule, "Source: File (%s).", file_name);
    case RK_INPUT_FUNCTION:
        return Rk_ReportWrite(report, "Source: Function.");
    default:
        return Rk_ReportWrite(report, "Source:  (none).");
    }
}

extern "C" RK_API int Rk_InputDebug(const Rk_InputStruct* input)
{
    return rk::dump::to_console(Rk_InputDebugRpt, input);
}
