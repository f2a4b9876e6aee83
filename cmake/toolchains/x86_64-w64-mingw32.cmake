# Cross-builds VEQ Editor for 64-bit Windows with Debian's MinGW-w64, and runs
# the resulting .exe files under Wine, so `ctest` works unchanged. The Qt-free
# part needs nothing more:
#   cmake -S . -B build-windows-core \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake -DVEQ_BUILD_UI=OFF
# the whole program the static Qt that scripts/windows-qt.sh builds:
#   cmake -S . -B build-windows \
#     -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/x86_64-w64-mingw32.cmake -DVEQ_WINDOWS_QT=PREFIX
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
# The -posix compilers use winpthreads, which std::thread and std::mutex need.
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Link the GCC, C++ and thread runtimes in, so each .exe runs without
# libstdc++-6.dll and friends next to it (under Wine or on a real Windows).
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Headers, libraries and packages come from the MinGW sysroot only, never
# from the host; programs (code generators and the like) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
# A Qt built for Windows is one more root. Its tools (moc, rcc, uic) run on
# the host: they are the Linux Qt's of the same version, in /usr.
if(VEQ_WINDOWS_QT)
  list(APPEND CMAKE_FIND_ROOT_PATH ${VEQ_WINDOWS_QT})
  set(QT_HOST_PATH /usr)
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian installs the 64-bit loader outside PATH; /usr/bin/wine is a wrapper
# that picks it when the 32-bit one is absent.
find_program(VEQ_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(VEQ_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEQ_WINE})
endif()
