#include "form_bindings.h"

#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "host/components/component.h"
#include "host/components/component_classes.h"
#include "host/components/property.h"
#include "host/core/exception.h"
#include "host/ui/form.h"

namespace formgen {
namespace {

DefinitionFile Definition(const std::string& shownAs, const std::string& text) {
    return {shownAs, hostfw::dfm::ParseDfm(text, shownAs)};
}

DefinitionFile StoredDefinition(const std::string& path) {
    std::ifstream in(std::string(EXP036_SOURCE_DIR) + "/" + path);
    std::ostringstream text;
    text << in.rdbuf();
    return Definition(path, text.str());
}

const DefinitionFile kBase = Definition("base.dfm", R"(object frmBase: TfrmBase
  OnCreate = FormCreate
  OnClose = FormClose
  object grbDados: TGroupBox
    Align = alClient
  end
  object sbtPreview: TSpeedButton
    OnClick = sbtPreviewClick
  end
end
)");

TEST(FormBindings, MembersAreTheComponentsTheFormsOwnDefinitionCreates) {
    const DefinitionFile own = Definition("own.dfm", R"(inherited frmOwn: TfrmOwn
  OnShow = FormShow
  inherited grbDados: TGroupBox
    object edtCodigo: TEdit
      OnExit = edtCodigoExit
    end
  end
  object qryFilial: TADOIBQuery
    object qryFilialCDFILIAL: TStringField
      OnGetText = qryFilialCDFILIALGetText
    end
  end
  object dtsFilial: TDataSource
    DataSet = qryFilial
  end
end
)");
    const FormBindings bindings = ReadFormBindings(own, {kBase});
    EXPECT_EQ(bindings.formClass, "TfrmOwn");
    EXPECT_EQ(bindings.parentClass, "TfrmBase");
    std::vector<std::string> members;
    for (const BoundMember& member : bindings.members)
        members.push_back(member.name + ":" + member.className);
    // The inherited group box is the ancestor's member; what it holds here is the form's own.
    EXPECT_EQ(members, (std::vector<std::string>{"edtCodigo:TEdit", "qryFilial:TADOIBQuery",
                                                 "qryFilialCDFILIAL:TStringField",
                                                 "dtsFilial:TDataSource"}));
}

TEST(FormBindings, HandlersComeFromTheAncestorsAndTheFormOnceEachWithWhereFirstBound) {
    const DefinitionFile own = Definition("own.dfm", R"(inherited frmOwn: TfrmOwn
  OnShow = FormShow
  OnActivate = FormCreate
  object netLink: TNetConnection
    BeforeConnect = netLinkBeforeConnect
    Font.OnChange = FontChange
  end
  object rdbTodos: TRadioButton
    OnClick = sbtPreviewClick
    Alignment = taLeftJustify
    Online = Sim
  end
end
)");
    const FormBindings bindings = ReadFormBindings(own, {kBase});
    std::vector<std::string> handlers;
    for (const BoundHandler& handler : bindings.handlers)
        handlers.push_back(handler.name + "@" + handler.shownAs + ":" +
                           std::to_string(handler.line));
    // Enumerations (alClient, taLeftJustify), references and "Online" are no events.
    EXPECT_EQ(handlers,
              (std::vector<std::string>{"FormCreate@base.dfm:2", "FormClose@base.dfm:3",
                                        "sbtPreviewClick@base.dfm:8", "FormShow@own.dfm:2",
                                        "netLinkBeforeConnect@own.dfm:5", "FontChange@own.dfm:6"}));
    EXPECT_EQ(ReadFormBindings(kBase, {}).parentClass, "TForm");
}

TEST(FormBindings, NamesThatAreNoIdentifiersAreRefusedNamingTheLine) {
    const DefinitionFile odd = Definition("odd.dfm", R"(object frmOdd: TfrmOdd
  object edtA: TEdit
    OnExit = Module.Exit
  end
end
)");
    try {
        ReadFormBindings(odd, {});
        FAIL() << "a dotted handler name went into the generated code";
    } catch (const hostfw::Exception& e) {
        EXPECT_STREQ(e.what(),
                     "odd.dfm, linha 3: 'Module.Exit' não é um nome de componente, classe ou "
                     "manipulador.");
    }
}

// A form's own published properties (OnShow, Caption, ...), on a class of no definition.
class TfrmBlank : public hostfw::TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TfrmBlank"; }
};

// The generator knows events by name alone (it runs before the toolkit exists): every event
// property the stored definitions set must be named as one, and no other property may be.
TEST(FormBindings, EveryPropertyOfTheStoredDefinitionsIsAnEventExactlyWhenNamedAsOne) {
    int events = 0;
    for (const char* path :
         {"src/host/base_form/TfrmDadosGerRel.dfm", "src/form/definition/Cli_exp03600.dfm"}) {
        const DefinitionFile definition = StoredDefinition(path);
        TfrmBlank form(nullptr);
        std::vector<std::unique_ptr<hostfw::TComponent>> made;
        std::vector<std::pair<const hostfw::dfm::ObjectNode*, hostfw::TComponent*>> nodes{
            {&definition.root, &form}};
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            for (const hostfw::dfm::ObjectNode& child : nodes[i].first->children) {
                made.emplace_back(hostfw::CreateComponentOfClass(child.className, nullptr));
                ASSERT_NE(made.back(), nullptr) << child.className;
                nodes.push_back({&child, made.back().get()});
            }
        }
        for (const auto& [node, component] : nodes) {
            for (const hostfw::dfm::Property& property : node->properties) {
                const hostfw::PropertyInfo* info = component->FindProperty(property.name);
                ASSERT_NE(info, nullptr) << path << ": " << property.name;
                const bool event = info->type == hostfw::PropertyType::Event;
                EXPECT_EQ(IsEventProperty(property.name), event) << path << ": " << property.name;
                events += event ? 1 : 0;
            }
        }
    }
    EXPECT_GE(events, 20) << "fewer events than the definitions bind: the walk missed some";
}

}  // namespace
}  // namespace formgen
