# Fails when a file of the core library reaches the window code: an include of
# a Qt Widgets header or of a file in a widgets/ folder.
#
#   cmake -DSOURCES_FILE=<file with one source path a line>
#         -DWIDGETS_HEADERS=<folder of the QtWidgets headers>
#         [-DSTAMP=<file written when the check passes>]
#         -P CheckCoreLayer.cmake
if(NOT SOURCES_FILE OR NOT WIDGETS_HEADERS)
  message(FATAL_ERROR "CheckCoreLayer: SOURCES_FILE and WIDGETS_HEADERS are required")
endif()

file(GLOB widget_headers RELATIVE ${WIDGETS_HEADERS} ${WIDGETS_HEADERS}/Q*)
if(NOT widget_headers)
  message(FATAL_ERROR "CheckCoreLayer: no Qt Widgets headers in ${WIDGETS_HEADERS}")
endif()

file(STRINGS ${SOURCES_FILE} sources)
set(faults "")
foreach(source IN LISTS sources)
  if(NOT source MATCHES "\\.(h|cpp)$")
    continue()
  endif()
  if(source MATCHES "/widgets/")
    string(APPEND faults "  ${source}: a core file in a widgets folder\n")
  endif()
  file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
  foreach(line IN LISTS includes)
    if(line MATCHES "[<\"]QtWidgets/" OR line MATCHES "\"[^\"]*widgets/[^\"]*\"")
      string(APPEND faults "  ${source}: ${line}\n")
    elseif(line MATCHES "<(Q[A-Za-z]+)>")
      list(FIND widget_headers ${CMAKE_MATCH_1} found)
      if(NOT found EQUAL -1)
        string(APPEND faults "  ${source}: ${line}\n")
      endif()
    endif()
  endforeach()
endforeach()

if(faults)
  message(FATAL_ERROR "The core library must not include the window code:\n${faults}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
