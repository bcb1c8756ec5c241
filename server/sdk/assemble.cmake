# Packs the Windows SDK archive from the win32 and win64 build trees.
#   cmake -DNAME=<folder> -DOUT=<zip> -DSTAGE=<scratch dir> -DWIN32_BUILD=<dir>
#         -DWIN64_BUILD=<dir> -DREADME=<file> -P assemble.cmake
# The .tlb and the header come from the 32-bit build (the product); the header
# and the interface ids are the same for both bitnesses.
set(root ${STAGE}/${NAME})
file(REMOVE_RECURSE ${STAGE})

set(files
  "${WIN32_BUILD}/server/VQZavrinStudio.dll|x86"
  "${WIN64_BUILD}/server/VQZavrinStudio.dll|x64"
  "${WIN32_BUILD}/server/VQZavrinStudio.tlb|."
  "${WIN32_BUILD}/server/include/VQZavrinStudio.h|include"
  "${WIN32_BUILD}/server/include/VQZavrinStudio_i.c|include"
  "${README}|.")
foreach(entry IN LISTS files)
  string(REPLACE "|" ";" entry "${entry}")
  list(GET entry 0 from)
  list(GET entry 1 to)
  if(NOT EXISTS ${from})
    message(FATAL_ERROR "SDK archive: ${from} is missing (build the win32 and win64 presets)")
  endif()
  file(COPY ${from} DESTINATION ${root}/${to})
endforeach()

file(REMOVE ${OUT})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT} --format=zip ${NAME}
  WORKING_DIRECTORY ${STAGE} RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "SDK archive: packing ${OUT} failed")
endif()
message(STATUS "Windows SDK archive: ${OUT}")
