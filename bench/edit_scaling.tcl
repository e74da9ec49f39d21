# edit_scaling.tcl --
#
#	Times pdb:add and pdb:delete on growing sizes: adding parts one
#	pdb:add at a time into one category (and, with -refs, listing them
#	by reference in a second one), then deleting the category with
#	pdb:delete. Reports the rates and, for each size, how its times grow
#	against the previous size (near-linear: 10x the parts at most about
#	12x the time).
#
#	tclsh bench/edit_scaling.tcl ?-sizes {10000 100000 1000000}? ?-refs 1?
#	    ?-runs 3? ?-pkgdir build/tovpart1.0?
#
#	Each run of each size is a child tclsh of its own that repeats the
#	cycle (add, list, delete) until a million parts have gone through
#	it, so that small sizes are timed over many cycles; the figures are
#	the median of the runs, per cycle, in CPU time of the interpreter's
#	thread (/proc/thread-self/schedstat) with the wall clock in
#	brackets, since the machine may be shared.

set here [file dirname [file normalize [info script]]]
set defaults [dict create -sizes {10000 100000 1000000} -refs 1 -runs 3 \
    -pkgdir [file join $here .. build tovpart1.0] -one {}]
if {[info exists env(TOVPART_PKG_DIR)]} {
    dict set defaults -pkgdir $env(TOVPART_PKG_DIR)
}
if {[llength $argv] % 2 ||
        [llength [lmap key [dict keys $argv] {
            expr {[dict exists $defaults $key] ? [continue] : $key}
        }]]} {
    puts stderr "options: [dict keys $defaults], each with a value"
    exit 2
}
array set opt [dict merge $defaults $argv]

# CPU time this thread has run, in ms.
proc cpuMs {} {
    set f [open /proc/thread-self/schedstat]
    set stat [read $f]
    close $f
    return [expr {[lindex $stat 0] / 1e6}]
}

# Runs script in the caller and adds its CPU ms and wall-clock ms to the
# pair in the variable named total.
proc timeInto {total script} {
    upvar 1 $total sum
    set c0 [cpuMs]
    set t0 [clock microseconds]
    uplevel 1 $script
    lassign $sum cpu wall
    set sum [list [expr {$cpu + [cpuMs] - $c0}] \
        [expr {$wall + ([clock microseconds] - $t0) / 1e3}]]
}

proc addParts {n} {
    for {set i 0} {$i < $n} {incr i} {
        pdb:add /bench/parts/ P$i {sym lib {value 1k}} {tmpl desc} kelm
    }
}

proc addReferences {n} {
    for {set i 0} {$i < $n} {incr i} {
        pdb:add /bench/refs/ P$i
    }
}

# One measurement in this process; one result line.
proc measureOne {size} {
    global opt env
    set ::auto_path [linsert $::auto_path 0 $opt(-pkgdir)]
    package require tovpart
    set dir [file join [pwd] edit_scaling_[pid]]
    file mkdir $dir
    set env(ZQ_PDB_USER) [file join $dir user.db]
    pdb:read [pdb:open user]
    pdb:add /bench/refs/
    set cycles [expr {max(1, 1000000 / $size)}]
    foreach key {add ref delete} {
        set $key {0 0}
    }
    for {set cycle 0} {$cycle < $cycles} {incr cycle} {
        timeInto add {addParts $size}
        if {$opt(-refs)} {
            timeInto ref {addReferences $size}
        }
        timeInto delete {pdb:delete /bench/parts/}
    }
    file delete -force $dir
    set out {}
    foreach key {add ref delete} {
        lappend out $key [lmap ms [set $key] {expr {$ms / $cycles}}]
    }
    puts $out
}

if {$opt(-one) ne ""} {
    if {[catch {measureOne $opt(-one)} message]} {
        puts stderr $message
        exit 1
    }
    exit 0
}

proc median {values} {
    set sorted [lsort -real $values]
    return [lindex $sorted [expr {[llength $sorted] / 2}]]
}

puts "CPU ms (wall ms), median of $opt(-runs) runs; growth of CPU time against the previous size"
puts [format "%9s %18s %9s %18s %9s %18s %9s" parts "add ms" "adds/s" \
    "reference ms" "refs/s" "delete ms" "parts/s"]
set keys {add ref delete}
set previous {}
foreach size $opt(-sizes) {
    foreach key $keys {
        set cpu($key) {}
        set wall($key) {}
    }
    for {set run 0} {$run < $opt(-runs)} {incr run} {
        array set r [exec [info nameofexecutable] [info script] -one $size \
            -refs $opt(-refs) -pkgdir $opt(-pkgdir)]
        foreach key $keys {
            lappend cpu($key) [lindex $r($key) 0]
            lappend wall($key) [lindex $r($key) 1]
        }
    }
    set row [list $size]
    foreach key $keys {
        set m($key) [expr {max([median $cpu($key)], 0.001)}]
        lappend row [format "%8.1f (%7.1f)" $m($key) [median $wall($key)]] \
            [format %.0f [expr {$size / ($m($key) / 1e3)}]]
    }
    puts [format "%9d %18s %9s %18s %9s %18s %9s" {*}$row]
    if {$previous ne ""} {
        lassign $previous lastSize lastAdd lastRef lastDelete
        puts [format "%9s x%.0f parts: add x%.1f, references x%.1f, delete x%.1f" \
            "" [expr {double($size) / $lastSize}] \
            [expr {$m(add) / $lastAdd}] [expr {$m(ref) / $lastRef}] \
            [expr {$m(delete) / $lastDelete}]]
    }
    set previous [list $size $m(add) $m(ref) $m(delete)]
}
