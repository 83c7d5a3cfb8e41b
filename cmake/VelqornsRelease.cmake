# The shipped form of a Windows program: after each link, its debug information moves into
# <program>.exe.debug beside it and the program keeps only a debug link to that file, so
# the program stays small and an address from a crash report can still be resolved
# (x86_64-w64-mingw32-addr2line -e <program>.exe.debug ADDRESS).

find_program(VELQORNS_OBJCOPY NAMES ${CMAKE_OBJCOPY} x86_64-w64-mingw32-objcopy objcopy REQUIRED)

# Makes one executable target a shipped program.
function(velqorns_ship_program target)
  get_target_property(already ${target} VELQORNS_SHIPPED)
  if(already)
    return()
  endif()
  set_target_properties(${target} PROPERTIES VELQORNS_SHIPPED ON)
  set(program $<TARGET_FILE:${target}>)
  # The debug link keeps the file's name without its folder (and its checksum): a debugger
  # looks for it beside the program.
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${VELQORNS_OBJCOPY} --only-keep-debug ${program} ${program}.debug
    COMMAND ${VELQORNS_OBJCOPY} --strip-all --add-gnu-debuglink=${program}.debug ${program}
    COMMENT "Splitting the debug information of $<TARGET_FILE_NAME:${target}> into $<TARGET_FILE_NAME:${target}>.debug"
    VERBATIM)
endfunction()

# Makes every executable target of the calling directory a shipped program, those defined
# after the call included: called at the top of a directory's CMakeLists.txt, it runs once
# the directory has been read. (A post-build step belongs to the directory of its target,
# so a program defined in another directory calls velqorns_ship_program itself.)
function(velqorns_ship_every_program)
  cmake_language(DEFER CALL _velqorns_ship_programs_here)
endfunction()

function(_velqorns_ship_programs_here)
  get_property(targets DIRECTORY PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target ${targets})
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "EXECUTABLE")
      velqorns_ship_program(${target})
    endif()
  endforeach()
endfunction()
