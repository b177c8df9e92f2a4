# Install-time step: links <prefix>/bin to the game and writes its desktop entry for that prefix.
# Included from the install script with the TINTWISE_* variables set (see ../CMakeLists.txt).

function(tintwise_install_path out dir)
    if(IS_ABSOLUTE "${dir}")
        set(${out} "${dir}" PARENT_SCOPE)
    else()
        set(${out} "${CMAKE_INSTALL_PREFIX}/${dir}" PARENT_SCOPE)
    endif()
endfunction()

# Applies the desktop entry's string escapes (backslash and control characters).
function(tintwise_desktop_string out text)
    string(REPLACE "\\" "\\\\" text "${text}")
    string(REPLACE "\n" "\\n" text "${text}")
    string(REPLACE "\t" "\\t" text "${text}")
    string(REPLACE "\r" "\\r" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Turns a path into one Exec argument: "%" is doubled, and a path holding any character that the
# desktop entry format reserves is quoted, escaping the four that stay special inside quotes.
function(tintwise_desktop_exec_argument out path)
    string(REPLACE "%" "%%" arg "${path}")
    if(arg MATCHES "[ \t\n\"'\\\\><~|&;$*?#()`]")
        string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" arg "${arg}")
        set(arg "\"${arg}\"")
    endif()
    tintwise_desktop_string(arg "${arg}")
    set(${out} "${arg}" PARENT_SCOPE)
endfunction()

tintwise_install_path(bin_dir "${TINTWISE_BINDIR}")
tintwise_install_path(app_dir "${TINTWISE_APPDIR}")
tintwise_install_path(data_dir "${TINTWISE_DATADIR}")

# A relative link keeps working when the tree is staged with DESTDIR or moved as a whole.
set(link "${bin_dir}/${TINTWISE_EXECUTABLE}")
file(RELATIVE_PATH link_target "${bin_dir}" "${app_dir}/${TINTWISE_EXECUTABLE}")
message(STATUS "Installing: $ENV{DESTDIR}${link} -> ${link_target}")
file(MAKE_DIRECTORY "$ENV{DESTDIR}${bin_dir}")
file(REMOVE "$ENV{DESTDIR}${link}")
file(CREATE_LINK "${link_target}" "$ENV{DESTDIR}${link}" SYMBOLIC)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "$ENV{DESTDIR}${link}")

# Exec names the link by its absolute path, so the entry works for any prefix, also one whose
# bin folder is not on the desktop session's PATH (a home folder or /opt prefix).
tintwise_desktop_exec_argument(TINTWISE_EXEC "${link}")
tintwise_desktop_string(TINTWISE_TRYEXEC "${link}")
set(entry "$ENV{DESTDIR}${data_dir}/applications/${TINTWISE_APP_ID}.desktop")
message(STATUS "Installing: ${entry}")
configure_file("${TINTWISE_DESKTOP_TEMPLATE}" "${entry}" @ONLY)
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${entry}")
