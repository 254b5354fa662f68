#pragma once

#include "hostfw_export.h"

namespace hostfw {

class HostContext;
class TApplication;
class TScreen;

// The host entering a package's entry routine on behalf of one of its contexts. The routine
// takes nothing but its parameter, yet its code asks for the application and the screen; the
// entry names the calling context for the duration of that call and for nothing else. A form
// the routine creates is owned by that context's application and reaches it through its owner
// from then on. Entries nest: an inner one gives the outer back when it ends. Each thread has
// its own, as each runs its own events.
class HOSTFW_EXPORT PackageEntry {
public:
    explicit PackageEntry(HostContext& context);
    ~PackageEntry();
    PackageEntry(const PackageEntry&) = delete;
    PackageEntry& operator=(const PackageEntry&) = delete;

private:
    HostContext* previous_;
};

// The application and the screen of the context the host is entering a package with. Outside
// an entry they raise a clear Exception rather than reach some other context: a form reads its
// own (TCustomForm::Application, TCustomForm::Screen).
HOSTFW_EXPORT TApplication& Application();
HOSTFW_EXPORT TScreen& Screen();

}  // namespace hostfw
