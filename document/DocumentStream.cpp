#include "document/DocumentStream.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/PageProperties.h"
#include "document/TReader.h"
#include "document/TReportPage.h"
#include "document/TWriter.h"

namespace {

// Names a failure while a property of a component was read: its name, or its stored class name
// when it has none, then the path and the error.
template <typename F>
void Wrapped(std::string_view ComponentName, std::string_view Path, F&& Action) {
    try {
        Action();
    } catch (const TException& Error) {
        Raise(Msg::ErrorReading, {ComponentName, ".", Path, Error.what()});
    }
}

void WritePageRecord(TWriter& Writer, const TReportPage& Page) {
    Writer.WriteStr(PageStreamName);
    Writer.WriteStr({});
    WriteProperties(Writer, Page, PageProperties());
    Writer.WriteListEnd();
    Writer.WriteListEnd();
}

} // namespace

std::string WritePageStream(const TReportPage& Page) {
    TWriter Writer;
    Writer.WriteSignature();
    WritePageRecord(Writer, Page);
    return Writer.Take();
}

void ReadPageStream(std::string_view Data, TReportPage& Page) {
    TReader Reader(Data);
    Reader.ReadSignature();
    std::uint8_t Flags;
    std::int32_t Position;
    Reader.ReadPrefix(Flags, Position);
    // The root's class and name are read past: the page keeps its own.
    Reader.ReadStr();
    Reader.ReadStr();

    Page.BeginLoading();
    while (!Reader.EndOfList()) {
        const std::string_view Path = Reader.ReadStr();
        Wrapped(PageStreamName, Path, [&] { ReadProperty(Reader, Page, PageProperties(), Path); });
    }
    Reader.ReadValue();
    while (!Reader.EndOfList()) {
        Reader.ReadPrefix(Flags, Position);
        // No item classes are known yet.
        Raise(Msg::ClassNotFound, {Reader.ReadStr()});
    }
    Reader.ReadValue();
    Page.Loaded();
}
