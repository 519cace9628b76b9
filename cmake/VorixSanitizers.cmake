# Instrumentation options for the checking builds, carried by one interface target.
#
#   VORIX_SANITIZE=ON  AddressSanitizer and UndefinedBehaviorSanitizer on every target, halting on
#                      the first report (the runtime options that make it halt are set by vorix.sh).
#   VORIX_FUZZ=ON      also libFuzzer coverage on every target, and the fuzz/ targets (clang only).
#
# Every target of the project links vorix_warnings, so vorix_instrumentation is attached to it: the
# options reach each compile and link line without a global flag string. Prebuilt libraries (Qt,
# GoogleTest) stay uninstrumented, which both sanitizers allow.

option(VORIX_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(VORIX_FUZZ "Build the libFuzzer targets in fuzz/ (needs clang; implies VORIX_SANITIZE)" OFF)

add_library(vorix_instrumentation INTERFACE)

if(VORIX_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "VORIX_FUZZ needs clang (libFuzzer); configure with -DCMAKE_CXX_COMPILER=clang++-14")
  endif()
  set(VORIX_SANITIZE ON CACHE BOOL "" FORCE)
  # Coverage feedback for libFuzzer in every library; only the fuzz executables link its main.
  target_compile_options(vorix_instrumentation INTERFACE -fsanitize=fuzzer-no-link)
endif()

if(VORIX_SANITIZE)
  set(vorix_sanitize_flags -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(vorix_instrumentation INTERFACE ${vorix_sanitize_flags})
  target_link_options(vorix_instrumentation INTERFACE ${vorix_sanitize_flags})
  # Standard container indices are bounds-checked too: a read past the received bytes that stays
  # inside a vector's spare capacity escapes AddressSanitizer.
  target_compile_definitions(vorix_instrumentation INTERFACE _GLIBCXX_ASSERTIONS)
endif()

target_link_libraries(vorix_warnings INTERFACE vorix_instrumentation)
