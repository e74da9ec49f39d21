/*
 * reference_targets.h --
 *
 *	The categories a category reference designates in a group.
 */

#ifndef TOVPART_MODEL_REFERENCE_TARGETS_H
#define TOVPART_MODEL_REFERENCE_TARGETS_H

#include <vector>

class Pdb_Group;
struct Pdb_CategoryNode;

/*
 * The nodes found at ref's path, without following references, in every
 * database of the group, in the group's order. There is no limit on how
 * many databases hold one.
 */
std::vector<Pdb_CategoryNode *>
Pdb_ReferenceTargets(Pdb_Group *group, const Pdb_CategoryNode *ref);

#endif /* TOVPART_MODEL_REFERENCE_TARGETS_H */
