# Builds for 32-bit x86 Linux with Debian's multilib compiler, and runs what it builds
# (tests, and the test listing at build time) under qemu's user-mode emulator: the kernel
# of these machines runs no 32-bit executables of its own.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT -m32)
set(CMAKE_CXX_FLAGS_INIT -m32)
set(CMAKE_EXE_LINKER_FLAGS_INIT -m32)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -m32)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -m32)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
find_program(HOLDSYNC_QEMU_I386 qemu-i386 REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${HOLDSYNC_QEMU_I386})
# Libraries come from Debian's i386 packages (CMAKE_LIBRARY_ARCHITECTURE points the package
# search at them); pkg-config must look there too, and nowhere 64-bit.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/i386-linux-gnu/pkgconfig:/usr/share/pkgconfig)
