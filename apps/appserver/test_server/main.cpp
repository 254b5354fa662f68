// exp036-appserver-test: the application server with what only tests need (the test object
// and GetNota's test modes). Never shipped.

#include "get_nota_test_mode.h"
#include "rdm_rel_cons_lanc.h"
#include "server_program.h"
#include "test_object.h"
#include "test_server_options.h"

int main(int argc, char** argv) {
    appserver::TestServerOptions options;
    const appserver::ServerProgram program{
        [&options](std::vector<std::string>& args) {
            options = appserver::TakeTestServerOptions(args);
        },
        [&options] {
            appserver::RemoteObject rdm = appserver::MakeRdmRelConsLanc();
            rdm["GetNota"] = appserver::GetNotaInTestMode(rdm["GetNota"], options.getNotaTestMode);
            appserver::RemoteObjectRegistry registry;
            registry.emplace(appserver::kRdmRelConsLancName, std::move(rdm));
            if (options.testObjects)
                registry.emplace(appserver::kTestObjectName, appserver::MakeTestObject());
            return registry;
        },
        appserver::kTestServerUsage};
    return appserver::RunServerProgram({argv + 1, argv + argc}, program);
}
