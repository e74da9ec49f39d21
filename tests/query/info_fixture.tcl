# info_fixture.tcl --
#
#	The group the pdb:info tests ask: a user database (text), a library
#	image mapped from DRAVO_HOME and a site database (text) that lists
#	parts of the other two by reference and holds category references
#	into the image. The user database is read before the image is
#	opened, so both may define R1.

source [file join [file dirname [info script]] .. tcl ascii_helpers.tcl]

set env(ZQ_PDB_VERIFY) 1

namespace eval info {
    variable userText {[category] /
{[category]} /mine/ {My parts}
[part] R1 {res user {value 10k}} {resistor {User R1}} none
[part] U1 {usym ulib {}} {utpl {User part}} kelm
[category] /mine/sub/
[part] U2 {usym2 ulib {}} {{} {}} vhdl
[part=] U1
[category] /mine/links/
[category=] /mine/sub/
}
    variable libraryText {[category] /
{[category]} /lib/ {Library parts}
[part] R1 {res lib {value 2k}} {resistor {Library R1}} kelm
{[category]} /lib/x/ {Library x}
[part] LR1 {res lib {value 1k}} {resistor {Lib resistor}} kelm
{[category]} /lib/x/y/ {Deep in x}
[part] LY {ysym lib {}} {ytpl {}} none
[category] /lib/z/
[part=] LR1
[category=] /lib/x/
}
    variable siteText {[category] /
{[category]} /site/ {Site parts}
[part] S1 {ssym slib {a 1 b {two words}}} {stpl {Site part}} kelm
[part=] LR1
[part=] U1
[category=] /lib/x/
[category=] /lib/z/
}
}

# Empties the current group and opens the three databases into it; sets
# info::user, info::library and info::site to their handles and the
# matching ...File variables to their file names.
proc info::openGroup {} {
    variable userText
    variable libraryText
    variable siteText
    variable user
    variable library
    variable site
    variable userFile
    variable libraryFile
    variable siteFile
    pdb:unload -all
    set home [ascii::freshDir]
    file mkdir [file join $home lib]
    set libraryFile [ascii::imageOf \
        [file join $home lib veltrum_dravo.zq_pdb_bi] $libraryText]
    set siteDir [ascii::freshDir]
    set siteFile [ascii::writeFile [file join $siteDir tovpart.site] $siteText]
    set userFile [ascii::newFile $userText user.db]
    set ::env(ZQ_PDB_USER) $userFile
    set ::env(DRAVO_HOME) $home
    set ::env(ZQ_SITE_PATH) $siteDir
    set user [pdb:open user]
    pdb:read $user
    set library [pdb:open veltrum_dravo]
    set site [pdb:open site]
    pdb:read $site
}

# The first of the handles given that the group lists first.
proc info::firstOf {args} {
    foreach handle [pdb:info -zq_pdb -open] {
        if {$handle in $args} {
            return $handle
        }
    }
    return ""
}

# Runs each command of the list, collecting its result or its message.
proc info::answers {commands} {
    set out {}
    foreach command $commands {
        catch {uplevel 1 $command} answer
        lappend out $answer
    }
    return $out
}

info::openGroup
