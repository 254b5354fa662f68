#include "host/services/check_result_serv.h"

#include <strings.h>

#include <algorithm>

#include "host/core/exception.h"

namespace hostfw {
DataPacket CheckResultServ(const OleVariant& reply, [[maybe_unused]] bool flag,
                           [[maybe_unused]] int number) {
    return reply.asDataPacket();
}

void requireFields(const DataPacket& packet, const std::vector<FieldDef>& expected) {
    for (const FieldDef& want : expected) {
        const auto found =
            std::find_if(packet.fields.begin(), packet.fields.end(), [&want](const FieldDef& have) {
                return strcasecmp(have.name.c_str(), want.name.c_str()) == 0;
            });
        if (found == packet.fields.end()) {
            throw Exception("A resposta do servidor de aplicação não traz o campo " + want.name +
                            ".");
        }
        if (found->type != want.type) {
            throw Exception("O campo " + want.name +
                            " da resposta do servidor de aplicação é do tipo " + found->type +
                            ", não " + want.type + ".");
        }
    }
}

}  // namespace hostfw
