# edit_model.tcl --
#
#	A small model of one user database, for the round trip property
#	test of pdb:add and pdb:delete: its category tree (categories,
#	category references, part entries in list order) and its parts. The
#	model predicts each command's status and message and its effect, and
#	renders the tree the way pdb:print -tree reports it, either in the
#	order the edits made it or in the order a saved file reads back in.

namespace eval model {
    variable N      ;# node fields: $id,kind (cat|ref) name help ref parent
                    ;# children entries ({part name} or {ref name})
    variable P      ;# part name -> {symbol library props template desc hdl}
    variable root   ;# id of the root, "" once it was deleted
    variable serial
}

proc model::reset {} {
    variable N
    variable P
    variable root
    variable serial 0
    array unset N
    array unset P
    set root [newNode cat / "" ""]
}

proc model::newNode {kind nameOrPath help parent} {
    variable N
    variable serial
    set id n[incr serial]
    set N($id,kind) $kind
    set N($id,[expr {$kind eq "cat" ? "name" : "ref"}]) $nameOrPath
    set N($id,help) $help
    set N($id,parent) $parent
    set N($id,children) {}
    set N($id,entries) {}
    if {$parent ne ""} {
        lappend N($parent,children) $id
    }
    return $id
}

# --- Paths -------------------------------------------------------------

# The last component of a path without slashes ("/a/b/" gives "b").
proc model::lastComponent {path} {
    return [lindex [split [string range $path 1 end-1] /] end]
}

# The name a node is matched by: its own, or its reference path's last.
proc model::componentName {id} {
    variable N
    return [expr {$N($id,kind) eq "cat" ? $N($id,name) :
        [lastComponent $N($id,ref)]}]
}

proc model::nodePath {id} {
    variable N
    if {$N($id,kind) eq "ref"} {
        return $N($id,ref)
    }
    set path /
    for {} {$N($id,parent) ne ""} {set id $N($id,parent)} {
        set path /$N($id,name)$path
    }
    return $path
}

proc model::isCategoryPath {path} {
    return [expr {[string index $path 0] eq "/" &&
        [string index $path end] eq "/" && [string first // $path] < 0}]
}

# The node of path; mode 0 follows no category reference, 1 (and 2, the
# same with one database) follows them.
proc model::lookup {path mode} {
    variable root
    if {$root eq "" || [string index $path 0] ne "/" ||
            [string index $path end] ne "/"} {
        return ""
    }
    if {$path eq "/"} {
        return $root
    }
    return [searchChildren $root $path $mode 0]
}

proc model::searchChildren {node rem mode depth} {
    variable N
    set first [lindex [split [string range $rem 1 end] /] 0]
    foreach child $N($node,children) {
        if {[componentName $child] eq $first} {
            set found [visit $child $rem $mode $depth]
            if {$found ne ""} {
                return $found
            }
        }
    }
    return ""
}

proc model::visit {node rem mode depth} {
    variable N
    set component /[componentName $node]/
    if {$rem eq $component} {
        return $node
    }
    if {[string first $component $rem] != 0} {
        return ""
    }
    if {$N($node,kind) eq "cat"} {
        return [searchChildren $node \
            [string range $rem [string length $component]-1 end] $mode $depth]
    }
    if {$mode == 0 || $depth > 20} {
        return ""
    }
    set target [lookup $N($node,ref) 0]
    return [expr {$target eq "" ? "" : [visit $target $rem $mode [incr depth]]}]
}

# The first real child named name, or "".
proc model::findChild {node name} {
    variable N
    foreach child $N($node,children) {
        if {$N($child,kind) eq "cat" && $N($child,name) eq $name} {
            return $child
        }
    }
    return ""
}

# The leading part of path naming a reference that the creation of path
# would have to pass beside; "" when none.
proc model::referenceOnPath {path} {
    variable N
    variable root
    if {$root eq ""} {
        return ""
    }
    set node $root
    set prefix /
    foreach name [lrange [split $path /] 1 end-1] {
        append prefix $name /
        set child [findChild $node $name]
        if {$child eq ""} {
            foreach other $N($node,children) {
                if {$N($other,kind) eq "ref" && [componentName $other] eq $name} {
                    return $prefix
                }
            }
            return ""
        }
        set node $child
    }
    return ""
}

# Makes the missing categories of path; the last gets help.
proc model::ensurePath {path help} {
    variable root
    if {$root eq ""} {
        set root [newNode cat / "" ""]
    }
    set node $root
    set names [lrange [split $path /] 1 end-1]
    set last [expr {[llength $names] - 1}]
    for {set i 0} {$i <= $last} {incr i} {
        set name [lindex $names $i]
        set child [findChild $node $name]
        if {$child eq ""} {
            set child [newNode cat $name [expr {$i == $last ? $help : ""}] $node]
        }
        set node $child
    }
    return $node
}

# True when node x lies below n, references followed.
proc model::reaches {x n} {
    variable N
    set pending [list $n]
    set searched [list $n]
    while {[llength $pending]} {
        set stack [list [lindex $pending end]]
        set pending [lrange $pending 0 end-1]
        while {[llength $stack]} {
            set node [lindex $stack end]
            set stack [lrange $stack 0 end-1]
            if {$N($node,kind) eq "cat"} {
                if {$node eq $x} {
                    return 1
                }
                lappend stack {*}[lreverse $N($node,children)]
                continue
            }
            set target [lookup $N($node,ref) 0]
            if {$target eq $x && $target ne ""} {
                return 1
            }
            if {$target ne "" && $target ni $searched} {
                lappend searched $target
                lappend pending $target
            }
        }
    }
    return 0
}

# The entry of node's list named name, or "".
proc model::findEntry {node name} {
    variable N
    foreach entry $N($node,entries) {
        if {[lindex $entry 1] eq $name} {
            return $entry
        }
    }
    return ""
}

# --- Commands ------------------------------------------------------------

proc model::ok {} { return {0 {}} }
proc model::fail {message} { return [list 1 $message] }

# The outcome of pdb:add with words, and its effect on the model.
proc model::add {words} {
    set path [lindex $words 0]
    if {![isCategoryPath $path]} {
        return [fail "Bad category name \"$path\""]
    }
    switch [llength $words] {
        1 { return [addCategory $path ""] }
        2 {
            set word [lindex $words 1]
            if {[lookup $path 2] eq ""} {
                return [addCategory $path $word]
            }
            return [addReference $path $word]
        }
        default { return [addPart {*}$words] }
    }
}

proc model::addCategory {path help} {
    if {[lookup $path 1] ne ""} {
        return [fail "Category exists \"$path\""]
    }
    set place [referenceOnPath $path]
    if {$place ne ""} {
        return [fail "Cannot modify a category reference \"$place\""]
    }
    ensurePath $path $help
    return [ok]
}

# The real category path leads to, made when missing; {node message}.
proc model::findCategory {path} {
    variable N
    set cat [lookup $path 1]
    if {$cat eq ""} {
        set place [referenceOnPath $path]
        if {$place ne ""} {
            return [list "" "Cannot modify a category reference \"$place\""]
        }
        set cat [ensurePath $path ""]
    }
    if {$N($cat,kind) eq "ref"} {
        return [list "" "Cannot modify a category reference \"$path\""]
    }
    return [list $cat ""]
}

proc model::addReference {path word} {
    variable N
    variable P
    set isPart [info exists P($word)]
    set isCategory [expr {[lookup $word 2] ne ""}]
    if {$isPart == $isCategory} {
        return [fail "\"$word\" is not a part or a category."]
    }
    lassign [findCategory $path] cat message
    if {$cat eq ""} {
        return [fail $message]
    }
    if {$isPart} {
        if {[findEntry $cat $word] ne ""} {
            return [fail "Multiple part reference in category"]
        }
        lappend N($cat,entries) [list ref $word]
        return [ok]
    }
    set target [lookup $word 0]
    if {$target eq ""} {
        return [fail "Not a category or part \"$word\""]
    }
    if {$word eq "/"} {
        return [fail "Cannot create reference to \"/\""]
    }
    if {[reaches $cat $target]} {
        return [fail "Circular category reference"]
    }
    foreach child $N($cat,children) {
        if {$N($child,kind) eq "ref" && $N($child,ref) eq $word} {
            return [fail "Category reference already exists"]
        }
    }
    set stored [nodePath $target]
    if {[lookup [nodePath $cat][lastComponent $stored]/ 2] ne ""} {
        return [fail "Category reference already exists"]
    }
    newNode ref $stored "" $cat
    return [ok]
}

# Splits a record as Tcl_SplitList does: {1 elements} or {0 message}.
proc model::splitRecord {record} {
    if {[catch {llength $record} message]} {
        return [list 0 $message]
    }
    return [list 1 $record]
}

proc model::addPart {path name symbol template {hdl {}}} {
    variable N
    variable P
    if {[info exists P($name)]} {
        return [fail "Another part is using the name \"$name\". Please pick a different name."]
    }
    if {[string index $name 0] eq "/" || [string index $name end] eq "/"} {
        return [fail "Part names cannot begin or end with '/'"]
    }
    lassign [splitRecord $symbol] good symbol
    if {!$good} {
        return [fail "$symbol: could not split part symbol record"]
    }
    if {[llength $symbol] != 3} {
        return [fail "Part symbol record must have three fields"]
    }
    lassign $symbol symbolName library props
    if {$symbolName eq ""} {
        return [fail "Part symbol name must not be empty"]
    }
    lassign [splitRecord $props] good props
    if {!$good} {
        return [fail "$props: could not split part symbol property record"]
    }
    if {[llength $props] % 2} {
        return [fail "Property record must have even fields"]
    }
    if {[llength $props] > 64} {
        return [fail "Too many properties: a part may have at most 32 property pairs"]
    }
    if {$hdl ne "" && $hdl ni {none vhdl kelm unknown}} {
        return [fail "Bad HDL kind \"$hdl\": must be none, vhdl, kelm or unknown"]
    }
    lassign [splitRecord $template] good template
    if {!$good} {
        return [fail "$template: could not split part template record"]
    }
    if {[llength $template] != 2} {
        return [fail "Part template record must have two fields"]
    }
    lassign $template templateName description
    if {$templateName eq "" && $description ne ""} {
        return [fail "Part template must be specified if part template description is specified"]
    }
    if {$hdl eq "" && [regexp {.(_vhd|_vda)$|._spice2vhd$} $symbolName]} {
        set hdl vhdl
    } elseif {$hdl in {"" unknown}} {
        set hdl [expr {$templateName eq "" ? "none" : "kelm"}]
    }
    lassign [findCategory $path] cat message
    if {$cat eq ""} {
        return [fail $message]
    }
    set P($name) [list $symbolName $library $props $templateName $description $hdl]
    lappend N($cat,entries) [list part $name]
    return [ok]
}

# The outcome of pdb:delete with words, and its effect on the model.
proc model::delete {words} {
    variable P
    if {[llength $words] == 2} {
        return [deleteListing {*}$words]
    }
    set name [lindex $words 0]
    if {[info exists P($name)]} {
        removeParts [list $name]
        return [ok]
    }
    if {[lookup $name 0] eq ""} {
        return [fail "Not a part or real category \"$name\""]
    }
    deleteSubtree [lookup $name 1]
    return [ok]
}

proc model::deleteListing {path name} {
    variable N
    variable P
    if {![info exists P($name)]} {
        return [fail "Not a part \"$name\""]
    }
    set node [lookup $path 1]
    if {$node eq "" || $N($node,kind) eq "ref"} {
        return [fail "Not a cat \"$path\""]
    }
    set entry [findEntry $node $name]
    if {$entry eq ""} {
        return [fail "Not a member of \"$path\": \"$name\""]
    }
    set where [lookup [nodePath [lookup $path 2]] 0]
    if {$where eq ""} {
        set where [lookup $path 2]
    }
    if {$where eq "" || $N($where,kind) eq "ref" ||
            [list ref $name] ni $N($where,entries) ||
            [lindex $entry 0] ne "ref"} {
        return [fail "Not a part reference: \"$name\""]
    }
    set N($node,entries) [lsearch -all -inline -exact -not $N($node,entries) $entry]
    return [ok]
}

# Every entry of the named parts leaves every list; the parts go.
proc model::removeParts {names} {
    variable N
    variable P
    foreach key [array names N *,entries] {
        set kept {}
        foreach entry $N($key) {
            if {[lindex $entry 1] ni $names} {
                lappend kept $entry
            }
        }
        set N($key) $kept
    }
    foreach name $names {
        unset P($name)
    }
}

# Deletes node ("" for none) with everything below it, the parts homed
# there, and the category references that lead into it or nowhere.
proc model::deleteSubtree {node} {
    variable N
    variable root
    set doomed {}
    set parts {}
    if {$node ne ""} {
        set stack [list $node]
        while {[llength $stack]} {
            set id [lindex $stack end]
            set stack [lrange $stack 0 end-1]
            lappend doomed $id
            lappend stack {*}$N($id,children)
            foreach entry $N($id,entries) {
                if {[lindex $entry 0] eq "part"} {
                    lappend parts [lindex $entry 1]
                }
            }
        }
    }
    if {$root ne ""} {
        pruneBelow $root $doomed
    }
    removeParts $parts
}

# Post-order over the tree below and at node: a node goes when it is
# doomed, or when it is a reference whose target is doomed or missing.
proc model::pruneBelow {node doomed} {
    variable N
    variable root
    foreach child $N($node,children) {
        pruneBelow $child $doomed
    }
    set goes [expr {$node in $doomed}]
    if {!$goes && $N($node,kind) eq "ref"} {
        set target [lookup $N($node,ref) 0]
        set goes [expr {$target eq "" || $target in $doomed}]
    }
    if {!$goes} {
        return
    }
    set parent $N($node,parent)
    if {$parent eq ""} {
        set root ""
    } else {
        set N($parent,children) [lsearch -all -inline -exact -not \
            $N($parent,children) $node]
    }
    array unset N $node,*
}

# --- The report ------------------------------------------------------------

# Whether a list element appended to text needs a separator first, as
# Tcl's dynamic strings decide it.
proc model::needSpace {text} {
    set i [expr {[string length $text] - 1}]
    if {$i < 0} {
        return 0
    }
    if {[string index $text $i] ne "\{"} {
        return [expr {!([string is space [string index $text $i]] &&
            ($i == 0 || [string index $text $i-1] ne "\\"))}]
    }
    while {[string index $text $i] eq "\{"} {
        if {$i == 0} {
            return 0
        }
        incr i -1
    }
    return [expr {![string is space [string index $text $i]]}]
}

# Appends element as Tcl_DStringAppendElement does.
proc model::appendElement {varName element} {
    upvar 1 $varName text
    if {[needSpace $text]} {
        append text " " [string range [list x $element] 2 end]
        return
    }
    set trimmed [string trimright $text]
    append text [expr {[needSpace $trimmed] ?
        [string range [list x $element] 2 end] : [list $element]}]
}

proc model::startSublist {varName} {
    upvar 1 $varName text
    append text [expr {[needSpace $text] ? " \{" : "\{"}]
}

# The text form of a part: name {symbol library {pairs}} {template desc} hdl.
proc model::partText {name} {
    variable P
    lassign $P($name) symbolName library props templateName description hdl
    set text ""
    appendElement text $name
    startSublist text
    appendElement text $symbolName
    appendElement text $library
    startSublist text
    foreach element $props {
        appendElement text $element
    }
    append text "\}\}"
    startSublist text
    appendElement text $templateName
    appendElement text $description
    append text "\}"
    appendElement text $hdl
    return $text
}

# The children of id in the order wanted: as made, or as read back from
# a saved file (real categories before references).
proc model::childrenInOrder {id order} {
    variable N
    if {$order eq "made"} {
        return $N($id,children)
    }
    set real {}
    set refs {}
    foreach child $N($id,children) {
        lappend [expr {$N($child,kind) eq "cat" ? "real" : "refs"}] $child
    }
    return [concat $real $refs]
}

proc model::entriesInOrder {id order} {
    variable N
    if {$order eq "made"} {
        return $N($id,entries)
    }
    return [concat [lsearch -all -inline -index 0 $N($id,entries) part] \
        [lsearch -all -inline -index 0 $N($id,entries) ref]]
}

# What pdb:print -tree writes for the modelled database, up to its last
# line (the database name); category references show ADDR for their
# address. order: "made" or "saved".
proc model::report {order} {
    variable N
    variable P
    variable root
    set out \n
    set entries 0
    set categories 0
    set references 0
    set stack [expr {$root eq "" ? {} : [list [list $root 0]]}]
    while {[llength $stack]} {
        lassign [lindex $stack end] id level
        set stack [lrange $stack 0 end-1]
        set indent [string repeat "    " $level]
        if {$N($id,kind) eq "ref"} {
            incr references
            append out "LEVEL:$level${indent}(CAT REFTO)$N($id,ref)  ADDR\n"
        } else {
            if {$id ne $root} {
                incr categories
            }
            set list [entriesInOrder $id $order]
            incr entries [llength $list]
            append out "LEVEL:$level$indent$N($id,name) (size:[llength $list])" \
                " (help:$N($id,help))\n"
            set i 0
            foreach entry $list {
                lassign $entry kind name
                append out "level:$level$indent" \
                    [expr {$kind eq "part" ? "(bas)" : "(ref)"}] \
                    "p:$i  [partText $name]\n"
                incr i
            }
        }
        foreach child [lreverse [childrenInOrder $id $order]] {
            lappend stack [list $child [expr {$level + 1}]]
        }
    }
    set parts [array size P]
    append out "<<<<<< Total parts in tree:      $entries\n" \
        "<<<<<< Total real parts in tree: $parts\n" \
        "<<<<<< Total part references:    [expr {$entries - $parts}]\n" \
        "<<<<<< Total categories in tree:          [expr {$categories + $references}]\n" \
        "<<<<<< Total real categories in tree:     $categories\n" \
        "<<<<<< Total category references in tree: $references\n"
    return $out
}

# The paths of the model's nodes: real paths and the places of
# references.
proc model::paths {} {
    variable N
    set out {}
    foreach key [array names N *,kind] {
        set id [lindex [::split $key ,] 0]
        if {$N($id,kind) eq "cat"} {
            lappend out [nodePath $id]
        } else {
            lappend out [nodePath $N($id,parent)][lastComponent $N($id,ref)]/
        }
    }
    return [lsort $out]
}

proc model::partNames {} {
    variable P
    return [lsort [array names P]]
}

# Every {category part} that a category of the model lists.
proc model::listings {} {
    variable N
    set out {}
    foreach key [array names N *,entries] {
        set id [lindex [::split $key ,] 0]
        foreach entry $N($key) {
            lappend out [list [nodePath $id] [lindex $entry 1]]
        }
    }
    return [lsort $out]
}

# --- Searches ----------------------------------------------------------------

# The real category a node stands for: itself, or a reference's target
# ("" when it leads nowhere).
proc model::realNode {id} {
    variable N
    return [expr {$N($id,kind) eq "cat" ? $id : [lookup $N($id,ref) 0]}]
}

# The outcome of checking a start category of pdb:find: {node ""} or
# {"" message}.
proc model::findStart {path} {
    if {![isCategoryPath $path]} {
        return [list "" "Category name \"$path\" is invalid; category names\
            must begin and end with \"/\""]
    }
    set node [lookup $path 2]
    if {$node eq ""} {
        return [list "" "No such category \"$path\""]
    }
    return [list $node ""]
}

# What pdb:find path ?-norecurse? ?-name pattern? answers: the names of
# the parts listed in the category and, unless recurse is 0, in every
# category below it, references followed. {status result}.
proc model::findParts {path recurse {pattern *}} {
    variable N
    lassign [findStart $path] node message
    if {$node eq ""} {
        return [fail $message]
    }
    set names {}
    set pending [list $node]
    set seen {}
    while {[llength $pending]} {
        set id [realNode [lindex $pending end]]
        set pending [lrange $pending 0 end-1]
        if {$id eq "" || [dict exists $seen $id]} {
            continue
        }
        dict set seen $id 1
        foreach entry $N($id,entries) {
            if {[string match $pattern [lindex $entry 1]]} {
                lappend names [lindex $entry 1]
            }
        }
        if {$recurse} {
            lappend pending {*}$N($id,children)
        }
    }
    return [list 0 [lsort -unique $names]]
}

# What pdb:find path -type category ?-norecurse? ?-name pattern? answers:
# the paths of the category and of every category below it, a category
# reached through a reference under the reference's place; with recurse
# 0 the components /name/ of its children. {status result}.
proc model::findCategories {path recurse {pattern *}} {
    variable N
    variable root
    lassign [findStart $path] node message
    if {$node eq ""} {
        return [fail $message]
    }
    set paths {}
    if {!$recurse} {
        set real [realNode $node]
        foreach child [expr {$real eq "" ? {} : $N($real,children)}] {
            set component /[componentName $child]/
            if {[string match $pattern $component]} {
                lappend paths $component
            }
        }
        return [list 0 [lsort -unique $paths]]
    }
    set above [expr {$node eq $root ? "" : [nodePath $N($node,parent)]}]
    set pending [list [list $node $above]]
    while {[llength $pending]} {
        lassign [lindex $pending end] id above
        set pending [lrange $pending 0 end-1]
        set reported $above[expr {$id eq $root ? "/" :
            "[componentName $id]/"}]
        if {[string match $pattern $reported]} {
            lappend paths $reported
        }
        if {$N($id,kind) eq "ref"} {
            set target [lookup $N($id,ref) 0]
            if {$target ne ""} {
                lappend pending [list $target $above]
            }
            continue
        }
        foreach child $N($id,children) {
            lappend pending [list $child $reported]
        }
    }
    return [list 0 [lsort -unique $paths]]
}

# The help texts of the model's categories.
proc model::helps {} {
    variable N
    set out {}
    foreach key [array names N *,help] {
        lappend out $N($key)
    }
    return $out
}
