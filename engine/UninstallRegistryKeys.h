// UninstallRegistryKeys: removes the registry keys an uninstall record lists.
//
// The record names the keys the installation wrote; the values it wrote are
// known when the setup kept their names (a journal, or the values file beside
// the record): then only those go, and a key that holds others stays. When
// they are not known, what belongs to the product is decided by key: a listed
// key's values go with it, unless it holds a sub key that the record does
// not list (someone else built on it: the key stays whole, values included). The parents of
// the listed keys go when they become empty; a parent that holds a value or
// an unlisted sub key stays. A key directly under a root key always stays
// (a listed one loses its values). Deepest first, so a listed sub key is
// gone before its parent is looked at.
#pragma once

#include "engine/UninstallRecord.h"
#include "engine/UninstallRun.h"

void UninstallRegistryKeys(const UninstallRecord& record, UninstallRun& run);
