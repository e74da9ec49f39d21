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

bool Pdb_GraphicModelTemplateTest(const char *templateName,
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
  if (vhdl) {
    return "vhdl";
  }
  return Pdb_GraphicModelTemplateTest(templateName, templateDescription)
             ? "none"
             : "kelm";
}
