// The main of every GoogleTest program: the test environment is set here rather than by CTest, so
// that test discovery and a test run by hand see the same screen, fonts and locale.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>

#if defined(__SANITIZE_ADDRESS__)
// fontconfig keeps its caches until the process ends; under the sanitizers that is no leak of ours.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
#endif

int main(int argc, char** argv) {
    // No display, 96 pixels per inch, a metric locale: what the tests' expected values assume.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("LANG", "C.UTF-8", 1);
    // Printers are the tests' own scheduler's, never the machine's; a test may point elsewhere.
    setenv("CUPS_SERVER", TESSMIRA_TEST_CUPS_SERVER, 0);
    QApplication App(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
