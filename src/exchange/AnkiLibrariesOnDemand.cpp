// The libraries behind Anki packages (libzip, SQLite, zstd), bound when a package is first
// read or written instead of when the program starts. The vesk tool links this in place of
// the libraries: loading them and what they load in turn (libzip brings OpenSSL's libcrypto)
// took about 3 ms of the start of every command, and most commands read no package.
//
// Each function the exchange layer calls is defined here under its own name, so the
// compiler holds the definition to the library's header, and forwards to the library's
// function, looked up on its first call. A library that cannot be loaded ends the process
// with a message naming it, before the command has written anything.

#include <dlfcn.h>
#include <sqlite3.h>
#include <zip.h>
#include <zstd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void CannotBind(const char* library, const char* what) {
    std::fprintf(stderr, "vesk: Anki packages need %s, which could not be loaded: %s\n", library,
                 what ? what : "unknown reason");
    std::exit(1);
}

void* Open(const char* library) {
    void* handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        CannotBind(library, dlerror());
    return handle;
}

struct sLibrary {
    const char* name;
    void* handle;
};

sLibrary& Zip() {
    static sLibrary library{VESK_LIBZIP_SONAME, Open(VESK_LIBZIP_SONAME)};
    return library;
}

sLibrary& Sqlite() {
    static sLibrary library{VESK_SQLITE_SONAME, Open(VESK_SQLITE_SONAME)};
    return library;
}

sLibrary& Zstd() {
    static sLibrary library{VESK_ZSTD_SONAME, Open(VESK_ZSTD_SONAME)};
    return library;
}

template <typename Function> Function Lookup(const sLibrary& library, const char* name) {
    void* address = dlsym(library.handle, name);
    if (!address)
        CannotBind(library.name, dlerror());
    return reinterpret_cast<Function>(address);
}

} // namespace

// FORWARD(library, result, name, (parameters), (arguments)): name, forwarding to the
// function of that name in library.
#define FORWARD(library, result, name, parameters, arguments)                                      \
    extern "C" result name parameters {                                                            \
        static const auto forward = Lookup<decltype(&name)>(library(), #name);                     \
        return forward arguments;                                                                  \
    }

FORWARD(Zip, int, zip_close, (zip_t * a), (a))
FORWARD(Zip, void, zip_discard, (zip_t * a), (a))
FORWARD(Zip, void, zip_error_fini, (zip_error_t * a), (a))
FORWARD(Zip, void, zip_error_init, (zip_error_t * a), (a))
FORWARD(Zip, int, zip_fclose, (zip_file_t * a), (a))
FORWARD(Zip, zip_int64_t, zip_file_add, (zip_t * a, const char* b, zip_source_t* c, zip_flags_t d),
        (a, b, c, d))
FORWARD(Zip, zip_file_t*, zip_fopen_index, (zip_t * a, zip_uint64_t b, zip_flags_t c), (a, b, c))
FORWARD(Zip, zip_int64_t, zip_fread, (zip_file_t * a, void* b, zip_uint64_t c), (a, b, c))
FORWARD(Zip, const char*, zip_get_name, (zip_t * a, zip_uint64_t b, zip_flags_t c), (a, b, c))
FORWARD(Zip, zip_int64_t, zip_get_num_entries, (zip_t * a, zip_flags_t b), (a, b))
FORWARD(Zip, zip_int64_t, zip_name_locate, (zip_t * a, const char* b, zip_flags_t c), (a, b, c))
FORWARD(Zip, zip_t*, zip_open_from_source, (zip_source_t * a, int b, zip_error_t* c), (a, b, c))
FORWARD(Zip, int, zip_set_file_compression,
        (zip_t * a, zip_uint64_t b, zip_int32_t c, zip_uint32_t d), (a, b, c, d))
FORWARD(Zip, zip_source_t*, zip_source_buffer, (zip_t * a, const void* b, zip_uint64_t c, int d),
        (a, b, c, d))
FORWARD(Zip, zip_source_t*, zip_source_buffer_create,
        (const void* a, zip_uint64_t b, int c, zip_error_t* d), (a, b, c, d))
FORWARD(Zip, int, zip_source_close, (zip_source_t * a), (a))
FORWARD(Zip, void, zip_source_free, (zip_source_t * a), (a))
FORWARD(Zip, void, zip_source_keep, (zip_source_t * a), (a))
FORWARD(Zip, int, zip_source_open, (zip_source_t * a), (a))
FORWARD(Zip, zip_int64_t, zip_source_read, (zip_source_t * a, void* b, zip_uint64_t c), (a, b, c))
FORWARD(Zip, int, zip_source_stat, (zip_source_t * a, zip_stat_t* b), (a, b))
FORWARD(Zip, int, zip_stat_index, (zip_t * a, zip_uint64_t b, zip_flags_t c, zip_stat_t* d),
        (a, b, c, d))
FORWARD(Zip, void, zip_stat_init, (zip_stat_t * a), (a))

FORWARD(Sqlite, int, sqlite3_bind_int64, (sqlite3_stmt * a, int b, sqlite3_int64 c), (a, b, c))
FORWARD(Sqlite, int, sqlite3_bind_text64,
        (sqlite3_stmt * a, int b, const char* c, sqlite3_uint64 d, void (*e)(void*),
         unsigned char f),
        (a, b, c, d, e, f))
FORWARD(Sqlite, int, sqlite3_close_v2, (sqlite3 * a), (a))
FORWARD(Sqlite, const void*, sqlite3_column_blob, (sqlite3_stmt * a, int b), (a, b))
FORWARD(Sqlite, int, sqlite3_column_bytes, (sqlite3_stmt * a, int b), (a, b))
FORWARD(Sqlite, sqlite3_int64, sqlite3_column_int64, (sqlite3_stmt * a, int b), (a, b))
FORWARD(Sqlite, int, sqlite3_create_collation,
        (sqlite3 * a, const char* b, int c, void* d,
         int (*e)(void*, int, const void*, int, const void*)),
        (a, b, c, d, e))
FORWARD(Sqlite, int, sqlite3_deserialize,
        (sqlite3 * a, const char* b, unsigned char* c, sqlite3_int64 d, sqlite3_int64 e,
         unsigned f),
        (a, b, c, d, e, f))
FORWARD(Sqlite, int, sqlite3_exec,
        (sqlite3 * a, const char* b, int (*c)(void*, int, char**, char**), void* d, char** e),
        (a, b, c, d, e))
FORWARD(Sqlite, int, sqlite3_finalize, (sqlite3_stmt * a), (a))
FORWARD(Sqlite, void, sqlite3_free, (void* a), (a))
FORWARD(Sqlite, sqlite3_int64, sqlite3_hard_heap_limit64, (sqlite3_int64 a), (a))
FORWARD(Sqlite, void*, sqlite3_malloc64, (sqlite3_uint64 a), (a))
FORWARD(Sqlite, int, sqlite3_open, (const char* a, sqlite3** b), (a, b))
FORWARD(Sqlite, int, sqlite3_prepare_v2,
        (sqlite3 * a, const char* b, int c, sqlite3_stmt** d, const char** e), (a, b, c, d, e))
FORWARD(Sqlite, void, sqlite3_progress_handler, (sqlite3 * a, int b, int (*c)(void*), void* d),
        (a, b, c, d))
FORWARD(Sqlite, int, sqlite3_reset, (sqlite3_stmt * a), (a))
FORWARD(Sqlite, unsigned char*, sqlite3_serialize,
        (sqlite3 * a, const char* b, sqlite3_int64* c, unsigned d), (a, b, c, d))
FORWARD(Sqlite, int, sqlite3_step, (sqlite3_stmt * a), (a))

FORWARD(Zstd, ZSTD_DCtx*, ZSTD_createDCtx, (void), ())
FORWARD(Zstd, size_t, ZSTD_freeDCtx, (ZSTD_DCtx * a), (a))
FORWARD(Zstd, size_t, ZSTD_DCtx_setParameter, (ZSTD_DCtx * a, ZSTD_dParameter b, int c), (a, b, c))
FORWARD(Zstd, unsigned, ZSTD_isError, (size_t a), (a))
FORWARD(Zstd, size_t, ZSTD_decompressStream,
        (ZSTD_DStream * a, ZSTD_outBuffer* b, ZSTD_inBuffer* c), (a, b, c))

// The one call with a variable list: every option the exchange layer sets is one of the
// on/off switches, which take an int and an int* for the switch's state.
extern "C" int sqlite3_db_config(sqlite3* db, int option, ...) {
    static const auto forward = Lookup<decltype(&sqlite3_db_config)>(Sqlite(), "sqlite3_db_config");
    va_list arguments;
    va_start(arguments, option);
    const int value = va_arg(arguments, int);
    int* state = va_arg(arguments, int*);
    va_end(arguments);
    return forward(db, option, value, state);
}
