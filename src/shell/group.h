/*
 * group.h --
 *
 *	Groups of open databases and the registry that holds them. A group
 *	maps database handles ("zq_pdb%u") to databases and carries the lists
 *	of entries hidden from searches in that group.
 */

#ifndef TOVPART_SHELL_GROUP_H
#define TOVPART_SHELL_GROUP_H

#include <cstdint>
#include <tcl.h>

class Pdb_Database;

struct Pdb_HiddenLists {
  unsigned char filter;     /* while 0 nothing counts as hidden */
  Tcl_HashTable parts;      /* one-word keys: hidden Pdb_Part addresses */
  Tcl_HashTable categories; /* string keys: hidden category paths */
};

enum { PDB_GROUP_NAME_MAX = 24 };

class Pdb_Group {
public:
  Tcl_HashTable databases; /* handle -> Pdb_Database; owns them */
  Pdb_HiddenLists *hidden; /* owned */
  char name[PDB_GROUP_NAME_MAX + 1];

  /* A nullptr name takes "group%d" from the registry's counter. */
  explicit Pdb_Group(const char *givenName);
  ~Pdb_Group();
  Pdb_Group(const Pdb_Group &) = delete;
  Pdb_Group &operator=(const Pdb_Group &) = delete;

  /* Destroys every database and hidden entry; keeps the name. */
  void reset();

  /* Enters db under handle; a different database there is destroyed. */
  void addDatabase(const char *handle, Pdb_Database *db);

  /* The database entered under handle, or nullptr. */
  Pdb_Database *findDatabase(const char *handle);

  /*
   * Calls visit(handle, db) for each database in table order until visit
   * returns true; returns that database, or nullptr.
   */
  template <typename Visit> Pdb_Database *findFirst(Visit visit) {
    Tcl_HashSearch search;
    for (Tcl_HashEntry *e = Tcl_FirstHashEntry(&databases, &search);
         e != nullptr; e = Tcl_NextHashEntry(&search)) {
      Pdb_Database *db = static_cast<Pdb_Database *>(Tcl_GetHashValue(e));
      if (visit(static_cast<const char *>(Tcl_GetHashKey(&databases, e)), db)) {
        return db;
      }
    }
    return nullptr;
  }

private:
  void construct(const char *givenName);
  void destroy();
};

struct Pdb_GroupRegistry {
  Tcl_HashTable groups;   /* group name -> Pdb_Group; owns them */
  Pdb_Group *current;     /* a group of the table; nullptr after exit */
  int nameCounter;        /* next "group%d" number */
  uint32_t handleCounter; /* next "zq_pdb%u" number */
};

extern Pdb_GroupRegistry pdbRegistry;

/*
 * Starts the registry afresh with a new default group, made current.
 * Groups left from an earlier start are destroyed first.
 */
void Pdb_InitRegistry();

/*
 * Destroys every group and leaves the registry empty with no current
 * group; commands still registered elsewhere then find no group.
 */
void Pdb_ClearRegistry();

/* Creates a group (nameless: "group%d") and enters it into the registry. */
Pdb_Group *Pdb_NewGroup();

/* The group of that name, or nullptr with the unknown-group message. */
Pdb_Group *Pdb_FindGroup(Tcl_Interp *interp, const char *name);

/*
 * nullptr name: the current group (nullptr with a message when the
 * registry has none); otherwise as Pdb_FindGroup.
 */
Pdb_Group *Pdb_ResolveGroup(Tcl_Interp *interp, const char *name);

/*
 * Formats the next handle into buffer (at least 24 bytes). The counter is
 * not advanced; pdb:open advances it once the database is entered.
 */
void Pdb_FormatNextHandle(char *buffer);

#endif /* TOVPART_SHELL_GROUP_H */
