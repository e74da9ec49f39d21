# Tcl package index of tovpart: the shim library starts the module.
package ifneeded tovpart 1.0 \
    [list load [file join $dir libtovpart[info sharedlibextension]] Tovpart]
