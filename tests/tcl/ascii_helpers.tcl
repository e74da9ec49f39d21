# ascii_helpers.tcl --
#
#	What the command tests share: scratch files written byte for byte,
#	one-call reading of a database text, images written from a text,
#	reports of pdb:print, and commands run for their status and message.

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

# Reads the texts into named files of a scratch group, the last one after
# the others (references of the last text may designate their entries),
# writes the last as an image at path and leaves the scratch group empty.
# The current group is not touched. Returns path.
proc ascii::imageOf {path args} {
    set group [pdb:group new]
    foreach text $args {
        set handle [pdb:open -group $group -file [newFile $text]]
        pdb:read -group $group $handle
    }
    pdb:write -group $group -binary $handle $path
    pdb:unload -group $group -all
    return $path
}

# The report pdb:print writes to a file with the given options, node
# addresses blanked.
proc ascii::report {handle args} {
    set file [file join [freshDir] report.txt]
    pdb:print $handle {*}$args -file $file
    return [regsub -all {  0x[0-9a-f]+\n} [readFile $file] "  PTR\n"]
}

# Runs a command (its words, or one script); returns {status result}.
proc ascii::try {args} {
    if {[llength $args] == 1} {
        set args [lindex $args 0]
    }
    set status [catch {uplevel 1 $args} result]
    return [list $status $result]
}

# Runs each command of a list; returns the list of their {status result}.
proc ascii::tryAll {commands} {
    set out {}
    foreach command $commands {
        lappend out [uplevel 1 [list ascii::try $command]]
    }
    return $out
}

proc ascii::cleanup {} {
    variable scratch
    pdb:unload -all
    file delete -force $scratch
}
