# The Debian package (cpack -G DEB in a release build) and the documentation it carries:
# manual pages, the machine-readable copyright and the changelog. The version of the
# package, of the changelog, of the manual pages and of the AppStream release is
# project(VERSION); the release date below is the one other thing a new release changes.
include(GNUInstallDirs)

set(VIRDAMO_RELEASE_DATE 2026-12-09)
execute_process(COMMAND date -u -R -d "${VIRDAMO_RELEASE_DATE}"
    OUTPUT_VARIABLE VIRDAMO_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)

# Debian wants the documentation compressed with gzip -9n: no name, no time stamp, so the
# same sources always give the same package.
find_program(GZIP gzip REQUIRED)
function(virdamo_install_gzipped source output destination)
    set(plain ${CMAKE_CURRENT_BINARY_DIR}/packaging/${output})
    configure_file(${source} ${plain} @ONLY)
    add_custom_command(OUTPUT ${plain}.gz
        COMMAND ${GZIP} -9nkf ${plain}
        DEPENDS ${plain}
        COMMENT "Compressing ${output}"
        VERBATIM)
    string(MAKE_C_IDENTIFIER ${output} target)
    add_custom_target(virdamo_gzip_${target} ALL DEPENDS ${plain}.gz)
    install(FILES ${plain}.gz DESTINATION ${destination})
endfunction()

virdamo_install_gzipped(doc/virdamo.1.in man/virdamo.1 ${CMAKE_INSTALL_MANDIR}/man1)
virdamo_install_gzipped(doc/virdamo.it.1.in man/it/virdamo.1 ${CMAKE_INSTALL_MANDIR}/it/man1)
virdamo_install_gzipped(packaging/changelog.in changelog ${CMAKE_INSTALL_DOCDIR})
install(FILES packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME virdamo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Virdamo developers")
set(CPACK_PACKAGE_CONTACT "Virdamo developers <virdamo@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "worksheets of multiplications worked out in column form")
# One paragraph; CPack indents every line after the summary as Debian's control file needs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Virdamo is a desktop program in Italian for primary school teachers. It
makes paper worksheets of integer multiplications already worked out in
column form: multiplicand, multiplier, one partial product for each digit
of the multiplier and the product, digit under digit. The teacher chooses
how many digits the two factors have and how many operations a sheet
holds, then prints the sheet, or saves a set of different sheets for the
whole class, pupils' pages without results followed by the solutions, as
one PDF file, from the window or from the command line.]=])
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/virdamo/virdamo)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not libraries, so dpkg-shlibdeps cannot see them: the faces every page and number row is
# drawn in, and Qt's own dialogs in Italian.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
