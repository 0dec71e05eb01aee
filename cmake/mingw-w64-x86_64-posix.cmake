# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Kormix developers
# Cross-compiling for 64-bit Windows with Debian's mingw-w64, POSIX thread model (Qt and
# std::thread need it). Used for the Qt prefix, the libraries the Windows build links
# (GoogleTest, libxlsxwriter) and the program itself, which finds it through Qt's own
# toolchain file (QT_CHAINLOAD_TOOLCHAIN_FILE, see the "windows" preset).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(KORMIX_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KORMIX_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KORMIX_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${KORMIX_MINGW}-windres)
set(CMAKE_AR /usr/bin/${KORMIX_MINGW}-gcc-ar-posix CACHE FILEPATH "")
set(CMAKE_RANLIB /usr/bin/${KORMIX_MINGW}-gcc-ranlib-posix CACHE FILEPATH "")
# Headers, libraries and CMake packages of the target only: the mingw sysroot and the
# prefixes named in CMAKE_PREFIX_PATH (Qt's toolchain file adds its own); programs are the
# host's (moc, rcc, lrelease come from Debian's native Qt).
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KORMIX_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
