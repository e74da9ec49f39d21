# query_bench.tcl --
#
#	Loading and searching a generated parts database (gen_parts_db.py),
#	tovpart beside its peers (peers.tcl), all in this one tclsh:
#
#	- loading: pdb:open + pdb:read of the ASCII database, beside the plain
#	  Tcl reader that builds dicts (a list per part, and a dict per part),
#	  SQLite's import of the same data and the scan peer's load; records/s
#	  and ratios;
#	- searching: pdb:find / with -name R*, -name *74*, -name *,
#	  -propvalues {{Footprint *SOIC*}}, -propvalues {{* *10k*}} and
#	  -type category, on the read ASCII database and on its binary image
#	  (pdb:write -binary, then pdb:open -file in a group of its own),
#	  beside the same questions put to SQLite, to plain Tcl and (the part
#	  searches) to the C++ scan. Every answer is compared with SQLite's
#	  (or plain Tcl's, when SQLite is missing).
#
#	Medians over -runs runs (-loadruns for loading).
#
#	tclsh bench/query_bench.tcl ?-parts 100000? ?-runs 5? ?-loadruns 3?
#	    ?-dir /tmp/tovpart_bench? ?-pkgdir build/tovpart1.0?
#	    ?-scanlib build/bench/libtovscan.so? ?-clock cpu|wall? ?-only all?
#
#	-only module, tcl, tclNested, sql or scan loads once with that reader
#	and exits, printing its times: every load of the benchmark runs so,
#	in a fresh process, and so can a profiler.

set benchDir [file dirname [file normalize [info script]]]
source [file join $benchDir harness.tcl]
source [file join $benchDir peers.tcl]

harness::parseOptions opt {-parts 100000 -runs 5 -loadruns 3 -only all} $argv
set prefix [harness::dataPrefix $opt(-dir) $opt(-parts)]
set hasScan [harness::loadModule $opt(-pkgdir) $opt(-scanlib)]
set hasSql [peers::sql::available]
set clockName [harness::useClock $opt(-clock)]

# The loaders, by the name -only takes; each loads into this process.
set loaders {
    module {pdb:read [set ::textHandle [pdb:open -file $::prefix.db]]}
    tcl {peers::tcl::readFile $::prefix.db}
    tclNested {peers::tcl::readFile $::prefix.db true}
    sql {peers::sql::import $::prefix $::prefix.sqlite}
    scan {peers::scan::loadParts $::prefix}
}

# -only NAME: one load in this fresh process, printed as a dict (status,
# wall, cpu, message), then exit.
if {$opt(-only) ne "all"} {
    if {![dict exists $loaders $opt(-only)]} {
        puts stderr "-only must be all or one of: [dict keys $loaders]"
        exit 2
    }
    set run [harness::timeOnce [dict get $loaders $opt(-only)]]
    puts [dict remove $run result]
    exit 0
}

set records [harness::countRecords $prefix.db]
puts "database: $prefix.db, $opt(-parts) parts, $records records,\
    [format %.0f [expr {[file size $prefix.db] / 1e6}]] MB"
puts "runs: $opt(-runs) per search, $opt(-loadruns) per load; medians on\
    the $clockName clock"
puts ""

# --- loading ----------------------------------------------------------

# Every load runs in a fresh tclsh, the loaders in turn, so that each
# starts as a script's first load does, on memory the process has never
# touched (on this virtual machine first touches cost much of a load).
set kinds {module tcl tclNested}
if {$hasSql} {
    lappend kinds sql
}
if {$hasScan} {
    lappend kinds scan
}
foreach kind $kinds {
    set walls($kind) {}
    set cpus($kind) {}
    set load($kind) [dict create status ok]
}
for {set i 0} {$i < $opt(-loadruns)} {incr i} {
    foreach kind $kinds {
        set run [exec [info nameofexecutable] [info script] -only $kind \
            -parts $opt(-parts) -dir $opt(-dir) -pkgdir $opt(-pkgdir) \
            -scanlib $opt(-scanlib)]
        if {[dict get $run status] ne "ok"} {
            set load($kind) $run
            continue
        }
        lappend walls($kind) [dict get $run wall]
        if {[dict get $run cpu] ne ""} {
            lappend cpus($kind) [dict get $run cpu]
        }
    }
}
foreach kind $kinds {
    set load($kind) [harness::summarize $load($kind) $walls($kind) \
        $cpus($kind)]
}

puts "Loading ($records records; rates in records of the ASCII database per\
    second of the $clockName clock)"
puts [format "  %-36s %9s %9s %12s %14s" reader "wall ms" "cpu ms" \
    records/s "peer / module"]
foreach {key label} {
    module "tovpart pdb:open + pdb:read"
    tcl "plain Tcl reader (dict of lists)"
    tclNested "plain Tcl reader (dict per part)"
    sql "SQLite import (bulk copy + indexes)"
    scan "C++ scan peer (tab-separated)"
} {
    if {![info exists load($key)]} {
        continue
    }
    set lm $load($key)
    set cells {}
    foreach field {wallMedian cpuMedian} {
        lappend cells [expr {[dict get $lm $field] eq "" ? "-" :
            [format %.0f [expr {[dict get $lm $field] / 1000.0}]]}]
    }
    set rate [expr {[dict get $lm status] eq "ok" ? [format %.0f \
        [expr {$records / ([dict get $lm median] / 1e6)}]] : "-"}]
    puts [format "  %-36s %9s %9s %12s %14s" $label {*}$cells $rate \
        [harness::ratio $lm $load(module)]]
}
puts ""

# The databases the searches run on, loaded once in this process.
foreach kind $kinds {
    if {$kind ni {tclNested sql}} {
        uplevel #0 [dict get $loaders $kind]
    }
}
if {$hasSql} {
    peers::sql::openFile $prefix.sqlite
}

# --- the image --------------------------------------------------------

set image $prefix.img
set t0 [clock microseconds]
pdb:write -binary $textHandle $image
set writeMs [expr {([clock microseconds] - $t0) / 1000.0}]
set imageGroup [pdb:group new]
pdb:open -group $imageGroup -file $image
puts [format "image: %s, %.0f MB, written in %.0f ms" $image \
    [expr {[file size $image] / 1e6}] $writeMs]
puts ""

# --- searching --------------------------------------------------------

set searches {
    {-name R*}                          {findName R*}
    {-name *74*}                        {findName *74*}
    {-name *}                           {findName *}
    {-propvalues {{Footprint *SOIC*}}}  {findProps {{Footprint *SOIC*}}}
    {-propvalues {{* *10k*}}}           {findProps {{* *10k*}}}
    {-type category}                    {findCategories}
}

puts "Searching: pdb:find / ... (ms on the $clockName clock; ratios are\
    module / peer)"
set notes [dict create]
puts [format "  %-34s %7s %7s %7s %7s %7s | %6s %6s %6s %6s | %s" \
    search text image sqlite tcl scan txt/sq img/sq txt/sc img/sc answers]
foreach {options peerCall} $searches {
    set m(text) [harness::measure $opt(-runs) [list pdb:find / {*}$options]]
    set m(image) [harness::measure $opt(-runs) \
        [list pdb:find / {*}$options -group $imageGroup]]
    set command [lindex $peerCall 0]
    foreach {key available} [list sql $hasSql tcl 1 scan $hasScan] {
        if {$available && ($key ne "scan" || $command ne "findCategories")} {
            set m($key) [harness::measure $opt(-runs) \
                [list peers::${key}::$command {*}[lrange $peerCall 1 end]]]
        } else {
            set m($key) [dict create status n/a]
        }
    }
    set reference [expr {$hasSql ? "sql" : "tcl"}]
    set expected [dict get $m($reference) result]
    set verdicts {}
    foreach key {text image sql tcl scan} {
        if {$key ne $reference && [dict get $m($key) status] eq "ok"} {
            set verdict [harness::sameAnswer [dict get $m($key) result] \
                $expected]
            if {$verdict ne "same"} {
                lappend verdicts "$key $verdict"
            }
        }
    }
    set answer "[llength $expected] names"
    if {[llength $verdicts]} {
        append answer ", " [join $verdicts "; "]
    } else {
        append answer ", all equal"
    }
    puts [format "  %-34s %7s %7s %7s %7s %7s | %6s %6s %6s %6s | %s" \
        $options [harness::ms $m(text)] [harness::ms $m(image)] \
        [harness::ms $m(sql)] [harness::ms $m(tcl)] [harness::ms $m(scan)] \
        [harness::ratio $m(text) $m(sql)] [harness::ratio $m(image) $m(sql)] \
        [harness::ratio $m(text) $m(scan)] \
        [harness::ratio $m(image) $m(scan)] $answer]
    foreach key {text image} {
        if {[dict get $m($key) status] ne "ok"} {
            dict set notes "[dict get $m($key) status]: [dict get $m($key) \
                message]" 1
        }
    }
}
foreach note [dict keys $notes] {
    puts "  module $note"
}
peers::sql::closeFile
