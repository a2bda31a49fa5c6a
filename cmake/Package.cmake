# The Debian package: `cpack -G DEB` in the build folder. Besides what cmake --install puts
# in place, a Debian package carries its copyright file and changelog in
# share/doc/lindor/; both are made here from LICENSE and the release.

set(_lindor_deb ${PROJECT_BINARY_DIR}/debian)
file(MAKE_DIRECTORY ${_lindor_deb})
set(_lindor_docdir ${CMAKE_INSTALL_DATADIR}/doc/lindor)

# copyright, in Debian's machine-readable format: the notice and the licence text of LICENSE
# ("Expat" is Debian's name of this MIT licence).
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE _lindor_license)
if(NOT _lindor_license MATCHES "Copyright \\(c\\) ([^\n]+)\n\n(.+)$")
    message(FATAL_ERROR "LICENSE has no \"Copyright (c) ...\" line followed by the licence")
endif()
set(LINDOR_COPYRIGHT ${CMAKE_MATCH_1})
string(STRIP "${CMAKE_MATCH_2}" _lindor_text)
string(REPLACE "\n\n" "\n.\n" _lindor_text "${_lindor_text}")
string(REPLACE "\n" "\n " _lindor_text "${_lindor_text}")
set(LINDOR_LICENSE_TEXT " ${_lindor_text}")
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/copyright.in ${_lindor_deb}/copyright @ONLY)
install(FILES ${_lindor_deb}/copyright DESTINATION ${_lindor_docdir})

# changelog.gz: the release with its date in the form Debian's changelog uses.
string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${LINDOR_RELEASE_DATE}")
if(NOT CMAKE_MATCH_0)
    message(FATAL_ERROR "LINDOR_RELEASE_DATE must be YYYY-MM-DD, not '${LINDOR_RELEASE_DATE}'")
endif()
math(EXPR _year "${CMAKE_MATCH_1}")
math(EXPR _month "${CMAKE_MATCH_2}")
math(EXPR _day "${CMAKE_MATCH_3}")
# Day of the week (0 Sunday) by Sakamoto's method.
set(_offsets 0 3 2 5 0 3 5 1 4 6 2 4)
math(EXPR _index "${_month} - 1")
list(GET _offsets ${_index} _offset)
set(_y ${_year})
if(_month LESS 3)
    math(EXPR _y "${_y} - 1")
endif()
math(EXPR _weekday "(${_y} + ${_y} / 4 - ${_y} / 100 + ${_y} / 400 + ${_offset} + ${_day}) % 7")
set(_weekdays Sun Mon Tue Wed Thu Fri Sat)
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(GET _weekdays ${_weekday} _weekday_name)
list(GET _months ${_index} _month_name)
if(_day LESS 10)
    set(_day "0${_day}")
endif()
set(LINDOR_RELEASE_DATE_RFC2822 "${_weekday_name}, ${_day} ${_month_name} ${_year} 00:00:00 +0000")
configure_file(${PROJECT_SOURCE_DIR}/cmake/debian/changelog.in ${_lindor_deb}/changelog @ONLY)
add_custom_command(
    OUTPUT ${_lindor_deb}/changelog.gz
    COMMAND gzip -9 -n -k -f ${_lindor_deb}/changelog
    DEPENDS ${_lindor_deb}/changelog
    COMMENT "Compressing the Debian changelog"
    VERBATIM)
add_custom_target(lindor_debian_files ALL DEPENDS ${_lindor_deb}/changelog.gz)
install(FILES ${_lindor_deb}/changelog.gz DESTINATION ${_lindor_docdir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lindor)
set(CPACK_PACKAGE_VENDOR "The Lindor developers")
set(CPACK_PACKAGE_CONTACT ${LINDOR_MAINTAINER})
set(CPACK_PACKAGE_HOMEPAGE_URL ${LINDOR_HOMEPAGE})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "interactive plotter for functions of one variable")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Lindor draws functions of one variable, y = f(x), typed as free text such as\n"
    "2x^2 - sin(3x), with grid, axes and scale text, up to twelve at a time. On\n"
    "the graph it finds roots, maxima, minima and intersections, computes definite\n"
    "integrals, and builds derivatives, tangents and normals. Work is kept in\n"
    "documents, and graphs are saved as PNG, BMP, SVG or GIF pictures. A command\n"
    "line evaluates, tabulates, analyses and draws functions without a display.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own translations make the file, font and page setup dialogs speak Swedish as well (the
# buttons of message boxes and queries come from Lindor's language files either way).
set(CPACK_DEBIAN_PACKAGE_SUGGESTS qt6-translations-l10n)
# Control files (md5sums) with the permissions Debian's own tools give them.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
