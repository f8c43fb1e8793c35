// The registry-keys list: the expanded paths of the keys written for the
// product, in writing order, ANSI, one 260-byte record per path. The uninstall
// record lists them so that the uninstaller can remove the keys.
#pragma once

#include "engine/TextRecordList.h"

using RegistryKeyList = TextRecordList<260>;
