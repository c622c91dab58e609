# Each library shows its own folder and nothing else: its headers are
# included as "<folder>/<header>" through a link in the build tree, and a
# library that does not link it cannot find them, so a dependency that runs
# the wrong way fails to compile. Generated headers of a folder sit under
# VESHA_GENERATED_DIR/<folder>, also reached as "<folder>/<header>".
set(VESHA_EXPOSED_DIR ${CMAKE_BINARY_DIR}/exposed)
set(VESHA_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)

# vesha_expose(target folder [GENERATED] [HEADERS h...]): the target's
# users, and the target itself, see the current source folder as "folder/";
# with HEADERS, only those headers of it; with GENERATED, also the target's
# generated headers.
function(vesha_expose target folder)
  cmake_parse_arguments(ARG "GENERATED" "" "HEADERS" ${ARGN})
  set(root ${VESHA_EXPOSED_DIR}/${target})
  if(ARG_HEADERS)
    file(MAKE_DIRECTORY ${root}/${folder})
    foreach(header ${ARG_HEADERS})
      file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR}/${header} ${root}/${folder}/${header} SYMBOLIC)
    endforeach()
  else()
    file(MAKE_DIRECTORY ${root})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
  if(ARG_GENERATED)
    target_include_directories(${target} PUBLIC ${VESHA_GENERATED_DIR}/${target})
  endif()
endfunction()
