/*
 * database.h --
 *
 *	The abstract database: the fields every open database shares, its
 *	virtual operations, closing of its file and shared destruction.
 */

#ifndef TOVPART_MODEL_DATABASE_H
#define TOVPART_MODEL_DATABASE_H

#include <cstdint>
#include <cstdio>
#include <tcl.h>

#include "model/category_tree.h"
#include "model/part.h"

class Pdb_Group;
class Pdb_TreeEdit;

/* The kind of a database, set by pdb:open. */
enum Pdb_DbKind : int32_t {
  PDB_KIND_USER_BUILD = 0,
  PDB_KIND_USER = 1,
  PDB_KIND_SITE = 2,
  PDB_KIND_VELTRUM = 3,
  PDB_KIND_FILE = 4
};

/* "user_build", "user", ...; another value gives the pdb:info text. */
const char *Pdb_GetDbKindName(int kind);

class Pdb_Database {
public:
  FILE *file;             /* open database file; nullptr once closed */
  Tcl_DString name;       /* file name given at construction */
  int32_t kind;           /* a Pdb_DbKind */
  bool read;              /* pdb:read has read the database */
  int32_t version;        /* format version found by pdb:read */
  Pdb_CategoryTree *tree; /* heap tree, or inside the mapped image */
  int32_t binary;         /* 1 for a binary image, 0 for ASCII */
  Tcl_DString path;       /* the file to write: name made absolute */

  Pdb_Database(FILE *file, int kind, const char *name);
  virtual ~Pdb_Database();
  Pdb_Database(const Pdb_Database &) = delete;
  Pdb_Database &operator=(const Pdb_Database &) = delete;

  /* The first part whose symbol (4) or template (5) name equals value. */
  virtual const Pdb_Part *findPartByField(int selector, const char *value) = 0;
  virtual const Pdb_Part *findPart(const char *partName) = 0;
  virtual void printPartsTable(FILE *out) = 0;
  virtual int partCount() = 0;
  /* Part name to Pdb_Part, or nullptr for a database without one. */
  virtual Tcl_HashTable *partsTable() = 0;

  /*
   * The editor of the tree, through which every change to it goes;
   * nullptr for a database that cannot be changed (a mapped image).
   */
  virtual Pdb_TreeEdit *treeEdit() { return nullptr; }
  virtual const Pdb_TreeEdit *treeEdit() const { return nullptr; }

  /*
   * The node of path in this database's tree, following category
   * references as mode says (PDB_REFS_IGNORE, PDB_REFS_SAME_TREE, or
   * PDB_REFS_GROUP through the databases of group); nullptr when absent.
   */
  Pdb_CategoryNode *lookupPath(Pdb_Group *group, int mode,
                               const char *path) const;

  /* Closes the file, reporting a failure on standard error. */
  void closeFile();

  const char *fileName() { return Tcl_DStringValue(&name); }

  /*
   * The file the database is written back to: its name as it was made
   * absolute when the database was opened (the name itself until then),
   * so that a change of directory does not move it.
   */
  const char *filePath() { return Tcl_DStringValue(&path); }
  void setFilePath(const char *absolute);

protected:
  /* Writes the "unkown type" line of findPartByField; returns nullptr. */
  static const Pdb_Part *unknownSelector(int selector);
};

#endif /* TOVPART_MODEL_DATABASE_H */
