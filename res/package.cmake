# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package: `cpack -G DEB` in a build folder packs whatever the
# install rules put in place, so a file installed by any folder's rules goes
# into the package without a change here. The dependencies are read from the
# binaries by dpkg-shlibdeps (package dpkg-dev).
set(CPACK_PACKAGE_NAME pothenot)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Pothenot maintainers")
set(CPACK_PACKAGE_CONTACT "Pothenot maintainers <maintainers@pothenot.invalid>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY pothenot)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not seen in the binaries: the narrow face the worksheet's labels are fitted
# to, and Qt's Russian translation of its own dialogs; the libraries found
# above are added to them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-urw-base35, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
# The short description is the first line; the rest is the long one, in
# English and in Russian (CPack indents its lines and marks the empty one).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[teaching calculator for the surveyor's resection (Pothenot's problem)
A surveyor at a station P measures the angles between the directions to three
known points A, B and C; the program finds P on a worksheet that shows every
intermediate quantity cut to the digits a hand computation carries, and checks
it against a fourth point D and a measured control angle. Russian interface.

Обратная засечка (задача Потенота): учебный расчёт координат станции по углам
на три известных пункта, с бланком промежуточных величин и контролем по
четвёртому пункту.]=])
include(CPack)
