# Installs Lindor in the layout of a desktop system: the program in bin/, its language and
# help files in share/lindor/, and what makes it part of the desktop (menu entry, icons,
# document type, AppStream metadata, manual page) in the freedesktop.org folders.
include(GNUInstallDirs)

set(_lindor_data ${PROJECT_SOURCE_DIR}/data)
set(_lindor_out ${PROJECT_BINARY_DIR}/desktop)
file(MAKE_DIRECTORY ${_lindor_out})

# The program finds an installed copy's data files at ../share/lindor beside its folder
# (files/DataFolder.h).
if(NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
    message(WARNING "An installed lindor looks for its language files in ../share/lindor; "
                    "with bin=${CMAKE_INSTALL_BINDIR} and data=${CMAKE_INSTALL_DATADIR} "
                    "they can only be found beside the program.")
endif()

install(TARGETS lindor RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
file(GLOB _lindor_data_files CONFIGURE_DEPENDS ${_lindor_data}/*.lng ${_lindor_data}/*.html)
install(FILES ${_lindor_data_files} DESTINATION ${CMAKE_INSTALL_DATADIR}/lindor)
file(GLOB _lindor_help_pictures CONFIGURE_DEPENDS ${_lindor_data}/help/*.png)
install(FILES ${_lindor_help_pictures} DESTINATION ${CMAKE_INSTALL_DATADIR}/lindor/help)

# Menu entry and document type.
install(FILES ${_lindor_data}/lindor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_lindor_data}/lindor-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME lindor.xml)

# The icon: the drawing itself, and PNG renderings for the sizes menus and file managers use.
install(FILES ${_lindor_data}/lindor.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(_lindor_generated)
find_program(LINDOR_RSVG_CONVERT rsvg-convert)
if(LINDOR_RSVG_CONVERT)
    foreach(_size 16 22 24 32 48 64 128 256)
        set(_dir ${_lindor_out}/icons/${_size}x${_size})
        add_custom_command(
            OUTPUT ${_dir}/lindor.png
            COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
            COMMAND ${LINDOR_RSVG_CONVERT} --width ${_size} --height ${_size}
                    --output ${_dir}/lindor.png ${_lindor_data}/lindor.svg
            DEPENDS ${_lindor_data}/lindor.svg
            COMMENT "Rendering the icon at ${_size} pixels"
            VERBATIM)
        list(APPEND _lindor_generated ${_dir}/lindor.png)
        install(FILES ${_dir}/lindor.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
    endforeach()
else()
    message(WARNING "rsvg-convert (Debian package librsvg2-bin) was not found: the icon is "
                    "installed as SVG only, without its PNG renderings.")
endif()

# AppStream metadata. Its identifier is the home page's host name reversed, and the
# screenshots are every docs/screenshot*.png, as the home page serves them.
string(REPLACE "." ";" _lindor_labels "${LINDOR_HOMEPAGE_HOST}")
list(REVERSE _lindor_labels)
list(GET _lindor_labels -1 _lindor_last)
if(NOT _lindor_last STREQUAL "lindor")
    list(APPEND _lindor_labels lindor)
endif()
list(JOIN _lindor_labels "." LINDOR_APP_ID)

file(GLOB _lindor_shots CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/screenshot*.png)
set(LINDOR_METAINFO_SCREENSHOTS "")
if(_lindor_shots)
    string(REGEX REPLACE "/+$" "" _lindor_site "${LINDOR_HOMEPAGE}")
    set(_type " type=\"default\"")
    string(APPEND LINDOR_METAINFO_SCREENSHOTS "  <screenshots>\n")
    foreach(_shot ${_lindor_shots})
        get_filename_component(_name ${_shot} NAME)
        string(APPEND LINDOR_METAINFO_SCREENSHOTS
               "    <screenshot${_type}>\n"
               "      <image>${_lindor_site}/docs/${_name}</image>\n"
               "    </screenshot>\n")
        set(_type "")
    endforeach()
    string(APPEND LINDOR_METAINFO_SCREENSHOTS "  </screenshots>\n")
endif()
configure_file(${_lindor_data}/lindor.metainfo.xml.in
               ${_lindor_out}/${LINDOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${_lindor_out}/${LINDOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page, compressed as man and Debian expect (no name or time stamp in it).
configure_file(${_lindor_data}/lindor.1.in ${_lindor_out}/lindor.1 @ONLY)
add_custom_command(
    OUTPUT ${_lindor_out}/lindor.1.gz
    COMMAND gzip -9 -n -k -f ${_lindor_out}/lindor.1
    DEPENDS ${_lindor_out}/lindor.1
    COMMENT "Compressing the manual page"
    VERBATIM)
list(APPEND _lindor_generated ${_lindor_out}/lindor.1.gz)
install(FILES ${_lindor_out}/lindor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

add_custom_target(lindor_desktop_files ALL DEPENDS ${_lindor_generated})
