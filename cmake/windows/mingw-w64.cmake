# Cross-compiles for 64-bit Windows with Debian's MinGW-w64. The posix flavour of the compiler:
# Qt and the standard library's threads need its winpthreads, the win32 flavour has none.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(TARNWICK_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TARNWICK_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARNWICK_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TARNWICK_MINGW_TRIPLET}-windres)
set(CMAKE_AR ${TARNWICK_MINGW_TRIPLET}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARNWICK_MINGW_TRIPLET}-gcc-ranlib-posix CACHE FILEPATH "")

# Libraries and headers only from the MinGW root and the cross-built prefix (Qt, SQLite), never
# the host's; programs (moc, rcc) from the host. The prefix comes from the environment because
# CMake reads this file again, without the cache, for every check it compiles.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${TARNWICK_MINGW_TRIPLET})
if(DEFINED ENV{TARNWICK_MINGW_PREFIX})
  list(APPEND CMAKE_FIND_ROOT_PATH $ENV{TARNWICK_MINGW_PREFIX})
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# The host's Qt tools (Qt6CoreTools and the like) are packages too.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
