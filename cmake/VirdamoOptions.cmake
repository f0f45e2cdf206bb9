# Compiler settings shared by every target of the project.
#
# virdamo_warnings is linked PRIVATE by each of our targets, so the flags never
# leak into third-party code (GoogleTest, Qt headers are included as SYSTEM).

add_library(virdamo_warnings INTERFACE)
target_compile_options(virdamo_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion
    $<$<BOOL:${VIRDAMO_WERROR}>:-Werror>)

if(VIRDAMO_SANITIZE)
    # Applied globally so that every object, static library and test executable
    # carries the instrumentation; mixing instrumented and plain code hides faults.
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
endif()

# Hardening of everything we build: position-independent executables, stack protector,
# fortified libc calls (optimised builds only: the checks need the optimiser) and full
# RELRO, so that the dynamic relocations are read-only once the program has started.
include(CheckPIESupported)
check_pie_supported()
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_compile_options(-fstack-protector-strong)
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(LINKER:-z,relro LINKER:-z,now)
