// Whether the calling thread has initialised the component-object library
// (CoInitialize or OleInitialize not yet undone). Internal to the platform
// layer.
#pragma once

namespace ComThread {
bool Initialized();
}
