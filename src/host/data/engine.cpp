#include "host/data/engine.h"

namespace hostfw {

// Out of line so the vtables and type information live once, in libhostfw.so.
Cursor::~Cursor() = default;
Engine::~Engine() = default;
QueryTimeout::QueryTimeout()
    : Exception("Erro no banco de dados: o comando excedeu o tempo limite e foi interrompido.") {}
QueryTimeout::~QueryTimeout() = default;
QueryStopped::QueryStopped()
    : Exception(
          "Erro no banco de dados: o comando foi interrompido porque quem o pediu desistiu.") {}
QueryStopped::~QueryStopped() = default;

}  // namespace hostfw
