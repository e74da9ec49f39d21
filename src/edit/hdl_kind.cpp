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
 * Pdb_IsHdlKind --
 *
 * Results:
 *	True for "kelm", "vhdl" and "none", the kinds a file keeps when it
 *	is read back.
 */

bool Pdb_IsHdlKind(const char *hdl) {
  for (const char *kind : HDL_KINDS) {
    if (std::strcmp(hdl, kind) == 0) {
      return true;
    }
  }
  return false;
}

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

const char *Pdb_DeriveHdlKind(Tcl_Interp *interp, const char *symbolName,
                              const char *templateName,
                              const char *templateDescription) {
  bool vhdl = Pdb_IsVhdlSymbol(interp, symbolName);
  Tcl_ResetResult(interp);
  return vhdl ? "vhdl"
              : Pdb_ChooseTemplateHdlKind(templateName, templateDescription);
}

/*
 * Pdb_ChooseTemplateHdlKind --
 *
 * Results:
 *	"none" when the graphic-model template test holds, else "kelm".
 */

const char *Pdb_ChooseTemplateHdlKind(const char *templateName,
                                      const char *templateDescription) {
  return Pdb_IsGraphicModelTemplate(templateName, templateDescription) ? "none"
                                                                       : "kelm";
}
