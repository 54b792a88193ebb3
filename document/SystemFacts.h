#pragma once

// What a new page takes from the system: the locale's measurement setting, the user-interface
// language and the screen's resolution.
struct TSystemFacts {
    bool USMeasurement = false;    // the locale measures in inches
    bool JapaneseLanguage = false; // the user interface speaks Japanese
    int PixelsPerInch = 96;        // primary screen, logical
};

// The facts of this system, or the override while one is installed.
TSystemFacts SystemFacts();

// Installs fixed facts (tests); nullptr goes back to asking the system.
void OverrideSystemFacts(const TSystemFacts* Facts);
