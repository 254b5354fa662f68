#pragma once

namespace hostfw {

// How far a long report run got: rows read from its query and pages laid out so far, then,
// once every row is read, pages drawn of the whole count.
struct RunStep {
    long long rowsRead = 0;
    int pagesLaidOut = 0;
    int pagesDrawn = 0;
    int pageCount = 0;  // 0 until the rows are all read and laid out
};

}  // namespace hostfw
