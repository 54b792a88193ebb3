#include "document/SystemFacts.h"

#include "common/Rounding.h"

#include <QGuiApplication>
#include <QLocale>
#include <QScreen>

#include <optional>

namespace {

std::optional<TSystemFacts>& FactsOverride() {
    static std::optional<TSystemFacts> Override;
    return Override;
}

int ScreenPixelsPerInch() {
    const QScreen* Screen =
        QGuiApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
    if (Screen == nullptr)
        return 96;
    const int Dpi = RoundToInt(Screen->logicalDotsPerInch());
    return Dpi > 0 ? Dpi : 96;
}

} // namespace

TSystemFacts SystemFacts() {
    if (FactsOverride())
        return *FactsOverride();
    const QLocale Locale = QLocale::system();
    TSystemFacts Facts;
    Facts.USMeasurement = Locale.measurementSystem() == QLocale::ImperialUSSystem;
    Facts.JapaneseLanguage = Locale.language() == QLocale::Japanese;
    Facts.PixelsPerInch = ScreenPixelsPerInch();
    return Facts;
}

void OverrideSystemFacts(const TSystemFacts* Facts) {
    if (Facts != nullptr)
        FactsOverride() = *Facts;
    else
        FactsOverride().reset();
}
