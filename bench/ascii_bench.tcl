# ascii_bench.tcl --
#
#	Times pdb:read and pdb:save on synthetic ASCII databases of growing
#	size and reports records/s, MB/s and the peak resident memory.
#
#	tclsh bench/ascii_bench.tcl ?-sizes {10000 100000 1000000}?
#	    ?-fanout 8? ?-depth 3? ?-props 4? ?-partrefs 0.05? ?-catrefs 64?
#	    ?-dir /tmp/tovpart_bench? ?-pkgdir build/tovpart1.0?
#
#	Each size runs in a child tclsh of its own (this script with -one),
#	so that the peak memory (VmHWM) belongs to that size alone.

set here [file dirname [file normalize [info script]]]
array set opt [list -sizes {10000 100000 1000000} -fanout 8 -depth 3 \
    -props 4 -partrefs 0.05 -catrefs 64 -dir /tmp/tovpart_bench \
    -pkgdir [file join $here .. build tovpart1.0] -one {}]
if {[info exists env(TOVPART_PKG_DIR)]} {
    set opt(-pkgdir) $env(TOVPART_PKG_DIR)
}
foreach {key value} $argv {
    if {![info exists opt($key)]} {
        puts stderr "unknown option $key"
        exit 2
    }
    set opt($key) $value
}

# A memory figure of this process from /proc/self/status, in kB.
proc statusKb {field} {
    set f [open /proc/self/status]
    set status [read $f]
    close $f
    regexp "$field:\\s+(\\d+)" $status -> kb
    return $kb
}

# The peak and the current resident set of this process in kB.
proc peakKb {} { statusKb VmHWM }
proc currentKb {} { statusKb VmRSS }

# CPU time (user + system) of this process in ms, in 10 ms ticks: the
# machine may be shared, so wall-clock times can overstate a run.
proc cpuMs {} {
    set f [open /proc/self/stat]
    set stat [read $f]
    close $f
    regexp {\) (.*)} $stat -> rest
    set fields [split $rest]
    return [expr {([lindex $fields 11] + [lindex $fields 12]) * 10}]
}

proc countRecords {file} {
    set f [open $file rb]
    set n 0
    while {[gets $f line] >= 0} {
        if {[string trim $line] ne ""} {incr n}
    }
    close $f
    return $n
}

# One measurement in this process: open, read, save; one result line.
proc measureOne {file} {
    global opt
    lappend ::auto_path $opt(-pkgdir)
    package require tovpart
    set records [countRecords $file]
    set bytes [file size $file]
    set copy $file.save
    file copy -force $file $copy
    set before [currentKb]
    set h [pdb:open -file $copy]
    set c0 [cpuMs]
    set t0 [clock microseconds]
    pdb:read $h
    set readUs [expr {[clock microseconds] - $t0}]
    set readCpuMs [expr {[cpuMs] - $c0}]
    set afterRead [currentKb]
    set peakRead [peakKb]
    set c0 [cpuMs]
    set t0 [clock microseconds]
    pdb:save $h
    set saveUs [expr {[clock microseconds] - $t0}]
    set saveCpuMs [expr {[cpuMs] - $c0}]
    set same [expr {![catch {exec cmp -s $file $copy}]}]
    file delete $copy $copy.bak
    puts [list records $records bytes $bytes readUs $readUs saveUs $saveUs \
        readCpuMs $readCpuMs saveCpuMs $saveCpuMs \
        rssBeforeKb $before rssAfterReadKb $afterRead peakReadKb $peakRead \
        identical $same]
}

if {$opt(-one) ne ""} {
    if {[catch {measureOne $opt(-one)} message]} {
        puts stderr $message
        exit 1
    }
    exit 0
}

file mkdir $opt(-dir)
puts "times: wall clock (CPU user+system); rates on the wall clock (on CPU)"
puts [format "%9s %8s %7s %16s %20s %16s %16s %6s %8s %4s" parts records MB \
    "read ms" "read rec/s" "save ms" "save MB/s" "peakMB" "mem/file" same]
foreach size $opt(-sizes) {
    set file [file join $opt(-dir) synthetic_$size.db]
    if {![file exists $file]} {
        exec python3 [file join $here gen_ascii_db.py] --parts $size \
            --fanout $opt(-fanout) --depth $opt(-depth) --props $opt(-props) \
            --partrefs $opt(-partrefs) --catrefs $opt(-catrefs) $file
    }
    set line [exec [info nameofexecutable] [info script] -one $file \
        -pkgdir $opt(-pkgdir)]
    array set r $line
    set mb [expr {$r(bytes) / 1e6}]
    set readS [expr {max($r(readUs), 1) / 1e6}]
    set saveS [expr {max($r(saveUs), 1) / 1e6}]
    set memRatio [expr {($r(rssAfterReadKb) - $r(rssBeforeKb)) * 1024.0 \
        / $r(bytes)}]
    set readCpuS [expr {max($r(readCpuMs), 10) / 1e3}]
    set saveCpuS [expr {max($r(saveCpuMs), 10) / 1e3}]
    puts [format "%9d %8d %7.1f %7.0f (%6.0f) %9.0f (%8.0f) %7.0f (%6.0f) %7.0f (%6.0f) %6.0f %8.2f %4s" \
        $size $r(records) $mb [expr {$readS * 1e3}] [expr {$readCpuS * 1e3}] \
        [expr {$r(records) / $readS}] [expr {$r(records) / $readCpuS}] \
        [expr {$saveS * 1e3}] [expr {$saveCpuS * 1e3}] \
        [expr {$mb / $saveS}] [expr {$mb / $saveCpuS}] \
        [expr {$r(peakReadKb) / 1024.0}] $memRatio \
        [expr {$r(identical) ? "yes" : "NO"}]]
}
