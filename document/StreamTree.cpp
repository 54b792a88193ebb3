#include "document/StreamTree.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "document/TReader.h"

namespace {

void ParseComponent(TReader& Reader, TStreamVisitor& Visitor, TStreamValue& Value, int Depth) {
    if (Depth > TReader::MaxNesting)
        Raise(Msg::InvalidStreamFormat);
    const TReader::TComponentHead Head = Reader.ReadComponentHead();
    Visitor.BeginComponent(Head.Flags, Head.ChildPosition, Head.ClassName, Head.Name);
    Reader.ReadProperties([&](std::string_view Path) {
        Reader.ReadAnyValue(Value);
        Visitor.Property(Path, Value);
    });
    Reader.ReadChildren([&] { ParseComponent(Reader, Visitor, Value, Depth + 1); });
    Visitor.EndComponent();
}

class TTreeBuilder final : public TStreamVisitor {
public:
    TStreamComponent Root;

    void BeginComponent(std::uint8_t Flags, std::int32_t ChildPosition, std::string_view ClassName,
                        std::string_view Name) override {
        TStreamComponent& C = FOpen.empty() ? Root : FOpen.back()->Children.emplace_back();
        C.Flags = Flags;
        C.ChildPosition = ChildPosition;
        C.ClassName = ClassName;
        C.Name = Name;
        FOpen.push_back(&C);
    }
    void Property(std::string_view Path, const TStreamValue& Value) override {
        FOpen.back()->Properties.push_back({Path, Value});
    }
    void EndComponent() override { FOpen.pop_back(); }

private:
    // The components whose records are being read, the root first. A child is complete before
    // its parent's next child is added, so the pointers stay valid.
    std::vector<TStreamComponent*> FOpen;
};

} // namespace

void ParseComponentStream(std::string_view Data, TStreamVisitor& Visitor) {
    TReader Reader(Data);
    Reader.ReadSignature();
    TStreamValue Value;
    ParseComponent(Reader, Visitor, Value, 0);
}

TStreamComponent ParseComponentStream(std::string_view Data) {
    TTreeBuilder Builder;
    ParseComponentStream(Data, Builder);
    return std::move(Builder.Root);
}
