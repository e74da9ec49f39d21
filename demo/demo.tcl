# demo.tcl --
#
#	A tour of tovpart: the sample parts database is copied to a scratch
#	directory, opened as the user database, read, listed, saved back and
#	its backup shown.
#
#	tclsh demo/demo.tcl   (after cmake --build build; TOVPART_PKG_DIR may
#	name another package directory)

set here [file dirname [file normalize [info script]]]
if {[info exists env(TOVPART_PKG_DIR)]} {
    lappend auto_path $env(TOVPART_PKG_DIR)
} else {
    lappend auto_path [file join $here .. build tovpart1.0]
}
package require tovpart

# --- Opening and reading the sample as the user database ----------------

set tmp [expr {[info exists env(TMPDIR)] ? $env(TMPDIR) : "/tmp"}]
set work [file join $tmp tovpart_demo_[pid]]
file mkdir $work
set dbFile [file join $work parts.db]
file copy [file join $here .. samples parts.db] $dbFile

# The user database is named by ZQ_PDB_USER, read at the first open.
set env(ZQ_PDB_USER) $dbFile
set user [pdb:open user]
pdb:read $user
puts "Opened $dbFile as $user (format version [pdb:version $user];\
    binary image format [pdb:version])."
# pdb:isopen answers 1 with an error status, 0 with an ok status.
set status [catch {pdb:isopen $dbFile} answer]
puts "pdb:isopen answers $answer (status [expr {$status ? "TCL_ERROR" : "TCL_OK"}])."

# --- Categories and parts ------------------------------------------------

# Lists the categories of an ASCII database text with their parts and
# references: the first pass of the file holds the parts, the second the
# references.
proc listDatabase {text} {
    set pass 0
    set current ""
    set depth 0
    foreach line [split $text \n] {
        if {$line eq ""} continue
        set record [lindex $line 0]
        set rest [lrange $line 1 end]
        switch -- $record {
            {[category]} {
                lassign $rest path help
                if {$path eq "/"} {incr pass}
                set current $path
                if {$pass == 1} {
                    set depth [expr {[llength [split $path /]] - 2}]
                    set label [expr {$help eq "" ? $path : "$path  ($help)"}]
                    puts [format "  %s%s" [string repeat "  " $depth] $label]
                }
            }
            {[part]} {
                lassign $rest name symbol template hdl
                puts [format "  %s  %-14s symbol %-14s %s" \
                    [string repeat "  " $depth] $name [lindex $symbol 0] $hdl]
            }
            {[part=]} {
                puts "  $current lists [lindex $rest 0] of another category"
            }
            {[category=]} {
                puts "  $current shows [lindex $rest 0]"
            }
        }
    }
}

puts "\nCategories and parts:"
if {[catch {pdb:print $user}]} {
    listDatabase [read [set f [open $dbFile]]][close $f]
}

# --- Saving and the backup -----------------------------------------------

set before [file mtime $dbFile]
pdb:save
puts "\nSaved the user database (pdb:save with no handle saves it)."
foreach name [list $dbFile $dbFile.bak] {
    puts [format "  %-40s %6d bytes" [file tail $name] [file size $name]]
}
set f [open $dbFile.bak]
set backup [read $f]
close $f
set f [open [file join $here .. samples parts.db]]
set sample [read $f]
close $f
puts "  the backup holds the file as it was before the save:\
    [expr {$backup eq $sample ? "yes" : "no"}]"

pdb:unload -all
file delete -force $work
