#include <algorithm>

#include "host/base_form/frm_dados_ger_rel.h"
#include "host/base_form/message_format.h"
#include "host/core/exception.h"
#include "host/report/report_catalog.h"
#include "host/services/mens_erro.h"
#include "host/ui/host_context.h"

namespace hostfw {

std::string TfrmDadosGerRel::BaseText(const std::string& key) const {
    std::string text = msgPadrao->Msg(key);
    return text.empty() ? msgMensagens->Msg(key) : text;
}

void TfrmDadosGerRel::FillReportNames() {
    const std::string reportCode = lblCodRel->Caption();
    const std::string folder = Context().Session().reportDir;
    cbbReportNames->ClearItems();
    try {
        catalog_ = std::make_unique<ReportCatalog>(ReportCatalog::Load(folder, reportCode));
    } catch (const Exception&) {
        // A missing or unreadable folder leaves the user with the same remedy as an empty one.
        catalog_.reset();
    }
    if (!catalog_ || catalog_->Entries().empty()) {
        // Told, not raised: the parameter form still opens without a report to run.
        MensErro(FormatMessage(BaseText("Arq_Rel_Err"), {reportCode, folder}), false);
        return;
    }
    ShowReportNames(0);
}

void TfrmDadosGerRel::ReloadReportNames() {
    const int itemIndex = cbbReportNames->ItemIndex();
    catalog_ = std::make_unique<ReportCatalog>(
        ReportCatalog::Load(catalog_->Folder(), catalog_->ReportCode()));
    ShowReportNames(itemIndex);
}

void TfrmDadosGerRel::ShowReportNames(int itemIndex) {
    std::vector<std::string> titles;
    for (const ReportCatalogEntry& entry : catalog_->Entries())
        titles.push_back(entry.Title());
    cbbReportNames->SetItems(titles);
    cbbReportNames->SetItemIndex(std::min(itemIndex, static_cast<int>(titles.size()) - 1));
}

std::size_t TfrmDadosGerRel::SelectedIndex() const {
    const int itemIndex = cbbReportNames->ItemIndex();
    if (!catalog_ || itemIndex < 0 ||
        static_cast<std::size_t>(itemIndex) >= catalog_->Entries().size()) {
        throw Exception(BaseText("Rel_NaoSelecionado"));
    }
    return static_cast<std::size_t>(itemIndex);
}

std::filesystem::path TfrmDadosGerRel::SelectedReportFile() const {
    const std::size_t index = SelectedIndex();
    return catalog_->Entries()[index].file;
}

const ReportDefinition& TfrmDadosGerRel::SelectedDefinition() const {
    const std::size_t index = SelectedIndex();
    try {
        return catalog_->Definition(index);
    } catch (const Exception& e) {
        throw Exception(FormatMessage(BaseText("Rel_DefInvalida"), {e.what()}));
    }
}

}  // namespace hostfw
