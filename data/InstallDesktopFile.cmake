# Writes the launcher at install time, when the final prefix is known, so its
# Exec line names the installed program by its full path and the launcher works
# whether or not the prefix's bin folder is on PATH.
# In: splot_source_dir, splot_binary_dir, splot_bindir (relative to the prefix).
set(splot_program "${CMAKE_INSTALL_PREFIX}/${splot_bindir}/splot")
set(splot_tryexec "${splot_program}")
# Inside a quoted Exec argument the characters " ` $ and \ take a backslash,
# and the value itself doubles every backslash.
set(splot_exec "${splot_program}")
if(splot_exec MATCHES "[^A-Za-z0-9/._+-]")
    string(REPLACE "\\" "\\\\\\\\" splot_exec "${splot_exec}")
    string(REPLACE "\"" "\\\\\"" splot_exec "${splot_exec}")
    string(REPLACE "`" "\\\\`" splot_exec "${splot_exec}")
    string(REPLACE "$" "\\\\$" splot_exec "${splot_exec}")
    set(splot_exec "\"${splot_exec}\"")
    string(REPLACE "\\" "\\\\" splot_tryexec "${splot_tryexec}")
endif()
configure_file("${splot_source_dir}/data/splot.desktop.in" "${splot_binary_dir}/splot.desktop" @ONLY)
