# Run by CPack on the installed tree before it packages it (CPACK_PRE_BUILD_SCRIPTS): strips the
# programs as Debian's own packages are stripped and puts their debug information into the
# package zq350-dbgsym, beside the package.
# - Each program loses its .comment section (the compilers' notes of every object linked in),
#   which CPack's own strip keeps and lintian reports.
# - Its debug information, compressed, goes to /usr/lib/debug/.build-id/xx/yyy.debug (xx and
#   yyy: its build ID), where gdb and debuginfod look; the program keeps a link to that file.
# - zq350-dbgsym is made with dpkg-deb, with the fields of Debian's debug packages and the
#   program package's documents (a link to its folder). CPack's own debug package lists its
#   files in md5sums by their paths in the build tree, which dpkg and lintian refuse, and which
#   differ from one build tree to the next.
# Its time stamps are SOURCE_DATE_EPOCH's, as CPack's are.
set(root "${CPACK_ZQ_DBGSYM_ROOT}")
set(arch_out "${CPACK_PACKAGE_DIRECTORY}")
if(NOT root OR NOT arch_out)
    message(FATAL_ERROR "CPACK_ZQ_DBGSYM_ROOT or CPACK_PACKAGE_DIRECTORY is not set")
endif()
file(REMOVE_RECURSE "${root}")

function(zq_run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err
                    OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT result EQUAL 0)
        string(REPLACE ";" " " command "${ARGN}")
        message(FATAL_ERROR "${command}: ${err}")
    endif()
    set(zq_out "${out}" PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE files LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
list(SORT files)
set(build_ids "")
foreach(file IN LISTS files)
    if(IS_SYMLINK "${file}")
        continue()
    endif()
    file(READ "${file}" magic LIMIT 4 HEX)
    if(NOT magic STREQUAL "7f454c46")
        continue()
    endif()
    zq_run(${CMAKE_COMMAND} -E env LC_ALL=C "${CPACK_ZQ_READELF}" -n "${file}")
    if(NOT zq_out MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
        message(FATAL_ERROR "${file} has no build ID")
    endif()
    set(debug "${root}/usr/lib/debug/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug")
    list(APPEND build_ids "${CMAKE_MATCH_1}${CMAKE_MATCH_2}")
    get_filename_component(folder "${debug}" DIRECTORY)
    file(MAKE_DIRECTORY "${folder}")
    zq_run("${CPACK_ZQ_OBJCOPY}" --remove-section=.comment "${file}")
    zq_run("${CPACK_ZQ_OBJCOPY}" --only-keep-debug --compress-debug-sections "${file}" "${debug}")
    file(CHMOD "${debug}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
    zq_run("${CPACK_ZQ_OBJCOPY}" --strip-all "--add-gnu-debuglink=${debug}" "${file}")
endforeach()
list(LENGTH build_ids count)
if(count EQUAL 0)
    message(FATAL_ERROR "no program found under ${CPACK_TEMPORARY_DIRECTORY}")
endif()

file(CHMOD_RECURSE "${root}/usr" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)
# The package's documents are those of the package it belongs to.
file(MAKE_DIRECTORY "${root}/usr/share/doc")
file(CREATE_LINK ${CPACK_PACKAGE_NAME} "${root}/usr/share/doc/${CPACK_PACKAGE_NAME}-dbgsym" SYMBOLIC)

# md5sums and the installed size (KiB, a block per folder and link), over the files in order.
file(GLOB_RECURSE entries LIST_DIRECTORIES true RELATIVE "${root}" "${root}/*")
list(SORT entries)
set(md5sums "")
set(size 0)
foreach(entry IN LISTS entries)
    if(IS_SYMLINK "${root}/${entry}" OR IS_DIRECTORY "${root}/${entry}")
        math(EXPR size "${size} + 1")
    else()
        file(MD5 "${root}/${entry}" md5)
        string(APPEND md5sums "${md5}  ${entry}\n")
        file(SIZE "${root}/${entry}" bytes)
        math(EXPR size "${size} + (${bytes} + 1023) / 1024")
    endif()
endforeach()
zq_run(dpkg --print-architecture)
set(arch "${zq_out}")
string(REPLACE ";" " " build_ids "${build_ids}")
set(version "${CPACK_PACKAGE_VERSION}")
file(MAKE_DIRECTORY "${root}/DEBIAN")
file(WRITE "${root}/DEBIAN/control"
    "Package: ${CPACK_PACKAGE_NAME}-dbgsym\n"
    "Source: ${CPACK_PACKAGE_NAME}\n"
    "Version: ${version}\n"
    "Auto-Built-Package: debug-symbols\n"
    "Architecture: ${arch}\n"
    "Maintainer: ${CPACK_DEBIAN_PACKAGE_MAINTAINER}\n"
    "Installed-Size: ${size}\n"
    "Depends: ${CPACK_PACKAGE_NAME} (= ${version})\n"
    "Section: debug\n"
    "Priority: optional\n"
    "Description: debug symbols for ${CPACK_PACKAGE_NAME}\n"
    "Build-Ids: ${build_ids}\n")
file(WRITE "${root}/DEBIAN/md5sums" "${md5sums}")
file(CHMOD_RECURSE "${root}/DEBIAN" FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
     DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                           WORLD_READ WORLD_EXECUTE)

set(deb "${arch_out}/${CPACK_PACKAGE_NAME}-dbgsym_${version}_${arch}.deb")
file(REMOVE "${deb}")
# dpkg-deb takes its time stamps from SOURCE_DATE_EPOCH and orders the files by name.
zq_run(dpkg-deb --root-owner-group -Zxz --build "${root}" "${deb}")
message(STATUS "${CPACK_PACKAGE_NAME}: ${count} programs stripped, their debug files in ${deb}")
