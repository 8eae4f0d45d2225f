# The controller installed as a desktop program, and its Debian package.
#
# The program folder (${QUIRN_PROGRAM_INSTALL_DIR}) is installed by the rules beside its targets
# and data trees; the icon's sizes by tools/. This file adds what the desktop, the manual, the
# device access and the package need around it.

set(QUIRN_PACKAGE_MAINTAINER "Quirn Developers <quirn-devel@morvalin.example>"
    CACHE STRING "Maintainer named in the Debian package")
set(QUIRN_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)

# bin/quirn and bin/quirn-cut: relative links to the programs, which find their folder (and
# quirn-cut the controller beside it) through the link.
file(MAKE_DIRECTORY ${QUIRN_PACKAGING_DIR}/bin)
foreach(program quirn quirn-cut)
    file(RELATIVE_PATH QUIRN_LINK_TARGET /prefix/bin /prefix/${QUIRN_PROGRAM_INSTALL_DIR}/${program})
    file(CREATE_LINK ${QUIRN_LINK_TARGET} ${QUIRN_PACKAGING_DIR}/bin/${program} SYMBOLIC)
    install(FILES ${QUIRN_PACKAGING_DIR}/bin/${program} DESTINATION bin)
endforeach()

# Inkscape's "Cut with Quirn..." in its system extension folder.
install(FILES data/inkscape/quirn_cut.inx data/inkscape/quirn_cut.py
        DESTINATION share/inkscape/extensions)

install(FILES data/desktop/quirn.desktop DESTINATION share/applications)
install(FILES data/icons/quirn.svg DESTINATION share/icons/hicolor/scalable/apps)

# The rule matches the vendor id of the token the USB library searches for ("VID_7A6D").
string(REGEX MATCH "^VID_([0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f])$" QUIRN_VENDOR_MATCH
       "${QUIRN_USB_VENDOR_TOKEN}")
if(NOT QUIRN_VENDOR_MATCH)
    message(FATAL_ERROR "QUIRN_USB_VENDOR_TOKEN must be VID_ and four hexadecimal digits")
endif()
string(TOLOWER "${CMAKE_MATCH_1}" QUIRN_USB_VENDOR_ID)
configure_file(data/udev/70-quirn.rules.in ${QUIRN_PACKAGING_DIR}/70-quirn.rules @ONLY)
install(FILES ${QUIRN_PACKAGING_DIR}/70-quirn.rules DESTINATION lib/udev/rules.d)

# The manual page and the changelog, compressed as Debian keeps them (no name or time stamp in
# the gzip header, so the package is the same at every build).
find_program(QUIRN_GZIP gzip REQUIRED)
configure_file(data/man/quirn.1 ${QUIRN_PACKAGING_DIR}/quirn.1 @ONLY)
configure_file(data/man/quirn-cut.1 ${QUIRN_PACKAGING_DIR}/quirn-cut.1 @ONLY)
configure_file(data/debian/changelog.in ${QUIRN_PACKAGING_DIR}/changelog @ONLY)
set(QUIRN_COMPRESSED)
foreach(file quirn.1 quirn-cut.1 changelog)
    add_custom_command(
        OUTPUT ${QUIRN_PACKAGING_DIR}/${file}.gz
        COMMAND ${QUIRN_GZIP} -9 -n -c ${QUIRN_PACKAGING_DIR}/${file} > ${QUIRN_PACKAGING_DIR}/${file}.gz
        DEPENDS ${QUIRN_PACKAGING_DIR}/${file}
        VERBATIM)
    list(APPEND QUIRN_COMPRESSED ${QUIRN_PACKAGING_DIR}/${file}.gz)
endforeach()
add_custom_target(quirn_compressed_docs ALL DEPENDS ${QUIRN_COMPRESSED})
install(FILES ${QUIRN_PACKAGING_DIR}/quirn.1.gz ${QUIRN_PACKAGING_DIR}/quirn-cut.1.gz
        DESTINATION share/man/man1)
install(FILES data/debian/copyright ${QUIRN_PACKAGING_DIR}/changelog.gz
        DESTINATION share/doc/quirn)

# The package: `cpack -G DEB` in the build folder (scripts/package.sh).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirn)
set(CPACK_PACKAGE_VENDOR "Quirn Developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "controller for Morvalin USB cutting plotters")
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quirn prepares a Morvalin vinyl or paper cutting plotter connected over\n"
    "USB. It chooses the cutting conditions the plotter uses (its panel settings\n"
    "or a named media list), edits the media lists, runs test cuts, jogs the\n"
    "head, sets the origin, cross-cuts, sets the design and media orientation and\n"
    "the registration marks, and changes the plotter's advanced settings. A\n"
    "cutting driver or a design program can start it with launch parameters and\n"
    "read its exit status.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUIRN_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The dependencies come from the libraries the program and the USB library link. The USB
# library is private to the program folder and linked by nothing (the program loads it by
# name), so dpkg-shlibdeps is only told where it lies (it runs in the package root).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${QUIRN_PROGRAM_INSTALL_DIR})
# The windows are laid out for DejaVu Sans, Debian's default sans font; Japanese and Chinese
# texts need a CJK font.
# Qt SVG (libqt6svg6, for quirn-cut) comes in through the shared-library dependencies.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
# Inkscape brings the inkex module its extension is written on.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "inkscape")
# The maintainer scripts apply the udev rule to a plotter already plugged in. They also stand
# in for CPack's own, which would run ldconfig for the private library, which no one links.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/data/debian/postinst ${CMAKE_SOURCE_DIR}/data/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
