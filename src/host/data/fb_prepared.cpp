#include "host/data/fb_prepared.h"

namespace hostfw {

FbPrepared::~FbPrepared() {
    if (!statement)
        return;
    // Frees the server's side now; should that fail (the link is gone), dropping the reference
    // is all there is left to do.
    fb::Status status;
    try {
        statement->free(&status);
        statement.Take();
    } catch (const Firebird::FbException&) {
    }
}

}  // namespace hostfw
