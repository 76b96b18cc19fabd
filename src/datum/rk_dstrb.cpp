// Distribution records: a name, two description lines and the parameters of one of ten types.
// Typed setters and getters serve the constant, normal and uniform types; a getter refuses a
// record of another type without writing any output.
#include <cstring>

#include "core/dump.hpp"
#include "core/fail.hpp"

namespace {

constexpr char kModule[] = "src/rk_dstrb";

// A bounded text field of `Max` characters and its terminator.
template <int Max>
struct Text {
    char chars[Max + 1];
};

// At most `Max` characters of `src`, zero-padded and terminated. Taking the copy before anything
// is written lets the source be a field of the very record being set.
template <int Max>
Text<Max> bounded(const char* src)
{
    Text<Max> text;
    rk_strncpy(text.chars, src, Max);
    return text;
}

// Writes all Max + 1 places of `field`, the padding included.
template <int Max>
void store(char* field, const Text<Max>& text)
{
    std::memcpy(field, text.chars, sizeof text.chars);
}

// What every typed setter does besides its own parameters: the type and both description lines.
void set_kind(Rk_DistribStruct* distrib, int type, const char* desc1, const char* desc2)
{
    const auto line1 = bounded<RK_DISTRIB_DESC_MAX>(desc1);
    const auto line2 = bounded<RK_DISTRIB_DESC_MAX>(desc2);
    store(distrib->desc[0], line1);
    store(distrib->desc[1], line2);
    distrib->type = type;
}

void get_desc(Rk_DistribStruct* distrib, char** desc1, char** desc2)
{
    *desc1 = distrib->desc[0];
    *desc2 = distrib->desc[1];
}

}  // namespace

extern "C" RK_API int Rk_DistribSetName(Rk_DistribStruct* distrib, const char* name)
{
    store(distrib->name, bounded<RK_DISTRIB_NAME_MAX>(name));
    return 0;
}

extern "C" RK_API int Rk_DistribSetDescLine1(Rk_DistribStruct* distrib, const char* line1)
{
    store(distrib->desc[0], bounded<RK_DISTRIB_DESC_MAX>(line1));
    return 0;
}

extern "C" RK_API int Rk_DistribSetConstantValues(Rk_DistribStruct* distrib, double nom, const char* desc1,
                                                  const char* desc2)
{
    set_kind(distrib, RK_DISTRIB_CONSTANT, desc1, desc2);
    distrib->typeinfo.constant.nom = nom;
    return 0;
}

extern "C" RK_API int Rk_DistribSetNormalValues(Rk_DistribStruct* distrib, double nom, double zone,
                                                double sigma, int trunc, double lowt, double hight,
                                                const char* desc1, const char* desc2)
{
    set_kind(distrib, RK_DISTRIB_NORMAL, desc1, desc2);
    distrib->typeinfo.normal = {nom, zone, sigma, trunc, lowt, hight};
    return 0;
}

extern "C" RK_API int Rk_DistribSetUniformValues(Rk_DistribStruct* distrib, double nom, double zone,
                                                 int trunc, double lowt, double hight, const char* desc1,
                                                 const char* desc2)
{
    set_kind(distrib, RK_DISTRIB_UNIFORM, desc1, desc2);
    distrib->typeinfo.uniform = {nom, zone, trunc, lowt, hight};
    return 0;
}

extern "C" RK_API int Rk_DistribGetName(const Rk_DistribStruct* distrib, char* name)
{
    store(name, bounded<RK_DISTRIB_NAME_MAX>(distrib->name));
    return 0;
}

extern "C" RK_API int Rk_DistribGetType(const Rk_DistribStruct* distrib, int* type)
{
    *type = distrib->type;
    return 0;
}

extern "C" RK_API int Rk_DistribGetDesc(Rk_DistribStruct* distrib, char** line1, char** line2)
{
    get_desc(distrib, line1, line2);
    return 0;
}

extern "C" RK_API int Rk_DistribGetConstantValues(Rk_DistribStruct* distrib, double* nom, char** desc1,
                                                  char** desc2)
{
    if (distrib->type != RK_DISTRIB_CONSTANT) return RK_FAIL(RK_ERR_CANNOT_SERVE);
    *nom = distrib->typeinfo.constant.nom;
    get_desc(distrib, desc1, desc2);
    return 0;
}

extern "C" RK_API int Rk_DistribGetNormalValues(Rk_DistribStruct* distrib, double* nom, double* zone,
                                                double* sigma, int* trunc, double* lowt, double* hight,
                                                char** desc1, char** desc2)
{
    if (distrib->type != RK_DISTRIB_NORMAL) return RK_FAIL(RK_ERR_CANNOT_SERVE);
    const auto& normal = distrib->typeinfo.normal;
    *nom = normal.nom;
    *zone = normal.zone;
    *sigma = normal.sigma;
    *trunc = normal.trunc;
    *lowt = normal.lowt;
    *hight = normal.hight;
    get_desc(distrib, desc1, desc2);
    return 0;
}

extern "C" RK_API int Rk_DistribGetUniformValues(Rk_DistribStruct* distrib, double* nom, double* zone,
                                                 int* trunc, double* lowt, double* hight, char** desc1,
                                                 char** desc2)
{
    if (distrib->type != RK_DISTRIB_UNIFORM) return RK_FAIL(RK_ERR_CANNOT_SERVE);
    const auto& uniform = distrib->typeinfo.uniform;
    *nom = uniform.nom;
    *zone = uniform.zone;
    *trunc = uniform.trunc;
    *lowt = uniform.lowt;
    *hight = uniform.hight;
    get_desc(distrib, desc1, desc2);
    return 0;
}

// ---- Dump ----

namespace {

const char* type_name(int type)
{
    static constexpr const char* kNames[] = {"Constant", "Normal",  "Discrete", "Pearson", "Percentile",
                                             "Weibull",  "Uniform", "Triangular", "Random", "Sample"};
    return type >= RK_DISTRIB_CONSTANT && type <= RK_DISTRIB_SAMPLE ? kNames[type - RK_DISTRIB_CONSTANT] : "Other";
}

// `trunc` 3 both limits set, 2 the upper only, 1 the lower only, anything else neither.
int truncation_line(Rk_ReportStruct* report, int trunc, double lowt, double hight)
{
    switch (trunc) {
    case 3:
        return rk::dump::line(report, kModule, "lower truncation %lf and upper truncation %lf", lowt, hight);
    case 2:
        return rk::dump::line(report, kModule, "lower truncation NOT SET and upper truncation %lf", hight);
    case 1:
        return rk::dump::line(report, kModule, "lower truncation %lf and upper truncation NOT SET", lowt);
    default:
        Rk_ReportWrite(report, "lower truncation NOT SET and upper truncation NOT SET");
        return 0;
    }
}

// The parameters of the constant, normal and uniform types, read through their getters.
int parameter_lines(Rk_DistribStruct* distrib, int type, Rk_ReportStruct* report)
{
    double nom = 0.0;
    double zone = 0.0;
    double sigma = 0.0;
    double lowt = 0.0;
    double hight = 0.0;
    int trunc = 0;
    char* desc1 = nullptr;
    char* desc2 = nullptr;
    switch (type) {
    case RK_DISTRIB_CONSTANT:
        RK_TRY(Rk_DistribGetConstantValues(distrib, &nom, &desc1, &desc2));
        RK_TRY(rk::dump::line(report, kModule, "Constant value %lf", nom));
        break;
    case RK_DISTRIB_NORMAL:
        RK_TRY(Rk_DistribGetNormalValues(distrib, &nom, &zone, &sigma, &trunc, &lowt, &hight, &desc1, &desc2));
        RK_TRY(rk::dump::line(report, kModule, "Nominal %lf range %lf sigma %lf", nom, zone, sigma));
        RK_TRY(truncation_line(report, trunc, lowt, hight));
        break;
    case RK_DISTRIB_UNIFORM:
        RK_TRY(Rk_DistribGetUniformValues(distrib, &nom, &zone, &trunc, &lowt, &hight, &desc1, &desc2));
        RK_TRY(rk::dump::line(report, kModule, "Nominal %lf range %lf", nom, zone));
        RK_TRY(truncation_line(report, trunc, lowt, hight));
        break;
    default:
        Rk_ReportWrite(report, "No further information for this distrib type");
        return 0;
    }
    RK_TRY(rk::dump::line(report, kModule, "Desc 1: %s", desc1));
    return rk::dump::line(report, kModule, "Desc 2: %s", desc2);
}

}  // namespace

// The getters hand out pointers into the record, hence their non-const argument; the dump only reads.
extern "C" RK_API int Rk_DistribDebugRpt(const Rk_DistribStruct* distrib, Rk_ReportStruct* report)
{
    Rk_DistribStruct* record = const_cast<Rk_DistribStruct*>(distrib);
    char name[RK_DISTRIB_NAME_MAX + 1];
    int type = 0;
    Rk_DistribGetName(distrib, name);
    Rk_DistribGetType(distrib, &type);
    rk::dump::Text title(kModule);
    RK_TRY(title.append("Distribution %s has type: %s", name, type_name(type)));
    return rk::dump::titled(report, title.c_str(),
                            [record, type, report] { return parameter_lines(record, type, report); });
}

extern "C" RK_API int Rk_DistribDebug(const Rk_DistribStruct* distrib)
{
    return rk::dump::to_console(Rk_DistribDebugRpt, distrib);
}
