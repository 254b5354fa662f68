#include "host/data/field.h"

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/data/dataset.h"

namespace hostfw {

TField::~TField() {
    SetDataSet(nullptr);
}

void TField::SetDataSet(TDataSet* dataSet) {
    if (dataSet_ == dataSet)
        return;
    if (dataSet_ != nullptr)
        dataSet_->RemoveField(this);
    dataSet_ = dataSet;
    if (dataSet_ != nullptr)
        dataSet_->AddField(this);
}

void TField::SetParentComponent(TComponent* parent) {
    auto* dataSet = dynamic_cast<TDataSet*>(parent);
    if (dataSet == nullptr)
        throw Exception("um campo só pode ficar dentro de um conjunto de dados.");
    SetDataSet(dataSet);
}

Variant TField::Value() const {
    if (dataSet_ == nullptr)
        throw Exception("O campo '" + Name() + "' não pertence a um conjunto de dados.");
    return dataSet_->FieldValue(*this);
}

std::string TField::GetText(bool displayText) const {
    if (OnGetText) {
        std::string text;
        OnGetText(const_cast<TField*>(this), text, displayText);
        return text;
    }
    return AsString();
}

const PropertyInfo* TField::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"FieldName", StringProperty(&TField::SetFieldName)},
        {"DisplayLabel", StringProperty(&TField::SetDisplayLabel)},
        {"DisplayWidth", IntegerProperty(&TField::SetDisplayWidth)},
        {"Size", IntegerProperty(&TField::SetSize)},
        {"Required", BooleanProperty(&TField::SetRequired)},
        {"Visible", BooleanProperty(&TField::SetVisible)},
        {"FixedChar", BooleanProperty(&TField::SetFixedChar)},
        {"Origin", DesignProperty(PropertyType::String)},
        {"EditMask", DesignProperty(PropertyType::String)},
        {"OnGetText", EventProperty(&TField::OnGetText)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

}  // namespace hostfw
