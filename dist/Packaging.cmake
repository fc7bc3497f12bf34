# The Debian package, built by CPack from the install rules (with prefix
# /usr), and the documents a Debian package carries beside the game: the
# manual page, the copyright file and the changelog.
#
#   cmake --build build --target package   ->  build/ikeasobi_<version>_<arch>.deb

set(IKEASOBI_PACKAGE_MAINTAINER "Ike Asobi developers <ikeasobi@users.noreply.github.com>"
    CACHE STRING "Maintainer field of the Debian package")
set(IKEASOBI_HOMEPAGE "https://github.com/ikeasobi/ikeasobi"
    CACHE STRING "Homepage field of the Debian package")

set(_docs ${CMAKE_BINARY_DIR}/dist)
configure_file(${CMAKE_CURRENT_LIST_DIR}/ikeasobi.6.in ${_docs}/ikeasobi.6 @ONLY)

# gzip -9n: best compression and no file name or time stamp inside, so the
# package's bytes do not depend on when it was built.
set(_gzip sh -c "gzip -9nc \"$0\" > \"$1\"")
add_custom_command(
  OUTPUT ${_docs}/ikeasobi.6.gz
  COMMAND ${_gzip} ${_docs}/ikeasobi.6 ${_docs}/ikeasobi.6.gz
  DEPENDS ${_docs}/ikeasobi.6
  VERBATIM)
add_custom_command(
  OUTPUT ${_docs}/changelog.gz
  COMMAND ${_gzip} ${CMAKE_CURRENT_LIST_DIR}/changelog ${_docs}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/changelog
  VERBATIM)
add_custom_target(ikeasobi_docs ALL DEPENDS ${_docs}/ikeasobi.6.gz ${_docs}/changelog.gz)

install(FILES ${_docs}/ikeasobi.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/copyright ${_docs}/changelog.gz
        DESTINATION share/doc/ikeasobi)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ikeasobi)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Ike Asobi developers")
set(CPACK_PACKAGE_CONTACT ${IKEASOBI_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "little pond-fishing game with fish races")
set(CPACK_PACKAGE_DESCRIPTION [=[
Cast your float into the pond, wait for a bite, reel in while watching the
line tension, and shoot the thrashing creature until it is weak enough to
land. Keep your catches in a fish tank, name them, feed them, sell them, or
enter them in six-runner races for cups and prize money. Money buys bait,
bullets, feed and better guns, lines and reels at the tackle shop.

The game is in Japanese. Its sound effects go through its own eight-channel
wave mixer to ALSA, and its music is played through a General MIDI soundfont.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
# Stripped and completed in the staging folder by PackageStaging.cmake.
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageStaging.cmake)
set(CPACK_IKEASOBI_STRIP ${CMAKE_STRIP})
set(CPACK_IKEASOBI_DIST ${CMAKE_CURRENT_LIST_DIR})

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${IKEASOBI_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${IKEASOBI_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries come from dpkg-shlibdeps; the soundfont, the font and Qt's
# Japanese texts (the message boxes' buttons) are read at run time, so no
# library dependency names them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "timgm6mb-soundfont | sf2-soundfont-gm, fonts-ipafont-gothic, qt6-translations-l10n")
# Wayland desktops run the game natively with it, others through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
