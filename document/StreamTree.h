#pragma once

#include "document/StreamValue.h"

#include <cstdint>
#include <string_view>
#include <vector>

// A component stream parsed into its records and values as they are stored, without creating
// any object: for showing what a file holds and for measuring the parser. Strings and names are
// views into the parsed bytes, which must outlive the tree.

struct TStreamComponent {
    std::uint8_t Flags = 0;
    std::int32_t ChildPosition = 0;
    std::string_view ClassName;
    std::string_view Name;
    std::vector<TStreamRecord> Properties;
    std::vector<TStreamComponent> Children;
};

// Receives a stream's records in file order as the parser meets them. Values are only valid
// during the call: the parser reuses them.
class TStreamVisitor {
public:
    virtual ~TStreamVisitor() = default;
    virtual void BeginComponent(std::uint8_t Flags, std::int32_t ChildPosition,
                                std::string_view ClassName, std::string_view Name) = 0;
    virtual void Property(std::string_view Path, const TStreamValue& Value) = 0;
    // After the component's children.
    virtual void EndComponent() = 0;
};

// Parses the signature and the root record; bytes after it are not read. Throws the reader's
// errors; components and lists nest at most TReader::MaxNesting deep.
void ParseComponentStream(std::string_view Data, TStreamVisitor& Visitor);
// The same as a tree.
TStreamComponent ParseComponentStream(std::string_view Data);
