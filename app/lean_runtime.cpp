// The C++ runtime's error paths, for this program. It throws no exception of
// its own and catches none, so the library's error paths (a string longer
// than max_size(), an allocation that fails) can only end the process. These
// definitions end it at once, as an uncaught exception would, and keep the
// library's exception classes, their copy-on-write strings and the verbose
// terminate handler with its name demangler (about 150 KB) out of the image.
// Linked into the program only; the tests keep the library's own.
#include <cstdlib>

namespace std {
[[noreturn]] void __throw_bad_alloc() { std::abort(); }
[[noreturn]] void __throw_bad_array_new_length() { std::abort(); }
[[noreturn]] void __throw_length_error(const char*) { std::abort(); }
[[noreturn]] void __throw_logic_error(const char*) { std::abort(); }
[[noreturn]] void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
}  // namespace std

namespace __gnu_cxx {
// Called for an exception that nothing catches: abort without printing (a
// GUI program has no console to print on).
[[noreturn]] void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
