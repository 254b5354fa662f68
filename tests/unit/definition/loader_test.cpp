#include <gtest/gtest.h>

#include <string>

#include "host/components/component_by_name.h"
#include "host/core/exception.h"
#include "host/definition/loader.h"
#include "host/ui/form.h"
#include "host/ui/std_controls.h"
#include "support/failure_of.h"

namespace {

using namespace hostfw;

// A form whose handler table holds "Pressed", and, in the descendant, its own "Pressed".
class BaseForm : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TBaseForm"; }
    void Load(std::string_view text, std::string_view source = "teste.dfm") {
        RegisterHandlers(Handlers());
        LoadDefinition(*this, Handlers(), text, source);
    }
    std::string pressedBy;

protected:
    void RegisterHandlers(HandlerTable& table) override {
        TForm::RegisterHandlers(table);
        table.Register("Pressed", TNotifyEvent([this](TObject*) { pressedBy = "base"; }));
    }
};

class DescendantForm : public BaseForm {
public:
    using BaseForm::BaseForm;

protected:
    void RegisterHandlers(HandlerTable& table) override {
        BaseForm::RegisterHandlers(table);
        table.Register("Pressed", TNotifyEvent([this](TObject*) { pressedBy = "descendant"; }));
    }
};

const char* const kBase = R"(object frmBase: TBaseForm
  Caption = 'Base'
  object grbDados: TGroupBox
    Caption = 'Dados'
    object ckbUm: TCheckBox
      Caption = 'Um'
      Checked = True
      OnClick = Pressed
    end
  end
end
)";

class Loader : public ::testing::Test {
protected:
    // The message of the failure loading `text` over the base definition.
    static std::string Failure(const std::string& text) {
        DescendantForm form(nullptr);
        form.Load(kBase, "base.dfm");
        return testsupport::FailureOf(
            [&] { LoadDefinition(form, form.Handlers(), text, "filho.dfm"); });
    }
};

TEST_F(Loader, BuildsComponentsByClassWithPropertiesParentsAndEvents) {
    BaseForm form(nullptr);
    form.Load(kBase);
    EXPECT_EQ(form.Name(), "frmBase");
    EXPECT_EQ(form.Caption(), "Base");
    auto& box = ComponentByName<TCheckBox>(form, "ckbUm");
    EXPECT_EQ(box.Parent(), &ComponentByName<TGroupBox>(form, "grbDados"));
    EXPECT_TRUE(box.Checked());
    box.Click();
    EXPECT_EQ(form.pressedBy, "base");
}

TEST_F(Loader, BindingsResolveToTheDescendantsHandlerOfTheSameName) {
    DescendantForm form(nullptr);
    form.Load(kBase);
    ComponentByName<TCheckBox>(form, "ckbUm").Click();
    EXPECT_EQ(form.pressedBy, "descendant");
}

TEST_F(Loader, AnInheritedBlockChangesTheAncestorsComponentAndAddsNewOnes) {
    DescendantForm form(nullptr);
    form.Load(kBase, "base.dfm");
    LoadDefinition(form, form.Handlers(), R"(inherited frmFilho: TBaseForm
  Caption = 'Filho'
  inherited grbDados: TGroupBox
    Caption = 'Outros dados'
    object ckbDois: TCheckBox
      Caption = 'Dois'
    end
  end
end
)",
                   "filho.dfm");
    EXPECT_EQ(form.Caption(), "Filho");
    EXPECT_EQ(ComponentByName<TGroupBox>(form, "grbDados").Caption(), "Outros dados");
    EXPECT_EQ(ComponentByName<TCheckBox>(form, "ckbUm").Caption(), "Um");
    EXPECT_EQ(ComponentByName<TCheckBox>(form, "ckbDois").Parent(),
              &ComponentByName<TGroupBox>(form, "grbDados"));
}

TEST_F(Loader, UnknownNamesAreErrorsThatNameTheFileLineAndComponent) {
    EXPECT_EQ(Failure("inherited frmBase: TBaseForm\n  object x: TNoSuchClass\n  end\nend\n"),
              "filho.dfm, linha 2: frmBase.x: classe desconhecida 'TNoSuchClass'.");
    EXPECT_EQ(Failure("inherited frmBase: TBaseForm\n  inherited ckbUm: TCheckBox\n"
                      "    Colour = clRed\n  end\nend\n"),
              "filho.dfm, linha 3: frmBase.ckbUm: propriedade desconhecida 'Colour' "
              "(TCheckBox).");
    EXPECT_EQ(Failure("inherited frmBase: TBaseForm\n  inherited ckbUm: TCheckBox\n"
                      "    OnClick = Missing\n  end\nend\n"),
              "filho.dfm, linha 3: frmBase.ckbUm: OnClick: manipulador 'Missing' não "
              "encontrado.");
    EXPECT_EQ(Failure("inherited frmBase: TBaseForm\n  inherited ckbTres: TCheckBox\n  end\nend\n"),
              "filho.dfm, linha 2: frmBase.ckbTres: componente herdado não existe no "
              "formulário ancestral.");
    EXPECT_EQ(Failure("inherited frmBase: TBaseForm\n  object ckbUm: TCheckBox\n  end\nend\n"),
              "filho.dfm, linha 2: frmBase.ckbUm: já existe um componente com este nome.");
}

}  // namespace
