/*
 * record_rules.h --
 *
 *	The rules of records that pdb:add and the ASCII reader both keep,
 *	so that every part and reference pdb:add makes can be saved and
 *	read again: the limits of a part, and the messages that the two
 *	give for the same rule broken.
 */

#ifndef TOVPART_EDIT_RECORD_RULES_H
#define TOVPART_EDIT_RECORD_RULES_H

/* Property names and values one part may have (32 pairs). */
enum { PDB_PROPERTY_ELEMENTS_MAX = 64 };

/* A record whose strings before the properties overflow its offsets. */
inline constexpr char PDB_MSG_PART_TOO_LONG[] =
    "Part record too long: its strings before the properties exceed 32767 "
    "bytes";

inline constexpr char PDB_MSG_SYMBOL_FIELDS[] =
    "Part symbol record must have three fields";
inline constexpr char PDB_MSG_TEMPLATE_FIELDS[] =
    "Part template record must have two fields";
inline constexpr char PDB_MSG_REFERENCE_TO_ROOT[] =
    "Cannot create reference to \"/\"";
inline constexpr char PDB_MSG_CIRCULAR_REFERENCE[] =
    "Circular category reference";
inline constexpr char PDB_MSG_CATREF_EXISTS[] =
    "Category reference already exists";

#endif /* TOVPART_EDIT_RECORD_RULES_H */
