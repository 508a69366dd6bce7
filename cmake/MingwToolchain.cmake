# Cross build for 64-bit Windows with Debian's mingw-w64 (package g++-mingw-w64-x86-64-posix:
# the posix flavour, whose std::thread the engines need). Statically linked, so that the
# .exe runs alone, without the compiler's DLLs beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORDAVIN_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ORDAVIN_MINGW_TRIPLE}-gcc-posix)  # GoogleTest's project() asks for C
set(CMAKE_CXX_COMPILER ${ORDAVIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ORDAVIN_MINGW_TRIPLE}-windres)
# Named here: the -posix suffix hides the tool prefix from CMake's own search.
set(CMAKE_AR ${ORDAVIN_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${ORDAVIN_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")
set(CMAKE_STRIP ${ORDAVIN_MINGW_TRIPLE}-strip CACHE FILEPATH "")

# Libraries and headers from the target's tree only: the host's would not link.
set(CMAKE_FIND_ROOT_PATH /usr/${ORDAVIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
