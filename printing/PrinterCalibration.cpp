#include "printing/PrinterCalibration.h"

#include "common/Messages.h"
#include "common/TException.h"

#include <QSettings>

#include <cmath>
#include <string>

namespace {

// The window's settings file, also for tessmira-cli, which prints on the same printers.
constexpr const char* Organization = "Tessmira";
constexpr const char* Application = "Tessmira";

QString Key(const QString& Printer, const char* Name) {
    // A queue's name holds no slash, which would open a group.
    return QStringLiteral("Calibration/%1/%2")
        .arg(QString(Printer).replace(QLatin1Char('/'), QLatin1Char('_')), QLatin1String(Name));
}

long double Offset(const QSettings& Settings, const QString& Printer, const char* Name) {
    bool Ok = false;
    const double Value = Settings.value(Key(Printer, Name)).toDouble(&Ok);
    // A damaged setting moves nothing.
    return Ok && std::isfinite(Value) && std::abs(Value) <= CalibrationLimit ? Value : 0;
}

} // namespace

TCalibration CalibrationOf(const QString& Printer) {
    const QSettings Settings{QString::fromLatin1(Organization), QString::fromLatin1(Application)};
    return {Offset(Settings, Printer, "OffsetX"), Offset(Settings, Printer, "OffsetY")};
}

void SetCalibration(const QString& Printer, const TCalibration& Value) {
    for (const long double Offset : {Value.OffsetX, Value.OffsetY})
        if (!std::isfinite(Offset) || std::abs(Offset) > CalibrationLimit)
            Raise(Msg::CalibrationOutOfRange, {std::to_string(static_cast<int>(CalibrationLimit)),
                                               std::to_string(static_cast<int>(CalibrationLimit))});
    QSettings Settings{QString::fromLatin1(Organization), QString::fromLatin1(Application)};
    if (Value == TCalibration{}) {
        Settings.remove(Key(Printer, "OffsetX"));
        Settings.remove(Key(Printer, "OffsetY"));
        return;
    }
    Settings.setValue(Key(Printer, "OffsetX"), static_cast<double>(Value.OffsetX));
    Settings.setValue(Key(Printer, "OffsetY"), static_cast<double>(Value.OffsetY));
    Settings.sync();
    if (Settings.status() != QSettings::NoError)
        Raise(Msg::CannotCreateFile,
              {Settings.fileName().toStdString(), "The settings cannot be written"});
}
