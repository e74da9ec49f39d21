/*
 * hdl_kind.cpp --
 *
 *	Derivation of a part's HDL kind from its symbol and template.
 */

#include "edit/hdl_kind.h"

#include <cstring>

#include "edit/symbol_lookup.h"

static const char GRAPHIC_MODEL_PREFIX[] = "graphic_mod";
static const char GMOD_MODEL_PREFIX[] = "gmod_model";
static const char *const HDL_KINDS[] = {"kelm", "vhdl", "none"};

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsHdlKind --
 *
 *	Tells whether hdl is one of the HDL kinds a part may hold and a file
 *	keeps when it is read back: "kelm", "vhdl" and "none".
 *
 * Results:
 *	True when it is.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsHdlKind(const char *hdl) {
  for (const char *kind : HDL_KINDS) {
    if (std::strcmp(hdl, kind) == 0) {
      return true;
    }
  }
  return false;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsGraphicModelTemplate --
 *
 *	The graphic-model template test: whether a part without a known HDL
 *	kind and with this template gets "none" rather than "kelm". It does
 *	when the template name is empty and the description is empty or does
 *	not begin with "graphic_mod" or "gmod_model".
 *
 * Results:
 *	True when the part gets "none".
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsGraphicModelTemplate(const char *templateName,
                                const char *templateDescription) {
  if (templateName[0] != '\0') {
    return false;
  }
  if (templateDescription[0] == '\0') {
    return true;
  }
  return std::strncmp(templateDescription, GRAPHIC_MODEL_PREFIX,
                      sizeof(GRAPHIC_MODEL_PREFIX) - 1) != 0 &&
         std::strncmp(templateDescription, GMOD_MODEL_PREFIX,
                      sizeof(GMOD_MODEL_PREFIX) - 1) != 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_DeriveHdlKind --
 *
 *	Derives the HDL kind of a part: "vhdl" when the symbol file lookup
 *	finds a VHDL symbol of symbolName, else the kind its template gives
 *	(Pdb_ChooseTemplateHdlKind).
 *
 * Results:
 *	A static string: "vhdl", "none" or "kelm".
 *
 * Side effects:
 *	Reads symbol files; resets the interpreter result, which the lookup
 *	may have filled.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_DeriveHdlKind(Tcl_Interp *interp, const char *symbolName,
                              const char *templateName,
                              const char *templateDescription) {
  bool vhdl = Pdb_IsVhdlSymbol(interp, symbolName);
  Tcl_ResetResult(interp);
  return vhdl ? "vhdl"
              : Pdb_ChooseTemplateHdlKind(templateName, templateDescription);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_ChooseTemplateHdlKind --
 *
 *	Chooses the HDL kind of a part whose symbol is no VHDL symbol, from its
 *	template.
 *
 * Results:
 *	"none" when the graphic-model template test holds, else "kelm"
 *	(static strings).
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

const char *Pdb_ChooseTemplateHdlKind(const char *templateName,
                                      const char *templateDescription) {
  return Pdb_IsGraphicModelTemplate(templateName, templateDescription) ? "none"
                                                                       : "kelm";
}
