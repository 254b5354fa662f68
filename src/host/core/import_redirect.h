#pragma once

#include "hostfw_export.h"

namespace hostfw {

// Points the calls that one loaded shared library makes to an imported function at
// `replacement`, by rewriting that library's own import slots, and leaves every other caller
// alone. The library is the one that defines `anyOfItsFunctions`. Unlike a function exported
// under the same name, it depends on no order of linking or loading, and it cannot fail
// unseen: it raises an Exception naming the function when the library is not a shared object
// of its own or does not import it. Not to be undone; call it once, before the library's
// first call of the function.
HOSTFW_EXPORT void RedirectImport(const void* anyOfItsFunctions, const char* function,
                                  void* replacement);

}  // namespace hostfw
