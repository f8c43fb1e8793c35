// One archive volume record of the setup description: its location text and
// whether it lives on removable media (then the reader never falls back to the
// staging copy of the volume).
#pragma once

struct VolumeEntry {
    bool media = false;
    char text[260] = {};
};
