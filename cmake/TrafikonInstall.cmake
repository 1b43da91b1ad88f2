# SPDX-License-Identifier: GPL-3.0-or-later
# Installation as a Linux desktop program, and its Debian package (cpack -G DEB).
include(GNUInstallDirs)
set(TRAFIKON_APP_ID org.trafikon.Trafikon)
set(_pkg ${CMAKE_SOURCE_DIR}/packaging)
set(_doc ${CMAKE_INSTALL_DATAROOTDIR}/doc/trafikon)
# A Debian package needs a maintainer with a mail address. None exists yet:
# the reserved .invalid domain says so rather than pointing anywhere.
set(TRAFIKON_MAINTAINER "Trafikon developers <trafikon@trafikon.invalid>")
configure_file(${_pkg}/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)

# Manual pages and the package's change log are installed compressed, without
# a time stamp in them so that two builds give the same bytes.
find_program(TRAFIKON_GZIP gzip REQUIRED)
set(_gz)
foreach(f ${_pkg}/trafikon.1 ${_pkg}/trafikon-batch.1 ${CMAKE_BINARY_DIR}/packaging/changelog)
  get_filename_component(_name ${f} NAME)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${_name}.gz
    COMMAND ${TRAFIKON_GZIP} -9nc ${f} > ${CMAKE_BINARY_DIR}/packaging/${_name}.gz
    DEPENDS ${f} VERBATIM)
  list(APPEND _gz ${CMAKE_BINARY_DIR}/packaging/${_name}.gz)
endforeach()
add_custom_target(trafikon_compressed_docs ALL DEPENDS ${_gz})

install(TARGETS trafikon-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/packaging/trafikon-batch.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# The user units that run the watch of the logs headless.
install(FILES ${_pkg}/trafikon-watch.service ${_pkg}/trafikon-watch.timer
        DESTINATION lib/systemd/user)
install(FILES ${_pkg}/copyright DESTINATION ${_doc})
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${_doc}
        RENAME changelog.Debian.gz)
if(TRAFIKON_BUILD_GUI)
  install(TARGETS trafikon RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/packaging/trafikon.1.gz
          DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES ${_pkg}/${TRAFIKON_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  configure_file(${_pkg}/${TRAFIKON_APP_ID}.metainfo.xml.in
                 ${CMAKE_BINARY_DIR}/${TRAFIKON_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_BINARY_DIR}/${TRAFIKON_APP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  set(_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES ${_pkg}/icons/trafikon.svg DESTINATION ${_icons}/scalable/apps
          RENAME ${TRAFIKON_APP_ID}.svg)
  # The PNG sizes were made once from the SVG (ImageMagick) and are kept beside it.
  foreach(size 16 32 48 64 128 256)
    install(FILES ${_pkg}/icons/trafikon-${size}.png DESTINATION ${_icons}/${size}x${size}/apps
            RENAME ${TRAFIKON_APP_ID}.png)
  endforeach()
endif()

# The package: scripts/package.sh builds it with Debian's hardening flags.
# No home page exists yet, so none is given.
# The shipped country database, fetched by scripts/install-deps.sh into
# geodata/ (kept out of git): beside the programs in the build folder, under
# share/trafikon/ once installed, with the licence of its data.
set(TRAFIKON_COUNTRY_DB ${CMAKE_SOURCE_DIR}/geodata/geo-whois-asn-country.mmdb)
if(EXISTS ${TRAFIKON_COUNTRY_DB})
  configure_file(${TRAFIKON_COUNTRY_DB} ${CMAKE_BINARY_DIR}/geo-whois-asn-country.mmdb COPYONLY)
  install(FILES ${TRAFIKON_COUNTRY_DB} ${CMAKE_SOURCE_DIR}/geodata/NRO_LICENSE
          DESTINATION ${CMAKE_INSTALL_DATADIR}/trafikon)
else()
  message(WARNING "geodata/geo-whois-asn-country.mmdb is missing (scripts/install-deps.sh "
                  "fetches it): the programs go without the shipped country database")
endif()

set(CPACK_PACKAGE_NAME trafikon)
set(CPACK_PACKAGE_VENDOR "Trafikon developers")
set(CPACK_PACKAGE_CONTACT ${TRAFIKON_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)  # the "-1" of packaging/changelog.in
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop analyser of web-server access logs")
set(CPACK_PACKAGE_DESCRIPTION
    "Trafikon files the lines of Apache (common, combined), IIS (W3C) or
custom access logs month by month, analyses every stored month and shows
hits, pages, visitors, hosts, browsers, status codes, referrers and search
queries. French and English interface. trafikon-batch does the same
without a window.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION web)
# Runtime libraries as dpkg-shlibdeps finds them; xdg-open opens pages.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
# The country names come from the system's ISO 3166 list.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "iso-codes")
include(CPack)
