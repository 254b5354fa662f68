file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hexlen)
math(EXPR size "${hexlen} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
file(WRITE ${OUTPUT}
"// Generated from ${INPUT}; do not edit.\n#include <string_view>\nnamespace ${NAMESPACE} {\nstatic const char data_${SYMBOL}[] = {${bytes} 0};\nstd::string_view ${SYMBOL}() { return {data_${SYMBOL}, ${size}}; }\n}\n")
