#include "panels/TFormPageProps.h"

#include "common/Rounding.h"
#include "document/TReportPage.h"
#include "panels/TPanelFields.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QVBoxLayout>

namespace {

TNumberField* NumberField() {
    auto* Field = new TNumberField;
    Field->setMinimumWidth(53);
    return Field;
}

} // namespace

TFormPageProps::TFormPageProps(QWidget* Parent) : QDockWidget(Parent) {
    setObjectName(QStringLiteral("FormPageProps"));
    setWindowTitle(QStringLiteral("Page properties"));
    setAllowedAreas(Qt::LeftDockWidgetArea | Qt::RightDockWidgetArea);

    CB_PaperTypes = new QComboBox;
    CB_PaperTypes->setUpdatesEnabled(false);
    CB_PaperTypes->clear();
    for (std::size_t I = 0; I < PaperSizeCount; ++I) {
        const std::string_view Name = PaperSizeName(static_cast<TPaperSize>(I));
        CB_PaperTypes->addItem(
            QString::fromLatin1(Name.data(), static_cast<qsizetype>(Name.size())));
    }
    CB_PaperTypes->setUpdatesEnabled(true);
    NarrowList(CB_PaperTypes);
    E_Width = NumberField();
    E_Length = NumberField();
    CB_Orientation = new QComboBox;
    CB_Orientation->setUpdatesEnabled(false);
    CB_Orientation->addItem(QStringLiteral("Portrait"), 0);
    CB_Orientation->addItem(QStringLiteral("Landscape"), 1);
    CB_Orientation->setUpdatesEnabled(true);
    E_MTop = NumberField();
    E_MLeft = NumberField();
    E_MBottom = NumberField();
    E_MRight = NumberField();
    E_BarReduction = NumberField();
    E_BarReduction->setRange(0, 99);
    E_BarReduction->setToolTip(
        QStringLiteral("Printer dots each bar gives to its space, for printers that spread ink"));

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

    auto* Printing = new QGroupBox(QStringLiteral("Printing"));
    auto* PrintingGrid = new QGridLayout(Printing);
    CompactGrid(PrintingGrid);
    PrintingGrid->addWidget(new QLabel(QStringLiteral("Bar reduction (dots)")), 0, 0, 1, 2);
    PrintingGrid->addWidget(E_BarReduction, 1, 0);
    PrintingGrid->setRowStretch(2, 1);

    auto* Body = new QWidget;
    auto* Column = new QVBoxLayout(Body);
    Column->setContentsMargins(4, 4, 4, 4);
    Column->setSpacing(4);
    Column->addWidget(Paper);
    Column->addWidget(Margins);
    Column->addWidget(Printing, 1);
    Body->setMinimumWidth(134);
    SetPanelBody(this, Body);

    setTabOrder(CB_PaperTypes, E_Width);
    setTabOrder(E_Width, E_Length);
    setTabOrder(E_Length, CB_Orientation);
    setTabOrder(CB_Orientation, E_MTop);
    setTabOrder(E_MTop, E_MLeft);
    setTabOrder(E_MLeft, E_MBottom);
    setTabOrder(E_MBottom, E_MRight);
    setTabOrder(E_MRight, E_BarReduction);

    // Created with its lists filled and its fields empty.
    LoadPage(nullptr);

    for (QComboBox* List : {CB_PaperTypes, CB_Orientation})
        connect(List, &QComboBox::currentIndexChanged, this, &TFormPageProps::CB_PaperTypesChange);
    for (TNumberField* Field :
         {E_Width, E_Length, E_MTop, E_MLeft, E_MBottom, E_MRight, E_BarReduction}) {
        connect(Field, &TNumberField::Spun, this, &TFormPageProps::CB_PaperTypesChange);
        Field->installEventFilter(this);
    }
}

void TFormPageProps::EnableControls(bool Enabled) {
    for (QWidget* Field :
         std::initializer_list<QWidget*>{CB_PaperTypes, CB_Orientation, E_Width, E_Length, E_MTop,
                                         E_MLeft, E_MBottom, E_MRight, E_BarReduction})
        Field->setEnabled(Enabled);
}

void TFormPageProps::LoadPage(const TReportPage* Page) {
    if (FUpdating)
        return;
    const QScopedValueRollback Loading(FUpdating, true);
    if (Page != nullptr) {
        const TPageGeometry& Paper = Page->Page();
        LoadNumber(E_Width, RoundToInt(Paper.Width()));
        LoadNumber(E_Length, RoundToInt(Paper.Length()));
        CB_PaperTypes->setCurrentIndex(static_cast<int>(Paper.PaperSize()));
        CB_Orientation->setCurrentIndex(static_cast<int>(Paper.Orientation()));
        LoadNumber(E_MTop, RoundToInt(Paper.TopMargin()));
        LoadNumber(E_MLeft, RoundToInt(Paper.LeftMargin()));
        LoadNumber(E_MBottom, RoundToInt(Paper.BottomMargin()));
        LoadNumber(E_MRight, RoundToInt(Paper.RightMargin()));
        LoadNumber(E_BarReduction, Page->PrinterSettings().BarWidthReduction);
    } else {
        CB_PaperTypes->setCurrentIndex(-1);
        CB_Orientation->setCurrentIndex(-1);
        for (TNumberField* Field :
             {E_Width, E_Length, E_MTop, E_MLeft, E_MBottom, E_MRight, E_BarReduction})
            Field->clear();
    }
}

void TFormPageProps::ApplyChanges() {
    if (FUpdating)
        return;
    ForgetTyping(this);
    emit ApplyRequested();
}

void TFormPageProps::CB_PaperTypesChange() {
    ApplyChanges();
}

void TFormPageProps::E_WidthExit(QWidget* Sender) {
    // Disabling the focused field moves the focus away; that is no edit of the user's.
    if (Sender->isEnabled())
        ApplyChanges();
}

void TFormPageProps::E_WidthKeyPress() {
    ApplyChanges();
}

bool TFormPageProps::eventFilter(QObject* Watched, QEvent* Event) {
    auto* Field = qobject_cast<TNumberField*>(Watched);
    if (Field == nullptr)
        return QDockWidget::eventFilter(Watched, Event);
    switch (FieldEventOf(Event)) {
    case feExit:
        E_WidthExit(Field);
        break;
    case feLeaveWindow:
        // Only typing is applied when another window takes the focus; a look elsewhere is not.
        if (FieldEditor(Field) != nullptr && FieldEditor(Field)->isModified())
            E_WidthExit(Field);
        break;
    case feReturnKey:
        // The key stops here: the field never sees it.
        E_WidthKeyPress();
        return true;
    case feEnter:
    case feNone:
        break;
    }
    return QDockWidget::eventFilter(Watched, Event);
}
