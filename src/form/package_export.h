#pragma once

// Names the package offers to its host: the entry routine, the form class and the
// module-level state. Everything else stays hidden.
#define PKG_EXPORT __attribute__((visibility("default")))
