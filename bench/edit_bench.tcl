# edit_bench.tcl --
#
#	Editing: adding parts one pdb:add at a time into one category of the
#	user database, then deleting that category with everything in it,
#	for each of -sizes, beside plain Tcl dicts and an in-memory SQLite
#	database (the adds in one transaction). Reports the add rate and how
#	the time grows with the size: 10 times the parts should cost at most
#	about 12 times the time. Medians over -runs runs.
#
#	Every part carries the same symbol and template records (eight
#	property pairs) and the HDL kind kelm, so no symbol file is looked up.
#	A command that the module does not implement yet is reported as
#	skipped.
#
#	tclsh bench/edit_bench.tcl ?-sizes {10000 100000}? ?-runs 3?
#	    ?-dir /tmp/tovpart_bench? ?-pkgdir build/tovpart1.0? ?-clock cpu|wall?

set benchDir [file dirname [file normalize [info script]]]
source [file join $benchDir harness.tcl]
source [file join $benchDir peers.tcl]

harness::parseOptions opt {-sizes {10000 100000} -runs 3} $argv
file mkdir $opt(-dir)
set env(ZQ_PDB_USER) [file join $opt(-dir) edit_bench_user_[pid].db]
harness::loadModule $opt(-pkgdir) $opt(-scanlib)
set hasSql [peers::sql::available]
set clockName [harness::useClock $opt(-clock)]

set category /bench/resistors/
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

# The steps of each peer: setup (untimed), add (all parts), remove (the
# category). $names holds the part names.
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

# Runs add then remove, runs times, for one peer and one size.
#
# Results: a dict add -> measurement, remove -> measurement (as from
# harness::measure); a step that does not succeed ends the runs.
proc measurePeer {steps runs} {
    foreach key {add remove} {
        set walls($key) {}
        set cpus($key) {}
    }
    set remove [dict create status -]
    for {set i 0} {$i < $runs} {incr i} {
        uplevel #0 [dict get $steps setup]
        # The adds run in a compiled lambda, as a script's loop would.
        set add [harness::timeOnce [list apply [list {} [dict get $steps add]]]]
        if {[dict get $add status] ne "ok"} {
            break
        }
        set remove [harness::timeOnce [dict get $steps remove]]
        foreach key {add remove} {
            set run [set $key]
            if {[dict get $run status] eq "ok"} {
                lappend walls($key) [dict get $run wall]
                if {[dict get $run cpu] ne ""} {
                    lappend cpus($key) [dict get $run cpu]
                }
            }
        }
    }
    return [dict create \
        add [harness::summarize $add $walls(add) $cpus(add)] \
        remove [harness::summarize $remove $walls(remove) $cpus(remove)]]
}

puts "sizes: $opt(-sizes); $opt(-runs) runs each; medians (ms on the\
    $clockName clock)"
puts [format "  %-8s %9s %10s %12s %10s %12s" peer parts "add ms" "adds/s" \
    "delete ms" "parts/s"]
set notes [dict create]
foreach size $opt(-sizes) {
    set names {}
    for {set i 0} {$i < $size} {incr i} {
        lappend names [format R0603F-10K-%07d $i]
    }
    dict for {peer steps} $peerSteps {
        set result($peer,$size) [measurePeer $steps $opt(-runs)]
        set cells {}
        foreach key {add remove} {
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
        puts [format "  %-8s %9d %10s %12s %10s %12s" $peer $size {*}$cells]
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
        foreach key {add remove} {
            set a [dict get $result($peer,$small) $key]
            set b [dict get $result($peer,$large) $key]
            lappend cells [harness::ratio $b $a]
        }
        puts [format "  %-8s %7d -> %-8d (x%.0f): add x%s, delete x%s" $peer \
            $small $large [expr {double($large) / $small}] {*}$cells]
    }
}
file delete $env(ZQ_PDB_USER)
