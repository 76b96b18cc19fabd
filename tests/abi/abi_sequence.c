/* A user of the shared library, built as C99 and as C++ (where the literal passes for text the library
 * only reads): set up with a message file, build a datum reference frame, provoke a failure, drain the
 * error with its summary text from the message file. Usage: abi_sequence [message file] */
#include <rk_basekit.h>

#include <stdio.h>
#include <string.h>

static int near(double a, double b) { return a - b < 1e-12 && b - a < 1e-12; }

int main(int argc, char** argv)
{
    double primary[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}; /* the plane z = 0 */
    double secondary[2][3] = {{0, 0, 0}, {5, 0, 0}};          /* an edge along x */
    double tertiary[1][3] = {{2, 3, 0}};                      /* a corner point */
    double bad_line[2][3] = {{1, 1, 1}, {1, 1, 1}};           /* coincident points */
    Rk_RefFrameStruct frame, scratch;
    Rk_ErrorStruct error;
    char summary[RK_TEXT_MAX + 1] = "";
    int redundant = -1, found = 0, status = 0, failed = 0;

    if (Rk_UtilsInit(argc > 1 ? argv[1] : "messages.txt") != 0) return 2;
    status = Rk_RefFrameSetByGeom(&frame, 3, primary, 2, secondary, 1, tertiary, 1.0, &redundant) || redundant != 0;
    failed = Rk_RefFrameSetByGeom(&scratch, 2, bad_line, 0, NULL, 0, NULL, 1.0, &redundant);
    Rk_ErrorQueueGetError(&error, &found);
    if (found) Rk_ErrorGetSummaryText(&error, summary);
    Rk_UtilsFree();
    printf("frame origin %g %g %g, z axis %g %g %g; degenerate line: status %d, error %ld: %s\n", frame.origin.pt_x,
           frame.origin.pt_y, frame.origin.pt_z, frame.z_axis.i_comp, frame.z_axis.j_comp, frame.z_axis.k_comp, failed,
           found ? error.msg.msg_id : 0L, summary);

    /* The corner point's foot on the edge is the origin; z is the face's normal, x runs along the edge. */
    return !(status == 0 && near(frame.origin.pt_x, 2) && near(frame.origin.pt_y, 0) && near(frame.origin.pt_z, 0) &&
             near(frame.z_axis.k_comp, 1) && near(frame.x_axis.i_comp, 1) && failed == 1 && found &&
             error.msg.msg_id == RK_ERR_COINCIDENT_POINTS && strstr(summary, "points of a line coincide") != NULL);
}
