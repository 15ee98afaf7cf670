# Cross-compiles the web page's WebAssembly with Debian's clang for wasm32-wasi (wasi-libc and
# libc++ for wasm32); binaryen's wasm-opt adds Asyncify afterwards. No Emscripten.
set(CMAKE_SYSTEM_NAME Generic)
set(CMAKE_SYSTEM_PROCESSOR wasm32)
set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET wasm32-wasi)
set(CMAKE_CXX_COMPILER_TARGET wasm32-wasi)
set(CMAKE_AR llvm-ar-14 CACHE FILEPATH "archiver")
set(CMAKE_RANLIB llvm-ranlib-14 CACHE FILEPATH "archive indexer")
set(CMAKE_EXECUTABLE_SUFFIX .wasm)
# No exceptions or threads in the page; the program uses neither. A release is optimised for
# size, across the whole program.
set(CMAKE_C_FLAGS_INIT "-fno-exceptions")
set(CMAKE_CXX_FLAGS_INIT "-fno-exceptions")
set(CMAKE_C_FLAGS_RELEASE "-Oz -DNDEBUG" CACHE STRING "Flags of a release")
set(CMAKE_CXX_FLAGS_RELEASE "-Oz -DNDEBUG" CACHE STRING "Flags of a release")
set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(QUILLMERE_WEB ON)
