#include "numbers/runtime_error.h"

#include <new>

namespace velmora {

RuntimeError AsRuntimeError(std::exception_ptr failure) {
  try {
    std::rethrow_exception(failure);
  } catch (const RuntimeError& error) {
    return error;
  } catch (const std::bad_alloc&) {
    return RuntimeError(kErrorOutOfMemory, "Out of memory");
  } catch (...) {
    return RuntimeError(kErrorInternal, "Internal error");
  }
}

}  // namespace velmora
