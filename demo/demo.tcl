# demo.tcl --
#
#	A short tour of the tovpart package: database groups, command
#	tracing, and the sample parts database opened as the user database,
#	read, listed, saved back with its backup. Run it with a stock tclsh
#	after building:
#	    tclsh demo/demo.tcl
#	It loads the package from build/tovpart1.0 unless TOVPART_PKG_DIR
#	names another package directory.

set pkgDir [file normalize [file join [file dirname [info script]] .. build tovpart1.0]]
if {[info exists env(TOVPART_PKG_DIR)]} {
    set pkgDir $env(TOVPART_PKG_DIR)
}
set auto_path [linsert $auto_path 0 $pkgDir]
puts "package tovpart [package require tovpart]"
fconfigure stdout -buffering line

proc show {script} {
    set status [catch {uplevel 1 $script} result]
    puts [format "%-34s -> %s%s" $script [expr {$status ? "error: " : ""}] $result]
}

puts "\n-- groups"
show {pdb:group getCurrent}
show {pdb:group new}
show {pdb:group new}
show {pdb:group groups}
show {pdb:group setCurrent group2}
show {pdb:group getCurrent}
show {pdb:group setCurrent nogroup}
show {pdb:unload -group group1 -all}
show {pdb:group setCurrent group0}

puts "\n-- tracing: each command echoes its words while it is on"
show {pdb:debug -trace 1}
show {pdb:group getCurrent}
show {pdb:unload -all}
show {pdb:debug -trace 0}
show {pdb:group getCurrent}

puts "\n-- the commands of the package"
puts [lsort [info commands pdb:*]]
puts "\n-- the sample database as the user database"
set here [file dirname [file normalize [info script]]]

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

puts "\n-- categories and parts (pdb:print -tree)"
pdb:print $user -tree

set before [file mtime $dbFile]
pdb:save
puts "\n-- saving: pdb:save with no handle saves the user database"
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

puts "\n-- the same database as a binary image, mapped in place"
set image [file join $work parts.zq_pdb_bi]
pdb:write -binary $user $image
set mapped [pdb:open -file $image]
pdb:read $mapped
puts "Wrote [file tail $image] ([file size $image] bytes), opened it as\
    $mapped (format version [pdb:version $mapped])."
pdb:print $mapped -noPartsTree

pdb:unload -all
file delete -force $work
