# common.tcl --
#
#	What the command tests share: the tovpart package loaded from the
#	build tree named by $env(TOVPART_PKG_DIR), and a way to run a script
#	in a fresh child tclsh with the package loaded and collect its
#	standard output (trace lines, reports).

namespace eval ::tovtest {
    variable pkgDir [file normalize $::env(TOVPART_PKG_DIR)]
    variable library [file join $pkgDir libtovpart[info sharedlibextension]]
}

# The build tree goes first so that an installed copy cannot shadow it.
set ::auto_path [linsert $::auto_path 0 $::tovtest::pkgDir]
package require tovpart 1.0
if {[lsearch -exact -index 0 [info loaded] $::tovtest::library] < 0} {
    error "tovpart was not loaded from $::tovtest::pkgDir"
}

# ::tovtest::inChild --
#
#	Runs script in a child tclsh (same environment) after loading the
#	package there, with its standard output line-buffered so that Tcl's
#	output and the module's trace lines keep their order.
#
# Results:
#	Everything the child wrote to standard output, newlines kept. An
#	error carrying the child's standard error when the child fails.

proc ::tovtest::inChild {script} {
    variable pkgDir
    set prelude [list set ::auto_path [linsert $::auto_path 0 $pkgDir]]
    append prelude \n "package require tovpart 1.0" \n \
        "fconfigure stdout -buffering line" \n
    set channel [file tempfile scriptFile]
    puts $channel $prelude$script
    close $channel
    set errorFile $scriptFile.stderr
    set failed [catch {
        exec -keepnewline [info nameofexecutable] $scriptFile 2> $errorFile
    } output]
    set fd [open $errorFile]
    set errors [read $fd]
    close $fd
    file delete $scriptFile $errorFile
    if {$failed} {
        return -code error "child tclsh failed: $output\n$errors"
    }
    return $output
}
