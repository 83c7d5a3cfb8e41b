# The version is written in one place, the version record of resources/Velqorns.rc: this
# reads its file version (1.0.0.1) and product version ("1.0") into VELQORNS_FILE_VERSION and
# VELQORNS_PRODUCT_VERSION, for the project, the programs' own texts and the release's name.
# The record's numeric and text forms must agree, or the build stops here.

file(READ ${CMAKE_CURRENT_LIST_DIR}/../resources/Velqorns.rc velqorns_rc)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/../resources/Velqorns.rc)

function(_velqorns_version_field pattern variable)
  if(NOT velqorns_rc MATCHES "${pattern}")
    message(FATAL_ERROR "resources/Velqorns.rc: no ${variable} in the version record")
  endif()
  set(${variable} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
_velqorns_version_field("\nFILEVERSION[ \t]+([0-9]+,[0-9]+,[0-9]+,[0-9]+)" file_numbers)
_velqorns_version_field("\nPRODUCTVERSION[ \t]+([0-9]+,[0-9]+,[0-9]+,[0-9]+)" product_numbers)
_velqorns_version_field("VALUE \"FileVersion\", \"([0-9.]+)\"" VELQORNS_FILE_VERSION)
_velqorns_version_field("VALUE \"ProductVersion\", \"([0-9.]+)\"" VELQORNS_PRODUCT_VERSION)

# The text form may leave out trailing zero parts ("1.0" for 1,0,0,0).
function(_velqorns_check_version text numbers)
  string(REPLACE "." ";" parts "${text}")
  list(LENGTH parts count)
  while(count LESS 4)
    list(APPEND parts 0)
    math(EXPR count "${count} + 1")
  endwhile()
  string(REPLACE ";" "," padded "${parts}")
  if(NOT padded STREQUAL numbers)
    message(FATAL_ERROR "resources/Velqorns.rc: version \"${text}\" does not match ${numbers}")
  endif()
endfunction()
_velqorns_check_version(${VELQORNS_FILE_VERSION} ${file_numbers})
_velqorns_check_version(${VELQORNS_PRODUCT_VERSION} ${product_numbers})
unset(velqorns_rc)
