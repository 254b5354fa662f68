#pragma once

#include <ostream>
#include <string>
#include <utility>

#include "hostfw_export.h"

namespace hostfw {

// A report laid out for the screen. A window draws its pages; without one its text stands in.
class HOSTFW_EXPORT ReportPreview {
public:
    virtual ~ReportPreview();
    virtual const std::string& Title() const = 0;
    // The whole report as the text renderer prints it, a page at a time, so a report of any
    // length takes the same memory.
    virtual void WriteText(std::ostream& out) const = 0;
    // The same as one string, for a report known to be short.
    std::string Text() const;
};

// A preview that is only text (a report already rendered, a test's stand-in).
class HOSTFW_EXPORT TextPreview : public ReportPreview {
public:
    TextPreview(std::string title, std::string text)
        : title_(std::move(title)), text_(std::move(text)) {}
    const std::string& Title() const override { return title_; }
    void WriteText(std::ostream& out) const override { out << text_; }

private:
    std::string title_;
    std::string text_;
};

}  // namespace hostfw
