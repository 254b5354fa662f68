#include "host/view/accessible_names.h"

#include <array>
#include <string_view>

#include "host/controls/btn_pesquisa.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"

namespace hostfw::view {
namespace {

// The base report form's chooser has no label of its own.
constexpr std::array<std::pair<std::string_view, std::string_view>, 1> kUnlabelled = {{
    {"cbbReportNames", "Relatório"},
}};

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

bool IsField(const TControl& control) {
    return dynamic_cast<const TCustomEdit*>(&control) != nullptr ||
           dynamic_cast<const TComboBox*>(&control) != nullptr;
}

// Whether two controls share a row: their vertical spans overlap by half the smaller.
bool SameRow(const TControl& a, const TControl& b) {
    const int overlap =
        std::min(a.Top() + a.Height(), b.Top() + b.Height()) - std::max(a.Top(), b.Top());
    return overlap * 2 >= std::min(a.Height(), b.Height());
}

// The label nearest on the field's left in its row, and whether another field sits between.
struct RowLabel {
    const TLabel* label = nullptr;
    bool fieldBetween = false;
};

RowLabel LabelOnTheLeft(const TControl& field) {
    RowLabel found;
    if (field.Parent() == nullptr)
        return found;
    const auto& siblings = field.Parent()->Controls();
    for (const TControl* sibling : siblings) {
        const auto* label = dynamic_cast<const TLabel*>(sibling);
        if (label == nullptr || label->Caption().empty() || !SameRow(*label, field) ||
            label->Left() >= field.Left())
            continue;
        if (found.label == nullptr || label->Left() > found.label->Left())
            found.label = label;
    }
    if (found.label == nullptr)
        return found;
    for (const TControl* sibling : siblings) {
        if (sibling != &field && IsField(*sibling) && SameRow(*sibling, field) &&
            sibling->Left() > found.label->Left() && sibling->Left() < field.Left())
            found.fieldBetween = true;
    }
    return found;
}

QString FieldName(const TControl& field) {
    for (const auto& [name, caption] : kUnlabelled) {
        if (field.Name() == name)
            return QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size()));
    }
    const RowLabel row = LabelOnTheLeft(field);
    if (row.label != nullptr) {
        const QString caption = Text(row.label->Caption());
        return row.fieldBetween ? caption + QStringLiteral(" (descrição)") : caption;
    }
    if (field.Parent() != nullptr && !field.Parent()->Caption().empty())
        return Text(field.Parent()->Caption());
    return {};
}

// The caption of the group that holds a control, if any.
QString GroupCaption(const TControl* control) {
    for (const TWinControl* parent = control != nullptr ? control->Parent() : nullptr;
         parent != nullptr; parent = parent->Parent()) {
        if (dynamic_cast<const TGroupBox*>(parent) != nullptr && !parent->Caption().empty())
            return Text(parent->Caption());
    }
    return {};
}

QString SearchButtonName(const TBtnPesquisa& button) {
    const QString action =
        button.Hint().empty() ? QStringLiteral("Pesquisar") : Text(button.Hint());
    QString subject = Text(button.Title());
    if (subject.isEmpty())
        subject = GroupCaption(button.Associate());
    if (subject.isEmpty())
        subject = GroupCaption(&button);
    return subject.isEmpty() ? action : action + QLatin1Char(' ') + subject;
}

}  // namespace

const TLabel* LabelOf(const TControl& field) {
    const RowLabel row = LabelOnTheLeft(field);
    return row.fieldBetween ? nullptr : row.label;
}

QString AccessibleNameOf(const TControl& control) {
    if (IsField(control))
        return FieldName(control);
    if (const auto* search = dynamic_cast<const TBtnPesquisa*>(&control))
        return SearchButtonName(*search);
    if (!control.Caption().empty())
        return Text(control.Caption());
    return Text(control.Hint());
}

}  // namespace hostfw::view
