#pragma once

// The probe form lives in no shared library: its members need no visibility of their own.
#define PROBE_EXPORT
