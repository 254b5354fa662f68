#include "host/data/audit_trail.h"

#include <gtest/gtest.h>

#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/transaction.h"

namespace {

using hostfw::AuditEvent;
using hostfw::TParams;

class AuditTrail : public ::testing::Test {
protected:
    AuditTrail() { hostfw::CreateAuditTable(*engine); }

    std::string Row(const std::string& columns) {
        const auto rows = engine->Query("SELECT " + columns + " FROM AUDITORIA", TParams());
        std::string text;
        while (rows->Next()) {
            for (size_t c = 0; c < rows->ColumnNames().size(); ++c)
                text += (c > 0 ? "|" : "") + rows->Value(c).AsString();
            text += "\n";
        }
        return text;
    }

    std::shared_ptr<hostfw::Engine> engine = hostfw::OpenDatabase(":memory:", true);
};

TEST_F(AuditTrail, AnEventIsOneRowWithTheDatabasesMomentAndNullsForWhatItLacks) {
    AuditEvent run{"maria",
                   "estacao-1",
                   hostfw::kAuditReport,
                   "EXP036-001 variante 0",
                   "P_CDFILIAL=\"0001\"\nP_STATUS=\"PEAC\"",
                   12,
                   340,
                   "pdf /tmp/r.pdf",
                   "ok"};
    hostfw::RecordAudit(*engine, run);
    hostfw::RecordAudit(*engine, AuditEvent{"maria", "10.0.0.5", hostfw::kAuditSignInRefused, "",
                                            "", std::nullopt, std::nullopt, "", "senha incorreta"});
    EXPECT_EQ(Row("PESSOA, EVENTO, OBJETO, PARAMETROS, LINHAS, DURACAO_MS, SAIDA, RESULTADO"),
              "maria|relatorio|EXP036-001 variante 0|P_CDFILIAL=\"0001\"\nP_STATUS=\"PEAC\"|12|"
              "340|pdf /tmp/r.pdf|ok\n"
              "maria|entrada-recusada||||||senha incorreta\n");
    EXPECT_EQ(Row("count(MOMENTO)"), "2\n") << "the database sets the moment";
}

TEST_F(AuditTrail, CreatingTheTableAgainKeepsItsRows) {
    hostfw::RecordAudit(*engine, AuditEvent{"joao", "h", hostfw::kAuditSignIn, "", "", std::nullopt,
                                            std::nullopt, "", "ok"});
    hostfw::CreateAuditTable(*engine);
    EXPECT_EQ(Row("count(*)"), "1\n");
}

}  // namespace
