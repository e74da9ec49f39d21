# edit_bench.tcl --
#
#	Editing: adding parts one pdb:add at a time into one category of the
#	user database, with -refs 1 listing each of them again by a part
#	reference in a second category (the module only), then deleting the
#	first category with everything in it (and so the references too),
#	for each of -sizes, beside plain Tcl dicts and an in-memory SQLite
#	database (the adds in one transaction). Reports the rates and how the
#	time grows with the size: 10 times the parts should cost at most
#	about 12 times the time. Medians over -runs runs.
#
#	Every part carries the same symbol and template records (eight
#	property pairs) and the HDL kind kelm, so no symbol file is looked up.
#
#	tclsh bench/edit_bench.tcl ?-sizes {10000 100000}? ?-runs 3? ?-refs 1?
#	    ?-dir /tmp/tovpart_bench? ?-pkgdir build/tovpart1.0? ?-clock cpu|wall?

set benchDir [file dirname [file normalize [info script]]]
source [file join $benchDir harness.tcl]
source [file join $benchDir peers.tcl]

harness::parseOptions opt {-sizes {10000 100000} -runs 3 -refs 1} $argv
file mkdir $opt(-dir)
set env(ZQ_PDB_USER) [file join $opt(-dir) edit_bench_user_[pid].db]
harness::loadModule $opt(-pkgdir) $opt(-scanlib)
set hasSql [peers::sql::available]
set clockName [harness::useClock $opt(-clock)]

set category /bench/resistors/
set refCategory /bench/listed/
set symbolRecord {res passive {Footprint 0603 Value 10k Tolerance 1%
    Manufacturer Ohmcraft MfrPartNumber RC0603FR-0710KL
    Description {Resistor 10k 1% 0603} Voltage 50V Temperature -55..155C}}
set templateRecord {resistor Resistor}

# A fresh, read, empty user database in the current group.
proc freshUserDb {} {
    pdb:unload -all
    close [open $::env(ZQ_PDB_USER) w]
    pdb:read [pdb:open user]
}

# The steps of each peer: setup (untimed), add (all parts), refs (each
# part listed again by reference; only where the peer has references),
# remove (the category). $names holds the part names.
set peerSteps {
    module {
        setup freshUserDb
        add {
            pdb:add $::category
            foreach name $::names {
                pdb:add $::category $name $::symbolRecord $::templateRecord \
                    kelm
            }
        }
        refs {
            pdb:add $::refCategory
            foreach name $::names {
                pdb:add $::refCategory $name
            }
        }
        remove {pdb:delete $::category}
    }
    tcl {
        setup peers::tcl::reset
        add {
            foreach name $::names {
                peers::tcl::addPart $::category $name $::symbolRecord \
                    $::templateRecord kelm
            }
        }
        remove {peers::tcl::deleteCategory $::category}
    }
    sql {
        setup {set ::categoryId [peers::sql::startEditing $::category]}
        add {
            $::peers::sql::db transaction {
                foreach name $::names {
                    peers::sql::addPart $::categoryId $name $::symbolRecord \
                        $::templateRecord kelm
                }
            }
        }
        remove {peers::sql::deleteCategory $::categoryId}
    }
}
if {!$hasSql} {
    dict unset peerSteps sql
}
if {!$opt(-refs)} {
    dict unset peerSteps module refs
}
set stepKeys {add refs remove}

# Runs the steps (add, refs where the peer has them, remove) runs times,
# for one peer and one size.
#
# Results: a dict from each of $stepKeys to a measurement (as from
# harness::measure; status "-" for a step the peer lacks or that did not
# run); a step that does not succeed ends the runs.
proc measurePeer {steps runs} {
    foreach key $::stepKeys {
        set walls($key) {}
        set cpus($key) {}
        set last($key) [dict create status -]
    }
    for {set i 0} {$i < $runs} {incr i} {
        uplevel #0 [dict get $steps setup]
        set failed 0
        foreach key $::stepKeys {
            if {![dict exists $steps $key]} {
                continue
            }
            # Each step runs in a compiled lambda, as a script's loop would.
            set run [harness::timeOnce \
                [list apply [list {} [dict get $steps $key]]]]
            set last($key) $run
            if {[dict get $run status] ne "ok"} {
                set failed 1
                break
            }
            lappend walls($key) [dict get $run wall]
            if {[dict get $run cpu] ne ""} {
                lappend cpus($key) [dict get $run cpu]
            }
        }
        if {$failed} {
            break
        }
    }
    set result {}
    foreach key $::stepKeys {
        dict set result $key [harness::summarize $last($key) $walls($key) \
            $cpus($key)]
    }
    return $result
}

puts "sizes: $opt(-sizes); $opt(-runs) runs each; medians (ms on the\
    $clockName clock)"
puts [format "  %-8s %9s %10s %12s %10s %12s %10s %12s" peer parts "add ms" \
    "adds/s" "refs ms" "refs/s" "delete ms" "parts/s"]
set notes [dict create]
foreach size $opt(-sizes) {
    set names {}
    for {set i 0} {$i < $size} {incr i} {
        lappend names [format R0603F-10K-%07d $i]
    }
    dict for {peer steps} $peerSteps {
        set result($peer,$size) [measurePeer $steps $opt(-runs)]
        set cells {}
        foreach key $stepKeys {
            set m [dict get $result($peer,$size) $key]
            if {[dict get $m status] eq "ok"} {
                set ms [expr {[dict get $m median] / 1000.0}]
                lappend cells [format %.1f $ms] \
                    [format %.0f [expr {$size / max($ms / 1000.0, 1e-9)}]]
            } else {
                lappend cells [dict get $m status] -
                if {[dict get $m status] ni {ok -}} {
                    dict set notes "$peer [dict get $m status]:\
                        [dict get $m message]" 1
                }
            }
        }
        puts [format "  %-8s %9d %10s %12s %10s %12s %10s %12s" $peer $size \
            {*}$cells]
    }
}
foreach note [dict keys $notes] {
    puts "  $note"
}

# Growth from each size to the next: time ratio over size ratio.
set sizes $opt(-sizes)
puts ""
puts "growth (time ratio for the size ratio; about 12 for 10x is the bound)"
foreach small [lrange $sizes 0 end-1] large [lrange $sizes 1 end] {
    dict for {peer steps} $peerSteps {
        set cells {}
        foreach key $stepKeys label {add refs delete} {
            if {[dict exists $steps $key]} {
                set a [dict get $result($peer,$small) $key]
                set b [dict get $result($peer,$large) $key]
                lappend cells "$label x[harness::ratio $b $a]"
            }
        }
        puts [format "  %-8s %7d -> %-8d (x%.0f): %s" $peer $small $large \
            [expr {double($large) / $small}] [join $cells ", "]]
    }
}
file delete $env(ZQ_PDB_USER)
