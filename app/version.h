#pragma once
// The program's version, for its version resource: FILEVERSION holds
// major, minor, revision and a build number of 0.
#define VESHA_VERSION_MAJOR 1
#define VESHA_VERSION_MINOR 0
#define VESHA_VERSION_REVISION 0
#define VESHA_VERSION_TEXT "1.0.0"
