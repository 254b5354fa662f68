#pragma once

#include "remote_object.h"

namespace appserver {

inline constexpr const char* kTestObjectName = "exp036.Teste";

// Offered by the tests' server with --test-objects, so clients can be tested end to end:
//   Echo(x)         returns x, whatever its type.
//   Reverse(a..z)   puts the arguments in reverse order (what the by-reference ones carry
//                   back) and returns their count.
//   Fail(text)      refuses the call with that text (status 500).
//   Sleep(ms)       waits up to ms milliseconds (at most 60000), giving up with a 503 once the
//                   server's call time limit is over; returns ms.
//   Count(n)        counts from 1 to n in one database statement and returns the count: a
//                   statement that runs as long as the test wants.
RemoteObject MakeTestObject();

}  // namespace appserver
