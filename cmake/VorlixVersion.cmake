# The program's version is the project version (the top CMakeLists.txt). It reaches the version resource
# through a generated version.h; everything else (the installer, the update check, the uninstall entry)
# reads it back from that resource.

# Writes <dir>/version.h for the version text V (four numbers joined by dots).
function(vorlix_version_header dir version)
  string(REPLACE "." ";" parts "${version}")
  list(LENGTH parts count)
  if(NOT count EQUAL 4)
    message(FATAL_ERROR "a program version has four numbers: ${version}")
  endif()
  string(REPLACE ";" ", " VORLIX_RC_VERSION_NUM "${parts}")
  set(VORLIX_RC_VERSION_TEXT "${version}")
  configure_file(${PROJECT_SOURCE_DIR}/resources/version.h.in ${dir}/version.h @ONLY)
endfunction()

set(VORLIX_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${PROJECT_VERSION_TWEAK})
# The same tree one revision higher: the build the development service offers as an update.
math(EXPR _vorlix_next_tweak "${PROJECT_VERSION_TWEAK} + 1")
set(VORLIX_NEXT_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.${_vorlix_next_tweak})

vorlix_version_header(${PROJECT_BINARY_DIR}/version ${VORLIX_VERSION})
vorlix_version_header(${PROJECT_BINARY_DIR}/version-next ${VORLIX_NEXT_VERSION})
include_directories(${PROJECT_BINARY_DIR}/version)
