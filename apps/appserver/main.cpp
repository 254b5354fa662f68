// exp036-appserver: the application server of the report EXP036.

#include "rdm_rel_cons_lanc.h"
#include "server_program.h"

int main(int argc, char** argv) {
    const appserver::ServerProgram program{[](std::vector<std::string>&) {},
                                           [] {
                                               appserver::RemoteObjectRegistry registry;
                                               registry.emplace(appserver::kRdmRelConsLancName,
                                                                appserver::MakeRdmRelConsLanc());
                                               return registry;
                                           },
                                           ""};
    return appserver::RunServerProgram({argv + 1, argv + argc}, program);
}
