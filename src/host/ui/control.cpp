#include "host/ui/control.h"

#include <algorithm>

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/ui/form.h"

namespace hostfw {

TControl::TControl(TComponent* owner) : TComponent(owner) {}

TControl::~TControl() {
    SetParent(nullptr);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent)
        return;
    if (parent_ != nullptr) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_ != nullptr)
        parent_->controls_.push_back(this);
}

void TControl::SetParentComponent(TComponent* parent) {
    auto* container = dynamic_cast<TWinControl*>(parent);
    if (container == nullptr) {
        throw Exception("'" + Name() + "' só pode ficar dentro de um controle contêiner.");
    }
    SetParent(container);
}

void TControl::SetText(const std::string& value) {
    std::string stored = StoredText(value);
    if (text_ == stored)
        return;
    text_ = std::move(stored);
    TextChanged();
}

bool TControl::IsUsable() const {
    for (const TControl* c = this; c != nullptr; c = c->parent_) {
        if (!c->enabled_ || !c->visible_)
            return false;
    }
    return true;
}

void TControl::SetColorIdent(const std::string& ident) {
    color_ = ColorFromIdent(ident);
}

void TControl::SetAlignmentIdent(const std::string& ident) {
    if (ident == "taLeftJustify") {
        alignment_ = TAlignment::taLeftJustify;
    } else if (ident == "taRightJustify") {
        alignment_ = TAlignment::taRightJustify;
    } else if (ident == "taCenter") {
        alignment_ = TAlignment::taCenter;
    } else {
        throw Exception("alinhamento desconhecido '" + ident + "'.");
    }
}

void TControl::Click() {
    if (enabled_ && OnClick)
        OnClick(this);
}

const PropertyInfo* TControl::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Left", IntegerProperty(&TControl::SetLeft)},
        {"Top", IntegerProperty(&TControl::SetTop)},
        {"Width", IntegerProperty(&TControl::SetWidth)},
        {"Height", IntegerProperty(&TControl::SetHeight)},
        {"Caption", StringProperty(&TControl::SetCaption)},
        {"Enabled", BooleanProperty(&TControl::SetEnabled)},
        {"Visible", BooleanProperty(&TControl::SetVisible)},
        {"Hint", StringProperty(&TControl::SetHint)},
        {"ShowHint", BooleanProperty(&TControl::SetShowHint)},
        {"Color", IdentifierProperty(&TControl::SetColorIdent)},
        {"Alignment", IdentifierProperty(&TControl::SetAlignmentIdent)},
        {"Font.Name",
         {PropertyType::String,
          [](TComponent& c, const PropertyValue& v) {
              static_cast<TControl&>(c).Font().name = std::get<std::string>(v);
          }}},
        {"Font.Height",
         {PropertyType::Integer,
          [](TComponent& c, const PropertyValue& v) {
              static_cast<TControl&>(c).Font().height = static_cast<int>(std::get<std::int64_t>(v));
          }}},
        {"Font.Style",
         {PropertyType::Set,
          [](TComponent& c, const PropertyValue& v) {
              const auto& styles = std::get<std::vector<std::string>>(v);
              static_cast<TControl&>(c).Font().bold =
                  std::find(styles.begin(), styles.end(), "fsBold") != styles.end();
          }}},
        {"Font.Color",
         {PropertyType::Identifier,
          [](TComponent& c, const PropertyValue& v) {
              static_cast<TControl&>(c).Font().color = ColorFromIdent(std::get<std::string>(v));
          }}},
        {"Font.Charset", DesignProperty(PropertyType::Identifier)},
        {"ParentFont", DesignProperty(PropertyType::Boolean)},
        {"ParentColor", DesignProperty(PropertyType::Boolean)},
        {"Anchors", DesignProperty(PropertyType::Set)},
        {"Align", DesignProperty(PropertyType::Identifier)},
        {"OnClick", EventProperty(&TControl::OnClick)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TComponent::FindProperty(name);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    while (!controls_.empty())
        controls_.back()->SetParent(nullptr);
}

void TWinControl::SetTabOrder(int value) {
    tabOrder_ = value;
}

void TWinControl::SetFocus() {
    TCustomForm* form = GetParentForm(*this);
    if (form == nullptr)
        throw Exception("'" + Name() + "' não está em um formulário.");
    form->FocusControl(this);
}

bool TWinControl::Focused() const {
    const TCustomForm* form = GetParentForm(*this);
    return form != nullptr && form->ActiveControl() == this;
}

void TWinControl::KeyPress(char& key) {
    if (OnKeyPress)
        OnKeyPress(this, key);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

const PropertyInfo* TWinControl::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"TabOrder", IntegerProperty(&TWinControl::SetTabOrder)},
        {"TabStop", BooleanProperty(&TWinControl::SetTabStop)},
        {"OnEnter", EventProperty(&TWinControl::OnEnter)},
        {"OnExit", EventProperty(&TWinControl::OnExit)},
        {"OnKeyPress", EventProperty(&TWinControl::OnKeyPress)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TControl::FindProperty(name);
}

TCustomForm* GetParentForm(const TControl& control) {
    const TControl* c = &control;
    while (c->Parent() != nullptr)
        c = c->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(c));
}

namespace {

void CollectTabSequence(const TWinControl& container, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (TControl* c : container.Controls()) {
        if (auto* w = dynamic_cast<TWinControl*>(c))
            children.push_back(w);
    }
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* child : children) {
        if (child->AcceptsFocus()) {
            if (child->TabStop())
                out.push_back(child);
        } else {
            CollectTabSequence(*child, out);
        }
    }
}

}  // namespace

std::vector<TWinControl*> TabSequence(const TWinControl& root) {
    std::vector<TWinControl*> out;
    CollectTabSequence(root, out);
    return out;
}

}  // namespace hostfw
