cmake_minimum_required(VERSION 3.25)
# Installs the build tree into a scratch prefix and checks what a desktop and a package
# need is there.
#   cmake -DBUILD_DIR=<build tree> -DPREFIX=<scratch prefix> [-DVALIDATOR=<desktop-file-validate>] -P check_install.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

set(expected
    bin/virdamo
    share/applications/virdamo.desktop
    share/icons/hicolor/32x32/apps/virdamo.png
    share/icons/hicolor/64x64/apps/virdamo.png
    share/icons/hicolor/128x128/apps/virdamo.png
    share/icons/hicolor/256x256/apps/virdamo.png
    share/icons/hicolor/scalable/apps/virdamo.svg
    share/metainfo/io.github.virdamo.Virdamo.metainfo.xml
    share/man/man1/virdamo.1.gz
    share/man/it/man1/virdamo.1.gz
    share/doc/virdamo/copyright
    share/doc/virdamo/changelog.gz)
foreach(path IN LISTS expected)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
execute_process(COMMAND test -x "${PREFIX}/bin/virdamo" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "bin/virdamo is not executable")
endif()

file(STRINGS "${PREFIX}/share/applications/virdamo.desktop" entry)
foreach(line IN ITEMS "Exec=virdamo" "Icon=virdamo" "Categories=Education;")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "desktop entry lacks '${line}'")
    endif()
endforeach()

if(VALIDATOR)
    execute_process(COMMAND "${VALIDATOR}" "${PREFIX}/share/applications/virdamo.desktop"
                    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
    if(NOT result EQUAL 0 OR NOT out STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate: ${out}")
    endif()
endif()

# The installed program needs no run-time search path: none, empty or $ORIGIN, may be left.
execute_process(COMMAND "${CMAKE_COMMAND}" -DREADELF=${READELF} -DDIR=${PREFIX} -P "${RUNPATH_CHECK}"
                RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "${out}")
endif()
