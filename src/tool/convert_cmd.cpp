/*
 * convert_cmd.cpp --
 *
 *	pdbtool convert: a text database to a binary image, as pdb:read and
 *	pdb:write do, or a binary image to text, written exactly as pdb:save
 *	writes it, so that text -> image -> text gives back a saved file.
 */

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "files/image/image_writer.h"
#include "files/text/ascii_writer.h"
#include "host/tov_host.h"
#include "model/database.h"
#include "model/group.h"
#include "tool/tool.h"

static const char WITH_OPTION[] = "--with";
static const char UPDATE_OPTION[] = "--update";

static const char CONVERT_HELP[] =
    "usage: pdbtool convert [--update] [--with DB]... IN OUT\n"
    "\n"
    "Converts IN by its form, which its first byte tells as pdb:open does:\n"
    "  a text database is read as pdb:read reads it and written to OUT as a\n"
    "    binary image, as pdb:write -binary writes it;\n"
    "  a binary image is verified as a whole and written to OUT as text,\n"
    "    exactly as pdb:save writes it (without a backup).\n"
    "A saved text file converted to an image and back is the same file.\n"
    "\n"
    "OUT is replaced only once the new content is complete; on failure it\n"
    "is left as it was.\n"
    "\n"
    "  --update   derive the HDL kinds of a format-version-1 text file, as\n"
    "             pdb:read -update does (they are \"kelm\" otherwise)\n"
    "  --with DB  open DB first, as another database of the group, so that\n"
    "             IN's references may designate its parts and categories;\n"
    "             the image then carries copies of the parts they list\n"
    "\n"
    "Exit status: 0 when OUT was written; 1 when IN is bad or a file cannot\n"
    "be read or written (a message on standard error); 2 for wrong usage.\n";

static int WriteImage(Tcl_Interp *interp, Pdb_Database *db,
                      const char *outName);
static int WriteText(Tcl_Interp *interp, Pdb_Database *db, const char *outName);

/*
 *----------------------------------------------------------------------
 *
 * RunConvert --
 *
 *	pdbtool convert [--update] [--with DB]... IN OUT
 *
 * Results:
 *	An exit status.
 *
 * Side effects:
 *	Writes OUT.
 *
 *----------------------------------------------------------------------
 */

static int RunConvert(Tcl_Interp *interp, int argc, char **argv) {
  std::vector<const char *> withFiles;
  std::vector<const char *> files;
  Pdb_ToolReadOptions options;
  const Pdb_ToolOption table[] = {
      {WITH_OPTION, nullptr, &withFiles, nullptr},
      {UPDATE_OPTION, &options.update, nullptr, nullptr},
      {nullptr, nullptr, nullptr, nullptr}};
  if (Pdb_ToolParseOptions(pdbConvertCommand, argc, argv, table, &files) !=
      PDB_TOOL_OK) {
    return PDB_TOOL_USAGE;
  }
  if (files.size() != 2) {
    return Pdb_ToolUsageError(pdbConvertCommand,
                              "needs exactly two files, IN and OUT");
  }
  Pdb_Group *group = Pdb_ToolNewGroup("convert");
  Pdb_Database *db =
      Pdb_ToolOpenWith(interp, group, withFiles, files[0], options);
  int status = db == nullptr ? TCL_ERROR
               : db->binary  ? WriteText(interp, db, files[1])
                             : WriteImage(interp, db, files[1]);
  Pdb_ToolEndGroup(group, true);
  if (status != TCL_OK) {
    Pdb_ToolReportResult(interp);
    return PDB_TOOL_BAD;
  }
  return PDB_TOOL_OK;
}

/*
 *----------------------------------------------------------------------
 *
 * WriteImage --
 *
 *	Lays out the image of a read text database and writes it to outName,
 *	as pdb:write -binary does.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 *----------------------------------------------------------------------
 */

static int WriteImage(Tcl_Interp *interp, Pdb_Database *db,
                      const char *outName) {
  return Pdb_WriteDatabaseImage(interp, db, outName);
}

/*
 *----------------------------------------------------------------------
 *
 * WriteText --
 *
 *	Writes the tree of a verified image to outName in the text form,
 *	through a replace-on-close handle as pdb:save does.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR with a message.
 *
 *----------------------------------------------------------------------
 */

static int WriteText(Tcl_Interp *interp, Pdb_Database *db,
                     const char *outName) {
  Tov_RobustFile *handle =
      Pdb_WriteAsciiFile(interp, db->tree, outName, outName);
  if (handle == nullptr) {
    return TCL_ERROR;
  }
  if (Tov_RobustFcloseForWrite(nullptr, handle) != 0) {
    int error = errno;
    Tcl_ResetResult(interp);
    errno = error;
    Tcl_AppendResult(interp, PDB_MSG_CANNOT_WRITE_DB, outName,
                     "\": ", Tov_RobustFailureText(interp), (char *)nullptr);
    return TCL_ERROR;
  }
  return TCL_OK;
}

const Pdb_ToolCommand pdbConvertCommand = {
    "convert", "text database to binary image, or image back to text",
    CONVERT_HELP, RunConvert};
