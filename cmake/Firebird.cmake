# Firebird's client library (firebird-dev) with its object interface (firebird/Interface.h),
# which has no CMake or pkg-config file of its own; its headers come in as SYSTEM. The folder
# of Firebird's own configuration is where the data layer's generated firebird.conf includes it
# from (Debian: /etc/firebird/3.0).
find_path(FIREBIRD_INCLUDE_DIR firebird/Interface.h REQUIRED)
find_library(FIREBIRD_LIBRARY fbclient REQUIRED)
find_path(FIREBIRD_CONF_DIR firebird.conf PATHS /etc/firebird/3.0 NO_DEFAULT_PATH)
if(NOT FIREBIRD_CONF_DIR)
  set(FIREBIRD_CONF_DIR /etc/firebird/3.0)
endif()
add_library(Firebird::fbclient UNKNOWN IMPORTED)
set_target_properties(Firebird::fbclient PROPERTIES
  IMPORTED_LOCATION ${FIREBIRD_LIBRARY}
  INTERFACE_SYSTEM_INCLUDE_DIRECTORIES ${FIREBIRD_INCLUDE_DIR}
  INTERFACE_COMPILE_DEFINITIONS EXP036_FIREBIRD_CONF_DIR="${FIREBIRD_CONF_DIR}")
