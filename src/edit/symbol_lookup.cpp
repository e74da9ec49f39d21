/*
 * symbol_lookup.cpp --
 *
 *	The VHDL symbol test and the symbol file lookup behind it.
 */

#include "edit/symbol_lookup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "host/file_names.h"
#include "host/line_reader.h"
#include "host/tov_host.h"

static const char SYMBOL_PATH_VAR[] = "ZQ_SCH_PATH";
static const char SYMBOL_SUFFIX[] = ".zq_sym";
static const char ARCHITECTURE_WORD[] = "vhdl_architecture";

static const char MSG_CANNOT_OPEN[] = "Cannot open symbol file.";
static const char MSG_CANNOT_FIND[] = "Cannot find symbol file.";
static const char MSG_CANNOT_READ[] = "Cannot read symbol file.";

static bool EndsWith(const char *name, size_t length, const char *suffix);
static FILE *OpenSymbolFile(Tcl_Interp *interp, const char *fileName);
static FILE *OpenAlongSymbolPath(Tcl_Interp *interp, const char *nativeName);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_IsVhdlSymbol --
 *
 *	The names ending in "_vhd", "_vda" or "_spice2vhd" (with at least one
 *	character before the suffix) are VHDL symbols; any other name is
 *	decided by its symbol file.
 *
 * Results:
 *	True for a VHDL symbol; false also when the lookup fails.
 *
 * Side effects:
 *	The file lookup sets or appends to the interpreter result.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_IsVhdlSymbol(Tcl_Interp *interp, const char *symbolName) {
  size_t length = strlen(symbolName);
  if (length > 4 && (EndsWith(symbolName, length, "_vhd") ||
                     EndsWith(symbolName, length, "_vda"))) {
    return true;
  }
  if (length > 10 && EndsWith(symbolName, length, "_spice2vhd")) {
    return true;
  }
  Tcl_DString fileName;
  Tcl_DStringInit(&fileName);
  Tcl_DStringAppend(&fileName, symbolName, static_cast<int>(length));
  Tcl_DStringAppend(&fileName, SYMBOL_SUFFIX, -1);
  int status = Pdb_SymbolFileLookup(interp, Tcl_DStringValue(&fileName));
  Tcl_DStringFree(&fileName);
  return status == TCL_OK && strcmp(Tcl_GetStringResult(interp), "1") == 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_SymbolFileLookup --
 *
 *	Opens the symbol file as named, else along ZQ_SCH_PATH, and reads it
 *	line by line until a line begins in its first column with
 *	"vhdl_architecture". A read error ends the scan like the end of the
 *	file.
 *
 * Results:
 *	TCL_OK with the result "1" (found) or "0"; TCL_ERROR with "Cannot
 *	open symbol file.", "Cannot find symbol file." or "Cannot read symbol
 *	file." appended to the result.
 *
 * Side effects:
 *	None besides the result.
 *
 *----------------------------------------------------------------------
 */

int Pdb_SymbolFileLookup(Tcl_Interp *interp, const char *fileName) {
  FILE *file = OpenSymbolFile(interp, fileName);
  if (file == nullptr) {
    return TCL_ERROR;
  }
  Pdb_LineBuffer line;
  if (!Pdb_LineBufferInit(&line, PDB_LINE_INITIAL_CAPACITY)) {
    fclose(file);
    Tcl_AppendResult(interp, MSG_CANNOT_READ, (char *)nullptr);
    return TCL_ERROR;
  }
  const size_t wordLength = sizeof(ARCHITECTURE_WORD) - 1;
  bool found = false;
  for (;;) {
    long length = Pdb_ReadLine(&line, file);
    if (length <= 0) {
      break;
    }
    if (Pdb_IsBlankLine(line.bytes)) {
      continue;
    }
    if (static_cast<size_t>(length) >= wordLength &&
        strncmp(line.bytes, ARCHITECTURE_WORD, wordLength) == 0) {
      found = true;
      break;
    }
  }
  Pdb_LineBufferRelease(&line);
  fclose(file);
  Tcl_SetResult(interp, const_cast<char *>(found ? "1" : "0"), TCL_STATIC);
  return TCL_OK;
}

static bool EndsWith(const char *name, size_t length, const char *suffix) {
  size_t suffixLength = strlen(suffix);
  return length >= suffixLength &&
         memcmp(name + length - suffixLength, suffix, suffixLength) == 0;
}

/*
 *----------------------------------------------------------------------
 *
 * OpenSymbolFile --
 *
 *	Opens fileName (UTF-8) for reading as given, under its name in the
 *	system encoding; when that fails and ZQ_SCH_PATH lists directories,
 *	opens the file found along them.
 *
 * Results:
 *	The open stream, or nullptr with a message appended to the result.
 *
 *----------------------------------------------------------------------
 */

static FILE *OpenSymbolFile(Tcl_Interp *interp, const char *fileName) {
  Tcl_DString native;
  const char *nativeName = Pdb_MakeNativeName(fileName, &native);
  FILE *file = fopen(nativeName, "rb");
  if (file == nullptr) {
    file = OpenAlongSymbolPath(interp, nativeName);
  }
  Tcl_DStringFree(&native);
  return file;
}

/*
 * Opens nativeName (in the system encoding) found along ZQ_SCH_PATH;
 * nullptr with a message appended to the result.
 */

static FILE *OpenAlongSymbolPath(Tcl_Interp *interp, const char *nativeName) {
  if (Tov_SpathGetNumElem(SYMBOL_PATH_VAR) <= 0) {
    Tcl_AppendResult(interp, MSG_CANNOT_OPEN, (char *)nullptr);
    return nullptr;
  }
  Tcl_DString saved;
  Tcl_DStringInit(&saved);
  Tcl_DStringGetResult(interp, &saved);
  char *path = Tov_Spath(interp, nativeName, SYMBOL_PATH_VAR, "r", 0);
  Tcl_DStringResult(interp, &saved);
  if (path == nullptr) {
    Tcl_AppendResult(interp, MSG_CANNOT_FIND, (char *)nullptr);
    return nullptr;
  }
  FILE *file = fopen(path, "rb");
  free(path);
  if (file == nullptr) {
    Tcl_AppendResult(interp, MSG_CANNOT_OPEN, (char *)nullptr);
  }
  return file;
}
