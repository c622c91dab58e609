# Cross-build for Windows with MinGW-w64, for the processor that the
# toolchain file including this one names (i686 or x86_64). The posix-thread
# compilers are required: GoogleTest needs std::mutex, which the win32
# model lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(VESHA_TRIPLE ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)

set(CMAKE_C_COMPILER ${VESHA_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VESHA_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${VESHA_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VESHA_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW DLLs beside the program: everything the runtime needs is linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Windows programs run here through Wine of the same architecture; the
# wrapper picks its loader and private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-exec.sh ${CMAKE_SYSTEM_PROCESSOR})
