/*
 * part_order.h --
 *
 *	The records of a database in name order, for the image writer.
 */

#ifndef TOVPART_FILES_PART_ORDER_H
#define TOVPART_FILES_PART_ORDER_H

#include <cstddef>

#include "model/part_list.h"

class Pdb_Database;

/* Appends db's records to list in name order and marks it sorted; adds
 * their image bytes to *recordBytes. False when the list cannot grow. */
bool Pdb_CollectPartsInNameOrder(Pdb_Database *db, Pdb_PartList *list,
                                 std::size_t *recordBytes);

#endif /* TOVPART_FILES_PART_ORDER_H */
