/*
 * commands.h --
 *
 *	The entry and exit points of the module and the procedures of its
 *	fifteen pdb: commands. Only the entry and exit points and five command
 *	procedures are exported from the shared library.
 */

#ifndef TOVPART_SHELL_COMMANDS_H
#define TOVPART_SHELL_COMMANDS_H

#include <tcl.h>

#define TOVPART_EXPORT __attribute__((visibility("default")))

#ifdef __cplusplus
extern "C" {
#endif

TOVPART_EXPORT int TovPart_Init(Tcl_Interp *interp);
TOVPART_EXPORT int tovPart_Init(Tcl_Interp *interp);
TOVPART_EXPORT int TovPart_Term(Tcl_Interp *interp);
TOVPART_EXPORT int tovPart_Term(Tcl_Interp *interp);

TOVPART_EXPORT int TovPartOpenCmd(ClientData data, Tcl_Interp *interp, int argc,
                                  const char **argv);
TOVPART_EXPORT int TovPartIsOpenCmd(ClientData data, Tcl_Interp *interp,
                                    int argc, const char **argv);
TOVPART_EXPORT int TovPartReadCmd(ClientData data, Tcl_Interp *interp, int argc,
                                  const char **argv);
TOVPART_EXPORT int TovPartFindObjCmd(ClientData data, Tcl_Interp *interp,
                                     int objc, Tcl_Obj *const objv[]);
TOVPART_EXPORT int TovPartInfoCmd(ClientData data, Tcl_Interp *interp, int argc,
                                  const char **argv);

#ifdef __cplusplus
}
#endif

/* The procedures of the commands that are not exported. */
int TovPartAddCmd(ClientData data, Tcl_Interp *interp, int argc,
                  const char **argv);
int TovPartDeleteCmd(ClientData data, Tcl_Interp *interp, int argc,
                     const char **argv);
int TovPartSaveCmd(ClientData data, Tcl_Interp *interp, int argc,
                   const char **argv);
int TovPartUnloadObjCmd(ClientData data, Tcl_Interp *interp, int objc,
                        Tcl_Obj *const objv[]);
int TovPartWriteCmd(ClientData data, Tcl_Interp *interp, int argc,
                    const char **argv);
int TovPartHideCmd(ClientData data, Tcl_Interp *interp, int argc,
                   const char **argv);
int TovPartPrintCmd(ClientData data, Tcl_Interp *interp, int argc,
                    const char **argv);
int TovPartDebugCmd(ClientData data, Tcl_Interp *interp, int argc,
                    const char **argv);
int TovPartGroupObjCmd(ClientData data, Tcl_Interp *interp, int objc,
                       Tcl_Obj *const objv[]);
int TovPartVersionCmd(ClientData data, Tcl_Interp *interp, int argc,
                      const char **argv);

#endif /* TOVPART_SHELL_COMMANDS_H */
