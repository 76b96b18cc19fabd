// The library session: the message file, set-up and tear-down, and the error queue drained into
// texts that the user can read.
#include "library/session.hpp"

#include <cstdio>
#include <filesystem>

namespace rkdatum {

namespace {

namespace fs = std::filesystem;

// Guards against a queue that keeps refilling (a detailed text that cannot be built queues an
// error of its own).
constexpr int kMaxDrained = 100;

char* print_to_stderr(char* line)
{
    std::fprintf(stderr, "%s\n", line);
    return line;
}

std::string fit_record(const fs::path& path)
{
    std::error_code ec;
    const fs::path absolute = fs::weakly_canonical(path, ec);
    const std::string full = ec ? path.string() : absolute.string();
    if (full.size() <= RK_TEXT_MAX) return full;
    const fs::path relative = fs::relative(full, fs::current_path(ec), ec);
    if (!ec && !relative.empty() && relative.string().size() <= RK_TEXT_MAX) return relative.string();
    return full;
}

}  // namespace

std::string find_message_file(const std::string& explicit_path)
{
    if (!explicit_path.empty()) return fit_record(explicit_path);
    std::error_code ec;
    const fs::path program = fs::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const fs::path installed = program.parent_path() / RKDATUM_MESSAGES_FROM_BIN;
        if (fs::is_regular_file(installed, ec)) return fit_record(installed);
    }
    return fit_record(RKDATUM_SOURCE_MESSAGES);
}

Session::Session(const std::string& message_file) { Rk_UtilsInit(message_file.c_str()); }

Session::~Session() { Rk_UtilsFree(); }

std::vector<ErrorText> drain_errors()
{
    std::vector<ErrorText> errors;
    thread_local Rk_ErrorStruct error;   // a record holds 250 tokens: too large for the stack of a loop
    int found = 1;
    while (errors.size() < kMaxDrained && Rk_ErrorQueueGetError(&error, &found) == 0 && found) {
        ErrorText text;
        Rk_ErrorGetId(&error, &text.id);
        char buffer[RK_TEXT_MAX + 1];
        Rk_ErrorGetLocation(&error, buffer);
        text.location = buffer;
        Rk_ErrorGetSummaryText(&error, buffer);
        text.summary = buffer;
        Rk_StrArrayStruct detailed{};
        if (Rk_ErrorGetDetailedText(&error, &detailed) == 0) {
            int size = 0;
            Rk_StrArrayGetSize(&detailed, &size);
            for (int i = 0; i < size; ++i) {
                char* line = nullptr;
                if (Rk_StrArrayGetStr(&detailed, i, &line) == 0) text.detail.emplace_back(line);
            }
        }
        Rk_StrArrayFree(&detailed);
        errors.push_back(std::move(text));
    }
    return errors;
}

std::vector<std::string> error_lines(const std::string& what, const std::vector<ErrorText>& errors)
{
    std::vector<std::string> lines{"rkdatum: " + what};
    if (errors.empty()) lines.push_back("  (the library queued no error)");
    bool unread = false;
    for (const ErrorText& e : errors) {
        lines.push_back("  error " + std::to_string(e.id) + " at " + e.location + ": " + e.summary);
        for (const std::string& line : e.detail) lines.push_back("    " + line);
        unread = unread || e.summary == "(Message file could not be read)";
    }
    if (unread) {
        const std::string path = Rk_BasekitErrorFileName;
        lines.push_back("  (the message file: " + path + ")");
        if (path.size() > RK_TEXT_MAX)
            lines.push_back("  (its path is longer than the " + std::to_string(RK_TEXT_MAX) +
                            " characters an error record keeps; name it with --messages from nearer by)");
    }
    return lines;
}

void write_to_stderr(const std::vector<std::string>& lines)
{
    Rk_ReportStruct report;
    Rk_ReportInit(&report);
    Rk_ReportSetDestination(&report, RK_REPORT_FUNCTION, "", 0, print_to_stderr);
    for (const std::string& line : lines) Rk_ReportWrite(&report, line.c_str());
    Rk_ReportClose(&report);
}

}  // namespace rkdatum
