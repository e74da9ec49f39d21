# run_test.tcl --
#
#	Runs one command test file under tcltest with the tovpart package
#	loaded (common.tcl), then reports the totals, runs the module's exit
#	point and exits non-zero when a test failed, when no test ran or when
#	the file itself broke. Test files leave cleanupTests to this runner.
#
# Usage: tclsh run_test.tcl file.test

if {[llength $argv] != 1} {
    puts stderr "usage: tclsh run_test.tcl file.test"
    exit 2
}
set testFile [file normalize [lindex $argv 0]]
set argv {}
set argc 0

package require tcltest 2
namespace import ::tcltest::*
::tcltest::configure -verbose {body error} \
    -testdir [file dirname $testFile] -tmpdir [pwd]

source [file join [file dirname [file normalize [info script]]] common.tcl]

if {[catch {uplevel #0 [list source $testFile]} message options]} {
    puts stderr "$testFile broke off: [dict get $options -errorinfo]"
    exit 1
}
set total $::tcltest::numTests(Total)
set failed $::tcltest::numTests(Failed)
::tcltest::cleanupTests
# The exit point runs before the process ends, so that a memory checker
# sees whatever the module would leave behind; the library stays mapped
# for the checker's stack traces.
unload -keeplibrary $::tovtest::library
if {$total == 0} {
    puts stderr "$testFile ran no test"
    exit 1
}
exit [expr {$failed > 0}]
