/*
 * symbol_lookup.h --
 *
 *	The test that decides whether a part's symbol is a VHDL symbol: by the
 *	suffix of its name, else by a "vhdl_architecture" line in its symbol
 *	file, found in the current directory or along ZQ_SCH_PATH.
 */

#ifndef TOVPART_EDIT_SYMBOL_LOOKUP_H
#define TOVPART_EDIT_SYMBOL_LOOKUP_H

#include <tcl.h>

/*
 * True when symbolName names a VHDL symbol. When the name alone does not
 * tell, the symbol file lookup runs and leaves its text ("1", "0" or its
 * failure message) in the interpreter result.
 */
bool Pdb_IsVhdlSymbol(Tcl_Interp *interp, const char *symbolName);

/*
 * Scans the symbol file fileName for a line that begins with
 * "vhdl_architecture". TCL_OK with the result "1" or "0" when the file
 * could be opened, else TCL_ERROR with a message appended to the result.
 */
int Pdb_SymbolFileLookup(Tcl_Interp *interp, const char *fileName);

#endif /* TOVPART_EDIT_SYMBOL_LOOKUP_H */
