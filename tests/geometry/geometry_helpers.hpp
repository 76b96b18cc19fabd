// Builders, vector arithmetic worked out apart from the library, comparisons of records of doubles, and
// the fixture of the geometry and datum tests, whose refusal table checks the error and untouched outputs.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "rk_basekit.h"
#include "rk_test.hpp"

namespace geomtest {

constexpr double kPi = 3.14159265358979323846;

inline Rk_PointStruct P(double x, double y, double z) { return {x, y, z}; }
inline Rk_VectorStruct V(double i, double j, double k) { return {i, j, k}; }
inline Rk_LineStruct L(Rk_PointStruct a, Rk_PointStruct b) { return {a, b}; }
inline Rk_PlaneStruct Pl(Rk_PointStruct p, Rk_VectorStruct n) { return {p, n}; }
inline Rk_ArcStruct A(Rk_PointStruct c, Rk_VectorStruct n, double r) { return {c, n, r}; }

inline double Dot(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return a.i_comp * b.i_comp + a.j_comp * b.j_comp + a.k_comp * b.k_comp;
}
inline Rk_VectorStruct Cross(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return {a.j_comp * b.k_comp - a.k_comp * b.j_comp, a.k_comp * b.i_comp - a.i_comp * b.k_comp,
            a.i_comp * b.j_comp - a.j_comp * b.i_comp};
}
inline double Norm(const Rk_VectorStruct& a) { return std::sqrt(Dot(a, a)); }
inline Rk_VectorStruct Scale(const Rk_VectorStruct& a, double s) { return {a.i_comp * s, a.j_comp * s, a.k_comp * s}; }
inline Rk_VectorStruct Unit(const Rk_VectorStruct& a) { return Scale(a, 1.0 / Norm(a)); }
// head - tail, and p moved s times d.
inline Rk_VectorStruct Sub(const Rk_PointStruct& head, const Rk_PointStruct& tail)
{
    return {head.pt_x - tail.pt_x, head.pt_y - tail.pt_y, head.pt_z - tail.pt_z};
}
inline Rk_PointStruct Along(const Rk_PointStruct& p, const Rk_VectorStruct& d, double s)
{
    return {p.pt_x + s * d.i_comp, p.pt_y + s * d.j_comp, p.pt_z + s * d.k_comp};
}
// The unsigned angle between two vectors, and the unit vector `degrees` from world x toward y.
inline double AngleDeg(const Rk_VectorStruct& a, const Rk_VectorStruct& b)
{
    return std::atan2(Norm(Cross(a, b)), Dot(a, b)) * 180.0 / kPi;
}
inline Rk_VectorStruct AtDegrees(double deg) { return {std::cos(deg * kPi / 180), std::sin(deg * kPi / 180), 0}; }

inline Rk_VectorStruct RandomVector(std::mt19937& gen, double range = 10.0)
{
    std::uniform_real_distribution<double> u(-range, range);
    return {u(gen), u(gen), u(gen)};
}
inline Rk_PointStruct RandomPoint(std::mt19937& gen, double range = 10.0)
{
    const Rk_VectorStruct v = RandomVector(gen, range);
    return {v.i_comp, v.j_comp, v.k_comp};
}
// The point of frame coordinates p: origin + p.x X + p.y Y + p.z Z.
inline Rk_PointStruct Carry(const Rk_RefFrameStruct& m, const Rk_PointStruct& p)
{
    return Along(Along(Along(m.origin, m.x_axis, p.pt_x), m.y_axis, p.pt_y), m.z_axis, p.pt_z);
}
// A random right-handed orthonormal frame.
inline Rk_RefFrameStruct RandomFrame(std::mt19937& gen)
{
    const Rk_VectorStruct z = Unit(RandomVector(gen)), x = Unit(Cross(RandomVector(gen), z));
    return {x, Cross(z, x), z, RandomPoint(gen)};
}

const Rk_RefFrameStruct kWorld = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}};
// Origin (1, 2, 3), x along world y, y along world -x.
const Rk_RefFrameStruct kTurned = {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}, {1, 2, 3}};

// The transform that carries the world frame onto `f` (rows x, y, z, origin).
inline Rk_TransformStruct OfFrame(const Rk_RefFrameStruct& f)
{
    Rk_TransformStruct t;
    EXPECT_EQ(Rk_TransformSetByRefFrame(&t, &f), 0);
    return t;
}

// The doubles of a record made of nothing else (point, vector, line, plane, frame, arc), in words.
template <class T>
std::vector<double> Values(const T& r)
{
    std::vector<double> v(sizeof r / sizeof(double));
    std::memcpy(v.data(), &r, sizeof r);
    return v;
}
template <class T>
std::string Show(const T& r)
{
    std::string s = "(";
    for (double d : Values(r)) s += std::to_string(d) + " ";
    return s + ")";
}

// Every double of `got` within `tol` of `want` (a NaN is never near).
template <class T>
::testing::AssertionResult Near(const T& got, const T& want, double tol)
{
    const std::vector<double> g = Values(got), w = Values(want);
    for (std::size_t i = 0; i < g.size(); ++i)
        if (!(std::fabs(g[i] - w[i]) <= tol))
            return ::testing::AssertionFailure() << "got " << Show(got) << ", want " << Show(want) << " within " << tol;
    return ::testing::AssertionSuccess();
}

// Byte for byte: for records without padding.
template <class T>
bool Same(const T& a, const T& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// The address of a temporary, valid for the call it is passed to.
template <class T>
T* Ptr(T&& value) { return &value; }

// A call that cannot fail succeeds.
#define OK(call) EXPECT_EQ((call), 0) << #call

// What a query writes through its last argument (an int unless said); the query must succeed. The
// output starts as 0x7F bytes, so an output left unwritten reads as no plausible answer.
template <class Out = int, class F, class... Args>
Out Query(F query, Args... args)
{
    Out out;
    std::memset(&out, 0x7F, sizeof out);
    EXPECT_EQ(query(args..., &out), 0);
    return out;
}

struct Refusal {
    const char* why;
    long id;
    const char* where;  // location prefix of the error, "rk_vec(" for src/rk_vec
    std::function<int()> call;
};

// A refusal named by its call: error `id` raised in src/rk_<module>.
#define REFUSES(id, module, call) \
    ::geomtest::Refusal { #call, id, "rk_" #module "(", [&] { return call; } }

class GeomTest : public rktest::LibraryTest {
protected:
    // Each call fails with its error and leaves `untouched()` true.
    void ExpectRefusals(const std::vector<Refusal>& rows, const std::function<bool()>& untouched)
    {
        for (const Refusal& r : rows) {
            SCOPED_TRACE(r.why);
            EXPECT_EQ(r.call(), 1);
            EXPECT_TRUE(NextErrorIs(r.id, r.where));
            EXPECT_TRUE(untouched()) << "an output was written";
        }
    }
};

}  // namespace geomtest
