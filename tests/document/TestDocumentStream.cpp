// Pages and items written to and read from component streams.

#include "PageTestSupport.h"
#include "WorkedExample.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/DocumentStream.h"
#include "document/TReportPage.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

template <typename F> std::string ErrorOf(F&& Action) {
    try {
        Action();
    } catch (const TException& E) {
        return E.what();
    }
    return {};
}

} // namespace

TEST(DocumentStream, NewPageIsWrittenAsTheWorkedExample) {
    const TFixedSystem System(false);
    TReportPage Page;
    Page.SetPrintIfEmpty(true);
    EXPECT_EQ(WritePageStream(Page), ExampleStream(ExamplePageRecords, {}));
}

int main(int argc, char** argv) {
    // Test discovery runs the program without the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
