// What the diagnostic dumps of every type share. A DebugRpt writes into a report the caller has
// opened and leaves it open with the indent it found; a Debug sends the same to a console report of
// its own, after an empty line. Lines are formatted printf-style into scratch text that moves to the
// heap only when it outgrows its place, so no value is ever cut.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "core/fail.hpp"

#if defined(__GNUC__)
#define RK_PRINTF_LIKE(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define RK_PRINTF_LIKE(fmt, first)
#endif

namespace rk::dump {

// A text built printf-style. A text it cannot hold raises error 11 under `module` (the module of
// the dump that builds it) and leaves the text as it was.
class Text {
public:
    explicit Text(const char* module) : module_(module) {}
    ~Text();
    Text(const Text&) = delete;
    Text& operator=(const Text&) = delete;

    // Adds to the end.
    int append(const char* fmt, ...) RK_PRINTF_LIKE(2, 3);
    int append_v(const char* fmt, va_list args);
    void clear();
    const char* c_str() const { return data_; }

private:
    bool reserve(std::size_t size);

    static constexpr std::size_t kLocal = 256;
    const char* module_;
    char local_[kLocal] = "";
    char* data_ = local_;
    std::size_t length_ = 0;
    std::size_t capacity_ = kLocal;
};

// Formats one line and writes it. The write's own status is not looked at: 1 only when the line
// cannot be held.
int line(Rk_ReportStruct* report, const char* module, const char* fmt, ...) RK_PRINTF_LIKE(3, 4);
// The same, and 1 too when the write fails.
int checked_line(Rk_ReportStruct* report, const char* module, const char* fmt, ...) RK_PRINTF_LIKE(3, 4);

// Writes `title` and under it a line of as many '-'; the writes' status is not looked at.
void title(Rk_ReportStruct* report, const char* title);

// Writes each string of `lines` (the detailed text of a message), then frees the array.
int text_lines(Rk_ReportStruct* report, Rk_StrArrayStruct* lines);

// Runs `body` with the report's indent raised by `by`, and restores the indent afterwards on every
// path, so a dump that fails half-way leaves the report as it found it too.
template <class Body>
int indented(Rk_ReportStruct* report, int by, Body body)
{
    int indent = 0;
    RK_TRY(Rk_ReportGetIndent(report, &indent));
    RK_TRY(Rk_ReportSetIndent(report, indent + by));
    const int status = body();
    const int restored = Rk_ReportSetIndent(report, indent);
    return status != 0 ? 1 : restored;
}

// The usual frame of a dump: the title, then `body` indented by 4.
template <class Body>
int titled(Rk_ReportStruct* report, const char* text, Body body)
{
    title(report, text);
    return indented(report, 4, body);
}

// A Debug: a console report, an empty line, the dump, and the report closed. The first step that
// fails makes it 1.
template <class Dump>
int on_console(Dump dump)
{
    Rk_ReportStruct report;
    RK_TRY(Rk_ReportConsoleInit(&report));
    int status = Rk_ReportWrite(&report, "");
    if (status == 0) status = dump(&report);
    Rk_ReportClose(&report);
    return status != 0 ? 1 : 0;
}

template <class Object>
int to_console(int (*dump_rpt)(Object, Rk_ReportStruct*), Object object)
{
    return on_console([dump_rpt, object](Rk_ReportStruct* report) { return dump_rpt(object, report); });
}

// The dumps of the error and message queues take no object: they describe the calling thread's.
inline int to_console(int (*dump_rpt)(Rk_ReportStruct*)) { return on_console(dump_rpt); }

// The texts of a message record from the message file: its summary, then each line of its
// detailed text (which is freed again). A detailed text that cannot be read ends the dump.
template <class Record>
int message_texts(Rk_ReportStruct* report, const Record* record, int (*summary_of)(const Record*, char*),
                  int (*detailed_of)(const Record*, Rk_StrArrayStruct*))
{
    char summary[RK_TEXT_MAX + 1];
    summary_of(record, summary);
    Rk_ReportWrite(report, summary);
    Rk_StrArrayStruct detailed;
    RK_TRY(detailed_of(record, &detailed));
    return text_lines(report, &detailed);
}

// The error or the message queue, as its dumps see it.
template <class Queue, class Record>
struct RecordQueueDump {
    const char* module;
    const char* noun;        // what its records are called in the count line
    const char* drain_lead;  // what stands before the count of the draining dump
    Queue& (*queue)();       // the calling thread's
    int (*take)(Record*, int*);
    int (*dump_rpt)(const Record*, Rk_ReportStruct*);
};

// The count, then each record, oldest first, taken out of the queue. Only the records queued when
// the dump begins are taken: records queued while it runs (the failures of its own writes) are
// left for the caller, so a report that fails at every write cannot keep it going for ever.
template <class Queue, class Record>
int draining(Rk_ReportStruct* report, const RecordQueueDump<Queue, Record>& q)
{
    const int count = q.queue().queue_size;
    RK_TRY(line(report, q.module, "%s%d %s in Queue", q.drain_lead, count, q.noun));
    for (int i = 0; i < count; ++i) {
        Record record;
        int found = 0;
        RK_TRY(q.take(&record, &found));
        if (!found) break;
        RK_TRY(q.dump_rpt(&record, report));
    }
    return 0;
}

// An empty line, the count, then a copy of each record, oldest first; the queue is left as it is.
// Each copy is taken just before its dump, since records queued meanwhile may move the array.
template <class Queue, class Record>
int keeping(Rk_ReportStruct* report, const RecordQueueDump<Queue, Record>& q)
{
    const Queue& queue = q.queue();
    const int count = queue.queue_size;
    Rk_ReportWrite(report, "");
    RK_TRY(line(report, q.module, "%d %s in Queue", count, q.noun));
    for (int i = 0; i < count && i < queue.queue_size; ++i) {
        const Record copy = queue.records[i];
        RK_TRY(q.dump_rpt(&copy, report));
    }
    return 0;
}

}  // namespace rk::dump
