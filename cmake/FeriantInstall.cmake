# Installation and the Debian package. Included last by the top-level CMakeLists.txt, when
# every target exists: the programs of apps/ and the shared libraries they load are found
# by walking the source folders, so that a program or library added later is installed
# without a change here.
#
#   cmake --install build --prefix PREFIX      PREFIX/bin, PREFIX/lib/feriant, manual pages,
#                                              bash completion, desktop entries and icons,
#                                              PREFIX/share/doc/feriant (packaging/)
#   cpack --config build/CPackConfig.cmake     feriant_<version>_amd64.deb

file(RELATIVE_PATH _feriant_bin_to_lib "/${CMAKE_INSTALL_BINDIR}" "/${FERIANT_INSTALL_LIBDIR}")

# Every target of `dir` and the folders below it, tests and benchmarks left out.
function(feriant_collect_targets dir result)
  get_property(found DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(subdir IN LISTS subdirs)
    if(subdir MATCHES "^${PROJECT_SOURCE_DIR}/(tests|bench)(/|$)")
      continue()
    endif()
    feriant_collect_targets(${subdir} below)
    list(APPEND found ${below})
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

feriant_collect_targets(${PROJECT_SOURCE_DIR} _feriant_targets)
set(FERIANT_INSTALLED_PROGRAMS "")
foreach(target IN LISTS _feriant_targets)
  get_target_property(type ${target} TYPE)
  get_target_property(source_dir ${target} SOURCE_DIR)
  if(type STREQUAL "EXECUTABLE" AND source_dir MATCHES "^${PROJECT_SOURCE_DIR}/apps/")
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${_feriant_bin_to_lib}")
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND FERIANT_INSTALLED_PROGRAMS ${target})
  elseif(type STREQUAL "SHARED_LIBRARY" OR type STREQUAL "MODULE_LIBRARY")
    # The component libraries, and those the programs link.
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN")
    install(TARGETS ${target}
            LIBRARY DESTINATION ${FERIANT_INSTALL_LIBDIR} NAMELINK_SKIP
            RUNTIME DESTINATION ${FERIANT_INSTALL_LIBDIR})
  endif()
endforeach()
message(STATUS "Installed programs: ${FERIANT_INSTALLED_PROGRAMS}")

# The Debian package: one package with everything installed above.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "feriant")
set(CPACK_PACKAGE_VENDOR "Quillmark")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "enter public holidays into calendars")
# The extended description in lines of at most 80 characters; CPack puts the summary
# above it and the space in front of each line.
string(JOIN "\n" CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Feriant works out the public holidays and local festivals of the regions of"
  "Germany, France, Liechtenstein, Austria and Switzerland, with their legal"
  "standing, for the years 1984 to 2049, and enters them into an iCalendar file or"
  "the base calendars of a Project XML file."
  ""
  "feriant-outlook and feriant-project, in the applications menu, show a calendar"
  "or a project plan with the Feriant add-in and its dialog; the command line"
  "feriant lists the holidays, exports them as a calendar, imports and removes"
  "them.")
set(CPACK_PACKAGE_HOMEPAGE_URL "${FERIANT_HOMEPAGE}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # feriant_<version>_<architecture>.deb
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${FERIANT_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # Depends: from the libraries the programs link
# and libcurl, which they load when a calendar server is first reached.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libcurl4 (>= 7.85)")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    "${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-Linux/usr/${FERIANT_INSTALL_LIBDIR}")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "bash-completion, man-db")
set(CPACK_STRIP_FILES ON)
include(CPack)
