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
