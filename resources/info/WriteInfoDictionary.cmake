# Writes the information dictionary's source with the source tree's current
# revision. Run at build time:
#   cmake -DTEMPLATE=<.cpp.in> -DOUTPUT=<.cpp> -DVERSION=<x.y.z> -DSOURCE_DIR=<tree> [-DGIT=<git>] -P WriteInfoDictionary.cmake
# The revision is "unknown" outside a git checkout or without git. The output
# is only rewritten when its content changes, so an unchanged revision
# rebuilds nothing.
set(SPINEWISE_GIT_REVISION "unknown")
if(GIT)
  execute_process(
    COMMAND "${GIT}" -C "${SOURCE_DIR}" rev-parse --short HEAD
    RESULT_VARIABLE result
    OUTPUT_VARIABLE revision
    OUTPUT_STRIP_TRAILING_WHITESPACE
    ERROR_QUIET)
  if(result EQUAL 0 AND revision MATCHES "^[0-9a-f]+$")
    set(SPINEWISE_GIT_REVISION "${revision}")
  endif()
endif()
set(SPINEWISE_VERSION "${VERSION}")
configure_file("${TEMPLATE}" "${OUTPUT}" @ONLY)
