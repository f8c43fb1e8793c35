// Reads values that an earlier installation wrote back into the setup
// variables, so that a reinstallation proposes the same user, company and
// folder. Run once at start-up, before any page, when option 24 is set.
#pragma once

struct SetupState;

// For each registry key record in order: opens its expanded key path level
// by level for reading (the system registry for a WINREG key, else the
// registry file when option 6 is set) and stops the whole read-back at the
// first level that does not open. For each text value that refers to a
// variable, the key's value of the same name (ignoring case) becomes the
// variable's value: USERNAME, COMPANY and INSTALLDST only when options 26,
// 27 and 28 allow it, LANGUAGE never.
void ReadBackSetupVariables(SetupState& state);
