/*
 * error_codes.cpp --
 *
 *	The words of the Tcl error codes that the module sets, and the handle
 *	kind of its not-an-object message and the -db value of the site
 *	database.
 */

#include "shell/conventions.h"

const char *const PDB_EC_CLASS = "PDB";
const char *const PDB_EC_BAD_CATREF = "BAD_CATREF";
const char *const PDB_EC_BAD_CAT_NAME = "BAD_CAT_NAME";
const char *const PDB_EC_BAD_PART_NAME = "BAD_PART_NAME";
const char *const PDB_EC_DUP_CATREF = "DUP_CATREF";
const char *const PDB_EC_DUP_PARTREF = "DUP_PARTREF";
const char *const PDB_EC_DUP_PART = "DUP_PART";
const char *const PDB_EC_MALLOC = "MALLOC";
const char *const PDB_EC_NOT_IN_CAT = "NOT_IN_CAT";
const char *const PDB_EC_NO_REFFED_CAT = "NO_REFFED_CAT";
const char *const PDB_EC_NO_REFFED_PART = "NO_REFFED_PART";
const char *const PDB_EC_POSIX = "POSIX";
const char *const PDB_EC_SYNTAX = "SYNTAX";

const char *const PDB_HANDLE_KIND = "zq_pdb";
const char *const PDB_SITE_ROLE = "site";
