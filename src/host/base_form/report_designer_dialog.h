#pragma once

#include "host/components/component.h"
#include "host/components/events.h"
#include "host/data/params.h"
#include "hostfw_export.h"

namespace hostfw {

// The report designer and runner of a report form. Just before a report's query runs it
// raises BeforeGetQueryParams with the query's parameter list.
class HOSTFW_EXPORT TReportDesignerDialog : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TReportDesignerDialog"; }

    void DoBeforeGetQueryParams(TParams& params, bool& flag) {
        if (BeforeGetQueryParams)
            BeforeGetQueryParams(params, flag);
    }

    TQueryParamsEvent BeforeGetQueryParams;
    const PropertyInfo* FindProperty(std::string_view name) const override;
};

// Pop-up menus and the save dialog of the base form: kept with their captions for the
// desktop view; headless they only hold their settings.
class HOSTFW_EXPORT TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TPopupMenu"; }
};

class HOSTFW_EXPORT TMenuItem : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TMenuItem"; }
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value) { caption_ = value; }
    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    std::string caption_;
};

class HOSTFW_EXPORT TSaveDialog : public TComponent {
public:
    using TComponent::TComponent;
    std::string ClassName() const override { return "TSaveDialog"; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    std::string title_;
};

}  // namespace hostfw
