// The C library's stream open for Windows-form paths: code that would call
// fopen("C:\\...") on Windows calls PlatformFopen, which maps the path to the
// host (PathMap.h) and opens it there. Text mode ("t") and binary mode ("b")
// are accepted and behave alike, as on the host.
#pragma once

#include <cstdio>

FILE* PlatformFopen(const char* windowsPath, const char* mode);
