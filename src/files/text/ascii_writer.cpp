/*
 * ascii_writer.cpp --
 *
 *	The ASCII writer: the two pre-order passes over a category tree and
 *	the text of each record line. Every record stays on one line, also
 *	when a name or help text holds a line break.
 */

#include "files/text/ascii_writer.h"

#include <cerrno>
#include <cstdlib>
#include <initializer_list>

#include "model/category_tree.h"
#include "model/list_text.h"
#include "model/part.h"
#include "model/part_list.h"
#include "model/tree_walk.h"

static const char KEYWORD_CATEGORY[] = "[category]";
static const char MSG_CANNOT_OPEN[] = "Cannot open file \"";
static const char MSG_FOR_WRITING[] = "\" for writing: ";
const char PDB_MSG_CANNOT_WRITE_DB[] = "Could not write parts database \"";

enum { PASS_PARTS = 1, PASS_REFERENCES = 2 };

static void WriteCategory(const Pdb_CategoryNode *node, int pass, FILE *stream,
                          Tcl_DString *line);
static void WriteLine(const char *keyword, Tcl_DString *line, FILE *stream);
static void ReportWriteFailure(Tcl_Interp *interp, const char *text,
                               const char *fileName, const char *middle);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WriteAsciiTree --
 *
 *	Runs the two passes. Each visits the nodes in pre-order (a node,
 *	then its children in chain order) with the shared iterative walker;
 *	category references get no line of their own.
 *
 * Results:
 *	False when the stream's error indicator is set afterwards.
 *
 * Side effects:
 *	Writes to stream.
 *
 *----------------------------------------------------------------------
 */

bool Pdb_WriteAsciiTree(const Pdb_CategoryTree *tree, FILE *stream) {
  Tcl_DString line;
  Tcl_DStringInit(&line);
  for (int pass : {PASS_PARTS, PASS_REFERENCES}) {
    Pdb_WalkPreOrder(tree->rootNode(), Pdb_WalkScope::SUBTREE,
                     [&](Pdb_CategoryNode *node, int) {
                       if (!node->isReference()) {
                         WriteCategory(node, pass, stream, &line);
                       }
                       return true;
                     });
  }
  Tcl_DStringFree(&line);
  return ferror(stream) == 0;
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_WriteAsciiFile --
 *
 *	Opens a replace-on-close handle for path and writes both passes of
 *	tree to it, flushed.
 *
 * Results:
 *	The handle, or nullptr with a message (see ascii_writer.h).
 *
 * Side effects:
 *	Creates the handle's temporary file beside path; drops it again on
 *	failure.
 *
 *----------------------------------------------------------------------
 */

Tov_RobustFile *Pdb_WriteAsciiFile(Tcl_Interp *interp,
                                   const Pdb_CategoryTree *tree,
                                   const char *path, const char *fileName) {
  Tov_RobustFile *handle = Tov_RobustFopenForWrite(nullptr, path);
  if (handle == nullptr) {
    ReportWriteFailure(interp, MSG_CANNOT_OPEN, fileName, MSG_FOR_WRITING);
    return nullptr;
  }
  FILE *stream = Tov_GetFilePtr(handle);
  if ((tree != nullptr && !Pdb_WriteAsciiTree(tree, stream)) ||
      fflush(stream) != 0) {
    Tov_RobustFabandonForWrite(handle);
    ReportWriteFailure(interp, PDB_MSG_CANNOT_WRITE_DB, fileName, "\": ");
    return nullptr;
  }
  return handle;
}

/* Resets the result to text "name" middle and the writer's reason. */
static void ReportWriteFailure(Tcl_Interp *interp, const char *text,
                               const char *fileName, const char *middle) {
  int error = errno;
  Tcl_ResetResult(interp);
  errno = error;
  const char *reason = Tov_RobustFailureText(interp);
  Tcl_AppendResult(interp, text, fileName, middle, reason, (char *)nullptr);
}

/*
 *----------------------------------------------------------------------
 *
 * WriteCategory --
 *
 *	Writes the category line of a real node, then its entries of this
 *	pass: the parts homed in it (pass 1), or its part references and
 *	then its category references (pass 2).
 *
 *----------------------------------------------------------------------
 */

static void WriteCategory(const Pdb_CategoryNode *node, int pass, FILE *stream,
                          Tcl_DString *line) {
  const Pdb_Category *category = node->body();
  char *path = node->nodePath();
  const char *help = category->helpText();
  Tcl_DStringSetLength(line, 0);
  if (help[0] == '\0') {
    Pdb_AppendElement(line, path, PDB_QUOTE_ONE_LINE);
    WriteLine("[category] ", line, stream);
  } else {
    Pdb_AppendElement(line, KEYWORD_CATEGORY, PDB_QUOTE_ONE_LINE);
    Pdb_AppendElement(line, path, PDB_QUOTE_ONE_LINE);
    Pdb_AppendElement(line, help, PDB_QUOTE_ONE_LINE);
    WriteLine(nullptr, line, stream);
  }
  free(path);

  const Pdb_PartList *list = category->partList();
  int wanted = pass == PASS_PARTS ? PDB_ENTRY_PART : PDB_ENTRY_REFERENCE;
  for (int i = 0; i < list->count; i++) {
    const Pdb_PartEntry *entry = list->entry(i);
    if (entry == nullptr || entry->kind != wanted) {
      continue;
    }
    if (pass == PASS_PARTS) {
      Tcl_DString text;
      Pdb_FormatPartText(reinterpret_cast<const Pdb_Part *>(entry),
                         PDB_FIELD_WHOLE, &text, PDB_QUOTE_ONE_LINE);
      WriteLine("[part] ", &text, stream);
      Tcl_DStringFree(&text);
    } else {
      Tcl_DStringSetLength(line, 0);
      Pdb_AppendElement(line, Pdb_GetEntryName(entry), PDB_QUOTE_ONE_LINE);
      WriteLine("[part=] ", line, stream);
    }
  }
  if (pass == PASS_REFERENCES) {
    for (const Pdb_CategoryNode *child = node->child(); child != nullptr;
         child = child->sibling()) {
      if (child->isReference()) {
        Tcl_DStringSetLength(line, 0);
        Pdb_AppendElement(line, child->refPath(), PDB_QUOTE_ONE_LINE);
        WriteLine("[category=] ", line, stream);
      }
    }
  }
}

/* Writes keyword (when given), the line text and a newline. */
static void WriteLine(const char *keyword, Tcl_DString *line, FILE *stream) {
  if (keyword != nullptr) {
    fputs(keyword, stream);
  }
  Tcl_DStringAppend(line, "\n", 1);
  fwrite(Tcl_DStringValue(line), 1, Tcl_DStringLength(line), stream);
}
