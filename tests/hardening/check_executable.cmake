# Reads the executable's ELF headers, program headers, dynamic section and symbols.
function(readelf_output flags out)
    execute_process(COMMAND ${READELF} ${flags} -W ${EXECUTABLE}
        OUTPUT_VARIABLE text RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "readelf ${flags} failed on ${EXECUTABLE}")
    endif()
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

set(failures "")

readelf_output(-h header)
if(NOT header MATCHES "Type:[ ]+DYN")
    list(APPEND failures "not a position-independent executable (ELF type is not DYN)")
endif()

readelf_output(-l segments)
if(NOT segments MATCHES "GNU_RELRO")
    list(APPEND failures "no GNU_RELRO segment: relocations stay writable")
endif()

readelf_output(-d dynamic)
if(NOT dynamic MATCHES "BIND_NOW" AND NOT dynamic MATCHES "Flags:[^\n]*NOW")
    list(APPEND failures "no BIND_NOW: RELRO is only partial")
endif()
if(NOT dynamic MATCHES "Flags:[^\n]*PIE")
    list(APPEND failures "the dynamic section does not mark the executable PIE")
endif()

readelf_output(--dyn-syms symbols)
if(NOT symbols MATCHES "__stack_chk_fail")
    list(APPEND failures "no stack protector: __stack_chk_fail is never referenced")
endif()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "${EXECUTABLE} is not hardened:\n  ${text}")
endif()
message(STATUS "${EXECUTABLE}: PIE, full RELRO, stack protector")
