# Debian packages built by CPack from the install components:
#   exp036-common     the framework's base library (no Qt), shared by the other three
#   exp036-host       the desktop host with the framework, the module and the report definitions
#   exp036-appserver  the application server, run by systemd as its own user
#   exp036-tools      the demo database tool and the schema
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME exp036)
set(CPACK_PACKAGE_VENDOR "Equipe EXP036")
set(CPACK_PACKAGE_CONTACT "Equipe EXP036 <exp036@localhost>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Consulta Lançamentos (EXP036)")
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL common host appserver tools)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# Dependencies on system libraries come from the binaries themselves; ours sit in a private
# folder that dpkg-shlibdeps is told about.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)

set(common_dependency "exp036-common (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_COMMON_PACKAGE_NAME exp036-common)
# An embedded Firebird database is opened by Firebird's engine, a plug-in of its client library.
set(CPACK_DEBIAN_COMMON_PACKAGE_RECOMMENDS "firebird3.0-server-core")
set(CPACK_COMPONENT_COMMON_DESCRIPTION
    "Consulta Lançamentos: base do framework\nBiblioteca sem interface gráfica usada pelo host, pelo servidor e pelas ferramentas.")

set(CPACK_DEBIAN_HOST_PACKAGE_NAME exp036-host)
set(CPACK_DEBIAN_HOST_PACKAGE_DEPENDS
    "${common_dependency}, fonts-dejavu-core, fonts-liberation2, qt6-translations-l10n, cups-client")
set(CPACK_COMPONENT_HOST_DESCRIPTION
    "Consulta Lançamentos: aplicação de mesa\nO host exp036-host com o framework, o módulo EXP03600 e as definições do relatório EXP036.")

set(CPACK_DEBIAN_APPSERVER_PACKAGE_NAME exp036-appserver)
set(CPACK_DEBIAN_APPSERVER_PACKAGE_DEPENDS "${common_dependency}, adduser")
set(CPACK_COMPONENT_APPSERVER_DESCRIPTION
    "Consulta Lançamentos: servidor de aplicação\nO exp036-appserver como serviço do systemd, com usuário próprio e opções em /etc/exp036.")
set(CPACK_DEBIAN_APPSERVER_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/server/postinst
    ${PROJECT_SOURCE_DIR}/packaging/server/prerm
    ${PROJECT_SOURCE_DIR}/packaging/server/postrm
    ${PROJECT_SOURCE_DIR}/packaging/server/conffiles)

set(CPACK_DEBIAN_TOOLS_PACKAGE_NAME exp036-tools)
set(CPACK_DEBIAN_TOOLS_PACKAGE_DEPENDS "${common_dependency}")
set(CPACK_COMPONENT_TOOLS_DESCRIPTION
    "Consulta Lançamentos: ferramentas\nO exp036-demodb, que cria o banco de demonstração, e o esquema do banco.")

include(CPack)
