#pragma once

#include <string>
#include <vector>

#include "host/components/component.h"
#include "hostfw_export.h"

namespace hostfw {

// A form's message table: one stored line per entry, "key|text".
class HOSTFW_EXPORT TMessages : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TMessages"; }

    const std::vector<std::string>& Lines() const { return lines_; }
    void SetLines(const std::vector<std::string>& lines) { lines_ = lines; }

    // The text after the first "|" of the first line whose whole key matches, letter case
    // ignored; the empty text for an unknown key.
    std::string Msg(const std::string& key) const;

    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    std::vector<std::string> lines_;
};

}  // namespace hostfw
