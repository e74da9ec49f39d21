# edit_helpers.tcl --
#
#	Helpers of the tests of pdb:add and pdb:delete: a group holding a
#	user database and, when asked, a site database, each read from a
#	given text; the saved text of a database; and the tree's totals.

source [file join [file dirname [info script]] .. tcl ascii_helpers.tcl]

namespace eval edit {
    variable userFile [file join [ascii::freshDir] user.db]
    variable siteDir [ascii::freshDir]
    variable siteFile [file join $siteDir tovpart.site]
    set ::env(ZQ_PDB_USER) $userFile
    set ::env(ZQ_SITE_PATH) $siteDir
    unset -nocomplain ::env(ZQ_SCH_PATH)
}

# Empties the current group, then opens and reads the site database
# holding siteText (when it is not "none") and the user database holding
# userText, in the order that order gives. Returns the user handle.
proc edit::setup {userText {siteText none} {order {site user}}} {
    variable userFile
    variable siteFile
    variable handles
    pdb:unload -all
    ascii::writeFile $userFile $userText
    ascii::writeFile $siteFile [expr {$siteText eq "none" ? "" : $siteText}]
    array unset handles
    foreach which $order {
        if {$which eq "site" && $siteText eq "none"} {
            continue
        }
        set handles($which) [expr {$which eq "site" ?
            [pdb:open -db site site] : [pdb:open user]}]
    }
    foreach which $order {
        if {[info exists handles($which)]} {
            pdb:read $handles($which)
        }
    }
    return $handles(user)
}

# The text pdb:save writes for the user database, or the site database
# with "site".
proc edit::saved {{which user}} {
    variable userFile
    variable siteFile
    if {$which eq "site"} {
        pdb:save -db site
        return [ascii::readFile $siteFile]
    }
    pdb:save
    return [ascii::readFile $userFile]
}

# The saved text of a database as a list of lines.
proc edit::savedLines {{which user}} {
    return [split [string trimright [saved $which] \n] \n]
}

# The tree's totals: entries, real parts, part references, categories,
# real categories and category references.
proc edit::totals {handle} {
    return [regexp -all -inline -line {\d+$} \
        [regsub {.*<<<<<< Total parts in tree} [ascii::report $handle -tree] {}]]
}

proc edit::cleanup {} {
    ascii::cleanup
}
