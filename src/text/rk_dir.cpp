// Directory paths: absolute directories in drive-and-backslash notation, resolved from what a user
// types against the current directory (the process's working directory with '/' turned into '\',
// a test's substitute, or the fixed development directory), and their parents, roots, components
// and relative paths. Results never exceed 256 characters: a longer one fails, it is never cut;
// a working directory of 260 characters or more cannot be read. Both limits are the header's.
#include <atomic>
#include <cctype>
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "platform/files.hpp"

namespace {

constexpr char kModule[] = "src/rk_dir";

constexpr std::size_t kPathMax = RK_PATH_MAX;
// The working directory is read into a buffer of this many bytes.
constexpr std::size_t kWorkingDirBuffer = 260;
// The current directory once Rk_DirectoryFixCurrentDir has been called: the same on every host,
// so output that names directories can be compared between machines.
constexpr char kDevelopmentDir[] = "C:\\rkbasekit\\dev\\";

// Set by Rk_DirectoryFixCurrentDir for the rest of the process, whichever thread reads it.
std::atomic<bool> g_fixed_current{false};

// A piece of a caller's text: paths are resolved on views, so a long text that climbs back to a
// short result needs no copy of its own.
struct Span {
    const char* text;
    std::size_t length;

    bool starts_with(const char* prefix) const
    {
        const std::size_t n = std::strlen(prefix);
        return length >= n && std::memcmp(text, prefix, n) == 0;
    }
    bool equals(const char* other) const { return length == std::strlen(other) && starts_with(other); }
    Span drop(std::size_t n) const { return {text + n, length - n}; }
    bool blank() const
    {
        for (std::size_t i = 0; i < length; ++i)
            if (!std::isspace(static_cast<unsigned char>(text[i]))) return false;
        return true;
    }
};

// The characters stripping removes: blank, tab and newline.
bool strippable(char c) { return c == ' ' || c == '\t' || c == '\n'; }

Span strip_front(Span s)
{
    while (s.length > 0 && strippable(s.text[0])) s = s.drop(1);
    return s;
}

Span strip(const char* text)
{
    Span s = strip_front({text, std::strlen(text)});
    while (s.length > 0 && strippable(s.text[s.length - 1])) --s.length;
    return s;
}

bool has_drive(const char* path) { return path[0] != '\0' && path[1] == ':'; }
bool has_drive(Span s) { return s.length >= 2 && s.text[1] == ':'; }

// A bare drive ("D:") names the current directory; a drive-relative path ("D:t") loses its drive.
Span drop_drive(Span s)
{
    if (s.length == 2 && has_drive(s)) return s.drop(2);
    if (s.length >= 3 && has_drive(s) && s.text[2] != '\\') return s.drop(2);
    return s;
}

bool absolute_with_drive(Span s) { return s.length >= 3 && has_drive(s) && s.text[2] == '\\'; }

// A path under construction, at most 256 characters; an append that would pass that marks it
// too long and adds nothing.
struct PathBuilder {
    char text[kPathMax + 1] = "";
    std::size_t length = 0;
    bool too_long = false;

    void append(Span s)
    {
        if (too_long || s.length > kPathMax - length) {
            too_long = true;
            return;
        }
        std::memcpy(text + length, s.text, s.length);
        length += s.length;
        text[length] = '\0';
    }
    void append(const char* s) { append(Span{s, std::strlen(s)}); }
    void end_with_backslash()
    {
        if (length == 0 || text[length - 1] != '\\') append("\\");
    }
    void cut(std::size_t new_length)
    {
        length = new_length;
        text[length] = '\0';
    }
};

// Length of the parent of `path` (which ends with a backslash, kept in the parent), or 0 when
// it has none: at a root ("\", "C:\") or a path with no earlier backslash.
std::size_t parent_length(const char* path, std::size_t length)
{
    std::size_t end = length - 1;
    if (end == 0 || (end == 2 && path[1] == ':')) return 0;
    while (end > 0 && path[end - 1] != '\\') --end;
    return end;
}

// The current directory, ending in a backslash, into an empty `out`. The working directory's
// name is taken as it stands (not stripped): a directory name may end in a blank.
int current_dir(PathBuilder* out)
{
    char working[kWorkingDirBuffer];
    if (!rk::os::working_dir(working, sizeof working)) return RK_FAIL(RK_ERR_CANNOT_SERVE);
    if (working[0] != '\\' && !absolute_with_drive({working, std::strlen(working)}))
        return RK_FAIL(RK_ERR_CANNOT_SERVE);
    out->append(g_fixed_current.load(std::memory_order_relaxed) ? kDevelopmentDir : working);
    out->end_with_backslash();
    if (out->too_long) return RK_FAIL(RK_ERR_GENERAL);
    return 0;
}

// Leading ".." steps climb from the current directory; at the root the climbing stops and every
// leading dot and backslash of the rest is dropped.
int climb(Span rest, PathBuilder* out)
{
    RK_TRY(current_dir(out));
    while (rest.starts_with("..")) {
        rest = rest.drop(2);
        if (rest.starts_with("\\")) rest = rest.drop(1);
        rest = strip_front(rest);
        const std::size_t parent = parent_length(out->text, out->length);
        if (parent == 0) {
            while (rest.length > 0 && (rest.text[0] == '.' || rest.text[0] == '\\')) rest = rest.drop(1);
            break;
        }
        out->cut(parent);
    }
    out->append(rest);
    return 0;
}

// The forms are tested in this order; what is not one of them is relative to the current directory.
int resolve(Span p, PathBuilder* out)
{
    if (p.blank() || p.equals(".") || p.equals(".\\")) return current_dir(out);
    if (p.starts_with(".\\")) {
        RK_TRY(current_dir(out));
        out->append(p.drop(2));
        return 0;
    }
    if (p.starts_with("..")) return climb(p, out);
    if (p.starts_with("\\") || absolute_with_drive(p)) {
        out->append(p);
        return 0;
    }
    RK_TRY(current_dir(out));
    out->append(p);
    return 0;
}

// Stores the finished path, with its final backslash; a path too long for the record changes nothing.
int store(PathBuilder* path, Rk_DirectoryStruct* dir)
{
    path->end_with_backslash();
    if (path->too_long) return RK_FAIL(RK_ERR_GENERAL);
    std::memcpy(dir->dir_path, path->text, path->length + 1);
    return 0;
}

// Appends each non-empty component between backslashes, after any drive, to `list`. A
// reentrant split: the runtime's strtok would keep hidden state shared by the whole process.
int add_components(const char* path, Rk_StrList* list)
{
    if (has_drive(path)) path += 2;
    char component[kPathMax + 1];
    while (*path) {
        const std::size_t n = std::strcspn(path, "\\");
        if (n > 0) {
            std::memcpy(component, path, n);
            component[n] = '\0';
            RK_TRY(Rk_StrListAdd(list, component));
        }
        path += n;
        if (*path) ++path;
    }
    return 0;
}

// Number of leading components of the two lists that are equal without regard to case.
int common_components(const Rk_StrList* from, int from_size, const Rk_StrList* to, int to_size, int* count)
{
    *count = 0;
    for (int i = 0; i < from_size && i < to_size; ++i) {
        char* a = nullptr;
        char* b = nullptr;
        RK_TRY(Rk_StrListGet(from, i, &a));
        RK_TRY(Rk_StrListGet(to, i, &b));
        if (rk_stricmp(a, b) != 0) return 0;
        ++*count;
    }
    return 0;
}

// One "..\" for each component of `from` past the common ones, then each further component of
// `to` and a backslash. The same directory gives "", a directory below `from` no steps up.
int relative_path(const Rk_StrList* from, const Rk_StrList* to, PathBuilder* out)
{
    int from_size = 0;
    int to_size = 0;
    int common = 0;
    RK_TRY(Rk_StrListGetSize(from, &from_size));
    RK_TRY(Rk_StrListGetSize(to, &to_size));
    RK_TRY(common_components(from, from_size, to, to_size, &common));
    for (int i = common; i < from_size; ++i) out->append("..\\");
    for (int i = common; i < to_size; ++i) {
        char* component = nullptr;
        RK_TRY(Rk_StrListGet(to, i, &component));
        out->append(component);
        out->append("\\");
    }
    return 0;
}

// The relative path through two scratch lists of components; the lists are freed whatever happens.
int relative_by_components(const Rk_DirectoryStruct* from, const Rk_DirectoryStruct* to, PathBuilder* out)
{
    Rk_StrList from_parts{};
    Rk_StrList to_parts{};
    int size = 0;
    int status = Rk_StrListInit(&from_parts, 1);
    if (status == 0) status = Rk_StrListInit(&to_parts, 1);
    if (status == 0) status = Rk_DirectoryParse(from, &from_parts, &size);
    if (status == 0) status = Rk_DirectoryParse(to, &to_parts, &size);
    if (status == 0) status = relative_path(&from_parts, &to_parts, out);
    Rk_StrListFree(&from_parts);
    Rk_StrListFree(&to_parts);
    return status;
}

}  // namespace

// `spec_path` is only read through views and the result is built apart, so it may be the
// directory's own path.
extern "C" RK_API int Rk_DirectorySet(Rk_DirectoryStruct* dir, const char* spec_path)
{
    PathBuilder path;
    RK_TRY(resolve(drop_drive(strip(spec_path)), &path));
    return store(&path, dir);
}

extern "C" RK_API int Rk_DirectorySetToCurrent(Rk_DirectoryStruct* dir)
{
    PathBuilder path;
    RK_TRY(current_dir(&path));
    return store(&path, dir);
}

extern "C" RK_API int Rk_DirectoryGet(const Rk_DirectoryStruct* dir, char* dir_path)
{
    rk_strncpy(dir_path, dir->dir_path, RK_PATH_MAX);
    return 0;
}

extern "C" RK_API int Rk_DirectoryGetParent(const Rk_DirectoryStruct* dir, Rk_DirectoryStruct* parent, int* found)
{
    *found = 0;
    const std::size_t length = std::strlen(dir->dir_path);
    if (length == 0 || dir->dir_path[length - 1] != '\\') return RK_FAIL(RK_ERR_CANNOT_SERVE);
    const std::size_t parent_len = parent_length(dir->dir_path, length);
    if (parent_len == 0) return 0;
    std::memmove(parent->dir_path, dir->dir_path, parent_len);
    parent->dir_path[parent_len] = '\0';
    *found = 1;
    return 0;
}

extern "C" RK_API int Rk_DirectoryGetRoot(const Rk_DirectoryStruct* dir, Rk_DirectoryStruct* root)
{
    const char drive = dir->dir_path[0];
    if (has_drive(dir->dir_path)) {
        const char text[] = {drive, ':', '\\', '\0'};
        std::memcpy(root->dir_path, text, sizeof text);
    } else {
        std::memcpy(root->dir_path, "\\", 2);
    }
    return 0;
}

extern "C" RK_API int Rk_DirectoryParse(const Rk_DirectoryStruct* dir, Rk_StrList* list, int* size)
{
    RK_TRY(add_components(dir->dir_path, list));
    return Rk_StrListGetSize(list, size);
}

// Paths on different drives have no relative path: the whole `to` path stands for it. The
// result is built apart and written last, so `relative` may be either path's own text.
extern "C" RK_API int Rk_DirectoryGetRelativePath(const Rk_DirectoryStruct* from, const Rk_DirectoryStruct* to,
                                                  char* relative)
{
    PathBuilder path;
    int status = 0;
    const char* a = from->dir_path;
    const char* b = to->dir_path;
    if (has_drive(a) && has_drive(b) && std::toupper(static_cast<unsigned char>(a[0])) !=
                                            std::toupper(static_cast<unsigned char>(b[0])))
        path.append(b);
    else
        status = relative_by_components(from, to, &path);
    if (status == 0 && path.too_long) status = RK_FAIL(RK_ERR_GENERAL);
    rk_strncpy(relative, status == 0 ? path.text : "", RK_PATH_MAX);
    return status;
}

extern "C" RK_API int Rk_DirectoryFixCurrentDir(void)
{
    g_fixed_current.store(true, std::memory_order_relaxed);
    return 0;
}

extern "C" RK_API int Rk_DirectoryDebugRpt(const Rk_DirectoryStruct* dir, Rk_ReportStruct* report)
{
    char path[RK_PATH_MAX + 1];
    Rk_DirectoryGet(dir, path);
    return rk::dump::titled(report, "Directory", [report, &path] {
        Rk_ReportWrite(report, path);
        return 0;
    });
}

extern "C" RK_API int Rk_DirectoryDebug(const Rk_DirectoryStruct* dir)
{
    return rk::dump::to_console(Rk_DirectoryDebugRpt, dir);
}
