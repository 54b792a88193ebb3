#include "panels/TFormCalibration.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QDoubleSpinBox* OffsetField(double Limit, const QString& Name, QWidget* Parent) {
    auto* Field = new QDoubleSpinBox(Parent);
    Field->setObjectName(Name);
    Field->setRange(-Limit, Limit);
    Field->setDecimals(1);
    Field->setSingleStep(0.1);
    Field->setSuffix(QStringLiteral(" mm"));
    return Field;
}

} // namespace

TFormCalibration::TFormCalibration(const QStringList& Printers, const QString& Current,
                                   double Limit, TAsk Ask, QWidget* Parent)
    : QDialog(Parent), FAsk(std::move(Ask)) {
    setWindowTitle(QStringLiteral("Printer calibration"));
    CB_Printer = new QComboBox(this);
    CB_Printer->setObjectName(QStringLiteral("CB_Printer"));
    CB_Printer->addItems(Printers);
    CB_Printer->setCurrentIndex(std::max(0, static_cast<int>(Printers.indexOf(Current))));
    E_OffsetX = OffsetField(Limit, QStringLiteral("E_OffsetX"), this);
    E_OffsetY = OffsetField(Limit, QStringLiteral("E_OffsetY"), this);
    B_PrintSheet = new QPushButton(QStringLiteral("Print calibration sheet"), this);
    B_PrintSheet->setObjectName(QStringLiteral("B_PrintSheet"));
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* Fields = new QFormLayout;
    Fields->addRow(QStringLiteral("&Printer:"), CB_Printer);
    Fields->addRow(QStringLiteral("Move the print &right by:"), E_OffsetX);
    Fields->addRow(QStringLiteral("Move the print &down by:"), E_OffsetY);
    auto* Hint = new QLabel(
        QStringLiteral("The sheet's crosses are 10 mm from the paper's edges. Measure the top "
                       "left one from the left and the top edge: the offset is what it is now, "
                       "plus 10 mm, minus what you measured."),
        this);
    Hint->setWordWrap(true);
    auto* Layout = new QVBoxLayout(this);
    Layout->addLayout(Fields);
    Layout->addWidget(Hint);
    Layout->addWidget(B_PrintSheet);
    Layout->addWidget(Buttons);
    connect(Buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(CB_Printer, &QComboBox::currentIndexChanged, this, [this] { CB_PrinterChange(); });
    connect(B_PrintSheet, &QPushButton::clicked, this,
            [this] { FAsk.PrintSheet(this, PrinterValue(), OffsetsValue()); });
    B_PrintSheet->setEnabled(!Printers.isEmpty());
    Buttons->button(QDialogButtonBox::Ok)->setEnabled(!Printers.isEmpty());
    CB_PrinterChange();
}

QString TFormCalibration::PrinterValue() const {
    return CB_Printer->currentText();
}

TFormCalibration::TOffsets TFormCalibration::OffsetsValue() const {
    return {E_OffsetX->value(), E_OffsetY->value()};
}

void TFormCalibration::CB_PrinterChange() {
    if (PrinterValue().isEmpty())
        return;
    const TOffsets Kept = FAsk.Load(PrinterValue());
    E_OffsetX->setValue(Kept.X);
    E_OffsetY->setValue(Kept.Y);
}
