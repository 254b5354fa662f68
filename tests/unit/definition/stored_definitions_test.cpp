#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "definition_file.h"
#include "host/core/exception.h"
#include "host/definition/dfm_parser.h"

namespace hostfw::dfm {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::UnorderedElementsAre;

class StoredDefinitions : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        form_ = new ObjectNode(ParseDfm(ReadSourceFile(kFormDefinition), "Cli_exp03600.dfm"));
        base_ =
            new ObjectNode(ParseDfm(ReadSourceFile(kBaseFormDefinition), "TfrmDadosGerRel.dfm"));
    }
    static void TearDownTestSuite() {
        delete form_;
        delete base_;
    }

    static const ObjectNode& Object(const ObjectNode& root, const std::string& name) {
        const ObjectNode* found = root.FindObject(name);
        if (found == nullptr) {
            throw std::runtime_error(name + " is missing");
        }
        return *found;
    }
    static const Value& ValueOf(const ObjectNode& root, const std::string& objectName,
                                const std::string& propertyName) {
        const Property* found = Object(root, objectName).FindProperty(propertyName);
        if (found == nullptr) {
            throw std::runtime_error(objectName + "." + propertyName + " is missing");
        }
        return found->value;
    }

    static inline ObjectNode* form_ = nullptr;
    static inline ObjectNode* base_ = nullptr;
};

// Every node with the name of its parent, depth first.
void ForEachNode(const ObjectNode& node, const std::string& parentName,
                 const std::function<void(const ObjectNode&, const std::string&)>& visit) {
    visit(node, parentName);
    for (const ObjectNode& child : node.children) {
        ForEachNode(child, node.name, visit);
    }
}

TEST_F(StoredDefinitions, MessageTableIsStoredLineForLine) {
    const std::vector<std::string> lines =
        ValueOf(*form_, "msgPadrao", "Messages.Strings").AsStrings();
    ASSERT_EQ(lines.size(), 29u);
    EXPECT_EQ(lines.front(),
              "Arq_Rel_Err|O arquivo contendo a definição do relatório de código '%s' não foi "
              "encontrado no diretório '%s'.");
    EXPECT_EQ(lines[7], "Fili|Não há filial casastrada.");
    EXPECT_EQ(lines[19], "data| não é uma data válida.");
    EXPECT_EQ(lines[14], "DataIni>DataFin|Data inicial deve ser menor que data final.");
    EXPECT_EQ(lines.back(), "DtCanc|Dt. Canc. Expedição");

    std::vector<std::string> keys;
    for (const std::string& line : lines) {
        const auto bar = line.find('|');
        ASSERT_NE(bar, std::string::npos) << line;
        keys.push_back(line.substr(0, bar));
    }
    EXPECT_THAT(keys, ElementsAreArray({"Arq_Rel_Err",
                                        "NovoCaption",
                                        "NovoPrompt",
                                        "VD_TRAD",
                                        "clie",
                                        "CLIE_NULL",
                                        "FILIALDEST",
                                        "Fili",
                                        "NR_NOTA",
                                        "CLIENTE",
                                        "Nota",
                                        "inf_cli",
                                        "inf_fil",
                                        "inf_nota",
                                        "DataIni>DataFin",
                                        "DataIni_Deve",
                                        "DataFinal_Deve",
                                        "inf_status",
                                        "filial_central",
                                        "data",
                                        "FILIAL_NAO_CAD",
                                        "FILIAL_NULL",
                                        "A",
                                        "E",
                                        "C",
                                        "P",
                                        "K",
                                        "DtEmi",
                                        "DtCanc"}));
}

TEST_F(StoredDefinitions, QueryTextsKeepTheirBlanks) {
    const auto filial = ValueOf(*form_, "qryFilial", "SQL.Strings").AsStrings();
    ASSERT_EQ(filial.size(), 9u);
    EXPECT_EQ(filial[6], "   (CDFILIAL  = :P_CDFILIAL OR :P_TCDFILIAL = 'T')");
    EXPECT_EQ(ValueOf(*form_, "qryFilialDest", "SQL.Strings").AsStrings().size(), 7u);
    EXPECT_EQ(ValueOf(*form_, "qryCliente", "SQL.Strings").AsStrings().size(), 9u);
    const auto mssql = ValueOf(*form_, "qryCliente", "SQL_MSSQL.Strings").AsStrings();
    ASSERT_EQ(mssql.size(), 12u);
    EXPECT_EQ(mssql[8],
              "   ((CHARINDEX(CDATIVCLI, :P_CDATIVCLI) <> 0) OR (:P_TCDATIVCLI = 'T')) AND");

    const auto& params = ValueOf(*form_, "qryFilial", "Params").AsCollection();
    ASSERT_EQ(params.size(), 2u);
    std::vector<std::string> names;
    for (const Item& item : params) {
        for (const Property& property : item) {
            if (property.name == "Name") {
                names.push_back(property.value.AsString());
            }
        }
    }
    EXPECT_THAT(names, ElementsAre("P_CDFILIAL", "P_TCDFILIAL"));
}

TEST_F(StoredDefinitions, DatasetFieldsComeInColumnOrder) {
    std::vector<std::string> fields;
    for (const ObjectNode& field : Object(*form_, "cdsNotaFiscal").children) {
        fields.push_back(field.FindProperty("FieldName")->value.AsString());
        EXPECT_EQ(field.name, "cdsNotaFiscal" + fields.back());
    }
    EXPECT_THAT(fields, ElementsAre("IDMARCADO", "NRNOTAFISC", "DTEMISSAO", "DTENTRSAID",
                                    "NRLANCTONF", "STATUS"));
    // Degree sign in one label, ordinal indicator in the other.
    EXPECT_EQ(ValueOf(*form_, "cdsNotaFiscalNRNOTAFISC", "DisplayLabel").AsString(),
              "N\u00B0 Nota Fiscal");
    EXPECT_EQ(ValueOf(*form_, "cdsNotaFiscalNRLANCTONF", "DisplayLabel").AsString(),
              "N\u00BA Lançamento");
    EXPECT_EQ(ValueOf(*form_, "cdsNotaFiscalSTATUS", "OnGetText").AsIdentifier(),
              "cdsNotaFiscalSTATUSGetText");

    std::vector<std::string> clientFields;
    for (const ObjectNode& field : Object(*form_, "qryCliente").children) {
        clientFields.push_back(field.name);
    }
    EXPECT_THAT(clientFields, ElementsAre("qryClienteCDCLIENTE", "qryClienteIDTPIJURCLIE",
                                          "qryClienteNRINSJURCLIE", "qryClienteNMFANTCLIE"));
}

TEST_F(StoredDefinitions, TabOrdersWithinEachParent) {
    auto tabOrders = [](const ObjectNode& parent) {
        std::map<std::string, std::int64_t> orders;
        for (const ObjectNode& child : parent.children) {
            if (const Property* tab = child.FindProperty("TabOrder")) {
                orders[child.name] = tab->value.AsInteger();
            }
        }
        return orders;
    };
    EXPECT_EQ(tabOrders(Object(*form_, "grbDadosRel")),
              (std::map<std::string, std::int64_t>{{"panFilial", 1},
                                                   {"grbDataExp", 2},
                                                   {"grbCliente", 3},
                                                   {"grbFilialDest", 4},
                                                   {"grbStatus", 5},
                                                   {"grbNota", 6}}));
    EXPECT_EQ(tabOrders(Object(*form_, "panFilial")),
              (std::map<std::string, std::int64_t>{{"edtCdFilial", 0}, {"edtNmFilial", 2}}));
    EXPECT_EQ(tabOrders(Object(*form_, "grbStatus")),
              (std::map<std::string, std::int64_t>{
                  {"ckbPend", 0}, {"ckbAprovada", 1}, {"ckbEmitida", 2}, {"ckbCancel", 3}}));
    // The base form's chooser panel takes the first place the module leaves free.
    EXPECT_EQ(tabOrders(Object(*base_, "grbDadosRel")),
              (std::map<std::string, std::int64_t>{{"panRelat", 0}}));
}

TEST_F(StoredDefinitions, FreshFormState) {
    for (const char* radio : {"rdbTCli", "rdbTFil", "rdbTNota"}) {
        EXPECT_EQ(ValueOf(*form_, radio, "Checked").AsIdentifier(), "True") << radio;
    }
    for (const char* radio : {"rdbLCli", "rdbLFil", "rdbLNota"}) {
        EXPECT_EQ(Object(*form_, radio).FindProperty("Checked"), nullptr) << radio;
    }
    for (const char* button : {"btnCli", "btnFilDest", "btnNota"}) {
        EXPECT_EQ(ValueOf(*form_, button, "Enabled").AsIdentifier(), "False") << button;
    }
    for (const char* box : {"ckbPend", "ckbAprovada", "ckbEmitida", "ckbCancel"}) {
        EXPECT_EQ(ValueOf(*form_, box, "Checked").AsIdentifier(), "True") << box;
    }
    EXPECT_EQ(ValueOf(*form_, "edtNmFilial", "Enabled").AsIdentifier(), "False");
    EXPECT_EQ(ValueOf(*form_, "edtCdFilial", "MaxLength").AsInteger(), 4);
    EXPECT_THAT(ValueOf(*form_, "depFinal", "NomeSemana.Strings").AsStrings(),
                ElementsAre("Domingo", "Segunda", "Terça", "Quarta", "Quinta", "Sexta", "Sábado"));
}

TEST_F(StoredDefinitions, OnlyTheMarkedControlsAreBold) {
    std::vector<std::string> bold;
    ForEachNode(*form_, "", [&](const ObjectNode& node, const std::string&) {
        const Property* style = node.FindProperty("Font.Style");
        if (style != nullptr && !style->value.AsSet().empty()) {
            EXPECT_THAT(style->value.AsSet(), ElementsAre("fsBold")) << node.name;
            bold.push_back(node.name);
        }
    });
    EXPECT_THAT(bold, UnorderedElementsAre("lblFilial", "grbDataExp", "grbCliente", "grbFilialDest",
                                           "grbStatus", "grbNota"));
}

TEST_F(StoredDefinitions, ReferencesNameMembersOfTheForm) {
    std::vector<std::string> names;
    ForEachNode(*form_, "",
                [&](const ObjectNode& node, const std::string&) { names.push_back(node.name); });
    int references = 0;
    ForEachNode(*form_, "", [&](const ObjectNode& node, const std::string&) {
        for (const char* property : {"Associate", "DataSource", "DataSet"}) {
            if (const Property* reference = node.FindProperty(property)) {
                ++references;
                EXPECT_NE(std::find(names.begin(), names.end(), reference->value.AsIdentifier()),
                          names.end())
                    << node.name << "." << property;
            }
        }
    });
    EXPECT_EQ(references, 9);  // four search buttons (btpFilial twice), four data sources
}

TEST_F(StoredDefinitions, InheritedBlocksMatchTheBaseForm) {
    std::map<std::string, std::pair<std::string, std::string>> baseMembers;  // class, parent
    ForEachNode(*base_, "", [&](const ObjectNode& node, const std::string& parent) {
        baseMembers[node.name] = {node.className, parent};
    });
    int inheritedCount = 0;
    ForEachNode(*form_, "", [&](const ObjectNode& node, const std::string& parent) {
        if (!node.inherited || node.name == form_->name) {
            return;
        }
        ++inheritedCount;
        ASSERT_TRUE(baseMembers.contains(node.name)) << node.name;
        EXPECT_EQ(baseMembers[node.name].first, node.className) << node.name;
        const std::string baseParent = baseMembers[node.name].second == base_->name
                                           ? form_->name
                                           : baseMembers[node.name].second;
        EXPECT_EQ(baseParent, parent) << node.name;
    });
    EXPECT_EQ(inheritedCount, 9);
}

TEST_F(StoredDefinitions, BaseFormBindsItsCommandsAndWindowEvents) {
    EXPECT_EQ(ValueOf(*base_, "frmDadosGerRel", "OnCreate").AsIdentifier(), "FormCreate");
    EXPECT_EQ(ValueOf(*base_, "frmDadosGerRel", "OnActivate").AsIdentifier(), "FormActivate");
    EXPECT_EQ(ValueOf(*base_, "frmDadosGerRel", "OnClose").AsIdentifier(), "FormClose");
    std::vector<std::string> handlers;
    for (const ObjectNode& button : Object(*base_, "panMenu").children) {
        if (button.className == "TSpeedButton") {
            handlers.push_back(button.FindProperty("OnClick")->value.AsIdentifier());
        }
    }
    EXPECT_THAT(handlers, ElementsAre("sbtPreviewClick", "sbtPrintClick", "sbtSalvarComoClick",
                                      "sbtReportEditClick"));
    EXPECT_EQ(ValueOf(*base_, "cbbReportNames", "Style").AsIdentifier(), "csDropDownList");
    EXPECT_EQ(ValueOf(*base_, "msgMensagens", "Messages.Strings").AsStrings().size(), 5u);
}

// Each control lies inside its parent, so a mistyped position shows up here.
TEST_F(StoredDefinitions, ControlsFitInsideTheirParents) {
    const ObjectNode& parameters = Object(*form_, "grbDadosRel");
    const std::int64_t width = ValueOf(*form_, "grbDadosRel", "Width").AsInteger();
    const std::int64_t height = ValueOf(*form_, "grbDadosRel", "Height").AsInteger();
    std::function<void(const ObjectNode&, std::int64_t, std::int64_t)> check =
        [&](const ObjectNode& parent, std::int64_t parentWidth, std::int64_t parentHeight) {
            for (const ObjectNode& child : parent.children) {
                const Property* left = child.FindProperty("Left");
                if (child.inherited || left == nullptr) {
                    continue;
                }
                const std::int64_t w = child.FindProperty("Width")->value.AsInteger();
                const std::int64_t h = child.FindProperty("Height")->value.AsInteger();
                EXPECT_LE(left->value.AsInteger() + w, parentWidth) << child.name;
                EXPECT_LE(child.FindProperty("Top")->value.AsInteger() + h, parentHeight)
                    << child.name;
                check(child, w, h);
            }
        };
    check(parameters, width, height);
}

// Cutting the real file anywhere before its last "end" must give a clear error.
TEST_F(StoredDefinitions, TruncatedOrDamagedFileGivesAClearError) {
    const std::string text = ReadSourceFile(kFormDefinition);
    const std::size_t lastEnd = text.rfind("end");
    std::mt19937 random(36);
    for (int i = 0; i < 300; ++i) {
        const std::size_t cut = std::uniform_int_distribution<std::size_t>(0, lastEnd)(random);
        EXPECT_THROW(
            {
                try {
                    ParseDfm(text.substr(0, cut), "Cli_exp03600.dfm");
                } catch (const Exception& error) {
                    EXPECT_THAT(error.what(), ::testing::StartsWith("Cli_exp03600.dfm, linha "));
                    throw;
                }
            },
            Exception)
            << "cut at " << cut;
    }
    const std::string syntax = "'#{}()<>[]=+:,$-0aZ \n";
    for (int i = 0; i < 300; ++i) {
        std::string damaged = text;
        damaged[std::uniform_int_distribution<std::size_t>(0, text.size() - 1)(random)] =
            syntax[std::uniform_int_distribution<std::size_t>(0, syntax.size() - 1)(random)];
        try {
            ParseDfm(damaged, "Cli_exp03600.dfm");
        } catch (const Exception& error) {
            EXPECT_THAT(error.what(), ::testing::StartsWith("Cli_exp03600.dfm, linha "));
        }
    }
}

}  // namespace
}  // namespace hostfw::dfm
