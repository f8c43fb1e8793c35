// The planets' mean orbits: where each planet stands on its orbit, seen
// from the Sun, on a given day. Mean elements follow a planet around a
// circle at its average speed; that is what an orrery's gears show too.
#pragma once

#include <array>

struct Planet {
    const char* name;
    double longitudeAtEpoch; // mean longitude in degrees at 2000-01-01 12:00
    double degreesPerCentury;
    double distance; // mean distance from the Sun in astronomical units
};

extern const std::array<Planet, 8> kPlanets;

// Days from 2000-01-01 to the civil date (negative before it).
long DaysSinceEpoch(int year, int month, int day);

// The planet's mean longitude on that day at noon, in [0, 360) degrees.
double MeanLongitude(const Planet& planet, long days);
