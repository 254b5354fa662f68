#include <gtest/gtest.h>

#include "fake_script_run.h"
#include "host/session/session.h"
#include "host/ui/host_context.h"

namespace host {
namespace {

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Interpreter, AnEmbeddedFormIsDrivenThroughUserActions) {
    const ScriptRun run = RunFakeScript(R"(# comments and blank lines are skipped

open null
expect forms 1
expect form-style child
expect caption frmFake "Formulário de teste"
type edtCodigo "ab1%z"
expect text edtCodigo "AB1%"
key edtCodigo 8
expect text edtCodigo "AB1"
expect focus edtCodigo
date depData "31/01/2026"
expect text depData "31/01/2026"
expect focus depData
check ckbAtivo false
expect checked ckbAtivo false
select cbbVariante 1
expect index cbbVariante 1
expect var stRel "C"
expect var boIdCriado true
expect cursor 0
close
expect forms 0
expect var boIdCriado false
)");
    EXPECT_TRUE(run.passed) << run.failure << "\n" << run.transcript;
}

TEST(Interpreter, AByteOrderMarkStartingTheScriptIsNotPartOfItsFirstCommand) {
    const ScriptRun run = RunFakeScript("\xEF\xBB\xBFopen null\nexpect forms 1\nclose\n");
    EXPECT_TRUE(run.passed) << run.failure;
    const ScriptRun later = RunFakeScript(
        "open null\n\xEF\xBB\xBF"
        "close\n");
    EXPECT_TRUE(Contains(later.failure, "linha 2: comando desconhecido")) << later.failure;
}

// A run of `lines` followed by a line that sets the session's branch, which stays "before"
// when the run stopped ahead of it.
struct StoppedRun {
    ScriptRun run;
    std::string branchAfter;
};

StoppedRun RunBeforeASessionLine(const std::string& lines) {
    hostfw::HostContext context;
    context.Session().filiProc = "before";
    StoppedRun stopped{RunFakeScript(context, lines + "session FiliProc=after\n"), ""};
    stopped.branchAfter = context.Session().filiProc;
    return stopped;
}

TEST(Interpreter, AFailedExpectationStopsTheRunAndShowsBothValues) {
    const StoppedRun stopped = RunBeforeASessionLine(
        "open null\n"
        "type edtCodigo \"12\"\n"
        "expect text edtCodigo \"0012\"\n");
    EXPECT_FALSE(stopped.run.passed);
    EXPECT_EQ(stopped.run.failure, "linha 3: esperado \"0012\", obtido \"12\"");
    EXPECT_EQ(stopped.branchAfter, "before");
}

TEST(Interpreter, InvalidLinesFailWithTheirLineAndReason) {
    const auto failure = [](const std::string& script) { return RunFakeScript(script).failure; };
    EXPECT_EQ(failure("\nfrobnicate x\n"), "linha 2: comando desconhecido 'frobnicate'.");
    EXPECT_EQ(failure("type edtCodigo\n"), "linha 1: uso: type NOME \"TEXTO\"");
    EXPECT_EQ(failure("open later\n"), "linha 1: uso: open null|modal");
    EXPECT_EQ(failure("expect colour x\n"), "linha 1: expectativa desconhecida 'colour'.");
    EXPECT_EQ(failure("expect border round\n"),
              "linha 1: uso: expect border sizeable|single|dialog");
    EXPECT_EQ(failure("click btnAviso\n"), "linha 1: nenhum formulário aberto.");
    EXPECT_EQ(failure("open null\nclick btnSumido\n"),
              "linha 2: o formulário 'frmFake' não tem o componente 'btnSumido'.");
    EXPECT_EQ(failure("open null\ntype ckbAtivo \"x\"\n"),
              "linha 2: 'ckbAtivo' é um TCheckBox; esta linha pede um campo de texto.");
    EXPECT_EQ(failure("open null\nselect cbbVariante 2\n"),
              "linha 2: 'cbbVariante' tem 2 itens; não há o item 2.");
    EXPECT_EQ(failure("key x 256\n"),
              "linha 1: esperado um número de 0 a 255, não '256'; uso: key NOME CÓDIGO");
    EXPECT_EQ(failure("\"open\" null\n"),
              "linha 1: a linha começa com um comando, não com um texto.");
}

TEST(Interpreter, TheModalLoopRunsTheFollowingLinesUntilTheWindowCloses) {
    const ScriptRun run = RunFakeScript(
        "open modal\n"
        "expect form-style normal\n"
        "expect forms 1\n"
        "type edtCodigo \"7\"\n"
        "close\n"
        "expect forms 0\n"
        "expect var boIdCriado false\n");
    EXPECT_TRUE(run.passed) << run.failure;
}

TEST(Interpreter, AScriptEndingInsideAModalWindowFailsAndLeavesNoWindow) {
    hostfw::HostContext context;
    const ScriptRun run = RunFakeScript(context, "open modal\nexpect forms 1\n");
    EXPECT_FALSE(run.passed);
    EXPECT_EQ(run.failure,
              "linha 2: o script terminou com a janela modal aberta; feche-a com close.");
    EXPECT_EQ(context.Application().FormCount(), 0);
}

TEST(Interpreter, AFailureInsideTheModalLoopEndsTheWholeRun) {
    const StoppedRun stopped = RunBeforeASessionLine(
        "open modal\n"
        "expect forms 2\n"
        "close\n");
    EXPECT_EQ(stopped.run.failure, "linha 2: esperado 2, obtido 1");
    EXPECT_EQ(stopped.branchAfter, "before");
}

TEST(Interpreter, MessagesAreExpectedInTheOrderTheyWereShown) {
    const ScriptRun run = RunFakeScript(
        "open null\n"
        "click btnAviso\n"
        "click btnFalha\n"
        "expect message \"Aviso do módulo.\"\n"
        "expect message \"Falha inesperada.\"\n"
        "expect no-message\n"
        "click btnAviso\n"
        "expect no-message\n");
    EXPECT_EQ(run.failure, "linha 8: esperado nenhuma mensagem, obtido \"Aviso do módulo.\"");
    EXPECT_TRUE(Contains(run.transcript, "message: Aviso do módulo.\nerror: Falha inesperada.\n"));
}

TEST(Interpreter, ExpectingAMessageWhenNoneWasShownFails) {
    EXPECT_EQ(RunFakeScript("open null\nexpect message \"x\"\n").failure,
              "linha 2: esperado \"x\", obtido nenhuma mensagem");
}

TEST(Interpreter, AnswersGivenInAdvanceReachTheDialogs) {
    const ScriptRun run = RunFakeScript(
        "open null\n"
        "pick 0003, 0001\n"
        "click btnLista\n"
        "expect var stListaCliente \",0001,0003,\"\n"
        "pick cancel\n"
        "click btnLista\n"
        "expect var stListaCliente \",0001,0003,\"\n"
        "choose 0002\n"
        "click btnBusca\n"
        "expect text edtCodigo \"0002\"\n"
        "answer \"Título \\\"novo\\\"\"\n"
        "click btnTitulo\n"
        "expect var stNota \"Título \\\"novo\\\"\"\n"
        "pick none\n"
        "click btnLista\n"
        "expect var stListaCliente \"\"\n");
    EXPECT_TRUE(run.passed) << run.failure << "\n" << run.transcript;
    EXPECT_TRUE(Contains(run.transcript, "picker: Cliente [3 linhas] -> 0001,0003\n"));
    EXPECT_TRUE(Contains(run.transcript, "search: Filial [2 linhas] -> 0002\n"));
}

TEST(Interpreter, AnAnswerNoDialogTookFailsTheRun) {
    const ScriptRun run = RunFakeScript("open null\npick 0001\nchoose cancel\nclose\n");
    EXPECT_EQ(run.failure, "respostas que nenhum diálogo usou: linha 2: pick; linha 3: choose.");
}

TEST(Interpreter, ADialogWithoutAnAnswerFailsAtTheLineThatOpenedIt) {
    const ScriptRun run = RunFakeScript("open null\nclick btnLista\nclose\n");
    EXPECT_TRUE(Contains(run.failure, "linha 2: o seletor 'Cliente' apareceu sem resposta"));
}

TEST(Interpreter, ReportParametersAreWrittenAndCanBeExpected) {
    const ScriptRun run = RunFakeScript(
        "open null\n"
        "click btnRelatorio\n"
        "expect param P_TEXTO \"a\\\"b\"\n"
        "expect param p_data date(2026-01-31)\n"
        "expect param P_NULO null\n"
        "expect param P_OUTRO absent\n"
        "expect param P_DATA date(2026-02-01)\n");
    EXPECT_EQ(run.failure, "linha 7: esperado date(2026-02-01), obtido date(2026-01-31)");
    EXPECT_TRUE(Contains(run.transcript,
                         "param: P_TEXTO=\"a\\\"b\"\nparam: P_DATA=date(2026-01-31)\n"
                         "param: P_NULO=null\nreport: Relatório de teste\nlinha 1\nlinha 2\n"));
}

TEST(Interpreter, ServerCallArgumentsCompareAsWritten) {
    const std::string call = "open null\nclick btnChamada\n";
    const ScriptRun run =
        RunFakeScript(call + "expect arg 1 \"0001\"\nexpect arg 2 date(2026-01-01)\n");
    EXPECT_TRUE(run.passed) << run.failure;
    EXPECT_TRUE(Contains(run.transcript, "call: GetNota(\"0001\", date(2026-01-01))\n"));
    EXPECT_EQ(RunFakeScript(call + "expect arg 1 0001\n").failure,
              "linha 3: esperado 0001, obtido \"0001\"");
    EXPECT_EQ(RunFakeScript(call + "expect arg 3 null\n").failure,
              "linha 3: esperado null, obtido GetNota com 2 argumentos");
    EXPECT_EQ(RunFakeScript("expect arg 1 null\n").failure,
              "linha 1: esperado null, obtido nenhuma chamada ao servidor");
}

TEST(Interpreter, DatasetRowsAreCounted) {
    const ScriptRun run =
        RunFakeScript("open null\nclick btnNotas\nexpect rows 3\nexpect rows 2\n");
    EXPECT_EQ(run.failure, "linha 4: esperado 2, obtido 3");
}

TEST(Interpreter, ADisabledBoxCannotBeCheckedAndTheScriptSaysSo) {
    EXPECT_EQ(RunFakeScript("open null\ncheck ckbTravado true\n").failure,
              "linha 2: 'ckbTravado' continua desmarcado: o controle está desabilitado.");
}

TEST(Interpreter, ReloadGivesTheModuleFreshStateButNotWhileAWindowIsOpen) {
    const ScriptRun run = RunFakeScript(
        "open null\n"
        "pick 0002\n"
        "click btnLista\n"
        "close\n"
        "expect var stListaCliente \",0002,\"\n"
        "reload\n"
        "expect var stListaCliente \"\"\n"
        "open null\n"
        "reload\n");
    EXPECT_EQ(run.failure, "linha 9: feche o formulário antes de recarregar o módulo.");
}

TEST(Interpreter, OnlyPublishedModuleVariablesCanBeRead) {
    // The fake package exports none of its variables: they are read where it publishes them.
    EXPECT_TRUE(RunFakeScript("expect var stRel \"\"\nexpect var boIdCriado false\n").passed);
    EXPECT_EQ(RunFakeScript("expect var stFilialDest \"\"\n").failure,
              "linha 1: o módulo não publica a variável 'stFilialDest'.");
    EXPECT_EQ(RunFakeScript("expect var frmFake \"\"\n").failure,
              "linha 1: o módulo não publica a variável 'frmFake'.");
}

TEST(Interpreter, SessionLinesSetTheSessionAndRefuseUnknownNames) {
    hostfw::HostContext context;
    EXPECT_TRUE(RunFakeScript(context,
                              "session FiliProc=0007 ModuFili=true WebPort=9000 "
                              "ReportDir=\"/tmp/a b\"\n")
                    .passed);
    EXPECT_EQ(context.Session().filiProc, "0007");
    EXPECT_TRUE(context.Session().moduFili);
    EXPECT_EQ(context.Session().webPort, 9000);
    EXPECT_EQ(context.Session().reportDir, "/tmp/a b");
    EXPECT_TRUE(Contains(RunFakeScript("session Colour=red\n").failure,
                         "valor de sessão desconhecido 'Colour'"));
    EXPECT_TRUE(Contains(RunFakeScript("session WebPort=0\n").failure, "WebPort espera"));
}

// A person bound to a branch keeps it whatever the script says; a person not bound, or nobody,
// may set anything.
TEST(Interpreter, SessionLinesNarrowASignedInPersonsSessionButNeverWidenIt) {
    hostfw::HostContext context;
    hostfw::SessionSettings& session = context.Session();
    session.person = hostfw::Person{"maria", "Maria", "0001", true};
    const auto failure = [&](const std::string& script) {
        return RunFakeScript(context, script).failure;
    };
    EXPECT_TRUE(RunFakeScript(context, "session FiliProc=1 ModuFili=true\n").passed)
        << "her own branch";
    EXPECT_TRUE(Contains(failure("session FiliProc=0002\n"),
                         "A pessoa maria trabalha só na filial 0001; a filial 0002 não lhe é "
                         "permitida."));
    EXPECT_TRUE(Contains(failure("session ModuFili=false\n"), "não pode ser desvinculada"));
    EXPECT_TRUE(Contains(failure("session Database=/tmp/other.sqlite\n"),
                         "para usar outro, inicie outra sessão"));
    EXPECT_EQ(hostfw::FiliProc(session), "0001");
    EXPECT_TRUE(hostfw::ModuFili(session));

    session.person->bound = false;
    EXPECT_TRUE(RunFakeScript(context, "session FiliProc=0002 ModuFili=false\n").passed);
    EXPECT_EQ(hostfw::FiliProc(session), "0002");
}

TEST(Interpreter, APackageThatCannotBeLoadedIsAClearError) {
    std::ostringstream transcript;
    try {
        hostfw::HostContext context;
        HeadlessHost host(context, "/nonexistent/libPkg_exp03600.so", transcript);
        FAIL() << "loaded a package that does not exist";
    } catch (const std::exception& e) {
        EXPECT_TRUE(Contains(e.what(), "Não foi possível carregar o módulo '/nonexistent/"));
    }
}

}  // namespace
}  // namespace host
