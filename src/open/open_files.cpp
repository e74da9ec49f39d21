/*
 * open_files.cpp --
 *
 *	Where each kind of database lives and how its file is opened: the
 *	user database (created when missing), the site database along
 *	ZQ_SITE_PATH (created when missing with -db site), the library
 *	databases below DRAVO_HOME and named files. An existing file is never
 *	truncated. Names are kept in UTF-8, as Tcl gives them (names found in
 *	the environment are converted), and each is opened under its form in
 *	the system encoding.
 */

#include "open/open_files.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

#include "host/file_names.h"
#include "model/group_queries.h"
#include "shell/conventions.h"

static const char MODE_READ[] = "rb";
static const char MODE_UPDATE[] = "rb+";

static const char USER_VAR[] = "ZQ_PDB_USER";
static const char USER_DEFAULT[] = "~/.tovpart_user";
static const char SITE_VAR[] = "ZQ_SITE_PATH";
static const char SITE_FILE[] = "tovpart.site";
static const char LIBRARY_VAR[] = "DRAVO_HOME";

static const char MSG_EXPAND_USER[] = "Cannot expand user parts database";
static const char MSG_USER_OPEN[] = "User parts database already open";
static const char MSG_SITE_NOT_FOUND[] =
    "Site parts database \"tovpart.site\" not found on ZQ_SITE_PATH or read "
    "permission denied: ";
static const char MSG_SITE_OPEN[] = "Site parts database already open";
static const char MSG_SITE_CANNOT_OPEN[] = "Cannot open site parts database";
static const char MSG_LIBRARY_NOT_FOUND[] = "Veltrum parts database not found";
static const char MSG_LIBRARY_OPEN[] = "Veltrum parts database already open";
static const char MSG_LIBRARY_CANNOT_OPEN[] =
    "Cannot open veltrum parts database";
static const char MSG_EXPAND_NAME[] = "Cannot expand filename";
static const char MSG_NAMED_OPEN[] = "Parts database already open";
static const char MSG_NAMED_CANNOT_OPEN[] = "Cannot open parts database";

/* The messages of a database that is created when it is missing. */
struct CreateTexts {
  const char *create;
  const char *close;
  const char *open;
};

static const CreateTexts USER_TEXTS = {"Cannot create user parts database",
                                       "Cannot close new user parts database",
                                       "Cannot open new user parts database"};
static const CreateTexts SITE_TEXTS = {"Cannot create site parts database",
                                       "Cannot close new site parts database",
                                       "Cannot open new site parts database"};

/* The user database name, worked out at the first open of the process. */
static Tcl_DString userDatabaseName;
static bool userDatabaseNameKnown = false;

static FILE *OpenOrCreate(Tcl_Interp *interp, const CreateTexts &texts,
                          Tcl_DString *name);
static FILE *OpenForReading(Tcl_Interp *interp, const char *text,
                            Tcl_DString *name);
static bool TranslateName(Tcl_Interp *interp, const char *given,
                          Tcl_DString *name);
static void AppendSystemName(Tcl_DString *name, const char *nativeName);
static FILE *OpenNative(const char *name, const char *mode);

/*
 *----------------------------------------------------------------------
 *
 * Pdb_OpenUserFile --
 *
 *	Opens the user database: the file ZQ_PDB_USER names, or
 *	"~/.tovpart_user" when that is not set, as the process first saw it;
 *	opened for update, and created empty when it does not exist.
 *
 * Results:
 *	The stream with the database's name in *name (initialised here); or
 *	nullptr with the open-failure message in the result and *name freed,
 *	also when the file is already open in group.
 *
 * Side effects:
 *	Remembers the user database's name for the rest of the process; may
 *	create the file.
 *
 *----------------------------------------------------------------------
 */

FILE *Pdb_OpenUserFile(Tcl_Interp *interp, Pdb_Group *group,
                       Tcl_DString *name) {
  if (!userDatabaseNameKnown) {
    const char *value = getenv(USER_VAR);
    Tcl_DStringInit(&userDatabaseName);
    AppendSystemName(&userDatabaseName,
                     value != nullptr ? value : USER_DEFAULT);
    userDatabaseNameKnown = true;
  }
  const char *given = Tcl_DStringValue(&userDatabaseName);
  if (!TranslateName(interp, given, name)) {
    Pdb_OpenFailure(interp, MSG_EXPAND_USER, given, nullptr, name);
    return nullptr;
  }
  if (Pdb_IsFileOpen(group, Tcl_DStringValue(name))) {
    Pdb_OpenFailure(interp, MSG_USER_OPEN, Tcl_DStringValue(name), nullptr,
                    name);
    return nullptr;
  }
  return OpenOrCreate(interp, USER_TEXTS, name);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_OpenSiteFile --
 *
 *	Opens the site database: "tovpart.site" found along ZQ_SITE_PATH, or,
 *	when it is not found and -db was given, the whole value of
 *	ZQ_SITE_PATH followed by "/tovpart.site". With -db site it is opened
 *	for update and created when missing, else for reading.
 *
 * Results:
 *	The stream with the database's name in *name (initialised here); or
 *	nullptr with the open-failure message in the result and *name freed.
 *
 * Side effects:
 *	May create the file.
 *
 *----------------------------------------------------------------------
 */

FILE *Pdb_OpenSiteFile(Tcl_Interp *interp, Pdb_Group *group,
                       const char *dbOption, Tcl_DString *name) {
  Tcl_DStringInit(name);
  char *found = Tov_Spath(interp, SITE_FILE, SITE_VAR, "r", 0);
  const char *sitePath = getenv(SITE_VAR);
  if (found != nullptr) {
    AppendSystemName(name, found);
    free(found);
  } else if (dbOption != nullptr && sitePath != nullptr) {
    AppendSystemName(name, sitePath);
    Tcl_DStringAppend(name, "/", 1);
    Tcl_DStringAppend(name, SITE_FILE, -1);
  } else {
    Tcl_DString text;
    Tcl_DStringInit(&text);
    Tcl_DStringAppend(&text, MSG_SITE_NOT_FOUND, -1);
    Tcl_DStringAppend(&text, Tcl_GetStringResult(interp), -1);
    Pdb_OpenFailure(interp, Tcl_DStringValue(&text), nullptr, nullptr, name);
    Tcl_DStringFree(&text);
    return nullptr;
  }
  Tcl_ResetResult(interp);
  if (Pdb_IsFileOpen(group, Tcl_DStringValue(name))) {
    Pdb_OpenFailure(interp, MSG_SITE_OPEN, Tcl_DStringValue(name), nullptr,
                    name);
    return nullptr;
  }
  if (Pdb_StrEqualNullable(dbOption, PDB_SITE_ROLE)) {
    return OpenOrCreate(interp, SITE_TEXTS, name);
  }
  return OpenForReading(interp, MSG_SITE_CANNOT_OPEN, name);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_OpenLibraryFile --
 *
 *	Opens a library database: libraryFile found below DRAVO_HOME, only
 *	ever for reading.
 *
 * Results:
 *	The stream with the database's name in *name (initialised here); or
 *	nullptr with the open-failure message in the result and *name freed.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

FILE *Pdb_OpenLibraryFile(Tcl_Interp *interp, Pdb_Group *group,
                          const char *libraryFile, Tcl_DString *name) {
  Tcl_DStringInit(name);
  char *found = Tov_Spath(interp, libraryFile, LIBRARY_VAR, "r", 2);
  if (found == nullptr) {
    Tcl_DStringAppend(name, "$DRAVO_HOME/", -1);
    Tcl_DStringAppend(name, libraryFile, -1);
    Pdb_OpenFailure(interp, MSG_LIBRARY_NOT_FOUND, Tcl_DStringValue(name),
                    nullptr, name);
    return nullptr;
  }
  AppendSystemName(name, found);
  free(found);
  Tcl_ResetResult(interp);
  if (Pdb_IsFileOpen(group, Tcl_DStringValue(name))) {
    Pdb_OpenFailure(interp, MSG_LIBRARY_OPEN, Tcl_DStringValue(name), nullptr,
                    name);
    return nullptr;
  }
  return OpenForReading(interp, MSG_LIBRARY_CANNOT_OPEN, name);
}

/*
 *----------------------------------------------------------------------
 *
 * Pdb_OpenNamedFile --
 *
 *	Opens a file the caller names (~ expanded as Tcl does), for reading.
 *
 * Results:
 *	The stream with the database's name in *name (initialised here); or
 *	nullptr with the open-failure message in the result and *name freed.
 *
 * Side effects:
 *	None.
 *
 *----------------------------------------------------------------------
 */

FILE *Pdb_OpenNamedFile(Tcl_Interp *interp, Pdb_Group *group, const char *given,
                        Tcl_DString *name) {
  if (!TranslateName(interp, given, name)) {
    Pdb_OpenFailure(interp, MSG_EXPAND_NAME, given, nullptr, name);
    return nullptr;
  }
  if (Pdb_IsFileOpen(group, Tcl_DStringValue(name))) {
    Pdb_OpenFailure(interp, MSG_NAMED_OPEN, Tcl_DStringValue(name), nullptr,
                    name);
    return nullptr;
  }
  return OpenForReading(interp, MSG_NAMED_CANNOT_OPEN, name);
}

/*
 *----------------------------------------------------------------------
 *
 * OpenOrCreate --
 *
 *	Opens the file for update. Only when it does not exist is it created
 *	(exclusively, so that nothing that appeared meanwhile is truncated),
 *	closed and opened for reading: a new database is an empty file. An
 *	existing file that cannot be opened for update is a failure, not a
 *	reason to create it anew.
 *
 * Results:
 *	The stream, or nullptr with the open-failure message (name freed).
 *
 *----------------------------------------------------------------------
 */

static FILE *OpenOrCreate(Tcl_Interp *interp, const CreateTexts &texts,
                          Tcl_DString *name) {
  const char *path = Tcl_DStringValue(name);
  FILE *file = OpenNative(path, MODE_UPDATE);
  if (file != nullptr) {
    return file;
  }
  if (errno != ENOENT) {
    Pdb_OpenFailure(interp, texts.create, path, Tcl_PosixError(interp), name);
    return nullptr;
  }
  Tcl_DString native;
  int fd = open(Pdb_MakeNativeName(path, &native), O_WRONLY | O_CREAT | O_EXCL,
                0666);
  int error = errno;
  Tcl_DStringFree(&native);
  errno = error;
  if (fd < 0) {
    Pdb_OpenFailure(interp, texts.create, path, Tcl_PosixError(interp), name);
    return nullptr;
  }
  if (close(fd) != 0) {
    Pdb_OpenFailure(interp, texts.close, path, Tcl_PosixError(interp), name);
    return nullptr;
  }
  file = OpenNative(path, MODE_READ);
  if (file == nullptr) {
    Pdb_OpenFailure(interp, texts.open, path, Tcl_PosixError(interp), name);
  }
  return file;
}

static FILE *OpenForReading(Tcl_Interp *interp, const char *text,
                            Tcl_DString *name) {
  const char *path = Tcl_DStringValue(name);
  FILE *file = OpenNative(path, MODE_READ);
  if (file == nullptr) {
    Pdb_OpenFailure(interp, text, path, Tcl_PosixError(interp), name);
  }
  return file;
}

/* Expands a leading "~" and gives the native name; false with a message. */
static bool TranslateName(Tcl_Interp *interp, const char *given,
                          Tcl_DString *name) {
  Tcl_DStringInit(name);
  return Tcl_TranslateFileName(interp, given, name) != nullptr;
}

/* Appends a name in the system encoding to name, converted to UTF-8. */
static void AppendSystemName(Tcl_DString *name, const char *nativeName) {
  Tcl_DString utf;
  Tcl_DStringAppend(name, Pdb_MakeUtfName(nativeName, &utf), -1);
  Tcl_DStringFree(&utf);
}

/* fopen of a UTF-8 name under its form in the system encoding. */
static FILE *OpenNative(const char *name, const char *mode) {
  Tcl_DString native;
  FILE *file = fopen(Pdb_MakeNativeName(name, &native), mode);
  int error = errno;
  Tcl_DStringFree(&native);
  errno = error;
  return file;
}
