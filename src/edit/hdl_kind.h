/*
 * hdl_kind.h --
 *
 *	How a part's HDL kind is derived when it is not given: "vhdl" for a
 *	VHDL symbol, else "none" for a part without a template that names no
 *	graphic model, else "kelm". The ASCII reader derives it for format
 *	version 1 files read with -update, pdb:add for a part added without
 *	one.
 */

#ifndef TOVPART_EDIT_HDL_KIND_H
#define TOVPART_EDIT_HDL_KIND_H

#include <tcl.h>

/*
 * True for the HDL kinds a part may hold and a file keeps when it is read
 * back: "kelm", "vhdl" and "none".
 */
bool Pdb_IsHdlKind(const char *hdl);

/*
 * The graphic-model template test: true when a part without a known HDL
 * kind and with this template gets "none" rather than "kelm": the name is
 * empty and the description does not begin with "graphic_mod" or
 * "gmod_model".
 */
bool Pdb_IsGraphicModelTemplate(const char *templateName,
                                const char *templateDescription);

/* The kind of a part whose symbol is no VHDL symbol: "none" when the
 * graphic-model template test holds, else "kelm" (static strings). */
const char *Pdb_ChooseTemplateHdlKind(const char *templateName,
                                      const char *templateDescription);

/*
 * The derived HDL kind, "vhdl", "none" or "kelm" (static strings). The
 * symbol file lookup may run; whatever it leaves in the interpreter result
 * is cleared again, so the result is empty afterwards.
 */
const char *Pdb_DeriveHdlKind(Tcl_Interp *interp, const char *symbolName,
                              const char *templateName,
                              const char *templateDescription);

#endif /* TOVPART_EDIT_HDL_KIND_H */
