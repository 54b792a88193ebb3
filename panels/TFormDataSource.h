#pragma once

#include "common/TCsvReader.h"
#include "document/TReportPage.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;
class TDataSource;

// A source's columns and its first records, as far as they could be read.
struct TDataSample {
    std::vector<QString> Columns;
    std::vector<TCsvRecord> Records;
};
// The columns and up to Count records of a source just opened; the source's error travels on.
TDataSample ReadDataSample(TDataSource& Source, int Count);

// "Data source": where the page's records come from and how they fill it, with the first records
// of the choice shown as they read. It changes nothing: the main window takes the choice on OK.
class TFormDataSource : public QDialog {
    Q_OBJECT
public:
    static constexpr int PreviewRecords = 10;

    // How the dialog asks the window's user: for a file (the name goes in and comes back
    // chosen), and to read why OK is refused.
    struct TAsk {
        std::function<bool(QWidget* Parent, QString& FileName, const QString& Folder)> FileName;
        std::function<void(QWidget* Parent, const QString& Text)> Error;
    };

    // Loaded from the page; a file is named relative to Folder, the document's folder.
    TFormDataSource(const TReportPage& Page, const QString& Folder, TAsk Ask,
                    QWidget* Parent = nullptr);
    ~TFormDataSource() override;

    // What the page stores: a file relative to the folder, "sequence:FROM:TO:STEP", or empty.
    QString DataSourceValue() const;
    TMergeMode MergeModeValue() const;

    QRadioButton* RB_None = nullptr;
    QRadioButton* RB_CsvFile = nullptr;
    QRadioButton* RB_Sequence = nullptr;
    QLineEdit* E_FileName = nullptr;
    QPushButton* B_Browse = nullptr;
    QSpinBox* E_From = nullptr;
    QSpinBox* E_To = nullptr;
    QSpinBox* E_Step = nullptr;
    QComboBox* CB_MergeMode = nullptr;
    QTableWidget* G_Preview = nullptr;
    // The reason the chosen source cannot be read, shown in the table's place.
    QLabel* L_Error = nullptr;
    QDialogButtonBox* Buttons = nullptr;

public slots:
    // Refused, with the reason in a message, while the chosen source cannot be read.
    void accept() override;

private:
    void B_BrowseClick();
    void RB_SourceClick();
    void ShowPreview();
    // The chosen source; nullptr for None. Raises when it cannot be opened.
    std::unique_ptr<TDataSource> OpenChosen() const;
    QString SequenceText() const;

    TAsk FAsk;
    QString FFolder;
};
