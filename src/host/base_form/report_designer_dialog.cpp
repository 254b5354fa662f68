#include "host/base_form/report_designer_dialog.h"

#include "host/components/property_helpers.h"

namespace hostfw {

const PropertyInfo* TReportDesignerDialog::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"BeforeGetQueryParams", EventProperty(&TReportDesignerDialog::BeforeGetQueryParams)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

const PropertyInfo* TMenuItem::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Caption", StringProperty(&TMenuItem::SetCaption)},
        {"ShortCut", DesignProperty(PropertyType::Integer)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

const PropertyInfo* TSaveDialog::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Title", StringProperty(&TSaveDialog::SetTitle)},
        {"DefaultExt", DesignProperty(PropertyType::String)},
        {"Filter", DesignProperty(PropertyType::String)},
        {"Options", DesignProperty(PropertyType::Set)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

}  // namespace hostfw
