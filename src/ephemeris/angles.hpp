#pragma once

namespace orbitel {

// Angle helpers of the engine, in radians.

// x - Int(x / DeuxPi) * DeuxPi: any finite x lands in [0, DeuxPi).
double reduit_2pi(float x);

// Direction of the point (x, y), in [0, 2 pi). On the axis x = 0 it gives the limits pi/2 and
// 3 pi/2 (and 0 at the origin) instead of dividing by zero.
double arctan2(double y, double x);

// Arcsine and arccosine written through the arctangent. The argument is clamped to [-1, 1]:
// rounding can push the cosine of an azimuth on the meridian just past 1, and the answer there is
// the limit, 0 or pi, not a failure.
double arcsin(double x);
double arccos(double x);

} // namespace orbitel
