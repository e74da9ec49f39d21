/*
 * ascii_db.h --
 *
 *	A database read from an ASCII file into heap memory: it owns its part
 *	records through a hash table keyed by part name, and its tree.
 */

#ifndef TOVPART_MODEL_ASCII_DB_H
#define TOVPART_MODEL_ASCII_DB_H

#include "model/database.h"
#include "model/tree_edit.h"

class Pdb_Group;

class Pdb_AsciiDb : public Pdb_Database {
public:
  /* Part name -> Pdb_Part; owns the records. The keys point at the
   * names inside the records. */
  Tcl_HashTable parts;
  Pdb_Group *group; /* the group the database was opened into */

  /* tree is nullptr afterwards when it could not be allocated. */
  Pdb_AsciiDb(Pdb_Group *group, FILE *file, int kind, const char *name);

  /* Frees the tree and every part record; allocates nothing. */
  ~Pdb_AsciiDb() override;

  Pdb_TreeEdit *treeEdit() override { return &edit; }
  const Pdb_TreeEdit *treeEdit() const override { return &edit; }

  const Pdb_Part *findPartByField(int selector, const char *value) override;
  const Pdb_Part *findPart(const char *partName) override;
  void printPartsTable(FILE *out) override;
  int partCount() override;
  Tcl_HashTable *partsTable() override { return &parts; }

  /* Enters a new record under its name; false when the name is taken. */
  bool addPart(Pdb_Part *part);

  /* True when part is one of this database's own records. */
  bool owns(const Pdb_Part *part);

private:
  Pdb_TreeEdit edit;
};

#endif /* TOVPART_MODEL_ASCII_DB_H */
