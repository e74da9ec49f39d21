/*
 * model_fixture.h --
 *
 *	Helpers for model tests: a group holding ASCII databases that tests
 *	fill category by category and part by part.
 */

#ifndef TOVPART_TESTS_MODEL_FIXTURE_H
#define TOVPART_TESTS_MODEL_FIXTURE_H

#include <cstdlib>
#include <string>
#include <tcl.h>

#include "model/ascii_db.h"
#include "model/group.h"

/* A part with the given name and otherwise fixed fields. */
inline Pdb_Part *makePart(const char *name) {
  const char *pairs[] = {"value", "1k"};
  return Pdb_Part::create(name, "sym", "tmpl", "lib", "desc", "none", 1, pairs);
}

/* A group with its own interpreter for messages; owns its databases. */
class ModelGroup {
public:
  ModelGroup() : interp(Tcl_CreateInterp()), group(new Pdb_Group("test")) {}
  ~ModelGroup() {
    delete group;
    Tcl_DeleteInterp(interp);
  }

  Pdb_AsciiDb *addDb(const char *handle, int kind = PDB_KIND_USER) {
    auto *db = new Pdb_AsciiDb(group, nullptr, kind, handle);
    group->addDatabase(handle, db);
    return db;
  }

  /* The node of path, created with empty help texts. */
  Pdb_CategoryNode *category(Pdb_AsciiDb *db, const char *path) {
    return db->treeEdit()->ensurePath(interp, group, path, "");
  }

  /* A new part homed in the category at path. */
  Pdb_Part *part(Pdb_AsciiDb *db, const char *path, const char *name) {
    Pdb_Part *p = makePart(name);
    db->addPart(p);
    db->treeEdit()->addEntry(category(db, path),
                             reinterpret_cast<Pdb_PartEntry *>(p));
    return p;
  }

  /* A part reference to entry in the category at path. */
  void partRef(Pdb_AsciiDb *db, const char *path, const Pdb_Part *target) {
    db->treeEdit()->addEntry(
        category(db, path),
        reinterpret_cast<Pdb_PartEntry *>(Pdb_PartRef::create(
            reinterpret_cast<const Pdb_PartEntry *>(target))));
  }

  /* A category reference under path to the node at target in from. */
  void catRef(Pdb_AsciiDb *db, const char *path, Pdb_AsciiDb *from,
              const char *target) {
    db->treeEdit()->createReference(
        category(db, path), from->lookupPath(group, PDB_REFS_IGNORE, target));
  }

  std::string result() const { return Tcl_GetStringResult(interp); }

  Tcl_Interp *interp;
  Pdb_Group *group;
};

/* The path of a chain of levels categories named d: "/d/d/.../". */
inline std::string DeepPath(int levels) {
  std::string path = "/";
  for (int i = 0; i < levels; i++) {
    path += "d/";
  }
  return path;
}

/* nodePath as a std::string. */
inline std::string pathOf(const Pdb_CategoryNode *node) {
  char *path = node->nodePath();
  std::string copy(path);
  std::free(path);
  return copy;
}

#endif /* TOVPART_TESTS_MODEL_FIXTURE_H */
