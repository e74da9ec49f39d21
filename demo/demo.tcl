# demo.tcl --
#
#	A short tour of the tovpart package: database groups and command
#	tracing. Run it with a stock tclsh after building:
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
show {pdb:open user}
