# ascii_helpers.tcl --
#
#	Helpers of the tests of pdb:open, pdb:read and pdb:save: scratch
#	files written byte for byte and one-call reading of a database text.

namespace eval ascii {
    variable scratch [file join [tcltest::temporaryDirectory] \
        ascii_[pid]_[clock clicks]]
    variable serial 0
    file mkdir $scratch
}

# A fresh, empty directory below the scratch directory.
proc ascii::freshDir {} {
    variable scratch
    variable serial
    set dir [file join $scratch d[incr serial]]
    file mkdir $dir
    return $dir
}

# Writes text to path exactly as given (no newline added or translated).
proc ascii::writeFile {path text} {
    set f [open $path wb]
    puts -nonewline $f $text
    close $f
    return $path
}

proc ascii::readFile {path} {
    set f [open $path rb]
    set text [read $f]
    close $f
    return $text
}

# A new file holding text, in a fresh directory.
proc ascii::newFile {text {name parts.db}} {
    return [writeFile [file join [freshDir] $name] $text]
}

# Empties the current group, opens text as a named file and reads it with
# the given extra words. Returns {status result errorCode handle file}.
proc ascii::readText {text args} {
    pdb:unload -all
    set file [newFile $text]
    set handle [pdb:open -file $file]
    set status [catch {pdb:read $handle {*}$args} result]
    set code [expr {$status ? $::errorCode : ""}]
    return [list $status $result $code $handle $file]
}

# Reads text (which must succeed), saves it and returns the saved text.
proc ascii::readAndSave {text args} {
    lassign [readText $text {*}$args] status result - handle file
    if {$status} {
        return -code error "read failed: $result"
    }
    pdb:save $handle
    return [readFile $file]
}

# The [part] lines of a database text, in order.
proc ascii::partLines {text} {
    return [lsearch -all -inline [split $text \n] {\[part\] *}]
}

# The line-error message of the reader.
proc ascii::lineError {text line file} {
    return "$text, line $line in $file."
}

proc ascii::cleanup {} {
    variable scratch
    pdb:unload -all
    file delete -force $scratch
}
