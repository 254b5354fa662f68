#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QComboBox;
class QLineEdit;

namespace host {

// What to keep under a name: the dates as they are typed in the form, or a date rule that
// counts from the day the choice is used ("Mês anterior" is always last month).
struct ChoiceToSave {
    std::string name;
    std::optional<std::string> period;  // nothing: the dates as typed
};

// "Salvar consulta": the name, and which dates the choice keeps.
class SaveChoiceDialog : public QDialog {
public:
    // `typedDates` describes the form's dates now ("01/01/2026 a 31/12/2026").
    SaveChoiceDialog(const QString& typedDates, QWidget* parent);
    QLineEdit& Name() { return *name_; }
    QComboBox& Dates() { return *dates_; }
    // What was asked for, once confirmed with a name that is not blank.
    std::optional<ChoiceToSave> Result() const;

private:
    QLineEdit* name_;
    QComboBox* dates_;
};

}  // namespace host
