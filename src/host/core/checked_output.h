#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// An output stream over an open file descriptor in which no failed write goes unnoticed: the
// first write the system refuses raises "Falha ao gravar <what> (<reason>)." at once, out of
// whatever operation made it (disco cheio, arquivo grande demais, ...). Finish writes out
// what is buffered, so a failure of the last write is raised too. The descriptor stays the
// caller's.
class HOSTFW_EXPORT CheckedOutput : public std::ostream {
public:
    // `what` names the destination for the user: "'/pasta/r.csv'", "a saída padrão".
    CheckedOutput(int descriptor, std::string what);
    ~CheckedOutput() override;
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    void Finish();

private:
    class Buffer;
    std::unique_ptr<Buffer> buffer_;
};

}  // namespace hostfw
