// Reference frames: an origin and three unit axes in world coordinates. The rules that complete a
// frame from one or two directions, points and vectors carried between world and frame
// coordinates, the alignment of a frame's in-plane axes and the angles of a vector in a frame.
// Every failure but a dump's is raised by the vector operations.
#include <cmath>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "geometry/frame_axes.hpp"
#include "geometry/frame_transform.hpp"
#include "geometry/geometry.hpp"

namespace {

constexpr char kModule[] = "src/rk_reffr";

constexpr Rk_PointStruct kWorldOrigin = {0.0, 0.0, 0.0};

int store_axes(Rk_RefFrameStruct* frame, const rk::Axes& axes)
{
    frame->x_axis = axes.x;
    frame->y_axis = axes.y;
    frame->z_axis = axes.z;
    return 0;
}

// A world vector in frame components: the frame points of its tail `tail` (the world origin in
// frame coordinates) and of its tip, subtracted.
int frame_vector(const Rk_RefFrameStruct& frame, const Rk_PointStruct& tail, const Rk_VectorStruct& world,
                 Rk_VectorStruct* local)
{
    const Rk_PointStruct head = rk::world_to_frame(frame, rk::as_point(world));
    Rk_VectorStruct difference = {};
    RK_TRY(Rk_VectorSetByPoints(&difference, &tail, &head));
    *local = difference;
    return 0;
}

}  // namespace

namespace rk {

Rk_PointStruct world_to_frame(const Rk_RefFrameStruct& frame, const Rk_PointStruct& world)
{
    const Rk_VectorStruct w = as_vector(world), o = as_vector(frame.origin);
    return {dot(w, frame.x_axis) - dot(o, frame.x_axis), dot(w, frame.y_axis) - dot(o, frame.y_axis),
            dot(w, frame.z_axis) - dot(o, frame.z_axis)};
}

int inverse_frame(const Rk_RefFrameStruct& frame, Rk_RefFrameStruct* inverse)
{
    const Rk_VectorStruct world_x = {1.0, 0.0, 0.0}, world_y = {0.0, 1.0, 0.0};
    const Rk_PointStruct origin = world_to_frame(frame, kWorldOrigin);
    Rk_VectorStruct x = {}, y = {};
    RK_TRY(frame_vector(frame, origin, world_x, &x));
    RK_TRY(frame_vector(frame, origin, world_y, &y));
    Axes axes = {};
    RK_TRY(axes_by_xy(x, y, &axes));
    store_axes(inverse, axes);
    inverse->origin = origin;
    return 0;
}

}  // namespace rk

extern "C" RK_API int Rk_RefFrameInit(Rk_RefFrameStruct* frame)
{
    *frame = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}, {0.0, 0.0, 0.0}};
    return 0;
}

extern "C" RK_API int Rk_RefFrameSetAxesByXY(Rk_RefFrameStruct* refframe, const Rk_VectorStruct* x,
                                             const Rk_VectorStruct* y)
{
    rk::Axes axes = {};
    return rk::axes_by_xy(*x, *y, &axes) != 0 ? 1 : store_axes(refframe, axes);
}

extern "C" RK_API int Rk_RefFrameSetAxesByZX(Rk_RefFrameStruct* refframe, const Rk_VectorStruct* z,
                                             const Rk_VectorStruct* x)
{
    rk::Axes axes = {};
    return rk::axes_by_zx(*z, *x, &axes) != 0 ? 1 : store_axes(refframe, axes);
}

extern "C" RK_API int Rk_RefFrameSetAxesByZ(Rk_RefFrameStruct* refframe, const Rk_VectorStruct* z)
{
    rk::Axes axes = {};
    return rk::axes_by_z(*z, &axes) != 0 ? 1 : store_axes(refframe, axes);
}

extern "C" RK_API int Rk_RefFrameSetOrigin(Rk_RefFrameStruct* frame, const Rk_PointStruct* origin)
{
    frame->origin = *origin;
    return 0;
}

extern "C" RK_API int Rk_RefFrameSetByArray(Rk_RefFrameStruct* frame, double vals[4][3])
{
    // Each axis is made unit but the three are left as given: neither orthogonal nor right-handed.
    RK_TRY(Rk_VectorSet(&frame->x_axis, vals[0][0], vals[0][1], vals[0][2]));
    RK_TRY(Rk_VectorSet(&frame->y_axis, vals[1][0], vals[1][1], vals[1][2]));
    RK_TRY(Rk_VectorSet(&frame->z_axis, vals[2][0], vals[2][1], vals[2][2]));
    frame->origin = {vals[3][0], vals[3][1], vals[3][2]};
    RK_TRY(Rk_VectorUnitize(&frame->x_axis, &frame->x_axis));
    RK_TRY(Rk_VectorUnitize(&frame->y_axis, &frame->y_axis));
    return Rk_VectorUnitize(&frame->z_axis, &frame->z_axis);
}

extern "C" RK_API int Rk_RefFrameGet(const Rk_RefFrameStruct* frame, Rk_VectorStruct* x, Rk_VectorStruct* y,
                                     Rk_VectorStruct* z, Rk_PointStruct* origin)
{
    const Rk_RefFrameStruct copy = *frame;
    *x = copy.x_axis;
    *y = copy.y_axis;
    *z = copy.z_axis;
    *origin = copy.origin;
    return 0;
}

extern "C" RK_API int Rk_RefFrameGetOrigin(const Rk_RefFrameStruct* refframe, Rk_PointStruct* origin)
{
    *origin = refframe->origin;
    return 0;
}

extern "C" RK_API int Rk_RefFrameGetZAxis(const Rk_RefFrameStruct* refframe, Rk_VectorStruct* z_axis)
{
    *z_axis = refframe->z_axis;
    return 0;
}

extern "C" RK_API int Rk_RefFrameGetArray(const Rk_RefFrameStruct* frame, double vals[4][3])
{
    const Rk_RefFrameStruct f = *frame;
    const Rk_VectorStruct rows[4] = {f.x_axis, f.y_axis, f.z_axis, rk::as_vector(f.origin)};
    for (int r = 0; r < 4; ++r) {
        vals[r][0] = rows[r].i_comp;
        vals[r][1] = rows[r].j_comp;
        vals[r][2] = rows[r].k_comp;
    }
    return 0;
}

extern "C" RK_API int Rk_RefFrameTransformWorldPt(const Rk_RefFrameStruct* frame,
                                                  const Rk_PointStruct* worldpt, Rk_PointStruct* framept)
{
    *framept = rk::world_to_frame(*frame, *worldpt);
    return 0;
}

extern "C" RK_API int Rk_RefFrameTransformWorldVec(const Rk_RefFrameStruct* frame,
                                                   const Rk_VectorStruct* worldvec, Rk_VectorStruct* framevec)
{
    const Rk_PointStruct tail = rk::world_to_frame(*frame, kWorldOrigin);
    return frame_vector(*frame, tail, *worldvec, framevec);
}

extern "C" RK_API int Rk_RefFrameTransformFramePt(const Rk_RefFrameStruct* frame,
                                                  const Rk_PointStruct* framept, Rk_PointStruct* worldpt)
{
    Rk_RefFrameStruct inverse = {};
    RK_TRY(rk::inverse_frame(*frame, &inverse));
    *worldpt = rk::world_to_frame(inverse, *framept);
    return 0;
}

extern "C" RK_API int Rk_RefFrameTransformFrameVec(const Rk_RefFrameStruct* frame, const Rk_VectorStruct* local_vec,
                                                   Rk_VectorStruct* world_vec)
{
    // The vector runs from the frame point whose coordinates are those of the origin.
    Rk_RefFrameStruct inverse = {};
    RK_TRY(rk::inverse_frame(*frame, &inverse));
    const Rk_PointStruct tail = frame->origin;
    const Rk_PointStruct head = {tail.pt_x + local_vec->i_comp, tail.pt_y + local_vec->j_comp,
                                 tail.pt_z + local_vec->k_comp};
    const Rk_PointStruct world_tail = rk::world_to_frame(inverse, tail);
    const Rk_PointStruct world_head = rk::world_to_frame(inverse, head);
    Rk_VectorStruct difference = {};
    RK_TRY(Rk_VectorSetByPoints(&difference, &world_tail, &world_head));
    *world_vec = difference;
    return 0;
}

extern "C" RK_API int Rk_RefFrameAlignXY(const Rk_RefFrameStruct* frame, const Rk_RefFrameStruct* align_to,
                                         Rk_RefFrameStruct* new_frame)
{
    const Rk_VectorStruct z1 = frame->z_axis;
    const Rk_PointStruct o1 = frame->origin;
    const Rk_RefFrameStruct to = *align_to;
    // The reference is the axis that follows, in the cycle x, y, z, the axis of `align_to` most
    // nearly along z1; ties go to the earlier axis.
    const double dx = std::fabs(rk::dot(z1, to.x_axis));
    const double dy = std::fabs(rk::dot(z1, to.y_axis));
    const double dz = std::fabs(rk::dot(z1, to.z_axis));
    const Rk_VectorStruct& reference = dx >= dy && dx >= dz ? to.y_axis : dy >= dx && dy >= dz ? to.z_axis : to.x_axis;
    Rk_VectorStruct t = {}, x = {};
    RK_TRY(Rk_VectorCross(&z1, &reference, &t));
    RK_TRY(Rk_VectorCross(&t, &z1, &x));
    rk::Axes axes = {};
    RK_TRY(rk::axes_by_zx(z1, x, &axes));
    store_axes(new_frame, axes);
    new_frame->origin = o1;
    return 0;
}

extern "C" RK_API int Rk_RefFrameGetVectorAngles(const Rk_RefFrameStruct* frame, const Rk_VectorStruct* vec,
                                                 double* rot, double* inc)
{
    double from_z = 0.0;
    RK_TRY(Rk_VectorAngleFromVector(vec, &frame->z_axis, &from_z));
    if (from_z < rk::angle_eps() || from_z > 180.0 - rk::angle_eps()) {
        *rot = 0.0;
        *inc = from_z < rk::angle_eps() ? 90.0 : -90.0;
        return 0;
    }
    const Rk_PlaneStruct xy = {frame->origin, frame->z_axis};
    Rk_VectorStruct in_xy = {};
    RK_TRY(Rk_VectorProjOnPlane(vec, &xy, &in_xy));
    double azimuth = 0.0;
    RK_TRY(Rk_VectorAngleFromVector(&frame->x_axis, &in_xy, &azimuth));
    // Within angle_eps of the x axis, in either sense, the azimuth is left unsigned.
    if (rk::angle_eps() < azimuth && azimuth < 180.0 - rk::angle_eps()) {
        Rk_VectorStruct turn = {};
        RK_TRY(Rk_VectorCross(&frame->x_axis, &in_xy, &turn));
        double side = 0.0;
        RK_TRY(Rk_VectorAngleFromVector(&frame->z_axis, &turn, &side));
        if (side > rk::angle_eps()) azimuth = -azimuth;
    }
    *rot = azimuth;
    *inc = 90.0 - from_z;
    return 0;
}

// No title and no indent of its own: the four lines line up under each other.
extern "C" RK_API int Rk_RefFrameDebugRpt(const Rk_RefFrameStruct* frame, Rk_ReportStruct* report)
{
    Rk_VectorStruct axes[3] = {};
    Rk_PointStruct o = {};
    Rk_RefFrameGet(frame, &axes[0], &axes[1], &axes[2], &o);
    RK_TRY(rk::dump::line(report, kModule, "Ref Frame : Origin   %8.2f %8.2f %8.2f", o.pt_x, o.pt_y, o.pt_z));
    const char* const names[3] = {"X", "Y", "Z"};
    for (int a = 0; a < 3; ++a) {
        const Rk_VectorStruct& v = axes[a];
        RK_TRY(rk::dump::line(report, kModule, "            Local %s  %8.2f %8.2f %8.2f", names[a], v.i_comp,
                              v.j_comp, v.k_comp));
    }
    return 0;
}

extern "C" RK_API int Rk_RefFrameDebug(const Rk_RefFrameStruct* frame)
{
    return rk::dump::to_console(Rk_RefFrameDebugRpt, frame);
}
