// Orrery: prints where the planets stand around the Sun today (or on the
// date given as YYYY-MM-DD) and keeps the table as "Orrery report.txt" in
// its own folder, with the line ends of the machine it was made for.
#include "Orbits.h"

#include <cstdio>
#include <ctime>
#include <string>

namespace {

struct Date {
    int year = 0, month = 0, day = 0;
};

bool ParseDate(const char* text, Date* date) {
    char rest = 0;
    return std::sscanf(text, "%4d-%2d-%2d%c", &date->year, &date->month, &date->day, &rest) == 3 &&
           date->month >= 1 && date->month <= 12 && date->day >= 1 && date->day <= 31;
}

Date Today() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    return {utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday};
}

std::string Report(const Date& date) {
    char line[128];
    std::snprintf(line, sizeof line,
                  "Orrery Planetarium 1.4: the planets on %04d-%02d-%02d\r\n\r\n", date.year,
                  date.month, date.day);
    std::string report = line;
    const long days = DaysSinceEpoch(date.year, date.month, date.day);
    for (const Planet& planet : kPlanets) {
        std::snprintf(line, sizeof line, "%-8s %6.2f AU  longitude %6.2f degrees\r\n", planet.name,
                      planet.distance, MeanLongitude(planet, days));
        report += line;
    }
    return report;
}

// The folder of the program, from the path it was started with.
std::string OwnFolder(const char* program) {
    const std::string path = program;
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

} // namespace

int main(int argc, char** argv) {
    Date date = Today();
    if (argc > 1 && !ParseDate(argv[1], &date)) {
        std::fprintf(stderr, "usage: Orrery [YYYY-MM-DD]\n");
        return 2;
    }
    const std::string report = Report(date);
    std::fputs(report.c_str(), stdout);
    const std::string path = OwnFolder(argv[0]) + "/Orrery report.txt";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written =
        file && std::fwrite(report.data(), 1, report.size(), file) == report.size();
    if (file && std::fclose(file) != 0)
        return 1;
    return written ? 0 : 1;
}
