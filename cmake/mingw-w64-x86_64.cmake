# Cross-compiling for 64-bit Windows on Linux with mingw-w64's POSIX-threads gcc (std::thread and
# std::mutex need them). Used for Qt itself and for the program: pass -DCMAKE_TOOLCHAIN_FILE=this.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QO_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${QO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QO_MINGW_PREFIX}-windres)
set(CMAKE_AR ${QO_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${QO_MINGW_PREFIX}-ranlib CACHE FILEPATH "")

# Libraries and headers come from the Windows side only (the cross Qt prefix, the mingw sysroot);
# programs run during the build (moc, rcc) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${QO_MINGW_PREFIX} ${QO_WINDOWS_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
