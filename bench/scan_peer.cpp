/*
 * scan_peer.cpp --
 *
 *	A bench-only Tcl extension, the floor that pdb:find is measured
 *	against in the same process: the parts of a generated database
 *	(bench/gen_parts_db.py) held in a std::vector, in the order of the
 *	file, their strings packed in two arenas (names, property pairs), and
 *	searched by a bare loop with Tcl_StringMatch; the matches are sorted
 *	bytewise and returned as a Tcl list, as pdb:find returns them.
 *
 *	tovscan::load prefix    reads prefix.parts.tsv and prefix.props.tsv;
 *	                        returns the number of parts
 *	tovscan::names pattern  the names matching pattern
 *	tovscan::props spec     the parts that have, for every {name value}
 *	                        pair of spec, a property pair matching both
 *	tovscan::cpu            the CPU time this process has used, in
 *	                        microseconds: the benchmarks' second clock,
 *	                        which a busy machine does not inflate
 */

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <functional>
#include <string>
#include <tcl.h>
#include <vector>

extern "C" DLLEXPORT int Tovscan_Init(Tcl_Interp *interp);

namespace {

/* A part: offsets of its name and of its first pair string. */
struct ScanPart {
  std::uint32_t name = 0;
  std::uint32_t pairs = 0;
  std::uint32_t pairCount = 0;
};

/* A {name value} pair of a property search specification. */
struct PairPattern {
  const char *name;
  const char *value;
};

enum { MAX_FIELDS = 4 }; /* fields read from a line of the tsv files */

std::vector<ScanPart> scanParts;
std::vector<char> nameText; /* NUL-terminated names, back to back */
std::vector<char> pairText; /* name, value, name, value, ... per part */

const char *const MSG_LOAD_USAGE = "usage: tovscan::load prefix";
const char *const MSG_NAMES_USAGE = "usage: tovscan::names pattern";
const char *const MSG_PROPS_USAGE = "usage: tovscan::props spec";
const char *const MSG_CANNOT_OPEN = "cannot open ";
const char *const MSG_BAD_LINE = "bad line in ";
const char *const MSG_UNGROUPED = "properties of a part not together in ";
const char *const MSG_TOO_BIG = "too much text in ";
const char *const MSG_BAD_SPEC = "bad property search specification";
const char *const MSG_CPU_USAGE = "usage: tovscan::cpu";
const char *const MSG_NO_CLOCK = "no process CPU clock";
const char *const MSG_NO_MEMORY = "tovscan: out of memory";

} // namespace

static int LoadCmd(ClientData, Tcl_Interp *interp, int objc,
                   Tcl_Obj *const objv[]);
static int NamesCmd(ClientData, Tcl_Interp *interp, int objc,
                    Tcl_Obj *const objv[]);
static int PropsCmd(ClientData, Tcl_Interp *interp, int objc,
                    Tcl_Obj *const objv[]);
static int CpuCmd(ClientData, Tcl_Interp *interp, int objc,
                  Tcl_Obj *const objv[]);
static int ReadParts(Tcl_Interp *interp, const std::string &file);
static int ReadProps(Tcl_Interp *interp, const std::string &file);
static int ReadTabFile(Tcl_Interp *interp, const std::string &file,
                       int fieldCount,
                       const std::function<const char *(char **)> &take);
static int SplitTabs(char *line, char **fields, int count);
static ScanPart *PartById(const char *id);
static bool AppendText(std::vector<char> &arena, const char *text,
                       std::uint32_t *offset);
static void ForgetParts();
static bool MatchesAll(const ScanPart &part,
                       const std::vector<PairPattern> &patterns);
static void SetSortedResult(Tcl_Interp *interp,
                            std::vector<const char *> &names);
static int Fail(Tcl_Interp *interp, const char *message,
                const char *detail = nullptr);

/*
 *----------------------------------------------------------------------
 *
 * Tovscan_Init --
 *
 *	Entry point of the extension: registers its four commands in the
 *	namespace tovscan, which it creates first.
 *
 * Results:
 *	TCL_OK, or TCL_ERROR when the namespace cannot be made.
 *
 *----------------------------------------------------------------------
 */

int Tovscan_Init(Tcl_Interp *interp) {
  if (Tcl_Eval(interp, "namespace eval ::tovscan {}") != TCL_OK) {
    return TCL_ERROR;
  }
  Tcl_CreateObjCommand(interp, "::tovscan::load", LoadCmd, nullptr, nullptr);
  Tcl_CreateObjCommand(interp, "::tovscan::names", NamesCmd, nullptr, nullptr);
  Tcl_CreateObjCommand(interp, "::tovscan::props", PropsCmd, nullptr, nullptr);
  Tcl_CreateObjCommand(interp, "::tovscan::cpu", CpuCmd, nullptr, nullptr);
  return TCL_OK;
}

/* tovscan::load prefix: replaces the parts held by those of prefix. */

static int LoadCmd(ClientData, Tcl_Interp *interp, int objc,
                   Tcl_Obj *const objv[]) {
  if (objc != 2) {
    return Fail(interp, MSG_LOAD_USAGE);
  }
  try {
    const std::string prefix = Tcl_GetString(objv[1]);
    ForgetParts();
    if (ReadParts(interp, prefix + ".parts.tsv") != TCL_OK ||
        ReadProps(interp, prefix + ".props.tsv") != TCL_OK) {
      ForgetParts();
      return TCL_ERROR;
    }
    Tcl_SetObjResult(
        interp, Tcl_NewWideIntObj(static_cast<Tcl_WideInt>(scanParts.size())));
    return TCL_OK;
  } catch (const std::exception &) {
    ForgetParts();
    return Fail(interp, MSG_NO_MEMORY);
  }
}

/* tovscan::names pattern */

static int NamesCmd(ClientData, Tcl_Interp *interp, int objc,
                    Tcl_Obj *const objv[]) {
  if (objc != 2) {
    return Fail(interp, MSG_NAMES_USAGE);
  }
  try {
    const char *pattern = Tcl_GetString(objv[1]);
    std::vector<const char *> found;
    for (const ScanPart &part : scanParts) {
      const char *name = &nameText[part.name];
      if (Tcl_StringMatch(name, pattern)) {
        found.push_back(name);
      }
    }
    SetSortedResult(interp, found);
    return TCL_OK;
  } catch (const std::exception &) {
    return Fail(interp, MSG_NO_MEMORY);
  }
}

/* tovscan::props spec */

static int PropsCmd(ClientData, Tcl_Interp *interp, int objc,
                    Tcl_Obj *const objv[]) {
  if (objc != 2) {
    return Fail(interp, MSG_PROPS_USAGE);
  }
  int count;
  Tcl_Obj **elements;
  if (Tcl_ListObjGetElements(interp, objv[1], &count, &elements) != TCL_OK) {
    return TCL_ERROR;
  }
  try {
    std::vector<PairPattern> patterns;
    for (int i = 0; i < count; i++) {
      int n;
      Tcl_Obj **pair;
      if (Tcl_ListObjGetElements(interp, elements[i], &n, &pair) != TCL_OK) {
        return TCL_ERROR;
      }
      if (n < 2) {
        return Fail(interp, MSG_BAD_SPEC);
      }
      patterns.push_back({Tcl_GetString(pair[0]), Tcl_GetString(pair[1])});
    }
    std::vector<const char *> found;
    for (const ScanPart &part : scanParts) {
      if (MatchesAll(part, patterns)) {
        found.push_back(&nameText[part.name]);
      }
    }
    SetSortedResult(interp, found);
    return TCL_OK;
  } catch (const std::exception &) {
    return Fail(interp, MSG_NO_MEMORY);
  }
}

/* tovscan::cpu */

static int CpuCmd(ClientData, Tcl_Interp *interp, int objc, Tcl_Obj *const[]) {
  if (objc != 1) {
    return Fail(interp, MSG_CPU_USAGE);
  }
  struct timespec now;
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now) != 0) {
    return Fail(interp, MSG_NO_CLOCK);
  }
  Tcl_SetObjResult(
      interp, Tcl_NewWideIntObj(static_cast<Tcl_WideInt>(now.tv_sec) * 1000000 +
                                now.tv_nsec / 1000));
  return TCL_OK;
}

/* Whether part has, for every pattern pair, a property pair matching it. */

static bool MatchesAll(const ScanPart &part,
                       const std::vector<PairPattern> &patterns) {
  for (const PairPattern &wanted : patterns) {
    bool hit = false;
    const char *text = pairText.data() + part.pairs;
    for (std::uint32_t i = 0; i < part.pairCount && !hit; i++) {
      const char *value = text + std::strlen(text) + 1;
      hit = Tcl_StringMatch(text, wanted.name) &&
            Tcl_StringMatch(value, wanted.value);
      text = value + std::strlen(value) + 1;
    }
    if (!hit) {
      return false;
    }
  }
  return true;
}

/* Sorts names bytewise and makes them the interpreter's list result. */

static void SetSortedResult(Tcl_Interp *interp,
                            std::vector<const char *> &names) {
  std::sort(names.begin(), names.end(),
            [](const char *a, const char *b) { return std::strcmp(a, b) < 0; });
  Tcl_Obj *list = Tcl_NewListObj(0, nullptr);
  for (const char *name : names) {
    Tcl_ListObjAppendElement(nullptr, list, Tcl_NewStringObj(name, -1));
  }
  Tcl_SetObjResult(interp, list);
}

/*
 * Reads "id name symbol library template description hdl" lines; ids
 * run from 1 and place each part in the vector.
 */

static int ReadParts(Tcl_Interp *interp, const std::string &file) {
  return ReadTabFile(interp, file, 2, [](char **fields) -> const char * {
    const long id = std::strtol(fields[0], nullptr, 10);
    if (id < 1) {
      return MSG_BAD_LINE;
    }
    const std::size_t index = static_cast<std::size_t>(id - 1);
    if (scanParts.size() <= index) {
      scanParts.resize(index + 1);
    }
    return AppendText(nameText, fields[1], &scanParts[index].name)
               ? nullptr
               : MSG_TOO_BIG;
  });
}

/*
 * Reads "part seq key value" lines, in seq order per part, the lines of
 * one part together.
 */

static int ReadProps(Tcl_Interp *interp, const std::string &file) {
  const ScanPart *previous = nullptr;
  return ReadTabFile(interp, file, 4, [&](char **fields) -> const char * {
    ScanPart *part = PartById(fields[0]);
    std::uint32_t offset;
    if (part == nullptr) {
      return MSG_BAD_LINE;
    }
    if (part != previous && part->pairCount != 0) {
      return MSG_UNGROUPED;
    }
    if (!AppendText(pairText, fields[2], &offset) ||
        !AppendText(pairText, fields[3], nullptr)) {
      return MSG_TOO_BIG;
    }
    if (part->pairCount++ == 0) {
      part->pairs = offset;
    }
    previous = part;
    return nullptr;
  });
}

/*
 * Hands the first fieldCount tab-separated fields of every line of file to
 * take, which answers nullptr or the message of what is wrong with the
 * line. A line with fewer fields is bad.
 */

static int ReadTabFile(Tcl_Interp *interp, const std::string &file,
                       int fieldCount,
                       const std::function<const char *(char **)> &take) {
  std::FILE *in = std::fopen(file.c_str(), "rb");
  if (in == nullptr) {
    return Fail(interp, MSG_CANNOT_OPEN, file.c_str());
  }
  char *line = nullptr;
  std::size_t capacity = 0;
  const char *problem = nullptr;
  while (problem == nullptr && getline(&line, &capacity, in) > 0) {
    char *fields[MAX_FIELDS];
    problem = SplitTabs(line, fields, fieldCount) < fieldCount ? MSG_BAD_LINE
                                                               : take(fields);
  }
  std::free(line);
  std::fclose(in);
  return problem == nullptr ? TCL_OK : Fail(interp, problem, file.c_str());
}

/*
 * Appends text and its NUL to arena; sets *offset (when given) to where it
 * starts. Returns false when the arena would outgrow 32-bit offsets.
 */

static bool AppendText(std::vector<char> &arena, const char *text,
                       std::uint32_t *offset) {
  const std::size_t length = std::strlen(text) + 1;
  if (arena.size() + length > UINT32_MAX) {
    return false;
  }
  if (offset != nullptr) {
    *offset = static_cast<std::uint32_t>(arena.size());
  }
  arena.insert(arena.end(), text, text + length);
  return true;
}

/* Drops every part and both arenas. */

static void ForgetParts() {
  scanParts.clear();
  nameText.clear();
  pairText.clear();
}

/*
 * Cuts line at its tabs and its newline into at most count fields.
 * Returns the number of fields found.
 */

static int SplitTabs(char *line, char **fields, int count) {
  line[std::strcspn(line, "\r\n")] = '\0';
  int n = 0;
  char *field = line;
  while (n < count) {
    fields[n++] = field;
    char *tab = std::strchr(field, '\t');
    if (tab == nullptr) {
      break;
    }
    *tab = '\0';
    field = tab + 1;
  }
  return n;
}

/* The part of a decimal id, or nullptr when there is none. */

static ScanPart *PartById(const char *id) {
  const long n = std::strtol(id, nullptr, 10);
  if (n < 1 || static_cast<std::size_t>(n) > scanParts.size()) {
    return nullptr;
  }
  return &scanParts[static_cast<std::size_t>(n - 1)];
}

/* Sets message (and detail after it) as the result; TCL_ERROR. */

static int Fail(Tcl_Interp *interp, const char *message, const char *detail) {
  Tcl_ResetResult(interp);
  Tcl_AppendResult(interp, message, detail, (char *)nullptr);
  return TCL_ERROR;
}
