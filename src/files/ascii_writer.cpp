/*
 * ascii_writer.cpp --
 *
 *	The ASCII writer: the two pre-order passes over a category tree and
 *	the text of each record line. Every record stays on one line, also
 *	when a name or help text holds a line break.
 */

#include "files/ascii_writer.h"

#include <cstdlib>
#include <initializer_list>

#include "files/line_element.h"
#include "model/category_tree.h"
#include "model/part.h"
#include "model/part_list.h"

static const char KEYWORD_CATEGORY[] = "[category]";

enum { PASS_PARTS = 1, PASS_REFERENCES = 2 };

static void WriteCategory(const Pdb_CategoryNode *node, int pass, FILE *stream,
                          Tcl_DString *line);
static void AppendPartText(const Pdb_Part *part, Tcl_DString *line);
static void WriteLine(const char *keyword, Tcl_DString *line, FILE *stream);

/*
 * Pdb_WriteAsciiTree --
 *
 *	Runs the two passes. Each visits the nodes in pre-order (a node,
 *	then its children in chain order, then its following siblings),
 *	iteratively along the parent links; category references get no line
 *	of their own.
 *
 * Results:
 *	False when the stream's error indicator is set afterwards.
 *
 * Side effects:
 *	Writes to stream.
 */
bool Pdb_WriteAsciiTree(const Pdb_CategoryTree *tree, FILE *stream) {
  const Pdb_CategoryNode *root = tree->rootNode();
  Tcl_DString line;
  Tcl_DStringInit(&line);
  for (int pass : {PASS_PARTS, PASS_REFERENCES}) {
    const Pdb_CategoryNode *node = root;
    while (node != nullptr) {
      if (!node->isReference()) {
        WriteCategory(node, pass, stream, &line);
      }
      if (node->child() != nullptr) {
        node = node->child();
        continue;
      }
      while (node != nullptr && node != root && node->sibling() == nullptr) {
        node = node->parentNode();
      }
      node = (node == nullptr || node == root) ? nullptr : node->sibling();
    }
  }
  Tcl_DStringFree(&line);
  return ferror(stream) == 0;
}

/*
 * WriteCategory --
 *
 *	Writes the category line of a real node, then its entries of this
 *	pass: the parts homed in it (pass 1), or its part references and
 *	then its category references (pass 2).
 */
static void WriteCategory(const Pdb_CategoryNode *node, int pass, FILE *stream,
                          Tcl_DString *line) {
  const Pdb_Category *category = node->body();
  char *path = node->nodePath();
  const char *help = category->helpText();
  Tcl_DStringSetLength(line, 0);
  if (help[0] == '\0') {
    Pdb_AppendLineElement(line, path);
    WriteLine("[category] ", line, stream);
  } else {
    Pdb_AppendLineElement(line, KEYWORD_CATEGORY);
    Pdb_AppendLineElement(line, path);
    Pdb_AppendLineElement(line, help);
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
    Tcl_DStringSetLength(line, 0);
    if (pass == PASS_PARTS) {
      AppendPartText(reinterpret_cast<const Pdb_Part *>(entry), line);
      WriteLine("[part] ", line, stream);
    } else {
      Pdb_AppendLineElement(line, Pdb_EntryName(entry));
      WriteLine("[part=] ", line, stream);
    }
  }
  if (pass == PASS_REFERENCES) {
    for (const Pdb_CategoryNode *child = node->child(); child != nullptr;
         child = child->sibling()) {
      if (child->isReference()) {
        Tcl_DStringSetLength(line, 0);
        Pdb_AppendLineElement(line, child->refPath());
        WriteLine("[category=] ", line, stream);
      }
    }
  }
}

/*
 * AppendPartText --
 *
 *	The whole-part text form, name {symbol library {pairs}} {template
 *	description} hdl, with single-line element quoting at every level.
 */
static void AppendPartText(const Pdb_Part *part, Tcl_DString *line) {
  Pdb_AppendLineElement(line, part->name());
  Tcl_DStringStartSublist(line);
  Pdb_AppendLineElement(line, part->symbolName());
  Pdb_AppendLineElement(line, part->symbolLibrary());
  Tcl_DStringStartSublist(line);
  for (int i = 0; i < part->pairCount; i++) {
    const char *propertyName;
    const char *propertyValue;
    part->pair(i, &propertyName, &propertyValue);
    Pdb_AppendLineElement(line, propertyName);
    Pdb_AppendLineElement(line, propertyValue);
  }
  Tcl_DStringEndSublist(line);
  Tcl_DStringEndSublist(line);
  Tcl_DStringStartSublist(line);
  Pdb_AppendLineElement(line, part->templateName());
  Pdb_AppendLineElement(line, part->templateDescription());
  Tcl_DStringEndSublist(line);
  Pdb_AppendLineElement(line, part->hdl());
}

/* Writes keyword (when given), the line text and a newline. */
static void WriteLine(const char *keyword, Tcl_DString *line, FILE *stream) {
  if (keyword != nullptr) {
    fputs(keyword, stream);
  }
  Tcl_DStringAppend(line, "\n", 1);
  fwrite(Tcl_DStringValue(line), 1, Tcl_DStringLength(line), stream);
}
