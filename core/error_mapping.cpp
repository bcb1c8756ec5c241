#include "core/error_mapping.h"

#include <new>
#include <stdexcept>

namespace zs {

Error currentError() {
  try {
    throw;
  } catch (const Error& e) {
    return e;
  } catch (const std::bad_alloc&) {
    return Error(err::kOutOfMemory);
  } catch (const std::length_error&) {
    return Error(err::kOutOfMemory);
  } catch (...) {
    return Error(err::kInternal);
  }
}

}  // namespace zs
