# The installed layout. The programs, the notice library and the folders the programs search beside
# themselves ("Languages", "HELP", "fonts") share one private folder; /usr/bin holds links to the programs
# a user starts. A program finds its folder through /proc/self/exe, which names the real file behind a
# link, so it finds its resources there with no store value set. The language files and help documents
# themselves live under share/ and the private folder links to them.
include(GNUInstallDirs)
set(VORLIX_INSTALL_PRIVATE_DIR "lib/vorlix-daze")
set(VORLIX_INSTALL_DATA_DIR "${CMAKE_INSTALL_DATADIR}/vorlix-daze")
# udev reads /usr/lib/udev/rules.d; the rule's number sorts it before 73-seat-late.rules, the last
# file whose rules can still grant the seat's user access.
set(VORLIX_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING "udev rules folder, relative to the prefix")

# vorlix_install_link(LINK TARGET): a symbolic link LINK (relative to the prefix) that points to TARGET.
function(vorlix_install_link link target)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${link}\")
    get_filename_component(folder \"\${link}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${folder}\")
    message(STATUS \"Installing: \${link} -> ${target}\")
    file(CREATE_LINK \"${target}\" \"\${link}\" SYMBOLIC)")
endfunction()

# vorlix_install_program(TARGET): the program into the private folder and its link into bin/.
function(vorlix_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${VORLIX_INSTALL_PRIVATE_DIR})
  vorlix_install_link(${CMAKE_INSTALL_BINDIR}/${target} ../${VORLIX_INSTALL_PRIVATE_DIR}/${target})
endfunction()

# The system configuration folder for a prefix, decided when installing (a package is staged under
# DESTDIR with its final prefix): /etc for /usr, as the system's own packages do, else PREFIX/etc.
set(VORLIX_INSTALL_SYSCONF_CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(vorlix_sysconf \"/etc\")
  else()
    set(vorlix_sysconf \"\${CMAKE_INSTALL_PREFIX}/etc\")
  endif()")

# vorlix_install_sysconf_file(FILE SUBFOLDER [RENAME NAME]): FILE into the system configuration folder.
function(vorlix_install_sysconf_file file subfolder)
  cmake_parse_arguments(S "" "RENAME" "" ${ARGN})
  if(NOT S_RENAME)
    get_filename_component(S_RENAME "${file}" NAME)
  endif()
  install(CODE "${VORLIX_INSTALL_SYSCONF_CODE}
    file(INSTALL DESTINATION \"\${vorlix_sysconf}/${subfolder}\" TYPE FILE RENAME \"${S_RENAME}\"
         FILES \"${file}\")")
endfunction()

# vorlix_install_sysconf_link(LINK TARGET): a link in the system configuration folder to TARGET, a path
# relative to the prefix; the link is absolute because it crosses from /etc into /usr.
function(vorlix_install_sysconf_link link target)
  install(CODE "${VORLIX_INSTALL_SYSCONF_CODE}
    set(link \"\$ENV{DESTDIR}\${vorlix_sysconf}/${link}\")
    get_filename_component(folder \"\${link}\" DIRECTORY)
    file(MAKE_DIRECTORY \"\${folder}\")
    message(STATUS \"Installing: \${link} -> \${CMAKE_INSTALL_PREFIX}/${target}\")
    file(CREATE_LINK \"\${CMAKE_INSTALL_PREFIX}/${target}\" \"\${link}\" SYMBOLIC)")
endfunction()
