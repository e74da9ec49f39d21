/*
 * part_limits.h --
 *
 *	The limits of a part that the ASCII reader reads back: the ones
 *	pdb:add keeps, so that every part it makes can be saved and read
 *	again.
 */

#ifndef TOVPART_EDIT_PART_LIMITS_H
#define TOVPART_EDIT_PART_LIMITS_H

/* Property names and values one part may have (32 pairs). */
enum { PDB_PROPERTY_ELEMENTS_MAX = 64 };

/* A record whose strings before the properties overflow its offsets. */
inline constexpr char PDB_MSG_PART_TOO_LONG[] =
    "Part record too long: its strings before the properties exceed 32767 "
    "bytes";

#endif /* TOVPART_EDIT_PART_LIMITS_H */
