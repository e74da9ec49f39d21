/*
 * binary_db.h --
 *
 *	A database whose binary image is mapped read-only into the address
 *	window: its sorted part list and its tree are used in place.
 */

#ifndef TOVPART_MODEL_BINARY_DB_H
#define TOVPART_MODEL_BINARY_DB_H

#include <cstdint>
#include <memory>

#include "model/database.h"
#include "model/name_index.h"

class Pdb_BinaryDb : public Pdb_Database {
public:
  Pdb_PartList *partList; /* all parts, sorted; all one bits until mapped */
  const void *mapBase;    /* the view; all one bits while nothing is mapped */
  uint32_t mapSize;       /* bytes mapped (the file size) */

  Pdb_BinaryDb(FILE *file, int kind, const char *name);
  ~Pdb_BinaryDb() override;

  const Pdb_Part *findPartByField(int selector, const char *value) override;
  const Pdb_Part *findPart(const char *partName) override;
  void printPartsTable(FILE *out) override;
  int partCount() override;
  Tcl_HashTable *partsTable() override { return nullptr; }

  bool isMapped() const;

  /* The "nothing here yet" value of partList and mapBase. */
  static void *unset() { return reinterpret_cast<void *>(~uintptr_t(0)); }

private:
  std::unique_ptr<Pdb_NameIndex> nameIndex; /* of a large partList */
  int lookups = 0; /* findPart calls, counted until the index is made */
};

#endif /* TOVPART_MODEL_BINARY_DB_H */
