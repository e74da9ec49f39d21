/*
 * fake_database.h --
 *
 *	A minimal concrete database for tests of what the base class and the
 *	groups do; it counts its destructions.
 */

#ifndef TOVPART_TESTS_SUPPORT_FAKE_DATABASE_H
#define TOVPART_TESTS_SUPPORT_FAKE_DATABASE_H

#include "model/database.h"

class FakeDatabase : public Pdb_Database {
public:
  FakeDatabase(FILE *file, const char *name, int *destroyed)
      : Pdb_Database(file, PDB_KIND_FILE, name), destroyed(destroyed) {}
  ~FakeDatabase() override {
    if (destroyed != nullptr) {
      (*destroyed)++;
    }
  }

  const Pdb_Part *findPartByField(int selector, const char *) override {
    return unknownSelector(selector);
  }
  const Pdb_Part *findPart(const char *) override { return nullptr; }
  void printPartsTable(FILE *) override {}
  int partCount() override { return 0; }
  Tcl_HashTable *partsTable() override { return nullptr; }

private:
  int *destroyed;
};

#endif /* TOVPART_TESTS_SUPPORT_FAKE_DATABASE_H */
