#include "panels/TFormDataSource.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TDataMerge.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStringList>
#include <QTableWidget>
#include <QVBoxLayout>

#include <exception>

namespace {

QSpinBox* SequenceField(int Value) {
    auto* Field = new QSpinBox;
    // Whole numbers either way; NumberSequence refuses a step that does not reach TO.
    Field->setRange(-999999999, 999999999);
    Field->setValue(Value);
    Field->setMinimumWidth(90);
    return Field;
}

} // namespace

TDataSample ReadDataSample(TDataSource& Source, int Count) {
    TDataSample Sample;
    Sample.Columns = Source.Columns();
    TCsvRecord Record;
    while (static_cast<int>(Sample.Records.size()) < Count && Source.Next(Record))
        Sample.Records.push_back(Record);
    return Sample;
}

TFormDataSource::TFormDataSource(const TReportPage& Page, const QString& Folder, TAsk Ask,
                                 QWidget* Parent)
    : QDialog(Parent), FAsk(std::move(Ask)), FFolder(Folder) {
    setObjectName(QStringLiteral("FormDataSource"));
    setWindowTitle(QStringLiteral("Data source"));

    RB_None = new QRadioButton(QStringLiteral("None"));
    RB_CsvFile = new QRadioButton(QStringLiteral("CSV file"));
    RB_Sequence = new QRadioButton(QStringLiteral("Number sequence"));
    E_FileName = new QLineEdit;
    E_FileName->setMinimumWidth(280);
    B_Browse = new QPushButton(QStringLiteral("Browse..."));
    E_From = SequenceField(1);
    E_To = SequenceField(100);
    E_Step = SequenceField(1);
    CB_MergeMode = new QComboBox;
    CB_MergeMode->addItem(QStringLiteral("One record per page"));
    CB_MergeMode->addItem(QStringLiteral("One record per item"));
    G_Preview = new QTableWidget;
    G_Preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    G_Preview->setSelectionMode(QAbstractItemView::NoSelection);
    G_Preview->setMinimumHeight(180);
    L_Error = new QLabel;
    L_Error->setWordWrap(true);
    L_Error->setTextInteractionFlags(Qt::TextSelectableByMouse);
    L_Error->setMinimumHeight(180);
    L_Error->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    L_Error->hide();
    Buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    auto* Source = new QGroupBox(QStringLiteral("Records"));
    auto* SourceGrid = new QGridLayout(Source);
    SourceGrid->addWidget(RB_None, 0, 0);
    SourceGrid->addWidget(RB_CsvFile, 1, 0);
    SourceGrid->addWidget(E_FileName, 1, 1);
    SourceGrid->addWidget(B_Browse, 1, 2);
    SourceGrid->addWidget(RB_Sequence, 2, 0);
    auto* Numbers = new QHBoxLayout;
    for (const auto& [Caption, Field] :
         {std::pair{"From", E_From}, std::pair{"To", E_To}, std::pair{"Step", E_Step}}) {
        Numbers->addWidget(new QLabel(QString::fromLatin1(Caption)));
        Numbers->addWidget(Field);
    }
    Numbers->addStretch(1);
    SourceGrid->addLayout(Numbers, 2, 1, 1, 2);
    SourceGrid->setColumnStretch(1, 1);

    auto* Mode = new QHBoxLayout;
    Mode->addWidget(new QLabel(QStringLiteral("Merge mode")));
    Mode->addWidget(CB_MergeMode);
    Mode->addStretch(1);

    auto* Column = new QVBoxLayout(this);
    Column->addWidget(Source);
    Column->addLayout(Mode);
    Column->addWidget(new QLabel(QStringLiteral("First %1 records").arg(PreviewRecords)));
    Column->addWidget(G_Preview, 1);
    Column->addWidget(L_Error, 1);
    Column->addWidget(Buttons);
    resize(600, 440);

    const QString Stored = Page.DataSource();
    const QString SequencePrefix = SequenceDataSource(QString());
    CB_MergeMode->setCurrentIndex(static_cast<int>(Page.MergeMode()));
    if (Stored.isEmpty()) {
        RB_None->setChecked(true);
    } else if (Stored.startsWith(SequencePrefix)) {
        RB_Sequence->setChecked(true);
        const QStringList Parts = Stored.mid(SequencePrefix.size()).split(QLatin1Char(':'));
        QSpinBox* Fields[] = {E_From, E_To, E_Step};
        for (qsizetype I = 0; I < Parts.size() && I < 3; ++I) {
            bool Ok = false;
            const int Value = Parts[I].toInt(&Ok);
            if (Ok)
                Fields[I]->setValue(Value);
        }
    } else {
        RB_CsvFile->setChecked(true);
        E_FileName->setText(QDir::cleanPath(QDir(FFolder).absoluteFilePath(Stored)));
    }

    for (QRadioButton* Choice : {RB_None, RB_CsvFile, RB_Sequence})
        connect(Choice, &QRadioButton::toggled, this, [this](bool On) {
            if (On)
                RB_SourceClick();
        });
    connect(E_FileName, &QLineEdit::editingFinished, this, &TFormDataSource::ShowPreview);
    connect(B_Browse, &QPushButton::clicked, this, &TFormDataSource::B_BrowseClick);
    for (QSpinBox* Field : {E_From, E_To, E_Step})
        connect(Field, &QSpinBox::valueChanged, this, &TFormDataSource::ShowPreview);
    connect(Buttons, &QDialogButtonBox::accepted, this, &TFormDataSource::accept);
    connect(Buttons, &QDialogButtonBox::rejected, this, &TFormDataSource::reject);
    RB_SourceClick();
}

TFormDataSource::~TFormDataSource() = default;

QString TFormDataSource::SequenceText() const {
    return QStringLiteral("%1:%2:%3").arg(E_From->value()).arg(E_To->value()).arg(E_Step->value());
}

QString TFormDataSource::DataSourceValue() const {
    if (RB_CsvFile->isChecked()) {
        const QDir Folder(FFolder);
        return Folder.relativeFilePath(Folder.absoluteFilePath(E_FileName->text()));
    }
    if (RB_Sequence->isChecked())
        return SequenceDataSource(SequenceText());
    return {};
}

TMergeMode TFormDataSource::MergeModeValue() const {
    return CB_MergeMode->currentIndex() == static_cast<int>(mmRecordPerItem) ? mmRecordPerItem
                                                                             : mmRecordPerPage;
}

std::unique_ptr<TDataSource> TFormDataSource::OpenChosen() const {
    if (RB_CsvFile->isChecked()) {
        if (E_FileName->text().trimmed().isEmpty())
            Raise(Msg::DataFileNotChosen);
        return OpenDataFile(QDir(FFolder).absoluteFilePath(E_FileName->text()));
    }
    if (RB_Sequence->isChecked())
        return NumberSequence(SequenceText());
    return nullptr;
}

void TFormDataSource::RB_SourceClick() {
    const bool File = RB_CsvFile->isChecked();
    const bool Numbers = RB_Sequence->isChecked();
    E_FileName->setEnabled(File);
    B_Browse->setEnabled(File);
    for (QSpinBox* Field : {E_From, E_To, E_Step})
        Field->setEnabled(Numbers);
    ShowPreview();
}

void TFormDataSource::B_BrowseClick() {
    QString Name = E_FileName->text();
    if (!FAsk.FileName(this, Name, FFolder))
        return;
    E_FileName->setText(Name);
    ShowPreview();
}

void TFormDataSource::ShowPreview() {
    G_Preview->clear();
    G_Preview->setRowCount(0);
    G_Preview->setColumnCount(0);
    try {
        const std::unique_ptr<TDataSource> Source = OpenChosen();
        if (Source) {
            const TDataSample Sample = ReadDataSample(*Source, PreviewRecords);
            QStringList Headers;
            for (const QString& Column : Sample.Columns)
                Headers << Column;
            G_Preview->setColumnCount(static_cast<int>(Headers.size()));
            G_Preview->setHorizontalHeaderLabels(Headers);
            G_Preview->setRowCount(static_cast<int>(Sample.Records.size()));
            QStringList Numbers;
            for (std::size_t Row = 0; Row < Sample.Records.size(); ++Row) {
                const TCsvRecord& Record = Sample.Records[Row];
                Numbers << QString::number(Record.Number);
                for (std::size_t Field = 0; Field < Record.Fields.size(); ++Field)
                    G_Preview->setItem(static_cast<int>(Row), static_cast<int>(Field),
                                       new QTableWidgetItem(Record.Fields[Field]));
            }
            G_Preview->setVerticalHeaderLabels(Numbers);
            G_Preview->resizeColumnsToContents();
        }
        L_Error->hide();
        L_Error->clear();
        G_Preview->show();
    } catch (const std::exception& Error) {
        L_Error->setText(QString::fromStdString(Error.what()));
        G_Preview->hide();
        L_Error->show();
    }
}

void TFormDataSource::accept() {
    try {
        if (const std::unique_ptr<TDataSource> Source = OpenChosen())
            ReadDataSample(*Source, PreviewRecords);
    } catch (const std::exception& Error) {
        FAsk.Error(this, QString::fromStdString(Error.what()));
        return;
    }
    QDialog::accept();
}
