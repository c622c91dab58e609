# What differs between the two architectures, all derived from the
# processor the toolchain file names.
set(VESHA_ARCH ${CMAKE_SYSTEM_PROCESSOR})
if(VESHA_ARCH STREQUAL "i686")
  set(VESHA_WIDL_FLAGS -m32)  # a SYS_WIN32 type library
  set(VESHA_MANIFEST_ARCH x86)
  set(VESHA_PEER_ARCH x86_64)
elseif(VESHA_ARCH STREQUAL "x86_64")
  set(VESHA_WIDL_FLAGS -m64)  # a SYS_WIN64 type library
  set(VESHA_MANIFEST_ARCH amd64)
  set(VESHA_PEER_ARCH i686)
else()
  message(FATAL_ERROR "No build for processor '${VESHA_ARCH}': use cmake/i686-w64-mingw32.cmake or "
                      "cmake/x86_64-w64-mingw32.cmake")
endif()

# The build runs its generators only as x86_64 programs, so it needs no
# 32-bit Wine. The x86_64 tree builds them and makes the data files that do
# not depend on the architecture; the i686 tree takes both from it.
set(VESHA_PEER_TREE "" CACHE PATH "The build tree of the other architecture")
if(VESHA_ARCH STREQUAL "x86_64")
  set(VESHA_GENERATOR_TREE ${CMAKE_BINARY_DIR})
elseif(VESHA_PEER_TREE)
  set(VESHA_GENERATOR_TREE ${VESHA_PEER_TREE})
  if(NOT EXISTS ${VESHA_GENERATOR_TREE}/generators.cmake)
    message(FATAL_ERROR "${VESHA_GENERATOR_TREE} is not a configured x86_64 build tree: "
                        "configure and build that one first")
  endif()
  include(${VESHA_GENERATOR_TREE}/generators.cmake)
else()
  message(FATAL_ERROR "An i686 build takes its generators and data files from an x86_64 build: "
                      "configure it with -DVESHA_PEER_TREE=<the x86_64 build tree>")
endif()
set(VESHA_ART_DIR ${VESHA_GENERATOR_TREE}/art)
set(VESHA_RUN_GENERATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh x86_64)
