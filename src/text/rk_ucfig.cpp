// User configuration: named settings in a four-column string table, read from one section of a
// settings file and written back into it with every other line of the file kept. A file is
// rewritten through a new file beside it that replaces it only once complete. The header states
// the limits: lines read in pieces of at most 255 characters, names and values handed out cut to
// 256, and shown to 35 in the dump.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "core/memory.hpp"
#include "platform/files.hpp"

namespace {

constexpr char kModule[] = "src/rk_ucfig";

// Names, values and section names: at most 256 characters in buffers of 257 bytes.
constexpr int kTextMax = RK_PATH_MAX;
using Text = char[kTextMax + 1];

// One read of a settings file takes at most 255 characters (a longer line comes in pieces).
constexpr std::size_t kReadLimit = 256;

// Columns of the settings table.
constexpr int kKey = 0;    // the name upper-cased: the lookup key
constexpr int kName = 1;   // the name as first given
constexpr int kValue = 2;
// The last column holds the written mark. A write keeps track of what it has written on its own,
// so the mark always reads kUnwritten and a failed write cannot leave a setting marked written.
constexpr int kColumns = 4;
constexpr char kUnwritten[] = "Rk_FALSE";
constexpr int kStringTable = 2;  // the type code of a live string table

constexpr char kTrueWords[] = "ON  YES Y TRUE T 1";
constexpr char kFalseWords[] = "OFF NO N FALSE F 0";
constexpr char kWordSeparators[] = " ,;\t\n";

// ---- Lines ----

bool is_strippable(char c) { return c == ' ' || c == '\t' || c == '\n'; }

const char* skip_strippable(const char* s)
{
    while (is_strippable(*s)) ++s;
    return s;
}

// True when `begin` .. `end` holds nothing but white space.
bool is_blank_span(const char* begin, const char* end)
{
    for (; begin < end; ++begin)
        if (!std::isspace(static_cast<unsigned char>(*begin))) return false;
    return true;
}

bool is_comment_start(const char* s) { return *s == ';' || *s == '!' || *s == '#' || (s[0] == '/' && s[1] == '/'); }

// The kind of a line; only its first characters after the leading blanks, tabs and newlines decide.
int line_kind(const char* s)
{
    s = skip_strippable(s);
    if (*s == '\0') return RK_UCFIG_LINE_BLANK;
    if (is_comment_start(s)) return RK_UCFIG_LINE_COMMENT;
    if (*s == '[') {
        const char* name = s + 1;
        const char* close = std::strchr(name, ']');
        const char* end = close ? close : name + std::strlen(name);
        return is_blank_span(name, end) ? RK_UCFIG_LINE_OTHER : RK_UCFIG_LINE_SECTION;
    }
    return *s == '=' ? RK_UCFIG_LINE_OTHER : RK_UCFIG_LINE_SETTING;
}

// Reads one piece of a line as fgets does with a buffer of kReadLimit bytes, and its length (0 at
// the end of the file). Unlike fgets it counts a NUL byte read from the file. The stream is locked
// once for the piece, not once a character.
int read_piece(std::FILE* fp, char* piece, std::size_t* length)
{
    std::size_t n = 0;
    bool failed = false;
    flockfile(fp);
    while (n + 1 < kReadLimit) {
        const int c = getc_unlocked(fp);
        if (c == EOF) {
            failed = ferror_unlocked(fp) != 0;
            break;
        }
        piece[n++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    funlockfile(fp);
    if (failed) return RK_FAIL(RK_ERR_GENERAL);
    piece[n] = '\0';
    *length = n;
    return 0;
}

// `match` is true when the header `line` names `section`, in any case.
int is_header_of(const char* line, const char* section, bool* match)
{
    Text name;
    RK_TRY(Rk_UserConfigLineGetSection(line, name));
    *match = rk_stricmp(name, section) == 0;
    return 0;
}

// ---- The settings table ----

void make_key(const char* var, char* key)
{
    rk_strncpy(key, var, kTextMax);
    rk_strtoup(key, key);
}

int count_settings(const Rk_StrTable* table, int* rows)
{
    int cols = 0;
    return Rk_StrTableGetSize(table, &cols, rows);
}

int find_setting(const Rk_StrTable* table, const char* var, int* row, int* found)
{
    Text key;
    make_key(var, key);
    return Rk_StrTableFindPos(table, kKey, 0, key, row, found);
}

// The rows of the settings by key, for the length of one read of a file: the search of the key
// column, which would make a read quadratic in the number of settings, made a hash lookup. It
// finds what the table's own search finds, the first row of a key. Up to kLocalSlots / 2 rows it
// lives on the stack; a larger one comes from the heap, and when that cannot be had (or the table
// is not live) the read goes on with the table's own search, as before.
class SettingsIndex {
public:
    explicit SettingsIndex(const Rk_StrTable& table) : table_(table)
    {
        if (table.type != kStringTable || table.num_alloc_rows == 0) return;
        slots_ = local_;
        size_ = kLocalSlots;
        std::memset(local_, 0, sizeof local_);
        for (int row = 0; row < table.num_rows && slots_; ++row)
            if (find(key(row)) < 0) added(row);
    }
    SettingsIndex(const SettingsIndex&) = delete;
    SettingsIndex& operator=(const SettingsIndex&) = delete;
    ~SettingsIndex() { release(); }

    bool usable() const { return slots_ != nullptr; }

    // The row of `k`, or -1.
    int find(const char* k) const
    {
        for (std::size_t i = hash(k) & (size_ - 1);; i = (i + 1) & (size_ - 1)) {
            if (slots_[i] == 0) return -1;
            if (std::strcmp(key(slots_[i] - 1), k) == 0) return slots_[i] - 1;
        }
    }

    // Row `row`, the table's last, was added with a key not yet indexed.
    void added(int row)
    {
        if (2 * static_cast<std::size_t>(count_ + 1) > size_ && !rebuild(2 * size_, row)) return;
        place(row);
    }

private:
    static constexpr std::size_t kLocalSlots = 1024;

    const char* key(int row) const { return table_.table.stable[kKey][row]; }

    static std::size_t hash(const char* k)
    {
        std::size_t h = 14695981039346656037u;
        for (; *k; ++k) h = (h ^ static_cast<unsigned char>(*k)) * 1099511628211u;
        return h;
    }

    void place(int row)
    {
        std::size_t i = hash(key(row)) & (size_ - 1);
        while (slots_[i] != 0) i = (i + 1) & (size_ - 1);
        slots_[i] = row + 1;
        ++count_;
    }

    // More room, on the heap, for the keys of the rows before `end`; when it cannot be had the
    // index is dropped.
    bool rebuild(std::size_t size, int end)
    {
        int* slots = rk::alloc_array<int>(size);
        release();
        if (!slots) return false;
        std::memset(slots, 0, size * sizeof(int));
        slots_ = slots;
        size_ = size;
        count_ = 0;
        for (int row = 0; row < end; ++row)
            if (find(key(row)) < 0) place(row);
        return true;
    }

    void release()
    {
        if (slots_ != local_) Rkos_Free(slots_);
        slots_ = nullptr;
    }

    const Rk_StrTable& table_;
    int local_[kLocalSlots];
    int* slots_ = nullptr;  // row + 1 of each key, 0 for an empty slot; null: no index
    std::size_t size_ = 0;  // a power of two, at least twice the keys
    int count_ = 0;
};

// Adds the setting, or replaces the value of the one of that name, which keeps its spelling.
int put_setting(Rk_StrTable* table, const char* var, const char* val, SettingsIndex* index = nullptr)
{
    Text key;
    make_key(var, key);
    int row = 0;
    int found = 0;
    if (index && index->usable()) {
        row = index->find(key);
        found = row >= 0;
    } else {
        RK_TRY(Rk_StrTableFindPos(table, kKey, 0, key, &row, &found));
    }
    if (found) return Rk_StrTableSetValue(table, kValue, row, val);
    char* cells[kColumns] = {key, const_cast<char*>(var), const_cast<char*>(val), const_cast<char*>(kUnwritten)};
    RK_TRY(Rk_StrTableAddRow(table, cells));
    if (index && index->usable()) index->added(table->num_rows - 1);
    return 0;
}

// The name of setting `row` into `var`, cut to 256 characters.
int copy_name(const Rk_StrTable* table, int row, char* var)
{
    char* name = nullptr;
    RK_TRY(Rk_StrTableGetValue(table, kName, row, &name));
    rk_strncpy(var, name, kTextMax);
    return 0;
}

// Hands the caller a new copy of `text` when it was found.
int hand_out_copy(const char* text, int* found, char** out)
{
    if (!*found) return 0;
    char* copy = rk_strdup(text);
    if (!copy) {
        *found = 0;
        return RK_FAIL(RK_ERR_NO_MEMORY);
    }
    *out = copy;
    return 0;
}

// True when `value` is one of the words of `words`, as a whole.
bool is_word_of(const char* value, const char* words)
{
    const std::size_t length = std::strlen(value);
    while (*words) {
        words += std::strspn(words, kWordSeparators);
        const std::size_t n = std::strcspn(words, kWordSeparators);
        if (n != 0 && n == length && std::strncmp(words, value, n) == 0) return true;
        words += n;
    }
    return false;
}

// ---- Reading a section ----

// Reads lines up to the header of `section`; `found` 0 when the file ends first.
int seek_section(std::FILE* fp, const char* section, int* found)
{
    Text line;
    int type = 0;
    for (;;) {
        RK_TRY(Rk_UserConfigLineGetFromFile(fp, line, &type, found));
        if (!*found) return 0;
        bool match = false;
        if (type == RK_UCFIG_LINE_SECTION) RK_TRY(is_header_of(line, section, &match));
        if (match) return 0;
    }
}

// Takes in every setting up to the next header or the end of the file.
int read_settings(Rk_StrTable* table, std::FILE* fp)
{
    SettingsIndex index(*table);
    Text line;
    int type = 0;
    int found = 0;
    for (;;) {
        RK_TRY(Rk_UserConfigLineGetFromFile(fp, line, &type, &found));
        if (!found || type == RK_UCFIG_LINE_SECTION) return 0;
        if (type != RK_UCFIG_LINE_SETTING) continue;
        Text var;
        Text val;
        RK_TRY(Rk_UserConfigLineGetSetting(line, var, val));
        RK_TRY(put_setting(table, var, val, &index));
    }
}

int read_section(Rk_StrTable* table, std::FILE* fp, const char* section, int* section_found)
{
    if (!rk_strisblank(section)) {
        int found = 0;
        RK_TRY(seek_section(fp, section, &found));
        if (!found) return 0;
        *section_found = 1;
    }
    return read_settings(table, fp);
}

int collect_sections(std::FILE* fp, Rk_StrList* sections)
{
    Text line;
    int type = 0;
    int found = 0;
    for (;;) {
        RK_TRY(Rk_UserConfigLineGetFromFile(fp, line, &type, &found));
        if (!found) return 0;
        if (type != RK_UCFIG_LINE_SECTION) continue;
        Text name;
        RK_TRY(Rk_UserConfigLineGetSection(line, name));
        RK_TRY(Rk_StrListAdd(sections, name));
    }
}

// ---- Rewriting a file ----

// The file being rewritten: the lines it held, and its replacement beside it that takes its place
// once complete. Whatever fails, the original stays as it was and the new file is removed.
class FileRewrite {
public:
    FileRewrite() = default;
    FileRewrite(const FileRewrite&) = delete;
    FileRewrite& operator=(const FileRewrite&) = delete;
    ~FileRewrite()
    {
        if (lines_live_) Rk_StrTableFree(&lines_);
    }

    int resolve(const char* file) { return file_.resolve(file) ? 0 : RK_FAIL(RK_ERR_GENERAL); }

    // Stores every line of the file; a missing file is new and holds none. Anything but a
    // readable regular file without NUL bytes is refused: it could not be written back whole.
    int load()
    {
        RK_TRY(Rk_StrTableInit(&lines_, 1));
        lines_live_ = true;
        bool missing = false;
        std::FILE* fp = file_.open_original(&missing);
        if (!fp) return missing ? 0 : RK_FAIL(RK_ERR_GENERAL);
        const int status = store_lines(fp);
        std::fclose(fp);
        return status;
    }

    int open_temp() { return file_.open_new() ? 0 : RK_FAIL(RK_ERR_GENERAL); }
    int commit() { return file_.commit() ? 0 : RK_FAIL(RK_ERR_GENERAL); }

    const Rk_StrTable& lines() const { return lines_; }
    bool is_new() const { return file_.is_new(); }
    std::FILE* out() const { return file_.out(); }

private:
    int store_lines(std::FILE* fp)
    {
        char piece[kReadLimit];
        for (;;) {
            std::size_t length = 0;
            RK_TRY(read_piece(fp, piece, &length));
            if (length == 0) return 0;
            if (std::memchr(piece, '\0', length)) return RK_FAIL(RK_ERR_GENERAL);
            char* row[1] = {piece};
            RK_TRY(Rk_StrTableAddRow(&lines_, row));
        }
    }

    rk::os::Replacement file_;
    Rk_StrTable lines_ = {};
    bool lines_live_ = false;
};

// Writes the new content line by line. A line the writer makes itself always starts a line of
// its own, even after a stored line with no newline (the file's last line, or a piece of an
// over-long line whose rest was dropped); stored pieces kept one after another still join up.
class LineWriter {
public:
    explicit LineWriter(std::FILE* fp) : fp_(fp) {}

    int keep(const char* line)
    {
        if (open_ && !after_kept_) RK_TRY(put("\n"));
        RK_TRY(Rk_UserConfigLineWriteToFile(fp_, line));
        const std::size_t length = std::strlen(line);
        open_ = length > 0 && line[length - 1] != '\n';
        after_kept_ = true;
        return 0;
    }

    void drop() { after_kept_ = false; }

    int setting(const char* name, const char* value)
    {
        RK_TRY(start_own_line());
        return std::fprintf(fp_, "%s = %s\n", name, value) < 0 ? RK_FAIL(RK_ERR_GENERAL) : 0;
    }

    int header(const char* section)
    {
        RK_TRY(start_own_line());
        return std::fprintf(fp_, "[ %s ]\n\n", section) < 0 ? RK_FAIL(RK_ERR_GENERAL) : 0;
    }

private:
    int put(const char* text) { return std::fputs(text, fp_) == EOF ? RK_FAIL(RK_ERR_GENERAL) : 0; }

    int start_own_line()
    {
        if (open_) RK_TRY(put("\n"));
        open_ = false;
        after_kept_ = false;
        return 0;
    }

    std::FILE* fp_;
    bool open_ = false;        // the output ends inside a line
    bool after_kept_ = false;  // the last thing done was keeping a stored line
};

// Rewrites the target section from the settings: in the target a setting line takes the
// configuration's form or is dropped, and settings not yet written go at its end. Which settings
// have been written is kept here, so the configuration is never touched.
class SectionWrite {
public:
    SectionWrite(const Rk_StrTable& settings, const char* section, unsigned char* written, std::FILE* out)
        : settings_(settings), section_(section), named_(!rk_strisblank(section)), inside_(!named_),
          written_(written), out_(out)
    {
    }

    int line(const char* text)
    {
        int type = 0;
        RK_TRY(Rk_UserConfigLineGetType(text, &type));
        if (type == RK_UCFIG_LINE_SECTION) return header(text);
        if (type == RK_UCFIG_LINE_SETTING && inside_) return setting(text);
        return out_.keep(text);
    }

    // The unnamed part has no header: a blank section never gets one written.
    int finish(bool is_new)
    {
        const bool never_seen = named_ && !seen_;
        if (!inside_ && !is_new && !never_seen) return 0;
        if (never_seen) RK_TRY(out_.header(section_));
        return write_unwritten();
    }

private:
    int header(const char* text)
    {
        if (inside_) {
            RK_TRY(write_unwritten());
            inside_ = false;
        } else if (named_) {
            bool match = false;
            RK_TRY(is_header_of(text, section_, &match));
            if (match) inside_ = seen_ = true;
        }
        return out_.keep(text);
    }

    int setting(const char* text)
    {
        Text var;
        Text val;
        RK_TRY(Rk_UserConfigLineGetSetting(text, var, val));
        int row = 0;
        int found = 0;
        RK_TRY(find_setting(&settings_, var, &row, &found));
        if (!found || written_[row]) {
            out_.drop();
            return 0;
        }
        return write_setting(row);
    }

    int write_setting(int row)
    {
        char* name = nullptr;
        char* value = nullptr;
        RK_TRY(Rk_StrTableGetValue(&settings_, kName, row, &name));
        RK_TRY(Rk_StrTableGetValue(&settings_, kValue, row, &value));
        RK_TRY(out_.setting(name, value));
        written_[row] = 1;
        return 0;
    }

    int write_unwritten()
    {
        for (int row = 0; row < settings_.num_rows; ++row)
            if (!written_[row]) RK_TRY(write_setting(row));
        return 0;
    }

    const Rk_StrTable& settings_;
    const char* section_;
    bool named_;
    bool inside_;
    bool seen_ = false;
    unsigned char* written_;
    LineWriter out_;
};

int write_section(const Rk_StrTable& settings, const char* section, const FileRewrite& file)
{
    unsigned char* written = nullptr;
    if (settings.num_rows > 0) {
        written = rk::alloc_array<unsigned char>(static_cast<std::size_t>(settings.num_rows));
        if (!written) return RK_FAIL(RK_ERR_NO_MEMORY);
        std::memset(written, 0, static_cast<std::size_t>(settings.num_rows));
    }
    SectionWrite write(settings, section, written, file.out());
    int status = 0;
    const Rk_StrTable& lines = file.lines();
    for (int row = 0; status == 0 && row < lines.num_rows; ++row) {
        char* text = nullptr;
        status = Rk_StrTableGetValue(&lines, 0, row, &text);
        if (status == 0) status = write.line(text);
    }
    if (status == 0) status = write.finish(file.is_new());
    Rkos_Free(written);
    return status;
}

}  // namespace

// ---- Settings ----

extern "C" RK_API int Rk_UserConfigInit(Rk_UserConfigStruct* settings)
{
    return Rk_StrTableInit(&settings->set_table, kColumns);
}

extern "C" RK_API int Rk_UserConfigSetValue(Rk_UserConfigStruct* settings, const char* var, const char* val)
{
    return put_setting(&settings->set_table, var, val);
}

extern "C" RK_API int Rk_UserConfigRemoveValue(Rk_UserConfigStruct* settings, const char* var)
{
    int row = 0;
    int found = 0;
    RK_TRY(find_setting(&settings->set_table, var, &row, &found));
    return found ? Rk_StrTableRemoveRow(&settings->set_table, row) : 0;
}

// A setting whose value is empty or white space counts as absent.
extern "C" RK_API int Rk_UserConfigGetValue(const Rk_UserConfigStruct* settings, const char* var, char* val,
                                            int* found)
{
    *found = 0;
    const Rk_StrTable* table = &settings->set_table;
    int rows = 0;
    RK_TRY(count_settings(table, &rows));
    if (rows == 0) return 0;
    int row = 0;
    int present = 0;
    RK_TRY(find_setting(table, var, &row, &present));
    if (!present) return 0;
    char* value = nullptr;
    RK_TRY(Rk_StrTableGetValue(table, kValue, row, &value));
    if (rk_strisblank(value)) return 0;
    rk_strncpy(val, value, kTextMax);
    *found = 1;
    return 0;
}

extern "C" RK_API int Rk_UserConfigGetValueAlloc(const Rk_UserConfigStruct* settings, const char* var,
                                                 char** val, int* found)
{
    Text scratch;
    RK_TRY(Rk_UserConfigGetValue(settings, var, scratch, found));
    return hand_out_copy(scratch, found, val);
}

extern "C" RK_API int Rk_UserConfigGetValueDef(const Rk_UserConfigStruct* settings, const char* var,
                                               const char* def, char* val)
{
    int found = 0;
    RK_TRY(Rk_UserConfigGetValue(settings, var, val, &found));
    if (!found) rk_strncpy(val, def, kTextMax);
    return 0;
}

// The value is compared as a whole, after upper-casing only: " yes" is no boolean word.
extern "C" RK_API int Rk_UserConfigGetBoolValue(const Rk_UserConfigStruct* settings, const char* var,
                                                int* var_found, int* value_found, int* value_boolean)
{
    *value_boolean = 0;
    *value_found = 0;
    Text value;
    RK_TRY(Rk_UserConfigGetValue(settings, var, value, var_found));
    if (!*var_found) return 0;
    rk_strtoup(value, value);
    if (is_word_of(value, kTrueWords)) {
        *value_boolean = 1;
        *value_found = 1;
    } else if (is_word_of(value, kFalseWords)) {
        *value_found = 1;
    }
    return 0;
}

extern "C" RK_API int Rk_UserConfigGetBoolValueDef(const Rk_UserConfigStruct* settings, const char* var, int def,
                                                   int* val_boolean)
{
    int var_found = 0;
    int value_found = 0;
    int value = 0;
    RK_TRY(Rk_UserConfigGetBoolValue(settings, var, &var_found, &value_found, &value));
    *val_boolean = var_found && value_found ? value : def;
    return 0;
}

extern "C" RK_API int Rk_UserConfigGetFirstVar(const Rk_UserConfigStruct* settings, char* var, int* found)
{
    *found = 0;
    int rows = 0;
    RK_TRY(count_settings(&settings->set_table, &rows));
    if (rows == 0) return 0;
    RK_TRY(copy_name(&settings->set_table, 0, var));
    *found = 1;
    return 0;
}

extern "C" RK_API int Rk_UserConfigGetNextVar(const Rk_UserConfigStruct* settings, const char* var,
                                              char* next_var, int* found)
{
    *found = 0;
    const Rk_StrTable* table = &settings->set_table;
    int rows = 0;
    RK_TRY(count_settings(table, &rows));
    int row = 0;
    int present = 0;
    RK_TRY(find_setting(table, var, &row, &present));
    if (!present || row + 1 >= rows) return 0;
    RK_TRY(copy_name(table, row + 1, next_var));
    *found = 1;
    return 0;
}

extern "C" RK_API int Rk_UserConfigGetFirstVarAlloc(const Rk_UserConfigStruct* settings, char** var, int* found)
{
    Text scratch;
    RK_TRY(Rk_UserConfigGetFirstVar(settings, scratch, found));
    return hand_out_copy(scratch, found, var);
}

extern "C" RK_API int Rk_UserConfigGetNextVarAlloc(const Rk_UserConfigStruct* settings, const char* var,
                                                   char** next_var, int* found)
{
    Text scratch;
    RK_TRY(Rk_UserConfigGetNextVar(settings, var, scratch, found));
    return hand_out_copy(scratch, found, next_var);
}

extern "C" RK_API int Rk_UserConfigGetSettingsList(const Rk_UserConfigStruct* settings, Rk_StrList* vars,
                                                   Rk_StrList* vals, int* size)
{
    const Rk_StrTable* table = &settings->set_table;
    RK_TRY(count_settings(table, size));
    for (int row = 0; row < *size; ++row) {
        char* name = nullptr;
        char* value = nullptr;
        RK_TRY(Rk_StrTableGetValue(table, kName, row, &name));
        RK_TRY(Rk_StrTableGetValue(table, kValue, row, &value));
        RK_TRY(Rk_StrListAdd(vars, name));
        RK_TRY(Rk_StrListAdd(vals, value));
    }
    return 0;
}

extern "C" RK_API int Rk_UserConfigGetSize(const Rk_UserConfigStruct* settings, int* size)
{
    return count_settings(&settings->set_table, size);
}

extern "C" RK_API int Rk_UserConfigClear(Rk_UserConfigStruct* settings) { return Rk_StrTableClear(&settings->set_table); }

extern "C" RK_API int Rk_UserConfigFree(Rk_UserConfigStruct* settings) { return Rk_StrTableFree(&settings->set_table); }

// ---- Files ----

// A file that cannot be opened is not an error: it is reported through `file_found`.
extern "C" RK_API int Rk_UserConfigReadFromFile(Rk_UserConfigStruct* settings, const char* file,
                                                const char* section, int* file_found, int* section_found)
{
    *file_found = 0;
    *section_found = 0;
    std::FILE* fp = rk::os::open_for_reading(file);
    if (!fp) return 0;
    *file_found = 1;
    const int status = read_section(&settings->set_table, fp, section, section_found);
    std::fclose(fp);
    return status;
}

extern "C" RK_API int Rk_UserConfigGetSectionList(const Rk_UserConfigStruct* /*settings*/, const char* file,
                                                  Rk_StrList* sections)
{
    std::FILE* fp = rk::os::open_for_reading(file);
    if (!fp) return 0;
    const int status = collect_sections(fp, sections);
    std::fclose(fp);
    return status;
}

extern "C" RK_API int Rk_UserConfigWriteToFile(const Rk_UserConfigStruct* settings, const char* file,
                                               const char* section)
{
    if (rk_strisblank(file)) return RK_FAIL(RK_ERR_GENERAL);
    int rows = 0;
    RK_TRY(count_settings(&settings->set_table, &rows));
    FileRewrite rewrite;
    RK_TRY(rewrite.resolve(file));
    RK_TRY(rewrite.load());
    RK_TRY(rewrite.open_temp());
    RK_TRY(write_section(settings->set_table, section, rewrite));
    return rewrite.commit();
}

// ---- Lines ----

extern "C" RK_API int Rk_UserConfigLineGetFromFile(FILE* fp, char* line, int* type, int* found)
{
    *found = 0;
    *type = RK_UCFIG_LINE_OTHER;
    char piece[kReadLimit];
    std::size_t length = 0;
    RK_TRY(read_piece(fp, piece, &length));
    if (length == 0) return 0;
    *found = 1;
    *type = line_kind(piece);
    rk_strncpy(line, piece, kTextMax);
    return 0;
}

extern "C" RK_API int Rk_UserConfigLineGetType(const char* line, int* type)
{
    *type = line_kind(line);
    return 0;
}

// The name runs from after the first "[" to the first "]" after it, or to the end.
extern "C" RK_API int Rk_UserConfigLineGetSection(const char* line, char* section)
{
    Text copy;
    rk_strncpy(copy, line, kTextMax);
    if (copy[0] == '\0' || copy[0] == ']') return RK_FAIL(RK_ERR_GENERAL);
    char* open = std::strchr(copy, '[');
    if (!open) return RK_FAIL(RK_ERR_GENERAL);
    char* name = open + 1;
    if (char* close = std::strchr(name, ']')) *close = '\0';
    rk_strstrip(name, section);
    return 0;
}

// A line whose first character after the white space is "=" names no variable.
extern "C" RK_API int Rk_UserConfigLineGetSetting(const char* line, char* variable, char* value)
{
    Text copy;
    rk_strncpy(copy, line, kTextMax);
    if (*skip_strippable(copy) == '=') return RK_FAIL(RK_ERR_GENERAL);
    char* equals = std::strchr(copy, '=');
    if (equals) {
        *equals = '\0';
        rk_strstrip(equals + 1, value);
    } else {
        value[0] = '\0';
    }
    rk_strstrip(copy, variable);
    return 0;
}

extern "C" RK_API int Rk_UserConfigLineWriteToFile(FILE* fp, const char* line)
{
    return std::fputs(line, fp) == EOF ? RK_FAIL(RK_ERR_GENERAL) : 0;
}

// ---- Dump ----

namespace {

// Names and values show at most this many characters, in columns no narrower than their headings.
constexpr int kShownMax = 35;
constexpr char kWritten[] = "Rk_TRUE";

int shown_length(const char* text) { return static_cast<int>(std::min<std::size_t>(std::strlen(text), kShownMax)); }

int setting_line(Rk_ReportStruct* report, int name_width, int value_width, const char* name, const char* value,
                 const char* mark)
{
    return rk::dump::line(report, kModule, "%-*.*s  %-*.*s   %-1s", name_width, kShownMax, name, value_width,
                          kShownMax, value, mark);
}

// Two passes over the table: the first finds the column widths, the second writes the rows.
int dump_settings(const Rk_StrTable* table, Rk_ReportStruct* report)
{
    int rows = 0;
    RK_TRY(count_settings(table, &rows));
    if (rows == 0) {
        Rk_ReportWrite(report, "No settings found...");
        return 0;
    }
    int name_width = static_cast<int>(std::strlen("Variable"));
    int value_width = static_cast<int>(std::strlen("Value"));
    for (int row = 0; row < rows; ++row) {
        char* cells[kColumns] = {};
        RK_TRY(Rk_StrTableGetRow(table, row, cells));
        name_width = std::max(name_width, shown_length(cells[kName]));
        value_width = std::max(value_width, shown_length(cells[kValue]));
    }
    RK_TRY(setting_line(report, name_width, value_width, "Variable", "Value", "To File"));
    for (int row = 0; row < rows; ++row) {
        char* cells[kColumns] = {};
        RK_TRY(Rk_StrTableGetRow(table, row, cells));
        const char* mark = std::strcmp(cells[kColumns - 1], kWritten) == 0 ? "X" : " ";
        RK_TRY(setting_line(report, name_width, value_width, cells[kName], cells[kValue], mark));
    }
    return 0;
}

}  // namespace

// Indented by 2 under its title, not by 4 as most dumps are.
extern "C" RK_API int Rk_UserConfigDebugRpt(const Rk_UserConfigStruct* settings, Rk_ReportStruct* report)
{
    rk::dump::title(report, "User Configuration");
    return rk::dump::indented(report, 2, [settings, report] { return dump_settings(&settings->set_table, report); });
}

extern "C" RK_API int Rk_UserConfigDebug(const Rk_UserConfigStruct* settings)
{
    return rk::dump::to_console(Rk_UserConfigDebugRpt, settings);
}
