#pragma once

#include <string>

#include "host/ui/std_controls.h"
#include "hostfw_export.h"

namespace hostfw {

class TDataSource;

// The small search button. Disabled, it ignores clicks. With OnClick, a click runs only that
// handler. Without one, a click runs OnBeforePesq (its flag starts true; false cancels),
// shows EmptyError when the data source's dataset has no row, and otherwise offers the rows
// in the host's single-row search titled Title; choosing a row leaves it current and runs
// OnAfterPesq, cancelling runs nothing more.
class HOSTFW_EXPORT TBtnPesquisa : public TSpeedButton {
public:
    using TSpeedButton::TSpeedButton;
    std::string ClassName() const override { return "TBtnPesquisa"; }

    void Click() override;

    TControl* Associate() const { return associate_; }
    void SetAssociate(TControl* control) { associate_ = control; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }
    TDataSource* DataSource() const { return dataSource_; }
    void SetDataSource(TDataSource* value) { dataSource_ = value; }
    const std::string& EmptyError() const { return emptyError_; }
    void SetEmptyError(const std::string& value) { emptyError_ = value; }
    bool PesqChave() const { return pesqChave_; }
    void SetPesqChave(bool value) { pesqChave_ = value; }

    TBeforePesqEvent OnBeforePesq;
    TNotifyEvent OnAfterPesq;

    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    void Search();

    TControl* associate_ = nullptr;
    std::string title_;
    TDataSource* dataSource_ = nullptr;
    std::string emptyError_;
    bool pesqChave_ = false;
};

}  // namespace hostfw
