# info_bench.tcl --
#
#	Inspecting one part of a generated parts database (gen_parts_db.py),
#	tovpart beside its peers (peers.tcl):
#
#	- per call: pdb:info -part NAME -symbol and -part NAME -properties
#	  over -calls random names, on the read ASCII database and on its
#	  binary image (a group of its own), beside the same answer from a
#	  plain Tcl dict and from SQLite with an index on the name; the median
#	  over batches of -batch calls, and an empty loop for scale. The
#	  answers for the first -check names are compared with SQLite's;
#	- from cold: opening the binary image and the first pdb:info -part in
#	  a fresh tclsh, beside SQLite's open and first query in a fresh
#	  tclsh, each -opens times, alternating (the files stay in the page
#	  cache); medians, with the minor page faults of each step.
#
#	tclsh bench/info_bench.tcl ?-parts 1000000? ?-calls 10000? ?-batch 100?
#	    ?-check 200? ?-opens 7? ?-seed 7? ?-dir /tmp/tovpart_bench?
#	    ?-pkgdir build/tovpart1.0? ?-scanlib build/bench/libtovscan.so?
#	    ?-clock cpu|wall?
#
#	-child, -file and -name are for the fresh processes it starts.

set benchDir [file dirname [file normalize [info script]]]
source [file join $benchDir harness.tcl]
source [file join $benchDir peers.tcl]

harness::parseOptions opt {-parts 1000000 -calls 10000 -batch 100 -check 200
    -opens 7 -seed 7 -child {} -file {} -name {}} $argv

# Minor page faults of this process so far (/proc/self/stat field 10).
proc minorFaults {} {
    set f [open /proc/self/stat]
    set stat [read $f]
    close $f
    regexp {\) (.*)} $stat -> rest
    return [lindex [split $rest] 7]
}

# One cold measurement in this fresh process, printed as a dict: the
# child kinds are image (the module) and sql (the SQLite peer). The Tcl
# procedures the steps call are compiled first, so that only the open and
# the first query are timed.
proc coldChild {kind file name} {
    global opt
    harness::loadModule $opt(-pkgdir) $opt(-scanlib)
    if {$kind eq "image"} {
        set open [list pdb:open -file $file]
        set first "pdb:info -part [list $name] -symbol"
    } else {
        package require sqlite3
        catch {peers::sql::tune}
        catch {peers::sql::symbolOf $name}
        set open "[list sqlite3 $peers::sql::db $file]; peers::sql::tune"
        set first [list peers::sql::symbolOf $name]
    }
    harness::timeOnce {}
    set f0 [minorFaults]
    set opened [harness::timeOnce $open]
    set f1 [minorFaults]
    set queried [harness::timeOnce $first]
    set f2 [minorFaults]
    puts [list openWall [dict get $opened wall] openCpu [dict get $opened cpu] \
        openFaults [expr {$f1 - $f0}] firstWall [dict get $queried wall] \
        firstCpu [dict get $queried cpu] firstFaults [expr {$f2 - $f1}] \
        status [dict get $queried status] message [dict get $queried message]]
}

if {$opt(-child) ne ""} {
    coldChild $opt(-child) $opt(-file) $opt(-name)
    exit 0
}

set prefix [harness::dataPrefix $opt(-dir) $opt(-parts)]
harness::loadModule $opt(-pkgdir) $opt(-scanlib)
set hasSql [peers::sql::available]
set clockName [harness::useClock $opt(-clock)]

puts "database: $prefix.db, $opt(-parts) parts"
# Prints how long loading took, on both clocks.
proc reportLoad {label run} {
    set cpu [expr {[dict get $run cpu] eq "" ? "-" :
        [format %.0f [expr {[dict get $run cpu] / 1000.0}]]}]
    puts [format "  %s: %.0f ms wall, %s ms cpu" $label \
        [expr {[dict get $run wall] / 1000.0}] $cpu]
}

reportLoad "pdb:open + pdb:read" [harness::timeOnce {
    pdb:read [set ::textHandle [pdb:open -file $::prefix.db]]
}]
set image $prefix.img
if {![file exists $image] || [file mtime $image] < [file mtime $prefix.db]} {
    pdb:write -binary $textHandle $image
}
set imageGroup [pdb:group new]
pdb:open -group $imageGroup -file $image
reportLoad "plain Tcl reader" [harness::timeOnce {
    peers::tcl::readFile $::prefix.db
}]
set sqlFile $prefix.sqlite
if {$hasSql} {
    if {![file exists $sqlFile] ||
        [file mtime $sqlFile] < [file mtime $prefix.parts.tsv]} {
        peers::sql::import $prefix $sqlFile
    } else {
        peers::sql::openFile $sqlFile
    }
}

expr {srand($opt(-seed))}
set all [dict keys $peers::tcl::parts]
set names {}
for {set i 0} {$i < $opt(-calls)} {incr i} {
    lappend names [lindex $all [expr {int(rand() * [llength $all])}]]
}
unset all

# --- per call ---------------------------------------------------------

# Canonical form of a -symbol answer (its pair list as a list too).
proc canonicalSymbol {answer} {
    lassign $answer symbol library pairs
    return [list $symbol $library [list {*}$pairs]]
}

proc canonicalProperties {answer} {
    set out {}
    foreach pair $answer {
        lappend out [list {*}$pair]
    }
    return $out
}

set forms {
    symbol {
        text {pdb:info -part @NAME@ -symbol}
        image {pdb:info -group @GROUP@ -part @NAME@ -symbol}
        tcl {lrange [dict get $::peers::tcl::parts @NAME@] 0 2}
        sql {peers::sql::symbolOf @NAME@}
    }
    properties {
        text {pdb:info -part @NAME@ -properties}
        image {pdb:info -group @GROUP@ -part @NAME@ -properties}
        tcl {peers::tcl::propertiesOf @NAME@}
        sql {peers::sql::propertiesOf @NAME@}
    }
}

puts ""
puts "Per call over $opt(-calls) random names (µs per call on the\
    $clockName clock, median over batches of $opt(-batch)); ratios are\
    module / peer"
set empty [harness::perCall {set x @NAME@} $names $opt(-batch)]
puts [format "  empty loop step: %.3f µs" [dict get $empty median]]
puts [format "  %-12s %8s %8s %8s %8s | %8s %8s %8s %8s | %s" form text \
    image tcl sqlite txt/tcl img/tcl txt/sq img/sq answers]
set notes [dict create]
foreach {form templates} $forms {
    foreach {key template} $templates {
        if {$key eq "sql" && !$hasSql} {
            set m($key) [dict create status n/a]
            continue
        }
        set template [string map [list @GROUP@ $imageGroup] $template]
        set m($key) [harness::perCall $template $names $opt(-batch)]
        set call($key) $template
    }
    set reference [expr {$hasSql ? "sql" : "tcl"}]
    set canonical [expr {$form eq "symbol" ?
        "canonicalSymbol" : "canonicalProperties"}]
    set verdicts {}
    foreach key {text image tcl} {
        if {$key eq $reference || [dict get $m($key) status] ne "ok"} {
            continue
        }
        foreach name [lrange $names 0 $opt(-check)-1] {
            set mine [uplevel #0 [string map [list @NAME@ [list $name]] \
                $call($key)]]
            set theirs [uplevel #0 [string map [list @NAME@ [list $name]] \
                $call($reference)]]
            if {[$canonical $mine] ne [$canonical $theirs]} {
                lappend verdicts "$key differs for $name"
                break
            }
        }
    }
    set answer [expr {[llength $verdicts] ? [join $verdicts "; "] :
        "$opt(-check) names checked, all equal"}]
    set us {}
    foreach key {text image tcl sql} {
        lappend us [expr {[dict get $m($key) status] eq "ok" ?
            [format %.3f [dict get $m($key) median]] :
            [dict get $m($key) status]}]
    }
    puts [format "  %-12s %8s %8s %8s %8s | %8s %8s %8s %8s | %s" -$form \
        {*}$us [harness::ratio $m(text) $m(tcl)] \
        [harness::ratio $m(image) $m(tcl)] [harness::ratio $m(text) $m(sql)] \
        [harness::ratio $m(image) $m(sql)] $answer]
    foreach key {text image} {
        if {[dict get $m($key) status] ni {ok n/a}} {
            dict set notes "[dict get $m($key) status]:\
                [dict get $m($key) message]" 1
        }
    }
}
foreach note [dict keys $notes] {
    puts "  module $note"
}

# --- from cold ----------------------------------------------------------

peers::sql::closeFile
puts ""
puts "From a fresh tclsh, $opt(-opens) runs each, alternating (medians in µs;\
    minor page faults; open+1st on the $clockName clock)"
set kinds [list image $image]
if {$hasSql} {
    lappend kinds sql $sqlFile
}
foreach {kind file} $kinds {
    set cold($kind) {}
}
for {set i 0} {$i < $opt(-opens)} {incr i} {
    set name [lindex $names [expr {int(rand() * [llength $names])}]]
    foreach {kind file} $kinds {
        lappend cold($kind) [exec [info nameofexecutable] [info script] \
            -child $kind -file $file -name $name -pkgdir $opt(-pkgdir) \
            -scanlib $opt(-scanlib)]
    }
}
puts [format "  %-14s %9s %9s %7s %9s %9s %7s %10s" "" "open wall" \
    "cpu" faults "1st wall" "cpu" faults "open+1st"]
foreach {kind file} $kinds {
    set label [expr {$kind eq "image" ? "tovpart image" : "SQLite"}]
    set status ok
    foreach run $cold($kind) {
        if {[dict get $run status] ne "ok"} {
            set status "[dict get $run status]: [dict get $run message]"
        }
    }
    set cells {}
    foreach field {openWall openCpu openFaults firstWall firstCpu firstFaults} {
        set values {}
        foreach run $cold($kind) {
            if {[dict get $run $field] ne ""} {
                lappend values [dict get $run $field]
            }
        }
        set med($field) [harness::median $values]
        lappend cells [expr {$med($field) eq "" ? "-" : $med($field)}]
    }
    set sums {}
    set field [expr {$clockName eq "cpu" ? "Cpu" : "Wall"}]
    foreach run $cold($kind) {
        if {[dict get $run status] eq "ok"} {
            lappend sums [expr {[dict get $run open$field] +
                [dict get $run first$field]}]
        }
    }
    set total [expr {[llength $sums] ? [harness::median $sums] : "-"}]
    puts [format "  %-14s %9s %9s %7s %9s %9s %7s %10s  %s" $label {*}$cells \
        $total [expr {$status eq "ok" ? "" : "(first query $status)"}]]
}
