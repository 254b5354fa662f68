// What the form's code calls on the program that runs it (the session, the messages): always
// through its own context.
#include "host/base_form/frm_dados_ger_rel.h"
#include "host/services/mens_erro.h"
#include "host/services/wait_animation.h"
#include "host/ui/host_context.h"

namespace hostfw {

std::string TfrmDadosGerRel::FiliProc() const {
    return hostfw::FiliProc(Context().Session());
}

bool TfrmDadosGerRel::ModuFili() const {
    return hostfw::ModuFili(Context().Session());
}

std::string TfrmDadosGerRel::WebURL() const {
    return Context().Session().webUrl;
}

int TfrmDadosGerRel::WebPort() const {
    return Context().Session().webPort;
}

void TfrmDadosGerRel::MensErro(const std::string& text, bool abort) const {
    hostfw::MensErro(*this, text, abort);
}

void TfrmDadosGerRel::ActiveShowAvi(TCustomForm* form, int kind) const {
    hostfw::ActiveShowAvi(Context(), form, kind);
}

void TfrmDadosGerRel::DeactiveShowAvi() const {
    hostfw::DeactiveShowAvi(Context());
}

bool TfrmDadosGerRel::ShowAviActive() const {
    return hostfw::ShowAviActive(Context());
}

}  // namespace hostfw
