/*
 * part_reference_search.h --
 *
 *	The search for the listing of a part by reference in a category:
 *	which database of a group lists the part at a category path through
 *	a part reference rather than as its home. pdb:info -partref asks it,
 *	and pdb:delete uses it before it removes such a listing.
 */

#ifndef TOVPART_QUERY_PART_REFERENCE_SEARCH_H
#define TOVPART_QUERY_PART_REFERENCE_SEARCH_H

class Pdb_Database;
class Pdb_Group;
struct Pdb_CategoryNode;
struct Pdb_Part;

/* Where a part reference was found. */
struct Pdb_PartReferenceHit {
  Pdb_Database *db;       /* the database whose category lists it */
  Pdb_CategoryNode *node; /* that category */
};

/*
 * Finds the category that category names (the real path that the first
 * database holding it gives, references followed across the group), then
 * looks that path up in each database in group order (a user database
 * whose tree lacks it, and any user_build database, also through
 * references). Succeeds at the first database whose category lists part
 * by a reference and not as its home. Returns true and fills *hit, or
 * false when no database does. Throws std::bad_alloc when memory runs out
 * (the calling command's guard reports it).
 */
bool Pdb_FindPartReference(Pdb_Group *group, const Pdb_Part *part,
                           const char *category, Pdb_PartReferenceHit *hit);

#endif /* TOVPART_QUERY_PART_REFERENCE_SEARCH_H */
