// Message records: an id, the message file that holds its texts, and 250 token texts; and the
// texts themselves, looked up in the message file (which is opened, read from its start and closed
// again by every lookup) with the record's tokens substituted into them. The file is read in pieces
// of at most 256 characters and a text keeps at most 128: both limits are the header's contract.
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"

namespace {

constexpr char kModule[] = "src/rk_mes";

constexpr char kFileUnreadable[] = "(Message file could not be read)";
constexpr char kIdNotFound[] = "(Message ID not found)";
constexpr char kSummaryNotFound[] = "(Summary message not found)";
constexpr char kDetailedNotFound[] = "(Detailed message not found)";

// Lines of the message file are read in pieces of at most this many characters.
constexpr int kLineLimit = 256;

bool valid_token(int token_number) { return token_number >= 1 && token_number <= RK_NUM_TOKENS; }

bool is_digit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// The message file, open for the length of one lookup: the destructor closes it on every path.
class MessageFile {
public:
    explicit MessageFile(const char* path) : file_(std::fopen(path, "r")) {}
    ~MessageFile()
    {
        if (file_) std::fclose(file_);
    }
    MessageFile(const MessageFile&) = delete;
    MessageFile& operator=(const MessageFile&) = delete;

    bool is_open() const { return file_ != nullptr; }
    // Reads the next line, or the next piece of a longer one; false at the end of the file.
    bool next_line() { return std::fgets(line_, sizeof line_, file_) != nullptr; }
    const char* line() const { return line_; }
    char role() const { return line_[0]; }

private:
    std::FILE* file_;
    char line_[kLineLimit + 1] = "";
};

// The number an id line carries: its first word (words part at blanks, tabs and newlines) read
// as an integer constant. A line with no word, or whose word does not start a number, carries none.
bool id_line_number(const char* line, long* id)
{
    const char* word = line + 1;
    while (*word == ' ' || *word == '\t' || *word == '\n') ++word;
    const std::size_t length = std::strcspn(word, " \t\n");
    char first_word[kLineLimit + 1];
    rk_strncpy(first_word, word, static_cast<int>(length));
    char* end = nullptr;
    const long number = std::strtol(first_word, &end, 0);
    if (end == first_word) return false;
    *id = number;
    return true;
}

// Reads on to the id line that carries `id`; false when the file ends first.
bool find_id_line(MessageFile& file, long id)
{
    while (file.next_line()) {
        long number = 0;
        if (file.role() == '#' && id_line_number(file.line(), &number) && number == id) return true;
    }
    return false;
}

enum class Seek { found, block_ended, file_ended };

// Reads on, within the current block, to the first line of `role`.
Seek seek_role(MessageFile& file, char role)
{
    while (file.next_line()) {
        if (file.role() == role) return Seek::found;
        if (file.role() == '#') return Seek::block_ended;
    }
    return Seek::file_ended;
}

// The text of a summary or detailed line: at most 128 characters after the role character,
// without a trailing newline, tokens substituted.
void take_text(const Rk_MessageStruct* msg, const char* line, char* text)
{
    rk_strncpy(text, line + 1, RK_TEXT_MAX);
    const std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == '\n') text[length - 1] = '\0';
    Rk_MessageSubstituteTokens(msg, text);
}

// The summary of `msg` into `summary`, or the fallback text that stands for it.
void find_summary(const Rk_MessageStruct* msg, char* summary)
{
    MessageFile file(msg->msgfile);
    const char* fallback = kFileUnreadable;
    if (file.is_open()) {
        fallback = kIdNotFound;
        if (find_id_line(file, msg->msg_id)) {
            switch (seek_role(file, '*')) {
            case Seek::found: take_text(msg, file.line(), summary); return;
            case Seek::block_ended: fallback = kSummaryNotFound; break;
            case Seek::file_ended: break;
            }
        }
    }
    rk_strncpy(summary, fallback, RK_TEXT_MAX);
}

// Queues the detailed line that `file` stands on and every detailed line right after it.
int queue_detailed_lines(const Rk_MessageStruct* msg, MessageFile& file, Rk_StrQueue* lines)
{
    char text[RK_TEXT_MAX + 1];
    do {
        take_text(msg, file.line(), text);
        RK_TRY(Rk_StrQueueAdd(lines, text));
    } while (file.next_line() && file.role() == '&');
    return 0;
}

// Resizes `detailed` to the queued lines and moves them over in order.
int move_lines(Rk_StrQueue* lines, Rk_StrArrayStruct* detailed)
{
    int count = 0;
    RK_TRY(Rk_StrQueueGetSize(lines, &count));
    RK_TRY(Rk_StrArrayResetSize(detailed, count));
    for (int i = 0; i < count; ++i) {
        char* line = nullptr;
        int found = 0;
        RK_TRY(Rk_StrQueueGet(lines, &line, &found));
        const int status = Rk_StrArraySetStr(detailed, i, line);
        Rkos_Free(line);
        RK_TRY(status);
    }
    return 0;
}

// Fills `detailed` (initialised with one slot) with the detailed text of `msg`, or a fallback.
int fill_detailed(const Rk_MessageStruct* msg, Rk_StrArrayStruct* detailed)
{
    MessageFile file(msg->msgfile);
    if (!file.is_open()) return Rk_StrArraySetStr(detailed, 0, kFileUnreadable);
    if (!find_id_line(file, msg->msg_id)) return Rk_StrArraySetStr(detailed, 0, kIdNotFound);
    switch (seek_role(file, '&')) {
    case Seek::found: break;
    case Seek::block_ended: return Rk_StrArraySetStr(detailed, 0, kDetailedNotFound);
    case Seek::file_ended: return Rk_StrArraySetStr(detailed, 0, kIdNotFound);
    }
    Rk_StrQueue lines;
    RK_TRY(Rk_StrQueueInit(&lines));
    int status = queue_detailed_lines(msg, file, &lines);
    if (status == 0) status = move_lines(&lines, detailed);
    Rk_StrQueueFree(&lines);
    return status;
}

// A token reference %[width]T<number> that starts at `percent`.
struct TokenReference {
    int width = 0;    // 0: the token as it stands
    int number = 0;   // 1 .. 250
    const char* end;  // the character after the number's last digit
};

// Reads a run of digits into `value`, held at `cap` once it gets there; returns the character after.
const char* read_number(const char* p, int cap, int* value)
{
    *value = 0;
    for (; is_digit(*p); ++p)
        if (*value < cap) *value = *value * 10 + (*p - '0');
    if (*value > cap) *value = cap;
    return p;
}

// False when the `%` at `percent` does not begin a valid reference.
bool read_reference(const char* percent, TokenReference* ref)
{
    const char* p = read_number(percent + 1, RK_TEXT_MAX, &ref->width);
    if (*p != 'T') return false;
    p = read_number(p + 1, RK_NUM_TOKENS + 1, &ref->number);
    if (!valid_token(ref->number)) return false;
    ref->end = p;
    return true;
}

// Appends the token, cut or padded to `width` when it is above 0, as far as the line has room.
std::size_t append_token(char* out, std::size_t length, const char* token, int width)
{
    const std::size_t token_length = std::strlen(token);
    const std::size_t wanted = width > 0 ? static_cast<std::size_t>(width) : token_length;
    for (std::size_t i = 0; i < wanted && length < RK_TEXT_MAX; ++i)
        out[length++] = i < token_length ? token[i] : ' ';
    return length;
}

}  // namespace

extern "C" RK_API int Rk_MessageSet(Rk_MessageStruct* msg, long id, const char* msgfile)
{
    std::memset(msg, 0, sizeof *msg);
    msg->msg_id = id;
    rk_strncpy(msg->msgfile, msgfile, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageSetToken(Rk_MessageStruct* msg, int token_number, const char* str)
{
    if (!valid_token(token_number)) return RK_FAIL(RK_ERR_GENERAL);
    rk_strncpy(msg->tokens[token_number - 1], str, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageGetToken(const Rk_MessageStruct* msg, int token_number, char* str)
{
    if (!valid_token(token_number)) return RK_FAIL(RK_ERR_GENERAL);
    rk_strncpy(str, msg->tokens[token_number - 1], RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageGetId(const Rk_MessageStruct* msg, long* id)
{
    *id = msg->msg_id;
    return 0;
}

extern "C" RK_API int Rk_MessageGetSummaryText(const Rk_MessageStruct* msg, char* summary)
{
    find_summary(msg, summary);
    return 0;
}

// A failure frees `detailed` again: the caller cannot tell how far it got.
extern "C" RK_API int Rk_MessageGetDetailedText(const Rk_MessageStruct* msg, Rk_StrArrayStruct* detailed)
{
    RK_TRY(Rk_StrArrayInit(detailed, 1));
    if (fill_detailed(msg, detailed) != 0) {
        Rk_StrArrayFree(detailed);
        return 1;
    }
    return 0;
}

// A `%` that begins no valid reference is copied like any other character, and the scan goes on
// right after it.
extern "C" RK_API int Rk_MessageSubstituteTokens(const Rk_MessageStruct* msg, char* line)
{
    if (!std::strchr(line, '%')) return 0;
    char out[RK_TEXT_MAX + 1];
    std::size_t length = 0;
    const char* p = line;
    while (*p && length < RK_TEXT_MAX) {
        TokenReference ref;
        if (*p == '%' && read_reference(p, &ref)) {
            length = append_token(out, length, msg->tokens[ref.number - 1], ref.width);
            p = ref.end;
        } else {
            out[length++] = *p++;
        }
    }
    out[length] = '\0';
    rk_strncpy(line, out, RK_TEXT_MAX);
    return 0;
}

extern "C" RK_API int Rk_MessageCheck(const Rk_MessageStruct* msg, int* found)
{
    *found = 0;
    MessageFile file(msg->msgfile);
    if (file.is_open() && find_id_line(file, msg->msg_id)) *found = 1;
    return 0;
}

// The scratch message has no tokens, so references in the borrowed summary become empty.
extern "C" RK_API int Rk_MessageSetTokenByMessage(Rk_MessageStruct* prnt_msg, int token_pos, long tokmsg_id,
                                                  const char* msgfile)
{
    Rk_MessageStruct scratch;
    Rk_MessageSet(&scratch, tokmsg_id, msgfile);
    char summary[RK_TEXT_MAX + 1];
    find_summary(&scratch, summary);
    return Rk_MessageSetToken(prnt_msg, token_pos, summary);
}

extern "C" RK_API int Rk_MessageDebugRpt(const Rk_MessageStruct* msg, Rk_ReportStruct* report)
{
    long id = 0;
    Rk_MessageGetId(msg, &id);
    RK_TRY(rk::dump::line(report, kModule, "Message %ld", id));
    return rk::dump::indented(report, 4, [msg, report] {
        for (int n = 1; n <= RK_NUM_TOKENS; ++n) {
            char token[RK_TEXT_MAX + 1];
            RK_TRY(Rk_MessageGetToken(msg, n, token));
            if (token[0] != '\0') RK_TRY(rk::dump::line(report, kModule, "Token[%d] : %s", n, token));
        }
        return rk::dump::message_texts(report, msg, Rk_MessageGetSummaryText, Rk_MessageGetDetailedText);
    });
}

extern "C" RK_API int Rk_MessageDebug(const Rk_MessageStruct* msg)
{
    return rk::dump::to_console(Rk_MessageDebugRpt, msg);
}
