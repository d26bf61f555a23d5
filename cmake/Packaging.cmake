# What users get: on Windows a ZIP with the program, a sample Belegbote.ini
# and a German LIESMICH.txt (cpack in the Windows build directory); on Linux
# `cmake --install` with the program, the sample ini and a systemd user unit.

set(BELEGBOTE_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(BELEGBOTE_SAMPLE_INI ${BELEGBOTE_PACKAGING_DIR}/Belegbote.ini)

# The sample ini is written by the program's own template code. It runs at
# build time, so in a cross build it is compiled for the build machine.
if(CMAKE_CROSSCOMPILING)
    find_program(BELEGBOTE_HOST_CXX NAMES c++ g++ clang++ REQUIRED
        DOC "C++ compiler for tools that run during the build")
else()
    set(BELEGBOTE_HOST_CXX ${CMAKE_CXX_COMPILER})
endif()
set(BELEGBOTE_TEMPLATE_TOOL ${BELEGBOTE_PACKAGING_DIR}/write_template)
set(BELEGBOTE_TEMPLATE_TOOL_SOURCES
    ${PROJECT_SOURCE_DIR}/packaging/write_template.cpp
    ${PROJECT_SOURCE_DIR}/config/TemplateWriter.cpp)
add_custom_command(
    OUTPUT ${BELEGBOTE_TEMPLATE_TOOL}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BELEGBOTE_PACKAGING_DIR}
    COMMAND ${BELEGBOTE_HOST_CXX} -std=c++20 -Wall -Wextra -Werror
            -I${PROJECT_SOURCE_DIR} ${BELEGBOTE_TEMPLATE_TOOL_SOURCES}
            -o ${BELEGBOTE_TEMPLATE_TOOL}
    DEPENDS ${BELEGBOTE_TEMPLATE_TOOL_SOURCES} ${PROJECT_SOURCE_DIR}/config/TemplateWriter.h
    COMMENT "Building the template tool for the build machine"
    VERBATIM)
add_custom_command(
    OUTPUT ${BELEGBOTE_SAMPLE_INI}
    COMMAND ${BELEGBOTE_TEMPLATE_TOOL} ${BELEGBOTE_SAMPLE_INI}
    DEPENDS ${BELEGBOTE_TEMPLATE_TOOL}
    COMMENT "Writing the sample Belegbote.ini"
    VERBATIM)
set(BELEGBOTE_PACKAGE_FILES ${BELEGBOTE_SAMPLE_INI})

if(WIN32)
    # LIESMICH.txt is kept as UTF-8 with LF; users get Windows-1252 with CR LF.
    set(BELEGBOTE_LIESMICH ${BELEGBOTE_PACKAGING_DIR}/LIESMICH.txt)
    add_custom_command(
        OUTPUT ${BELEGBOTE_LIESMICH}
        COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/packaging/LIESMICH.txt
                -DOUT=${BELEGBOTE_LIESMICH} -P ${PROJECT_SOURCE_DIR}/cmake/WindowsText.cmake
        DEPENDS ${PROJECT_SOURCE_DIR}/packaging/LIESMICH.txt
                ${PROJECT_SOURCE_DIR}/cmake/WindowsText.cmake
        COMMENT "Converting LIESMICH.txt to Windows-1252 with CR LF"
        VERBATIM)
    list(APPEND BELEGBOTE_PACKAGE_FILES ${BELEGBOTE_LIESMICH})
endif()
add_custom_target(belegbote_package_files ALL DEPENDS ${BELEGBOTE_PACKAGE_FILES})

if(WIN32)
    # Everything at the top of the ZIP: Explorer's "Alle extrahieren" makes
    # the folder.
    install(TARGETS belegbote RUNTIME DESTINATION .)
    install(FILES ${BELEGBOTE_PACKAGE_FILES} DESTINATION .)

    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
        set(BELEGBOTE_PACKAGE_ARCH win32)
    else()
        set(BELEGBOTE_PACKAGE_ARCH win64)
    endif()
    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME Belegbote)
    set(CPACK_PACKAGE_VENDOR Velmora)
    set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
    set(CPACK_PACKAGE_FILE_NAME
        "Belegbote-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}-${BELEGBOTE_PACKAGE_ARCH}")
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_SOURCE_GENERATOR "")
    include(CPack)
else()
    include(GNUInstallDirs)
    install(TARGETS belegbote RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${BELEGBOTE_SAMPLE_INI} DESTINATION ${CMAKE_INSTALL_DATADIR}/belegbote)

    # share/systemd/user is searched by the user manager for the prefixes
    # /usr, /usr/local (XDG_DATA_DIRS) and ~/.local (XDG_DATA_HOME).
    set(BELEGBOTE_SYSTEMD_USER_UNIT_DIR ${CMAKE_INSTALL_DATADIR}/systemd/user CACHE STRING
        "Where the systemd user unit is installed, relative to the prefix")
    # The unit names the installed program, so it is written at install time,
    # when the prefix given to `cmake --install --prefix` is known.
    set(BELEGBOTE_UNIT ${BELEGBOTE_PACKAGING_DIR}/belegbote.service)
    foreach(dir IN ITEMS BINDIR DATADIR)
        if(IS_ABSOLUTE "${CMAKE_INSTALL_${dir}}")
            set(BELEGBOTE_INSTALLED_${dir} "${CMAKE_INSTALL_${dir}}")
        else()
            set(BELEGBOTE_INSTALLED_${dir} "\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_${dir}}")
        endif()
    endforeach()
    install(CODE "
        set(BELEGBOTE_EXEC_START \"${BELEGBOTE_INSTALLED_BINDIR}/belegbote\")
        set(BELEGBOTE_SAMPLE_INI \"${BELEGBOTE_INSTALLED_DATADIR}/belegbote/Belegbote.ini\")
        configure_file(\"${PROJECT_SOURCE_DIR}/packaging/belegbote.service.in\"
                       \"${BELEGBOTE_UNIT}\" @ONLY)
    ")
    install(FILES ${BELEGBOTE_UNIT} DESTINATION ${BELEGBOTE_SYSTEMD_USER_UNIT_DIR})
endif()

# The Windows ZIP is checked from the native tests: the i686 build's own
# tests need a machine that runs 32-bit code, the package does not.
if(BELEGBOTE_TESTS AND NOT CMAKE_CROSSCOMPILING)
    add_test(NAME package_win32_zip
        COMMAND bash ${PROJECT_SOURCE_DIR}/tests/e2e/package_win32_zip.sh
                ${PROJECT_SOURCE_DIR} ${CMAKE_BINARY_DIR}/package-win32)
    set_tests_properties(package_win32_zip PROPERTIES
        ENVIRONMENT "BELEGBOTE_EXE=$<TARGET_FILE:belegbote>;BELEGBOTE_HELPERS=${CMAKE_BINARY_DIR}/tests"
        SKIP_RETURN_CODE 77
        TIMEOUT 900)
endif()
