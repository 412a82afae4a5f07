# Compiler options chosen by compiler, so that every toolchain gets only what
# it understands: GCC and Clang (MinGW and Emscripten included), and MSVC.

set(TAMSEL_GNU_LIKE "$<OR:$<CXX_COMPILER_ID:GNU>,$<CXX_COMPILER_ID:Clang>,$<CXX_COMPILER_ID:AppleClang>>")
set(TAMSEL_MSVC "$<CXX_COMPILER_ID:MSVC>")

# Warnings, and source text read as UTF-8: the lesson's Japanese is in string
# literals, which MSVC would otherwise read in the system's code page.
function(tamsel_compile_flags target)
    target_compile_options(${target} PRIVATE
        "$<${TAMSEL_GNU_LIKE}:-Wall;-Wextra;-Wpedantic>"
        "$<${TAMSEL_MSVC}:/W4;/utf-8;/permissive-;/Zc:__cplusplus>")
endfunction()

# Inner loops optimised in every build type; call it in the folder that adds
# their target. They may assume finite values and ignore floating-point traps
# and the sign of zero, which leaves every finite result as it was. MSVC gets
# nothing here: its /O2 refuses a debug build's run-time checks, and /fp:fast
# would also reorder sums.
function(tamsel_fast_loops)
    set_source_files_properties(${ARGN} PROPERTIES COMPILE_OPTIONS
        "$<${TAMSEL_GNU_LIKE}:-O3;-fno-trapping-math;-ffinite-math-only;-fno-signed-zeros>")
endfunction()
