# peers.tcl --
#
#	The peers that the benchmarks set beside tovpart, each answering the
#	same questions about the same generated database (gen_parts_db.py):
#
#	peers::tcl   plain Tcl: a reader of the ASCII database that builds
#	             dicts, and the queries as Tcl loops;
#	peers::sql   SQLite through its Tcl binding: tables of parts,
#	             properties, categories, category references and category
#	             membership, imported from the generated tab-separated
#	             files, and the queries in SQL;
#	peers::scan  the bench-only C++ extension (scan_peer.cpp): the parts
#	             in a vector, scanned by a bare loop with Tcl_StringMatch.
#
#	Every search answers as the module's pdb:find does: a sorted list
#	without duplicates. The searches start at "/", which lists every part,
#	so the part searches need not walk the categories; the category search
#	does walk them, reporting a category reached through a category
#	reference under the reference's own place. Patterns are handed to
#	SQLite's GLOB unchanged, which agrees with Tcl's glob matching for
#	patterns without "[" and "\" (all the benchmark uses).

namespace eval peers {}
namespace eval peers::tcl {
    variable parts [dict create]     ;# name -> {symbol library pairs
                                      #          template description hdl}
    variable helpOf [dict create]    ;# category path -> help text
    variable children [dict create]  ;# category path -> child paths
    variable members [dict create]   ;# category path -> part names listed
    variable crefs [dict create]     ;# category path -> reference targets
}
namespace eval peers::sql {
    variable db ::peers::sql::connection
    variable mmapBytes [expr {1 << 30}]
}
namespace eval peers::scan {}

# --- plain Tcl --------------------------------------------------------

# peers::tcl::reset --
#
#	Forgets everything read, as pdb:unload does for a group.

proc peers::tcl::reset {} {
    foreach name {parts helpOf children members crefs} {
        variable $name [dict create]
    }
}

# peers::tcl::readFile --
#
#	Reads an ASCII database the way a script would without the module:
#	gets, one list split per line, a switch on the keyword, and dicts.
#	Like the module's reader it skips blank lines and lines that begin
#	with "]", refuses a record before any category, an unknown keyword
#	and a duplicate part. A part is a list {symbol library pairs template
#	description hdl}; with nested true it is a dict per part ({symbol ..
#	library .. properties {name value ..} template .. description .. hdl
#	..}), the way many scripts hold records: only the loading benchmark
#	reads that way, to show what the habit costs; the searches run on the
#	lists.
#
# Results:
#	The number of record lines read.

proc peers::tcl::readFile {file {nested false}} {
    variable parts
    variable members
    variable crefs
    reset
    set f [open $file rb]
    set current ""
    set records 0
    while {[gets $f line] >= 0} {
        if {[string is space $line] || [string index $line 0] eq "]"} {
            continue
        }
        lassign $line keyword first second third fourth
        incr records
        if {$keyword ne "\[category\]" && $current eq ""} {
            close $f
            error "record before any category in $file"
        }
        switch -exact -- $keyword {
            {[part]} {
                if {[dict exists $parts $first]} {
                    close $f
                    error "Duplicate part \"$first\" in $file"
                }
                lassign $second symbol library pairs
                lassign $third template description
                if {$fourth eq ""} {
                    set fourth kelm
                }
                if {$nested} {
                    dict set parts $first [dict create symbol $symbol \
                        library $library properties [dict create {*}$pairs] \
                        template $template description $description \
                        hdl $fourth]
                } else {
                    dict set parts $first [list $symbol $library $pairs \
                        $template $description $fourth]
                }
                dict lappend members $current $first
            }
            {[part=]} {
                dict lappend members $current $first
            }
            {[category]} {
                set current $first
                addCategory $first $second
            }
            {[category=]} {
                dict lappend crefs $current $first
            }
            default {
                close $f
                error "Unrecognized keyword \"$keyword\" in $file"
            }
        }
    }
    close $f
    return $records
}

# peers::tcl::addCategory --
#
#	Creates path and its missing ancestors (with empty help), as
#	ensurePath does; an existing path is left alone.

proc peers::tcl::addCategory {path help} {
    variable helpOf
    variable children
    set missing {}
    for {set p $path} {![dict exists $helpOf $p]} {set p [parentOf $p]} {
        lappend missing $p
        if {$p eq "/"} {
            break
        }
    }
    foreach p [lreverse $missing] {
        dict set helpOf $p [expr {$p eq $path ? $help : ""}]
        if {$p ne "/"} {
            dict lappend children [parentOf $p] $p
        }
    }
}

proc peers::tcl::parentOf {path} {
    return [string range $path 0 [string last / $path end-1]]
}

proc peers::tcl::lastComponent {path} {
    return [string range $path [string last / $path end-1]+1 end-1]
}

# peers::tcl::findName --
#
#	pdb:find / -name pattern: the names of the parts matching pattern.

proc peers::tcl::findName {pattern} {
    variable parts
    set out {}
    dict for {name record} $parts {
        if {[string match $pattern $name]} {
            lappend out $name
        }
    }
    return [lsort $out]
}

# peers::tcl::findProps --
#
#	pdb:find / -propvalues spec: the parts that, for every pair {name
#	value} of spec, have a property pair matching both patterns.

proc peers::tcl::findProps {spec} {
    variable parts
    set out {}
    dict for {name record} $parts {
        set pairs [lindex $record 2]
        set all 1
        foreach wanted $spec {
            lassign $wanted keyPattern valuePattern
            set hit 0
            foreach {key value} $pairs {
                if {[string match $keyPattern $key] &&
                    [string match $valuePattern $value]} {
                    set hit 1
                    break
                }
            }
            if {!$hit} {
                set all 0
                break
            }
        }
        if {$all} {
            lappend out $name
        }
    }
    return [lsort $out]
}

# peers::tcl::findCategories --
#
#	pdb:find / -type category: the reported path of every category, a
#	category reached through a reference reported under the reference's
#	place. Walks with an explicit stack of {reported-path real-path}.

proc peers::tcl::findCategories {} {
    variable children
    variable crefs
    set stack [list / /]
    set out {}
    while {[llength $stack]} {
        set real [lindex $stack end]
        set reported [lindex $stack end-1]
        set stack [lreplace $stack end-1 end]
        lappend out $reported
        foreach table {children crefs} {
            if {[dict exists [set $table] $real]} {
                foreach next [dict get [set $table] $real] {
                    lappend stack $reported[lastComponent $next]/ $next
                }
            }
        }
    }
    return [lsort -unique $out]
}

# peers::tcl::symbolOf --
#
#	pdb:info -part name -symbol: {symbol library {name value ...}}.

proc peers::tcl::symbolOf {name} {
    variable parts
    return [lrange [dict get $parts $name] 0 2]
}

# peers::tcl::propertiesOf --
#
#	pdb:info -part name -properties: {name value} {name value} ...

proc peers::tcl::propertiesOf {name} {
    variable parts
    set out {}
    foreach {key value} [lindex [dict get $parts $name] 2] {
        lappend out [list $key $value]
    }
    return $out
}

# peers::tcl::addPart --
#
#	pdb:add category name symbolRecord templateRecord hdl: checks the name
#	is new and the records are whole, files the part in category.

proc peers::tcl::addPart {category name symbolRecord templateRecord hdl} {
    variable parts
    variable members
    if {[dict exists $parts $name]} {
        error "Another part is using the name \"$name\""
    }
    if {[llength $symbolRecord] != 3 || [llength $templateRecord] != 2 ||
        [llength [lindex $symbolRecord 2]] % 2} {
        error "bad part record for \"$name\""
    }
    addCategory $category ""
    dict set parts $name [list {*}$symbolRecord {*}$templateRecord $hdl]
    dict lappend members $category $name
}

# peers::tcl::deleteCategory --
#
#	pdb:delete category for a category without subcategories: its parts
#	and the category go.

proc peers::tcl::deleteCategory {category} {
    variable parts
    variable members
    variable helpOf
    variable children
    if {[dict exists $members $category]} {
        foreach name [dict get $members $category] {
            dict unset parts $name
        }
        dict unset members $category
    }
    dict unset helpOf $category
    set parent [parentOf $category]
    dict set children $parent [lsearch -all -inline -exact -not \
        [dict get $children $parent] $category]
}

# --- SQLite -----------------------------------------------------------

# peers::sql::available --
#
#	1 when the SQLite Tcl binding can be loaded, else 0.

proc peers::sql::available {} {
    return [expr {![catch {package require sqlite3}]}]
}

# peers::sql::import --
#
#	Creates the SQLite database file from the tab-separated files of
#	prefix (an existing file is replaced): the tables, then their rows
#	with the binding's bulk copy, then the indexes. Journal and sync are
#	off, as for any bulk load that can simply be redone.
#
# Results:
#	The number of rows imported.

proc peers::sql::import {prefix file} {
    variable db
    package require sqlite3
    catch {$db close}
    file delete $file $file-journal
    sqlite3 $db $file
    $db eval {
        PRAGMA journal_mode = OFF;
        PRAGMA synchronous = OFF;
        CREATE TABLE parts(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
            symbol TEXT, library TEXT, template TEXT, description TEXT,
            hdl TEXT);
        CREATE TABLE props(part INTEGER, seq INTEGER, key TEXT, value TEXT);
        CREATE TABLE categories(id INTEGER PRIMARY KEY, path TEXT,
            parent INTEGER, name TEXT, help TEXT);
        CREATE TABLE members(category INTEGER, part INTEGER, home INTEGER);
        CREATE TABLE catrefs(parent INTEGER, target TEXT, last TEXT);
    }
    set rows 0
    foreach table {parts props categories members catrefs} {
        # One transaction per table (copy makes its own); "\N" never
        # occurs, so empty fields stay empty strings.
        incr rows [$db copy abort $table $prefix.$table.tsv "\t" "\\N"]
    }
    $db eval {
        CREATE UNIQUE INDEX parts_name ON parts(name);
        CREATE INDEX props_part ON props(part, seq);
        CREATE INDEX props_key ON props(key);
        CREATE UNIQUE INDEX categories_path ON categories(path);
        CREATE INDEX categories_parent ON categories(parent);
        CREATE INDEX members_category ON members(category);
        CREATE INDEX members_part ON members(part);
        CREATE INDEX catrefs_parent ON catrefs(parent);
    }
    tune
    return $rows
}

# peers::sql::openFile --
#
#	Opens an existing database file made by import.

proc peers::sql::openFile {file} {
    variable db
    package require sqlite3
    catch {$db close}
    sqlite3 $db $file
    tune
}

# Reads through a mapping, as a tuned reader would; SQLite's default
# page cache (2 MiB) would otherwise turn every scan into system calls.
proc peers::sql::tune {} {
    variable db
    variable mmapBytes
    $db eval "PRAGMA mmap_size = $mmapBytes"
}

proc peers::sql::closeFile {} {
    variable db
    catch {$db close}
}

# peers::sql::findName --
#
#	pdb:find / -name pattern. A pattern with a literal prefix ("R*") runs
#	as a range of the name index.

proc peers::sql::findName {pattern} {
    variable db
    return [$db eval {SELECT name FROM parts WHERE name GLOB $pattern
                      ORDER BY name}]
}

# peers::sql::findProps --
#
#	pdb:find / -propvalues spec: one property subquery per pair,
#	intersected. A literal key pattern ("Footprint") runs as a range of
#	the key index.

proc peers::sql::findProps {spec} {
    variable db
    if {[llength $spec] == 0} {
        return [$db eval {SELECT name FROM parts ORDER BY name}]
    }
    set queries {}
    set i 0
    foreach pair $spec {
        lassign $pair k$i v$i
        lappend queries "SELECT part FROM props\
            WHERE key GLOB \$k$i AND value GLOB \$v$i"
        incr i
    }
    return [$db eval "SELECT name FROM parts WHERE id IN
        ([join $queries { INTERSECT }]) ORDER BY name"]
}

# peers::sql::findCategories --
#
#	pdb:find / -type category: a recursive walk from the root over the
#	children and the category references of each real category, carrying
#	the reported path.

proc peers::sql::findCategories {} {
    variable db
    return [$db eval {
        WITH RECURSIVE walk(reported, real) AS (
            SELECT '/', id FROM categories WHERE path = '/'
            UNION ALL
            SELECT walk.reported || c.name || '/', c.id
                FROM walk JOIN categories c ON c.parent = walk.real
            UNION ALL
            SELECT walk.reported || r.last || '/', t.id
                FROM walk JOIN catrefs r ON r.parent = walk.real
                JOIN categories t ON t.path = r.target)
        SELECT DISTINCT reported FROM walk ORDER BY reported
    }]
}

# peers::sql::symbolOf --
#
#	pdb:info -part name -symbol: one statement by the name index and the
#	part's property rows (a part without properties gives one row whose
#	seq is NULL).

proc peers::sql::symbolOf {name} {
    variable db
    set rows [$db eval {SELECT p.symbol, p.library, pr.seq, pr.key, pr.value
                        FROM parts p LEFT JOIN props pr ON pr.part = p.id
                        WHERE p.name = $name ORDER BY pr.seq}]
    if {[llength $rows] == 0} {
        error "Not a part \"$name\""
    }
    set pairs {}
    foreach {symbol library seq key value} $rows {
        if {$seq ne ""} {
            lappend pairs $key $value
        }
    }
    return [list $symbol $library $pairs]
}

# peers::sql::propertiesOf --
#
#	pdb:info -part name -properties.

proc peers::sql::propertiesOf {name} {
    variable db
    set out {}
    foreach {key value} [$db eval {
        SELECT key, value FROM props
        WHERE part = (SELECT id FROM parts WHERE name = $name)
        ORDER BY seq}] {
        lappend out [list $key $value]
    }
    return $out
}

# peers::sql::startEditing --
#
#	An empty in-memory database with the tables and indexes of import,
#	for the editing benchmark, and the category that parts are added to.
#
# Results:
#	The category's id.

proc peers::sql::startEditing {category} {
    variable db
    package require sqlite3
    catch {$db close}
    sqlite3 $db :memory:
    $db eval {
        CREATE TABLE parts(id INTEGER PRIMARY KEY, name TEXT NOT NULL,
            symbol TEXT, library TEXT, template TEXT, description TEXT,
            hdl TEXT);
        CREATE UNIQUE INDEX parts_name ON parts(name);
        CREATE TABLE props(part INTEGER, seq INTEGER, key TEXT, value TEXT);
        CREATE INDEX props_part ON props(part, seq);
        CREATE TABLE categories(id INTEGER PRIMARY KEY, path TEXT,
            parent INTEGER, name TEXT, help TEXT);
        CREATE UNIQUE INDEX categories_path ON categories(path);
        CREATE TABLE members(category INTEGER, part INTEGER, home INTEGER);
        CREATE INDEX members_category ON members(category);
        CREATE INDEX members_part ON members(part);
        INSERT INTO categories VALUES (1, '/', 0, '/', '');
    }
    $db eval {INSERT INTO categories(path, parent, name, help)
              VALUES ($category, 1, $category, '')}
    return [$db last_insert_rowid]
}

# peers::sql::addPart --
#
#	pdb:add category name symbolRecord templateRecord hdl as SQL: the part
#	row (the unique name index refuses a name in use), its property rows
#	and its membership.

proc peers::sql::addPart {categoryId name symbolRecord templateRecord hdl} {
    variable db
    lassign $symbolRecord symbol library pairs
    lassign $templateRecord template description
    $db eval {INSERT INTO parts(name, symbol, library, template,
                  description, hdl)
              VALUES ($name, $symbol, $library, $template, $description,
                  $hdl)}
    set id [$db last_insert_rowid]
    set seq 0
    foreach {key value} $pairs {
        $db eval {INSERT INTO props VALUES ($id, $seq, $key, $value)}
        incr seq
    }
    $db eval {INSERT INTO members VALUES ($categoryId, $id, 1)}
}

# peers::sql::deleteCategory --
#
#	pdb:delete category for a category without subcategories: the parts
#	homed there with their properties and listings, then the category.

proc peers::sql::deleteCategory {categoryId} {
    variable db
    $db transaction {
        $db eval {
            CREATE TEMP TABLE doomed AS
                SELECT part FROM members WHERE category = $categoryId
                AND home = 1;
            DELETE FROM props WHERE part IN doomed;
            DELETE FROM members WHERE part IN doomed
                OR category = $categoryId;
            DELETE FROM parts WHERE id IN doomed;
            DELETE FROM categories WHERE id = $categoryId;
            DROP TABLE doomed;
        }
    }
}

# --- C++ scan ---------------------------------------------------------

proc peers::scan::available {} {
    return [llength [info commands ::tovscan::load]]
}

proc peers::scan::loadParts {prefix} {
    return [tovscan::load $prefix]
}

proc peers::scan::findName {pattern} {
    return [tovscan::names $pattern]
}

proc peers::scan::findProps {spec} {
    return [tovscan::props $spec]
}
