#pragma once

#include <string>

#include "host/components/component.h"
#include "host/components/events.h"
#include "host/core/variant.h"
#include "hostfw_export.h"

namespace hostfw {

class TDataSet;

// A persistent field of a dataset: its metadata as the definition stores it, and the value
// of the dataset's current row.
class HOSTFW_EXPORT TField : public TComponent {
public:
    using TComponent::TComponent;
    ~TField() override;

    TDataSet* DataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    void SetParentComponent(TComponent* parent) override;

    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& value) { fieldName_ = value; }
    // The caption shown for the field: the display label, or the field name without one.
    const std::string& DisplayLabel() const {
        return displayLabel_.empty() ? fieldName_ : displayLabel_;
    }
    void SetDisplayLabel(const std::string& value) { displayLabel_ = value; }
    int DisplayWidth() const { return displayWidth_; }
    void SetDisplayWidth(int value) { displayWidth_ = value; }
    int Size() const { return size_; }
    void SetSize(int value) { size_ = value; }
    bool Required() const { return required_; }
    void SetRequired(bool value) { required_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool FixedChar() const { return fixedChar_; }
    void SetFixedChar(bool value) { fixedChar_ = value; }

    // The value of the current row (Null when the dataset has no current row).
    Variant Value() const;
    std::string AsString() const { return Value().AsString(); }
    bool IsNull() const { return Value().IsEmptyOrNull(); }
    // The text shown for the current row: OnGetText when assigned (starting from an empty
    // text), otherwise the value as a string. Text() is the edit text, asked the same way.
    std::string DisplayText() const { return GetText(true); }
    std::string Text() const { return GetText(false); }

    TFieldGetTextEvent OnGetText;

    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    friend class TDataSet;
    std::string GetText(bool displayText) const;
    void DetachFromDataSet() { dataSet_ = nullptr; }

    TDataSet* dataSet_ = nullptr;
    std::string fieldName_;
    std::string displayLabel_;
    int displayWidth_ = 0;
    int size_ = 0;
    bool required_ = false;
    bool visible_ = true;
    bool fixedChar_ = false;
};

class HOSTFW_EXPORT TStringField : public TField {
public:
    using TField::TField;
    std::string ClassName() const override { return "TStringField"; }
};

}  // namespace hostfw
