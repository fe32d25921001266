// The program's terminate handler: std::terminate ends the program with
// abort, as the standard library's default handler does, but without that
// handler's message to the standard error stream (which a GUI program does
// not have). Defining the handler here keeps the library's own version, and
// the C++ name demangler it uses for its message, out of Velmora.exe.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
