// Start-up wiring of the framework, run when the library is loaded: before any form can be
// created, the classes a stored definition names are registered.
#include "host/startup/standard_classes.h"

namespace hostfw {
namespace {

[[maybe_unused]] const bool started = (RegisterStandardClasses(), true);

}  // namespace
}  // namespace hostfw
