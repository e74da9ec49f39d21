# harness.tcl --
#
#	What the benchmark scripts share: their option parsing, the generated
#	database they run on (made once and kept), timing with medians, the
#	loading of the tovpart package and of the scan peer, and the
#	comparison of answers.
#
#	Every measurement takes two clocks: the wall clock and, when the scan
#	peer is loaded (its tovscan::cpu), the CPU time of this process. On a
#	shared machine the wall clock also counts the time spent waiting for
#	a processor; medians and ratios are taken on the clock chosen with
#	harness::useClock (the CPU clock when there is one).

namespace eval harness {
    variable benchDir [file dirname [file normalize [info script]]]
    variable clock wall
}

# harness::parseOptions --
#
#	Fills the array named arrayName from defaults (a dict) overridden by
#	the -key value pairs of argv. TOVPART_PKG_DIR and TOVPART_SCAN_LIB in
#	the environment override the defaults of -pkgdir and -scanlib.
#
# Results:
#	None. An unknown key or a key without its value ends the process
#	with a usage line on standard error.

proc harness::parseOptions {arrayName defaults argv} {
    upvar 1 $arrayName opt
    variable benchDir
    set build [file join $benchDir .. build]
    array set opt [dict merge [dict create \
        -dir /tmp/tovpart_bench \
        -pkgdir [file join $build tovpart1.0] \
        -scanlib [file join $build bench libtovscan[info sharedlibextension]] \
        -clock cpu \
    ] $defaults]
    foreach {name key} {TOVPART_PKG_DIR -pkgdir TOVPART_SCAN_LIB -scanlib} {
        if {[info exists ::env($name)]} {
            set opt($key) $::env($name)
        }
    }
    if {[llength $argv] % 2} {
        puts stderr "usage: [file tail $::argv0] ?-key value ...?; keys:\
            [lsort [array names opt]]"
        exit 2
    }
    foreach {key value} $argv {
        if {![info exists opt($key)]} {
            puts stderr "unknown option $key; known: [lsort [array names opt]]"
            exit 2
        }
        set opt($key) $value
    }
}

# harness::dataPrefix --
#
#	The prefix of the generated files for a database of parts parts
#	(bench/gen_parts_db.py), generating them in dir when they are missing
#	or were written by another version of the generator.
#
# Results:
#	The prefix: PREFIX.db, PREFIX.parts.tsv, ... exist.
#
# Side effects:
#	May run the generator (seconds at 100k, about a minute at 1M).

proc harness::dataPrefix {dir parts {seed 1}} {
    variable benchDir
    set generator [file join $benchDir gen_parts_db.py]
    set f [open $generator]
    regexp {FORMAT = (\d+)} [read $f] -> format
    close $f
    file mkdir $dir
    set prefix [file join $dir parts_${parts}_s${seed}_f$format]
    if {![file exists $prefix.catrefs.tsv]} {
        puts stderr "generating $prefix.* ..."
        exec python3 $generator --parts $parts --seed $seed --out $prefix \
            >@ stdout 2>@ stderr
    }
    return $prefix
}

# harness::countRecords --
#
#	The record lines of an ASCII database: lines that are neither blank
#	nor skipped (first byte "]"). It is the count that load rates use.

proc harness::countRecords {file} {
    set f [open $file rb]
    set n 0
    while {[gets $f line] >= 0} {
        if {![string is space $line] && [string index $line 0] ne "]"} {
            incr n
        }
    }
    close $f
    return $n
}

# harness::loadModule --
#
#	Loads the tovpart package from pkgDir (ahead of any installed copy)
#	and, when scanLib exists, the scan peer.
#
# Results:
#	1 when the scan peer was loaded, else 0.

proc harness::loadModule {pkgDir scanLib} {
    set ::auto_path [linsert $::auto_path 0 [file normalize $pkgDir]]
    package require tovpart
    if {$scanLib ne "" && [file exists $scanLib]} {
        load [file normalize $scanLib] Tovscan
        return 1
    }
    return 0
}

# harness::useClock --
#
#	Chooses the clock of medians and ratios: cpu (needs the scan peer's
#	tovscan::cpu; the wall clock is taken without it) or wall.
#
# Results:
#	The clock chosen.

proc harness::useClock {name} {
    variable clock
    if {$name eq "cpu" && [llength [info commands ::tovscan::cpu]]} {
        set clock cpu
    } else {
        set clock wall
    }
    return $clock
}

# The CPU time of this process in microseconds, or "" without the clock.
proc harness::cpuNow {} {
    if {[llength [info commands ::tovscan::cpu]]} {
        return [::tovscan::cpu]
    }
    return ""
}

# harness::timeOnce --
#
#	Runs script once at the global level, on both clocks.
#
# Results:
#	A dict: status (ok or error), wall and cpu (microseconds; cpu
#	empty without the CPU clock), result, and message (the failure's
#	message, else empty).

proc harness::timeOnce {script} {
    set c0 [cpuNow]
    set t0 [clock microseconds]
    set failed [catch {uplevel #0 $script} result]
    set wall [expr {[clock microseconds] - $t0}]
    set cpu [expr {$c0 eq "" ? "" : [cpuNow] - $c0}]
    if {!$failed} {
        return [dict create status ok wall $wall cpu $cpu result $result \
            message {}]
    }
    return [dict create status error wall {} cpu {} result {} \
        message $result]
}

# harness::measure --
#
#	Runs script runs times with harness::timeOnce; setup, when given,
#	runs untimed before each run. The first run that does not succeed
#	ends the measurement.
#
# Results:
#	A dict: status, result and message as from harness::timeOnce; walls
#	and cpus (the runs' times), wallMedian, cpuMedian, and median (that
#	of the chosen clock), all in microseconds.

proc harness::measure {runs script {setup {}}} {
    set walls {}
    set cpus {}
    for {set i 0} {$i < $runs} {incr i} {
        uplevel #0 $setup
        set run [timeOnce $script]
        if {[dict get $run status] ne "ok"} {
            return [summarize $run {} {}]
        }
        lappend walls [dict get $run wall]
        if {[dict get $run cpu] ne ""} {
            lappend cpus [dict get $run cpu]
        }
    }
    return [summarize $run $walls $cpus]
}

# Adds the times and their medians to the dict run (see measure).
proc harness::summarize {run walls cpus} {
    variable clock
    set summary [dict merge $run [dict create walls $walls cpus $cpus \
        wallMedian [median $walls] cpuMedian [median $cpus]]]
    dict set summary median [dict get $summary ${clock}Median]
    return $summary
}

# harness::median --
#
#	The median of a list of numbers (the mean of the middle two for an
#	even count); empty for an empty list.

proc harness::median {values} {
    set n [llength $values]
    if {$n == 0} {
        return {}
    }
    set sorted [lsort -real $values]
    set mid [expr {$n / 2}]
    if {$n % 2} {
        return [lindex $sorted $mid]
    }
    return [expr {([lindex $sorted $mid-1] + [lindex $sorted $mid]) / 2.0}]
}

# harness::perCall --
#
#	Times template, a script in which @NAME@ stands for a name, over names
#	in batches of batch calls: each batch gives the mean time of one call
#	in it, and the median over the batches is robust to the machine's
#	noise while staying clear of the clock's microsecond resolution. The
#	batches run in one compiled lambda, so the loop adds only a variable
#	read and a foreach step to each call.
#
# Results:
#	A dict as from harness::measure, the times in microseconds per call
#	(walls and cpus per batch), result the answer for the first name.

proc harness::perCall {template names batch} {
    set run [timeOnce [string map [list @NAME@ [list [lindex $names 0]]] \
        $template]]
    if {[dict get $run status] ne "ok"} {
        return [summarize $run {} {}]
    }
    set lambda [list names "foreach name \$names {
        [string map {@NAME@ $name} $template]
    }" ::]
    set walls {}
    set cpus {}
    for {set i 0} {$i + $batch <= [llength $names]} {incr i $batch} {
        set slice [lrange $names $i [expr {$i + $batch - 1}]]
        set c0 [cpuNow]
        set t0 [clock microseconds]
        apply $lambda $slice
        lappend walls [expr {double([clock microseconds] - $t0) / $batch}]
        if {$c0 ne ""} {
            lappend cpus [expr {double([cpuNow] - $c0) / $batch}]
        }
    }
    return [summarize $run $walls $cpus]
}

# harness::sameAnswer --
#
#	Compares two answers as lists, element by element.
#
# Results:
#	"same", or "DIFFERENT" with both lengths and the first difference.

proc harness::sameAnswer {a b} {
    if {[list {*}$a] eq [list {*}$b]} {
        return same
    }
    set i 0
    foreach x $a y $b {
        if {$x ne $y} {
            break
        }
        incr i
    }
    return "DIFFERENT ([llength $a] vs [llength $b] elements; first\
        difference at $i: [list [lindex $a $i]] vs [list [lindex $b $i]])"
}

# harness::ms --
#
#	A measurement's median in milliseconds with three significant figures,
#	or its status word when it did not run.

proc harness::ms {measurement} {
    if {[dict get $measurement status] ne "ok"} {
        return [dict get $measurement status]
    }
    return [format %.3g [expr {[dict get $measurement median] / 1000.0}]]
}

# harness::ratio --
#
#	a's median over b's as "x.xx", or "-" when either did not run.

proc harness::ratio {a b} {
    if {[dict get $a status] ne "ok" || [dict get $b status] ne "ok"} {
        return -
    }
    return [format %.2f [expr {double([dict get $a median]) /
        max([dict get $b median], 1e-9)}]]
}
