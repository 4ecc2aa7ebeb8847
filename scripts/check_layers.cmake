# Checks that every #include of a project header stays within the layers its folder may use:
# the library's platform layer uses only itself; number theory and the Costas-array mathematics
# use the platform layer and themselves; the program and the builder use the library and
# themselves, never each other; so does the companion tool. Run as: cmake -DROOT=<source folder> -P scripts/check_layers.cmake (a test of the suite).
set(allowed__Library "^_Library/[^/]+$")
set(allowed__Library/Number_theory "^_Library/([^/]+|Number_theory/[^/]+)$")
set(allowed__Library/Costas_arrays "^_Library/([^/]+|Costas_arrays/[^/]+)$")
set(allowed_Read_Database "^(_Library|Read_Database)/")
set(allowed_Make_Database "^(_Library|Make_Database)/")
set(allowed_View_Arrays "^(_Library|View_Arrays)/")
set(failures "")
foreach(folder _Library _Library/Number_theory _Library/Costas_arrays Read_Database Make_Database
               View_Arrays)
  file(GLOB files ${ROOT}/${folder}/*.cpp ${ROOT}/${folder}/*.hpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"]*\"([^\"]+)\".*$" "\\1" header "${line}")
      if(NOT header MATCHES "${allowed_${folder}}")
        file(RELATIVE_PATH name ${ROOT} ${file})
        string(APPEND failures "${name} includes \"${header}\", outside the layers ${folder} may use\n")
      endif()
    endforeach()
  endforeach()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "every include stays within its layer")
