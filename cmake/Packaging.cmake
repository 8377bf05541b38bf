# The Debian package: `cpack` in the build folder (scripts/package.sh) makes
# resonex_<version>_<arch>.deb from the install rules.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME resonex)
set(CPACK_PACKAGE_VENDOR "The Resonex developers")
set(CPACK_PACKAGE_CONTACT "The Resonex developers <resonex@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design calculator for spark-gap Tesla coils")
set(CPACK_PACKAGE_DESCRIPTION
  "Resonex works out the electrical values of a spark-gap Tesla coil: the \
secondary coil (turns, inductance, resonant and quarter-wave frequencies, self- \
and top-load capacitance), the neon-sign transformer bank with its matching \
primary capacitor, and the flat spiral primary (the inductance after each turn \
and where to tap it). It keeps them in one design summary that can be printed \
or exported as PDF, and saves designs as .rzn files.\n\
.\n\
The package holds the desktop program, resonex, and its command-line \
companion, resonex-cli, which calculates and prints designs without a display.")
# Staged under DESTDIR, so that the install rules can tell a package from a
# direct installation; the prefix inside the package is /usr.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
# The dependencies come from the shared libraries the programs link.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
