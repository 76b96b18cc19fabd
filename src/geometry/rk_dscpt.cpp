// Discretized point sets: a surface sampled at points with optional normals, kept as rows
// (x, y, z, i, j, k) of a double table that the set owns. Every change of rows goes through the
// table; the quadratic searches read its columns in place once the table is known to be live.
#include <cmath>

#include "core/dump.hpp"
#include "core/fail.hpp"
#include "geometry/frame_transform.hpp"
#include "geometry/geometry.hpp"
#include "geometry/line_projector.hpp"

namespace {

constexpr char kModule[] = "src/rk_dscpt";

constexpr int kColumns = 6;
constexpr int kSortKeys[3] = {0, 1, 2};

// A normal whose three components are each within zero_eps of 0 (bound included) is no normal.
bool has_normal(double i, double j, double k)
{
    const double eps = rk::zero_eps();
    return !(std::fabs(i) <= eps && std::fabs(j) <= eps && std::fabs(k) <= eps);
}

double distance(const Rk_PointStruct& a, const Rk_PointStruct& b)
{
    const double dx = b.pt_x - a.pt_x, dy = b.pt_y - a.pt_y, dz = b.pt_z - a.pt_z;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

bool same_point(const Rk_PointStruct& a, const Rk_PointStruct& b) { return distance(a, b) < rk::point_eps(); }

// The cells of a live set, column by column. Valid until rows are added to that set.
struct Columns {
    const double* x;
    const double* y;
    const double* z;
    int count;

    Rk_PointStruct point(int r) const { return {x[r], y[r], z[r]}; }
};

// Error 1 from the table when the set was never initialised or has been freed.
int count_of(const Rk_DiscPtsStruct* set, int* count)
{
    int ncols = 0;
    RK_TRY(Rk_DblTableGetSize(&set->pt_table, &ncols, count));
    return ncols == kColumns ? 0 : RK_FAIL(RK_ERR_GENERAL);
}

int columns_of(const Rk_DiscPtsStruct* set, Columns* cols)
{
    int count = 0;
    RK_TRY(count_of(set, &count));
    double* const* blocks = set->pt_table.table.dtable;
    *cols = {blocks[0], blocks[1], blocks[2], count};
    return 0;
}

int refresh_count(Rk_DiscPtsStruct* set) { return count_of(set, &set->num_pts); }

int point_at(const Rk_DiscPtsStruct* set, int index, Rk_PointStruct* pt)
{
    double row[kColumns];
    RK_TRY(Rk_DblTableGetRow(&set->pt_table, index, row));
    *pt = {row[0], row[1], row[2]};
    return 0;
}

// Appends point `index` of `from` to `to`, with its normal when it has one.
int copy_point(const Rk_DiscPtsStruct* from, int index, Rk_DiscPtsStruct* to)
{
    Rk_PointStruct pt = {};
    Rk_VectorStruct normal = {};
    int norm_set = 0;
    RK_TRY(Rk_DiscPtsGetPt(from, index, &pt, &normal, &norm_set));
    return Rk_DiscPtsAddPt(to, &pt, &normal, norm_set);
}

// The first point at or after `from` equal to `p`, or -1.
int first_equal(const Columns& cols, const Rk_PointStruct& p, int from)
{
    for (int r = from; r < cols.count; ++r)
        if (same_point(p, cols.point(r))) return r;
    return -1;
}

// The largest square whose root is at most `length`: a pair whose squared distance is no more
// cannot be longer, so its root need not be taken.
double square_not_beyond(double length)
{
    if (length < 0.0) return -1.0;
    double square = length * length;
    while (std::sqrt(square) > length) square = std::nextafter(square, 0.0);
    return square;
}

// Every pair in (i, j) order; a pair replaces the best so far only when it is longer by more than
// zero_eps, so ties go to the first pair. Needs two points at least.
void farthest_pair(const Columns& cols, int* first, int* second)
{
    const double eps = rk::zero_eps();
    double longest = -1.0;
    double passed_over = square_not_beyond(longest);
    for (int i = 0; i < cols.count - 1; ++i) {
        const double ax = cols.x[i], ay = cols.y[i], az = cols.z[i];
        for (int j = i + 1; j < cols.count; ++j) {
            const double dx = cols.x[j] - ax, dy = cols.y[j] - ay, dz = cols.z[j] - az;
            const double square = dx * dx + dy * dy + dz * dz;
            if (square <= passed_over) continue;
            const double d = std::sqrt(square);
            if (longest + eps < d) {
                *first = i;
                *second = j;
                longest = d;
                passed_over = square_not_beyond(longest);
            }
        }
    }
}

// Least and greatest coordinates per axis: a coordinate below the least replaces it; only one
// that is not may replace the greatest.
struct Bounds {
    Rk_PointStruct lo;
    Rk_PointStruct hi;

    explicit Bounds(const Rk_PointStruct& p) : lo(p), hi(p) {}

    void include(const Rk_PointStruct& p)
    {
        widen(p.pt_x, lo.pt_x, hi.pt_x);
        widen(p.pt_y, lo.pt_y, hi.pt_y);
        widen(p.pt_z, lo.pt_z, hi.pt_z);
    }

private:
    static void widen(double v, double& low, double& high)
    {
        if (v < low)
            low = v;
        else if (v > high)
            high = v;
    }
};

// The indexes of the points with the least and the greatest x coordinate in `frame` (strict
// comparisons: ties keep the lower index).
void extremes_along(const Columns& cols, const Rk_RefFrameStruct& frame, int* low, int* high)
{
    const Rk_VectorStruct& axis = frame.x_axis;
    const double origin_along = rk::dot(rk::as_vector(frame.origin), axis);
    const auto along = [&](int r) { return rk::dot(rk::as_vector(cols.point(r)), axis) - origin_along; };
    int lo = 0, hi = 0;
    double lo_value = along(0), hi_value = lo_value;
    for (int r = 1; r < cols.count; ++r) {
        const double v = along(r);
        if (v < lo_value) {
            lo = r;
            lo_value = v;
        } else if (v > hi_value) {
            hi = r;
            hi_value = v;
        }
    }
    *low = lo;
    *high = hi;
}

// The normal (i, j, k) turned by the rotation rows alone: i·row0 + j·row1 + k·row2.
void turn_normal(const Rk_TransformStruct& tfm, double* n)
{
    if (tfm.is_identity) return;
    const double(&t)[4][3] = tfm.transform;
    const double i = n[0], j = n[1], k = n[2];
    for (int c = 0; c < 3; ++c) n[c] = t[0][c] * i + t[1][c] * j + t[2][c] * k;
}

// Appends to `new_set`, without normals, the point `pick` makes of each point of `set` when it
// keeps one, then removes the duplicates of `new_set`. `pick(p, &out, &keep)` returns 1 on failure.
template <class Pick>
int append_picked(const Rk_DiscPtsStruct* set, Rk_DiscPtsStruct* new_set, Pick pick)
{
    // The count is taken once: `new_set` may be `set` itself.
    int count = 0;
    RK_TRY(count_of(set, &count));
    for (int r = 0; r < count; ++r) {
        Rk_PointStruct p = {}, out = {};
        bool keep = false;
        RK_TRY(point_at(set, r, &p));
        RK_TRY(pick(p, &out, &keep));
        if (keep) RK_TRY(Rk_DiscPtsAddPt(new_set, &out, nullptr, 0));
    }
    return Rk_DiscPtsRemoveDupPts(new_set);
}

}  // namespace

extern "C" RK_API int Rk_DiscPtsInit(Rk_DiscPtsStruct* discpts)
{
    RK_TRY(Rk_DblTableInit(&discpts->pt_table, kColumns));
    discpts->num_pts = 0;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsFree(Rk_DiscPtsStruct* discpts)
{
    RK_TRY(Rk_DblTableFree(&discpts->pt_table));
    discpts->num_pts = 0;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsClear(Rk_DiscPtsStruct* discpts)
{
    RK_TRY(Rk_DblTableClear(&discpts->pt_table));
    discpts->num_pts = 0;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGetNumPts(const Rk_DiscPtsStruct* discpts, int* num_pts)
{
    *num_pts = discpts->num_pts;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsAddPt(Rk_DiscPtsStruct* discpts, const Rk_PointStruct* new_pt,
                                      const Rk_VectorStruct* normal, int norm_set)
{
    int count = 0;
    RK_TRY(count_of(discpts, &count));  // a row has exactly six cells only in a point set's table
    const Rk_VectorStruct n = norm_set ? *normal : Rk_VectorStruct{0.0, 0.0, 0.0};
    const double row[kColumns] = {new_pt->pt_x, new_pt->pt_y, new_pt->pt_z, n.i_comp, n.j_comp, n.k_comp};
    RK_TRY(Rk_DblTableAddRow(&discpts->pt_table, row));
    return refresh_count(discpts);
}

extern "C" RK_API int Rk_DiscPtsAddAllPts(Rk_DiscPtsStruct* discpts, const Rk_DiscPtsStruct* add_pts)
{
    // The count is taken once, so a set added to itself is doubled rather than chased forever.
    int count = 0;
    RK_TRY(count_of(add_pts, &count));
    for (int r = 0; r < count; ++r) RK_TRY(copy_point(add_pts, r, discpts));
    return refresh_count(discpts);
}

extern "C" RK_API int Rk_DiscPtsGetPt(const Rk_DiscPtsStruct* discpts, int index, Rk_PointStruct* pt,
                                      Rk_VectorStruct* normal, int* norm_set)
{
    int count = 0;
    RK_TRY(count_of(discpts, &count));
    double row[kColumns];
    RK_TRY(Rk_DblTableGetRow(&discpts->pt_table, index, row));
    *pt = {row[0], row[1], row[2]};
    if (!has_normal(row[3], row[4], row[5])) {
        *norm_set = 0;
        return 0;
    }
    *normal = {row[3], row[4], row[5]};
    *norm_set = 1;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsFindPt(const Rk_DiscPtsStruct* discpts, const Rk_PointStruct* pt, int* index,
                                       int* found)
{
    *found = 0;
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    const int hit = first_equal(cols, *pt, 0);
    if (hit < 0) return 0;
    *index = hit;
    *found = 1;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsRemovePoint(Rk_DiscPtsStruct* discpts, const Rk_PointStruct* rmv_point)
{
    const Rk_PointStruct target = *rmv_point;
    // Rows before a removed one were not equal, so each search goes on from there.
    for (int from = 0;;) {
        Columns cols = {};
        RK_TRY(columns_of(discpts, &cols));
        from = first_equal(cols, target, from);
        if (from < 0) return 0;
        RK_TRY(Rk_DblTableRemoveRow(&discpts->pt_table, from));
        RK_TRY(refresh_count(discpts));
    }
}

extern "C" RK_API int Rk_DiscPtsSort(Rk_DiscPtsStruct* discpts)
{
    return Rk_DblTableSort(&discpts->pt_table, 3, kSortKeys);
}

extern "C" RK_API int Rk_DiscPtsRemoveDupPts(Rk_DiscPtsStruct* discpts)
{
    RK_TRY(Rk_DiscPtsSort(discpts));
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    // A run of equal neighbours collapses onto its first member. Removing rows moves cells within
    // their blocks, so the columns stay readable.
    int count = cols.count;
    for (int i = 0; i < count - 1;) {
        if (same_point(cols.point(i), cols.point(i + 1))) {
            RK_TRY(Rk_DblTableRemoveRow(&discpts->pt_table, i + 1));
            --count;
        } else {
            ++i;
        }
    }
    return refresh_count(discpts);
}

extern "C" RK_API int Rk_DiscPtsApplyTransform(Rk_DiscPtsStruct* discpts, const Rk_TransformStruct* tfm)
{
    const Rk_TransformStruct motion = *tfm;
    int count = 0;
    RK_TRY(count_of(discpts, &count));
    for (int r = 0; r < count; ++r) {
        double row[kColumns];
        RK_TRY(Rk_DblTableGetRow(&discpts->pt_table, r, row));
        Rk_TransformApply(&motion, row[0], row[1], row[2], &row[0], &row[1], &row[2]);
        if (has_normal(row[3], row[4], row[5])) turn_normal(motion, row + 3);
        RK_TRY(Rk_DblTableSetRow(&discpts->pt_table, r, row));
    }
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGetNearestPt(const Rk_DiscPtsStruct* discpts, const Rk_PointStruct* pt, int* index)
{
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    if (cols.count == 0) return RK_FAIL(RK_ERR_GENERAL);
    const Rk_PointStruct p = *pt;
    const double eps = rk::zero_eps();
    int nearest = 0;
    double shortest = distance(p, cols.point(0));
    for (int r = 1; r < cols.count; ++r) {
        const double d = distance(p, cols.point(r));
        if (d + eps < shortest) {
            nearest = r;
            shortest = d;
        }
    }
    *index = nearest;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGet2FarthestPts(const Rk_DiscPtsStruct* discpts, int* pt1_index, int* pt2_index)
{
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    if (cols.count < 2) return RK_FAIL(RK_ERR_GENERAL);
    farthest_pair(cols, pt1_index, pt2_index);
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGet3FarthestPts(const Rk_DiscPtsStruct* discpts, int* pt1_index, int* pt2_index,
                                                int* pt3_index, double* area)
{
    *area = 0.0;
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    if (cols.count < 3) return RK_FAIL(RK_ERR_GENERAL);
    int first = 0, second = 1;
    farthest_pair(cols, &first, &second);
    *pt1_index = first;
    *pt2_index = second;
    const Rk_PointStruct a = cols.point(first), b = cols.point(second);
    if (same_point(a, b)) {
        *pt3_index = first;
        return 0;
    }
    const double base = distance(a, b);
    Rk_LineStruct line = {};
    RK_TRY(Rk_LineSet(&line, &a, &b));
    rk::LineProjector onto(line);
    const double eps = rk::zero_eps();
    for (int r = 0; r < cols.count; ++r) {
        const Rk_PointStruct p = cols.point(r);
        Rk_PointStruct foot = {};
        RK_TRY(onto.project(p, &foot));
        const double t = base * distance(p, foot) * 0.5;
        if (*area + eps < t) {
            *pt3_index = r;
            *area = t;
        }
    }
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGetAveragePt(const Rk_DiscPtsStruct* discpts, Rk_PointStruct* average_pt)
{
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    if (cols.count == 0) return RK_FAIL(RK_ERR_GENERAL);
    double sx = 0.0, sy = 0.0, sz = 0.0;
    for (int r = 0; r < cols.count; ++r) {
        sx += cols.x[r];
        sy += cols.y[r];
        sz += cols.z[r];
    }
    const double n = cols.count;
    *average_pt = {sx / n, sy / n, sz / n};
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGetBoundingBox(const Rk_DiscPtsStruct* discpts, double* xmin, double* xmax,
                                               double* ymin, double* ymax, double* zmin, double* zmax)
{
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    if (cols.count == 0) return RK_FAIL(RK_ERR_GENERAL);
    Bounds box(cols.point(0));
    for (int r = 1; r < cols.count; ++r) box.include(cols.point(r));
    *xmin = box.lo.pt_x;
    *xmax = box.hi.pt_x;
    *ymin = box.lo.pt_y;
    *ymax = box.hi.pt_y;
    *zmin = box.lo.pt_z;
    *zmax = box.hi.pt_z;
    return 0;
}

extern "C" RK_API int Rk_DiscPtsGetCenterPt(const Rk_DiscPtsStruct* discpts, const Rk_RefFrameStruct* frame,
                                            Rk_PointStruct* center)
{
    Columns cols = {};
    RK_TRY(columns_of(discpts, &cols));
    if (cols.count == 0) return RK_FAIL(RK_ERR_GENERAL);
    const Rk_RefFrameStruct f = *frame;
    Bounds box(rk::world_to_frame(f, cols.point(0)));
    for (int r = 1; r < cols.count; ++r) box.include(rk::world_to_frame(f, cols.point(r)));
    const Rk_PointStruct middle = {(box.lo.pt_x + box.hi.pt_x) / 2.0, (box.lo.pt_y + box.hi.pt_y) / 2.0,
                                   (box.lo.pt_z + box.hi.pt_z) / 2.0};
    return Rk_RefFrameTransformFramePt(&f, &middle, center);
}

extern "C" RK_API int Rk_DiscPtsGetExtentPts(const Rk_DiscPtsStruct* discpts, const Rk_RefFrameStruct* frame,
                                             double delta, Rk_DiscPtsStruct* extentpts)
{
    // The sweep ends only when its step is positive.
    if (!(delta > 0.0)) return RK_FAIL(RK_ERR_GENERAL);
    int count = 0;
    RK_TRY(count_of(discpts, &count));
    if (count == 0) return 0;
    if (count <= 2) return Rk_DiscPtsAddAllPts(extentpts, discpts);

    const Rk_VectorStruct x = frame->x_axis, z = frame->z_axis;
    Rk_RefFrameStruct swept = {};
    swept.origin = frame->origin;
    for (long k = 0;; ++k) {
        // Multiples of delta, not a running sum, so rounding does not add a pass; 0 · inf is no angle.
        const double g = k == 0 ? 0.0 : static_cast<double>(k) * delta;
        if (!(g < 180.0)) break;
        Rk_VectorStruct turned = {};
        RK_TRY(Rk_VectorRotate(&x, &z, g, &turned));
        RK_TRY(Rk_RefFrameSetAxesByZX(&swept, &z, &turned));
        // Read afresh each pass: `extentpts` may be this very set, whose blocks grow as it is appended to.
        Columns cols = {};
        RK_TRY(columns_of(discpts, &cols));
        cols.count = count;
        int low = 0, high = 0;
        extremes_along(cols, swept, &low, &high);
        RK_TRY(copy_point(discpts, low, extentpts));
        RK_TRY(copy_point(discpts, high, extentpts));
    }
    return Rk_DiscPtsRemoveDupPts(extentpts);
}

extern "C" RK_API int Rk_DiscPtsGetPtsOnLine(const Rk_DiscPtsStruct* discpts, const Rk_LineStruct* line,
                                             Rk_DiscPtsStruct* new_set)
{
    const Rk_LineStruct kept_line = *line;
    rk::LineProjector onto(kept_line);
    return append_picked(discpts, new_set, [&](const Rk_PointStruct& p, Rk_PointStruct* out, bool* keep) {
        Rk_PointStruct foot = {};
        RK_TRY(onto.project(p, &foot));
        *out = p;
        *keep = same_point(p, foot);
        return 0;
    });
}

extern "C" RK_API int Rk_DiscPtsGetPtsOnPlane(const Rk_DiscPtsStruct* discpts, const Rk_PlaneStruct* plane,
                                              Rk_DiscPtsStruct* new_set)
{
    const Rk_PlaneStruct kept_plane = *plane;
    return append_picked(discpts, new_set, [&](const Rk_PointStruct& p, Rk_PointStruct* out, bool* keep) {
        Rk_PointStruct foot = {};
        RK_TRY(Rk_PointProjOnPlane(&p, &kept_plane, &foot));
        *out = p;
        *keep = same_point(p, foot);
        return 0;
    });
}

extern "C" RK_API int Rk_DiscPtsProjOnLine(const Rk_DiscPtsStruct* discpts, const Rk_LineStruct* line,
                                           Rk_DiscPtsStruct* new_set)
{
    const Rk_LineStruct kept_line = *line;
    rk::LineProjector onto(kept_line);
    return append_picked(discpts, new_set, [&](const Rk_PointStruct& p, Rk_PointStruct* out, bool* keep) {
        *keep = true;
        return onto.project(p, out);
    });
}

extern "C" RK_API int Rk_DiscPtsProjOnPlane(const Rk_DiscPtsStruct* discpts, const Rk_PlaneStruct* plane,
                                            Rk_DiscPtsStruct* new_set)
{
    const Rk_PlaneStruct kept_plane = *plane;
    return append_picked(discpts, new_set, [&](const Rk_PointStruct& p, Rk_PointStruct* out, bool* keep) {
        *keep = true;
        return Rk_PointProjOnPlane(&p, &kept_plane, out);
    });
}

// One line a point, numbered from 0; the normal's columns only for a point that has one.
extern "C" RK_API int Rk_DiscPtsDebugRpt(const Rk_DiscPtsStruct* discpts, Rk_ReportStruct* report)
{
    return rk::dump::titled(report, "Discretized Point Set", [discpts, report] {
        int count = 0;
        RK_TRY(Rk_DiscPtsGetNumPts(discpts, &count));
        RK_TRY(rk::dump::line(report, kModule, " Set contains %d point(s)", count));
        if (count > 0) Rk_ReportWrite(report, "Index\t\t\tLocation  \t\t  Surface Normal");
        for (int i = 0; i < count; ++i) {
            Rk_PointStruct p = {};
            Rk_VectorStruct n = {};
            int norm_set = 0;
            RK_TRY(Rk_DiscPtsGetPt(discpts, i, &p, &n, &norm_set));
            if (norm_set)
                RK_TRY(rk::dump::line(report, kModule, "%-5d  %9.2f,%9.2f,%9.2f   %9.2f,%9.2f,%9.2f", i, p.pt_x,
                                      p.pt_y, p.pt_z, n.i_comp, n.j_comp, n.k_comp));
            else
                RK_TRY(rk::dump::line(report, kModule, "%-5d  %9.2f,%9.2f,%9.2f", i, p.pt_x, p.pt_y, p.pt_z));
        }
        return 0;
    });
}

extern "C" RK_API int Rk_DiscPtsDebug(const Rk_DiscPtsStruct* discpts)
{
    return rk::dump::to_console(Rk_DiscPtsDebugRpt, discpts);
}
