// Runs the core tests with the histories of their saves in a folder of the run's own, never the user's: every save
// records what it replaces under $XDG_CONFIG_HOME/Tavrik/history.

#include "TempRom.h"

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const TempDir settings;
    ::setenv("XDG_CONFIG_HOME", settings.path.c_str(), 1);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
