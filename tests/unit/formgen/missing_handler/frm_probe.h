#pragma once

#include "host/ui/form.h"
#include "host/ui/std_controls.h"
#include "unit/formgen/missing_handler/frm_probe_members.h"

namespace probe {

// A form whose definition binds btnGoClick, which the class does not declare: its bindings must
// not compile.
class TfrmProbe : public hostfw::TForm, public TfrmProbeMembers {
public:
    using TForm::TForm;
    void FormShow(hostfw::TObject* sender);

protected:
    void RegisterHandlers(hostfw::HandlerTable& table) override;
    void BindMembers() override;
};

}  // namespace probe
