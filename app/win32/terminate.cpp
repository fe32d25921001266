// The program's terminate handler: std::terminate ends the program with
// abort, as the standard library's default handler does, but without that
// handler's message to the standard error stream (which a GUI program does
// not have).
//
// The library's default handler is this function, which <exception>
// declares: this definition, linked statically, takes its place, and keeps
// it and the C++ name demangler its message uses out of Velmora.exe.
// std::set_terminate cannot do that: the library's handler variable starts
// out pointing at its own verbose handler, so that handler comes in with
// std::terminate whatever is set later (tried: 77,312 bytes more, beyond
// the size that win32.executable allows, which is what fails should a
// toolchain stop taking this definition).
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
