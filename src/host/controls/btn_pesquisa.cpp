#include "host/controls/btn_pesquisa.h"

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/data/data_source.h"
#include "host/data/dataset.h"
#include "host/data/field.h"
#include "host/services/dataset_rows.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"

namespace hostfw {

void TBtnPesquisa::Click() {
    if (!Enabled())
        return;
    if (OnClick) {
        OnClick(this);
        return;
    }
    Search();
}

void TBtnPesquisa::Search() {
    bool proceed = true;
    if (OnBeforePesq)
        OnBeforePesq(this, proceed);
    if (!proceed)
        return;
    if (dataSource_ == nullptr || dataSource_->DataSet() == nullptr) {
        throw Exception("O botão de pesquisa '" + Name() + "' não tem um conjunto de dados.");
    }
    TDataSet& dataSet = *dataSource_->DataSet();
    if (dataSet.IsEmpty()) {
        HostContextOf(*this).Application().Dialogs().ShowMessage(emptyError_,
                                                                 MessageKind::Information);
        return;
    }
    const std::string keyField =
        dataSet.Fields().empty() ? "" : dataSet.Fields().front()->FieldName();
    const DataSetRows rows(dataSet, keyField);
    const std::optional<size_t> chosen =
        HostContextOf(*this).Application().Dialogs().SearchRow({title_, &rows});
    if (!chosen)
        return;
    dataSet.SetRecNo(static_cast<int>(*chosen));
    if (OnAfterPesq)
        OnAfterPesq(this);
}

const PropertyInfo* TBtnPesquisa::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Associate", ReferenceProperty(&TBtnPesquisa::SetAssociate)},
        {"Title", StringProperty(&TBtnPesquisa::SetTitle)},
        {"DataSource", ReferenceProperty(&TBtnPesquisa::SetDataSource)},
        {"EmptyError", StringProperty(&TBtnPesquisa::SetEmptyError)},
        {"PesqChave", BooleanProperty(&TBtnPesquisa::SetPesqChave)},
        {"OnBeforePesq", EventProperty(&TBtnPesquisa::OnBeforePesq)},
        {"OnAfterPesq", EventProperty(&TBtnPesquisa::OnAfterPesq)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TSpeedButton::FindProperty(name);
}

}  // namespace hostfw
