#include "host/services/check_result_serv.h"

namespace hostfw {

DataPacket CheckResultServ(const OleVariant& reply, [[maybe_unused]] bool flag,
                           [[maybe_unused]] int number) {
    return reply.AsDataPacket();
}

DataPacket CheckResultServ(OleVariant&& reply, [[maybe_unused]] bool flag,
                           [[maybe_unused]] int number) {
    return std::move(reply).TakeDataPacket();
}

}  // namespace hostfw
