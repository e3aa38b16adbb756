// Built-in functions computed in double precision must give what the extended computation gives
// rounded to double, or a neighbour of it: checked per function over a large sample spanning the
// double range, and against values of an independent extended-precision run-time library.
#include <gtest/gtest.h>

#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <string>

#include "tolvex/intrinsics/functions.h"
#include "tolvex/intrinsics/intrinsic.h"

namespace tolvex::test {
namespace {

// Distance in units in the last place; both finite.
std::int64_t UlpDistance(double a, double b) {
    const auto ordered = [](double x) {
        const auto bits = std::bit_cast<std::int64_t>(x);
        return bits < 0 ? std::numeric_limits<std::int64_t>::min() - bits : bits;
    };
    const std::int64_t d = ordered(a) - ordered(b);
    return d < 0 ? -d : d;
}

// What the evaluation makes of a result: a finite double, or the failure class (NaN, or an
// infinity or overflow of either sign).
std::string Outcome(long double v) {
    if (std::isnan(v)) return "nan";
    if (v > DBL_MAX) return "+inf";
    if (v < -DBL_MAX) return "-inf";
    return "finite";
}

const IntrinsicRow* RowNamed(const std::string& name) {
    for (int i = 0; i < IntrinsicCount(); ++i)
        if (IntrinsicAt(i).className == "TM" + name) return &IntrinsicAt(i);
    return nullptr;
}

// Arguments: small ones uniformly, all magnitudes of both signs, integers and the unit interval.
double Sample(std::mt19937_64& random, int family) {
    switch (family) {
        case 0: return std::uniform_real_distribution<double>(-8.0, 8.0)(random);
        case 1: {
            const double magnitude = std::pow(10.0, std::uniform_real_distribution<double>(-310.0, 308.0)(random));
            return random() & 1 ? magnitude : -magnitude;
        }
        case 2: return static_cast<double>(std::uniform_int_distribution<int>(-2000, 2000)(random));
        default: return std::uniform_real_distribution<double>(-1.0, 1.0)(random);
    }
}

TEST(PrecisionTest, DoubleKernelsGiveTheExtendedResultOrItsNeighbour) {
    int kernels = 0;
    for (int i = 0; i < IntrinsicCount(); ++i) {
        const IntrinsicRow& row = IntrinsicAt(i);
        if (!row.kernel.real) continue;
        ++kernels;
        std::mt19937_64 random(20261209 + i);
        int finite = 0;
        for (int n = 0; n < 160000; ++n) {
            const double x = Sample(random, n % 4);
            const long double extended = row.kernel.compute(x);
            const double real = row.kernel.real(x);
            ASSERT_EQ(Outcome(real), Outcome(extended)) << row.className << "(" << x << ")";
            if (Outcome(real) != "finite") continue;
            ++finite;
            ASSERT_LE(UlpDistance(real, static_cast<double>(extended)), 1) << row.className << "(" << x << ")";
        }
        EXPECT_GT(finite, 40000) << row.className;  // the sample reaches the domain
    }
    EXPECT_EQ(kernels, 13);
}

// The double-only forms skip the test of a function's argument where the function keeps a
// non-finite one; a function said to keep it that gave a finite value would hide an overflow.
TEST(PrecisionTest, KernelsKeepNonFiniteArgumentsExactlyWhereTheySaySo) {
    const double nonFinite[] = {INFINITY, -INFINITY, NAN};
    int keeping = 0;
    for (int i = 0; i < IntrinsicCount(); ++i) {
        const IntrinsicRow& row = IntrinsicAt(i);
        if (!row.kernel.real) continue;
        bool keeps = true;
        for (double x : nonFinite) keeps = keeps && !std::isfinite(row.kernel.real(x));
        EXPECT_EQ(KeepsNonFinite(row.kernel.real), keeps) << row.className;
        keeping += keeps;
    }
    EXPECT_EQ(keeping, 11);  // all but Exp and ArcTan
    EXPECT_FALSE(KeepsNonFinite(nullptr));
}

// Values of the functions at spot arguments computed in extended precision by the Free Pascal
// run-time library and rounded to double (bits of the double).
TEST(PrecisionTest, DoubleKernelsAgreeWithAnIndependentLibrary) {
    struct Spot {
        const char* function;
        double x;
        std::uint64_t bits;
    };
    const Spot spots[] = {
        {"Sin", 0.125, 0x3FBFEAAEEE86EE36}, {"Cos", 0.125, 0x3FEFC015527D5BD3}, {"Tan", 0.125, 0x3FC01577AF1511A5},
        {"ArcTan", 0.125, 0x3FBFD5BA9AAC2F6E}, {"Cosh", 0.125, 0x3FF0200AAC16DB6F},
        {"Exp", 0.125, 0x3FF2216045B6F5CD}, {"ArcSin", 0.125, 0x3FC00ABE0C129E1E},
        {"ArcCos", 0.125, 0x3FF720A392C1D955}, {"Ln", 0.125, 0xC000A2B23F3BAB73}, 
        {"Log2", 0.125, 0xC008000000000000}, {"Sqrt", 0.125, 0x3FD6A09E667F3BCD}, {"Sin", 0.5, 0x3FDEAEE8744B05F0},
        {"Cos", 0.5, 0x3FEC1528065B7D50}, {"Tan", 0.5, 0x3FE17B4F5BF3474A}, {"ArcTan", 0.5, 0x3FDDAC670561BB4F},
        {"Cosh", 0.5, 0x3FF20AC1862AE8D0}, 
        {"Exp", 0.5, 0x3FFA61298E1E069C}, {"ArcSin", 0.5, 0x3FE0C152382D7366}, {"ArcCos", 0.5, 0x3FF0C152382D7366},
        {"Ln", 0.5, 0xBFE62E42FEFA39EF}, {"Log2", 0.5, 0xBFF0000000000000},
        {"Sqrt", 0.5, 0x3FE6A09E667F3BCD}, {"Sin", 0.75, 0x3FE5CFFC16BF8F0D}, {"Cos", 0.75, 0x3FE769FEC655211F},
        {"Tan", 0.75, 0x3FEDCFA36110EEEC}, {"ArcTan", 0.75, 0x3FE4978FA3269EE1}, 
        {"Cosh", 0.75, 0x3FF4B705D1E5D6A8}, {"Exp", 0.75, 0x4000EF9DB467DCF8},
        {"ArcSin", 0.75, 0x3FEB235315C680DC}, {"ArcCos", 0.75, 0x3FE720A392C1D955}, {"Ln", 0.75, 0xBFD269621134DB92},
        {"Log2", 0.75, 0xBFDA8FF971810A5E}, {"Sqrt", 0.75, 0x3FEBB67AE8584CAA},
        {"Sin", 1, 0x3FEAED548F090CEE}, {"Cos", 1, 0x3FE14A280FB5068C}, {"Tan", 1, 0x3FF8EB245CBEE3A6},
        {"ArcTan", 1, 0x3FE921FB54442D18}, {"Cosh", 1, 0x3FF8B07551D9F550},
        {"Exp", 1, 0x4005BF0A8B145769}, {"ArcSin", 1, 0x3FF921FB54442D18},
        {"ArcCos", 1, 0x0000000000000000}, {"Ln", 1, 0x0000000000000000}, 
        {"Log2", 1, 0x0000000000000000}, {"Sqrt", 1, 0x3FF0000000000000}, {"Sin", 2.5, 0x3FE326AF0DCFCAB1},
        {"Cos", 2.5, 0xBFE9A2F7EF858B7D}, {"Tan", 2.5, 0xBFE7E79B4E00BB15}, {"ArcTan", 2.5, 0x3FF30B6D796A4DA8},
        {"Cosh", 2.5, 0x40188776E4B30AA3}, 
        {"Exp", 2.5, 0x40285D6FD931E0BB}, {"Ln", 2.5, 0x3FED5240F0E0E078}, 
        {"Log2", 2.5, 0x3FF5269E12F346E3}, {"Sqrt", 2.5, 0x3FF94C583ADA5B53}, {"Sin", -0.75, 0xBFE5CFFC16BF8F0D},
        {"Cos", -0.75, 0x3FE769FEC655211F}, {"Tan", -0.75, 0xBFEDCFA36110EEEC}, {"ArcTan", -0.75, 0xBFE4978FA3269EE1},
        {"Cosh", -0.75, 0x3FF4B705D1E5D6A8}, 
        {"Exp", -0.75, 0x3FDE3B40EBEFCD7E}, {"ArcSin", -0.75, 0xBFEB235315C680DC}, {"ArcCos", -0.75, 0x400359D26F93B6C3},
        {"Sin", 10, 0xBFE1689EF5F34F52}, {"Cos", 10, 0xBFEAD9AC890C6B1F}, {"Tan", 10, 0x3FE4BF5F34BE3782},
        {"ArcTan", 10, 0x3FF789BD2C160054}, {"Cosh", 10, 0x40C5829DD053712D},
        {"Exp", 10, 0x40D5829DCF950560}, {"Ln", 10, 0x40026BB1BBB55516},
        {"Log2", 10, 0x400A934F0979A371}, {"Sqrt", 10, 0x40094C583ADA5B53},
        {"Sin", 100, 0xBFE03425B78C4DB8}, {"Cos", 100, 0x3FEB981DBF665FDF}, {"Tan", 100, 0xBFE2CA74D62B5D38},
        {"ArcTan", 100, 0x3FF8F905EB2DEF22}, {"Cosh", 100, 0x48E3494A9B171BF5},
        {"Exp", 100, 0x48F3494A9B171BF5}, {"Ln", 100, 0x40126BB1BBB55516},
        {"Log2", 100, 0x401A934F0979A371}, {"Sqrt", 100, 0x4024000000000000},
    };
    for (const Spot& s : spots) {
        const IntrinsicRow* row = RowNamed(s.function);
        ASSERT_TRUE(row && row->kernel.real) << s.function;
        EXPECT_LE(UlpDistance(row->kernel.real(s.x), std::bit_cast<double>(s.bits)), 1) << s.function << "(" << s.x << ")";
    }
}

// "^" squares with one product: the extended square rounded to double or its neighbour, over the
// sample and against the Free Pascal run-time's Power(x, 2) at bases where pow is one unit off.
TEST(PrecisionTest, SquaresGiveTheExtendedSquareOrItsNeighbour) {
    std::mt19937_64 random(20261209);
    for (int n = 0; n < 400000; ++n) {
        const double x = Sample(random, n % 4);
        const long double extended = static_cast<long double>(x) * x;
        const double square = PowerReal(x, 2);
        ASSERT_EQ(Outcome(square), Outcome(extended)) << x;
        if (Outcome(square) == "finite") {
            ASSERT_LE(UlpDistance(square, static_cast<double>(extended)), 1) << x;
        }
    }
    const struct {
        std::uint64_t base, power;
    } spots[] = {{0x45AA71027FB942B7, 0x4B65D93329334AC5}, {0x54E3D90DB41476E2, 0x69D89F010F7101FE},
                 {0x599D4D955552AB40, 0x734AD55AC40957B1}, {0x2427B4A1A8E477A7, 0x08618FA400A52538},
                 {0x3FF8000000000001, 0x4002000000000002}, {0xC00921FB54442D18, 0x4023BD3CC9BE45DE}};
    for (const auto& s : spots) {
        const double x = std::bit_cast<double>(s.base);
        EXPECT_LE(UlpDistance(PowerReal(x, 2), std::bit_cast<double>(s.power)), 1) << x;
        EXPECT_EQ(PowerReal(x, 2), x * x) << x;
    }
}

}  // namespace
}  // namespace tolvex::test
