#include <cstdlib>

#include <QApplication>
#include <gtest/gtest.h>

#include "studio/QtTranslations.hpp"

// Under the leak checker: the libraries below Qt keep caches for the life of
// the process; leaks of our own code are still reported.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\nleak:libQt6\nleak:libdbus\nleak:libX11\nleak:libxcb\nleak:libglib\n"
           "leak:libgobject\n";
}

// Widget tests need one application object; they draw on the offscreen
// platform unless told otherwise.
int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    velmora::studio::UseChineseQtTexts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
