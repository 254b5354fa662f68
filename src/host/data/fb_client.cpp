#include "host/data/fb_client.h"

#include <array>

#include "host/data/fb_environment.h"

namespace hostfw::fb {

Firebird::IMaster* Master() {
    static Firebird::IMaster* master = [] {
        PrepareClientEnvironment();
        return Firebird::fb_get_master_interface();
    }();
    return master;
}

Firebird::IUtil* Util() {
    static Firebird::IUtil* util = Master()->getUtilInterface();
    return util;
}

std::string FailureText(const Firebird::FbException& failure) {
    std::array<char, 2048> buffer{};
    Util()->formatStatus(buffer.data(), buffer.size(), failure.getStatus());
    // One message a line, each after the first led by "-".
    std::string text;
    for (const char* c = buffer.data(); *c != '\0'; ++c) {
        if (*c != '\n') {
            text += *c;
        } else if (c[1] != '\0') {
            text += "; ";
            if (c[1] == '-')
                ++c;
        }
    }
    return text;
}

bool HasCode(const Firebird::FbException& failure, ISC_STATUS code) {
    const intptr_t* vector = failure.getStatus()->getErrors();
    // Pairs of (argument kind, value); a string of given length takes one more place.
    for (std::size_t i = 0; vector[i] != isc_arg_end;) {
        if (vector[i] == isc_arg_gds && vector[i + 1] == code)
            return true;
        i += vector[i] == isc_arg_cstring ? 3 : 2;
    }
    return false;
}

bool MeansConnectionLost(const Firebird::FbException& failure) {
    for (const ISC_STATUS code :
         {isc_network_error, isc_net_read_err, isc_net_write_err, isc_lost_db_connection,
          isc_conn_lost, isc_att_shutdown, isc_shutdown, isc_bad_db_handle}) {
        if (HasCode(failure, code))
            return true;
    }
    return false;
}

}  // namespace hostfw::fb
