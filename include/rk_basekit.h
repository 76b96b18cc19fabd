/*
 * rk_basekit.h: the public interface of rkbasekit.
 *
 * A library of engineering utilities for applications that model parts, fixtures and their
 * dimensional variation: a geometry kernel under three global tolerances, degree-of-freedom
 * sets, datum reference frames, distributions, typed containers, an error queue whose texts
 * come from a message file, a report writer, an input reader, settings files and paths.
 *
 * Conventions shared by every family:
 *  - A family function returns 0 on success and 1 on failure. A failure queues exactly one
 *    error record on the calling thread's error queue (drain it with Rk_ErrorQueueGetError);
 *    callers that see 1 pass it on without queuing another.
 *  - Results go out through pointer arguments. Questions (is equal, was found) are answered
 *    through an int flag; "not found" is an outcome, not a failure.
 *  - Geometric operations read all their inputs before they write an output, so an output
 *    may be the same record as an input.
 *  - Angles are in degrees. Text fields said to hold at most n characters have n + 1 places.
 *  - Heap memory handed to the caller is released with Rkos_Free.
 *
 * How a function's comment reads: first what the function does. "Module:" says where it is
 * defined when its section does not: another module, or a module's file in another layer.
 * "Fails:" lists, one to a line, each error the function can raise, as the id, the module that
 * raises it and the condition: "6 (rk_vec) when `vec1` is shorter than the zero tolerance".
 * "Leaves:" says what a failure leaves unchanged or already written. A function without "Fails:"
 * cannot fail. A comment followed by a blank line is a family note: what it says holds for every
 * function after it in its section, and the functions' own lines give the details.
 *
 * Threads: every function may be called from several threads at once.
 *  - Each thread has its own error queue and message queue, as it has its own errno: a function
 *    that returns 1 has queued its record at the end of the calling thread's error queue, whatever
 *    other threads do meanwhile, and every queue function and queue dump acts on the calling
 *    thread's queues. Rk_UtilsInit records the message-file path for the whole process and
 *    creates the calling thread's two queues. Once it has been called, any other thread gets its
 *    own two queues, created as Rk_UtilsInit would, at its first use of either (its first failure,
 *    for instance). A thread's queues are released when it calls Rk_UtilsFree or ends. A queue
 *    that cannot be created behaves as a queue that cannot grow: the record is dropped.
 *  - The tolerances, the line-number switch, the clock's switch (Rkos_DisplayTimeDate) and the
 *    fixed current directory are process-wide. A thread that reads one while another changes it
 *    sees the old value or the new one, never a mixture of the two; but an operation under way in
 *    another thread may use some old values and some new (two tolerances of different settings),
 *    so set them before other threads use the library.
 *  - An object the caller owns (a table, list, queue, stack, string array, report, input reader,
 *    configuration, point set) is used by one thread at a time, as a standard container is;
 *    different objects in different threads are independent. Files and the console are shared as
 *    the process shares them.
 *
 * The header is valid C99 and C++.
 */
#ifndef RK_BASEKIT_H
#define RK_BASEKIT_H

#include <stdio.h>

#if defined(_WIN32)
#  define RK_API __declspec(dllexport)
#elif defined(__GNUC__)
#  define RK_API __attribute__((visibility("default")))
#else
#  define RK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ======================================================================================
 * Error ids
 * ====================================================================================== */

/* The twelve ids the library raises. A failing function queues one error record carrying the id
 * and the location where it was raised: the module's base name and the source line, such as
 * "rk_arc(627)" (the module alone while line numbers are off). The library's own records carry no
 * token. The ids' summary and detailed texts are not in the library: they are looked up by id in
 * the application's message file (see "Message texts from the message file"). Below, "6 (rk_vec)"
 * means error 6 raised in module rk_vec. */

enum {
    RK_ERR_GENERAL = 1,             /* invalid argument, object state or configuration */
    RK_ERR_CANNOT_SERVE = 5,        /* the object cannot serve this request */
    RK_ERR_ZERO_VECTOR = 6,         /* zero vector where a direction is needed */
    RK_ERR_ZERO_RADIUS = 7,         /* arc radius below the zero tolerance */
    RK_ERR_ARCS_NOT_PARALLEL = 8,   /* arcs whose normals are not parallel */
    RK_ERR_ARC_RELATION = 9,        /* arcs not in the relation the operation needs */
    RK_ERR_COINCIDENT_POINTS = 10,  /* line points closer than the point tolerance */
    RK_ERR_NO_MEMORY = 11,          /* an allocation failed */
    RK_ERR_UNDEFINED = 23,          /* projection or signed angle undefined */
    RK_ERR_DEGENERATE_PLANE = 24,   /* plane normal too short for a projection */
    RK_ERR_NO_ARC = 26,             /* no circle through the given points */
    RK_ERR_FILE_OPEN = 37           /* a file cannot be opened */
};

/* Text capacities (characters, without the terminator). */
#define RK_TEXT_MAX 128             /* tokens, message-file paths, locations, file names */
#define RK_PATH_MAX 256             /* paths and settings values */
#define RK_NUM_TOKENS 250           /* tokens of a message record, numbered 1 to 250 */

/* ======================================================================================
 * Diagnostic dumps
 * ====================================================================================== */

/* Each family ends with the dumps of its records. `Rk_<Type>DebugRpt` describes its object in a
 * report the caller has initialised (any destination) and leaves that report open, with its indent
 * restored on every path, the failing ones included. `Rk_<Type>Debug` opens a console report,
 * writes an empty line, calls the DebugRpt with it and closes the report again. A DebugRpt returns
 * 1 when a getter of its object fails (with the getter's error) or memory for a line runs out (11
 * in the family's module); the lines written before stay written, and the status of single writes
 * is not looked at unless a dump's own lines say so. A Debug returns 1 when any of its steps fails.
 * No dump changes its object, except the plain dumps of the error and message queues, which drain
 * the queue (their lines say how). Points, lines, planes and the tolerances have only a Debug,
 * which prints one line straight to standard output. */

/* The report every DebugRpt writes into, named here for the families before "Report writer",
 * which defines it. */
typedef struct Rk_ReportStruct Rk_ReportStruct;

/* ======================================================================================
 * Platform layer (rk_mem, rk_env, rk_time)
 * ====================================================================================== */

/* The only code of the library that touches the heap, the environment and the clock. None of
 * these functions queues an error: the memory functions report exhaustion by a null result (their
 * callers queue 11 in their own module), the others cannot fail. */

/* 1: the time functions report the current local time; 0: a fixed time (reproducible output).
 * Process-wide. Rkos_TimeShowCurrent and Rkos_TimeShowFixed write it whole, so use them while other
 * threads may be reading it. */
RK_API extern int Rkos_DisplayTimeDate;

/* A new block of `size` bytes; null when `size` is 0 or the heap is exhausted. */
RK_API void* Rkos_Alloc(unsigned int size);
/* Resizes `old_ptr` (null allocates afresh) and returns the block, which may have moved. Null when
 * it cannot or `new_size` is 0; the old block then stays valid and still the caller's. */
RK_API void* Rkos_Realloc(void* old_ptr, unsigned int new_size);
/* Frees `ptr` unless it is null; always returns null, to be stored back into the freed field. */
RK_API void* Rkos_Free(void* ptr);

/* Copies at most `size` characters of the variable's value into `env_val`, terminated at index
 * `size` (it holds size + 1), and sets `found` to 1; an undefined variable sets `found` to 0 and
 * leaves `env_val` untouched. */
RK_API void Rkos_GetEnv(const char* env_var, char* env_val, int size, int* found);

/* The nine fields of the local time (or of the fixed time while Rkos_DisplayTimeDate is 0): month
 * from 0, years since 1900, weekday from Sunday = 0, day of the year from 0. The fixed time gives
 * 0, 30, 3, 7, 7, 93, 5, 180, 1. */
RK_API void Rkos_LocalTime(int* sec, int* min, int* hour, int* mday, int* mon, int* year,
                           int* wday, int* yday, int* isdst);
/* The local time as texts sliced from the runtime library's ctime (or the fixed texts "00", "30",
 * "03", "07", "Jul", "1993", "Thu"). `sec`, `min`, `hour` and `mday` hold 3 bytes, `mon` and
 * `wday` 4, `year` 5. */
RK_API void Rkos_AsciiTime(char* sec, char* min, char* hour, char* mday, char* mon, char* year,
                           char* wday);
/* The time functions report the current time. */
RK_API void Rkos_TimeShowCurrent(void);
/* The time functions report the fixed time: 03:30:00, Thu 07 Jul 1993. */
RK_API void Rkos_TimeShowFixed(void);

/* ======================================================================================
 * Library lifecycle (rk_utils)
 * ====================================================================================== */

/* Path of the message file, at most 256 characters; set by Rk_UtilsInit, for the whole process.
 * The library reads and writes it under a lock; read it directly only while no thread may be
 * calling Rk_UtilsInit. */
RK_API extern char Rk_BasekitErrorFileName[RK_PATH_MAX + 1];

/* Records the message-file path for the process (at most 256 characters; the file is not opened
 * here) and creates the calling thread's error and message queues, both empty; a second call starts
 * them afresh. From then on any other thread gets its own two queues at its first use of one.
 * Fails: 11 (rk_errqu) when the error queue cannot be created;
 *        11 (rk_mesqu) when the message queue cannot.
 * Leaves: the path recorded in either case; after the error queue's failure, the message queue as
 * it was. */
RK_API int Rk_UtilsInit(const char* error_file);
/* Frees the calling thread's error and message queues (a thread that ends frees them too); the
 * path stays recorded. Always 0. */
RK_API int Rk_UtilsFree(void);

/* ======================================================================================
 * String utilities (rk_str)
 * ====================================================================================== */

/* Text is NUL-terminated; no function here checks for null pointers. The functions that return
 * `char*` return their destination, rk_strdup excepted. Only rk_strhextoint and rk_strcombine can
 * fail: they queue 1 (rk_str) and return 1; nothing else here queues an error. */

/* Number of characters before the terminator. */
RK_API int rk_strlen(const char* string);
/* Copies at most `num` characters and terminates at `num`; `string1` holds num + 1. A shorter
 * source is padded with terminators up to `num`. */
RK_API char* rk_strncpy(char* string1, const char* string2, int num);
/* A new copy of `string1` (free it with Rkos_Free); null when memory is exhausted (nothing queued). */
RK_API char* rk_strdup(const char* string1);
/* Case-insensitive comparison: -1, 0 or 1; a string that is a proper start of the other is smaller. */
RK_API int rk_stricmp(const char* string1, const char* string2);
/* 1 when every character is white space (the empty string included), else 0. */
RK_API int rk_strisblank(const char* string1);
/* `string` in upper case into `upstring` (which may be `string`). */
RK_API char* rk_strtoup(const char* string, char* upstring);
/* Replaces every `old_char` of `str` by `new_char`, in place. */
RK_API char* rk_strcharswap(char* str, char old_char, char new_char);
/* `string1` without leading and trailing blanks, tabs and newlines (a carriage return stays), into
 * `string2` (which may be `string1`). */
RK_API char* rk_strstrip(const char* string1, char* string2);
/* `string1` without leading blanks, tabs and newlines, into `string2` (which may be `string1`). */
RK_API char* rk_strstripfront(const char* string1, char* string2);
/* `string1` without trailing blanks, tabs and newlines, into `string2` (which may be `string1`). */
RK_API char* rk_strstriptail(const char* string1, char* string2);
/* Inserts `insert_str` into `str` before index `pos`, in place; `str` must have room for both and
 * the terminator. A `pos` below 0 or past the end counts as the nearer end. */
RK_API char* rk_strinsert(char* str, int pos, const char* insert_str);
/* `initial_int` in upper-case hexadecimal ("%X", a negative number as its 32-bit two's complement)
 * into `hex_string` (9 places); returns 0. */
RK_API int rk_strhexfromint(char* hex_string, int initial_int);
/* Parses hexadecimal digits of either case, a '-' negating what stands to its right ("-1F" gives
 * -31); the empty text gives 0. 32-bit arithmetic that wraps.
 * Fails: 1 (rk_str) at a character that is neither a digit nor '-' (a blank, "0x", '+').
 * Leaves: in `result_int` the value of the characters to the right of that character. */
RK_API int rk_strhextoint(const char* hex_string, int* result_int);
/* `str1`, `delimiter`, `str2` joined into `combined` (max_combined_size + 1 places), shortened to
 * at most `max_combined_size` characters: `str1` gives way first (down to `min_str1_chars`), then
 * `str2`, then the delimiter; each piece keeps its start.
 * Fails: 1 (rk_str) when `max_combined_size` is below 1 or `min_str1_chars` below 0.
 * Leaves: `combined` untouched. */
RK_API int rk_strcombine(const char* str1, const char* str2, const char* delimiter,
                         int max_combined_size, int min_str1_chars, char* combined);
/* A non-zero number made from the time of day (the fixed time while Rkos_DisplayTimeDate is 0)
 * and the characters of `str`, in whole groups of four. */
RK_API long rk_strgenlong(const char* str);

/* ======================================================================================
 * Message and error records (rk_mes, rk_error) and their queues (rk_mesqu, rk_errqu)
 * ====================================================================================== */

/* Records are plain fixed-size values owned by the caller; each thread has its own two queues
 * (see "Threads" at the top), which hold copies of what is added and hand out copies, oldest first.
 * Both queues are created by Rk_UtilsInit, or at a thread's first use once it has been called; one
 * that was never created, or was freed, grows from nothing at its first add.
 * Only the operations with a "Fails:" line can return 1; the others always return 0. */

/* A message: an id, the message file that holds its texts, and 250 token texts. */
typedef struct Rk_MessageStruct {
    long msg_id;                                       /* the key in the message file */
    char msgfile[RK_TEXT_MAX + 1];                     /* path of the message file */
    char tokens[RK_NUM_TOKENS][RK_TEXT_MAX + 1];       /* token n is stored at index n - 1 */
} Rk_MessageStruct, Rk_Message;

/* An error: a message and the location where the failure was met, such as "rk_arc(627)". */
typedef struct Rk_ErrorStruct {
    Rk_MessageStruct msg;
    char loc[RK_TEXT_MAX + 1];
} Rk_ErrorStruct, Rk_Error;

/* Sets the id and message file (at most 128 characters); all tokens become empty. */
RK_API int Rk_MessageSet(Rk_MessageStruct* msg, long id, const char* msgfile);
/* Sets token `token_number` (1 to 250) to at most 128 characters of `str`.
 * Fails: 1 (rk_mes) when `token_number` is outside 1 to 250.
 * Leaves: `msg` unchanged. */
RK_API int Rk_MessageSetToken(Rk_MessageStruct* msg, int token_number, const char* str);
/* Copies token `token_number` (1 to 250) into `str` (129 places).
 * Fails: 1 (rk_mes) when `token_number` is outside 1 to 250.
 * Leaves: `str` untouched. */
RK_API int Rk_MessageGetToken(const Rk_MessageStruct* msg, int token_number, char* str);
/* Copies the id. */
RK_API int Rk_MessageGetId(const Rk_MessageStruct* msg, long* id);

/* Sets the message part from `id` and `msgfile`, then the location (at most 128 characters). */
RK_API int Rk_ErrorSet(Rk_ErrorStruct* error, long id, const char* msgfile, const char* loc);
/* Sets token `token_number` (1 to 250) of the message part.
 * Fails: 1 (rk_mes) when `token_number` is outside 1 to 250.
 * Leaves: `error` unchanged. */
RK_API int Rk_ErrorSetToken(Rk_ErrorStruct* error, int token_number, const char* str);
/* Copies the id. */
RK_API int Rk_ErrorGetId(const Rk_ErrorStruct* error, long* id);
/* Copies the location text (129 places). */
RK_API int Rk_ErrorGetLocation(const Rk_ErrorStruct* error, char* loc);

/* Creates the empty error queue with room for five records; an earlier queue is released first,
 * its records dropped.
 * Fails: 11 (rk_errqu) when that room cannot be allocated.
 * Leaves: the queue empty; the record of the failure grows it from nothing when memory allows. */
RK_API int Rk_ErrorQueueInit(void);
/* Releases the error queue's storage; it holds nothing afterwards. */
RK_API int Rk_ErrorQueueFree(void);
/* Empties the error queue, keeping its storage. */
RK_API int Rk_ErrorQueueClear(void);
/* Appends a copy of `error`, growing the queue by five records when it is full.
 * Fails: 1 (nothing queued: there is no room for a record) when the queue cannot grow.
 * Leaves: the record dropped and the queue unchanged. */
RK_API int Rk_ErrorQueueAddError(const Rk_ErrorStruct* error);
/* Builds an error record and appends it: the message file recorded by Rk_UtilsInit, the id, the
 * location (the base name of `file` after its last '/' or '\', with "(line)" while line numbers
 * are on) and, when `token` is not blank, token 1. Always 0, even when the record is dropped. */
RK_API int Rk_ErrorQueueSetAndAddError(long id, const char* file, int line, const char* token);
/* Takes out the oldest error; `found` 0 when the queue is empty (`error` then untouched). */
RK_API int Rk_ErrorQueueGetError(Rk_ErrorStruct* error, int* found);
/* Number of queued errors. */
RK_API int Rk_ErrorQueueGetSize(int* num_msgs);
/* Locations of later errors, in every thread, carry the line: "rk_arc(627)" (the default). */
RK_API int Rk_ErrorQueueLineNumbersOn(void);
/* Locations of later errors, in every thread, carry the module alone: "rk_arc". */
RK_API int Rk_ErrorQueueLineNumbersOff(void);

/* Creates the empty message queue with room for five records; an earlier queue is released
 * first, its messages dropped.
 * Fails: 11 (rk_mesqu) when that room cannot be allocated.
 * Leaves: the queue empty. */
RK_API int Rk_MessageQueueInit(void);
/* Releases the message queue's storage; it holds nothing afterwards. */
RK_API int Rk_MessageQueueFree(void);
/* Empties the message queue, keeping its storage. */
RK_API int Rk_MessageQueueClear(void);
/* Appends a copy of `message`, growing the queue by five records when it is full.
 * Fails: 11 (rk_mesqu) when the queue cannot grow.
 * Leaves: the queue unchanged. */
RK_API int Rk_MessageQueueAddMessage(const Rk_MessageStruct* message);
/* Takes out the oldest message; `found` 0 when the queue is empty (`message` then untouched). */
RK_API int Rk_MessageQueueGetMessage(Rk_MessageStruct* message, int* found);
/* Number of queued messages. */
RK_API int Rk_MessageQueueGetSize(int* num_msgs);
/* Removes every queued message with id `msg_id`, keeping the others in order. */
RK_API int Rk_MessageQueueRemoveMsgById(long msg_id);

/* The message's id, its non-empty tokens and its summary and detailed texts, into `report`.
 * Fails: 11 (rk_mes) when a line cannot be held;
 *        11 (rk_strar or rk_strtb) when the detailed text cannot be built (as
 *          Rk_MessageGetDetailedText).
 * Leaves: the lines written before. */
RK_API int Rk_MessageDebugRpt(const Rk_MessageStruct* msg, Rk_ReportStruct* report);
/* As Rk_MessageDebugRpt, to the console.
 * Fails: 11 (rk_mes, rk_strar or rk_strtb) as Rk_MessageDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_MessageDebug(const Rk_MessageStruct* msg);
/* The error's id, location and its summary and detailed texts, into `report`.
 * Fails: 11 (rk_error) when a line cannot be held;
 *        11 (rk_strar or rk_strtb) when the detailed text cannot be built (as
 *          Rk_MessageGetDetailedText).
 * Leaves: the lines written before. */
RK_API int Rk_ErrorDebugRpt(const Rk_ErrorStruct* error, Rk_ReportStruct* report);
/* As Rk_ErrorDebugRpt, to the console.
 * Fails: 11 (rk_error, rk_strar or rk_strtb) as Rk_ErrorDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_ErrorDebug(const Rk_ErrorStruct* error);
/* The number of queued errors, then each error, oldest first, taken out of the queue as it is
 * printed; records queued while the dump runs are left.
 * Fails: 11 (rk_errqu) when the count line cannot be held;
 *        11 (rk_error, rk_strar or rk_strtb) as Rk_ErrorDebugRpt for an error.
 * Leaves: the errors taken out so far (the one whose dump failed included) out of the queue, the
 * others queued. */
RK_API int Rk_ErrorQueueDebugRpt(Rk_ReportStruct* report);
/* As Rk_ErrorQueueDebugRpt, to the console.
 * Fails: 11 (rk_errqu, rk_error, rk_strar or rk_strtb) as Rk_ErrorQueueDebugRpt.
 * Leaves: the errors taken out so far (the one whose dump failed included) out of the queue, the
 * others queued. */
RK_API int Rk_ErrorQueueDebug(void);
/* An empty line, the number of queued errors and a copy of each error, oldest first; the queue
 * is kept.
 * Fails: 11 (rk_errqu) when the count line cannot be held;
 *        11 (rk_error, rk_strar or rk_strtb) as Rk_ErrorDebugRpt for an error.
 * Leaves: the lines written before, and every error queued. */
RK_API int Rk_ErrorQueueDebugRptNoFlush(Rk_ReportStruct* report);
/* As Rk_ErrorQueueDebugRptNoFlush, to the console.
 * Fails: 11 (rk_errqu, rk_error, rk_strar or rk_strtb) as Rk_ErrorQueueDebugRptNoFlush.
 * Leaves: the lines printed before, and every error queued. */
RK_API int Rk_ErrorQueueDebugNoFlush(void);
/* The number of queued messages, then each message, oldest first, taken out of the queue as it
 * is printed; messages queued while the dump runs are left.
 * Fails: 11 (rk_mesqu) when the count line cannot be held;
 *        11 (rk_mes, rk_strar or rk_strtb) as Rk_MessageDebugRpt for a message.
 * Leaves: the messages taken out so far (the one whose dump failed included) out of the queue,
 * the others queued. */
RK_API int Rk_MessageQueueDebugRpt(Rk_ReportStruct* report);
/* As Rk_MessageQueueDebugRpt, to the console.
 * Fails: 11 (rk_mesqu, rk_mes, rk_strar or rk_strtb) as Rk_MessageQueueDebugRpt.
 * Leaves: the messages taken out so far (the one whose dump failed included) out of the queue,
 * the others queued. */
RK_API int Rk_MessageQueueDebug(void);
/* An empty line, the number of queued messages and a copy of each message, oldest first; the
 * queue is kept.
 * Fails: 11 (rk_mesqu) when the count line cannot be held;
 *        11 (rk_mes, rk_strar or rk_strtb) as Rk_MessageDebugRpt for a message.
 * Leaves: the lines written before, and every message queued. */
RK_API int Rk_MessageQueueDebugRptNoFlush(Rk_ReportStruct* report);
/* As Rk_MessageQueueDebugRptNoFlush, to the console.
 * Fails: 11 (rk_mesqu, rk_mes, rk_strar or rk_strtb) as Rk_MessageQueueDebugRptNoFlush.
 * Leaves: the lines printed before, and every message queued. */
RK_API int Rk_MessageQueueDebugNoFlush(void);

/* ======================================================================================
 * Containers: tables (rk_inttb, rk_lngtb, rk_dbltb, rk_ptrtb, rk_strtb)
 * ====================================================================================== */

/* Failures, the same for the five members, are raised under the member's own module (rk_inttb,
 * rk_lngtb, rk_dbltb, rk_ptrtb or rk_strtb). Error 1: from every operation but Init when `table`
 * carries another member's type code (Free included); from every operation but Init and Free
 * when it is not allocated (never initialised, or freed); for a row outside 0 to `num_rows` - 1
 * (InsertRow also takes `num_rows`) or a column outside 0 to `num_cols` - 1 (each key column of
 * Sort included); for Sort with `n_cols` < 1 and Init with `ncols` < 1. Error 11, memory
 * exhausted: in Init; in AddRow and InsertRow when a full table grows by 25 rows; in the string
 * table's AddRow, InsertRow, SetRow and SetValue when a text cannot be copied. RemoveRow, Sort,
 * Clear and the reads never allocate.
 * A failed operation leaves the table and its outputs as they were, except that Find and FindPos
 * write `found` 0 before any check, and Init leaves the record untouched only for `ncols` < 1:
 * out of memory, it leaves it not allocated, holding nothing but the member's type code. FindPos
 * writes `row` only when it finds; on a table with no rows, Find and FindPos answer not found
 * without checking `col` or `start_row`. Free of a table not allocated does nothing. Sort is an
 * exchange sort, quadratic and not stable: rows with equal keys may change places. */

/* A table: a grid of cells of one type, `num_cols` columns fixed at Init and rows added as needed.
 * Storage is column-major: cell (col, row) is element `row` of the block of column `col`. Every
 * accessor takes the column before the row. Blocks grow 25 rows at a time and never shrink.
 * A string table keeps its own copy of every text it is given; the texts it hands out are its
 * own and stay valid until that cell changes. Texts given to it or searched for must not be null.
 * A pointer table never dereferences or frees. */
typedef struct Rk_TableStruct {
    int type;            /* type code of the member: 1 double, 2 string, 3 long, 5 int, 8 pointer */
    int num_cols;        /* columns, at least 1 */
    int num_rows;        /* rows in use */
    int num_alloc_rows;  /* rows every column has room for; 0: not allocated (never, or freed) */
    int sorted;          /* 1 while the rows are in the order of the last Sort */
    int sorted_col;      /* first key column of that Sort (0 when `sorted` is 0) */
    union {
        int** itable;
        long** ltable;
        double** dtable;
        void*** ptable;
        char*** stable;
    } table;             /* `num_cols` column blocks of `num_alloc_rows` cells each */
} Rk_TableStruct, Rk_IntTable, Rk_LongTable, Rk_DblTable, Rk_PtrTable, Rk_StrTable;

/* ---- Rk_IntTable (rk_inttb) ---- */
/* Makes `table` an empty table of `ncols` columns (free a live table first).
 * Fails: 1 (rk_inttb) when `ncols` is below 1;
 *        11 (rk_inttb) when memory runs out.
 * Leaves: the record untouched for `ncols` below 1; out of memory, not allocated, holding nothing
 * but the member's type code. */
RK_API int Rk_IntTableInit(Rk_IntTable* table, int ncols);
/* Appends one row of `num_cols` cells.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated;
 *        11 (rk_inttb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableAddRow(Rk_IntTable* table, const int* vals);
/* Inserts one row before `row` (the row count appends).
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows`;
 *        11 (rk_inttb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableInsertRow(Rk_IntTable* table, int row, const int* vals);
/* Removes one row; later rows move up by one.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableRemoveRow(Rk_IntTable* table, int row);
/* Overwrites every cell of an existing row.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableSetRow(Rk_IntTable* table, int row, const int* vals);
/* Copies a row out into `vals` (`num_cols` cells).
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: `vals` untouched. */
RK_API int Rk_IntTableGetRow(const Rk_IntTable* table, int row, int* vals);
/* Overwrites one cell.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableSetValue(Rk_IntTable* table, int col, int row, int val);
/* Reads one cell.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: `val` untouched. */
RK_API int Rk_IntTableGetValue(const Rk_IntTable* table, int col, int row, int* val);
/* Reports the column and row counts.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated.
 * Leaves: `ncols` and `nrows` untouched. */
RK_API int Rk_IntTableGetSize(const Rk_IntTable* table, int* ncols, int* nrows);
/* `found` 1 when some row holds the value in column `col`.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or it has rows and `col`
 *          is out of range.
 * Leaves: `found` 0. */
RK_API int Rk_IntTableFind(const Rk_IntTable* table, int col, int val_to_find, int* found);
/* The first row at or after `start_row` holding the value in column `col`.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or it has rows and `col`
 *          or `start_row` is out of range.
 * Leaves: `found` 0, `row` untouched. */
RK_API int Rk_IntTableFindPos(const Rk_IntTable* table, int col, int start_row, int val_to_find,
                              int* row, int* found);
/* Sorts the rows ascending on the key columns, in the order given.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated, or `n_cols` is below 1 or
 *          a key column out of range.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableSort(Rk_IntTable* table, int n_cols, const int* cols_to_sort);
/* Removes every row, keeping the storage.
 * Fails: 1 (rk_inttb) when `table` is another member's or not allocated.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableClear(Rk_IntTable* table);
/* Releases the storage; a freed table may be initialised again.
 * Fails: 1 (rk_inttb) when `table` carries another member's type code.
 * Leaves: the table unchanged. */
RK_API int Rk_IntTableFree(Rk_IntTable* table);
/* The table's size, sorting and rows (cells 7 wide), or "Table not initialized".
 * Fails: 1 (rk_inttb) for a record of another member, before anything is written;
 *        11 (rk_inttb) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_IntTableDebugRpt(const Rk_IntTable* table, Rk_ReportStruct* report);
/* As Rk_IntTableDebugRpt, to the console.
 * Fails: 1 or 11 (rk_inttb) as Rk_IntTableDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_IntTableDebug(const Rk_IntTable* table);

/* ---- Rk_LongTable (rk_lngtb) ---- */
/* Makes `table` an empty table of `ncols` columns (free a live table first).
 * Fails: 1 (rk_lngtb) when `ncols` is below 1;
 *        11 (rk_lngtb) when memory runs out.
 * Leaves: the record untouched for `ncols` below 1; out of memory, not allocated, holding nothing
 * but the member's type code. */
RK_API int Rk_LongTableInit(Rk_LongTable* table, int ncols);
/* Appends one row of `num_cols` cells.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated;
 *        11 (rk_lngtb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableAddRow(Rk_LongTable* table, const long* vals);
/* Inserts one row before `row` (the row count appends).
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows`;
 *        11 (rk_lngtb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableInsertRow(Rk_LongTable* table, int row, const long* vals);
/* Removes one row; later rows move up by one.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableRemoveRow(Rk_LongTable* table, int row);
/* Overwrites every cell of an existing row.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableSetRow(Rk_LongTable* table, int row, const long* vals);
/* Copies a row out into `vals` (`num_cols` cells).
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: `vals` untouched. */
RK_API int Rk_LongTableGetRow(const Rk_LongTable* table, int row, long* vals);
/* Overwrites one cell.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableSetValue(Rk_LongTable* table, int col, int row, long val);
/* Reads one cell.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: `val` untouched. */
RK_API int Rk_LongTableGetValue(const Rk_LongTable* table, int col, int row, long* val);
/* Reports the column and row counts.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated.
 * Leaves: `ncols` and `nrows` untouched. */
RK_API int Rk_LongTableGetSize(const Rk_LongTable* table, int* ncols, int* nrows);
/* `found` 1 when some row holds the value in column `col`.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or it has rows and `col`
 *          is out of range.
 * Leaves: `found` 0. */
RK_API int Rk_LongTableFind(const Rk_LongTable* table, int col, long val_to_find, int* found);
/* The first row at or after `start_row` holding the value in column `col`.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or it has rows and `col`
 *          or `start_row` is out of range.
 * Leaves: `found` 0, `row` untouched. */
RK_API int Rk_LongTableFindPos(const Rk_LongTable* table, int col, int start_row, long val_to_find,
                               int* row, int* found);
/* Sorts the rows ascending on the key columns, in the order given.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated, or `n_cols` is below 1 or
 *          a key column out of range.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableSort(Rk_LongTable* table, int n_cols, const int* cols_to_sort);
/* Removes every row, keeping the storage.
 * Fails: 1 (rk_lngtb) when `table` is another member's or not allocated.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableClear(Rk_LongTable* table);
/* Releases the storage; a freed table may be initialised again.
 * Fails: 1 (rk_lngtb) when `table` carries another member's type code.
 * Leaves: the table unchanged. */
RK_API int Rk_LongTableFree(Rk_LongTable* table);
/* The table's size, sorting and rows (cells 7 wide), or "Table not initialized".
 * Fails: 1 (rk_lngtb) for a record of another member, before anything is written;
 *        11 (rk_lngtb) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_LongTableDebugRpt(const Rk_LongTable* table, Rk_ReportStruct* report);
/* As Rk_LongTableDebugRpt, to the console.
 * Fails: 1 or 11 (rk_lngtb) as Rk_LongTableDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_LongTableDebug(const Rk_LongTable* table);

/* ---- Rk_DblTable (rk_dbltb) ---- */
/* Makes `table` an empty table of `ncols` columns (free a live table first).
 * Fails: 1 (rk_dbltb) when `ncols` is below 1;
 *        11 (rk_dbltb) when memory runs out.
 * Leaves: the record untouched for `ncols` below 1; out of memory, not allocated, holding nothing
 * but the member's type code. */
RK_API int Rk_DblTableInit(Rk_DblTable* table, int ncols);
/* Appends one row of `num_cols` cells.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated;
 *        11 (rk_dbltb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableAddRow(Rk_DblTable* table, const double* vals);
/* Inserts one row before `row` (the row count appends).
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows`;
 *        11 (rk_dbltb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableInsertRow(Rk_DblTable* table, int row, const double* vals);
/* Removes one row; later rows move up by one.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableRemoveRow(Rk_DblTable* table, int row);
/* Overwrites every cell of an existing row.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableSetRow(Rk_DblTable* table, int row, const double* vals);
/* Copies a row out into `vals` (`num_cols` cells).
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: `vals` untouched. */
RK_API int Rk_DblTableGetRow(const Rk_DblTable* table, int row, double* vals);
/* Overwrites one cell.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableSetValue(Rk_DblTable* table, int col, int row, double val);
/* Reads one cell.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: `val` untouched. */
RK_API int Rk_DblTableGetValue(const Rk_DblTable* table, int col, int row, double* val);
/* Reports the column and row counts.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated.
 * Leaves: `ncols` and `nrows` untouched. */
RK_API int Rk_DblTableGetSize(const Rk_DblTable* table, int* ncols, int* nrows);
/* `found` 1 when some row holds in column `col` a value closer than the zero tolerance to
 * `val_to_find` (strictly closer).
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or it has rows and `col`
 *          is out of range.
 * Leaves: `found` 0. */
RK_API int Rk_DblTableFind(const Rk_DblTable* table, int col, double val_to_find, int* found);
/* The first row at or after `start_row` whose cell in column `col` is strictly closer than the zero
 * tolerance to `val_to_find`. While the table is sorted on `col` the search bisects, and walking
 * back from its match it also takes a cell exactly the tolerance away.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or it has rows and `col`
 *          or `start_row` is out of range.
 * Leaves: `found` 0, `row` untouched. */
RK_API int Rk_DblTableFindPos(const Rk_DblTable* table, int col, int start_row, double val_to_find,
                              int* row, int* found);
/* Sorts the rows ascending on the key columns, in the order given; keys strictly closer than the
 * zero tolerance count as equal.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated, or `n_cols` is below 1 or
 *          a key column out of range.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableSort(Rk_DblTable* table, int n_cols, const int* cols_to_sort);
/* Removes every row, keeping the storage.
 * Fails: 1 (rk_dbltb) when `table` is another member's or not allocated.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableClear(Rk_DblTable* table);
/* Releases the storage; a freed table may be initialised again.
 * Fails: 1 (rk_dbltb) when `table` carries another member's type code.
 * Leaves: the table unchanged. */
RK_API int Rk_DblTableFree(Rk_DblTable* table);
/* The table's size, sorting and rows (cells 12 wide, 3 decimals), or "Table not initialized".
 * Fails: 1 (rk_dbltb) for a record of another member, before anything is written;
 *        11 (rk_dbltb) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_DblTableDebugRpt(const Rk_DblTable* table, Rk_ReportStruct* report);
/* As Rk_DblTableDebugRpt, to the console.
 * Fails: 1 or 11 (rk_dbltb) as Rk_DblTableDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_DblTableDebug(const Rk_DblTable* table);

/* ---- Rk_PtrTable (rk_ptrtb) ---- */
/* Makes `table` an empty table of `ncols` columns (free a live table first).
 * Fails: 1 (rk_ptrtb) when `ncols` is below 1;
 *        11 (rk_ptrtb) when memory runs out.
 * Leaves: the record untouched for `ncols` below 1; out of memory, not allocated, holding nothing
 * but the member's type code. */
RK_API int Rk_PtrTableInit(Rk_PtrTable* table, int ncols);
/* Appends one row of `num_cols` cells.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated;
 *        11 (rk_ptrtb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableAddRow(Rk_PtrTable* table, void* const* vals);
/* Inserts one row before `row` (the row count appends).
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows`;
 *        11 (rk_ptrtb) when a full table cannot grow by 25 rows.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableInsertRow(Rk_PtrTable* table, int row, void* const* vals);
/* Removes one row; later rows move up by one.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableRemoveRow(Rk_PtrTable* table, int row);
/* Overwrites every cell of an existing row.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableSetRow(Rk_PtrTable* table, int row, void* const* vals);
/* Copies a row out into `vals` (`num_cols` cells).
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: `vals` untouched. */
RK_API int Rk_PtrTableGetRow(const Rk_PtrTable* table, int row, void** vals);
/* Overwrites one cell.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableSetValue(Rk_PtrTable* table, int col, int row, void* val);
/* Reads one cell.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: `val` untouched. */
RK_API int Rk_PtrTableGetValue(const Rk_PtrTable* table, int col, int row, void** val);
/* Reports the column and row counts.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated.
 * Leaves: `ncols` and `nrows` untouched. */
RK_API int Rk_PtrTableGetSize(const Rk_PtrTable* table, int* ncols, int* nrows);
/* `found` 1 when some row holds the value in column `col`.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or it has rows and `col`
 *          is out of range.
 * Leaves: `found` 0. */
RK_API int Rk_PtrTableFind(const Rk_PtrTable* table, int col, void* val_to_find, int* found);
/* The first row at or after `start_row` holding the value in column `col`.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or it has rows and `col`
 *          or `start_row` is out of range.
 * Leaves: `found` 0, `row` untouched. */
RK_API int Rk_PtrTableFindPos(const Rk_PtrTable* table, int col, int start_row, void* val_to_find,
                              int* row, int* found);
/* Sorts the rows ascending on the key columns (addresses as unsigned numbers).
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated, or `n_cols` is below 1 or
 *          a key column out of range.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableSort(Rk_PtrTable* table, int n_cols, const int* cols_to_sort);
/* Removes every row, keeping the storage.
 * Fails: 1 (rk_ptrtb) when `table` is another member's or not allocated.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableClear(Rk_PtrTable* table);
/* Releases the storage; a freed table may be initialised again.
 * Fails: 1 (rk_ptrtb) when `table` carries another member's type code.
 * Leaves: the table unchanged. */
RK_API int Rk_PtrTableFree(Rk_PtrTable* table);
/* The table's size and sorting (pointers are not shown), or "Table not initialized".
 * Fails: 1 (rk_ptrtb) for a record of another member, before anything is written;
 *        11 (rk_ptrtb) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_PtrTableDebugRpt(const Rk_PtrTable* table, Rk_ReportStruct* report);
/* As Rk_PtrTableDebugRpt, to the console.
 * Fails: 1 or 11 (rk_ptrtb) as Rk_PtrTableDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_PtrTableDebug(const Rk_PtrTable* table);

/* ---- Rk_StrTable (rk_strtb) ---- */
/* Makes `table` an empty table of `ncols` columns (free a live table first).
 * Fails: 1 (rk_strtb) when `ncols` is below 1;
 *        11 (rk_strtb) when memory runs out.
 * Leaves: the record untouched for `ncols` below 1; out of memory, not allocated, holding nothing
 * but the member's type code. */
RK_API int Rk_StrTableInit(Rk_StrTable* table, int ncols);
/* Appends one row of `num_cols` cells, a copy of each text.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated;
 *        11 (rk_strtb) when a full table cannot grow by 25 rows;
 *        11 (rk_strtb) when a text cannot be copied.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableAddRow(Rk_StrTable* table, char* const* vals);
/* Inserts one row of copies before `row` (the row count appends).
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows`;
 *        11 (rk_strtb) when a full table cannot grow by 25 rows;
 *        11 (rk_strtb) when a text cannot be copied.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableInsertRow(Rk_StrTable* table, int row, char* const* vals);
/* Removes one row and frees its texts; later rows move up by one.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableRemoveRow(Rk_StrTable* table, int row);
/* Overwrites every cell of an existing row with copies (texts this table handed out may be written
 * back).
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1;
 *        11 (rk_strtb) when a text cannot be copied.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableSetRow(Rk_StrTable* table, int row, char* const* vals);
/* Copies the row's text pointers into `vals`: the table's own, valid until their cells change.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `row` is outside 0 to
 *          `num_rows` - 1.
 * Leaves: `vals` untouched. */
RK_API int Rk_StrTableGetRow(const Rk_StrTable* table, int row, char** vals);
/* Overwrites one cell with a copy of `val` (which may be a text this table handed out).
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range;
 *        11 (rk_strtb) when a text cannot be copied.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableSetValue(Rk_StrTable* table, int col, int row, const char* val);
/* Reads one cell: the table's own text, valid until the cell changes.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `col` or `row` is out
 *          of range.
 * Leaves: `val` untouched. */
RK_API int Rk_StrTableGetValue(const Rk_StrTable* table, int col, int row, char** val);
/* Reports the column and row counts.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated.
 * Leaves: `ncols` and `nrows` untouched. */
RK_API int Rk_StrTableGetSize(const Rk_StrTable* table, int* ncols, int* nrows);
/* `found` 1 when some row holds the text in column `col` (byte for byte).
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or it has rows and `col`
 *          is out of range.
 * Leaves: `found` 0. */
RK_API int Rk_StrTableFind(const Rk_StrTable* table, int col, const char* val_to_find, int* found);
/* The first row at or after `start_row` holding the value in column `col`.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or it has rows and `col`
 *          or `start_row` is out of range.
 * Leaves: `found` 0, `row` untouched. */
RK_API int Rk_StrTableFindPos(const Rk_StrTable* table, int col, int start_row,
                              const char* val_to_find, int* row, int* found);
/* Sorts the rows ascending on the key columns (byte order, case-sensitive).
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated, or `n_cols` is below 1 or
 *          a key column out of range.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableSort(Rk_StrTable* table, int n_cols, const int* cols_to_sort);
/* Removes every row and frees its texts, keeping the storage.
 * Fails: 1 (rk_strtb) when `table` is another member's or not allocated.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableClear(Rk_StrTable* table);
/* Releases the storage and every text; a freed table may be initialised again.
 * Fails: 1 (rk_strtb) when `table` carries another member's type code.
 * Leaves: the table unchanged. */
RK_API int Rk_StrTableFree(Rk_StrTable* table);
/* The table's size, sorting and rows (cells 15 wide; a text of 15 characters or more shows as a
 * blank, its first 11 characters and "..."), or "Table not initialized".
 * Fails: 1 (rk_strtb) for a record of another member, before anything is written;
 *        11 (rk_strtb) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_StrTableDebugRpt(const Rk_StrTable* table, Rk_ReportStruct* report);
/* As Rk_StrTableDebugRpt, to the console.
 * Fails: 1 or 11 (rk_strtb) as Rk_StrTableDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_StrTableDebug(const Rk_StrTable* table);

/* ==== Lists (rk_intls, rk_lngls, rk_ptrls, rk_strls) ==== */

/* Failures, the same for the four members, are raised by the list's table under the table member's
 * module: rk_inttb, rk_lngtb, rk_ptrtb or rk_strtb (never the list's own, but for a dump's line
 * that cannot be held). A list is "not live" when its `table` is not an allocated table of the
 * member (never initialised, freed). Error 1: from every operation but Init and Free on a list that
 * is not live; from Get, Set and FindPos for a position outside 0 to size - 1. Error 11, memory
 * exhausted: in Init; in Add when a full list grows by 25 values; in the string list's Add and Set
 * when a text cannot be copied. A failed operation leaves the list and its outputs as they were,
 * except that Find and FindPos write `found` 0 before any check; a failed Init leaves `allocated`
 * and `allowDups` as they were. FindPos writes `found_pos` only when it finds; on an empty list it
 * answers not found whatever `start_pos` is. Free does nothing to a list whose `allocated` is 0;
 * otherwise it fails only with 1 when `table` carries another member's type code, the list then
 * unchanged. */

/* A list: an ordered sequence of values in column 0 of a one-column table, optionally kept free
 * of duplicates. A string list keeps its own copies; Get hands out the list's own text. */
typedef struct Rk_ListStruct {
    Rk_TableStruct table;  /* the values, one per row, in list order */
    int allocated;         /* 1 after a successful Init, 0 after Free */
    int allowDups;         /* 0: Add ignores a value already in the list */
} Rk_ListStruct, Rk_IntList, Rk_LongList, Rk_PtrList, Rk_StrList;

/* ---- Rk_IntList (rk_intls) ---- */
/* Makes `list` an empty list; `allow_dups` 0 makes Add ignore values already present.
 * Fails: 11 (rk_inttb) when memory runs out.
 * Leaves: `allocated` and `allowDups` as they were. */
RK_API int Rk_IntListInit(Rk_IntList* list, int allow_dups);
/* Appends `val`, unless duplicates are refused and it is already present.
 * Fails: 1 (rk_inttb) when the list is not live;
 *        11 (rk_inttb) when a full list cannot grow by 25 values.
 * Leaves: the list unchanged. */
RK_API int Rk_IntListAdd(Rk_IntList* list, int val);
/* Reads the value at `position`.
 * Fails: 1 (rk_inttb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: `val` untouched. */
RK_API int Rk_IntListGet(const Rk_IntList* list, int position, int* val);
/* Overwrites the value at `position` (no duplicate check).
 * Fails: 1 (rk_inttb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: the list unchanged. */
RK_API int Rk_IntListSet(Rk_IntList* list, int position, int val);
/* Number of values.
 * Fails: 1 (rk_inttb) when the list is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_IntListGetSize(const Rk_IntList* list, int* size);
/* `found` 1 when `val` is in the list.
 * Fails: 1 (rk_inttb) when the list is not live.
 * Leaves: `found` 0. */
RK_API int Rk_IntListFind(const Rk_IntList* list, int val, int* found);
/* The first position at or after `start_pos` holding `val`.
 * Fails: 1 (rk_inttb) when the list is not live, or it is not empty and `start_pos` is outside 0 to
 *          size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_IntListFindPos(const Rk_IntList* list, int start_pos, int val, int* found_pos,
                             int* found);
/* Removes the first occurrence of `val`, if any.
 * Fails: 1 (rk_inttb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_IntListRemove(Rk_IntList* list, int val);
/* Sorts the values ascending.
 * Fails: 1 (rk_inttb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_IntListSort(Rk_IntList* list);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_inttb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_IntListClear(Rk_IntList* list);
/* Releases the storage; a list whose `allocated` is 0 is left alone.
 * Fails: 1 (rk_inttb) when `allocated` is not 0 and `table` carries another member's type code.
 * Leaves: the list unchanged. */
RK_API int Rk_IntListFree(Rk_IntList* list);
/* The list's size, duplicate rule and values in order, or "List not allocated".
 * Fails: 1 (rk_inttb) when `allocated` is set but the list is not live (the getters' error);
 *        11 (rk_intls) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_IntListDebugRpt(const Rk_IntList* list, Rk_ReportStruct* report);
/* As Rk_IntListDebugRpt, to the console.
 * Fails: 1 (rk_inttb) or 11 (rk_intls) as Rk_IntListDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_IntListDebug(const Rk_IntList* list);

/* ---- Rk_LongList (rk_lngls) ---- */
/* Makes `list` an empty list; `allow_dups` 0 makes Add ignore values already present.
 * Fails: 11 (rk_lngtb) when memory runs out.
 * Leaves: `allocated` and `allowDups` as they were. */
RK_API int Rk_LongListInit(Rk_LongList* list, int allow_dups);
/* Appends `val`, unless duplicates are refused and it is already present.
 * Fails: 1 (rk_lngtb) when the list is not live;
 *        11 (rk_lngtb) when a full list cannot grow by 25 values.
 * Leaves: the list unchanged. */
RK_API int Rk_LongListAdd(Rk_LongList* list, long val);
/* Reads the value at `position`.
 * Fails: 1 (rk_lngtb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: `val` untouched. */
RK_API int Rk_LongListGet(const Rk_LongList* list, int position, long* val);
/* Overwrites the value at `position` (no duplicate check).
 * Fails: 1 (rk_lngtb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: the list unchanged. */
RK_API int Rk_LongListSet(Rk_LongList* list, int position, long val);
/* Number of values.
 * Fails: 1 (rk_lngtb) when the list is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_LongListGetSize(const Rk_LongList* list, int* size);
/* `found` 1 when `val` is in the list.
 * Fails: 1 (rk_lngtb) when the list is not live.
 * Leaves: `found` 0. */
RK_API int Rk_LongListFind(const Rk_LongList* list, long val, int* found);
/* The first position at or after `start_pos` holding `val`.
 * Fails: 1 (rk_lngtb) when the list is not live, or it is not empty and `start_pos` is outside 0 to
 *          size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_LongListFindPos(const Rk_LongList* list, int start_pos, long val, int* found_pos,
                              int* found);
/* Removes the first occurrence of `val`, if any.
 * Fails: 1 (rk_lngtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_LongListRemove(Rk_LongList* list, long val);
/* Sorts the values ascending.
 * Fails: 1 (rk_lngtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_LongListSort(Rk_LongList* list);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_lngtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_LongListClear(Rk_LongList* list);
/* Releases the storage; a list whose `allocated` is 0 is left alone.
 * Fails: 1 (rk_lngtb) when `allocated` is not 0 and `table` carries another member's type code.
 * Leaves: the list unchanged. */
RK_API int Rk_LongListFree(Rk_LongList* list);
/* The list's size, duplicate rule and values in order, or "List not allocated".
 * Fails: 1 (rk_lngtb) when `allocated` is set but the list is not live (the getters' error);
 *        11 (rk_lngls) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_LongListDebugRpt(const Rk_LongList* list, Rk_ReportStruct* report);
/* As Rk_LongListDebugRpt, to the console.
 * Fails: 1 (rk_lngtb) or 11 (rk_lngls) as Rk_LongListDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_LongListDebug(const Rk_LongList* list);

/* ---- Rk_PtrList (rk_ptrls) ---- */
/* Makes `list` an empty list; `allow_dups` 0 makes Add ignore values already present.
 * Fails: 11 (rk_ptrtb) when memory runs out.
 * Leaves: `allocated` and `allowDups` as they were. */
RK_API int Rk_PtrListInit(Rk_PtrList* list, int allow_dups);
/* Appends `val`, unless duplicates are refused and it is already present.
 * Fails: 1 (rk_ptrtb) when the list is not live;
 *        11 (rk_ptrtb) when a full list cannot grow by 25 values.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListAdd(Rk_PtrList* list, void* val);
/* Reads the value at `position`.
 * Fails: 1 (rk_ptrtb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: `val` untouched. */
RK_API int Rk_PtrListGet(const Rk_PtrList* list, int position, void** val);
/* Overwrites the value at `position` (no duplicate check).
 * Fails: 1 (rk_ptrtb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListSet(Rk_PtrList* list, int position, void* val);
/* Number of values.
 * Fails: 1 (rk_ptrtb) when the list is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_PtrListGetSize(const Rk_PtrList* list, int* size);
/* `found` 1 when `val` is in the list.
 * Fails: 1 (rk_ptrtb) when the list is not live.
 * Leaves: `found` 0. */
RK_API int Rk_PtrListFind(const Rk_PtrList* list, void* val, int* found);
/* The first position at or after `start_pos` holding `val`.
 * Fails: 1 (rk_ptrtb) when the list is not live, or it is not empty and `start_pos` is outside 0 to
 *          size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_PtrListFindPos(const Rk_PtrList* list, int start_pos, void* val, int* found_pos,
                             int* found);
/* Removes the first occurrence of `val`, if any.
 * Fails: 1 (rk_ptrtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListRemove(Rk_PtrList* list, void* val);
/* Sorts the pointers ascending as unsigned addresses.
 * Fails: 1 (rk_ptrtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListSort(Rk_PtrList* list);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_ptrtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListClear(Rk_PtrList* list);
/* Releases the storage; a list whose `allocated` is 0 is left alone.
 * Fails: 1 (rk_ptrtb) when `allocated` is not 0 and `table` carries another member's type code.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListFree(Rk_PtrList* list);
/* Adds every pointer of `list_to_add`, in order, under `list`'s duplicate rule; `list_to_add` is
 * unchanged, and a list added to itself is walked once.
 * Fails: 1 (rk_ptrtb) when `list_to_add` is not live, or `list` is not live and there is something
 *          to add;
 *        11 (rk_ptrtb) when `list` cannot grow.
 * Leaves: the pointers added before the failure in `list`. */
RK_API int Rk_PtrListAddPtrList(Rk_PtrList* list, const Rk_PtrList* list_to_add);
/* Adds every pointer of `list_to_move` to `list` as Rk_PtrListAddPtrList does, then empties
 * `list_to_move`, duplicates included; a list moved onto itself is left as it is.
 * Fails: 1 (rk_ptrtb) when `list_to_move` is not live, or `list` is not live and there is something
 *          to add;
 *        11 (rk_ptrtb) when `list` cannot grow.
 * Leaves: `list_to_move` unchanged, and the pointers added before the failure in `list`. */
RK_API int Rk_PtrListMovePtrList(Rk_PtrList* list, Rk_PtrList* list_to_move);
/* Appends to `newlist` each pointer of `list1`, in order, that `list2` also holds; `newlist` is not
 * emptied first and its duplicate rule applies; `list_size` is then its size.
 * Fails: 1 (rk_ptrtb) when a list it reads or fills is not live;
 *        11 (rk_ptrtb) when `newlist` cannot grow.
 * Leaves: the pointers appended before the failure in `newlist`; `list_size` unchanged. */
RK_API int Rk_PtrListGetSharedPtrs(const Rk_PtrList* list1, const Rk_PtrList* list2,
                                   Rk_PtrList* newlist, int* list_size);
/* Appends to `newlist` each pointer of `list1`, in order, that `list2` does not hold, as
 * Rk_PtrListGetSharedPtrs does.
 * Fails: 1 (rk_ptrtb) when a list it reads or fills is not live;
 *        11 (rk_ptrtb) when `newlist` cannot grow.
 * Leaves: the pointers appended before the failure in `newlist`; `list_size` unchanged. */
RK_API int Rk_PtrListGetUniquePtrs(const Rk_PtrList* list1, const Rk_PtrList* list2,
                                   Rk_PtrList* newlist, int* list_size);
/* Exchanges the pointers at `pos1` and `pos2`.
 * Fails: 1 (rk_ptrtb) when the list is not live or either position is out of range.
 * Leaves: the list unchanged. */
RK_API int Rk_PtrListSwap(Rk_PtrList* list, int pos1, int pos2);
/* The list's size and duplicate rule (pointers are not shown), or "List not allocated".
 * Fails: 1 (rk_ptrtb) when `allocated` is set but the list is not live (the getters' error);
 *        11 (rk_ptrls) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_PtrListDebugRpt(const Rk_PtrList* list, Rk_ReportStruct* report);
/* As Rk_PtrListDebugRpt, to the console.
 * Fails: 1 (rk_ptrtb) or 11 (rk_ptrls) as Rk_PtrListDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_PtrListDebug(const Rk_PtrList* list);

/* ---- Rk_StrList (rk_strls) ---- */
/* Makes `list` an empty list; `allow_dups` 0 makes Add ignore values already present.
 * Fails: 11 (rk_strtb) when memory runs out.
 * Leaves: `allocated` and `allowDups` as they were. */
RK_API int Rk_StrListInit(Rk_StrList* list, int allow_dups);
/* Appends a copy of `val`, unless duplicates are refused and it is already present.
 * Fails: 1 (rk_strtb) when the list is not live;
 *        11 (rk_strtb) when a full list cannot grow by 25 values;
 *        11 (rk_strtb) when the text cannot be copied.
 * Leaves: the list unchanged. */
RK_API int Rk_StrListAdd(Rk_StrList* list, const char* val);
/* Reads the text at `position`: the list's own, valid until that entry changes.
 * Fails: 1 (rk_strtb) when the list is not live, or `position` is outside 0 to size - 1.
 * Leaves: `val` untouched. */
RK_API int Rk_StrListGet(const Rk_StrList* list, int position, char** val);
/* Overwrites the text at `position` with a copy of `val`, which may be a text this list handed out
 * (no duplicate check).
 * Fails: 1 (rk_strtb) when the list is not live, or `position` is outside 0 to size - 1;
 *        11 (rk_strtb) when the text cannot be copied.
 * Leaves: the list unchanged. */
RK_API int Rk_StrListSet(Rk_StrList* list, int position, const char* val);
/* Number of values.
 * Fails: 1 (rk_strtb) when the list is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_StrListGetSize(const Rk_StrList* list, int* size);
/* `found` 1 when `val` is in the list.
 * Fails: 1 (rk_strtb) when the list is not live.
 * Leaves: `found` 0. */
RK_API int Rk_StrListFind(const Rk_StrList* list, const char* val, int* found);
/* The first position at or after `start_pos` holding `val`.
 * Fails: 1 (rk_strtb) when the list is not live, or it is not empty and `start_pos` is outside 0 to
 *          size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_StrListFindPos(const Rk_StrList* list, int start_pos, const char* val, int* found_pos,
                             int* found);
/* Removes the first occurrence of `val`, if any, and frees its text.
 * Fails: 1 (rk_strtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_StrListRemove(Rk_StrList* list, const char* val);
/* Sorts the texts ascending in byte order (case-sensitive).
 * Fails: 1 (rk_strtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_StrListSort(Rk_StrList* list);
/* Removes every text and frees it, keeping the storage.
 * Fails: 1 (rk_strtb) when the list is not live.
 * Leaves: the list unchanged. */
RK_API int Rk_StrListClear(Rk_StrList* list);
/* Releases the storage; a list whose `allocated` is 0 is left alone.
 * Fails: 1 (rk_strtb) when `allocated` is not 0 and `table` carries another member's type code.
 * Leaves: the list unchanged. */
RK_API int Rk_StrListFree(Rk_StrList* list);
/* The list's size, duplicate rule and texts in order, or "List not allocated".
 * Fails: 1 (rk_strtb) when `allocated` is set but the list is not live (the getters' error);
 *        11 (rk_strls) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_StrListDebugRpt(const Rk_StrList* list, Rk_ReportStruct* report);
/* As Rk_StrListDebugRpt, to the console.
 * Fails: 1 (rk_strtb) or 11 (rk_strls) as Rk_StrListDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_StrListDebug(const Rk_StrList* list);

/* ==== Queues (rk_intqu, rk_lngqu, rk_dblqu, rk_strqu) and stacks (rk_lngst, rk_strst) ==== */

/* Failures are raised by the container's table under the table member's module, never the
 * container's own (but for a dump's line that cannot be held): rk_dbltb for the double queue,
 * rk_inttb for the int queue, rk_lngtb for the long queue and stack, rk_strtb for the string queue
 * and stack. A container is "not live" when its `table` is not an allocated table of the member
 * (never initialised, or freed); only Free looks at `allocated`. Error 1: from every operation but
 * Init and Free on a container that is not live; from FindPos for a `start_pos` outside a queue
 * that is not empty. Error 11, memory exhausted: in Init; in Add and Push when a full container
 * grows by 25 values or a text cannot be copied; in the string Get and Pop as their lines say. A
 * failed operation leaves the container and its outputs as they were, except that Find and FindPos
 * write `found` 0 before any check; a failed Init leaves `allocated` as it was. Taking from or
 * peeking at an empty container is no failure: `found` 0, the value output untouched. FindPos
 * writes `found_pos` only when it finds, and on an empty queue answers not found whatever
 * `start_pos` is; unlike the lists' FindPos it takes the value before the start position. */

/* A queue (first in, first out): values in column 0 of a one-column table, the front in row 0. */
typedef struct Rk_QueueStruct {
    int allocated;         /* 1 after a successful Init, 0 after Free */
    Rk_TableStruct table;  /* the values, the front first */
} Rk_QueueStruct, Rk_DblQueue, Rk_IntQueue, Rk_LongQueue, Rk_StrQueue;

/* A stack (last in, first out): values in column 0 of a one-column table, its top the last row. */
typedef struct Rk_StackStruct {
    int allocated;         /* 1 after a successful Init, 0 after Free */
    Rk_TableStruct table;  /* the values, the bottom first */
} Rk_StackStruct, Rk_LongStack, Rk_StrStack;

/* ---- Rk_DblQueue (rk_dblqu) ---- */
/* Makes `queue` an empty queue.
 * Fails: 11 (rk_dbltb) when memory runs out.
 * Leaves: `allocated` as it was. */
RK_API int Rk_DblQueueInit(Rk_DblQueue* queue);
/* Appends `value` at the end.
 * Fails: 1 (rk_dbltb) when the queue is not live;
 *        11 (rk_dbltb) when a full queue cannot grow by 25 values.
 * Leaves: the queue unchanged. */
RK_API int Rk_DblQueueAdd(Rk_DblQueue* queue, double value);
/* Takes the front value out; `found` 0 (and `value` untouched) when the queue is empty.
 * Fails: 1 (rk_dbltb) when the queue is not live.
 * Leaves: the queue, `value` and `found` untouched. */
RK_API int Rk_DblQueueGet(Rk_DblQueue* queue, double* value, int* found);
/* The front value, left in place; `found` 0 when the queue is empty.
 * Fails: 1 (rk_dbltb) when the queue is not live.
 * Leaves: `value` and `found` untouched. */
RK_API int Rk_DblQueuePeek(const Rk_DblQueue* queue, double* value, int* found);
/* `found` 1 when the queue holds a value strictly closer than the zero tolerance to `val_to_find`.
 * Fails: 1 (rk_dbltb) when the queue is not live.
 * Leaves: `found` 0. */
RK_API int Rk_DblQueueFind(const Rk_DblQueue* queue, double val_to_find, int* found);
/* The first position from the front, at or after `start_pos`, holding a value strictly closer than
 * the zero tolerance to `val_to_find`.
 * Fails: 1 (rk_dbltb) when the queue is not live, or it is not empty and `start_pos` is outside 0
 *          to size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_DblQueueFindPos(const Rk_DblQueue* queue, double val_to_find, int start_pos,
                              int* found_pos, int* found);
/* Number of values.
 * Fails: 1 (rk_dbltb) when the queue is not live.
 * Leaves: `nrows` untouched. */
RK_API int Rk_DblQueueGetSize(const Rk_DblQueue* queue, int* nrows);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_dbltb) when the queue is not live.
 * Leaves: the queue unchanged. */
RK_API int Rk_DblQueueClear(Rk_DblQueue* queue);
/* Releases the storage; a queue whose `allocated` is not 1 is left alone.
 * Fails: 1 (rk_dbltb) when `allocated` is 1 but `table` carries another member's type code.
 * Leaves: the queue unchanged. */
RK_API int Rk_DblQueueFree(Rk_DblQueue* queue);
/* The queue's size and values from the front to the end.
 * Fails: 11 (rk_dblqu) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_DblQueueDebugRpt(const Rk_DblQueue* queue, Rk_ReportStruct* report);
/* As Rk_DblQueueDebugRpt, to the console.
 * Fails: 11 (rk_dblqu) as Rk_DblQueueDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_DblQueueDebug(const Rk_DblQueue* queue);

/* ---- Rk_IntQueue (rk_intqu) ---- */
/* Makes `queue` an empty queue.
 * Fails: 11 (rk_inttb) when memory runs out.
 * Leaves: `allocated` as it was. */
RK_API int Rk_IntQueueInit(Rk_IntQueue* queue);
/* Appends `value` at the end.
 * Fails: 1 (rk_inttb) when the queue is not live;
 *        11 (rk_inttb) when a full queue cannot grow by 25 values.
 * Leaves: the queue unchanged. */
RK_API int Rk_IntQueueAdd(Rk_IntQueue* queue, int value);
/* Takes the front value out; `found` 0 (and `value` untouched) when the queue is empty.
 * Fails: 1 (rk_inttb) when the queue is not live.
 * Leaves: the queue, `value` and `found` untouched. */
RK_API int Rk_IntQueueGet(Rk_IntQueue* queue, int* value, int* found);
/* The front value, left in place; `found` 0 when the queue is empty.
 * Fails: 1 (rk_inttb) when the queue is not live.
 * Leaves: `value` and `found` untouched. */
RK_API int Rk_IntQueuePeek(const Rk_IntQueue* queue, int* value, int* found);
/* `found` 1 when the value is in the queue.
 * Fails: 1 (rk_inttb) when the queue is not live.
 * Leaves: `found` 0. */
RK_API int Rk_IntQueueFind(const Rk_IntQueue* queue, int val_to_find, int* found);
/* The first position from the front, at or after `start_pos`, holding the value.
 * Fails: 1 (rk_inttb) when the queue is not live, or it is not empty and `start_pos` is outside 0
 *          to size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_IntQueueFindPos(const Rk_IntQueue* queue, int val_to_find, int start_pos,
                              int* found_pos, int* found);
/* Number of values.
 * Fails: 1 (rk_inttb) when the queue is not live.
 * Leaves: `nrows` untouched. */
RK_API int Rk_IntQueueGetSize(const Rk_IntQueue* queue, int* nrows);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_inttb) when the queue is not live.
 * Leaves: the queue unchanged. */
RK_API int Rk_IntQueueClear(Rk_IntQueue* queue);
/* Releases the storage; a queue whose `allocated` is not 1 is left alone.
 * Fails: 1 (rk_inttb) when `allocated` is 1 but `table` carries another member's type code.
 * Leaves: the queue unchanged. */
RK_API int Rk_IntQueueFree(Rk_IntQueue* queue);
/* The queue's size and values from the front to the end.
 * Fails: 11 (rk_intqu) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_IntQueueDebugRpt(const Rk_IntQueue* queue, Rk_ReportStruct* report);
/* As Rk_IntQueueDebugRpt, to the console.
 * Fails: 11 (rk_intqu) as Rk_IntQueueDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_IntQueueDebug(const Rk_IntQueue* queue);

/* ---- Rk_LongQueue (rk_lngqu) ---- */
/* Makes `queue` an empty queue.
 * Fails: 11 (rk_lngtb) when memory runs out.
 * Leaves: `allocated` as it was. */
RK_API int Rk_LongQueueInit(Rk_LongQueue* queue);
/* Appends `value` at the end.
 * Fails: 1 (rk_lngtb) when the queue is not live;
 *        11 (rk_lngtb) when a full queue cannot grow by 25 values.
 * Leaves: the queue unchanged. */
RK_API int Rk_LongQueueAdd(Rk_LongQueue* queue, long value);
/* Takes the front value out; `found` 0 (and `value` untouched) when the queue is empty.
 * Fails: 1 (rk_lngtb) when the queue is not live.
 * Leaves: the queue, `value` and `found` untouched. */
RK_API int Rk_LongQueueGet(Rk_LongQueue* queue, long* value, int* found);
/* The front value, left in place; `found` 0 when the queue is empty.
 * Fails: 1 (rk_lngtb) when the queue is not live.
 * Leaves: `value` and `found` untouched. */
RK_API int Rk_LongQueuePeek(const Rk_LongQueue* queue, long* value, int* found);
/* `found` 1 when the value is in the queue.
 * Fails: 1 (rk_lngtb) when the queue is not live.
 * Leaves: `found` 0. */
RK_API int Rk_LongQueueFind(const Rk_LongQueue* queue, long val_to_find, int* found);
/* The first position from the front, at or after `start_pos`, holding the value.
 * Fails: 1 (rk_lngtb) when the queue is not live, or it is not empty and `start_pos` is outside 0
 *          to size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_LongQueueFindPos(const Rk_LongQueue* queue, long val_to_find, int start_pos,
                               int* found_pos, int* found);
/* Number of values.
 * Fails: 1 (rk_lngtb) when the queue is not live.
 * Leaves: `nrows` untouched. */
RK_API int Rk_LongQueueGetSize(const Rk_LongQueue* queue, int* nrows);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_lngtb) when the queue is not live.
 * Leaves: the queue unchanged. */
RK_API int Rk_LongQueueClear(Rk_LongQueue* queue);
/* Releases the storage; a queue whose `allocated` is not 1 is left alone.
 * Fails: 1 (rk_lngtb) when `allocated` is 1 but `table` carries another member's type code.
 * Leaves: the queue unchanged. */
RK_API int Rk_LongQueueFree(Rk_LongQueue* queue);
/* The queue's size and values from the front to the end.
 * Fails: 11 (rk_lngqu) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_LongQueueDebugRpt(const Rk_LongQueue* queue, Rk_ReportStruct* report);
/* As Rk_LongQueueDebugRpt, to the console.
 * Fails: 11 (rk_lngqu) as Rk_LongQueueDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_LongQueueDebug(const Rk_LongQueue* queue);

/* ---- Rk_StrQueue (rk_strqu) ---- */
/* Makes `queue` an empty queue.
 * Fails: 11 (rk_strtb) when memory runs out.
 * Leaves: `allocated` as it was. */
RK_API int Rk_StrQueueInit(Rk_StrQueue* queue);
/* Appends a copy of `value` at the end.
 * Fails: 1 (rk_strtb) when the queue is not live;
 *        11 (rk_strtb) when a full queue cannot grow by 25 values;
 *        11 (rk_strtb) when the text cannot be copied.
 * Leaves: the queue unchanged. */
RK_API int Rk_StrQueueAdd(Rk_StrQueue* queue, const char* value);
/* Takes the front text out as a new copy (free it with Rkos_Free); `found` 0 when empty.
 * Fails: 1 (rk_strtb) when the queue is not live;
 *        11 (rk_strtb) when the copy cannot be made.
 * Leaves: the text at the front, and `value` and `found` untouched. */
RK_API int Rk_StrQueueGet(Rk_StrQueue* queue, char** value, int* found);
/* The front text, the queue's own (valid until taken off); `found` 0 when empty.
 * Fails: 1 (rk_strtb) when the queue is not live.
 * Leaves: `value` and `found` untouched. */
RK_API int Rk_StrQueuePeek(const Rk_StrQueue* queue, char** value, int* found);
/* `found` 1 when the value is in the queue.
 * Fails: 1 (rk_strtb) when the queue is not live.
 * Leaves: `found` 0. */
RK_API int Rk_StrQueueFind(const Rk_StrQueue* queue, const char* val_to_find, int* found);
/* The first position from the front, at or after `start_pos`, holding the value.
 * Fails: 1 (rk_strtb) when the queue is not live, or it is not empty and `start_pos` is outside 0
 *          to size - 1.
 * Leaves: `found` 0, `found_pos` untouched. */
RK_API int Rk_StrQueueFindPos(const Rk_StrQueue* queue, const char* val_to_find, int start_pos,
                              int* found_pos, int* found);
/* Number of values.
 * Fails: 1 (rk_strtb) when the queue is not live.
 * Leaves: `nrows` untouched. */
RK_API int Rk_StrQueueGetSize(const Rk_StrQueue* queue, int* nrows);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_strtb) when the queue is not live.
 * Leaves: the queue unchanged. */
RK_API int Rk_StrQueueClear(Rk_StrQueue* queue);
/* Releases the storage; a queue whose `allocated` is not 1 is left alone.
 * Fails: 1 (rk_strtb) when `allocated` is 1 but `table` carries another member's type code.
 * Leaves: the queue unchanged. */
RK_API int Rk_StrQueueFree(Rk_StrQueue* queue);
/* The queue's size and texts from the front to the end.
 * Fails: 11 (rk_strqu) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_StrQueueDebugRpt(const Rk_StrQueue* queue, Rk_ReportStruct* report);
/* As Rk_StrQueueDebugRpt, to the console.
 * Fails: 11 (rk_strqu) as Rk_StrQueueDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_StrQueueDebug(const Rk_StrQueue* queue);

/* ---- Rk_LongStack (rk_lngst) ---- */
/* Makes `stack` an empty stack.
 * Fails: 11 (rk_lngtb) when memory runs out.
 * Leaves: `allocated` as it was. */
RK_API int Rk_LongStackInit(Rk_LongStack* stack);
/* Puts `val` on top.
 * Fails: 1 (rk_lngtb) when the stack is not live;
 *        11 (rk_lngtb) when a full stack cannot grow by 25 values.
 * Leaves: the stack unchanged. */
RK_API int Rk_LongStackPush(Rk_LongStack* stack, long val);
/* Takes the top value off; `found` 0 when the stack is empty.
 * Fails: 1 (rk_lngtb) when the stack is not live.
 * Leaves: the stack, `val` and `found` untouched. */
RK_API int Rk_LongStackPop(Rk_LongStack* stack, long* val, int* found);
/* The top value, left in place; `found` 0 when the stack is empty.
 * Fails: 1 (rk_lngtb) when the stack is not live.
 * Leaves: `val` and `found` untouched. */
RK_API int Rk_LongStackPeek(const Rk_LongStack* stack, long* val, int* found);
/* Number of values.
 * Fails: 1 (rk_lngtb) when the stack is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_LongStackGetSize(const Rk_LongStack* stack, int* size);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_lngtb) when the stack is not live.
 * Leaves: the stack unchanged. */
RK_API int Rk_LongStackClear(Rk_LongStack* stack);
/* Releases the storage, whatever `allocated` says; a freed stack is left alone.
 * Fails: 1 (rk_lngtb) when `table` does not carry the long table's type code (as in a zeroed record
 *          never initialised).
 * Leaves: the record unchanged. */
RK_API int Rk_LongStackFree(Rk_LongStack* stack);
/* The stack's size and values from the top down, or "Stack not allocated".
 * Fails: 1 (rk_lngtb) when `allocated` is set but the stack is not live (the getters' error);
 *        11 (rk_lngst) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_LongStackDebugRpt(const Rk_LongStack* stack, Rk_ReportStruct* report);
/* As Rk_LongStackDebugRpt, to the console.
 * Fails: 1 (rk_lngtb) or 11 (rk_lngst) as Rk_LongStackDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_LongStackDebug(const Rk_LongStack* stack);

/* ---- Rk_StrStack (rk_strst) ---- */
/* Makes `stack` an empty stack.
 * Fails: 11 (rk_strtb) when memory runs out.
 * Leaves: `allocated` as it was. */
RK_API int Rk_StrStackInit(Rk_StrStack* stack);
/* Puts a copy of `str` on top.
 * Fails: 1 (rk_strtb) when the stack is not live;
 *        11 (rk_strtb) when a full stack cannot grow by 25 values;
 *        11 (rk_strtb) when the text cannot be copied.
 * Leaves: the stack unchanged. */
RK_API int Rk_StrStackPush(Rk_StrStack* stack, const char* str);
/* Takes the top text off as a new copy (free it with Rkos_Free); `found` 0 when empty.
 * Fails: 1 (rk_strtb) when the stack is not live;
 *        11 (rk_strtb) when the copy cannot be made.
 * Leaves: the text on top, and `str` and `found` untouched. */
RK_API int Rk_StrStackPop(Rk_StrStack* stack, char** str, int* found);
/* Removes the top text and frees it, without returning it; nothing happens on an empty stack.
 * Fails: 1 (rk_strtb) when the stack is not live.
 * Leaves: the stack unchanged. */
RK_API int Rk_StrStackPopIgnore(Rk_StrStack* stack);
/* The top text, the stack's own (valid until taken off); `found` 0 when empty.
 * Fails: 1 (rk_strtb) when the stack is not live.
 * Leaves: `str` and `found` untouched. */
RK_API int Rk_StrStackPeek(const Rk_StrStack* stack, char** str, int* found);
/* Number of values.
 * Fails: 1 (rk_strtb) when the stack is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_StrStackGetSize(const Rk_StrStack* stack, int* size);
/* Removes every value, keeping the storage.
 * Fails: 1 (rk_strtb) when the stack is not live.
 * Leaves: the stack unchanged. */
RK_API int Rk_StrStackClear(Rk_StrStack* stack);
/* Releases the storage and every text, whatever `allocated` says; a freed stack is left alone.
 * Fails: 1 (rk_strtb) when `table` does not carry the string table's type code (as in a zeroed
 *          record never initialised).
 * Leaves: the record unchanged. */
RK_API int Rk_StrStackFree(Rk_StrStack* stack);
/* The stack's size and texts from the top down, or "Stack not allocated".
 * Fails: 1 (rk_strtb) when `allocated` is set but the stack is not live (the getters' error);
 *        11 (rk_strst) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_StrStackDebugRpt(const Rk_StrStack* stack, Rk_ReportStruct* report);
/* As Rk_StrStackDebugRpt, to the console.
 * Fails: 1 (rk_strtb) or 11 (rk_strst) as Rk_StrStackDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_StrStackDebug(const Rk_StrStack* stack);

/* ==== Quoted string tokenizer (rk_str) ==== */

/* Splits `str` into `tokens`, in order, at the characters of `token_delims` that stand outside
 * quoted sections; runs of delimiters give no empty tokens. A character of `quote_delims` opens a
 * section, doubled quote characters pass inside it, and the next quote character not doubled (any
 * of `quote_delims`) closes it; an unclosed section runs to the end. A token that opens with a
 * quote character q is rebuilt without it: a doubled q gives one q and every other q is dropped
 * (a quoted empty section gives an empty token); any other token stays as it is, quotes included.
 * `tokens` is initialised here as a string list allowing duplicates, without freeing what it
 * held; a null `str` gives an empty list. `str` is not changed. The caller frees `tokens` with
 * Rk_StrListFree, whatever the status.
 * Fails: 11 (rk_strtb) when the list cannot be initialised or a token cannot be added;
 *        11 (rk_str) when the working copy of `str` or the text of a quoted token cannot be
 *          allocated.
 * Leaves: the tokens added before the failure in the list. */
RK_API int rk_strtok(const char* str, const char* token_delims, const char* quote_delims,
                     Rk_ListStruct* tokens);

/* ======================================================================================
 * Text and configuration
 * ====================================================================================== */

/* ==== String arrays (rk_strar) ==== */

/* Failures, all raised in rk_strar: 1 when the array is not allocated (every operation but Init
 * and Free), when a slot `pos` is outside 0 to array_size - 1, or when a slot count or piece size
 * is below 1; 11 when memory runs out. A failing operation leaves the array as it was. */

/* A numbered set of string slots. Each slot owns its text; an unset slot reads as "". The array
 * is allocated while `array` is not null and `array_size` is not 0. */
typedef struct Rk_StrArrayStruct {
    int array_size;     /* number of slots */
    char** array;       /* slot texts; null for an unset slot (and for the whole array when freed) */
    int* str_size;      /* characters each slot's storage holds (0 for an unset slot) */
} Rk_StrArrayStruct, Rk_StrArray;

/* `num_strings` (at least 1) unset slots; does not release what the record held before, so free a
 * live array first.
 * Fails: 1 (rk_strar) when `num_strings` is below 1;
 *        11 (rk_strar) when memory runs out.
 * Leaves: the record unchanged. */
RK_API int Rk_StrArrayInit(Rk_StrArrayStruct* str_array, int num_strings);
/* Stores a copy of `str` in slot `pos` (reusing the slot's storage when it is long enough).
 * Fails: 1 (rk_strar) when the array is not allocated or `pos` is outside 0 to array_size - 1;
 *        11 (rk_strar) when the slot cannot grow.
 * Leaves: the slot with its old text. */
RK_API int Rk_StrArraySetStr(Rk_StrArrayStruct* str_array, int pos, const char* str);
/* The text of slot `pos`, owned by the array and valid until the slot is set again, dropped or
 * freed; a shared read-only "" when unset.
 * Fails: 1 (rk_strar) when the array is not allocated or `pos` is outside 0 to array_size - 1.
 * Leaves: `str` untouched. */
RK_API int Rk_StrArrayGetStr(const Rk_StrArrayStruct* str_array, int pos, char** str);
/* The number of slots.
 * Fails: 1 (rk_strar) when the array is not allocated.
 * Leaves: `size` untouched. */
RK_API int Rk_StrArrayGetSize(const Rk_StrArrayStruct* str_array, int* size);
/* Grows (new slots unset, the others kept) or shrinks (dropped slots released) to `new_size`
 * slots, at least 1.
 * Fails: 1 (rk_strar) when the array is not allocated or `new_size` is below 1;
 *        11 (rk_strar) when the array cannot grow.
 * Leaves: the array unchanged. */
RK_API int Rk_StrArrayResetSize(Rk_StrArrayStruct* str_array, int new_size);
/* Cuts every string into pieces of at most `max_size` characters, all in `packed_array` (which
 * Pack initialises: it must hold no storage); `index_array` (index_array_size entries, one per
 * string; free it with Rkos_Free) gives the first piece of each string. An empty string makes one
 * empty piece, or none when `max_size` is 1.
 * Fails: 1 (rk_strar) when `max_size` is below 1, `packed_array` is `str_array`, `str_array` is not
 *          allocated or the strings make no piece at all;
 *        11 (rk_strar) when memory runs out.
 * Leaves: nothing it allocated: an index array it made is released, `*index_array` nulled and
 * `*index_array_size` set to 0, a packed array it initialised is freed. */
RK_API int Rk_StrArrayPack(const Rk_StrArrayStruct* str_array, int max_size,
                           Rk_StrArrayStruct* packed_array, int** index_array,
                           int* index_array_size);
/* Joins the pieces made by Rk_StrArrayPack back into `unpacked_array` (which Unpack initialises
 * with `index_array_size` slots: it must hold no storage).
 * Fails: 1 (rk_strar) when `unpacked_array` is `packed_array`, `packed_array` is not allocated,
 *          `index_array_size` is below 1, or the pieces of a string (from its index to the next
 *          string's, the last string's to the end) reach outside the packed array;
 *        11 (rk_strar) when memory runs out.
 * Leaves: nothing it built: an `unpacked_array` it initialised is freed. */
RK_API int Rk_StrArrayUnpack(const Rk_StrArrayStruct* packed_array, const int* index_array,
                             int index_array_size, Rk_StrArrayStruct* unpacked_array);
/* Releases every slot and the arrays (`array_size` is left as it was); a freed array may be freed
 * again. Always 0. */
RK_API int Rk_StrArrayFree(Rk_StrArrayStruct* str_array);
/* The array's size and its strings (at most 80 characters each), or "String array NOT
 * allocated".
 * Fails: 11 (rk_strar) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_StrArrayDebugRpt(const Rk_StrArrayStruct* str_array, Rk_ReportStruct* report);
/* As Rk_StrArrayDebugRpt, to the console.
 * Fails: 11 (rk_strar) as Rk_StrArrayDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_StrArrayDebug(const Rk_StrArrayStruct* str_array);

/* ==== Message texts from the message file (rk_mes, rk_error) ==== */

/* The message file holds, for each id, a block: an id line `#<id>` (decimal, 0x hexadecimal or 0
 * octal; words after the number are ignored), a summary line `*<text>` and a run of detailed lines
 * `&<text>`. The first id line carrying the id counts; the summary is the first summary line of its
 * block, the detailed text the run of consecutive detailed lines from the first one (any other line
 * ends it). An id line without a number matches no id but still ends a block. Lines are read in
 * pieces of at most 256 characters. Texts keep at most 128 characters; `%T<n>` is replaced by token
 * n (1 to 250), `%<w>T<n>` by the token cut or padded with blanks to w characters (w at most 128);
 * a '%' that begins no such reference stays as it is. Every lookup reads the file afresh and closes
 * it before returning. A missing file, id, summary or detailed text gives one of the texts
 * "(Message file could not be read)", "(Message ID not found)", "(Summary message not found)",
 * "(Detailed message not found)" instead, and is not a failure. */

/* The summary text of `msg` (tokens substituted, or a fallback) into `summary` (129 places). Always 0. */
RK_API int Rk_MessageGetSummaryText(const Rk_MessageStruct* msg, char* summary);
/* Initialises `detailed` with one string per detailed line of `msg` (or one fallback); the caller
 * frees it with Rk_StrArrayFree.
 * Fails: 11 (rk_strar, or rk_strtb for the queue the lines pass through) when memory runs out.
 * Leaves: nothing in `detailed` to free. */
RK_API int Rk_MessageGetDetailedText(const Rk_MessageStruct* msg, Rk_StrArrayStruct* detailed);
/* Replaces the token references in `line` (at most 128 characters) by the tokens of `msg`; the
 * result is cut at 128 characters. Always 0. */
RK_API int Rk_MessageSubstituteTokens(const Rk_MessageStruct* msg, char* line);
/* `found` 1 when the message file of `msg` has an id line for its id, else 0 (also when the file
 * cannot be read). Always 0. */
RK_API int Rk_MessageCheck(const Rk_MessageStruct* msg, int* found);
/* Sets token `token_pos` (1 to 250) of `prnt_msg` to the summary of message `tokmsg_id` of
 * `msgfile` (or its fallback), in which token references become empty.
 * Fails: 1 (rk_mes) when `token_pos` is outside 1 to 250.
 * Leaves: `prnt_msg` unchanged. */
RK_API int Rk_MessageSetTokenByMessage(Rk_MessageStruct* prnt_msg, int token_pos, long tokmsg_id,
                                       const char* msgfile);

/* The summary text of the error's message into `summary` (129 places). Always 0. */
RK_API int Rk_ErrorGetSummaryText(const Rk_ErrorStruct* error, char* summary);
/* The same as Rk_ErrorGetSummaryText. Always 0. */
RK_API int Rk_ErrorGetSummaryMsg(const Rk_ErrorStruct* error, char* summary);
/* The detailed text of the error's message, as Rk_MessageGetDetailedText.
 * Fails: 11 (rk_strar, or rk_strtb for the queue the lines pass through) when memory runs out.
 * Leaves: nothing in `detailed` to free. */
RK_API int Rk_ErrorGetDetailedText(const Rk_ErrorStruct* error, Rk_StrArrayStruct* detailed);

/* ==== Report writer (rk_rpt) ==== */

/* A report is a caller-owned record: initialise it with one of the four Init functions before
 * use, and close it with Rk_ReportClose when it may hold a file. It owns the file it opened, never
 * the line function, the string list or a line. Lines go out unchanged, never wrapped or split.
 * Output to the console and the file is not checked, and a function or string-list bit set without
 * a function or list to go with it is passed over. A write fails (returns 1) only at the function
 * or the string list, with 11 (rk_rpt) when the copy of an indented or prefixed line cannot be
 * allocated, or with the list's own error (rk_strtb; 11 when memory runs out); the console and the
 * file are then already written. The message writes take the texts as Rk_MessageGetSummaryText and
 * Rk_MessageGetDetailedText give them (fallback texts included) and fail as the writes they use;
 * a detailed text that cannot be built fails as Rk_MessageGetDetailedText, before anything is
 * written. Functions without a "Fails:" line that are not writes always return 0. */

/* Destination bits of a report. */
enum {
    RK_REPORT_CONSOLE = 1,   /* standard output */
    RK_REPORT_FILE = 2,      /* the report's open file */
    RK_REPORT_FUNCTION = 4,  /* the caller's line function */
    RK_REPORT_STRLIST = 8    /* the caller's string list (set by Rk_ReportStrListInit only) */
};

/* The caller's line function: called with each line (no newline), which is valid only during the
 * call and must not be written to. Its result is ignored. */
typedef char* (*Rk_ReportFunc)(char* line);

/* Where a report's lines go. Each write sends one line, after `indent` blanks, to every
 * destination in force, in the order console, file, function, string list. (The name
 * Rk_ReportStruct is declared under "Diagnostic dumps".) */
struct Rk_ReportStruct {
    int destination;                  /* bits RK_REPORT_*; 0 writes nowhere */
    FILE* file_ptr;                   /* the open report file, or null */
    char filename[RK_TEXT_MAX + 1];   /* its name; a single blank when no file is open */
    Rk_ReportFunc func_name;          /* the caller's line function */
    Rk_ListStruct* strlist;           /* the caller's Rk_StrList that receives lines */
    int indent;                       /* blanks before every line, at least 0 */
    int print_blank_lines;            /* 1: blank lines are written; 0: they are dropped */
};
typedef struct Rk_ReportStruct Rk_Report;

/* Resets the record: no destination, no file, indent 0, blank lines written. Closes nothing. */
RK_API int Rk_ReportInit(Rk_ReportStruct* report);
/* Resets the record and writes to the console. */
RK_API int Rk_ReportConsoleInit(Rk_ReportStruct* report);
/* Resets the record and writes to `filename`: `file_mode` 0 appends, 1 rewrites.
 * Fails: 1 (rk_rpt) when `file_mode` is neither 0 nor 1;
 *        37 (rk_rpt) when the file cannot be opened.
 * Leaves: the record reset, with no destination. */
RK_API int Rk_ReportFileInit(Rk_ReportStruct* report, const char* filename, int file_mode);
/* Resets the record and adds every line to `strlist` (an initialised Rk_StrList, which keeps only
 * the first of equal lines when it refuses duplicates). */
RK_API int Rk_ReportStrListInit(Rk_ReportStruct* report, Rk_ListStruct* strlist);
/* Sets the destination bits. With the file bit, a file of that very name already open is kept
 * (whatever `file_mode`); otherwise `filename` is opened (`file_mode` 0 appends, 1 rewrites) and
 * at most 128 characters of its name kept. Without it an open file is closed. `func_name` is
 * stored when the function bit is set.
 * Fails: 1 (rk_rpt) when a file must be opened and `file_mode` is neither 0 nor 1;
 *        37 (rk_rpt) when it cannot be opened.
 * Leaves: the destination bits and the function as they were, but an open file of another name,
 * closed on the way, closed. */
RK_API int Rk_ReportSetDestination(Rk_ReportStruct* report, int destin_mask, const char* filename,
                                   int file_mode, Rk_ReportFunc func_name);
/* Copies the destination bits. */
RK_API int Rk_ReportGetDestination(const Rk_ReportStruct* report, int* destin_mask);
/* The open report file's name (129 places) while the file bit is set, else a single blank. */
RK_API int Rk_ReportGetFilename(const Rk_ReportStruct* report, char* filename);
/* Sets the indent (at least 0) of later writes.
 * Fails: 1 (rk_rpt) when `indent` is negative.
 * Leaves: the indent unchanged. */
RK_API int Rk_ReportSetIndent(Rk_ReportStruct* report, int indent);
/* Copies the indent. */
RK_API int Rk_ReportGetIndent(const Rk_ReportStruct* report, int* indent);
/* Later blank lines (white space only, or empty) are dropped. */
RK_API int Rk_ReportIgnoreBlankLinesOn(Rk_ReportStruct* report);
/* Later blank lines are written. */
RK_API int Rk_ReportIgnoreBlankLinesOff(Rk_ReportStruct* report);
/* Writes `num_lines` lines of one blank each (dropped while blank lines are ignored); stops at the
 * first write that fails.
 * Fails: 11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the lines written before. */
RK_API int Rk_ReportSkipLines(Rk_ReportStruct* report, int num_lines);
/* Closes the report's file, if any, and resets the record, which may be initialised again. */
RK_API int Rk_ReportClose(Rk_ReportStruct* report);

/* Writes `line` as one line to every destination.
 * Fails: 11 (rk_rpt) when the indented copy for the function or the string list cannot be
 *          allocated;
 *        1 or 11 (rk_strtb) when the string list refuses the line (as Rk_StrListAdd).
 * Leaves: the console and the file written. */
RK_API int Rk_ReportWrite(Rk_ReportStruct* report, const char* line);
/* As Rk_ReportWrite, but the console and the file get no newline after it (the function and the
 * string list get the same as from Rk_ReportWrite).
 * Fails: 11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the console and the file written. */
RK_API int Rk_ReportWriteNoNewline(Rk_ReportStruct* report, const char* line);
/* As Rk_ReportWrite, with `prefix` between the indent and `line` (only `line` decides blankness).
 * Fails: 11 (rk_rpt) when the prefixed copy for the function or the string list cannot be
 *          allocated;
 *        1 or 11 (rk_strtb) when the string list refuses the line (as Rk_StrListAdd).
 * Leaves: the console and the file written. */
RK_API int Rk_ReportWriteWithPrefix(Rk_ReportStruct* report, const char* line, const char* prefix);
/* Writes `line`, then a line of as many `symbol` characters; an underline that cannot be allocated
 * is left out without failing.
 * Fails: 11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite, for either line.
 * Leaves: the lines written before. */
RK_API int Rk_ReportWriteAndUnderline(Rk_ReportStruct* report, const char* line, char symbol);
/* Writes `line` centred in a line of exactly `page_width` characters, blanks on both sides (cut
 * when longer): it starts at page_width / 2 - length / 2, or at 0 when that is below 1.
 * Fails: 1 (rk_rpt) when `page_width` is below 1;
 *        11 (rk_rpt) when the centred line cannot be allocated;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: nothing written for the first two; the console and the file written for the last. */
RK_API int Rk_ReportWriteCentered(Rk_ReportStruct* report, const char* line, int page_width);
/* Writes every line of a text file without its trailing blanks, tabs and newline (a line of more
 * than 1,024 characters arrives in pieces); an unreadable file writes nothing. The writes' status
 * is not looked at: always 0. */
RK_API int Rk_ReportWriteFromFile(Rk_ReportStruct* rpt, const char* filename);
/* Writes the summary text of `message`.
 * Fails: 11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the console and the file written. */
RK_API int Rk_ReportWriteShortMessage(Rk_ReportStruct* rpt, const Rk_MessageStruct* message);
/* Writes the summary text of `message` after `prefix`.
 * Fails: 11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWriteWithPrefix.
 * Leaves: the console and the file written. */
RK_API int Rk_ReportWriteShortMessagePfx(Rk_ReportStruct* rpt, const Rk_MessageStruct* message,
                                         const char* prefix);
/* Writes each line of the detailed text of `message`; stops at the first write that fails.
 * Fails: 11 (rk_strar or rk_strtb) as Rk_MessageGetDetailedText, before anything is written;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the lines written before. */
RK_API int Rk_ReportWriteLongMessage(Rk_ReportStruct* rpt, const Rk_MessageStruct* message);
/* Writes each line of the detailed text of `message` as Rk_ReportWriteCentered does; stops at the
 * first write that fails.
 * Fails: 11 (rk_strar or rk_strtb) as Rk_MessageGetDetailedText, before anything is written;
 *        1 or 11 (rk_rpt), or 1 or 11 (rk_strtb), as Rk_ReportWriteCentered.
 * Leaves: the lines written before. */
RK_API int Rk_ReportWriteLongMessageCent(Rk_ReportStruct* rpt, const Rk_MessageStruct* message,
                                         int page_width);
/* Writes each line of the detailed text of `message` after `prefix`; stops at the first write that
 * fails.
 * Fails: 11 (rk_strar or rk_strtb) as Rk_MessageGetDetailedText, before anything is written;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWriteWithPrefix.
 * Leaves: the lines written before. */
RK_API int Rk_ReportWriteLongMessagePfx(Rk_ReportStruct* rpt, const Rk_MessageStruct* message,
                                        const char* prefix);
/* Writes the summary text of message `message_id` of `message_file` (no tokens).
 * Fails: 11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the console and the file written. */
RK_API int Rk_ReportWriteShortMsgById(Rk_ReportStruct* report, long message_id, const char* message_file);
/* Writes the detailed text of message `message_id` of `message_file` (no tokens).
 * Fails: 11 (rk_strar or rk_strtb) as Rk_MessageGetDetailedText, before anything is written;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the lines written before. */
RK_API int Rk_ReportWriteLongMsgById(Rk_ReportStruct* report, long message_id, const char* message_file);
/* The destinations and the indent of `report`, into `to_report` (which may be `report` itself); the
 * status of that one write is returned.
 * Fails: 11 (rk_rpt) when the line cannot be held, before anything is written;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) as Rk_ReportWrite.
 * Leaves: the title written when the write failed. */
RK_API int Rk_ReportDebugRpt(const Rk_ReportStruct* report, Rk_ReportStruct* to_report);
/* As Rk_ReportDebugRpt, to the console.
 * Fails: 11 (rk_rpt) as Rk_ReportDebugRpt.
 * Leaves: the empty line printed. */
RK_API int Rk_ReportDebug(const Rk_ReportStruct* report);

/* ==== Input reader (rk_input) ==== */

/* Every read below goes through Rk_InputRead and fails as it does: 1 (rk_input) when the reader
 * has no source (none set, an unknown code, a file source without an open file, a function
 * source with a null function); 37 (rk_input) when the file or standard input reports a read
 * error. The end of the input is never a failure: `eof` says it. Lines read before a failure stay
 * consumed. Rk_InputInit, Rk_InputGetSource, Rk_InputGetFilename, the four Ignore switches and
 * Rk_InputClose never fail. */

/* Source codes of a reader (exact codes, not combinable bits). */
enum {
    RK_INPUT_NONE = 0,      /* no source: reads fail */
    RK_INPUT_CONSOLE = 1,   /* standard input */
    RK_INPUT_FILE = 2,      /* the reader's open file */
    RK_INPUT_FUNCTION = 4   /* the caller's line function */
};

/* Characters of a line as one read delivers it (newline included); line buffers hold one more. */
#define RK_INPUT_LINE_MAX 256
/* Characters of a comment delimiter. */
#define RK_INPUT_DELIM_MAX 12

/* The caller's line function: writes the next line (at most 256 characters and a terminator)
 * into `text_line` and returns a non-null pointer, or returns null at the end of its input. */
typedef char* (*Rk_InputFunc)(char* text_line);

/* A line reader over the console, a file or the caller's function. Lines longer than 256
 * characters arrive in pieces, one piece a read. The switches and the delimiter survive
 * Rk_InputSetSource; Init, FileInit and Close reset them. */
typedef struct Rk_InputStruct {
    int source;                                 /* RK_INPUT_* */
    FILE* file_ptr;                             /* the open file when `source` is RK_INPUT_FILE */
    char filename[RK_TEXT_MAX + 1];             /* its path (at most 128 characters), else "" */
    Rk_InputFunc func_name;                     /* the line function when `source` is RK_INPUT_FUNCTION */
    int ignore_blank_lines;                     /* 1: empty and white-space lines are skipped */
    int ignore_comments;                        /* 1: each line is cut at `comment_delim` */
    char comment_delim[RK_INPUT_DELIM_MAX + 1]; /* the comment delimiter */
} Rk_InputStruct, Rk_Input;

/* No source, no file, no function, both switches off, empty delimiter. Closes nothing. */
RK_API int Rk_InputInit(Rk_InputStruct* input);
/* Init, then reads from `filename`.
 * Fails: 37 (rk_input) when the file cannot be opened or read (a directory, say).
 * Leaves: the reader initialised, with no source. */
RK_API int Rk_InputFileInit(Rk_InputStruct* input, const char* filename);
/* Closes a file being read, then reads from the console (1), `filename` (2) or `func_name` (4).
 * Fails: 37 (rk_input) when the file cannot be opened or read;
 *        1 (rk_input) for any other code.
 * Leaves: after 37, no source; after 1, the source kept, unless it was a file, which is closed all
 * the same and leaves no source. */
RK_API int Rk_InputSetSource(Rk_InputStruct* input, int source_mask, const char* filename,
                             Rk_InputFunc func_name);
/* Copies the source code. */
RK_API int Rk_InputGetSource(const Rk_InputStruct* input, int* source);
/* The open file's path into `file_name` (129 places), or "" when no file is being read. */
RK_API int Rk_InputGetFilename(const Rk_InputStruct* input, char* file_name);
/* Later reads skip lines that are empty or white space only. */
RK_API int Rk_InputIgnoreBlankLinesOn(Rk_InputStruct* input);
/* Later reads deliver every line. */
RK_API int Rk_InputIgnoreBlankLinesOff(Rk_InputStruct* input);
/* Later reads cut each line at the first `delim` (at most 12 characters kept; "" cuts every
 * line whole); a comment at the start of a line leaves it empty, elsewhere the newline stays. */
RK_API int Rk_InputIgnoreCommentsOn(Rk_InputStruct* input, const char* delim);
/* Later reads keep comments; the delimiter stays stored. */
RK_API int Rk_InputIgnoreCommentsOff(Rk_InputStruct* input);
/* The next accepted line, newline included, into `text_line` (257 places); `eof` 1 at the end of
 * the input. At the end of the input the buffer's content is undefined.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error.
 * Leaves: the lines read before consumed; the buffer's content undefined. */
RK_API int Rk_InputRead(Rk_InputStruct* input, char* text_line, int* eof);
/* As Rk_InputRead, without the line's trailing newline.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error.
 * Leaves: the lines read before consumed; the buffer's content undefined. */
RK_API int Rk_InputReadAndStrip(Rk_InputStruct* input, char* text_line, int* eof);
/* The next statement: non-blank lines, stripped, joined with one blank up to one that ends in a
 * semicolon (dropped). `text` is new (free it with Rkos_Free), or null when only blank lines were
 * left; `eof` 1 when the input ended, which may come with the last, unterminated statement.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error;
 *        11 (rk_input) when the joined text cannot be allocated;
 *        11 (rk_strtb) when the lines read cannot be held.
 * Leaves: `text` null; the lines read consumed. */
RK_API int Rk_InputReadSpanningLines(Rk_InputStruct* input, char** text, int* eof);
/* Reads up to and including the first line that contains `token`; `eof` 1 when none does.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error.
 * Leaves: the lines read before consumed. */
RK_API int Rk_InputReadToToken(Rk_InputStruct* input, const char* token, int* eof);
/* As Rk_InputReadToToken, and copies that line into `text_line` (257 places); at the end of the
 * input `text_line` is untouched.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error.
 * Leaves: `text_line` untouched; the lines read before consumed. */
RK_API int Rk_InputReadToTokenReturn(Rk_InputStruct* input, const char* token, char* text_line,
                                     int* eof);
/* Reads up to the first line that contains any token of column 0 of `tokens` (at least one row)
 * and copies it into `text_line` (257 places); `tokens_found` (an initialised one-column int
 * table) then holds one row per token: 1 when the line contains it, else 0. `text_line` is written
 * only on a match; at the end of the input `tokens_found` holds the zeros of the last line read,
 * if any.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error;
 *        1 (rk_input) when `tokens` has no row (nothing is read then);
 *        1 (rk_input) when `tokens_found` has not exactly one column (found once a line is read,
 *          and the table emptied);
 *        1 (rk_strtb) when `tokens` is not a live string table;
 *        1 (rk_inttb) when `tokens_found` is not a live int table;
 *        11 (rk_inttb) when `tokens_found` cannot grow.
 * Leaves: `text_line` untouched; the lines read before consumed. */
RK_API int Rk_InputReadToTokensReturn(Rk_InputStruct* input, const Rk_StrTable* tokens,
                                      Rk_IntTable* tokens_found, char* text_line, int* eof);
/* Reads and drops `num_lines` accepted lines (none for 0 or less); `eof` 1 when the input ends
 * first.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error.
 * Leaves: the lines read before consumed. */
RK_API int Rk_InputSkipLines(Rk_InputStruct* input, int num_lines, int* eof);
/* Writes every remaining line, newline included, with Rk_ReportWrite.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) when a write fails (as Rk_ReportWrite).
 * Leaves: the lines before the failure written and consumed. */
RK_API int Rk_InputWriteToReport(Rk_InputStruct* input, Rk_ReportStruct* rpt);
/* Writes every remaining line, newline included, with Rk_ReportWriteNoNewline.
 * Fails: 1 (rk_input) when the reader has no source;
 *        37 (rk_input) when the file or standard input reports a read error;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) when a write fails (as Rk_ReportWrite).
 * Leaves: the lines before the failure written and consumed. */
RK_API int Rk_InputWriteToReportNoNewline(Rk_InputStruct* input, Rk_ReportStruct* rpt);
/* Closes a file being read and re-initialises the reader. */
RK_API int Rk_InputClose(Rk_InputStruct* input);
/* The reader's source (and file name); the status of that one line's write is returned.
 * Fails: 11 (rk_input) when the file's line cannot be held;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) when the line cannot be written (as Rk_ReportWrite).
 * Leaves: the title written. */
RK_API int Rk_InputDebugRpt(const Rk_InputStruct* input, Rk_ReportStruct* report);
/* As Rk_InputDebugRpt, to the console.
 * Fails: 11 (rk_input) as Rk_InputDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_InputDebug(const Rk_InputStruct* input);

/* ==== User configuration (rk_ucfig) ==== */

/* Every operation that reads or changes the settings fails with 1 (rk_strtb) on a configuration
 * that is not live (never initialised, or freed; Rk_UserConfigReadFromFile finds out at the first
 * setting it reads), and with 11 (rk_strtb) when the table cannot hold a new row or text; the
 * setting concerned is then unchanged. The string lists a caller passes fail the same way:
 * 1 (rk_strtb) for a list that is not live, 11 (rk_strtb) when it cannot grow. A settings file
 * whose stream reports a read error fails with 1 (rk_ucfig). Errors of another module are named
 * where they occur. */

/* Settings read from and written back to one section of a settings file. A settings file holds
 * comment lines (";", "!", "#", "//"), section headers "[name]" and settings "variable = value";
 * lines are read in pieces of at most 255 characters. Names are case-insensitive and keep the
 * spelling they were first given. Names and values handed out are cut to 256 characters, so the
 * caller's buffers hold 257 bytes. */
typedef struct Rk_UserConfigStruct {
    Rk_StrTable set_table;  /* one row per setting, in the order first added: the upper-cased name
                             * (the key), the name as first given, the value, and the written mark
                             * (always "Rk_FALSE": a write keeps its own account of what it wrote
                             * and leaves the configuration as it was) */
} Rk_UserConfigStruct, Rk_UserConfig;

/* Line kinds of a settings file. */
enum {
    RK_UCFIG_LINE_OTHER = 0,    /* starts with "=", or a header with a blank name */
    RK_UCFIG_LINE_BLANK = 1,
    RK_UCFIG_LINE_COMMENT = 2,
    RK_UCFIG_LINE_SECTION = 3,
    RK_UCFIG_LINE_SETTING = 4
};

/* An empty configuration (free a live one first).
 * Fails: 11 (rk_strtb) when memory runs out.
 * Leaves: the record not live. */
RK_API int Rk_UserConfigInit(Rk_UserConfigStruct* settings);
/* Adds or updates the settings of `section` of `file` (blank: the part before the first header):
 * a setting already present takes the file's value and keeps its spelling and place; of a name
 * repeated in the section the last value counts. `section_found` 1 when the header of a named
 * section was found (a blank section leaves it 0). A file that cannot be opened, or is a
 * directory, gives `file_found` 0 and is not a failure.
 * Fails: 1 (rk_strtb) when the configuration is not live, found at the first setting read;
 *        11 (rk_strtb) when the table cannot hold a new row or text;
 *        1 (rk_ucfig) on a read error.
 * Leaves: the settings taken in before the failure. */
RK_API int Rk_UserConfigReadFromFile(Rk_UserConfigStruct* settings, const char* file,
                                     const char* section, int* file_found, int* section_found);
/* Writes the settings into `section` of `file` (blank: the part before the first header), keeping
 * every other line. In that section a setting line takes the configuration's name and value, or
 * is dropped when the configuration lacks it or has already written it (a repeated name, or a
 * repeated header of the section); the settings not yet written go at the section's end, just
 * before the next header or at the end of the file. A named section that is missing is appended
 * as "[ name ]", an empty line and its settings; a blank section never gets a header. A line the
 * writer adds always starts a line of its own, even after a last line without a newline.
 * The file is replaced only once its new content is complete, keeping its permissions (and its
 * owner, where the process may give it); a symbolic link is followed and stays a link, and a new
 * file appears only then. The configuration is not changed.
 * Fails: 1 (rk_ucfig) when `file` is blank or too long a path;
 *        1 (rk_ucfig) when the file exists but cannot be read, is not a regular file or holds a NUL
 *          byte;
 *        1 (rk_ucfig) when the new file cannot be made beside it (its directory must admit new
 *          files) or given the original's permissions;
 *        1 (rk_ucfig) when a line cannot be written;
 *        1 (rk_ucfig) when the new content cannot be flushed to disk or moved over the original;
 *        1 (rk_strtb) when the configuration is not live;
 *        11 (rk_ucfig) or 11 (rk_strtb) when memory runs out.
 * Leaves: the file as it was (a new one is not created) and no partial file behind. */
RK_API int Rk_UserConfigWriteToFile(const Rk_UserConfigStruct* settings, const char* file,
                                    const char* section);
/* The value of `var` into `val` (257 bytes); a missing or blank value gives `found` 0, `val`
 * untouched.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: `found` 0, `val` untouched. */
RK_API int Rk_UserConfigGetValue(const Rk_UserConfigStruct* settings, const char* var, char* val,
                                 int* found);
/* As Rk_UserConfigGetValue, into a new copy that the caller frees with Rkos_Free.
 * Fails: 1 (rk_strtb) when the configuration is not live;
 *        11 (rk_ucfig) when the copy cannot be allocated.
 * Leaves: `found` 0, `val` untouched. */
RK_API int Rk_UserConfigGetValueAlloc(const Rk_UserConfigStruct* settings, const char* var,
                                      char** val, int* found);
/* The value of `var`, or `def` (cut to 256 characters) when there is none, into `val`
 * (257 bytes).
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: `val` untouched. */
RK_API int Rk_UserConfigGetValueDef(const Rk_UserConfigStruct* settings, const char* var,
                                    const char* def, char* val);
/* The value read as a boolean word: upper-cased and compared whole, without stripping, with
 * ON YES Y TRUE T 1 (`value_boolean` 1) and OFF NO N FALSE F 0 (`value_boolean` 0). `var_found`
 * 0 when the variable is missing or its value blank; `value_found` 0 when the value is none of
 * these words; `value_boolean` 0 unless a word of the first kind was found.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: the three flags 0. */
RK_API int Rk_UserConfigGetBoolValue(const Rk_UserConfigStruct* settings, const char* var,
                                     int* var_found, int* value_found, int* value_boolean);
/* The boolean value of `var`, or `def` unless both the variable and a boolean word were found.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: `val_boolean` untouched. */
RK_API int Rk_UserConfigGetBoolValueDef(const Rk_UserConfigStruct* settings, const char* var,
                                        int def, int* val_boolean);
/* Adds the setting (spelt as `var`), or replaces only the value of the setting of that name.
 * Fails: 1 (rk_strtb) when the configuration is not live;
 *        11 (rk_strtb) when the table cannot hold the new row or text.
 * Leaves: the setting unchanged. */
RK_API int Rk_UserConfigSetValue(Rk_UserConfigStruct* settings, const char* var, const char* val);
/* Removes the setting if present.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: the settings unchanged. */
RK_API int Rk_UserConfigRemoveValue(Rk_UserConfigStruct* settings, const char* var);
/* The name of the first setting into `var` (257 bytes); `found` 0 when there is none.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: `found` 0, `var` untouched. */
RK_API int Rk_UserConfigGetFirstVar(const Rk_UserConfigStruct* settings, char* var, int* found);
/* The name of the setting after `var` into `next_var` (257 bytes); `found` 0 when `var` is absent
 * or last.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: `found` 0, `next_var` untouched. */
RK_API int Rk_UserConfigGetNextVar(const Rk_UserConfigStruct* settings, const char* var,
                                   char* next_var, int* found);
/* As Rk_UserConfigGetFirstVar, into a new copy that the caller frees with Rkos_Free.
 * Fails: 1 (rk_strtb) when the configuration is not live;
 *        11 (rk_ucfig) when the copy cannot be allocated.
 * Leaves: `found` 0, `var` untouched. */
RK_API int Rk_UserConfigGetFirstVarAlloc(const Rk_UserConfigStruct* settings, char** var, int* found);
/* As Rk_UserConfigGetNextVar, into a new copy that the caller frees with Rkos_Free.
 * Fails: 1 (rk_strtb) when the configuration is not live;
 *        11 (rk_ucfig) when the copy cannot be allocated.
 * Leaves: `found` 0, `next_var` untouched. */
RK_API int Rk_UserConfigGetNextVarAlloc(const Rk_UserConfigStruct* settings, const char* var,
                                        char** next_var, int* found);
/* Appends every name to `vars` and every value to `vals` (initialised string lists that admit
 * duplicates); `size` is the number of settings, written first.
 * Fails: 1 (rk_strtb) when the configuration or a list is not live;
 *        11 (rk_strtb) when a list cannot grow.
 * Leaves: in the lists what was appended before the failure. */
RK_API int Rk_UserConfigGetSettingsList(const Rk_UserConfigStruct* settings, Rk_StrList* vars,
                                        Rk_StrList* vals, int* size);
/* Appends the name of every section header of `file` to `sections` (an initialised string list);
 * a file that cannot be opened, or a directory, adds nothing. `settings` is not used.
 * Fails: 1 (rk_ucfig) on a read error;
 *        1 (rk_strtb) when `sections` is not live;
 *        11 (rk_strtb) when `sections` cannot grow.
 * Leaves: the names appended before. */
RK_API int Rk_UserConfigGetSectionList(const Rk_UserConfigStruct* settings, const char* file,
                                       Rk_StrList* sections);
/* The number of settings.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: `size` untouched. */
RK_API int Rk_UserConfigGetSize(const Rk_UserConfigStruct* settings, int* size);
/* Removes every setting.
 * Fails: 1 (rk_strtb) when the configuration is not live.
 * Leaves: the settings unchanged. */
RK_API int Rk_UserConfigClear(Rk_UserConfigStruct* settings);
/* Releases all storage; a freed configuration is left alone.
 * Fails: 1 (rk_strtb) when the record holds no string table (never initialised).
 * Leaves: the record unchanged. */
RK_API int Rk_UserConfigFree(Rk_UserConfigStruct* settings);

/* Reads one line (at most 255 characters, newline included) into `line` (257 bytes) with its kind
 * RK_UCFIG_LINE_*; `found` 0 at the end of the file.
 * Fails: 1 (rk_ucfig) on a read error.
 * Leaves: `found` and `type` 0, `line` untouched. */
RK_API int Rk_UserConfigLineGetFromFile(FILE* fp, char* line, int* type, int* found);
/* The kind RK_UCFIG_LINE_* of a line. */
RK_API int Rk_UserConfigLineGetType(const char* line, int* type);
/* The stripped name after the first "[" up to the next "]" (or the end) into `section` (257 bytes).
 * Fails: 1 (rk_ucfig) for an empty line, one starting with "]" or one without "[".
 * Leaves: `section` untouched. */
RK_API int Rk_UserConfigLineGetSection(const char* line, char* section);
/* The stripped texts before and after the first "=" into `variable` and `value` (257 bytes each);
 * a line without "=" is all variable, with an empty value.
 * Fails: 1 (rk_ucfig) when the first character after leading white space is "=".
 * Leaves: both outputs untouched. */
RK_API int Rk_UserConfigLineGetSetting(const char* line, char* variable, char* value);
/* Writes `line` as it stands.
 * Fails: 1 (rk_ucfig) when the write fails.
 * Leaves: the stream as the failed write left it. */
RK_API int Rk_UserConfigLineWriteToFile(FILE* fp, const char* line);
/* The settings in columns (names and values shown to 35 characters) with their written marks.
 * Fails: 1 (rk_strtb) when the configuration is not live;
 *        11 (rk_ucfig) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_UserConfigDebugRpt(const Rk_UserConfigStruct* settings, Rk_ReportStruct* report);
/* As Rk_UserConfigDebugRpt, to the console.
 * Fails: 1 (rk_strtb) or 11 (rk_ucfig) as Rk_UserConfigDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_UserConfigDebug(const Rk_UserConfigStruct* settings);

/* ==== Directory paths (rk_dir) ==== */

/* The failures of the family: 5 (rk_dir) when the current directory is needed and the working
 * directory cannot be read (after Rk_DirectoryFixCurrentDir too, since it is still read);
 * 1 (rk_dir) when a result would pass 256 characters, which is never cut. A failing operation
 * leaves its output as it was, except where said otherwise. Rk_DirectoryGet, Rk_DirectoryGetRoot
 * and Rk_DirectoryFixCurrentDir never fail. */

/* One absolute directory in drive-and-backslash notation ("C:\a\b\", or "\a\b\" on the current
 * drive), ending in a backslash once set. Only the backslash separates; a '/' is an ordinary
 * character. On Linux the working directory reads with every '/' turned into '\' ("/tmp/w" gives
 * "\tmp\w\"). Components compare without regard to case. */
typedef struct Rk_DirectoryStruct {
    char dir_path[RK_PATH_MAX + 1];
} Rk_DirectoryStruct, Rk_Directory;

/* Resolves `spec_path`: blank, "." or ".\" (the current directory), ".\rest", leading ".." steps
 * (climbing stops at the root), "\abs", "X:\abs", or relative to the current directory; a drive
 * without a backslash after its colon is dropped. Inner "." and ".." components, repeated
 * backslashes and the case of letters stay as written. `spec_path` may be `dir`'s own path.
 * Fails: 5 (rk_dir) when a form that needs the current directory meets an unreadable working
 *          directory;
 *        1 (rk_dir) when the result would pass 256 characters.
 * Leaves: `dir` unchanged. */
RK_API int Rk_DirectorySet(Rk_DirectoryStruct* dir, const char* spec_path);
/* The current directory: the working directory, or the development directory once
 * Rk_DirectoryFixCurrentDir has been called.
 * Fails: 5 (rk_dir) when the working directory cannot be read (one of 260 characters or more
 *          cannot);
 *        1 (rk_dir) when, with its final backslash, it would pass 256 characters.
 * Leaves: `dir` unchanged. */
RK_API int Rk_DirectorySetToCurrent(Rk_DirectoryStruct* dir);
/* Copies the path into `dir_path` (257 places). */
RK_API int Rk_DirectoryGet(const Rk_DirectoryStruct* dir, char* dir_path);
/* The directory one level up, into `parent` (which may be `dir`); `found` 0, and `parent`
 * untouched, at a root or when no backslash stands before the last one.
 * Fails: 5 (rk_dir) when the path is empty or does not end with a backslash.
 * Leaves: `found` 0, `parent` untouched. */
RK_API int Rk_DirectoryGetParent(const Rk_DirectoryStruct* dir, Rk_DirectoryStruct* parent, int* found);
/* "X:\" for a path on drive X (the letter as written), else "\". */
RK_API int Rk_DirectoryGetRoot(const Rk_DirectoryStruct* dir, Rk_DirectoryStruct* root);
/* Appends the components of the path (drive dropped, empty components skipped) to `list`, an
 * initialised string list that should admit duplicates; `size` is the list's size afterwards.
 * Fails: 1 (rk_strtb) when `list` is not live;
 *        11 (rk_strtb) when it cannot grow.
 * Leaves: the components appended before in `list`; `size` untouched. */
RK_API int Rk_DirectoryParse(const Rk_DirectoryStruct* dir, Rk_StrList* list, int* size);
/* The path from `from` to `to` into `relative` (257 places): "" for the same directory, the
 * components below `from`, or ".." steps then components; the whole `to` path when the drives
 * differ. `relative` may be either path's own text.
 * Fails: 1 (rk_dir) when the result would pass 256 characters;
 *        11 (rk_strtb) when the scratch lists of components cannot be made or grow.
 * Leaves: `relative` "". */
RK_API int Rk_DirectoryGetRelativePath(const Rk_DirectoryStruct* from, const Rk_DirectoryStruct* to,
                                       char* relative);
/* From now on, in every thread, the current directory is the fixed development directory
 * "C:\rkbasekit\dev\", whatever the process's working directory, so output naming directories compares between
 * machines; nothing turns this off. The working directory is still read: an unreadable one
 * still fails with 5 (rk_dir). */
RK_API int Rk_DirectoryFixCurrentDir(void);
/* The directory's path. */
RK_API int Rk_DirectoryDebugRpt(const Rk_DirectoryStruct* dir, Rk_ReportStruct* report);
/* As Rk_DirectoryDebugRpt, to the console. */
RK_API int Rk_DirectoryDebug(const Rk_DirectoryStruct* dir);

/* ======================================================================================
 * Geometry: tolerances (rk_geom) and points (rk_point)
 * ====================================================================================== */

/* Tolerances and points: none of these functions fail. The three tolerances are process-wide and in
 * force from the moment the library is loaded (Rk_UtilsInit and Rk_UtilsFree leave them alone); set
 * them before other threads use the library (see "Threads" at the top). A
 * setter stores the absolute value of its argument and checks nothing else (0 and huge values are
 * accepted); a change applies to every later comparison anywhere in the library, the double tables
 * and the degree-of-freedom mapping included. Every geometric operation reads them at each call.
 * angle_eps is in degrees: two directions are parallel when their angle is strictly below it or
 * strictly above 180 minus it (either sense), perpendicular when the angle lies within it of 90,
 * bounds included. point_eps is a distance: two points are equal when they are strictly closer than
 * it, and a point lies on a line or a plane when it is equal in this sense to its foot on it.
 * zero_eps is a magnitude: a vector is zero when each component is strictly below it in absolute
 * value, a vector shorter than it has no direction, and an iteration stops at a step no longer than
 * it.
 * In all the geometry sections an output may be the same record as an input: inputs are read before
 * an output is written. A "Fails:" line names the module that raises each error, often not the
 * function's own (a line operation meeting a zero direction fails with 6 (rk_vec)); a callee's
 * error is passed on as it is. A failing function leaves its outputs unchanged unless its line says
 * otherwise. The errors listed are those that tolerances in their usual order (zero_eps far below
 * point_eps) can produce: under a point tolerance of 0, or one below the zero tolerance, a
 * degenerate input that a point test would stop first can reach a 6 (rk_vec) or 7 (rk_arc) that a
 * line does not list. */

/* The three tolerances of every geometric comparison. */
typedef struct Rk_GeometryStruct {
    double angle_eps;   /* degrees: parallel below it, perpendicular within it of 90 */
    double point_eps;   /* two points closer than this are one point */
    double zero_eps;    /* a component or length below this is zero */
} Rk_GeometryStruct, Rk_Geometry;

/* A point in model coordinates. */
typedef struct Rk_PointStruct {
    double pt_x;
    double pt_y;
    double pt_z;
} Rk_PointStruct, Rk_Point;

/* Copies the three tolerances in force. */
RK_API int Rk_GeometryGet(double* angle_eps, double* point_eps, double* zero_eps);
/* Copies the angle tolerance (degrees). */
RK_API int Rk_GeometryGetAngleEpsilon(double* angle_eps);
/* Copies the point tolerance. */
RK_API int Rk_GeometryGetPointEpsilon(double* point_eps);
/* Copies the zero tolerance. */
RK_API int Rk_GeometryGetZeroEpsilon(double* zero_eps);
/* Writes the defaults: 1.0 degree, 0.01, 1e-9. */
RK_API int Rk_GeometryGetDefaults(double* angle_eps, double* point_eps, double* zero_eps);
/* Sets the three tolerances (their absolute values). */
RK_API int Rk_GeometrySet(double angle_eps, double point_eps, double zero_eps);
/* Sets the angle tolerance (its absolute value). */
RK_API int Rk_GeometrySetAngleEpsilon(double angle_eps);
/* Sets the point tolerance (its absolute value). */
RK_API int Rk_GeometrySetPointEpsilon(double point_eps);
/* Sets the zero tolerance (its absolute value). */
RK_API int Rk_GeometrySetZeroEpsilon(double zero_eps);
/* Restores the defaults. */
RK_API int Rk_GeometrySetToDefaults(void);
/* Prints the three tolerances in force on standard output, on a new line. Always 0. */
RK_API int Rk_GeometryDebug(void);

/* Sets the point to the origin. */
RK_API int Rk_PointInit(Rk_PointStruct* point);
/* Sets the three coordinates. */
RK_API int Rk_PointSet(Rk_PointStruct* point, double x, double y, double z);
/* Sets x, leaving y and z. */
RK_API int Rk_PointSetX(Rk_PointStruct* point, double x);
/* Sets y, leaving x and z. */
RK_API int Rk_PointSetY(Rk_PointStruct* point, double y);
/* Sets z, leaving x and y. */
RK_API int Rk_PointSetZ(Rk_PointStruct* point, double z);
/* Copies the three coordinates. */
RK_API int Rk_PointGet(const Rk_PointStruct* point, double* x, double* y, double* z);
/* Copies x. */
RK_API int Rk_PointGetX(const Rk_PointStruct* point, double* x);
/* Copies y. */
RK_API int Rk_PointGetY(const Rk_PointStruct* point, double* y);
/* Copies z. */
RK_API int Rk_PointGetZ(const Rk_PointStruct* point, double* z);
/* Euclidean distance between two points. */
RK_API int Rk_PointDistFromPoint(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                 double* dist);
/* `equal` 1 when the points are strictly closer than the point tolerance (under a tolerance of 0,
 * no two points are equal, not even a point and itself). */
RK_API int Rk_PointIsEqualToPoint(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                  int* equal);
/* The point halfway between `pt1` and `pt2`; `midpt` may be either of them. */
RK_API int Rk_PointGetMidpoint(const Rk_PointStruct* pt1, const Rk_PointStruct* pt2,
                               Rk_PointStruct* midpt);
/* Prints the point's coordinates on standard output, on a new line. Always 0. */
RK_API int Rk_PointDebug(const Rk_PointStruct* point);

/* ==== Vectors (rk_vec) ==== */

/* Vectors, and points moved or measured along a direction (rk_point). A vector keeps its length;
 * operations that need a direction make a unit copy. An angle cannot be measured when the product
 * of the two vectors' lengths is below zero_eps: Rk_VectorAngleFromVector then fails with
 * 6 (rk_vec), and so does every angle test of the kernel, in every family, since all go through it.
 * The parallel band (strictly within angle_eps of 0 or 180) excludes its bounds, the perpendicular
 * band (within angle_eps of 90) includes them. */

/* A direction with a length, in world components. Never normalised when stored. */
typedef struct Rk_VectorStruct {
    double i_comp;
    double j_comp;
    double k_comp;
} Rk_VectorStruct, Rk_Vector;

/* Sets the vector to (1, 1, 1). */
RK_API int Rk_VectorInit(Rk_VectorStruct* vec);
/* Stores (i, j, k).
 * Fails: 6 (rk_vec) when every component is below the zero tolerance.
 * Leaves: the vector unchanged. */
RK_API int Rk_VectorSet(Rk_VectorStruct* vec, double i, double j, double k);
/* Copies the three components. */
RK_API int Rk_VectorGet(const Rk_VectorStruct* vec, double* i, double* j, double* k);
/* `head` - `origin`.
 * Fails: 6 (rk_vec) when the difference is zero (every component below the zero tolerance).
 * Leaves: that difference already in `vec`. */
RK_API int Rk_VectorSetByPoints(Rk_VectorStruct* vec, const Rk_PointStruct* origin,
                                const Rk_PointStruct* head);
/* The opposite vector. */
RK_API int Rk_VectorInvert(const Rk_VectorStruct* vec, Rk_VectorStruct* new_vec);
/* The length. */
RK_API int Rk_VectorMagnitude(const Rk_VectorStruct* vec, double* mag);
/* Unit vector in the direction of `vec1`, into `vec2`.
 * Fails: 6 (rk_vec) when `vec1` is shorter than the zero tolerance.
 * Leaves: `vec2` unchanged. */
RK_API int Rk_VectorUnitize(const Rk_VectorStruct* vec1, Rk_VectorStruct* vec2);
/* The dot product. */
RK_API int Rk_VectorDot(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2, double* dot);
/* `vec1` x `vec2`.
 * Fails: 6 (rk_vec) when the product is zero (parallel or zero inputs: every component below the
 *          zero tolerance).
 * Leaves: `cross` unchanged. */
RK_API int Rk_VectorCross(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                          Rk_VectorStruct* cross);
/* The unsigned angle between the vectors, 0 to 180 degrees.
 * Fails: 6 (rk_vec) when the product of the two lengths is below the zero tolerance (the angle
 *          cannot be measured).
 * Leaves: `angle` unchanged. */
RK_API int Rk_VectorAngleFromVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                    double* angle);
/* `parallel` 1 when the vectors are strictly within the angle tolerance of 0 or 180 degrees.
 * Fails: 6 (rk_vec) when the angle cannot be measured.
 * Leaves: `parallel` unchanged. */
RK_API int Rk_VectorIsParallelToVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                       int* parallel);
/* `perpendicular` 1 when the angle is within the angle tolerance of 90 degrees, bounds included.
 * Fails: 6 (rk_vec) when the angle cannot be measured.
 * Leaves: `perpendicular` unchanged. */
RK_API int Rk_VectorIsPerpToVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                   int* perpendicular);
/* `equal` 1 when the unit vectors are strictly closer than the point tolerance (lengths do not
 * matter; opposite vectors are not equal).
 * Fails: 6 (rk_vec) when either vector is shorter than the zero tolerance.
 * Leaves: `equal` unchanged. */
RK_API int Rk_VectorIsEqualToVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                    int* equal);
/* The unsigned angle between the vectors as seen along `view_dir` (between their projections on the
 * plane normal to it).
 * Fails: 6 (rk_vec) when either vector is parallel to `view_dir` (either sense) or an angle cannot
 *          be measured;
 *        24 (rk_point) when the squared length of `view_dir` is below the zero tolerance.
 * Leaves: `angle` unchanged. */
RK_API int Rk_VectorAngleFromVecInView(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                       const Rk_VectorStruct* view_dir, double* angle);
/* The angle from `vec1` to `vec2` about `dir`, -180 to 180 (180, never -180), positive
 * counter-clockwise seen from the tip of `dir`, measured between their projections on the plane
 * normal to `dir`; left unsigned within the zero tolerance of 0 or 180.
 * Fails: 23 (rk_vec) when `vec1`, then `vec2`, is parallel to `dir`;
 *        6 (rk_vec) when an angle cannot be measured;
 *        24 (rk_point) when the squared length of `dir` is below the zero tolerance.
 * Leaves: `angle` unchanged, except that a 6 met while finding the sign (projections practically
 * zero) leaves the unsigned angle in it. */
RK_API int Rk_VectorSignedAngleFromVector(const Rk_VectorStruct* vec1, const Rk_VectorStruct* vec2,
                                          const Rk_VectorStruct* dir, double* angle);
/* `vec` turned by `angle` degrees about `rot_vec` (right-hand rule), keeping its length and its
 * component along `rot_vec`; a copy when they are parallel (either sense).
 * Fails: 6 (rk_vec) when `vec` or `rot_vec` is practically zero (their angle cannot be measured).
 * Leaves: `new_vec` unchanged. */
RK_API int Rk_VectorRotate(const Rk_VectorStruct* vec, const Rk_VectorStruct* rot_vec, double angle,
                           Rk_VectorStruct* new_vec);

/* The point moved `dist` along `dir_vec` (backward for a negative `dist`).
 * Module: rk_point.
 * Fails: 6 (rk_vec) when `dir_vec` is shorter than the zero tolerance.
 * Leaves: `offset_pt` unchanged. */
RK_API int Rk_PointOffset(const Rk_PointStruct* point, double dist, const Rk_VectorStruct* dir_vec,
                          Rk_PointStruct* offset_pt);
/* The distance between the points measured across `dir`: from `point1` to the foot of `point2` on
 * the plane through `point1` normal to `dir`.
 * Module: rk_point.
 * Fails: 24 (rk_point) when the squared length of `dir` is below the zero tolerance (a direction
 *          shorter than about 3.2e-5); there is no zero-vector test.
 * Leaves: `dist` unchanged. */
RK_API int Rk_PointDistFromPointAlongVec(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                         const Rk_VectorStruct* dir, double* dist);
/* The signed extent of `point2` beyond `point1` in the direction of `dir`: the distance from
 * `point1` to the foot of `point2` on the line along `dir`, negative when the foot lies behind (0
 * when `point2` is strictly closer than the point tolerance to `point1`).
 * Module: rk_point.
 * Fails: 6 (rk_vec) when `dir` is shorter than the zero tolerance.
 * Leaves: `clearance` unchanged. */
RK_API int Rk_PointClearanceFromPoint(const Rk_PointStruct* point1, const Rk_PointStruct* point2,
                                      const Rk_VectorStruct* dir, double* clearance);
/* The vector's components.
 * Fails: 11 (rk_vec) when the line cannot be held;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) when the line cannot be written (as Rk_ReportWrite).
 * Leaves: the console and the file written when the write itself failed. */
RK_API int Rk_VectorDebugRpt(const Rk_VectorStruct* vec, Rk_ReportStruct* report);
/* As Rk_VectorDebugRpt, to the console.
 * Fails: 11 (rk_vec) as Rk_VectorDebugRpt.
 * Leaves: the empty line printed. */
RK_API int Rk_VectorDebug(const Rk_VectorStruct* vec);

/* ==== Lines (rk_line) ==== */

/* Lines, and points and vectors against a line. A line has no direction when its two points
 * coincide within zero_eps in every coordinate, which only the unchecked setters can leave
 * (Rk_LineSetByCoords, a line from Rk_LineProjOnPlane, a direct write); the operations that need
 * its direction then fail with 6 (rk_vec). The foot of a point on a line needs none when the point
 * is strictly closer than point_eps to a defining point. The parallel and perpendicular tests
 * compare the directions only: skew lines can be perpendicular. */

/* An unbounded line through two points; its direction is `point2` - `point1`. */
typedef struct Rk_LineStruct {
    Rk_PointStruct point1;  /* base point */
    Rk_PointStruct point2;  /* at least the point tolerance from point1 when set with a check */
} Rk_LineStruct, Rk_Line;

/* The line from (0, 0, 0) to (1, 1, 1). */
RK_API int Rk_LineInit(Rk_LineStruct* line);
/* Stores both points.
 * Fails: 10 (rk_line) when they are closer than the point tolerance.
 * Leaves: the line unchanged. */
RK_API int Rk_LineSet(Rk_LineStruct* line, const Rk_PointStruct* pt1, const Rk_PointStruct* pt2);
/* Stores both points without a check. */
RK_API int Rk_LineSetByCoords(Rk_LineStruct* line, double x1, double yy1, double z1, double x2,
                              double y2, double z2);
/* The line from `pt` to the point one unit along `dir`.
 * Fails: 6 (rk_vec) when `dir` is shorter than the zero tolerance.
 * Leaves: the line unchanged. */
RK_API int Rk_LineSetByPointAndVector(Rk_LineStruct* line, const Rk_PointStruct* pt,
                                      const Rk_VectorStruct* dir);
/* Replaces `point1`.
 * Fails: 10 (rk_line) when it would be closer than the point tolerance to `point2`.
 * Leaves: the line unchanged. */
RK_API int Rk_LineSetPoint1(Rk_LineStruct* line, const Rk_PointStruct* pt1);
/* Replaces `point2`.
 * Fails: 10 (rk_line) when it would be closer than the point tolerance to `point1`.
 * Leaves: the line unchanged. */
RK_API int Rk_LineSetPoint2(Rk_LineStruct* line, const Rk_PointStruct* pt2);
/* Copies both points. */
RK_API int Rk_LineGet(const Rk_LineStruct* line, Rk_PointStruct* pt1, Rk_PointStruct* pt2);
/* Copies `point1`. */
RK_API int Rk_LineGetPoint1(const Rk_LineStruct* line, Rk_PointStruct* pt1);
/* Copies `point2`. */
RK_API int Rk_LineGetPoint2(const Rk_LineStruct* line, Rk_PointStruct* pt2);
/* The direction `point2` - `point1`.
 * Module: rk_vec.
 * Fails: 6 (rk_vec) when the line has no direction.
 * Leaves: the near-zero difference already in `vec`. */
RK_API int Rk_VectorSetByLine(Rk_VectorStruct* vec, const Rk_LineStruct* line);
/* The foot of the point on the unbounded line; a point strictly closer than the point tolerance to
 * `point1` (else to `point2`) projects onto that point itself.
 * Module: rk_point.
 * Fails: 6 (rk_vec) when the foot is needed and the line has no direction.
 * Leaves: `proj_point` unchanged. */
RK_API int Rk_PointProjOnLine(const Rk_PointStruct* point, const Rk_LineStruct* line,
                              Rk_PointStruct* proj_point);
/* The distance from the point to its foot on the line (Rk_PointProjOnLine).
 * Module: rk_point.
 * Fails: 6 (rk_vec) when the foot is needed and the line has no direction.
 * Leaves: `dist` unchanged. */
RK_API int Rk_PointDistFromLine(const Rk_PointStruct* point, const Rk_LineStruct* line, double* dist);
/* `on_line` 1 when the point is strictly closer than the point tolerance to its foot on the line.
 * Module: rk_point.
 * Fails: 6 (rk_vec) when the foot is needed and the line has no direction.
 * Leaves: `on_line` unchanged. */
RK_API int Rk_PointIsOnLine(const Rk_PointStruct* point, const Rk_LineStruct* line, int* on_line);
/* `equal` 1 when both points of `line2` are strictly closer than the point tolerance to `line1`
 * (the sense does not matter; only line2's points are measured). `equal` is written 0 first.
 * Fails: 6 (rk_vec) when `line1` has no direction and a foot on it is needed.
 * Leaves: `equal` 0. */
RK_API int Rk_LineIsEqualToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* equal);
/* `parallel` 1 when the directions are parallel in either sense.
 * Fails: 6 (rk_vec) when a line has no direction or the angle cannot be measured.
 * Leaves: `parallel` unchanged. */
RK_API int Rk_LineIsParallelToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                   int* parallel);
/* `perp` 1 when the directions are perpendicular (skew lines included).
 * Fails: 6 (rk_vec) when a line has no direction or the angle cannot be measured.
 * Leaves: `perp` unchanged. */
RK_API int Rk_LineIsPerpToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2, int* perp);
/* `para` 1 when the angle between the directions is below `angle` + the zero tolerance, or at least
 * 180 - `angle` - the zero tolerance (either sense).
 * Fails: 6 (rk_vec) when a line has no direction or the angle cannot be measured.
 * Leaves: `para` unchanged. */
RK_API int Rk_LineIsParaToLineWithinAngle(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                          double angle, int* para);
/* The point of `line1` nearest to `line2` (the foot of their common perpendicular), found by
 * projecting back and forth until a step is no longer than the zero tolerance.
 * Fails: 1 (rk_line) when the lines are parallel, or when the search has not settled within its
 *          bound of rounds (coordinates so large that rounding keeps every step above the zero
 *          tolerance);
 *        6 (rk_vec) when either line has no direction.
 * Leaves: `pt` unchanged. */
RK_API int Rk_LinePointClosestToLine(const Rk_LineStruct* line1, const Rk_LineStruct* line2,
                                     Rk_PointStruct* pt);
/* Prints the line's two points on standard output, on a new line. Always 0. */
RK_API int Rk_LineDebug(const Rk_LineStruct* line);

/* ==== Planes (rk_plane) ==== */

/* Planes, and points, vectors and lines against a plane. The normal is never made unit.
 * Rk_PlaneSet, Rk_PlaneSetNormal and direct writes store it untested, so a zero or tiny normal is
 * met only by the operations that use it. Below, "a normal too short" means: 24 (rk_point) from a
 * foot on the plane when the normal's squared length is below zero_eps (a normal shorter than about
 * 3.2e-5), or 6 (rk_vec) from an angle test when the angle cannot be measured. A vector or a line
 * is parallel to a plane when it is perpendicular to the normal (bounds included) and perpendicular
 * to the plane when parallel to the normal (bounds excluded). */

/* An unbounded plane through `point`; `normal` gives it a side and is not made unit. */
typedef struct Rk_PlaneStruct {
    Rk_PointStruct point;
    Rk_VectorStruct normal;
} Rk_PlaneStruct, Rk_Plane;

/* The plane through the origin with normal (0, 0, 1). */
RK_API int Rk_PlaneInit(Rk_PlaneStruct* plane);
/* Stores the point and the normal, untested. */
RK_API int Rk_PlaneSet(Rk_PlaneStruct* plane, const Rk_PointStruct* point,
                       const Rk_VectorStruct* normal);
/* Stores the point. */
RK_API int Rk_PlaneSetPoint(Rk_PlaneStruct* plane, const Rk_PointStruct* point);
/* Stores the normal, untested. */
RK_API int Rk_PlaneSetNormal(Rk_PlaneStruct* plane, const Rk_VectorStruct* normal);
/* Point (x, y, z), normal (i, j, k).
 * Fails: 6 (rk_vec) for a zero normal (every component below the zero tolerance).
 * Leaves: the point already stored, the normal unchanged. */
RK_API int Rk_PlaneSetByCoords(Rk_PlaneStruct* plane, double x, double y, double z, double i,
                               double j, double k);
/* The plane a x + b y + c z + d = 0: normal (a, b, c), its point where the plane crosses the x axis
 * when |a| exceeds the zero tolerance, else the y axis, else the z axis.
 * Fails: 6 (rk_vec) when a, b and c are all below the zero tolerance in absolute value;
 *        5 (rk_plane) when none of them exceeds it (the largest equals it exactly).
 * Leaves: after 6, the plane unchanged; after 5, the normal already stored, the point unchanged. */
RK_API int Rk_PlaneSetByEquation(Rk_PlaneStruct* plane, double a, double b, double c, double d);
/* The plane through three points: its point `pt1`, its normal (pt2 - pt1) x (pt3 - pt1), by the
 * right-hand rule and not made unit.
 * Fails: 6 (rk_vec) when `pt2` or `pt3` coincides with `pt1` (every coordinate difference below the
 *          zero tolerance) or the points are collinear (a zero cross product).
 * Leaves: the point already stored, the normal unchanged. */
RK_API int Rk_PlaneSetByPoints(Rk_PlaneStruct* plane, const Rk_PointStruct* pt1,
                               const Rk_PointStruct* pt2, const Rk_PointStruct* pt3);
/* The plane through `pt`, the line's `point1` and its `point2`, its normal by the right-hand rule
 * in that order.
 * Fails: 1 (rk_plane) when the point lies on the line;
 *        6 (rk_vec) when the line has no direction or the three points give a zero normal.
 * Leaves: the plane unchanged. */
RK_API int Rk_PlaneSetByPointAndLine(Rk_PlaneStruct* plane, const Rk_PointStruct* pt,
                                     const Rk_LineStruct* line);
/* The plane through two parallel or intersecting lines, its point line1's `point1`.
 * Fails: 1 (rk_plane) when the lines are equal (Rk_LineIsEqualToLine) or skew (the fourth point is
 *          not on the plane of the other three);
 *        6 (rk_vec) when a line has no direction or the spanning points give a zero normal;
 *        24 (rk_point) when that normal is too short.
 * Leaves: the plane unchanged. */
RK_API int Rk_PlaneSetByLines(Rk_PlaneStruct* plane, const Rk_LineStruct* line1,
                              const Rk_LineStruct* line2);
/* Copies the point and the normal. */
RK_API int Rk_PlaneGet(const Rk_PlaneStruct* plane, Rk_PointStruct* point, Rk_VectorStruct* normal);
/* Copies the point. */
RK_API int Rk_PlaneGetPoint(const Rk_PlaneStruct* plane, Rk_PointStruct* point);
/* Copies the normal. */
RK_API int Rk_PlaneGetNormal(const Rk_PlaneStruct* plane, Rk_VectorStruct* normal);
/* a, b, c, d of the plane's equation a x + b y + c z + d = 0. */
RK_API int Rk_PlaneGetEquationConstants(const Rk_PlaneStruct* plane, double* a, double* b,
                                        double* c, double* d);
/* The plane's point and the points one unit along the plane's default x and y axes (the axes
 * Rk_RefFrameSetAxesByZ makes about the normal).
 * Fails: 6 (rk_vec) when the normal is shorter than the zero tolerance.
 * Leaves: nothing written. */
RK_API int Rk_PlaneGet3Points(const Rk_PlaneStruct* plane, Rk_PointStruct* pt1, Rk_PointStruct* pt2,
                              Rk_PointStruct* pt3);
/* The same plane with the normal negated. */
RK_API int Rk_PlaneInvert(const Rk_PlaneStruct* plane, Rk_PlaneStruct* inverse);
/* The unsigned angle between the normals, 0 to 180 degrees.
 * Fails: 6 (rk_vec) for a normal too short.
 * Leaves: `angle` unchanged. */
RK_API int Rk_PlaneAngleFromPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                  double* angle);
/* `parallel` 1 when the normals are parallel in either sense.
 * Fails: 6 (rk_vec) for a normal too short.
 * Leaves: `parallel` unchanged. */
RK_API int Rk_PlaneIsParallelToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                     int* parallel);
/* `perp` 1 when the normals are perpendicular.
 * Fails: 6 (rk_vec) for a normal too short.
 * Leaves: `perp` unchanged. */
RK_API int Rk_PlaneIsPerpToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2, int* perp);
/* `equal` 1 when the normals are at most the angle tolerance apart (so opposite normals are not
 * equal) and plane1's point is at most the point tolerance from `plane2`. `equal` is written 0
 * first.
 * Fails: 6 (rk_vec) or 24 (rk_point) for a normal too short.
 * Leaves: `equal` 0. */
RK_API int Rk_PlaneIsEqualToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                  int* equal);
/* `coincident` 1 when the three points of Rk_PlaneGet3Points of `plane1` all lie on `plane2`,
 * whatever the sense of the normals. `coincident` is written 0 first.
 * Fails: 6 (rk_vec) for plane1's normal too short;
 *        24 (rk_point) for plane2's.
 * Leaves: `coincident` 0. */
RK_API int Rk_PlaneIsCoincidentToPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                       int* coincident);
/* The signed distance from `plane1` to the parallel `plane2`, positive on the side plane1's normal
 * points to; `found` 0 and `offset` 0 when they coincide (plane1's point strictly closer than the
 * point tolerance to its foot on `plane2`).
 * Fails: 1 (rk_plane) when the planes are not parallel;
 *        6 (rk_vec) or 24 (rk_point) for a normal too short.
 * Leaves: `found` and `offset` unchanged. */
RK_API int Rk_PlaneGetPlaneOffset(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                  int* found, double* offset);
/* The line the planes share, through the first two points of Rk_PlaneGet3Points of `plane1` brought
 * onto it by projecting back and forth until a step is no longer than the zero tolerance (the first
 * and the third when the first two land on one point).
 * Fails: 1 (rk_plane) when the planes are parallel, or when a search has not settled within its
 *          bound of rounds;
 *        10 (rk_line) when the two points found are closer than the point tolerance;
 *        6 (rk_vec) or 24 (rk_point) for a normal too short.
 * Leaves: `line` unchanged. */
RK_API int Rk_PlaneIntersectPlane(const Rk_PlaneStruct* plane1, const Rk_PlaneStruct* plane2,
                                  Rk_LineStruct* line);

/* The foot of the point on the plane.
 * Module: rk_point.
 * Fails: 24 (rk_point) when the squared length of the normal is below the zero tolerance.
 * Leaves: `proj_pt` unchanged. */
RK_API int Rk_PointProjOnPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane,
                               Rk_PointStruct* proj_pt);
/* The unsigned distance from the point to its foot on the plane.
 * Module: rk_point.
 * Fails: 24 (rk_point) when the squared length of the normal is below the zero tolerance.
 * Leaves: `dist` unchanged. */
RK_API int Rk_PointDistFromPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane, double* dist);
/* The distance from the point to the plane along `vec`, negative when the plane lies behind.
 * Module: rk_point.
 * Fails: 1 (rk_point) when `vec` is parallel to the plane (perpendicular to the normal, bounds
 *          included);
 *        6 (rk_vec) when `vec` is shorter than the zero tolerance or the normal too short.
 * Leaves: `dist` unchanged. */
RK_API int Rk_PointDistFromPlaneAlongVec(const Rk_PointStruct* point, const Rk_PlaneStruct* plane,
                                         const Rk_VectorStruct* vec, double* dist);
/* `on_plane` 1 when the point is strictly closer than the point tolerance to its foot on the plane.
 * Module: rk_point.
 * Fails: 24 (rk_point) when the squared length of the normal is below the zero tolerance.
 * Leaves: `on_plane` unchanged. */
RK_API int Rk_PointIsOnPlane(const Rk_PointStruct* point, const Rk_PlaneStruct* plane, int* on_plane);
/* The component of the vector in the plane (the plane's point plays no part).
 * Module: rk_vec.
 * Fails: 6 (rk_vec) when the vector is parallel to the normal (either sense) or the angle cannot be
 *          measured;
 *        24 (rk_point) for a normal too short.
 * Leaves: `proj_vec` unchanged. */
RK_API int Rk_VectorProjOnPlane(const Rk_VectorStruct* orig_vec, const Rk_PlaneStruct* plane,
                                Rk_VectorStruct* proj_vec);
/* `parallel` 1 when the vector is perpendicular to the normal, bounds included.
 * Module: rk_vec.
 * Fails: 6 (rk_vec) when the angle cannot be measured.
 * Leaves: `parallel` unchanged. */
RK_API int Rk_VectorIsParallelToPlane(const Rk_VectorStruct* vec, const Rk_PlaneStruct* plane,
                                      int* parallel);
/* `perp` 1 when the vector is parallel to the normal (either sense, bounds excluded).
 * Module: rk_vec.
 * Fails: 6 (rk_vec) when the angle cannot be measured.
 * Leaves: `perp` unchanged. */
RK_API int Rk_VectorIsPerpToPlane(const Rk_VectorStruct* vec, const Rk_PlaneStruct* plane, int* perp);
/* The point where the line meets the plane.
 * Module: rk_line.
 * Fails: 1 (rk_line) when the line is parallel to the plane (its direction perpendicular to the
 *          normal, bounds included);
 *        6 (rk_vec) when the line has no direction or the normal is too short.
 * Leaves: `pt` unchanged. */
RK_API int Rk_LineIntersectPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                 Rk_PointStruct* pt);
/* The line through the feet of both points, not held to the point tolerance (a line steep to the
 * plane can give two points closer than it).
 * Module: rk_line.
 * Fails: 23 (rk_line) when the line is perpendicular to the plane (its direction parallel to the
 *          normal);
 *        6 (rk_vec) when the line has no direction;
 *        6 (rk_vec) or 24 (rk_point) for a normal too short.
 * Leaves: `proj_line` unchanged. */
RK_API int Rk_LineProjOnPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                              Rk_LineStruct* proj_line);
/* `on_plane` 1 when both points of the line lie on the plane (`point2` is tested only when `point1`
 * passed). `on_plane` is written 0 first.
 * Module: rk_line.
 * Fails: 24 (rk_point) for a normal too short.
 * Leaves: `on_plane` 0. */
RK_API int Rk_LineIsOnPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* on_plane);
/* `parallel` 1 when the line's direction is perpendicular to the normal, bounds included.
 * Module: rk_line.
 * Fails: 6 (rk_vec) when the line has no direction or the normal is too short.
 * Leaves: `parallel` unchanged. */
RK_API int Rk_LineIsParallelToPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                    int* parallel);
/* `perp` 1 when the line's direction is parallel to the normal (either sense, bounds excluded).
 * Module: rk_line.
 * Fails: 6 (rk_vec) when the line has no direction or the normal is too short.
 * Leaves: `perp` unchanged. */
RK_API int Rk_LineIsPerpToPlane(const Rk_LineStruct* line, const Rk_PlaneStruct* plane, int* perp);
/* `perp` 1 when the angle between the direction and the normal is at most `angle` or at least
 * 180 - `angle` (either sense, bounds included).
 * Module: rk_line.
 * Fails: 6 (rk_vec) when the line has no direction or the normal is too short.
 * Leaves: `perp` unchanged. */
RK_API int Rk_LineIsPerpToPlaneWithinAngle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                           double angle, int* perp);
/* `para` 1 when the angle between the direction and the normal lies within `angle` + the zero
 * tolerance of 90, bounds included.
 * Module: rk_line.
 * Fails: 6 (rk_vec) when the line has no direction or the normal is too short.
 * Leaves: `para` unchanged. */
RK_API int Rk_LineIsParaToPlaneWithinAngle(const Rk_LineStruct* line, const Rk_PlaneStruct* plane,
                                           double angle, int* para);
/* Prints the plane's point and normal on standard output, on a new line. Always 0. */
RK_API int Rk_PlaneDebug(const Rk_PlaneStruct* plane);

/* ==== Reference frames (rk_reffr) ==== */

/* Frames, and points and vectors carried between world and frame coordinates. The axis setters
 * change only the axes; the origin is set on its own. Tolerances: the world-x test of
 * Rk_RefFrameSetAxesByZ and the bands of Rk_RefFrameGetVectorAngles are strict within angle_eps; an
 * axis or a result is zero when every component is below zero_eps. Every failure of the functions
 * below but Rk_RefFrameSetByGeom and the dumps is a 6 (rk_vec) from the vector operations (or the
 * one 24 (rk_point) named), and leaves the output unchanged except as Rk_RefFrameSetByArray says. */

/* Arrays of rows (`double vals[4][3]`, here and in the transforms) are not const-qualified even
 * where they are only read: C before C23 would refuse a caller's plain array for a const one. */

/* A local coordinate system: unit axes and an origin, in world coordinates. */
typedef struct Rk_RefFrameStruct {
    Rk_VectorStruct x_axis;
    Rk_VectorStruct y_axis;
    Rk_VectorStruct z_axis;
    Rk_PointStruct origin;
} Rk_RefFrameStruct, Rk_RefFrame;

/* The world frame. */
RK_API int Rk_RefFrameInit(Rk_RefFrameStruct* frame);
/* Right-handed unit axes: x along `x`, y in the half-plane of `y`.
 * Fails: 6 (rk_vec) when `x` and `y` are parallel (every component of their cross product below
 *          the zero tolerance) or practically zero.
 * Leaves: the frame unchanged. */
RK_API int Rk_RefFrameSetAxesByXY(Rk_RefFrameStruct* refframe, const Rk_VectorStruct* x,
                                  const Rk_VectorStruct* y);
/* Right-handed unit axes: z along `z`, x in the half-plane of `x`.
 * Fails: 6 (rk_vec) when `z` and `x` are parallel (every component of their cross product below
 *          the zero tolerance) or practically zero.
 * Leaves: the frame unchanged. */
RK_API int Rk_RefFrameSetAxesByZX(Rk_RefFrameStruct* refframe, const Rk_VectorStruct* z,
                                  const Rk_VectorStruct* x);
/* Right-handed unit axes about `z`: x is world x made perpendicular to z (world y is the reference
 * for y when z is within the angle tolerance of world x, in either sense).
 * Fails: 6 (rk_vec) when `z` is shorter than the zero tolerance.
 * Leaves: the frame unchanged. */
RK_API int Rk_RefFrameSetAxesByZ(Rk_RefFrameStruct* refframe, const Rk_VectorStruct* z);
/* Stores the origin. */
RK_API int Rk_RefFrameSetOrigin(Rk_RefFrameStruct* frame, const Rk_PointStruct* origin);
/* Rows x axis, y axis, z axis, origin; each axis made unit, neither made orthogonal nor
 * right-handed.
 * Fails: 6 (rk_vec) for an axis row that is zero (every component below the zero tolerance).
 * Leaves: the axes of the rows before it already stored as given (not yet made unit), the later
 * axes and the origin unchanged. */
RK_API int Rk_RefFrameSetByArray(Rk_RefFrameStruct* frame, double vals[4][3]);
/* Copies the axes and the origin. */
RK_API int Rk_RefFrameGet(const Rk_RefFrameStruct* frame, Rk_VectorStruct* x, Rk_VectorStruct* y,
                          Rk_VectorStruct* z, Rk_PointStruct* origin);
/* Copies the origin. */
RK_API int Rk_RefFrameGetOrigin(const Rk_RefFrameStruct* refframe, Rk_PointStruct* origin);
/* Copies the z axis. */
RK_API int Rk_RefFrameGetZAxis(const Rk_RefFrameStruct* refframe, Rk_VectorStruct* z_axis);
/* Rows x axis, y axis, z axis, origin. */
RK_API int Rk_RefFrameGetArray(const Rk_RefFrameStruct* frame, double vals[4][3]);
/* The frame coordinates of a world point. */
RK_API int Rk_RefFrameTransformWorldPt(const Rk_RefFrameStruct* frame, const Rk_PointStruct* worldpt,
                                       Rk_PointStruct* framept);
/* The frame components of a world vector (its dot products with the axes).
 * Fails: 6 (rk_vec) when the result is zero (every component below the zero tolerance).
 * Leaves: `framevec` unchanged. */
RK_API int Rk_RefFrameTransformWorldVec(const Rk_RefFrameStruct* frame,
                                        const Rk_VectorStruct* worldvec, Rk_VectorStruct* framevec);
/* The world point of frame coordinates, through the inverse frame: for a frame whose axes are not
 * right-handed and orthonormal (set by Rk_RefFrameSetByArray) it does not undo
 * Rk_RefFrameTransformWorldPt.
 * Fails: 6 (rk_vec) when the frame's axes are degenerate (for example all zero) and the inverse
 *          frame cannot be built.
 * Leaves: `worldpt` unchanged. */
RK_API int Rk_RefFrameTransformFramePt(const Rk_RefFrameStruct* frame, const Rk_PointStruct* framept,
                                       Rk_PointStruct* worldpt);
/* The world vector of frame components, through the inverse frame.
 * Fails: 6 (rk_vec) when the inverse frame cannot be built (as Rk_RefFrameTransformFramePt) or the
 *          result is zero.
 * Leaves: `world_vec` unchanged. */
RK_API int Rk_RefFrameTransformFrameVec(const Rk_RefFrameStruct* frame, const Rk_VectorStruct* local_vec,
                                        Rk_VectorStruct* world_vec);
/* `frame` (origin and z axis kept) with its x and y axes turned about z toward those of `align_to`.
 * Fails: 6 (rk_vec) when `frame`'s z axis is practically zero (or, for a degenerate `align_to`,
 *          along the axis chosen as reference).
 * Leaves: `new_frame` unchanged. */
RK_API int Rk_RefFrameAlignXY(const Rk_RefFrameStruct* frame, const Rk_RefFrameStruct* align_to,
                              Rk_RefFrameStruct* new_frame);
/* Azimuth `rot` (from x, positive toward y) and inclination `inc` (from the xy plane, positive
 * toward z) of `vec` in the frame, in degrees. Within the angle tolerance of the z axis `rot` is 0
 * and `inc` 90 (-90 for -z); within it of the x axis, in either sense, `rot` is left unsigned.
 * Fails: 6 (rk_vec) when `vec` or an axis is practically zero;
 *        24 (rk_point) when the squared length of the z axis is below the zero tolerance (never for
 *          unit axes).
 * Leaves: `rot` and `inc` unchanged. */
RK_API int Rk_RefFrameGetVectorAngles(const Rk_RefFrameStruct* frame, const Rk_VectorStruct* vec,
                                      double* rot, double* inc);
/* The frame of a datum reference frame from a primary, a secondary and a tertiary feature, each a
 * type (0 none, 1 point, 2 line, 3 plane) and as many rows of (x, y, z) as the type says; `eps`
 * (degrees) is the angle within which lines count as parallel, or a line as parallel or
 * perpendicular to a plane. `redundant` 1 when a feature that added nothing was dropped.
 * Module: rk_reffr, in src/datum/rk_reffr_datum.cpp (the datum layer).
 * Fails: 1 (rk_reffr) for a combination of types that fixes no frame;
 *        10 (rk_line) or 6 (rk_vec), the error of the line or plane operation, for a feature whose
 *          own rows are degenerate;
 *        1 (rk_line) or 1 (rk_plane) for parallel features, or 6 (rk_vec) for an x direction
 *          parallel to z: the error of a construction the geometry tolerances refuse where the
 *          `eps` tests let it through.
 * Leaves: for a combination that fixes no frame, `frame` the world frame and `redundant` 0;
 * otherwise `frame` may hold a partial frame. */
RK_API int Rk_RefFrameSetByGeom(Rk_RefFrameStruct* frame, int pri_type, double (*pri)[3], int sec_type,
                                double (*sec)[3], int ter_type, double (*ter)[3], double eps, int* redundant);
/* The frame's origin and its three axes.
 * Fails: 11 (rk_reffr) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_RefFrameDebugRpt(const Rk_RefFrameStruct* frame, Rk_ReportStruct* report);
/* As Rk_RefFrameDebugRpt, to the console.
 * Fails: 11 (rk_reffr) as Rk_RefFrameDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_RefFrameDebug(const Rk_RefFrameStruct* frame);

/* ==== Transforms (rk_tform) ==== */

/* Transforms. The identity flag is recomputed by every function that writes a matrix: 1 when every
 * entry is within zero_eps of the identity, bounds included. While it is set, every application
 * copies its input without arithmetic, so a record must be initialised or fully set before it is
 * applied. Inversion and equality take the rotation rows to be orthonormal; nothing enforces it.
 * Equality compares the rotation rows as unit vectors and the translations as points, both under
 * point_eps (strictly). Apart from Rk_TransformsSetByGeom and the dumps, only the functions with a
 * "Fails:" line can fail, with errors of the vector and line operations, and their output is then
 * unchanged. */

/* A rigid motion applied to row vectors: p' = x row0 + y row1 + z row2 + row3. */
typedef struct Rk_TransformStruct {
    double transform[4][3];  /* rows 0-2: images of the unit axes; row 3: the translation */
    int is_identity;         /* 1 when every entry is within the zero tolerance of the identity */
} Rk_TransformStruct, Rk_Transform;

/* The identity. */
RK_API int Rk_TransformInit(Rk_TransformStruct* tform);
/* Copies the matrix in and recomputes the identity flag; nothing else is checked. */
RK_API int Rk_TransformSet(Rk_TransformStruct* tform, double tfm[4][3]);
/* Copies the matrix out. */
RK_API int Rk_TransformGet(const Rk_TransformStruct* tform, double tfm[4][3]);
/* `is_identity` 1 when every entry of the matrix is within the zero tolerance of the identity. */
RK_API int Rk_TransformIsIdentity(const Rk_TransformStruct* tfm, int* is_identity);
/* The transform from `frame` coordinates to world coordinates: rows x axis, y axis, z axis, origin. */
RK_API int Rk_TransformSetByRefFrame(Rk_TransformStruct* tform, const Rk_RefFrameStruct* frame);
/* `tform1` followed by `tform2` (their flags are not consulted); `tfm` may be either. */
RK_API int Rk_TransformSetByTransforms(Rk_TransformStruct* tfm, const Rk_TransformStruct* tform1,
                                       const Rk_TransformStruct* tform2);
/* The motion that carries `frame1` onto `frame2`. */
RK_API int Rk_TransformSetByFrameToFrame(Rk_TransformStruct* tform, const Rk_RefFrameStruct* frame1,
                                         const Rk_RefFrameStruct* frame2);
/* The inverse motion: the transposed rotation and the negated translation carried through it, right
 * only for orthonormal rotation rows. An identity-flagged transform is copied as it is. */
RK_API int Rk_TransformInvert(const Rk_TransformStruct* tform, Rk_TransformStruct* inverse);
/* `equal` 1 when both are identity-flagged, or when each rotation row points like the same row of
 * the other (unit vectors strictly closer than the point tolerance; lengths ignored) and the
 * translations are strictly closer than the point tolerance.
 * Fails: 6 (rk_vec) when a rotation row reached before an unequal one is zero (every component
 *          below the zero tolerance).
 * Leaves: `equal` unchanged. */
RK_API int Rk_TransformIsEqualToTransform(const Rk_TransformStruct* tfm1, const Rk_TransformStruct* tfm2,
                                          int* equal);
/* The image of the point (x, y, z). */
RK_API int Rk_TransformApply(const Rk_TransformStruct* tform, double x, double y, double z, double* xnew,
                             double* ynew, double* znew);
/* The image of a point. */
RK_API int Rk_TransformApplyToPoint(const Rk_TransformStruct* tform, const Rk_PointStruct* pt,
                                    Rk_PointStruct* newpt);
/* The image of a vector by the rotation rows alone (the translation cancels).
 * Fails: 6 (rk_vec) when the image is zero (every component below the zero tolerance); not for an
 *          identity-flagged transform, which copies even a zero vector.
 * Leaves: `newvector` unchanged. */
RK_API int Rk_TransformApplyToVector(const Rk_TransformStruct* tform, const Rk_VectorStruct* vector,
                                     Rk_VectorStruct* newvector);
/* The image of a line.
 * Fails: 10 (rk_line) when the images of its points are closer than the point tolerance; not for
 *          an identity-flagged transform, which copies the line.
 * Leaves: `newline` unchanged. */
RK_API int Rk_TransformApplyToLine(const Rk_TransformStruct* tform, const Rk_LineStruct* line,
                                   Rk_LineStruct* newline);
/* The image of a plane: its point mapped as a point, its normal as a vector.
 * Fails: 6 (rk_vec) when the image of the normal is zero; not for an identity-flagged transform,
 *          which copies the plane.
 * Leaves: `newplane` unchanged. */
RK_API int Rk_TransformApplyToPlane(const Rk_TransformStruct* tform, const Rk_PlaneStruct* plane,
                                    Rk_PlaneStruct* newplane);
/* The distinct motions (one to four, written to the front of `tfms`, which has room for four) that
 * carry the object's datum frame onto the target's, trying the target's primary and secondary in
 * both senses; target planes are first turned to face the object. Features as for
 * Rk_RefFrameSetByGeom; the caller's rows are not changed.
 * Module: rk_tform, in src/datum/rk_tform_datum.cpp (the datum layer).
 * Fails: 1 (rk_reffr), 10 (rk_line), 6 (rk_vec), 1 (rk_line) or 1 (rk_plane) as
 *          Rk_RefFrameSetByGeom, for either set of features (a target combination that fixes no
 *          frame is refused with 1 (rk_reffr) before any of its rows is read).
 * Leaves: `num_tfms` counting the transforms kept so far (0 when the object's frame or the first
 * target frame failed). */
RK_API int Rk_TransformsSetByGeom(int* num_tfms, Rk_TransformStruct* tfms, int obj_pri_type, double (*obj_pri)[3],
                                  int tar_pri_type, double (*tar_pri)[3], int obj_sec_type, double (*obj_sec)[3],
                                  int tar_sec_type, double (*tar_sec)[3], int obj_ter_type, double (*obj_ter)[3],
                                  int tar_ter_type, double (*tar_ter)[3], double eps);
/* The transform's four rows.
 * Fails: 11 (rk_tform) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_TransformDebugRpt(const Rk_TransformStruct* tform, Rk_ReportStruct* report);
/* As Rk_TransformDebugRpt, to the console.
 * Fails: 11 (rk_tform) as Rk_TransformDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_TransformDebug(const Rk_TransformStruct* tform);

/* ==== Arcs (rk_arc) ==== */

/* Arcs. Feature kinds (`arc1_char`, `arc2_char`, `arc_char`, `arc_type`): 1 a hole (free space
 * inside), 0 a pin (material inside). Centres are equal when strictly closer than point_eps, radii
 * when they differ by strictly less than zero_eps, normals when parallel (angle_eps, either sense,
 * bounds excluded). "A normal too short" has the meaning of the planes: 6 (rk_vec) from an angle
 * that cannot be measured, 24 (rk_point) from a foot on a plane whose normal's squared length is
 * below zero_eps. The point counts are written 0 first; outputs are otherwise unchanged on failure,
 * except as Rk_ArcSet and Rk_ArcGetVirtualArc say. */

/* A full circle in space. Feature kinds: 1 a hole (free space inside), 0 a pin (material inside). */
typedef struct Rk_ArcStruct {
    Rk_PointStruct center;
    Rk_VectorStruct normal;  /* of the circle's plane; any non-zero length */
    double radius;           /* stored as its absolute value */
} Rk_ArcStruct, Rk_Arc;
/* The unit circle about the origin in the world xy plane. */
RK_API int Rk_ArcInit(Rk_ArcStruct* arc);
/* Stores centre, normal (untested) and the absolute value of the radius.
 * Fails: 7 (rk_arc) for a radius below the zero tolerance.
 * Leaves: the centre and normal already stored, the radius unchanged. */
RK_API int Rk_ArcSet(Rk_ArcStruct* arc, const Rk_PointStruct* center, const Rk_VectorStruct* normal,
                     double radius);
/* Stores the centre. */
RK_API int Rk_ArcSetCenter(Rk_ArcStruct* arc, const Rk_PointStruct* center);
/* Stores the normal, untested. */
RK_API int Rk_ArcSetNormal(Rk_ArcStruct* arc, const Rk_VectorStruct* normal);
/* Stores the absolute value of the radius.
 * Fails: 7 (rk_arc) when it is below the zero tolerance.
 * Leaves: the radius unchanged. */
RK_API int Rk_ArcSetRadius(Rk_ArcStruct* arc, double radius);
/* The circle through three points, its normal the unit normal by the right-hand rule over `pt1`,
 * `pt2`, `pt3`.
 * Fails: 26 (rk_arc) when two of the points are equal (strictly closer than the point tolerance),
 *          `pt3` lies on the line through `pt1` and `pt2`, or the directions from `pt1` to the
 *          other two are within the angle tolerance of parallel (their bisectors are parallel);
 *        6 (rk_vec) when the normal of the points is zero;
 *        1 (rk_line) when the search for the centre does not settle.
 * Leaves: the arc unchanged. */
RK_API int Rk_ArcSetByPoints(Rk_ArcStruct* arc1, const Rk_PointStruct* pt1, const Rk_PointStruct* pt2,
                             const Rk_PointStruct* pt3);
/* Copies centre, normal and radius. */
RK_API int Rk_ArcGet(const Rk_ArcStruct* arc, Rk_PointStruct* center, Rk_VectorStruct* normal, double* radius);
/* Copies the centre. */
RK_API int Rk_ArcGetCenter(const Rk_ArcStruct* arc, Rk_PointStruct* center);
/* Copies the normal. */
RK_API int Rk_ArcGetNormal(const Rk_ArcStruct* arc, Rk_VectorStruct* normal);
/* Copies the radius. */
RK_API int Rk_ArcGetRadius(const Rk_ArcStruct* arc, double* radius);
/* The plane of the circle. */
RK_API int Rk_ArcGetPlane(const Rk_ArcStruct* arc, Rk_PlaneStruct* plane);
/* `equal` 1 when the centres are strictly closer than the point tolerance, the radii differ by
 * strictly less than the zero tolerance and the normals are parallel (either sense), tested in that
 * order. `equal` is written 0 first.
 * Fails: 6 (rk_vec) when a normal is too short for their angle to be measured.
 * Leaves: `equal` 0. */
RK_API int Rk_ArcIsEqualToArc(const Rk_ArcStruct* arc1, const Rk_ArcStruct* arc2, int* equal);
/* `on_plane` 1 when the three points of Rk_PlaneGet3Points of `plane` lie on the circle's plane
 * (either sense of the normals). `on_plane` is written 0 first.
 * Fails: 6 (rk_vec) when the normal of `plane` is shorter than the zero tolerance;
 *        24 (rk_point) when the squared length of the arc's normal is below it.
 * Leaves: `on_plane` 0. */
RK_API int Rk_ArcIsOnPlane(const Rk_ArcStruct* arc, const Rk_PlaneStruct* plane, int* on_plane);
/* `parallel` 1 when the circle's plane is parallel to `plane` (either sense).
 * Fails: 6 (rk_vec) for a normal too short.
 * Leaves: `parallel` unchanged. */
RK_API int Rk_ArcIsParallelToPlane(const Rk_ArcStruct* arc, const Rk_PlaneStruct* plane, int* parallel);
/* The points where a line lying in the circle's plane meets the circle. `num_pts` (written 0
 * first): 0; 1 when the line touches from inside within the point tolerance (`pt1` and `pt2` both
 * the touching point; a line just outside gives 0); 2, `pt1` on the side the line's direction
 * points to. `pt1` and `pt2` are written only when points are found.
 * Module: rk_line.
 * Fails: 1 (rk_line) when a point of the line is not strictly within the point tolerance of the
 *          circle's plane;
 *        24 (rk_point) when the squared length of the arc's normal is below the zero tolerance;
 *        6 (rk_vec) when the line has no direction.
 * Leaves: `num_pts` 0, `pt1` and `pt2` unchanged. */
RK_API int Rk_LineIntersectArc(const Rk_LineStruct* line, const Rk_ArcStruct* arc, int* num_pts,
                               Rk_PointStruct* pt1, Rk_PointStruct* pt2);
/* The points where the circle crosses `plane`, as Rk_LineIntersectArc with the line the circle's
 * plane (first) and `plane` share; `numpts` 0 when they are parallel. `numpts` is written 0 first.
 * Fails: 1 (rk_arc) when the circle lies in `plane` (Rk_ArcIsOnPlane);
 *        1 (rk_plane) or 10 (rk_line) as Rk_PlaneIntersectPlane;
 *        1 (rk_line) as Rk_LineIntersectArc;
 *        6 (rk_vec) or 24 (rk_point) for a normal too short.
 * Leaves: `numpts` 0, `pt1` and `pt2` unchanged. */
RK_API int Rk_ArcIntersectPlane(const Rk_ArcStruct* arc, const Rk_PlaneStruct* plane, int* numpts,
                                Rk_PointStruct* pt1, Rk_PointStruct* pt2);
/* The points where two coplanar circles meet. `num_pts` (written 0 first): 0 when they are apart,
 * concentric, or one lies inside the other; 1 when they touch from outside (`pt1` only; `pt2` is
 * not written); 2 otherwise, `pt1` and `pt2` on either side of the line of centres (the same point
 * when one touches the other from inside).
 * Fails: 9 (rk_arc) when the arcs are equal (Rk_ArcIsEqualToArc) or `arc2`'s centre is not strictly
 *          within the point tolerance of `arc1`'s plane (the normals are not compared);
 *        24 (rk_point) when the squared length of arc1's normal is below the zero tolerance;
 *        6 (rk_vec) when a normal is too short for an angle.
 * Leaves: `num_pts` 0, `pt1` and `pt2` unchanged. */
RK_API int Rk_ArcIntersectArc(const Rk_ArcStruct* arc1, const Rk_ArcStruct* arc2, int* num_pts,
                              Rk_PointStruct* pt1, Rk_PointStruct* pt2);
/* The least and greatest fit of two round features of the given kinds with parallel normals,
 * measured across the offset d of their axes (the centres projected on the plane through the world
 * origin normal to arc1's normal): for two holes the width of their overlap (0 when they do not
 * overlap, the smaller diameter when one lies inside the other), for two pins the width of their
 * envelope, both results then equal; for a hole and a pin the smallest and greatest radial gap
 * (negative when they interfere).
 * Fails: 8 (rk_arc) when the normals are not parallel;
 *        1 (rk_arc) for a kind other than 0 or 1 (tested after the normals);
 *        6 (rk_vec) and 24 (rk_point) for a normal too short.
 * Leaves: `min_virt_clr` and `max_virt_clr` unchanged. */
RK_API int Rk_ArcClearance(const Rk_ArcStruct* arc1, int arc1_char, const Rk_ArcStruct* arc2, int arc2_char,
                           double* min_virt_clr, double* max_virt_clr);
/* The circle a round feature ending in `arc1` and `arc2` shows along `view_vec`: for a pin its
 * shadow, for a hole the passage through it (radius 0 when none); its centre is the midpoint of the
 * two centres projected on the plane through the world origin normal to `view_vec`.
 * Fails: 9 (rk_arc) when the radii differ by more than the zero tolerance, the normals are not
 *          parallel, or the centres projected along arc1's normal are more than the point tolerance
 *          apart (not coaxial), tested in that order;
 *        1 (rk_arc) for a kind other than 0 or 1 (tested last);
 *        6 (rk_vec) and 24 (rk_point) for a normal or `view_vec` too short.
 * Leaves: `apparent_center` and `apparent_rad` unchanged. */
RK_API int Rk_ArcGetApparentArc(const Rk_ArcStruct* arc1, const Rk_ArcStruct* arc2, int arc_char,
                                const Rk_VectorStruct* view_vec, Rk_PointStruct* apparent_center,
                                double* apparent_rad);
/* The largest circle seen through all of `num_arcs` holes (the smallest around all pins) along
 * `dir_vec`, with normal `dir_vec`, and its diameter `diam`; `arc_found` 0, `diam` 0 and `virt_arc`
 * unchanged when no passage is left. `arc_found` is written 1 first.
 * Fails: 1 (rk_arc) for a kind other than 0 or 1, or `num_arcs` below 1;
 *        7 (rk_arc) when an arc seen along `dir_vec` has a radius below the zero tolerance (an arc
 *          seen edge-on);
 *        6 (rk_vec) and 24 (rk_point) for a normal or `dir_vec` too short.
 * Leaves: `arc_found` 1; `diam` and `virt_arc` unchanged. */
RK_API int Rk_ArcGetVirtualArc(Rk_ArcStruct* virt_arc, int num_arcs, const Rk_ArcStruct* arcs,
                               const Rk_VectorStruct* dir_vec, int arc_type, double* diam, int* arc_found);
/* The arc's centre, normal and radius.
 * Fails: 11 (rk_arc) when the line cannot be held;
 *        11 (rk_rpt) or 1 or 11 (rk_strtb) when the line cannot be written (as Rk_ReportWrite).
 * Leaves: the console and the file written when the write itself failed. */
RK_API int Rk_ArcDebugRpt(const Rk_ArcStruct* arc, Rk_ReportStruct* report);
/* As Rk_ArcDebugRpt, to the console.
 * Fails: 11 (rk_arc) as Rk_ArcDebugRpt.
 * Leaves: the empty line printed. */
RK_API int Rk_ArcDebug(const Rk_ArcStruct* arc);

/* ==== Discretized point sets (rk_dscpt) ==== */

/* A set is live from Rk_DiscPtsInit until Rk_DiscPtsFree. Failures common to the family:
 * 1 (rk_dbltb) from every operation but Rk_DiscPtsGetNumPts, Rk_DiscPtsInit and Rk_DiscPtsFree when
 * a set it reads or writes is not live (never initialised, or freed); 11 (rk_dbltb) when a set
 * cannot grow to take a point, which it then does not take; 1 (rk_dscpt) from the operations that
 * read or add points when the set's live table does not have 6 columns (a table not made by
 * Rk_DiscPtsInit, which none of these functions should be given; a point is neither added nor read
 * then). An operation that appends points and fails part-way leaves those appended so far, without
 * removing duplicates; outputs are otherwise unchanged on failure, except as a line says. Points
 * are equal when strictly closer than point_eps; a row has no normal when each of i, j, k is at
 * most zero_eps in absolute value; sort keys within zero_eps tie, and the nearest and farthest
 * searches take a later candidate only when it is better by more than zero_eps. An output set may
 * be the set read: the count is taken before anything is appended. */

/* A surface sampled at points, each with an optional normal, in a double table of 6 columns:
 * x, y, z, then the normal's i, j, k ((0, 0, 0) without one). A row has no normal when each of
 * i, j, k is at most the zero tolerance in absolute value. Points are addressed by row, in
 * insertion order until a sort or a duplicate removal. The set owns its table. The operations
 * that produce a set append to one the caller initialised, without clearing it; the four line
 * and plane operations, and Rk_DiscPtsGetExtentPts from three points on, then remove its
 * duplicates (which sorts it). */
typedef struct Rk_DiscPtsStruct {
    int num_pts;             /* the table's row count, refreshed whenever the rows change */
    Rk_TableStruct pt_table; /* an Rk_DblTable of 6 columns */
} Rk_DiscPtsStruct, Rk_DiscPts;

/* An empty set (free a live set first: the table it held is not released).
 * Fails: 11 (rk_dbltb) when memory runs out.
 * Leaves: the table not allocated and `num_pts` unchanged. */
RK_API int Rk_DiscPtsInit(Rk_DiscPtsStruct* discpts);
/* Releases the storage and sets `num_pts` to 0; the set may be initialised again. Freeing a freed
 * set does nothing.
 * Fails: 1 (rk_dbltb) when the record holds no double table (never initialised).
 * Leaves: the record unchanged. */
RK_API int Rk_DiscPtsFree(Rk_DiscPtsStruct* discpts);
/* Removes every point, keeping the storage.
 * Fails: 1 (rk_dbltb) when the set is not live.
 * Leaves: the set unchanged. */
RK_API int Rk_DiscPtsClear(Rk_DiscPtsStruct* discpts);
/* The number of points (the `num_pts` field, read without a check). */
RK_API int Rk_DiscPtsGetNumPts(const Rk_DiscPtsStruct* discpts, int* num_pts);
/* Appends a point, with `normal` when `norm_set` is non-zero (`normal` is not read otherwise).
 * Fails: 1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when the set cannot grow.
 * Leaves: the set unchanged. */
RK_API int Rk_DiscPtsAddPt(Rk_DiscPtsStruct* discpts, const Rk_PointStruct* new_pt,
                           const Rk_VectorStruct* normal, int norm_set);
/* Appends every point of `add_pts` with its normal (a set added to itself is doubled: the count is
 * taken once).
 * Fails: 1 (rk_dbltb) when a set it reads or writes is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when a set cannot grow.
 * Leaves: the points appended so far, without removing duplicates. */
RK_API int Rk_DiscPtsAddAllPts(Rk_DiscPtsStruct* discpts, const Rk_DiscPtsStruct* add_pts);
/* Point `index`, and its normal with `norm_set` 1 when it has one (`norm_set` 0 and `normal`
 * unwritten otherwise).
 * Fails: 1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        1 (rk_dbltb) for an index outside 0 to `num_pts` - 1.
 * Leaves: nothing written. */
RK_API int Rk_DiscPtsGetPt(const Rk_DiscPtsStruct* discpts, int index, Rk_PointStruct* pt,
                           Rk_VectorStruct* normal, int* norm_set);
/* `found` 1 and `index` of the first point strictly closer than the point tolerance to `pt`;
 * `found` is written 0 first, `index` only when found.
 * Fails: 1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: `found` 0, `index` unchanged. */
RK_API int Rk_DiscPtsFindPt(const Rk_DiscPtsStruct* discpts, const Rk_PointStruct* pt, int* index,
                            int* found);
/* Removes every point strictly closer than the point tolerance to `rmv_point` (none is not an
 * error).
 * Fails: 1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: the set unchanged. */
RK_API int Rk_DiscPtsRemovePoint(Rk_DiscPtsStruct* discpts, const Rk_PointStruct* rmv_point);
/* Sorts the points by x, then y, then z (coordinates within the zero tolerance tie; an exchange
 * sort, not stable).
 * Fails: 1 (rk_dbltb) when the set is not live.
 * Leaves: the set unchanged. */
RK_API int Rk_DiscPtsSort(Rk_DiscPtsStruct* discpts);
/* Sorts the points, then removes each one equal to its predecessor in that order (two equal points
 * that the sort does not make neighbours both stay).
 * Fails: 1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: the set unchanged (a table of another width sorted already). */
RK_API int Rk_DiscPtsRemoveDupPts(Rk_DiscPtsStruct* discpts);
/* Moves every point by `tfm` and turns every normal by its rotation rows alone (an identity-flagged
 * `tfm` changes nothing); rows without a normal keep (0, 0, 0).
 * Fails: 1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: the set unchanged. */
RK_API int Rk_DiscPtsApplyTransform(Rk_DiscPtsStruct* discpts, const Rk_TransformStruct* tfm);
/* The index of the point nearest to `pt`; a later point replaces an earlier one only when nearer by
 * more than the zero tolerance.
 * Fails: 1 (rk_dscpt) for an empty set;
 *        1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: `index` unchanged. */
RK_API int Rk_DiscPtsGetNearestPt(const Rk_DiscPtsStruct* discpts, const Rk_PointStruct* pt, int* index);
/* The two points farthest apart, over every pair (quadratic); a later pair replaces an earlier one
 * only when longer by more than the zero tolerance.
 * Fails: 1 (rk_dscpt) below 2 points;
 *        1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: the indexes unchanged. */
RK_API int Rk_DiscPtsGet2FarthestPts(const Rk_DiscPtsStruct* discpts, int* pt1_index, int* pt2_index);
/* The farthest pair and the point that makes the largest triangle with them, and its `area`
 * (written 0 first). When the pair coincides, `pt3_index` is `pt1_index` and `area` 0; when every
 * point lies on the pair's line, `area` is 0 and `pt3_index` unwritten.
 * Fails: 1 (rk_dscpt) below 3 points;
 *        1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: `area` 0, the indexes unchanged. */
RK_API int Rk_DiscPtsGet3FarthestPts(const Rk_DiscPtsStruct* discpts, int* pt1_index, int* pt2_index,
                                     int* pt3_index, double* area);
/* The mean of the points.
 * Fails: 1 (rk_dscpt) for an empty set;
 *        1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: `average_pt` unchanged. */
RK_API int Rk_DiscPtsGetAveragePt(const Rk_DiscPtsStruct* discpts, Rk_PointStruct* average_pt);
/* The bounds of the points along the world axes.
 * Fails: 1 (rk_dscpt) for an empty set;
 *        1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: the bounds unchanged. */
RK_API int Rk_DiscPtsGetBoundingBox(const Rk_DiscPtsStruct* discpts, double* xmin, double* xmax,
                                    double* ymin, double* ymax, double* zmin, double* zmax);
/* The centre of the bounds of the points taken along the axes of `frame`, in world coordinates.
 * Fails: 1 (rk_dscpt) for an empty set;
 *        6 (rk_vec) when the frame's axes are degenerate (as Rk_RefFrameTransformFramePt);
 *        1 (rk_dbltb) when the set is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns.
 * Leaves: `center` unchanged. */
RK_API int Rk_DiscPtsGetCenterPt(const Rk_DiscPtsStruct* discpts, const Rk_RefFrameStruct* frame,
                                 Rk_PointStruct* center);
/* Appends to `extentpts`, with their normals, the points of the set least and greatest along the
 * directions of `frame`'s xy plane from its x axis every `delta` degrees below 180, then removes
 * the duplicates of `extentpts`. A set of one or two points is appended whole, without removing
 * duplicates; an empty one appends nothing.
 * Fails: 1 (rk_dscpt) when `delta` is not positive (tested first; nothing is appended);
 *        6 (rk_vec) when the frame's x or z axis is practically zero or they are parallel (a zero
 *          cross product);
 *        1 (rk_dbltb) when a set it reads or writes is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when a set cannot grow.
 * Leaves: the points appended so far, without removing duplicates. */
RK_API int Rk_DiscPtsGetExtentPts(const Rk_DiscPtsStruct* discpts, const Rk_RefFrameStruct* frame,
                                  double delta, Rk_DiscPtsStruct* extentpts);
/* Appends to `new_set`, without normals, the points strictly closer than the point tolerance to
 * their foot on `line`, then removes its duplicates.
 * Fails: 6 (rk_vec) when a foot is needed and the line has no direction;
 *        1 (rk_dbltb) when a set it reads or writes is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when a set cannot grow.
 * Leaves: the points appended so far, without removing duplicates. */
RK_API int Rk_DiscPtsGetPtsOnLine(const Rk_DiscPtsStruct* discpts, const Rk_LineStruct* line,
                                  Rk_DiscPtsStruct* new_set);
/* Appends to `new_set`, without normals, the points strictly closer than the point tolerance to
 * their foot on `plane`, then removes its duplicates.
 * Fails: 24 (rk_point) when the squared length of the plane's normal is below the zero tolerance;
 *        1 (rk_dbltb) when a set it reads or writes is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when a set cannot grow.
 * Leaves: the points appended so far, without removing duplicates. */
RK_API int Rk_DiscPtsGetPtsOnPlane(const Rk_DiscPtsStruct* discpts, const Rk_PlaneStruct* plane,
                                   Rk_DiscPtsStruct* new_set);
/* Appends to `new_set`, without normals, the feet of all points on `line`, then removes its
 * duplicates.
 * Fails: 6 (rk_vec) when a foot is needed and the line has no direction;
 *        1 (rk_dbltb) when a set it reads or writes is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when a set cannot grow.
 * Leaves: the points appended so far, without removing duplicates. */
RK_API int Rk_DiscPtsProjOnLine(const Rk_DiscPtsStruct* discpts, const Rk_LineStruct* line,
                                Rk_DiscPtsStruct* new_set);
/* Appends to `new_set`, without normals, the feet of all points on `plane`, then removes its
 * duplicates.
 * Fails: 24 (rk_point) when the squared length of the plane's normal is below the zero tolerance;
 *        1 (rk_dbltb) when a set it reads or writes is not live;
 *        1 (rk_dscpt) when a live table does not have 6 columns;
 *        11 (rk_dbltb) when a set cannot grow.
 * Leaves: the points appended so far, without removing duplicates. */
RK_API int Rk_DiscPtsProjOnPlane(const Rk_DiscPtsStruct* discpts, const Rk_PlaneStruct* plane,
                                 Rk_DiscPtsStruct* new_set);
/* The set's size and each point, with its normal when it has one.
 * Fails: 11 (rk_dscpt) when a line cannot be held;
 *        1 (rk_dbltb) or 1 (rk_dscpt) as Rk_DiscPtsGetPt, when `num_pts` counts points the table
 *          cannot give.
 * Leaves: the lines written before. */
RK_API int Rk_DiscPtsDebugRpt(const Rk_DiscPtsStruct* discpts, Rk_ReportStruct* report);
/* As Rk_DiscPtsDebugRpt, to the console.
 * Fails: 11 (rk_dscpt), 1 (rk_dbltb) or 1 (rk_dscpt) as Rk_DiscPtsDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_DiscPtsDebug(const Rk_DiscPtsStruct* discpts);

/* ======================================================================================
 * Datum frames, constraints and variation
 * ====================================================================================== */

/* ==== Degree-of-freedom sets (rk_dof) ==== */

/* None of these fail, except the two axis-to-axis mappings Rk_DofMapContToRefFrame and
 * Rk_DofMapOpenToRefFrame. An output may be the same record as an input. The mappings read only
 * the axes of the two frames, never their origins. */

/* Which of the twelve directed degrees of freedom are controlled. Bit i of `dof` holds degree i
 * (bit = 2 x axis + sense; axes Tx, Ty, Tz, Rx, Ry, Rz; sense 0 plus, 1 minus): 1 controlled,
 * 0 open. Bits 12 to 31 carry no degree: the tests ignore them; the per-degree operations and the
 * two mappings of controlled degrees leave them clear, the mapping of open degrees sets them; the
 * whole-word operations (not, intersection, union, the integer form) carry them along. */
typedef struct Rk_DofStruct {
    int dof;
} Rk_DofStruct, Rk_Dof;

/* All twelve degrees open (word 0). */
RK_API int Rk_DofInit(Rk_DofStruct* dof);
/* All twelve degrees open (word 0). */
RK_API int Rk_DofClear(Rk_DofStruct* dof);
/* All twelve degrees controlled (word 4095). */
RK_API int Rk_DofInitNot(Rk_DofStruct* dof);
/* Replaces the whole word from twelve flags (non-zero: controlled); bits 12 to 31 become 0. */
RK_API int Rk_DofSet(Rk_DofStruct* dof, int txp, int txm, int typ, int tym, int tzp, int tzm,
                     int rxp, int rxm, int ryp, int rym, int rzp, int rzm);
/* Writes 1 for each controlled degree and 0 for each open one. */
RK_API int Rk_DofGet(const Rk_DofStruct* dof, int* txp, int* txm, int* typ, int* tym, int* tzp,
                     int* tzm, int* rxp, int* rxm, int* ryp, int* rym, int* rzp, int* rzm);
/* `dof` with the six translation degrees open. */
RK_API int Rk_DofClearTranslation(const Rk_DofStruct* dof, Rk_DofStruct* new_dof);
/* `dof` with the six rotation degrees open. */
RK_API int Rk_DofClearRotation(const Rk_DofStruct* dof, Rk_DofStruct* new_dof);
/* `dof` with +Rz and -Rz controlled. */
RK_API int Rk_DofControlRz(const Rk_DofStruct* dof, Rk_DofStruct* new_dof);
/* Both senses of an axis controlled where `dof` controls either, both open otherwise. */
RK_API int Rk_DofAdjustForFixture(const Rk_DofStruct* dof, Rk_DofStruct* adj_dof);
/* `none_open` 1 when all twelve degrees are controlled, else 0. */
RK_API int Rk_DofAllDegreesControlled(const Rk_DofStruct* dof, int* none_open);
/* `one_not_open` 1 when at least one of the twelve degrees is controlled, else 0. */
RK_API int Rk_DofAnyDegreeControlled(const Rk_DofStruct* dof, int* one_not_open);
/* Complement of the whole 32-bit word. */
RK_API int Rk_DofNot(const Rk_DofStruct* dof, Rk_DofStruct* not_dof);
/* Bitwise AND of the two whole words. */
RK_API int Rk_DofIntersectDof(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                              Rk_DofStruct* dof_out);
/* Bitwise OR of the two whole words. */
RK_API int Rk_DofUnionDof(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                          Rk_DofStruct* dof_out);
/* The degrees controlled in exactly one of the two sets. */
RK_API int Rk_DofExclusiveOrDof(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                                Rk_DofStruct* dof_out);
/* The degrees controlled in `dof1` and not in `dof2`. */
RK_API int Rk_DofSubtractDofCont(const Rk_DofStruct* dof1, const Rk_DofStruct* dof2,
                                 Rk_DofStruct* dof_out);
/* The whole word as an integer. */
RK_API int Rk_DofMapToInt(const Rk_DofStruct* dof, int* dof_int);
/* Stores `dof_int` as the whole word, unchecked (the set comes first although it is the output). */
RK_API int Rk_DofMapFromInt(Rk_DofStruct* dof, int dof_int);
/* The controlled degrees carried onto the axes of `new_frame` that lie less than `max_angle`
 * degrees from a source axis (same senses) or from its opposite (senses swapped); above 90
 * degrees both can hold, and one source axis may reach several target axes.
 * Fails: 6 (rk_vec) when the lengths of an axis of `dof_frame` and an axis of `new_frame` multiply
 *          to less than the zero tolerance.
 * Leaves: `new_dof` unchanged. */
RK_API int Rk_DofMapContToRefFrame(const Rk_DofStruct* dof, const Rk_RefFrameStruct* dof_frame,
                                   const Rk_RefFrameStruct* new_frame, double max_angle,
                                   Rk_DofStruct* new_dof);
/* Each degree of `new_frame` controlled when the controlled source directions of its kind pointing
 * its way project on it with a root sum square above cos(`max_angle`) less the zero tolerance.
 * The axes are taken to be of unit length (a frame's own are); a source axis of no length adds
 * nothing. */
RK_API int Rk_DofMapContToRefFrameRss(const Rk_DofStruct* dof, const Rk_RefFrameStruct* dof_frame,
                                      const Rk_RefFrameStruct* new_frame, double max_angle,
                                      Rk_DofStruct* new_dof);
/* The open degrees carried axis to axis as by Rk_DofMapContToRefFrame; every other degree, bits
 * 12 to 31 included, controlled.
 * Fails: 6 (rk_vec) when the lengths of an axis of `dof_frame` and an axis of `new_frame` multiply
 *          to less than the zero tolerance (as Rk_DofMapContToRefFrame).
 * Leaves: `new_dof` unchanged. */
RK_API int Rk_DofMapOpenToRefFrame(const Rk_DofStruct* dof, const Rk_RefFrameStruct* dof_frame,
                                   const Rk_RefFrameStruct* new_frame, double max_angle,
                                   Rk_DofStruct* new_dof);
/* The twelve degrees, each "C" (controlled) or "O" (open), under their names. */
RK_API int Rk_DofDebugRpt(const Rk_DofStruct* dof, Rk_ReportStruct* report);
/* As Rk_DofDebugRpt, to the console. */
RK_API int Rk_DofDebug(const Rk_DofStruct* dof);

/* ==== Distributions (rk_dstrb) ==== */

/* The setters check no value and never fail. Each typed setter writes `type`, both description
 * lines and its own member of `typeinfo` (whose members share storage, so the parameters of any
 * other type are overwritten) and leaves `name` and `source` alone. Texts are cut at their
 * capacity and padded with terminators; they may come from the record itself. A typed getter
 * fails with 5 (rk_dstrb) on a record of another type and then writes nothing; the other getters
 * never fail. */

/* Text capacities of a distribution (characters, without the terminator). */
#define RK_DISTRIB_NAME_MAX 48
#define RK_DISTRIB_DESC_MAX 50

/* Distribution type codes (the `type` field); each selects one member of `typeinfo`. */
enum {
    RK_DISTRIB_CONSTANT = 1,
    RK_DISTRIB_NORMAL = 2,
    RK_DISTRIB_DISCRETE = 3,
    RK_DISTRIB_PEARSON = 4,
    RK_DISTRIB_PERCENTILE = 5,
    RK_DISTRIB_WEIBULL = 6,
    RK_DISTRIB_UNIFORM = 7,
    RK_DISTRIB_TRIANGULAR = 8,
    RK_DISTRIB_RANDOM = 9,
    RK_DISTRIB_SAMPLE = 10
};

/* The statistical variation of one quantity: a named type with its parameters and two lines of
 * description. `nom` is the nominal value, `zone` the range. `trunc` says which truncation limits
 * are set: 0 none, 1 `lowt` only, 2 `hight` only, 3 both. */
typedef struct Rk_DistribStruct {
    char name[RK_DISTRIB_NAME_MAX + 1];
    char desc[2][RK_DISTRIB_DESC_MAX + 1];
    int source;                     /* kept for the application; the library never touches it */
    int type;                       /* RK_DISTRIB_CONSTANT ... RK_DISTRIB_SAMPLE */
    union {
        struct {
            double nom;
        } constant;
        struct {
            double nom;
            double zone;
            double sigma;
            int trunc;
            double lowt;
            double hight;
        } normal;
        struct {
            double nom;
            int used1, freq1;
            double val1;
            int used2, freq2;
            double val2;
            int used3, freq3;
            double val3;
            int used4, freq4;
            double val4;
            int used5, freq5;
            double val5;
            int used6, freq6;
            double val6;
        } discrete;
        struct {
            double mean;
            double stddev;
            double skew;
            double kurt;
            int trunc_usage;
            double lowt;
            double hight;
        } pearson;
        struct {
            double nom;
            double per0, per10, per20, per30, per40, per50, per60, per70, per80, per90, per100;
        } percentil;
        struct {
            double nom;
            double minval;
            double slope;
            double charval;
            int trunc_usage;
            double lowt;
            double hight;
        } weibull;
        struct {
            double nom;
            double zone;
            int trunc;
            double lowt;
            double hight;
        } uniform;
        struct {
            double low;
            double mode;
            double high;
        } triangular;
        struct {
            double low;
            double high;
        } random;
        struct {
            double mean;
            double stddev;
            double skew;
            double kurt;
            int trunc_set;
            double lowt;
            double hight;
            char* filename;
        } sample;
    } typeinfo;
} Rk_DistribStruct, Rk_Distrib;

/* Sets the name to at most 48 characters of `name`. */
RK_API int Rk_DistribSetName(Rk_DistribStruct* distrib, const char* name);
/* Sets the first description line to at most 50 characters of `line1`. */
RK_API int Rk_DistribSetDescLine1(Rk_DistribStruct* distrib, const char* line1);
/* Makes the distribution a constant `nom`, with two description lines (at most 50 characters). */
RK_API int Rk_DistribSetConstantValues(Rk_DistribStruct* distrib, double nom, const char* desc1,
                                       const char* desc2);
/* Makes the distribution normal, with two description lines (at most 50 characters). */
RK_API int Rk_DistribSetNormalValues(Rk_DistribStruct* distrib, double nom, double zone,
                                     double sigma, int trunc, double lowt, double hight,
                                     const char* desc1, const char* desc2);
/* Makes the distribution uniform, with two description lines (at most 50 characters). */
RK_API int Rk_DistribSetUniformValues(Rk_DistribStruct* distrib, double nom, double zone,
                                      int trunc, double lowt, double hight, const char* desc1,
                                      const char* desc2);
/* Copies the name (at most 48 characters) into `name` (49 places, padded with terminators). */
RK_API int Rk_DistribGetName(const Rk_DistribStruct* distrib, char* name);
/* Copies the type code. */
RK_API int Rk_DistribGetType(const Rk_DistribStruct* distrib, int* type);
/* Pointers to the two description lines inside the record (not copies). */
RK_API int Rk_DistribGetDesc(Rk_DistribStruct* distrib, char** line1, char** line2);
/* The constant's value and pointers to its description lines inside the record.
 * Fails: 5 (rk_dstrb) when `type` is not RK_DISTRIB_CONSTANT.
 * Leaves: nothing written. */
RK_API int Rk_DistribGetConstantValues(Rk_DistribStruct* distrib, double* nom, char** desc1,
                                       char** desc2);
/* The normal's parameters and pointers to its description lines inside the record.
 * Fails: 5 (rk_dstrb) when `type` is not RK_DISTRIB_NORMAL.
 * Leaves: nothing written. */
RK_API int Rk_DistribGetNormalValues(Rk_DistribStruct* distrib, double* nom, double* zone,
                                     double* sigma, int* trunc, double* lowt, double* hight,
                                     char** desc1, char** desc2);
/* The uniform's parameters and pointers to its description lines inside the record.
 * Fails: 5 (rk_dstrb) when `type` is not RK_DISTRIB_UNIFORM.
 * Leaves: nothing written. */
RK_API int Rk_DistribGetUniformValues(Rk_DistribStruct* distrib, double* nom, double* zone,
                                      int* trunc, double* lowt, double* hight, char** desc1,
                                      char** desc2);

/* The distribution's name and type, with the parameters of the constant, normal and uniform types.
 * Fails: 11 (rk_dstrb) when a line cannot be held.
 * Leaves: the lines written before. */
RK_API int Rk_DistribDebugRpt(const Rk_DistribStruct* distrib, Rk_ReportStruct* report);
/* As Rk_DistribDebugRpt, to the console.
 * Fails: 11 (rk_dstrb) as Rk_DistribDebugRpt.
 * Leaves: the lines printed before. */
RK_API int Rk_DistribDebug(const Rk_DistribStruct* distrib);

/* ==== Random numbers (rk_math) ==== */

/* The next value of the minimal standard generator (16807 x seed mod 2147483647, in double
 * arithmetic, which is exact); advances `seed` and returns the new seed / 2147483647, strictly
 * between 0 and 1 for seeds 1 to 2147483646. A seed of 0 stays 0 (2147483647 becomes 0); a
 * negative seed runs the mirror image of the positive sequence. Never fails. */
RK_API double Rk_MathSeededRandom(int* seed);

#ifdef __cplusplus
}
#endif

#endif /* RK_BASEKIT_H */
