// The orientation quaternion, checked against the composition of the three
// single-axis rotations (heading about z, then pitch about y, then roll about x).
#include <gtest/gtest.h>

#include <cmath>

#include "flight/FlightUnits.h"
#include "flight/Quaternion.h"

namespace {

struct Quat {
    double w, x, y, z;
};

Quat multiply(const Quat& a, const Quat& b) {
    return {a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z, a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y,
            a.w * b.y - a.x * b.z + a.y * b.w + a.z * b.x, a.w * b.z + a.x * b.y - a.y * b.x + a.z * b.w};
}

// A rotation by `degrees` about one axis; M_PI based, independent of the plug-in's constant.
Quat aboutAxis(double degrees, int axis) {
    double half = degrees * M_PI / 180.0 / 2.0;
    Quat q{std::cos(half), 0, 0, 0};
    double s = std::sin(half);
    if (axis == 0) q.x = s;
    if (axis == 1) q.y = s;
    if (axis == 2) q.z = s;
    return q;
}

Quat composed(double heading, double pitch, double roll) {
    return multiply(multiply(aboutAxis(heading, 2), aboutAxis(pitch, 1)), aboutAxis(roll, 0));
}

// Within two units in the last place of a float: a computation carried out in
// single precision drifts further than that for the larger angles. Elements
// that should be 0 come out of the double cancellation as a few 1e-16.
void expectWithinUlps(double expected, float actual) {
    float reference = static_cast<float>(expected);
    float ulp = std::nextafter(std::fabs(reference), 1.0f) - std::fabs(reference);
    double tolerance = std::fmax(2.0 * ulp, 1e-12);
    EXPECT_LE(std::fabs(actual - reference), tolerance) << "expected " << expected << " got " << actual;
}

struct Angles {
    float heading, pitch, roll;
};

class QuaternionCompositionTest : public ::testing::TestWithParam<Angles> {};

TEST_P(QuaternionCompositionTest, MatchesHeadingThenPitchThenRoll) {
    Angles a = GetParam();
    Quaternion q = eulerToQuaternion(a.heading, a.pitch, a.roll);
    Quat expected = composed(a.heading, a.pitch, a.roll);
    expectWithinUlps(expected.w, q[0]);
    expectWithinUlps(expected.x, q[1]);
    expectWithinUlps(expected.y, q[2]);
    expectWithinUlps(expected.z, q[3]);
}

INSTANTIATE_TEST_SUITE_P(Spread, QuaternionCompositionTest,
                         ::testing::Values(Angles{0, 0, 0}, Angles{90, 0, 0}, Angles{0, 30, 0}, Angles{0, 0, -45},
                                           Angles{37.5f, 12.25f, -8.75f}, Angles{-10.7f, 5, 20}, Angles{-170, -80, 179},
                                           Angles{359.9f, 1, -1}, Angles{725.9f, -15, 60}, Angles{-1000.25f, 45, -135},
                                           Angles{180, 90, 0}, Angles{270, -90, 90}));

TEST(QuaternionTest, IsAUnitQuaternion) {
    for (float heading = -720; heading <= 720; heading += 37.3f) {
        Quaternion q = eulerToQuaternion(heading, heading / 9, -heading / 5);
        double norm = q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3];
        EXPECT_NEAR(1.0, norm, 1e-6) << heading;
    }
}

TEST(QuaternionTest, HeadingsAreNotNormalisedBeforeConversion) {
    // A full turn more flips the sign of every element (the half angle moves by 180 degrees).
    Quaternion base = eulerToQuaternion(30, 10, 5);
    Quaternion turned = eulerToQuaternion(390, 10, 5);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(-base[i], turned[i], 1e-6) << i;
    // Two full turns come back to the same elements.
    Quaternion twice = eulerToQuaternion(750, 10, 5);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(base[i], twice[i], 1e-6) << i;
}

TEST(QuaternionTest, PureHeadingTurnsAboutTheVerticalAxisOnly) {
    Quaternion q = eulerToQuaternion(90, 0, 0);
    EXPECT_FLOAT_EQ(static_cast<float>(std::sqrt(0.5)), q[0]);
    EXPECT_FLOAT_EQ(0.0f, q[1]);
    EXPECT_FLOAT_EQ(0.0f, q[2]);
    EXPECT_FLOAT_EQ(static_cast<float>(std::sqrt(0.5)), q[3]);
}

TEST(QuaternionTest, DegreesToRadiansComesFromTheFixedDivisor) {
    // The fixed divisor gives a value a few units in the last place away from pi / 180.
    EXPECT_EQ(0.017453292519943278, kDegreesToRadians);
    EXPECT_NE(M_PI / 180.0, kDegreesToRadians);
}

}  // namespace
