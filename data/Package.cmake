# The Debian package: cpack -G DEB in a build folder writes splot_VERSION_ARCH.deb
# (scripts/package builds and checks it). Its Depends are worked out from the
# shared libraries the program links (dpkg-shlibdeps).
set(CPACK_PACKAGE_NAME splot)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "SPLOT author <splot.author@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small painting program: paint with the mouse, or let pens wander")
# The extended description (CPack puts the summary above it).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "SPLOT paints with the mouse on one 24-bit picture of up to 5000 x 5000
pixels: a round or square brush with a fuzzy edge, intensity and speckles;
additive, subtractive, erase and red/blue 3D modes; brush properties that
drift during a stroke; colour actions painted or applied to the whole
picture; one level of undo; PNG and BMP pictures in, time-stamped PNG
pictures out; and pens that wander on their own around the paint already
on the picture.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SPLOT_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# Installed with DESTDIR under /usr, so the launcher names /usr/bin/splot.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
