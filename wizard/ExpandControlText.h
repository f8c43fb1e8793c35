// A page's text that names the product: its layout's text refers to setup
// variables (such as "<LONGAPPNAME>"), which are replaced by their values
// when the page opens, so that every language can place the name where its
// grammar wants it.
#pragma once

#include "platform/Windows.h"

class KIVDialog;
struct SetupState;

// Replaces the variable references in the text of control id of page.
void ExpandControlText(KIVDialog& page, LONG id, const SetupState& state);
