# The Debian package build/pylora_<version>_<arch>.deb, made by CPack from what cmake/install.cmake
# installs (scripts/package). Library dependencies are computed by dpkg-shlibdeps. A CJK font is
# named, so that Chinese texts never show as boxes on a desktop without one: WenQuanYi Zen Hei,
# the program's first choice (it draws ℃, and a printed page's characters are found again by search),
# or Noto Sans CJK where that is installed already. Qt's Chinese translations put its own dialogs
# (print set-up, file choosers) in Chinese; without them they stay English.
set(PYLORA_PACKAGE_MAINTAINER "Pylora developers <pylora@localhost>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pylora)
set(CPACK_PACKAGE_VENDOR "Pylora developers")
set(CPACK_PACKAGE_CONTACT ${PYLORA_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator windows for long-distance pipeline design")
set(CPACK_PACKAGE_DESCRIPTION "\
A toolbox of calculator windows for engineers who design long-distance gas and
oil pipelines: wall thickness, hydraulics, crossing profiles, strength checks,
material and quota take-off, a desk calculator and a unit converter.
The headless runner pylora-cli runs every window without a display.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-zenhei | fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-zenhei, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

include(CPack)
