#pragma once

#include "host/report/printed_line.h"

namespace hostfw {

// An output format for paged reports (plain text, PDF). Pages arrive in order, once the page
// count is known.
class PageRenderer {
public:
    virtual ~PageRenderer() = default;
    virtual void RenderPage(const FramedPage& page) = 0;
    // Completes the document; a renderer that is not finished writes nothing usable.
    virtual void Finish() = 0;
};

}  // namespace hostfw
