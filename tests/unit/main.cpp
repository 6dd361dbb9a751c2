// doctest's own runner: each test case can be run alone by name (--test-case), which is how
// CTest runs them.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest/doctest.h>
