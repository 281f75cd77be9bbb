# A program's resources as their own object library, with the program icon
# drawn at build time by a Python script, like the skin's pictures.  The
# program and the tests that need its dialogs and menus link the same objects.
#
#   add_program_resources(<name> RC <file.rc> ICON_SCRIPT <script.py>
#                         ICON <file.ico> COMMENT <text>)
#
# makes <name>_icon (the drawing step) and <name>_resources (the objects);
# the .rc finds the icon by its bare file name.
find_package(Python3 3.7 COMPONENTS Interpreter REQUIRED)

function(add_program_resources name)
  cmake_parse_arguments(ARG "" "RC;ICON_SCRIPT;ICON;COMMENT" "" ${ARGN})
  set(gen_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(icon ${gen_dir}/${ARG_ICON})
  set(script ${CMAKE_CURRENT_SOURCE_DIR}/${ARG_ICON_SCRIPT})
  file(MAKE_DIRECTORY ${gen_dir})
  add_custom_command(
    OUTPUT ${icon}
    COMMAND ${Python3_EXECUTABLE} -B ${script} ${icon}
    DEPENDS ${script}
    COMMENT "${ARG_COMMENT}"
    VERBATIM)
  add_custom_target(${name}_icon DEPENDS ${icon})
  set_source_files_properties(${ARG_RC} PROPERTIES OBJECT_DEPENDS ${icon})

  add_library(${name}_resources OBJECT ${ARG_RC})
  add_dependencies(${name}_resources ${name}_icon)
  target_include_directories(${name}_resources PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${gen_dir})
endfunction()
