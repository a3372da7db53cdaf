# The installed trainer: its programs, the bank, "completed.swf" and the
# slides' Song face in one program folder (lib/pptdrill), a launcher in bin, the
# manual page, the copyright file and the changelog; desktop/ adds the menu
# entry, the AppStream file and the icons. The Debian package (cpack -G DEB in the build folder)
# holds exactly what this installs.
include(GNUInstallDirs)
set(DRILL_INSTALL_PROGRAM_DIR lib/pptdrill)
set(DRILL_INSTALL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/pptdrill)
set(DRILL_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(DRILL_PACKAGING_BUILD_DIR ${CMAKE_BINARY_DIR}/packaging)

# The programs the package carries side by side: a new program joins this list.
set(DRILL_PACKAGED_PROGRAMS pptdrill drillplay drillbridge)
# What the programs need at run time besides the libraries they link, which the
# package finds by itself: the X platform plugin, Qt's Chinese button texts, the
# Song-style and the sans CJK fonts. A new dependency joins this list.
# libpq5: the classroom loads it when it first reaches the class's server, so
# the library scan of the programs does not find it.
set(DRILL_PACKAGE_DEPENDS qt6-qpa-plugins qt6-translations-l10n "fonts-arphic-uming | fonts-noto-cjk"
                          fonts-wqy-microhei libpq5)
# A brush-script face for the slides' 楷体, 隶书 and 行楷; without it they show in Song.
set(DRILL_PACKAGE_RECOMMENDS fonts-arphic-ukai)

# Read-only to everyone but root, whatever the umask of the one who builds the
# package: every learner starts from this bank.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
install(TARGETS ${DRILL_PACKAGED_PROGRAMS} RUNTIME DESTINATION ${DRILL_INSTALL_PROGRAM_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(FILES ${DRILL_INSTALLED_BANK} ${DRILL_PROGRAM_DIR}/completed.swf ${DRILL_PROGRAM_DIR}/slidesong.ttf
        DESTINATION ${DRILL_INSTALL_PROGRAM_DIR} PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(CODE "
  set(launcher \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/pptdrill\")
  file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(REMOVE \"\${launcher}\")
  file(CREATE_LINK ../${DRILL_INSTALL_PROGRAM_DIR}/pptdrill \"\${launcher}\" SYMBOLIC)
  message(STATUS \"Installing: \${launcher}\")")

# ---------------------------------------------------------------- releases
# packaging/releases.txt lists the releases, newest first, with their notes; the
# AppStream release list and the Debian changelog are written from it.

# The weekday of a date, 0 for Sunday.
function(drill_weekday year month day out)
  set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
  math(EXPR index "${month} - 1")
  list(GET offsets ${index} offset)
  if(month LESS 3)
    math(EXPR year "${year} - 1")
  endif()
  math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
  set(${out} ${weekday} PARENT_SCOPE)
endfunction()

# Appends `text` to the changelog entry as a bullet, wrapped at 78 columns.
function(drill_changelog_bullet entry text out)
  string(REPLACE ";" "<semicolon>" text "${text}")
  string(REPLACE " " ";" words "${text}")
  set(line "  *")
  foreach(word IN LISTS words)
    string(LENGTH "${line} ${word}" length)
    if(length GREATER 78 AND NOT line MATCHES "^ *\\*?$")
      string(APPEND entry "${line}\n")
      set(line "   ")
    endif()
    string(APPEND line " ${word}")
  endforeach()
  string(APPEND entry "${line}\n")
  string(REPLACE "<semicolon>" ";" entry "${entry}")
  set(${out} "${entry}" PARENT_SCOPE)
endfunction()

file(READ ${DRILL_PACKAGING_DIR}/releases.txt release_text)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${DRILL_PACKAGING_DIR}/releases.txt)
# Lines as a list: a semicolon in a note must not split it.
string(REPLACE ";" "\\;" release_text "${release_text}")
string(REPLACE "\n" ";" release_lines "${release_text}")
set(month_names Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(day_names Sun Mon Tue Wed Thu Fri Sat)
set(DRILL_METAINFO_RELEASES "")
set(changelog "")
set(entry "")
set(entry_trailer "")
set(release_xml "")
set(line_number 0)
foreach(line IN LISTS release_lines)
  math(EXPR line_number "${line_number} + 1")
  if(line STREQUAL "" OR line MATCHES "^#")
    continue()
  endif()
  if(line MATCHES "^([0-9]+\\.[0-9]+\\.[0-9]+) ([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$")
    set(version ${CMAKE_MATCH_1})
    set(year ${CMAKE_MATCH_2})
    math(EXPR month "1${CMAKE_MATCH_3} - 100")
    math(EXPR day "1${CMAKE_MATCH_4} - 100")
    if(NOT DRILL_RELEASE_DATE)
      if(NOT version VERSION_EQUAL PROJECT_VERSION)
        message(FATAL_ERROR "packaging/releases.txt: the newest release is ${version}, "
                            "the project's version is ${PROJECT_VERSION}")
      endif()
      set(DRILL_RELEASE_DATE "${year}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}")
    endif()
    if(entry)
      string(APPEND changelog "${entry}\n${entry_trailer}\n")
      string(APPEND DRILL_METAINFO_RELEASES "${release_xml}        </ul>\n      </description>\n    </release>\n")
    endif()
    drill_weekday(${year} ${month} ${day} weekday)
    list(GET day_names ${weekday} day_name)
    math(EXPR month_index "${month} - 1")
    list(GET month_names ${month_index} month_name)
    set(entry "pptdrill (${version}) unstable; urgency=medium\n\n")
    set(entry_trailer " -- ${DRILL_MAINTAINER}  ${day_name}, ${CMAKE_MATCH_4} ${month_name} ${year} 12:00:00 +0000\n")
    set(release_xml "    <release version=\"${version}\" date=\"${year}-${CMAKE_MATCH_3}-${CMAKE_MATCH_4}\">\n")
    string(APPEND release_xml "      <description>\n        <ul>\n")
  elseif(line MATCHES "^- (.+)$" AND entry)
    string(REPLACE "\\;" ";" note "${CMAKE_MATCH_1}")
    drill_changelog_bullet("${entry}" "${note}" entry)
    string(REPLACE "&" "&amp;" note "${note}")
    string(REPLACE "<" "&lt;" note "${note}")
    string(REPLACE ">" "&gt;" note "${note}")
    string(APPEND release_xml "          <li>${note}</li>\n")
  else()
    message(FATAL_ERROR "packaging/releases.txt:${line_number}: neither \"VERSION YYYY-MM-DD\" nor \"- note\"")
  endif()
endforeach()
if(NOT entry)
  message(FATAL_ERROR "packaging/releases.txt names no release")
endif()
string(APPEND changelog "${entry}\n${entry_trailer}")
string(APPEND DRILL_METAINFO_RELEASES "${release_xml}        </ul>\n      </description>\n    </release>")
file(WRITE ${DRILL_PACKAGING_BUILD_DIR}/changelog "${changelog}")

# ------------------------------------------------------ documents of the package
configure_file(${DRILL_PACKAGING_DIR}/copyright.in ${DRILL_PACKAGING_BUILD_DIR}/copyright @ONLY)
configure_file(${DRILL_PACKAGING_DIR}/pptdrill.1.in ${DRILL_PACKAGING_BUILD_DIR}/pptdrill.1 @ONLY)
configure_file(${DRILL_PACKAGING_DIR}/drillbank.1.in ${DRILL_PACKAGING_BUILD_DIR}/drillbank.1 @ONLY)
configure_file(${DRILL_PACKAGING_DIR}/drillclass.1.in ${DRILL_PACKAGING_BUILD_DIR}/drillclass.1 @ONLY)

# Compressed as Debian keeps them: the most, and without a time stamp.
find_program(GZIP gzip REQUIRED)
set(compressed_documents)
foreach(document changelog pptdrill.1 drillbank.1 drillclass.1)
  set(compressed ${DRILL_PACKAGING_BUILD_DIR}/${document}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND sh -c "'${GZIP}' -9n -c '${DRILL_PACKAGING_BUILD_DIR}/${document}' > '${compressed}'"
    DEPENDS ${DRILL_PACKAGING_BUILD_DIR}/${document}
    VERBATIM)
  list(APPEND compressed_documents ${compressed})
endforeach()
add_custom_target(packagedocuments ALL DEPENDS ${compressed_documents})

install(FILES ${DRILL_PACKAGING_BUILD_DIR}/copyright ${DRILL_PACKAGING_BUILD_DIR}/changelog.gz
        DESTINATION ${DRILL_INSTALL_DOC_DIR})
install(FILES ${DRILL_PACKAGING_BUILD_DIR}/pptdrill.1.gz ${DRILL_PACKAGING_BUILD_DIR}/drillclass.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The bank compiler is a tool for whoever writes questions, not part of the
# package: "cmake --install build --component bankcompiler" installs it.
install(TARGETS drillbank RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT bankcompiler EXCLUDE_FROM_ALL)
install(FILES ${DRILL_PACKAGING_BUILD_DIR}/drillbank.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT bankcompiler EXCLUDE_FROM_ALL)

# ------------------------------------------------------------ the Debian package
set(CPACK_PACKAGE_NAME pptdrill)
set(CPACK_PACKAGE_VENDOR "The pptdrill developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${DRILL_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY ${PROJECT_DESCRIPTION})
# The package's extended description, in lines of Debian's width.
set(CPACK_PACKAGE_DESCRIPTION
    "A learner picks one of nine question sets, three sprint sets, a random
paper, the questions answered wrongly before or a paper of the weakest parts
of the module, logs in like a candidate and works through up to 40 questions
from an always-on-top question bar. Each question is an interactive
simulation of the Chinese PowerPoint 2003 window, with a hint and a
demonstration; handing in shows the score, and the practice history keeps
every attempt.

The programs and the question bank are installed read-only; each learner
practises on their own copy in their home folder, so one installation serves
every user of a classroom PC.")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
list(JOIN DRILL_PACKAGE_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
list(JOIN DRILL_PACKAGE_RECOMMENDS ", " CPACK_DEBIAN_PACKAGE_RECOMMENDS)
