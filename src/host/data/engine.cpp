#include "host/data/engine.h"

namespace hostfw {

// Out of line so the vtables and type information live once, in libhostfw.so.
Cursor::~Cursor() = default;
Engine::~Engine() = default;

}  // namespace hostfw
