#include "document/DocumentStream.h"

#include "common/Messages.h"
#include "common/TException.h"
#include "common/Text1252.h"
#include "document/PageProperties.h"
#include "document/StreamClasses.h"
#include "document/TPrintable.h"
#include "document/TReader.h"
#include "document/TReportPage.h"
#include "document/TWriter.h"

#include <vector>

std::vector<TPrintable*> PageItems(const TReportPage& Page) {
    std::vector<TPrintable*> Items;
    for (QObject* Child : Page.children())
        if (auto* Item = qobject_cast<TPrintable*>(Child))
            Items.push_back(Item);
    return Items;
}

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

void WriteItemRecord(TWriter& Writer, const TPrintable& Item, const TStreamClass& Class) {
    Writer.WriteStr(Class.StreamName());
    Writer.WriteStr(ToCp1252(Item.objectName()));
    Class.WriteProperties(Writer, Item);
    Writer.WriteListEnd();
    Writer.WriteListEnd(); // items have no children
}

// The page's own part of its record, up to its items.
void WritePageHead(TWriter& Writer, const TReportPage& Page) {
    Writer.WriteStr(PageStreamName);
    Writer.WriteStr({});
    WriteProperties(Writer, Page, PageProperties());
    Writer.WriteListEnd();
}

void WritePageRecord(TWriter& Writer, const TReportPage& Page) {
    WritePageHead(Writer, Page);
    for (const TPrintable* Item : PageItems(Page))
        if (const TStreamClass* Class = StreamClassOf(*Item))
            WriteItemRecord(Writer, *Item, *Class);
    Writer.WriteListEnd();
}

// A name the reader accepts for a component: empty, or a letter or underscore followed by
// letters, digits and underscores.
void CheckComponentName(std::string_view Name) {
    const auto IsAlpha = [](char C) {
        return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_';
    };
    if (Name.empty())
        return;
    bool Valid = IsAlpha(Name[0]);
    for (const char C : Name)
        Valid = Valid && (IsAlpha(C) || (C >= '0' && C <= '9'));
    if (!Valid)
        Raise(Msg::InvalidComponentName, {Name});
}

TPrintable* FindItem(const TReportPage& Page, std::string_view Name, const TPrintable* Except) {
    for (TPrintable* Item : PageItems(Page))
        if (Item != Except && SameName(ToCp1252(Item->objectName()), Name))
            return Item;
    return nullptr;
}

// How failures name an item: by its name, or by its stored class name when it has none.
std::string ShownName(const TPrintable& Item, const TStreamClass& Class) {
    const std::string Name = ToCp1252(Item.objectName());
    return Name.empty() ? std::string(Class.StreamName()) : Name;
}

// The properties of an item up to their end marker, and its (empty) list of children; then the
// item ends its reading.
void ReadItemRecords(TReader& Reader, TPrintable& Item, const TStreamClass& Class) {
    const std::string Shown = ShownName(Item, Class);
    std::vector<std::string_view> Paths;
    Reader.ReadProperties([&](std::string_view Path) {
        Paths.push_back(Path);
        Wrapped(Shown, Path, [&] { Class.ReadProperty(Reader, Item, Path); });
    });
    // Items hold no components of their own.
    Reader.ReadChildren([] { Raise(Msg::InvalidStreamFormat); });
    EndItemReading(Item, Class, Paths);
}

void MoveToPosition(TReportPage& Page, TPrintable& Item, std::int32_t Position) {
    const std::vector<TPrintable*> Items = PageItems(Page);
    if (Position >= 0 && static_cast<std::size_t>(Position) < Items.size() &&
        Items[static_cast<std::size_t>(Position)] != &Item)
        Item.stackUnder(Items[static_cast<std::size_t>(Position)]);
}

// Reads one child record of the page; the item joins the loaded list once it is whole.
void ReadChild(TReader& Reader, TReportPage& Page, std::vector<TPrintable*>& Loaded) {
    const auto [Flags, Position, ClassName, Name] = Reader.ReadComponentHead();
    // An inherited record is matched by its name alone, but it must still name a class.
    if (ClassName.empty())
        Raise(Msg::ClassNotFound, {ClassName});

    if (Flags & ffInherited) {
        TPrintable* Existing = FindItem(Page, Name, nullptr);
        const TStreamClass* Class = Existing != nullptr ? StreamClassOf(*Existing) : nullptr;
        if (Class == nullptr)
            Raise(Msg::AncestorNotFound, {Name});
        Existing->BeginReading();
        ReadItemRecords(Reader, *Existing, *Class);
        if (Flags & ffChildPos)
            MoveToPosition(Page, *Existing, Position);
        if (std::find(Loaded.begin(), Loaded.end(), Existing) == Loaded.end())
            Loaded.push_back(Existing);
        return;
    }

    const TStreamClass* Class = FindStreamClass(ClassName);
    if (Class == nullptr)
        Raise(Msg::ClassNotFound, {ClassName});
    // Freed again if anything below fails.
    std::unique_ptr<TPrintable> Item(Class->Create(&Page));
    Item->BeginReading();
    SetItemName(Page, *Item, Name);
    Item->SetParent(&Page);
    ReadItemRecords(Reader, *Item, *Class);
    if (Flags & ffChildPos)
        MoveToPosition(Page, *Item, Position);
    Loaded.push_back(Item.release());
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
    // The root's class and name are read past: the page keeps its own.
    Reader.ReadComponentHead();

    Page.BeginLoading();
    Reader.ReadProperties([&](std::string_view Path) {
        Wrapped(PageStreamName, Path, [&] { ReadProperty(Reader, Page, PageProperties(), Path); });
    });
    std::vector<TPrintable*> Loaded;
    Reader.ReadChildren([&] {
        if (Loaded.size() >= MaxItemsPerPage)
            Raise(Msg::TooManyItems, {std::to_string(MaxItemsPerPage)});
        ReadChild(Reader, Page, Loaded);
    });

    Page.Loaded();
    // The page's pixel size follows its paper also when the file's pixel bounds disagree.
    Page.Page().AfterReading();
    for (TPrintable* Item : Loaded)
        Item->AfterReading();
}

std::unique_ptr<TReportPage> CopyOfPage(const TReportPage& Page) {
    auto Copy = std::make_unique<TReportPage>();
    ReadPageStream(WritePageStream(Page), *Copy);
    return Copy;
}

TPageRecords WritePageRecords(const TReportPage& Page) {
    TPageRecords Records;
    TWriter Head;
    Head.WriteSignature();
    WritePageHead(Head, Page);
    Records.Head = Head.Take();
    for (const TPrintable* Item : PageItems(Page))
        if (const TStreamClass* Class = StreamClassOf(*Item)) {
            TWriter Writer;
            WriteItemRecord(Writer, *Item, *Class);
            Records.Items.push_back(Writer.Take());
        }
    return Records;
}

std::string JoinPageRecords(const TPageRecords& Records) {
    std::size_t Size = Records.Head.size() + 1;
    for (const std::string& Item : Records.Items)
        Size += Item.size();
    std::string Bytes;
    Bytes.reserve(Size);
    Bytes += Records.Head;
    for (const std::string& Item : Records.Items)
        Bytes += Item;
    TWriter End;
    End.WriteListEnd();
    return Bytes + End.Take();
}

void ReadPageHead(std::string_view Head, TReportPage& Page) {
    // Properties a head leaves out are at their defaults, which a page that has been edited may
    // not be: the head is read into a new page and every property taken over from there.
    TReportPage Read;
    TPageRecords Bare{std::string(Head), {}};
    ReadPageStream(JoinPageRecords(Bare), Read);
    CopyProperties(PageProperties(), std::as_const(Read), Page);
    Page.Loaded();
    Page.Page().AfterReading();
}

TPrintable& InsertItemRecord(TReportPage& Page, std::string_view Record, std::size_t Position) {
    TWriter Stream;
    Stream.WriteSignature();
    std::unique_ptr<TPrintable> Item = ReadItemStream(Stream.Take() + std::string(Record), &Page);
    MoveToPosition(Page, *Item, static_cast<std::int32_t>(Position));
    return *Item.release(); // the page owns it now
}

std::string WriteItemStream(const TPrintable& Item) {
    TWriter Writer;
    Writer.WriteSignature();
    if (const TStreamClass* Class = StreamClassOf(Item))
        WriteItemRecord(Writer, Item, *Class);
    return Writer.Take();
}

std::unique_ptr<TPrintable> ReadItemStream(std::string_view Data, QWidget* Parent) {
    TReader Reader(Data);
    Reader.ReadSignature();
    std::uint8_t Flags;
    std::int32_t Position;
    Reader.ReadPrefix(Flags, Position);
    // The class is looked up before the name is read: a clipboard of another program's class
    // says so, however its record goes on.
    const std::string_view ClassName = Reader.ReadStr();
    const TStreamClass* Class = FindStreamClass(ClassName);
    if (Class == nullptr)
        Raise(Msg::ClassNotFound, {ClassName});
    std::unique_ptr<TPrintable> Item(Class->Create(nullptr));
    Item->BeginReading();
    const std::string_view Name = Reader.ReadStr();
    CheckComponentName(Name);
    Item->setObjectName(FromCp1252(std::string(Name)));
    if (Parent != nullptr)
        Item->SetParent(Parent);
    ReadItemRecords(Reader, *Item, *Class);
    Item->AfterReading();
    return Item;
}

void ReadPageProperty(TReportPage& Page, std::string_view Path,
                      const std::function<std::string()>& Value) {
    Wrapped(PageStreamName, Path, [&] {
        const std::string Bytes = Value();
        TReader Reader(Bytes);
        ReadProperty(Reader, Page, PageProperties(), Path);
    });
}

void ReadItemProperty(TPrintable& Item, std::string_view Path,
                      const std::function<std::string()>& Value) {
    const TStreamClass* Class = StreamClassOf(Item);
    if (Class == nullptr)
        return;
    Wrapped(ShownName(Item, *Class), Path, [&] {
        const std::string Bytes = Value();
        TReader Reader(Bytes);
        Class->ReadProperty(Reader, Item, Path);
    });
}

void EndItemReading(TPrintable& Item, const TStreamClass& Class,
                    std::span<const std::string_view> Paths) {
    Wrapped(ShownName(Item, Class), Class.RejectedPath(Paths), [&] { Item.EndReading(); });
}

void SetItemName(TReportPage& Page, TPrintable& Item, std::string_view Name) {
    CheckComponentName(Name);
    if (!Name.empty() && FindItem(Page, Name, &Item) != nullptr)
        Raise(Msg::DuplicateComponentName, {Name});
    Item.setObjectName(FromCp1252(std::string(Name)));
}
