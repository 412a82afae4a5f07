# Desktop integration and install layout; each test takes a second or two.
# Included at the end of the top-level directory, so paths come from this file's folder.

set(_tamsel_pkg_tests ${CMAKE_CURRENT_LIST_DIR})

add_test(NAME packaging_desktop_entry
         COMMAND sh ${_tamsel_pkg_tests}/validate-desktop.sh
                 ${PROJECT_SOURCE_DIR}/data/${TAMSEL_APP_ID}.desktop)

add_test(NAME packaging_metainfo
         COMMAND appstreamcli validate --no-net --strict --explain
                 ${PROJECT_SOURCE_DIR}/data/${TAMSEL_APP_ID}.metainfo.xml)

add_test(NAME packaging_install_tree
         COMMAND sh ${_tamsel_pkg_tests}/check-install-tree.sh
                 ${CMAKE_COMMAND} ${PROJECT_BINARY_DIR} ${PROJECT_BINARY_DIR}/packaging-stage
                 ${PROJECT_VERSION})
