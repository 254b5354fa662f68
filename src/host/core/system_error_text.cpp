#include "host/core/system_error_text.h"

#include <cerrno>

namespace hostfw {

std::string SystemErrorText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "sem permissão";
        case ENOENT:
            return "não existe";
        case ENOSPC:
        case EDQUOT:
            return "disco cheio";
        case EROFS:
            return "disco somente para leitura";
        case ENAMETOOLONG:
            return "nome longo demais";
        case ENOTDIR:
            return "caminho não é uma pasta";
        case EFBIG:
            return "arquivo grande demais";
        case EISDIR:
            return "é uma pasta";
        case EIO:
            return "erro de entrada e saída";
        case EPIPE:
            return "a saída foi fechada";
        default:
            return "erro do sistema " + std::to_string(error);
    }
}

}  // namespace hostfw
