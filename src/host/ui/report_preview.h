#pragma once

#include <string>
#include <utility>

#include "hostfw_export.h"

namespace hostfw {

// A report laid out for the screen. A window draws its pages; without one its text stands in.
class HOSTFW_EXPORT ReportPreview {
public:
    virtual ~ReportPreview();
    virtual const std::string& Title() const = 0;
    // The whole report as the text renderer prints it.
    virtual std::string Text() const = 0;
};

// A preview that is only text (a report already rendered, a test's stand-in).
class HOSTFW_EXPORT TextPreview : public ReportPreview {
public:
    TextPreview(std::string title, std::string text)
        : title_(std::move(title)), text_(std::move(text)) {}
    const std::string& Title() const override { return title_; }
    std::string Text() const override { return text_; }

private:
    std::string title_;
    std::string text_;
};

}  // namespace hostfw
