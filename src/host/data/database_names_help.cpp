#include "host/data/database_names_help.h"

namespace hostfw {

const char* const kDatabaseNamesHelp =
    "\n"
    "Bancos de dados (BANCO):\n"
    "  demo.sqlite                          um arquivo SQLite\n"
    "  postgresql://pessoa@servidor/exp036  um banco PostgreSQL (também\n"
    "                                       \"host=servidor dbname=exp036 ...\")\n"
    "  /dados/exp036.fdb                    um banco Firebird embutido: o arquivo, aberto\n"
    "  firebird:/dados/exp036               pelo próprio programa (nome terminado em .fdb,\n"
    "                                       ou qualquer caminho depois de firebird:)\n"
    "  servidor/3050:/dados/exp036.fdb      um banco num servidor Firebird (a porta é\n"
    "  firebird:servidor:exp036             opcional; depois de firebird:, também um\n"
    "                                       apelido do databases.conf do servidor)\n"
    "  No Firebird, o usuário e a senha vêm de ISC_USER e ISC_PASSWORD; no embutido, sem\n"
    "  ISC_USER, o usuário é o do sistema. Vários programas abrem o mesmo arquivo embutido\n"
    "  ao mesmo tempo (modo SuperClassic); fora do root, o usuário precisa pertencer ao\n"
    "  grupo firebird, dono da pasta de travas /tmp/firebird.\n";

}  // namespace hostfw
