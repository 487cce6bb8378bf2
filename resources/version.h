#pragma once
// The program's version, carried by the version resource; the update check compares against it.
#define VORLIX_VERSION_NUM 1, 0, 0, 1
#define VORLIX_VERSION_TEXT "1.0.0.1"
