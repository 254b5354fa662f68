#pragma once

#include <memory>

#include "host/report/printed_line.h"
#include "host/report/report_definition.h"
#include "hostfw_export.h"

class QPainter;
class QPaintDevice;

namespace hostfw {

// Draws framed pages onto a painter over the printable area of a page, `width` by `height`
// device units from the painter's origin: the definition's character grid stretched over the
// width and its page lines over the height, DejaVu Sans sized to fit a cell. The PDF and the
// preview window both draw with it, so the screen shows exactly what the PDF holds.
class HOSTFW_EXPORT PagePainter {
public:
    PagePainter(const ReportDefinition& definition, QPaintDevice& device, double width,
                double height);
    ~PagePainter();
    PagePainter(const PagePainter&) = delete;
    PagePainter& operator=(const PagePainter&) = delete;

    void Paint(QPainter& painter, const FramedPage& page) const;

private:
    struct Layout;
    std::unique_ptr<Layout> layout_;
};

// Millimetres of blank margin around the printable area of an A4 page.
constexpr double kPageMarginMillimetres = 10.0;

}  // namespace hostfw
