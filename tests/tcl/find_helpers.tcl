# find_helpers.tcl --
#
#	The group the tests of pdb:find and pdb:hide search: an ASCII
#	library, a binary image and an ASCII user database in one group.
#
#	library (ASCII):  /lib/ (Library)
#	                  /lib/opamps/: OP1 OP2 (vhdl)   /lib/opamps/fast/: OP3
#	                  /lib/res/: R1 Z9 a1 {b c} #x
#	image (binary):   /lib/opamps/: OP9 R1 (a second R1)   /img/: I1
#	user (ASCII):     /mine/: U1, a reference to OP2, a reference to R1,
#	                  the category reference /mine/opamps/ -> /lib/opamps/

source [file join [file dirname [info script]] ascii_helpers.tcl]

namespace eval findtest {
    variable libraryText [join {
        {[category] /}
        {{[category]} /lib/ Library}
        {{[category]} /lib/opamps/ Opamps}
        {[part] OP1 {opamp analog {MODEL LM741 VALUE 1k}} {opamp {Op amp}} kelm}
        {[part] OP2 {opamp_vhd analog {MODEL LM358 VALUE 10k}} {opamp2 Dual} vhdl}
        {[category] /lib/opamps/fast/}
        {[part] OP3 {opamp analog {MODEL AD8 GBW 100meg}} {{} {}} none}
        {[category] /lib/res/}
        {[part] R1 {res basic {VALUE 1k}} {resistor R} none}
        {[part] Z9 {res basic {VALUE 2k TOL 5%}} {resistor R} none}
        {[part] a1 {res basic {}} {resistor R} none}
        {[part] {b c} {res basic {}} {resistor R} none}
        {[part] #x {res basic {}} {{} {}} none}
    } \n]
    variable imageText [join {
        {[category] /}
        {[category] /lib/}
        {[category] /lib/opamps/}
        {[part] OP9 {opamp analog {MODEL TL071}} {opamp TL} kelm}
        {[part] R1 {res basic {VALUE 1k}} {resistor R} none}
        {[category] /img/}
        {[part] I1 {img basic {}} {imgtmpl {}} none}
    } \n]
    variable userText [join {
        {[category] /}
        {[category] /mine/}
        {[part] U1 {usym basic {}} {{} {}} none}
        {[part=] OP2}
        {[part=] R1}
        {[category=] /lib/opamps/}
    } \n]
    variable imageFile [file join [ascii::freshDir] image.zq_pdb_bi]
    variable libraryFile [ascii::newFile $libraryText]
    variable userFile [ascii::newFile $userText]
}

# findtest::setup --
#
#	Empties the current group and fills it with the three databases;
#	the image is written once, from a group of its own.
#
# Results:
#	The handles of the library, the image and the user database.

proc findtest::setup {} {
    variable imageFile
    variable imageText
    variable libraryFile
    variable userFile
    if {![file exists $imageFile]} {
        ascii::imageOf $imageFile $imageText
    }
    pdb:unload -all
    set library [pdb:open -file $libraryFile]
    pdb:read $library
    set image [pdb:open -file $imageFile]
    set user [pdb:open -file $userFile]
    pdb:read $user
    return [list $library $image $user]
}
