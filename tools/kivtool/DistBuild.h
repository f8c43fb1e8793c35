// "kivtool dist build": a whole distribution medium from a project file.
// The medium is made in OUT_DIR.partial (its scratch volumes and a machine
// of its own, for the code page of member names, in OUT_DIR.work), checked,
// and only then renamed to OUT_DIR; a failure leaves neither behind.
#pragma once

#include <string>

struct DistBuildRequest {
    std::string project;
    std::string out;
    std::string setupProgram; // --setup-program, or empty
    std::string resources;    // --resources, or empty
};

// Prints "PROJECT:LINE: error: message" lines on stderr for what is wrong
// and a summary on stdout; returns the exit status (0 or 1).
int RunDistBuild(const DistBuildRequest& request);
