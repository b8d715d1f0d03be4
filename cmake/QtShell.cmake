# spinewise_qt_library(NAME FOLDER folder [RECURSE] LIBS ...): a static library of
# every .cpp in `folder` (with moc), linked to LIBS. The shell's folders list
# no files by hand: each class lives in its own pair of files.
function(spinewise_qt_library name)
  cmake_parse_arguments(ARG "RECURSE" "FOLDER" "LIBS" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE sources CONFIGURE_DEPENDS "${ARG_FOLDER}/*.cpp")
  else()
    file(GLOB sources CONFIGURE_DEPENDS "${ARG_FOLDER}/*.cpp")
    # A program's entry stays out of its library.
    list(FILTER sources EXCLUDE REGEX "/main\\.cpp$")
  endif()
  if(sources)
    add_library(${name} STATIC ${sources})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    spinewise_warnings(${name})
  else()
    # A folder still without sources stands in as its dependencies.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${CMAKE_SOURCE_DIR}/src)
    target_link_libraries(${name} INTERFACE ${ARG_LIBS})
  endif()
endfunction()
