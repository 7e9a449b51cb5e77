#pragma once

// The environment variable that names the pseudo-terminal the test user may not open.
inline constexpr const char *DeniedPortVariable = "QUILLON_TEST_DENIED_PORT";
// The group that may open it, when the test could give it one (started as root); else empty.
inline constexpr const char *DeniedPortGroupVariable = "QUILLON_TEST_DENIED_PORT_GROUP";
