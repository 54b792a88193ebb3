#include "panels/TFormPageProps.h"

#include "panels/TPanelFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* NumberField() {
    auto* Field = new QSpinBox;
    Field->setRange(0, 10000);
    Field->setMinimumWidth(53);
    return Field;
}

} // namespace

TFormPageProps::TFormPageProps(QWidget* Parent) : QDockWidget(Parent) {
    setObjectName(QStringLiteral("FormPageProps"));
    setWindowTitle(QStringLiteral("Page properties"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    CB_PaperTypes = new QComboBox;
    E_Width = NumberField();
    E_Length = NumberField();
    CB_Orientation = new QComboBox;
    CB_Orientation->addItem(QStringLiteral("Portrait"), 0);
    CB_Orientation->addItem(QStringLiteral("Landscape"), 1);
    E_MTop = NumberField();
    E_MLeft = NumberField();
    E_MBottom = NumberField();
    E_MRight = NumberField();

    auto* Paper = new QGroupBox(QStringLiteral("Paper"));
    auto* PaperGrid = new QGridLayout(Paper);
    CompactGrid(PaperGrid);
    PaperGrid->addWidget(new QLabel(QStringLiteral("Type")), 0, 0, 1, 2);
    PaperGrid->addWidget(CB_PaperTypes, 1, 0, 1, 2);
    PaperGrid->addWidget(new QLabel(QStringLiteral("Width")), 2, 0);
    PaperGrid->addWidget(new QLabel(QStringLiteral("Length")), 2, 1);
    PaperGrid->addWidget(E_Width, 3, 0);
    PaperGrid->addWidget(E_Length, 3, 1);
    PaperGrid->addWidget(new QLabel(QStringLiteral("Orientation")), 4, 0, 1, 2);
    PaperGrid->addWidget(CB_Orientation, 5, 0, 1, 2);

    auto* Margins = new QGroupBox(QStringLiteral("Margins"));
    auto* MarginGrid = new QGridLayout(Margins);
    CompactGrid(MarginGrid);
    MarginGrid->addWidget(new QLabel(QStringLiteral("Top")), 0, 0);
    MarginGrid->addWidget(new QLabel(QStringLiteral("Left")), 0, 1);
    MarginGrid->addWidget(E_MTop, 1, 0);
    MarginGrid->addWidget(E_MLeft, 1, 1);
    MarginGrid->addWidget(new QLabel(QStringLiteral("Bottom")), 2, 0);
    MarginGrid->addWidget(new QLabel(QStringLiteral("Right")), 2, 1);
    MarginGrid->addWidget(E_MBottom, 3, 0);
    MarginGrid->addWidget(E_MRight, 3, 1);
    MarginGrid->setRowStretch(4, 1);

    auto* Body = new QWidget;
    auto* Column = new QVBoxLayout(Body);
    Column->setContentsMargins(4, 4, 4, 4);
    Column->setSpacing(4);
    Column->addWidget(Paper);
    Column->addWidget(Margins, 1);
    Body->setMinimumWidth(134);
    SetPanelBody(this, Body);

    setTabOrder(CB_PaperTypes, E_Width);
    setTabOrder(E_Width, E_Length);
    setTabOrder(E_Length, CB_Orientation);
    setTabOrder(CB_Orientation, E_MTop);
    setTabOrder(E_MTop, E_MLeft);
    setTabOrder(E_MLeft, E_MBottom);
    setTabOrder(E_MBottom, E_MRight);
}

void TFormPageProps::EnableControls(bool Enabled) {
    widget()->setEnabled(Enabled);
}

void TFormPageProps::LoadPage(const TReportPage* Page) {
    Clear();
    // Showing the page's values belongs to the page panel proper; until then every load clears.
    (void)Page;
}

void TFormPageProps::Clear() {
    CB_PaperTypes->setCurrentIndex(-1);
    CB_Orientation->setCurrentIndex(-1);
    for (QSpinBox* Field : {E_Width, E_Length, E_MTop, E_MLeft, E_MBottom, E_MRight})
        Field->clear();
}
