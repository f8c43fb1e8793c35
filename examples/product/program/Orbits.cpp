#include "Orbits.h"

#include <cmath>

// Mean longitudes and their rates from the published approximate Keplerian
// elements of the major planets, valid for 1800 to 2050 (Earth stands for the
// Earth-Moon barycentre).
const std::array<Planet, 8> kPlanets = {{
    {"Mercury", 252.25032350, 149472.67411175, 0.387},
    {"Venus", 181.97909950, 58517.81538729, 0.723},
    {"Earth", 100.46457166, 35999.37244981, 1.000},
    {"Mars", -4.55343205, 19140.30268499, 1.524},
    {"Jupiter", 34.39644051, 3034.74612775, 5.203},
    {"Saturn", 49.95424423, 1222.49362201, 9.537},
    {"Uranus", 313.23810451, 428.48202785, 19.189},
    {"Neptune", -55.12002969, 218.45945325, 30.070},
}};

// The days-from-civil count of the proleptic Gregorian calendar, with
// 1970-01-01 as day 0.
static long DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const long yearOfEra = year - era * 400;
    const long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

long DaysSinceEpoch(int year, int month, int day) {
    return DaysFromCivil(year, month, day) - DaysFromCivil(2000, 1, 1);
}

double MeanLongitude(const Planet& planet, long days) {
    const double centuries = static_cast<double>(days) / 36525.0;
    const double longitude =
        std::fmod(planet.longitudeAtEpoch + planet.degreesPerCentury * centuries, 360.0);
    return longitude < 0 ? longitude + 360.0 : longitude;
}
