// Rigid transforms: a 4 x 3 matrix applied to row vectors, p' = x·row0 + y·row1 + z·row2 + row3,
// with a cached identity flag. A matrix flagged as the identity (every entry within zero_eps of
// it) moves nothing: applications copy their input without arithmetic.
#include <cmath>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "geometry/geometry.hpp"

namespace {

constexpr char kModule[] = "src/rk_tform";

using Matrix = double[4][3];

constexpr Matrix kIdentity = {{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}, {0.0, 0.0, 0.0}};

// Every entry within zero_eps of the identity, bounds included, tested in row order.
int identity_flag(const Matrix& t)
{
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            const double expected = r == c ? 1.0 : 0.0;
            if (!(std::fabs(t[r][c] - expected) <= rk::zero_eps())) return 0;
        }
    }
    return 1;
}

void store(Rk_TransformStruct* tform, const Matrix& m)
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) tform->transform[r][c] = m[r][c];
    tform->is_identity = identity_flag(m);
}

// Inlined everywhere, so that points pass in registers: a record returned through memory and read
// back in wider pieces stalls the read.
__attribute__((always_inline)) inline Rk_PointStruct map_point(const Matrix& t, const Rk_PointStruct& p)
{
    const double x = p.pt_x, y = p.pt_y, z = p.pt_z;
    return {t[0][0] * x + t[1][0] * y + t[2][0] * z + t[3][0], t[0][1] * x + t[1][1] * y + t[2][1] * z + t[3][1],
            t[0][2] * x + t[1][2] * y + t[2][2] * z + t[3][2]};
}

Rk_PointStruct apply_point(const Rk_TransformStruct& tform, const Rk_PointStruct& p)
{
    return tform.is_identity ? p : map_point(tform.transform, p);
}

// The origin mapped as a point. When the mapped tip of a vector is finite, so is every entry of the
// matrix that made it: the products with the origin's zero coordinates are zeros, and the mapped
// origin is the translation row itself, unless an entry of that row is a zero (whose sign the
// zero products may turn).
inline Rk_PointStruct mapped_origin(const Matrix& t, const Rk_PointStruct& tip)
{
    // Both tests in one comparison each: x - x is 0 for a finite x and NaN otherwise; a product
    // of finite entries is 0 when one is (or when it underflows, which only sends us the long way).
    const bool finite = (tip.pt_x - tip.pt_x) + (tip.pt_y - tip.pt_y) + (tip.pt_z - tip.pt_z) == 0.0;
    if (finite && t[3][0] * t[3][1] * t[3][2] != 0.0) return {t[3][0], t[3][1], t[3][2]};
    return map_point(t, {0.0, 0.0, 0.0});
}

// The vector operations raise the error of a vector mapped to nothing.
__attribute__((noinline)) int refuse_mapped(const Matrix& t, const Rk_VectorStruct& v)
{
    const Rk_PointStruct origin = map_point(t, {0.0, 0.0, 0.0});
    const Rk_PointStruct tip = map_point(t, {v.i_comp, v.j_comp, v.k_comp});
    Rk_VectorStruct difference = {};
    return Rk_VectorSetByPoints(&difference, &origin, &tip);
}

// The vector's tip and the origin mapped as points and subtracted: the translation cancels.
int apply_vector(const Rk_TransformStruct& tform, const Rk_VectorStruct& v, Rk_VectorStruct* mapped)
{
    if (tform.is_identity) {
        *mapped = v;
        return 0;
    }
    const Matrix& t = tform.transform;
    const Rk_PointStruct tip = map_point(t, {v.i_comp, v.j_comp, v.k_comp});
    const Rk_PointStruct origin = mapped_origin(t, tip);
    const double i = tip.pt_x - origin.pt_x, j = tip.pt_y - origin.pt_y, k = tip.pt_z - origin.pt_z;
    if (rk::is_zero_vector(i, j, k)) return refuse_mapped(t, v);
    mapped->i_comp = i;
    mapped->j_comp = j;
    mapped->k_comp = k;
    return 0;
}

// `a` followed by `b`.
void compose(const Matrix& a, const Matrix& b, Matrix& m)
{
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) {
            m[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
            if (r == 3) m[r][c] = m[r][c] + b[3][c];
        }
    }
}

// The frame's axes and origin as the matrix rows, copied value by value: rows gathered in an
// array of records first were written and read back in pieces of different widths, which stalls.
void frame_matrix(const Rk_RefFrameStruct& frame, Matrix& m)
{
    const Rk_VectorStruct* const axes[3] = {&frame.x_axis, &frame.y_axis, &frame.z_axis};
    for (int r = 0; r < 3; ++r) {
        m[r][0] = axes[r]->i_comp;
        m[r][1] = axes[r]->j_comp;
        m[r][2] = axes[r]->k_comp;
    }
    m[3][0] = frame.origin.pt_x;
    m[3][1] = frame.origin.pt_y;
    m[3][2] = frame.origin.pt_z;
}

}  // namespace

extern "C" RK_API int Rk_TransformInit(Rk_TransformStruct* tform)
{
    store(tform, kIdentity);
    return 0;
}

extern "C" RK_API int Rk_TransformSet(Rk_TransformStruct* tform, double tfm[4][3])
{
    Matrix m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) m[r][c] = tfm[r][c];
    store(tform, m);
    return 0;
}

extern "C" RK_API int Rk_TransformGet(const Rk_TransformStruct* tform, double tfm[4][3])
{
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) tfm[r][c] = tform->transform[r][c];
    return 0;
}

extern "C" RK_API int Rk_TransformIsIdentity(const Rk_TransformStruct* tfm, int* is_identity)
{
    *is_identity = identity_flag(tfm->transform);
    return 0;
}

extern "C" RK_API int Rk_TransformSetByRefFrame(Rk_TransformStruct* tform, const Rk_RefFrameStruct* frame)
{
    // Straight into the transform (a frame and a transform never share memory), the flag from
    // what was written.
    frame_matrix(*frame, tform->transform);
    tform->is_identity = identity_flag(tform->transform);
    return 0;
}

extern "C" RK_API int Rk_TransformSetByTransforms(Rk_TransformStruct* tfm, const Rk_TransformStruct* tform1,
                                                  const Rk_TransformStruct* tform2)
{
    // Built aside, so `tfm` may be either input; the inputs' flags are not consulted.
    Matrix m;
    compose(tform1->transform, tform2->transform, m);
    store(tfm, m);
    return 0;
}

extern "C" RK_API int Rk_TransformSetByFrameToFrame(Rk_TransformStruct* tform, const Rk_RefFrameStruct* frame1,
                                                    const Rk_RefFrameStruct* frame2)
{
    // World to frame1 coordinates, read back as frame2 coordinates.
    Rk_TransformStruct to_frame1 = {}, from_frame1 = {}, to_frame2 = {};
    Rk_TransformSetByRefFrame(&to_frame1, frame1);
    Rk_TransformInvert(&to_frame1, &from_frame1);
    Rk_TransformSetByRefFrame(&to_frame2, frame2);
    return Rk_TransformSetByTransforms(tform, &from_frame1, &to_frame2);
}

extern "C" RK_API int Rk_TransformInvert(const Rk_TransformStruct* tform, Rk_TransformStruct* inverse)
{
    if (tform->is_identity) {
        *inverse = *tform;
        return 0;
    }
    // The inverse of a rigid motion: the transposed rotation, and the negated translation carried
    // through it. Only right for orthonormal rotation rows.
    Rk_TransformStruct rotation = {};
    Matrix m;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c) m[r][c] = r < 3 ? tform->transform[c][r] : 0.0;
    store(&rotation, m);
    const Rk_PointStruct back = {-tform->transform[3][0], -tform->transform[3][1], -tform->transform[3][2]};
    const Rk_PointStruct translation = apply_point(rotation, back);
    m[3][0] = translation.pt_x;
    m[3][1] = translation.pt_y;
    m[3][2] = translation.pt_z;
    store(inverse, m);
    return 0;
}

extern "C" RK_API int Rk_TransformIsEqualToTransform(const Rk_TransformStruct* tfm1, const Rk_TransformStruct* tfm2,
                                                     int* equal)
{
    if (tfm1->is_identity && tfm2->is_identity) {
        *equal = 1;
        return 0;
    }
    // Rotation rows are compared as directions: their lengths do not matter.
    for (int r = 0; r < 3; ++r) {
        Rk_VectorStruct row1 = {}, row2 = {};
        RK_TRY(Rk_VectorSet(&row1, tfm1->transform[r][0], tfm1->transform[r][1], tfm1->transform[r][2]));
        RK_TRY(Rk_VectorSet(&row2, tfm2->transform[r][0], tfm2->transform[r][1], tfm2->transform[r][2]));
        int same = 0;
        RK_TRY(Rk_VectorIsEqualToVector(&row1, &row2, &same));
        if (!same) {
            *equal = 0;
            return 0;
        }
    }
    const Rk_PointStruct shift1 = {tfm1->transform[3][0], tfm1->transform[3][1], tfm1->transform[3][2]};
    const Rk_PointStruct shift2 = {tfm2->transform[3][0], tfm2->transform[3][1], tfm2->transform[3][2]};
    return Rk_PointIsEqualToPoint(&shift1, &shift2, equal);
}

extern "C" RK_API int Rk_TransformApply(const Rk_TransformStruct* tform, double x, double y, double z, double* xnew,
                                        double* ynew, double* znew)
{
    const Rk_PointStruct mapped = apply_point(*tform, {x, y, z});
    *xnew = mapped.pt_x;
    *ynew = mapped.pt_y;
    *znew = mapped.pt_z;
    return 0;
}

extern "C" RK_API int Rk_TransformApplyToPoint(const Rk_TransformStruct* tform, const Rk_PointStruct* pt,
                                               Rk_PointStruct* newpt)
{
    *newpt = apply_point(*tform, *pt);
    return 0;
}

extern "C" RK_API int Rk_TransformApplyToVector(const Rk_TransformStruct* tform, const Rk_VectorStruct* vector,
                                                Rk_VectorStruct* newvector)
{
    return apply_vector(*tform, *vector, newvector);
}

extern "C" RK_API int Rk_TransformApplyToLine(const Rk_TransformStruct* tform, const Rk_LineStruct* line,
                                              Rk_LineStruct* newline)
{
    if (tform->is_identity) {
        *newline = *line;
        return 0;
    }
    const Rk_PointStruct p1 = map_point(tform->transform, line->point1);
    const Rk_PointStruct p2 = map_point(tform->transform, line->point2);
    Rk_LineStruct mapped = {};
    RK_TRY(Rk_LineSet(&mapped, &p1, &p2));
    *newline = mapped;
    return 0;
}

extern "C" RK_API int Rk_TransformApplyToPlane(const Rk_TransformStruct* tform, const Rk_PlaneStruct* plane,
                                               Rk_PlaneStruct* newplane)
{
    if (tform->is_identity) {
        *newplane = *plane;
        return 0;
    }
    const Rk_PointStruct point = map_point(tform->transform, plane->point);
    Rk_VectorStruct normal = {};
    RK_TRY(apply_vector(*tform, plane->normal, &normal));
    return Rk_PlaneSet(newplane, &point, &normal);
}

extern "C" RK_API int Rk_TransformDebugRpt(const Rk_TransformStruct* tform, Rk_ReportStruct* report)
{
    Matrix rows = {};
    Rk_TransformGet(tform, rows);
    return rk::dump::titled(report, "Transformation Matrix: ", [report, &rows] {
        for (const auto& row : rows)
            RK_TRY(rk::dump::line(report, kModule, " %6.3f   %6.3f   %6.3f", row[0], row[1], row[2]));
        return 0;
    });
}

extern "C" RK_API int Rk_TransformDebug(const Rk_TransformStruct* tform)
{
    return rk::dump::to_console(Rk_TransformDebugRpt, tform);
}
